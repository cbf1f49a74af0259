# Shared by the figure scripts that watch a playing process and its sound server.

# start_null_pulse WORK: a private PulseAudio whose only sink is a null sink (it consumes audio
# in real time, as a sound card would), reached through a socket in WORK; sets `pa` to its pid
# and points this shell's clients at it. WORK/home and WORK/run must exist.
start_null_pulse() {
    local work=$1
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
}
# thread_split PID SERVER_PID SECONDS LABEL: over SECONDS, the CPU of the process and of the
# sound server, and each thread's CPU and wake-ups per second. CPU is the scheduler's own
# run time (schedstat, nanoseconds): clock ticks of 10 ms sample short wake-ups too coarsely.
run_ns() { awk '{ print $1 }' "$1/schedstat"; }
process_ns() { local t=0 n; for task in "$1"/task/*; do read -r n _ <"$task/schedstat"; t=$((t + n)); done; echo "$t"; }
switches() { awk '/ctxt_switches/ { n += $2 } END { print n }' "$1/status"; }
percent() { awk -v a="$1" -v b="$2" -v s="$3" 'BEGIN { printf "%.2f", (b - a) / 1e7 / s }'; }
thread_split() {
    local pid=$1 server=$2 seconds=$3 label=$4 id task
    declare -A t0 c0 name
    for task in /proc/$pid/task/*; do
        id=${task##*/}
        t0[$id]=$(run_ns "$task")
        c0[$id]=$(switches "$task")
        name[$id]=$(cat "$task/comm")
    done
    local p0 s0 p1 s1
    p0=$(process_ns /proc/$pid)
    s0=$(process_ns /proc/$server)
    sleep "$seconds"
    p1=$(process_ns /proc/$pid)
    s1=$(process_ns /proc/$server)
    echo "over ${seconds} s of playing:"
    printf '  %-17s %s %%\n' "$label CPU" "$(percent "$p0" "$p1" "$seconds")"
    printf '  %-17s %s %%\n' "sound server CPU" "$(percent "$s0" "$s1" "$seconds")"
    echo "  resident: $(awk '/VmRSS/ { printf "%.1f MiB", $2 / 1024 }' /proc/$pid/status)"
    for id in "${!t0[@]}"; do
        task=/proc/$pid/task/$id
        [ -r "$task/schedstat" ] || continue
        awk -v n="${name[$id]}" -v cpu="$(percent "${t0[$id]}" "$(run_ns "$task")" "$seconds")" \
            -v c="${c0[$id]}" -v d="$(switches "$task")" -v s="$seconds" \
            'BEGIN { printf "  thread %-16s CPU %5.2f %%  wake-ups %6.1f /s\n", n, cpu, (d - c) / s }'
    done | sort -k4 -rn
}
