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

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "$1"; }
switches() { awk '/ctxt_switches/ { n += $2 } END { print n }' "$1"; }
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
    'BEGIN { printf "  player CPU        %.2f %%\n", (b - a) / hz / s * 100 }'
awk -v a="$s0" -v b="$s1" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "  sound server CPU  %.2f %%\n", (b - a) / hz / s * 100 }'
echo "  resident: $(awk '/VmRSS/ { printf "%.1f MiB", $2 / 1024 }' /proc/$player/status)"
for id in "${!t0[@]}"; do
    task=/proc/$player/task/$id
    [ -r "$task/stat" ] || continue
    awk -v n="${name[$id]}" -v a="${t0[$id]}" -v b="$(ticks "$task/stat")" \
        -v c="${c0[$id]}" -v d="$(switches "$task/status")" -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "  thread %-16s CPU %5.2f %%  wake-ups %6.1f /s\n", n,
                 (b - a) / hz / s * 100, (d - c) / s }'
done | sort -k4 -rn
if grep -q libavcodec "/proc/$player/maps"; then
    echo "  libavcodec: mapped"
else
    echo "  libavcodec: not mapped"
fi
