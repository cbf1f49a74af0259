# Shared by the snow test and the snow CPU figures (sourced, with `work` set and Xvfb running).
# The scene: edge-window's test window at left 500, top 200, 600 x 400 (its body starts at
# y = 230) and the player beside it. Every process started is added to `pids`.

# start_edge_window EDGE_WINDOW: returns once the test window is on the screen.
start_edge_window() {
    "$1" 500 200 600 400 >"$work/edge.log" &
    pids+=($!)
    local _
    for _ in $(seq 50); do grep -qs ready "$work/edge.log" && return 0; sleep 0.1; done
    echo "FAIL: the test window did not appear" >&2
    return 1
}

# start_player BUILD_DIR QUIT_AFTER: starts the player with its output in $work/log; sets
# `player` and the main window's X, Y, WIDTH and HEIGHT once it is mapped.
start_player() {
    SDL_AUDIODRIVER=dummy "$1/tarvo" --quit-after "$2" >"$work/log" 2>&1 &
    player=$!
    pids+=("$player")
    local id="" _
    for _ in $(seq 60); do
        id=$(xdotool search --onlyvisible --pid "$player" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "FAIL: no main window appeared" >&2; return 1; }
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$id")"
}

# The snowflake tile 图片框6 (98, 180, 50 x 50 in the main window's layout) and the exit button
# (280, 0, 41 x 16).
press_tile() { xdotool mousemove $((X + 123)) $((Y + 205)) click 1; }
press_exit() { xdotool mousemove $((X + 300)) $((Y + 8)) click 1; }
