# Shared by scripts/run and the end-to-end tests: starts Xvfb on a free display.
# start_xvfb: sets DISPLAY and XVFB_PID; stop_xvfb ends it.
# Xvfb picks the display itself (-displayfd) and says its number once it accepts connections:
# choosing a number here and starting a server on it races with tests started in parallel,
# and a test can end up on a server another test owns and stops.
start_xvfb() {
    local ready
    ready=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    XVFB_PID=$!
    local i n
    for i in $(seq 100); do
        n=$(head -n 1 "$ready")
        if [ -n "$n" ] && [ "$(wc -l <"$ready")" -ge 1 ]; then
            rm -f "$ready"
            export DISPLAY=":${n}"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$ready"
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
    echo "could not start Xvfb" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}
