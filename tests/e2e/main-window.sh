#!/usr/bin/env bash
# Starts the real player under Xvfb from its program directory and checks what a person
# would see: a 320 x 355 window whose caption ends in "Tarvo播放器", and a screenshot of it.
# The player runs with no locale set, as on a new machine.
# usage: main-window.sh BUILD_DIR SCREENSHOT.png
set -euo pipefail
build=$1
shot=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-lib.sh"
. "$here/e2e-lib.sh"
start_xvfb
trap stop_xvfb EXIT
rm -f "$shot"

SDL_AUDIODRIVER=dummy "${posix_locale[@]}" "$build/tarvo" --screenshot "$shot" --quit-after 4 \
    >"$shot.log" 2>&1 &
player=$!

geometry=""
caption=""
if id=$(player_window "$player"); then
    geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
    caption=$(window_caption "$id")
fi
status=0
wait "$player" || status=$?
cat "$shot.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "the player exited with $status"
[ "$geometry" = "320x355" ] || fail "main window geometry is '$geometry', expected 320x355"
case "$caption" in
*Tarvo播放器) ;;
*) fail "main window caption is '$caption', expected it to end in Tarvo播放器" ;;
esac
[ -s "$shot" ] || fail "no screenshot at $shot"
size=$(identify -format '%wx%h' "$shot")
[ "$size" = "320x355" ] || fail "screenshot is $size, expected 320x355"
# A drawn window, not an empty one: the picture holds many colours.
colours=$(identify -format '%k' "$shot")
[ "$colours" -gt 50 ] || fail "the screenshot has only $colours colours"
echo "main window 320x355 shown; screenshot: $shot"
