#!/usr/bin/env bash
# The CPU that the desktop snowfall costs, under Xvfb: the player's and the X server's, over
# SECONDS with the player idle and then over SECONDS while it snows next to a window with a
# horizontal edge (tests/e2e/edge-window.c).
# usage: bench/vis/snow-cpu.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
. "$here/../../scripts/xvfb-lib.sh"
start_xvfb
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT

cc -O2 -o "$work/edge-window" "$here/../../tests/e2e/edge-window.c" -lX11
"$work/edge-window" 500 200 600 400 >"$work/edge.log" &
pids+=($!)
for _ in $(seq 50); do grep -qs ready "$work/edge.log" && break; sleep 0.1; done

SDL_AUDIODRIVER=dummy "$build/tarvo" --quit-after $((2 * seconds + 30)) >"$work/log" 2>&1 &
player=$!
pids+=("$player")
id=""
for _ in $(seq 60); do
    id=$(xdotool search --onlyvisible --pid "$player" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
done
[ -n "$id" ] || { echo "no main window appeared" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"
sleep 2

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# Prints the CPU share of the player and of the X server over `seconds`.
measure() {
    local p0 x0 p1 x1
    p0=$(ticks "$player")
    x0=$(ticks "$XVFB_PID")
    sleep "$seconds"
    p1=$(ticks "$player")
    x1=$(ticks "$XVFB_PID")
    awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v hz="$hz" -v s="$seconds" -v what="$1" \
        'BEGIN { printf "%-8s player %5.1f %% of a core, X server %5.1f %% (%d s)\n",
                 what, 100 * p / hz / s, 100 * x / hz / s, s }'
}
measure idle
xdotool mousemove $((X + 123)) $((Y + 205)) click 1 # the snowflake tile
sleep 1
measure snowing
xdotool mousemove $((X + 300)) $((Y + 8)) click 1 # the exit button
wait "$player"
