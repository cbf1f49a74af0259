#!/usr/bin/env bash
# Starts the real player under Xvfb from its program directory and checks what a person
# would see: a 320 x 355 window captioned "Tarvo播放器", and a screenshot of it.
# usage: main-window.sh BUILD_DIR SCREENSHOT.png
set -euo pipefail
build=$1
shot=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-lib.sh"
start_xvfb
trap stop_xvfb EXIT
rm -f "$shot"

SDL_AUDIODRIVER=dummy "$build/tarvo" --screenshot "$shot" --quit-after 4 >"$shot.log" 2>&1 &
player=$!

geometry=""
for _ in $(seq 60); do
    id=$(xdotool search --name 'Tarvo播放器' 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
        geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
        break
    fi
    sleep 0.1
done
status=0
wait "$player" || status=$?
cat "$shot.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "the player exited with $status"
[ "$geometry" = "320x355" ] || fail "main window geometry is '$geometry', expected 320x355"
[ -s "$shot" ] || fail "no screenshot at $shot"
size=$(identify -format '%wx%h' "$shot")
[ "$size" = "320x355" ] || fail "screenshot is $size, expected 320x355"
# A drawn window, not an empty one: the picture holds many colours.
colours=$(identify -format '%k' "$shot")
[ "$colours" -gt 50 ] || fail "the screenshot has only $colours colours"
echo "main window 320x355 shown; screenshot: $shot"
