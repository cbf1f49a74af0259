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
printf 'autospawn = no\ndefault-server = unix:%s\n' "$work/pulse.sock" >"$work/client.conf"
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    pulseaudio --daemonize=no --system=no --use-pid-file=no --exit-idle-time=-1 \
    --disallow-exit -n \
    --load="module-null-sink sink_name=figures_null rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse.sock" \
    --log-target=stderr >"$work/pulse.log" 2>&1 &
pa=$!
export PULSE_SERVER="unix:$work/pulse.sock" PULSE_CLIENTCONFIG="$work/client.conf"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "$1"; }
switches() { awk '/ctxt_switches/ { n += $2 } END { print n }' "$1"; }

SDL_AUDIODRIVER=pulseaudio "$build/engine_footprint" \
    --preload libQt6Widgets.so.6 "$build/libbass.so" --device -1 \
    --seeks 20 --play "$mp3" $((seconds + 4)) >"$work/footprint.txt" &
player=$!
sleep 3 # opened and playing
declare -A t0 c0 name
for task in /proc/$player/task/*; do
    id=${task##*/}
    t0[$id]=$(ticks "$task/stat")
    c0[$id]=$(switches "$task/status")
    name[$id]=$(cat "$task/comm")
done
p0=$(ticks /proc/$player/stat)
s0=$(ticks /proc/$pa/stat)
sleep "$seconds"
p1=$(ticks /proc/$player/stat)
s1=$(ticks /proc/$pa/stat)
echo "over ${seconds} s of playing:"
awk -v a="$p0" -v b="$p1" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "  engine process CPU  %.2f %%\n", (b - a) / hz / s * 100 }'
awk -v a="$s0" -v b="$s1" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "  sound server CPU    %.2f %%\n", (b - a) / hz / s * 100 }'
for id in "${!t0[@]}"; do
    task=/proc/$player/task/$id
    [ -r "$task/stat" ] || continue
    awk -v n="${name[$id]}" -v a="${t0[$id]}" -v b="$(ticks "$task/stat")" \
        -v c="${c0[$id]}" -v d="$(switches "$task/status")" -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "  thread %-16s CPU %5.2f %%  wake-ups %6.1f /s\n", n,
                 (b - a) / hz / s * 100, (d - c) / s }'
done
wait "$player"
player=""
cat "$work/footprint.txt"
