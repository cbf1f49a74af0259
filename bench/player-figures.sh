#!/usr/bin/env bash
# Measures the player as a person runs it, under Xvfb: time from start to the mapped main
# window, resident memory and CPU while playing (progress tick and time display running) and
# while paused. Plays a 75 s tune from a program directory of its own.
# usage: bench/player-figures.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
. "$here/../scripts/xvfb-lib.sh"
start_xvfb
trap 'kill "${player:-}" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT

cp "$build/tarvo" "$build/libbass.so" "$work/"
ffmpeg -nostdin -loglevel error -f lavfi -i "sine=frequency=440:duration=75" -ac 2 \
    -c:a libmp3lame -b:a 128k "$work/2.mp3"

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
rss() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }

# The moment of mapping comes from an X client listening on the root window: polling with
# xdotool would start a process every few milliseconds and slow the start-up it measures.
cc -O2 -o "$work/map-watch" "$here/map-watch.c" -lX11
# Starts the player; sets `player` and `mapped` (milliseconds until its window was mapped).
start_player() {
    coproc WATCH { "$work/map-watch" Tarvo; }
    read -r _ <&"${WATCH[0]}" # listening
    local start mapped_at
    start=$(date +%s%N)
    SDL_AUDIODRIVER=dummy "$work/tarvo" --quit-after "$1" >/dev/null 2>&1 &
    player=$!
    read -r mapped_at <&"${WATCH[0]}"
    wait "$WATCH_PID" 2>/dev/null || true
    mapped=$(((mapped_at - start) / 1000000))
}
starts=()
for _ in 1 2 3 4 5; do
    start_player 30
    starts+=("$mapped")
    kill "$player"
    wait "$player" 2>/dev/null || true
done
start_player $((seconds * 2 + 30))
starts+=("$mapped")
median_start=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3,4p | head -n 1)
id=$(xdotool search --onlyvisible --name 'Tarvo' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$id")"
idle_rss=$(rss "$player")

xdotool mousemove $((X + 177)) $((Y + 147)) click 1 # play
sleep 2
t0=$(ticks "$player")
sleep "$seconds"
t1=$(ticks "$player")
playing_rss=$(rss "$player")
xdotool mousemove $((X + 177)) $((Y + 147)) click 1 # pause
sleep 1
t2=$(ticks "$player")
sleep "$seconds"
t3=$(ticks "$player")

cpu() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }'; }
echo "window mapped after:       ${median_start} ms (median of ${#starts[@]}: ${starts[*]})"
echo "resident, idle:            ${idle_rss} MB"
echo "resident, playing:         ${playing_rss} MB"
echo "CPU playing (${seconds} s):      $(cpu $((t1 - t0))) % of one core"
echo "CPU paused (${seconds} s):       $(cpu $((t3 - t2))) % of one core"
