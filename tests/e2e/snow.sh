#!/usr/bin/env bash
# The desktop snowfall in the real player under Xvfb, next to a window with a horizontal edge
# (edge-window: a blue 30-pixel title bar over a grey body, on a dark green desktop; nothing
# white). A press on the snowflake tile starts the snow: white pixels move over the desktop and
# heaps of three pixels settle on the title bar's lower edge. A second press takes the snow
# away, a third brings it back, and after the exit button no white pixel is left anywhere.
# usage: snow.sh BUILD_DIR EDGE_WINDOW SCREENSHOT.png
set -euo pipefail
build=$1
edge_window=$2
shot=$3
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-lib.sh"
start_xvfb
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
rm -f "$shot"
fail() { echo "FAIL: $*" >&2; exit 1; }

. "$here/snow-scene.sh"
start_edge_window "$edge_window"
start_player "$build" 90

grab() { import -window root "$1"; }
# The white pixels of a screenshot outside the player's window (whose skin has white of its
# own), white on black.
white_mask() {
    convert "$1" -fill black -draw "rectangle $X,$Y $((X + WIDTH - 1)),$((Y + HEIGHT - 1))" \
        -fill black +opaque white "$2"
}
white_outside_player() {
    white_mask "$1" "$work/mask.png"
    convert "$work/mask.png" -format '%[fx:round(mean*w*h)]' info:
}
# How many pixels are white in one of two screenshots and not in the other, outside the player.
white_moved() {
    white_mask "$1" "$work/mask1.png"
    white_mask "$2" "$work/mask2.png"
    { compare -metric AE "$work/mask1.png" "$work/mask2.png" null: 2>&1 || true; } | awk '{ print int($1) }'
}
# Heaps on the title bar's lower edge in both screenshots: a white pixel in row 228 with white
# pixels left and right of it in row 229, over the test window's width. Flakes move on between
# two screenshots; heaps stay.
heaps_in_both() {
    local i=0 file
    for file in "$1" "$2"; do
        i=$((i + 1))
        convert "$file" -crop 600x2+500+228 +repage -fill black +opaque white txt:- |
            awk -F'[,: ]+' '/#FFFFFF/ { print $1, $2 }' >"$work/white$i"
    done
    awk 'NR == FNR { seen[$1 " " $2] = 1; next }
         seen[$1 " " $2] { both[$1 " " $2] = 1 }
         END { n = 0
               for (p in both) { split(p, xy, " ")
                   if (xy[2] == 0 && both[(xy[1] - 1) " 1"] && both[(xy[1] + 1) " 1"]) n++ }
               print n }' "$work/white1" "$work/white2"
}

grab "$work/before.png"
[ "$(white_outside_player "$work/before.png")" -eq 0 ] || fail "white on the desktop before the snow"

press_tile
heaps=0
grab "$work/a.png"
for _ in $(seq 60); do
    sleep 0.5
    grab "$work/b.png"
    heaps=$(heaps_in_both "$work/a.png" "$work/b.png")
    [ "$heaps" -gt 0 ] && break
    mv "$work/b.png" "$work/a.png"
done
cp "$work/b.png" "$shot"
flakes=$(white_outside_player "$work/b.png")
moved=$(white_moved "$work/a.png" "$work/b.png")
echo "snowing: $flakes white pixels outside the player, $moved changed in 0.5 s, $heaps heaps on the edge"
[ "$flakes" -gt 50 ] || fail "only $flakes white pixels on the desktop while it snows"
[ "$moved" -gt 50 ] || fail "the snow does not move ($moved pixels changed)"
[ "$heaps" -gt 0 ] || fail "no heap settled on the window's edge in 30 s"

press_tile # stops the snow
sleep 0.5
grab "$work/stopped.png"
left=$(white_outside_player "$work/stopped.png")
[ "$left" -eq 0 ] || fail "$left white pixels left on the desktop after the snow stopped"

press_tile # snows again
sleep 1
grab "$work/again.png"
again=$(white_outside_player "$work/again.png")
[ "$again" -gt 50 ] || fail "a third press did not start the snow again ($again white pixels)"

press_exit
status=0
wait "$player" || status=$?
cat "$work/log"
[ "$status" -eq 0 ] || fail "the player exited with $status"
grab "$work/after.png"
white=$(convert "$work/after.png" -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
[ "$white" -eq 0 ] || fail "$white white pixels left on the screen after the player quit"
echo "snow started, stopped, started again, and left the screen clean; screenshot: $shot"
