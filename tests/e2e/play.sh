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
# The play button's centre (its place in the layout: 165, 135, 25 x 25).
click_in_window "$id" 177 147
sleep 3
window_shot "$id" "$shot"
# The stop button (195, 135, 25 x 25); the box is cleared at once.
click_in_window "$id" 207 147
sleep 0.5
window_shot "$id" "$work/stopped.png"
# The exit button (280, 0, 41 x 16) ends the player with code 0.
click_in_window "$id" 300 8
status=0
wait "$player" || status=$?
cat "$work/log"
[ "$status" -eq 0 ] || fail "the player exited with $status"
[ -s "$shot" ] || fail "no screenshot"

# The pause button now stands where the play button was (hovered: picture 2).
shows_picture "$shot" 165 135 "$source/assets/main/pause-2.jpg" "$source/assets/main/play-2.jpg" \
    "$work" || fail "the pause button is not shown"
found=$(led_reading "$shot" "$source" "$work")
case "$found" in
00:02 | 00:03) ;;
*) fail "the LED display shows neither 00:02 nor 00:03 (${found:-no time it knows})" ;;
esac
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
