#!/usr/bin/env bash
# Plays the demo tune in the real player under Xvfb, as a person would: a click on the play
# button, then after 3 s the window must show the pause button, the LED time 00:02 or 00:03
# and bars in the analyser; after a click on stop the analyser is empty again, and a click on
# the exit button ends the player.
# usage: play.sh BUILD_DIR SOURCE_DIR SCREENSHOT.png
set -euo pipefail
build=$1
source=$2
shot=$3
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-lib.sh"
. "$here/e2e-lib.sh"
start_xvfb
trap 'stop_xvfb; rm -rf "$work"' EXIT
rm -f "$shot"
fail() { echo "FAIL: $*" >&2; exit 1; }

SDL_AUDIODRIVER=dummy "${posix_locale[@]}" "$build/tarvo" --quit-after 20 >"$work/log" 2>&1 &
player=$!
id=$(player_window "$player") || fail "no main window appeared"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$id")" # X, Y of the window
# The play button's centre (its place in the layout: 165, 135, 25 x 25).
xdotool mousemove $((X + 177)) $((Y + 147)) click 1
sleep 3
import -window root -crop "320x355+${X}+${Y}" +repage "$shot"
# The stop button (195, 135, 25 x 25); the box is cleared at once.
xdotool mousemove $((X + 207)) $((Y + 147)) click 1
sleep 0.5
import -window root -crop "320x355+${X}+${Y}" +repage "$work/stopped.png"
# The exit button (280, 0, 41 x 16) ends the player with code 0.
xdotool mousemove $((X + 300)) $((Y + 8)) click 1
status=0
wait "$player" || status=$?
cat "$work/log"
[ "$status" -eq 0 ] || fail "the player exited with $status"
[ -s "$shot" ] || fail "no screenshot"

# The pause button now stands where the play button was (hovered: picture 2).
convert "$shot" -crop 25x25+165+135 +repage "$work/button.png"
convert "$source/assets/main/pause-2.jpg" "$work/pause.png"
convert "$source/assets/main/play-2.jpg" "$work/play.png"
# compare exits 1 when the pictures differ at all: only its figure matters here.
differs() { { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'; }
to_pause=$(differs "$work/button.png" "$work/pause.png")
to_play=$(differs "$work/button.png" "$work/play.png")
awk "BEGIN { exit !($to_pause < 0.05 && $to_pause < $to_play) }" ||
    fail "the pause button is not shown (difference to pause $to_pause, to play $to_play)"

# The LED digits 00:02 or 00:03, cut from the strip (13-pixel glyphs: digits, 10 colon).
glyph() { convert "$source/assets/led/digits.bmp" -crop "13x20+$(($1 * 13))+0" +repage "$work/g$1.png"; }
for g in 0 2 3 10; do glyph "$g"; done
# The time display's place after start-up: left 240, top 32 (its position tag).
convert "$shot" -crop 65x20+240+32 +repage "$work/led.png"
found=""
for s in 2 3; do
    convert "$work/g0.png" "$work/g0.png" "$work/g10.png" "$work/g0.png" "$work/g$s.png" +append "$work/led$s.png"
    wrong=$({ compare -metric AE -fuzz 10% "$work/led.png" "$work/led$s.png" null: 2>&1 || true; } | awk '{ print int($1) }')
    if [ "$wrong" -le 4 ]; then
        found="00:0$s"
        break
    fi
done
[ -n "$found" ] || fail "the LED display shows neither 00:02 nor 00:03"
echo "playing: pause button shown, LED $found; screenshot: $shot"

# Bars: bright pixels in the analyser box (30, 30, 260 x 98) above its bottom rows, where the
# resting peaks lie, and left of the time display over its top-right corner.
bright() { convert "$1" -crop 205x96+30+30 +repage -colorspace Gray -threshold 35% \
    -format '%[fx:round(mean*w*h)]' info:; }
playing_bars=$(bright "$shot")
stopped_bars=$(bright "$work/stopped.png")
[ "$playing_bars" -ge 20 ] || fail "the analyser shows no bars while playing ($playing_bars bright pixels)"
[ "$stopped_bars" -eq 0 ] || fail "the analyser still shows $stopped_bars bright pixels after stop"
echo "analyser: $playing_bars bright pixels playing, none stopped"
