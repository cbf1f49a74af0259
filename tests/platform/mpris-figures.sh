#!/usr/bin/env bash
# Figures of the media-control service, on a private session bus:
#  - whether Qt Gui loads Qt D-Bus anyway (then linking it costs the player's start nothing);
#  - registering the service (what start-up pays once the window is shown): connecting to the
#    bus, exporting the object and taking the name;
#  - a hand-over to a running player, inside the new process and for the whole process;
#  - a new process with files when no player runs (the call that finds no owner);
#  - an idle registered service: CPU time and wake-ups (context switches of all its threads).
# Usage: tests/platform/mpris-figures.sh [BUILD_DIR]   (BUILD_DIR defaults to build/; it needs
# the mpris_peer target: cmake --build build --target mpris_peer)
set -euo pipefail
cd "$(dirname "$0")/../.."
peer=$(realpath "${1:-build}")/mpris_peer
[ -x "$peer" ] || { echo "mpris-figures: no $peer; build the mpris_peer target" >&2; exit 1; }
export PEER=$peer RUNS=${RUNS:-20} IDLE_SECONDS=${IDLE_SECONDS:-10}

exec dbus-run-session -- bash -euo pipefail -c '
median() { sort -n | awk "{ v[NR] = \$1 } END { printf \"median %d, min %d, max %d (%d runs)\", v[int((NR + 1) / 2)], v[1], v[NR], NR }"; }
now_us() { echo $(( $(date +%s%N) / 1000 )); }
# Context switches of every thread of a process, and its CPU time in clock ticks.
switches() { cat /proc/$1/task/*/status | awk "/ctxt_switches/ { n += \$2 } END { print n }"; }
cpu_ticks() { awk "{ print \$14 + \$15 }" /proc/$1/stat; }

echo "libraries Qt Gui loads already: $(ldd "$(ldconfig -p | awk "/libQt6Gui.so.6 / { print \$NF; exit }")" \
    | awk "/libQt6DBus|libdbus-1/ { printf \"%s \", \$1 }")"

echo "register on the session bus (µs): $(for i in $(seq "$RUNS"); do
    "$PEER" serve 0 | awk "/^register-us/ { print \$2 }"; done | median)"

# A process that exits the moment its call failed may catch Qt'"'"'s bus thread still delivering
# the error, which Qt reports on standard error; the player itself goes on starting instead.
echo "hand-over, no player running, whole process (µs): $(for i in $(seq "$RUNS"); do
    start=$(now_us); "$PEER" hand-over /tmp/a.mp3 >/dev/null 2>&1 || true
    echo $(( $(now_us) - start )); done | median)"

"$PEER" serve $(( IDLE_SECONDS + 30 )) >/dev/null &
server=$!
trap "kill $server 2>/dev/null || true" EXIT
until dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
      org.freedesktop.DBus.NameHasOwner string:org.mpris.MediaPlayer2.tarvo | grep -q true; do
    sleep 0.05
done

echo "hand-over call inside the new process (µs): $(for i in $(seq "$RUNS"); do
    "$PEER" hand-over /tmp/a.mp3 | awk "/^hand-over-us/ { print \$2 }"; done | median)"
echo "hand-over, whole new process until it exits (µs): $(for i in $(seq "$RUNS"); do
    start=$(now_us); "$PEER" hand-over /tmp/a.mp3 >/dev/null
    echo $(( $(now_us) - start )); done | median)"

sleep 1
switches_before=$(switches $server); ticks_before=$(cpu_ticks $server)
sleep "$IDLE_SECONDS"
switches_after=$(switches $server); ticks_after=$(cpu_ticks $server)
echo "idle registered service over ${IDLE_SECONDS} s: $(( switches_after - switches_before )) context switches, $(( ticks_after - ticks_before )) CPU ticks of $(getconf CLK_TCK)/s"
'
