#!/usr/bin/env bash
# The engine alone through a real sound server: a private PulseAudio with only a null sink
# (it consumes audio in real time, as a sound card would). engine_footprint plays an MP3 on the
# default output with the spectrum asked 25 times a second; over the playing window this prints
# the CPU of the engine's process and of the sound server, each engine thread's CPU and
# wake-ups per second, and the footprint lines (map time, resident memory, libraries, then the
# seek-to-audible latency over 20 seeks after the playing window).
#
# Usage: pulse-figures.sh BUILD_DIR [SECONDS]   (BUILD_DIR holds libbass.so, engine_footprint)
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-20}
. "$(dirname "$0")/figures-lib.sh"
work=$(mktemp -d)
pa=""
player=""
cleanup() {
    [ -n "$player" ] && kill "$player" 2>/dev/null
    [ -n "$pa" ] && kill "$pa" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mp3=$build/bench-5min.mp3
if [ ! -s "$mp3" ]; then
    ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi \
        -i "anoisesrc=d=300:c=pink:r=44100:a=0.2:seed=7" -ac 2 -f wav - |
        lame --quiet --cbr -b 192 - "$mp3"
fi

mkdir -p "$work/home" "$work/run" && chmod 700 "$work/run"
start_null_pulse "$work"


SDL_AUDIODRIVER=pulseaudio "$build/engine_footprint" \
    --preload libQt6Widgets.so.6 "$build/libbass.so" --device -1 \
    --seeks 20 --play "$mp3" $((seconds + 4)) >"$work/footprint.txt" &
player=$!
sleep 3 # opened and playing
thread_split "$player" "$pa" "$seconds" "engine process"
wait "$player"
player=""
cat "$work/footprint.txt"
