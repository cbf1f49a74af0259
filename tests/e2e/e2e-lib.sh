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

# window_caption ID: the window's UTF-8 caption, as bytes whatever the locale (xprop would
# escape them outside a UTF-8 locale).
window_caption() {
    xdotool getwindowname "$1"
}

# click_in_window ID X Y: clicks the left button at the window's point (X, Y).
click_in_window() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

# window_shot ID FILE: saves what the screen shows of the window as a PNG.
window_shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

# picture_difference A B: the normalised RMSE between two pictures of one size, 0 to 1
# (compare exits 1 when they differ at all: only its figure matters here).
picture_difference() {
    { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'
}

# shows_picture SHOT LEFT TOP PICTURE OTHER WORK_DIR: true when the part of SHOT at
# (LEFT, TOP) shows PICTURE (closely, and closer than OTHER, a picture of the same size);
# prints both differences.
shows_picture() {
    local shot=$1 left=$2 top=$3 picture=$4 other=$5 work=$6
    convert "$shot" -crop "$(identify -format '%wx%h' "$picture")+$left+$top" +repage "$work/part.png"
    convert "$picture" "$work/picture.png"
    convert "$other" "$work/other.png"
    local to_picture to_other
    to_picture=$(picture_difference "$work/part.png" "$work/picture.png")
    to_other=$(picture_difference "$work/part.png" "$work/other.png")
    echo "difference to $(basename "$picture") $to_picture, to $(basename "$other") $to_other"
    awk "BEGIN { exit !($to_picture < 0.05 && $to_picture < $to_other) }"
}

# led_reading SHOT SOURCE_DIR WORK_DIR: prints the time 00:00 to 00:09 that the LED display
# shows in SHOT (at its place after start-up: 240, 32), cut from the LED strip's 13 x 20
# glyphs; prints nothing when it shows none of them.
led_reading() {
    local shot=$1 source=$2 work=$3 g s wrong
    for g in 0 1 2 3 4 5 6 7 8 9 10; do
        convert "$source/assets/led/digits.bmp" -crop "13x20+$((g * 13))+0" +repage "$work/g$g.png"
    done
    convert "$shot" -crop 65x20+240+32 +repage "$work/led.png"
    for s in 0 1 2 3 4 5 6 7 8 9; do
        convert "$work/g0.png" "$work/g0.png" "$work/g10.png" "$work/g0.png" "$work/g$s.png" \
            +append "$work/led$s.png"
        wrong=$({ compare -metric AE -fuzz 10% "$work/led.png" "$work/led$s.png" null: 2>&1 ||
            true; } | awk '{ print int($1) }')
        if [ "$wrong" -le 4 ]; then
            echo "00:0$s"
            return 0
        fi
    done
}
