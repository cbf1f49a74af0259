#!/usr/bin/env bash
# The main window's own commands in the real player under Xvfb, with the maker's site served
# from 127.0.0.1: "缩小" and "展开" animate the window to 169 and 354 pixels, and the star
# tile opens the daily-picks window with the served text in it. Screenshots are kept.
# usage: window-commands.sh BUILD_DIR SCREENSHOT_PREFIX
set -euo pipefail
build=$1
prefix=$2
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-lib.sh"
. "$here/e2e-lib.sh"
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/site/mrjx"
printf '今日精选：雪夜的歌\n' >"$work/site/mrjx/ew.txt"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$work/site" >"$work/server.log" 2>&1 &
server=$!
port=""
for _ in $(seq 50); do
    port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$work/server.log" | head -n 1)
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || fail "the test server did not start"

start_xvfb
SDL_AUDIODRIVER=dummy "${posix_locale[@]}" "$build/tarvo" --site "http://127.0.0.1:$port" \
    --quit-after 20 >"$work/log" 2>&1 &
player=$!
id=$(player_window "$player") || fail "no main window appeared"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$id")"
click_top_row() { # the x of a button in the window's top row; the window then re-centres
    xdotool mousemove $((X + $1)) $((Y + 8)) click 1
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
}
click_top_row 220 # "缩小" at 208, 0, 24 x 17
collapsed=$HEIGHT
import -window root -crop "320x${collapsed}+${X}+${Y}" +repage "${prefix}-collapsed.png"
click_top_row 244 # "展开" at 232, 0, 24 x 17
expanded=$HEIGHT
[ "$collapsed" = 169 ] || fail "collapsed to $collapsed pixels, expected 169"
[ "$expanded" = 354 ] || fail "expanded to $expanded pixels, expected 354"

# The star tile (24, 180, 50 x 50) opens the daily-picks window.
xdotool mousemove $((X + 49)) $((Y + 205)) click 1
picks=""
for _ in $(seq 50); do
    for w in $(xdotool search --pid "$player" 2>/dev/null); do
        [ "$(window_caption "$w")" = "每日精选-Tarvo网" ] && picks=$w
    done
    [ -n "$picks" ] && break
    sleep 0.1
done
[ -n "$picks" ] || fail "no daily-picks window appeared"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$picks")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "${prefix}-picks.png"
# The text box (10, 10, 373 x 205) shows the served line: dark text on its light ground.
ink=$(convert "${prefix}-picks.png" -crop 200x20+12+12 +repage -colorspace Gray -negate \
    -threshold 50% -format '%[fx:round(mean*w*h)]' info:)
[ "$ink" -ge 40 ] || fail "the picks window shows no text ($ink dark pixels)"
grep -q 'GET /mrjx/ew.txt' "$work/server.log" || fail "the picks text was never asked for"
# Told to end by the session (SIGTERM), the player ends as from its exit button.
kill -TERM "$player"
status=0
timeout 5 tail --pid="$player" -f /dev/null || fail "the player did not end on SIGTERM"
wait "$player" || status=$?
[ "$status" -eq 0 ] || fail "the player ended with $status on SIGTERM"
echo "collapsed 169, expanded 354, picks text shown ($ink dark pixels); screenshots: ${prefix}-*.png"
