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
. "$here/../../tests/e2e/snow-scene.sh"
start_edge_window "$work/edge-window"
start_player "$build" $((2 * seconds + 30))
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
press_tile
sleep 1
measure snowing
press_exit
wait "$player"
