# Shared by the end-to-end tests.
# "${posix_locale[@]}" COMMAND...: runs a command with no locale set, as on a new machine
# (env replaces itself with the command, so $! of a background run is the command's pid).
posix_locale=(env -u LANG -u LANGUAGE -u LC_ALL -u LC_CTYPE -u LC_MESSAGES)

# player_window PID: prints the X window id of the process's first top-level window, waiting
# up to 6 s for it. By process, not by caption: a caption search depends on the locale.
player_window() {
    local id=""
    for _ in $(seq 60); do
        id=$(xdotool search --pid "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# window_caption ID: the window's UTF-8 caption.
window_caption() {
    xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}
