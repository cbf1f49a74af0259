#!/usr/bin/env bash
# Measure desktop music players side by side, in one run, under Xvfb.
#
#   ../shared/tools/peer-figures/measure.sh [options] PLAYER...
#   ../shared/tools/peer-figures/measure.sh qmmp audacious
#   ../shared/tools/peer-figures/measure.sh --tarvo path/to/build qmmp audacious
#
# Per player and run: start-up time to the first visible window, idle
# RSS/PSS and CPU, CPU and RSS/PSS while playing a 5-minute 192 kbit/s MP3
# with the visualisation on screen, CPU while paused. Plus the decode
# reference ("limit") of ffmpeg and mpg123 on the same file. Prints a table
# of median (min-max) over the runs. See README.md next to this script.
set -u -o pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RUNS=3
PLAY_S=20
PAUSE_S=10
SETTLE_S=3
IDLE_S=5
START_TIMEOUT_S=30
TARVO_DIR=""
OUT_DIR="${TMPDIR:-/tmp}/peer-figures"
SHOT_DIR=""
SHOTS=1
AUDIO=""
PLAYERS=()

usage() {
    cat <<'EOF'
usage: measure.sh [options] PLAYER...

PLAYER: qmmp, audacious, tarvo (tarvo needs --tarvo DIR)

options:
  -n N               runs per player (default 3); figures are median (min-max)
  --tarvo DIR        measure DIR/tarvo too (DIR holds tarvo and libbass.so)
  --play-seconds S   CPU window while playing (default 20)
  --pause-seconds S  CPU window while paused (default 10)
  --idle-seconds S   CPU window while idle, after the 3 s settle (default 5)
  --audio FILE       play FILE instead of the generated 5-minute test MP3
  -o DIR             where results.tsv, table.md and shots/ go (default: $TMPDIR/peer-figures or /tmp/peer-figures)
  --no-shots         do not write shots/PLAYER.png
  -h, --help         this text
EOF
}

while [ $# -gt 0 ]; do
    case "$1" in
        -n) RUNS=${2:?}; shift 2 ;;
        --tarvo) TARVO_DIR=${2:?}; shift 2 ;;
        --play-seconds) PLAY_S=${2:?}; shift 2 ;;
        --pause-seconds) PAUSE_S=${2:?}; shift 2 ;;
        --idle-seconds) IDLE_S=${2:?}; shift 2 ;;
        --audio) AUDIO=${2:?}; shift 2 ;;
        -o) OUT_DIR=${2:?}; shift 2 ;;
        --no-shots) SHOTS=0; shift ;;
        -h|--help) usage; exit 0 ;;
        -*) echo "unknown option: $1" >&2; usage >&2; exit 2 ;;
        *) PLAYERS+=("$1"); shift ;;
    esac
done
if [ -n "$TARVO_DIR" ]; then
    TARVO_DIR=$(cd "$TARVO_DIR" && pwd) || exit 2
    case " ${PLAYERS[*]-} " in *" tarvo "*) ;; *) PLAYERS=(tarvo "${PLAYERS[@]}") ;; esac
fi
if [ ${#PLAYERS[@]} -eq 0 ]; then usage >&2; exit 2; fi
case "$RUNS" in ''|*[!0-9]*|0) echo "-n wants a positive number" >&2; exit 2 ;; esac

log() { printf '[%s] %s\n' "$(date +%T)" "$*" >&2; }
die() { log "error: $*"; exit 1; }

# ---------------------------------------------------------------- helpers

# wait_until TIMEOUT_S COMMAND...: poll every 0.1 s; 1 on timeout
wait_until() {
    local limit=$1; shift
    local end=$(( ${EPOCHREALTIME/./} + limit * 1000000 ))
    until "$@"; do
        [ "${EPOCHREALTIME/./}" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# alive PID: the process exists and is not a zombie
alive() {
    local st
    [ -r "/proc/$1/stat" ] || return 1
    st=$(sed 's/.*) \(.\).*/\1/' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$st" ] && [ "$st" != Z ]
}
dead() { ! alive "$1"; }

# stop_pid PID [GRACE_S]: TERM, then KILL after GRACE_S; only our own PIDs
stop_pid() {
    local pid=$1 grace=${2:-3}
    [ -n "$pid" ] || return 0
    alive "$pid" || return 0
    kill -TERM "$pid" 2>/dev/null
    wait_until "$grace" dead "$pid" || kill -KILL "$pid" 2>/dev/null
    wait_until 2 dead "$pid"
}

# stop_tree PID: stop PID's descendants, then PID (all started by us)
stop_tree() {
    local pid
    [ -n "${1:-}" ] || return 0
    for pid in $(python3 "$HERE/procstat.py" --tree "$1"); do
        stop_pid "$pid" 2
    done
}

# reap PID: collect our background child's exit status, if it is ours
reap() { [ -n "${1:-}" ] && wait "$1" 2>/dev/null; return 0; }

RESULTS=""
rec() { printf '%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" >>"$RESULTS"; }

# cpu_pct "SAMPLE_A" "SAMPLE_B" INDEX: % of one core for the INDEX-th tree
# (0-based) between two procstat.py lines
cpu_pct() {
    awk -v a="$1" -v b="$2" -v i="$3" -v hz="$HZ" 'BEGIN {
        split(a, x, " "); split(b, y, " ");
        k = 2 + 4 * i;
        if (x[k] == "-" || y[k] == "-" || y[1] <= x[1]) { print "NA"; exit }
        printf "%.3f\n", (y[k] - x[k]) / hz / (y[1] - x[1]) * 100 }'
}
# field "SAMPLE" INDEX N: N-th figure (1=ticks 2=rss 3=pss 4=nproc)
field() { awk -v s="$1" -v i="$2" -v n="$3" 'BEGIN { split(s, x, " "); print x[2 + 4 * i + n - 1] }'; }

sample() { python3 "$HERE/procstat.py" "$PLAYER_PID" "$XVFB_PID" "$PA_PID"; }

# ------------------------------------------------------- player adapters
#
# Each player P provides:
#   P_check            binaries present (exit status)
#   P_launch           the launch command, in the array LAUNCH
#   P_configure HOME   adjust the config that a first start left in HOME
#   P_play FILE        make the running instance play FILE (1: unsupported)
#   P_probe            print "STATE POS_MS" (STATE: playing/paused/stopped)
#   P_pause            pause playback
#   P_quit             ask the running instance to quit (1: unsupported)
# All run their commands through penv/tpenv (tpenv: with a time limit), in
# the run's private environment (HOME, session bus, display, sound server).

qmmp_check() { command -v qmmp >/dev/null; }
qmmp_launch() { LAUNCH=(qmmp); }
qmmp_configure() {
    local rc="$1/.qmmp/qmmprc"
    [ -f "$rc" ] || { log "qmmp left no $rc"; return 1; }
    # paced output through the private sound server; skinned UI with the
    # main window's spectrum analyser (the skinned UI's built-in vis)
    python3 "$HERE/iniset.py" "$rc" Output current_plugin=pulse &&
    python3 "$HERE/iniset.py" "$rc" Ui current_plugin=skinned &&
    python3 "$HERE/iniset.py" "$rc" Skinned vis_type=Analyzer &&
    python3 "$HERE/iniset.py" "$rc" Volume left=80 right=80
}
qmmp_play() { tpenv 15 qmmp "$1" >/dev/null 2>&1; }
qmmp_probe() {
    # first line of --status: "[playing] #----- 0:07/5:00" (1 s resolution)
    local line
    line=$(tpenv 10 qmmp --status 2>/dev/null | head -n 1)
    awk -v l="$line" 'BEGIN {
        st = "stopped";
        if (l ~ /^\[playing\]/) st = "playing"; else if (l ~ /^\[paused\]/) st = "paused";
        pos = -1;
        if (match(l, /[0-9:]+\//)) {
            n = split(substr(l, RSTART, RLENGTH - 1), t, ":"); pos = 0;
            for (j = 1; j <= n; j++) pos = pos * 60 + t[j];
            pos *= 1000 }
        print st, pos }'
}
qmmp_pause() { tpenv 10 qmmp --pause >/dev/null 2>&1; }
qmmp_quit() { tpenv 10 qmmp --quit >/dev/null 2>&1; }

audacious_check() { command -v audacious >/dev/null && command -v audtool >/dev/null; }
# GTK mode is this build's default; the interface is chosen in the
# plugin registry below
audacious_launch() { LAUNCH=(audacious); }
audacious_configure() {
    local reg="$1/.config/audacious/plugin-registry"
    [ -f "$reg" ] || { log "audacious left no $reg"; return 1; }
    # Winamp Classic Interface (skins.so, GTK) instead of the GTK UI; its
    # main window shows the analyser by default. Output stays PulseAudio.
    awk '/^[a-z]+ \//{ cur = $2 }
         /^enabled /{
            if (cur ~ /\/General\/skins\.so$/) $0 = "enabled 1";
            else if (cur ~ /\/General\/(gtkui|qtui|skins-qt)\.so$/) $0 = "enabled 0";
            else if (cur ~ /\/Output\/pulse_audio\.so$/) $0 = "enabled 1";
            else if (cur ~ /\/Output\//) $0 = "enabled 0" }
         { print }' "$reg" >"$reg.new" && mv "$reg.new" "$reg" &&
    # show the playlist and equalizer windows too, as qmmp does by default,
    # so that both players draw the same three windows
    python3 "$HERE/iniset.py" "$1/.config/audacious/config" skins \
        playlist_visible=TRUE equalizer_visible=TRUE
}
audacious_play() { tpenv 15 audacious "$1" >/dev/null 2>&1; }
audacious_probe() {
    local st pos
    st=$(tpenv 5 audtool playback-status 2>/dev/null) || st=stopped
    pos=$(tpenv 5 audtool current-song-output-length-frames 2>/dev/null) || pos=-1
    echo "${st:-stopped} ${pos:--1}"
}
audacious_pause() {
    tpenv 5 audtool playback-paused && return 0
    tpenv 5 audtool playback-pause
}
audacious_quit() { tpenv 10 audtool shutdown >/dev/null 2>&1; }

# Our own player, from a program directory of its own (the test file is also its default
# track 2.mp3, as a program directory may hold one). It is told to play the file on its
# command line, which hands it to the running player over D-Bus, and is probed, paused and
# ended through its MPRIS interface, as the other players are through their own controls.
tarvo_check() { [ -x "$TARVO_DIR/tarvo" ] && [ -f "$TARVO_DIR/libbass.so" ]; }
tarvo_launch() {
    local prog="$WORK/tarvo-prog"
    if [ ! -d "$prog" ]; then
        # the program and every library beside it (the engine and any it loads from there)
        mkdir -p "$prog" && cp "$TARVO_DIR/tarvo" "$TARVO_DIR"/*.so* "$prog/" &&
        ln -s "$AUDIO" "$prog/2.mp3"
    fi
    LAUNCH=("$prog/tarvo")
}
tarvo_configure() { return 0; }
tarvo_mpris() { # METHOD [ARGS...] on the player's MPRIS object
    tpenv 5 dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.tarvo \
        /org/mpris/MediaPlayer2 "$@"
}
tarvo_property() { # NAME: a property of the Player interface, as dbus-send prints it
    tarvo_mpris org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2.Player \
        "string:$1" 2>/dev/null | awk 'NR > 1 { print $NF }' | tr -d '"'
}
tarvo_play() { tpenv 15 "$WORK/tarvo-prog/tarvo" "$1" >/dev/null 2>&1; }
tarvo_probe() {
    local st pos
    st=$(tarvo_property PlaybackStatus)
    pos=$(tarvo_property Position)
    case "$st" in Playing) st=playing ;; Paused) st=paused ;; *) st=stopped ;; esac
    echo "$st $(( ${pos:-0} / 1000 ))"
}
tarvo_pause() { tarvo_mpris org.mpris.MediaPlayer2.Player.Pause >/dev/null 2>&1; }
tarvo_quit() { tarvo_mpris org.mpris.MediaPlayer2.Quit >/dev/null 2>&1; }

# ---------------------------------------------------------------- session

XVFB_PID="" PA_PID="" DBUS_PID="" LAUNCH_PID="" PLAYER_PID="" WORK=""
PENV=()
penv() { env -i "${PENV[@]}" "$@"; }
# tpenv SECONDS COMMAND...: penv under a time limit
tpenv() { local limit=$1; shift; timeout "$limit" env -i "${PENV[@]}" "$@"; }

cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    [ -n "$PLAYER_PID" ] && stop_tree "$PLAYER_PID"
    stop_pid "$LAUNCH_PID"; reap "$LAUNCH_PID"
    [ -n "$DBUS_PID" ] && stop_tree "$DBUS_PID"; reap "$DBUS_PID"
    stop_pid "$PA_PID"; reap "$PA_PID"
    stop_pid "$XVFB_PID"; reap "$XVFB_PID"
    [ -n "$WORK" ] && rm -rf "$WORK"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# session_start HOME: private session bus for one player run, and PENV
session_start() {
    local home=$1
    mkdir -p "$home/run" "$home/tmp" && chmod 700 "$home/run"
    rm -f "$home/run/bus" "$home/dbus.addr"
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run" \
        dbus-daemon --session --nofork --nopidfile --address="unix:path=$home/run/bus" \
        --print-address=9 9>"$home/dbus.addr" >>"$WORK/dbus.log" 2>&1 &
    DBUS_PID=$!
    wait_until 10 test -s "$home/dbus.addr" || { log "session bus did not start"; return 1; }
    PENV=(PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="${USER:-$(id -un)}"
        XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
        XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" TMPDIR="$home/tmp"
        DISPLAY="$DISPLAY_NUM" DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$home/dbus.addr")"
        PULSE_SERVER="unix:$WORK/pulse.sock" PULSE_CLIENTCONFIG="$WORK/pulse-client.conf"
        LANG=C.UTF-8)
}

session_end() {
    [ -n "$DBUS_PID" ] && stop_tree "$DBUS_PID"
    reap "$DBUS_PID"; DBUS_PID=""
}

# player_start P HOME LOG: launch P, set PLAYER_PID and STARTUP (s or NA)
player_start() {
    local p=$1 home=$2 logf=$3 res
    res="$home/launch.result"
    "${p}_launch"
    rm -f "$res"
    (cd "$home" && exec env -i "${PENV[@]}" /usr/bin/python3 "$HERE/launchwait.py" \
        "$res" "$START_TIMEOUT_S" "$logf" -- "${LAUNCH[@]}") &
    LAUNCH_PID=$!
    if ! wait_until $((START_TIMEOUT_S + 5)) test -s "$res"; then
        log "$p: launcher gave no result"; PLAYER_PID=""; STARTUP=NA; return 1
    fi
    read -r PLAYER_PID STARTUP _ <"$res"
    if [ "$STARTUP" = timeout ]; then
        log "$p: no visible window within ${START_TIMEOUT_S}s (see $logf)"
        STARTUP=NA; return 1
    fi
    # the same criterion through xdotool, as a cross-check
    if ! penv xdotool search --onlyvisible --pid "$PLAYER_PID" >/dev/null 2>&1; then
        log "$p: warning: xdotool does not see a visible window of pid $PLAYER_PID"
    fi
}

# player_stop P: ask P to quit; TERM/KILL by PID if it does not. Sets QUIT.
player_stop() {
    local p=$1
    QUIT=killed
    if [ -n "$PLAYER_PID" ] && alive "$PLAYER_PID"; then
        if "${p}_quit" && wait_until 10 dead "$PLAYER_PID"; then
            QUIT=clean
        fi
        stop_tree "$PLAYER_PID"
    fi
    wait_until 8 dead "$LAUNCH_PID" || stop_pid "$LAUNCH_PID"
    reap "$LAUNCH_PID"
    LAUNCH_PID="" PLAYER_PID=""
}

# wait_state P STATE TIMEOUT_S [MIN_POS_MS]
wait_state() {
    local p=$1 want=$2 limit=$3 minpos=${4:--1} st pos
    local end=$(( ${EPOCHREALTIME/./} + limit * 1000000 ))
    while :; do
        read -r st pos < <("${p}_probe")
        if [ "$st" = "$want" ] && [ "${pos%.*}" -ge "$minpos" ] 2>/dev/null; then return 0; fi
        [ "${EPOCHREALTIME/./}" -ge "$end" ] && return 1
        sleep 0.2
    done
}

# pos_edge P: print "WALL POS_MS", the moment the reported position turned
# to POS_MS. Probes run back to back until the value changes; the change
# happened between the previous probe and this one, so WALL is the middle
# of the two. A player that reports whole seconds is thus read to about
# one probe's duration, not to a second; any fixed lag of the probes is the
# same at both ends of a window and cancels out of the pace.
pos_edge() {
    local p=$1 st p0 pos a b prev_mid mid
    a=$EPOCHREALTIME
    read -r st p0 < <("${p}_probe")
    b=$EPOCHREALTIME
    prev_mid=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.4f", (a + b) / 2 }')
    local end=$(( ${EPOCHREALTIME/./} + 3000000 ))
    while :; do
        a=$EPOCHREALTIME
        read -r st pos < <("${p}_probe")
        b=$EPOCHREALTIME
        mid=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.4f", (a + b) / 2 }')
        if [ "$pos" != "$p0" ] || [ "${b/./}" -ge "$end" ]; then
            awk -v m0="$prev_mid" -v m1="$mid" -v pos="$pos" \
                'BEGIN { printf "%.4f %s\n", (m0 + m1) / 2, pos }'
            return
        fi
        prev_mid=$mid
    done
}

# screenshot P: the whole virtual screen to shots/P.png
screenshot() {
    [ "$SHOTS" = 1 ] || return 0
    mkdir -p "$SHOT_DIR"
    tpenv 20 import -window root "$SHOT_DIR/$1.png" 2>>"$WORK/import.log" ||
        log "$1: screenshot failed"
}

# measure P RUN: one full run of player P
measure() {
    local p=$1 run=$2 home s1 s2 s3 s4 s5 s6 e1 e2 st pos0 pos1 names
    home=$(mktemp -d "$WORK/home-$p-XXXXXX")
    cp -a "$WORK/tpl-$p/." "$home/"
    rm -rf "$home/run" "$home/tmp" "$home/launch.result"
    session_start "$home" || { rm -rf "$home"; return 1; }
    log "$p run $run: start"
    if ! player_start "$p" "$home" "$WORK/$p-run$run.log"; then
        rec "$p" "$run" startup_s NA
        player_stop "$p"; session_end; rm -rf "$home"; return 1
    fi
    rec "$p" "$run" startup_s "$STARTUP"
    sleep "$SETTLE_S"
    s1=$(sample)
    rec "$p" "$run" idle_rss_kb "$(field "$s1" 0 2)"
    rec "$p" "$run" idle_pss_kb "$(field "$s1" 0 3)"
    sleep "$IDLE_S"
    s2=$(sample)
    rec "$p" "$run" idle_cpu "$(cpu_pct "$s1" "$s2" 0)"
    rec "$p" "$run" nproc "$(field "$s2" 0 4)"
    log "$p run $run: start-up ${STARTUP}s, idle RSS $(field "$s1" 0 2) kB, idle CPU $(cpu_pct "$s1" "$s2" 0)%"
    if [ "$run" = 1 ]; then
        names=$(tpenv 5 dbus-send --session --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.ListNames 2>/dev/null |
            grep -o '"org\.mpris\.MediaPlayer2[^"]*"' | tr -d '"' | paste -sd, -)
        rec "$p" "$run" mpris "${names:-none}"
    fi

    local minpos=1000
    if "${p}_play" "$AUDIO" && wait_state "$p" playing 15 "$minpos"; then
        e1=$(pos_edge "$p")
        s3=$(sample)
        sleep "$PLAY_S"
        s4=$(sample)
        e2=$(pos_edge "$p")
        rec "$p" "$run" play_cpu "$(cpu_pct "$s3" "$s4" 0)"
        rec "$p" "$run" play_xvfb_cpu "$(cpu_pct "$s3" "$s4" 1)"
        rec "$p" "$run" play_pulse_cpu "$(cpu_pct "$s3" "$s4" 2)"
        rec "$p" "$run" play_rss_kb "$(field "$s4" 0 2)"
        rec "$p" "$run" play_pss_kb "$(field "$s4" 0 3)"
        local pace
        pace=$(awk -v a="$e1" -v b="$e2" 'BEGIN { split(a, x, " "); split(b, y, " ");
            if (x[2] < 0 || y[2] < 0 || y[1] <= x[1]) print "NA";
            else printf "%.4f\n", (y[2] - x[2]) / 1000 / (y[1] - x[1]) }')
        rec "$p" "$run" pace "$pace"
        log "$p run $run: playing CPU $(cpu_pct "$s3" "$s4" 0)%, pace ${pace}x" \
            "($(awk -v a="$e1" -v b="$e2" 'BEGIN { split(a, x, " "); split(b, y, " ");
                printf "track %d -> %d ms over %.3f s of wall time", x[2], y[2], y[1] - x[1] }'))"
        case "$pace" in
            NA|0.9[5-9]*|1.0[0-4]*) ;;
            *) log "$p run $run: warning: playback not at real time (pace $pace)" ;;
        esac
        [ "$run" = 1 ] && screenshot "$p"
        "${p}_pause" >/dev/null 2>&1
        if wait_state "$p" paused 10; then
            sleep 1
            read -r st pos0 < <("${p}_probe")
            s5=$(sample)
            sleep "$PAUSE_S"
            s6=$(sample)
            read -r st pos1 < <("${p}_probe")
            rec "$p" "$run" pause_cpu "$(cpu_pct "$s5" "$s6" 0)"
            rec "$p" "$run" pause_pos_delta_ms "$(( ${pos1%.*} - ${pos0%.*} ))"
            log "$p run $run: paused CPU $(cpu_pct "$s5" "$s6" 0)%"
        else
            log "$p run $run: did not reach paused state"
        fi
    else
        log "$p run $run: playing a file is not supported or did not start; play figures n/a"
        [ "$run" = 1 ] && screenshot "$p"
    fi

    player_stop "$p"
    rec "$p" "$run" quit "$QUIT"
    session_end
    rm -rf "$home"
}

# prepare P: first start in a template HOME (writes config and plugin
# caches), adjust the config, then one unmeasured warm-up start with it
prepare() {
    local p=$1 tpl home
    tpl="$WORK/tpl-$p"
    mkdir -p "$tpl"
    session_start "$tpl" || return 1
    log "$p: first start to create its config"
    player_start "$p" "$tpl" "$WORK/$p-first.log" || { player_stop "$p"; session_end; return 1; }
    sleep 2
    player_stop "$p"
    session_end
    rm -rf "$tpl/run" "$tpl/tmp" "$tpl/launch.result" "$tpl/dbus.addr"
    "${p}_configure" "$tpl" || return 1
    home=$(mktemp -d "$WORK/home-$p-XXXXXX")
    cp -a "$tpl/." "$home/"
    session_start "$home" || return 1
    log "$p: warm-up start with the adjusted config"
    player_start "$p" "$home" "$WORK/$p-warmup.log" || { player_stop "$p"; session_end; return 1; }
    sleep 1
    player_stop "$p"
    session_end
    rm -rf "$home"
}

# decode_ref: the "limit" rows, ffmpeg and mpg123 decoding the whole file
decode_ref() {
    local run=$1 t
    local TIMEFORMAT='%R %U %S'
    t=$( { time ffmpeg -nostdin -v error -i "$AUDIO" -f s16le -y /dev/null 2>>"$WORK/decode.log"; } 2>&1 )
    rec ffmpeg "$run" decode_wall_s "$(echo "$t" | awk '{print $1}')"
    rec ffmpeg "$run" decode_cpu_s "$(echo "$t" | awk '{print $2 + $3}')"
    rec ffmpeg "$run" play_cpu "$(echo "$t" | awk -v d="$DURATION" '{printf "%.3f\n", ($2 + $3) / d * 100}')"
    t=$( { time mpg123 -q -s "$AUDIO" >/dev/null 2>>"$WORK/decode.log"; } 2>&1 )
    rec mpg123 "$run" decode_wall_s "$(echo "$t" | awk '{print $1}')"
    rec mpg123 "$run" decode_cpu_s "$(echo "$t" | awk '{print $2 + $3}')"
    rec mpg123 "$run" play_cpu "$(echo "$t" | awk -v d="$DURATION" '{printf "%.3f\n", ($2 + $3) / d * 100}')"
}

# ------------------------------------------------------------------- main

T_BEGIN=${EPOCHREALTIME/./}
for tool in Xvfb pulseaudio pactl dbus-daemon dbus-send xdotool import ffmpeg ffprobe mpg123 python3; do
    command -v "$tool" >/dev/null || die "missing tool: $tool"
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || die "missing python3-xlib for /usr/bin/python3"
for p in "${PLAYERS[@]}"; do
    declare -F "${p}_launch" >/dev/null || die "unknown player: $p"
    "${p}_check" || die "$p is not installed (or --tarvo DIR has no tarvo)"
done
HZ=$(getconf CLK_TCK)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/peers.XXXXXX")
mkdir -p "$OUT_DIR"
[ -n "$SHOT_DIR" ] || SHOT_DIR="$OUT_DIR/shots"
RESULTS="$OUT_DIR/results.tsv"
: >"$RESULTS"

if [ -z "$AUDIO" ]; then
    AUDIO="$WORK/test-5min-192k.mp3"
    log "generating the 5-minute 192 kbit/s test MP3"
    ffmpeg -nostdin -v error \
        -f lavfi -i "aevalsrc=0.25*sin(2*PI*110*t)+0.2*sin(2*PI*880*t)*(0.5+0.5*sin(2*PI*0.5*t))+0.15*sin(2*PI*(3000+2000*sin(2*PI*0.1*t))*t):s=44100:d=300" \
        -f lavfi -i "anoisesrc=d=300:c=pink:a=0.35:r=44100" \
        -filter_complex "[0:a][1:a]amix=inputs=2:normalize=0,aformat=channel_layouts=stereo" \
        -ac 2 -ar 44100 -c:a libmp3lame -b:a 192k -id3v2_version 3 \
        -metadata title="Peer test signal" -metadata artist="measure.sh" \
        -metadata album="Peer figures" \
        -y "$AUDIO" || die "could not make the test MP3"
else
    AUDIO=$(cd "$(dirname "$AUDIO")" && pwd)/$(basename "$AUDIO")
fi
DURATION=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$AUDIO")

log "starting Xvfb"
Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    8>"$WORK/xvfb.display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
wait_until 10 test -s "$WORK/xvfb.display" || die "Xvfb did not start (see its log)"
DISPLAY_NUM=":$(head -n 1 "$WORK/xvfb.display")"

log "starting a private sound server with a null sink (paced at real time)"
mkdir -p "$WORK/pa/home" "$WORK/pa/run" && chmod 700 "$WORK/pa/run"
printf 'autospawn = no\ndefault-server = unix:%s\n' "$WORK/pulse.sock" >"$WORK/pulse-client.conf"
env -i PATH=/usr/bin:/bin HOME="$WORK/pa/home" XDG_RUNTIME_DIR="$WORK/pa/run" \
    XDG_CONFIG_HOME="$WORK/pa/home/.config" \
    pulseaudio --daemonize=no --system=no --use-pid-file=no --exit-idle-time=-1 \
    --disallow-exit -n \
    --load="module-null-sink sink_name=peers_null rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$WORK/pulse.sock" \
    --log-target=stderr >"$WORK/pulse.log" 2>&1 &
PA_PID=$!
pa_ready() { PULSE_SERVER="unix:$WORK/pulse.sock" PULSE_CLIENTCONFIG="$WORK/pulse-client.conf" timeout 5 pactl info >/dev/null 2>&1; }
wait_until 15 pa_ready || die "sound server did not start"

for p in "${PLAYERS[@]}"; do
    prepare "$p" || die "$p: could not prepare its config"
done

# runs alternate between players so that drift hits all of them alike
for run in $(seq 1 "$RUNS"); do
    for p in "${PLAYERS[@]}"; do
        measure "$p" "$run" || log "$p run $run: failed"
    done
    decode_ref "$run"
done

T_END=${EPOCHREALTIME/./}
{
    echo "# Peer figures, $(date -u '+%Y-%m-%d %H:%M UTC'), $RUNS runs each"
    echo
    echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
    echo "test file: $(basename "$AUDIO"), ${DURATION} s; CPU windows: idle ${IDLE_S} s, playing ${PLAY_S} s, paused ${PAUSE_S} s"
    echo
    python3 "$HERE/table.py" "$RESULTS" "${PLAYERS[@]}"
    echo
    echo "whole run: $(( (T_END - T_BEGIN) / 1000000 )) s"
} | tee "$OUT_DIR/table.md"
