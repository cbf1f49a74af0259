#!/usr/bin/env bash
# Where the player's CPU goes while it plays: each thread's CPU and wake-ups per second, and the
# sound server's CPU, with the player under Xvfb playing a 5-minute 192 kbit/s MP3 (its default
# track) into a private PulseAudio null sink, the analyser on screen.
#
# Usage: player-thread-figures.sh BUILD_DIR [SECONDS]   (BUILD_DIR holds tarvo and libbass*.so)
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pa=""
player=""
. "$here/../../scripts/xvfb-lib.sh"
. "$here/figures-lib.sh"
cleanup() {
    [ -n "$player" ] && kill "$player" 2>/dev/null
    [ -n "$pa" ] && kill "$pa" 2>/dev/null
    stop_xvfb
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/prog" "$work/home" "$work/run" && chmod 700 "$work/run"
cp "$build/tarvo" "$build"/libbass*.so "$work/prog/"
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi \
    -i "anoisesrc=d=300:c=pink:r=44100:a=0.2:seed=7" -ac 2 -c:a libmp3lame -b:a 192k \
    "$work/prog/2.mp3"

start_null_pulse "$work"
start_xvfb

HOME="$work/home" XDG_RUNTIME_DIR="$work/run" "$work/prog/tarvo" >"$work/tarvo.log" 2>&1 &
player=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$player" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the player's window did not appear" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 177)) $((Y + 147)) click 1 # the play button
sleep 3

thread_split "$player" "$pa" "$seconds" "player"
if grep -q libavcodec "/proc/$player/maps"; then
    echo "  libavcodec: mapped"
else
    echo "  libavcodec: not mapped"
fi
