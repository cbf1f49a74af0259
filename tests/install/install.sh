#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks the installed
# copy on its own: the tree (program directory, relative link, .desktop file, icons), that no
# installed program or library looks into the build or source tree for what it loads, that the
# .desktop file is valid and names only registered audio types, and that the installed player,
# started through bin/tarvo under Xvfb, answers --help, comes up with the demo tune loaded from
# its own program directory and plays it after a click on play.
# usage: install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
. "$source/scripts/xvfb-lib.sh"
. "$source/tests/e2e/e2e-lib.sh"
work=$(mktemp -d)
prefix="$work/prefix"
trap 'stop_xvfb; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; fail "cmake --install failed"; }

# The tree.
program="$prefix/lib/tarvo"
for file in tarvo libbass.so 2.mp3; do
    [ -f "$program/$file" ] || fail "no $file in the program directory lib/tarvo"
done
[ -x "$program/tarvo" ] || fail "lib/tarvo/tarvo is not executable"
# Every engine library that the build puts beside the player is installed beside it too.
for library in "$build"/lib*.so; do
    [ -f "$program/$(basename "$library")" ] || fail "$(basename "$library") is not installed"
done
[ -L "$prefix/bin/tarvo" ] || fail "bin/tarvo is not a symbolic link"
[ "$(readlink "$prefix/bin/tarvo")" = "../lib/tarvo/tarvo" ] ||
    fail "bin/tarvo points to $(readlink "$prefix/bin/tarvo"), not ../lib/tarvo/tarvo"
desktop="$prefix/share/applications/tarvo.desktop"
[ -f "$desktop" ] || fail "no share/applications/tarvo.desktop"
icons=0
while IFS= read -r icon; do
    installed="$prefix/share/icons/hicolor/${icon#"$source/assets/icons/hicolor/"}"
    cmp -s "$icon" "$installed" || fail "${installed#"$prefix/"} is not the skin's icon"
    icons=$((icons + 1))
done < <(find "$source/assets/icons/hicolor" -name tarvo.png)
for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/tarvo.png"
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
        fail "no ${size}x${size} icon in the hicolor theme"
done

# Nothing installed loads from the build or the source tree: no run path into them, and every
# library the dynamic linker resolves lies elsewhere.
for elf in "$program/tarvo" "$program"/*.so; do
    if readelf -d "$elf" | grep -E 'R(UN)?PATH' | grep -qF -e "$build" -e "$source"; then
        fail "$(basename "$elf") has a run path into the build or source tree"
    fi
    ldd "$elf" >"$work/ldd" || fail "ldd cannot read $(basename "$elf")"
    ! grep -q 'not found' "$work/ldd" || fail "$(basename "$elf") misses libraries: $(cat "$work/ldd")"
    ! grep -qF -e "$build" -e "$source" "$work/ldd" || fail "$(basename "$elf") links from the build tree"
done

# The .desktop file: valid (no error, warning or hint), opens files, and every MIME type it
# claims is a type of the shared MIME database by its own name, not an alias.
desktop-file-validate "$desktop" >"$work/validate" 2>&1 || true
[ ! -s "$work/validate" ] || fail "desktop-file-validate: $(cat "$work/validate")"
grep -qx 'Exec=tarvo %F' "$desktop" || fail "the .desktop file does not start tarvo with %F"
grep -qx 'Icon=tarvo' "$desktop" || fail "the .desktop file does not name the tarvo icon"
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[ -n "$types" ] || fail "the .desktop file names no MIME types"
for type in $types; do
    case "$type" in audio/*) ;; *) fail "$type is not an audio type" ;; esac
    grep -qxF "$type" /usr/share/mime/types || fail "$type is not a registered MIME type"
done

# The installed player, through the link and from outside the build tree, under Xvfb (the
# player wants a display before it reads its options): --help lists the options.
cd "$work"
start_xvfb
"$prefix/bin/tarvo" --help >"$work/help" 2>&1 || fail "tarvo --help exited with $? ($(cat "$work/help"))"
grep -q -- '--screenshot' "$work/help" || fail "tarvo --help does not list --screenshot"

# The window comes up with the demo tune of its own program directory (its name in the
# caption), the engine is the installed one, and a click on play plays: two seconds later,
# within the 4.8 s tune, the window shows the pause button and an LED time past 00:00. The
# player's own screenshot, when it quits, shows that --screenshot works from the installed copy.
shot="$work/installed.png"
LD_DEBUG=libs,files LD_DEBUG_OUTPUT="$work/loads" SDL_AUDIODRIVER=dummy "${posix_locale[@]}" \
    "$prefix/bin/tarvo" --screenshot "$work/own.png" --quit-after 4 >"$work/log" 2>&1 &
player=$!
caption=""
wm_class=""
if id=$(player_window "$player"); then
    caption=$(window_caption "$id")
    wm_class=$(xprop -id "$id" WM_CLASS)
    sleep 0.5
    # The play button's centre (its place in the layout: 165, 135, 25 x 25).
    click_in_window "$id" 177 147
    sleep 2
    window_shot "$id" "$shot"
fi
status=0
wait "$player" || status=$?
cat "$work/log"
[ -n "$caption" ] || fail "no main window appeared"
[ "$status" -eq 0 ] || fail "the installed player exited with $status"
case "$caption" in
*"Tarvo 演示曲"*) ;;
*) fail "the caption is '$caption': the demo tune beside the installed player was not loaded" ;;
esac
case "$wm_class" in
*'"tarvo"') ;;
*) fail "the window's class is not tarvo, as the .desktop file says ($wm_class)" ;;
esac
# The dynamic linker's own account: the engine came from lib/tarvo, and it neither searched
# nor opened anything in the build or source tree.
grep -qF "file=$program/libbass.so " "$work"/loads.* ||
    fail "the engine was not loaded from the installed program directory"
if grep -hF -e "$build" -e "$source" "$work"/loads.* | head -n 5; then
    fail "the dynamic linker looked into the build or source tree (lines above)"
fi
[ "$(identify -format '%wx%h' "$work/own.png" 2>/dev/null)" = "320x355" ] ||
    fail "the installed player saved no screenshot of its window"
shows_picture "$shot" 165 135 "$source/assets/main/pause-2.jpg" "$source/assets/main/play-2.jpg" \
    "$work" || fail "the pause button is not shown: the installed player does not play"
time=$(led_reading "$shot" "$source" "$work")
case "$time" in
"" | 00:00) fail "the LED time did not move (${time:-no time it knows})" ;;
esac
echo "installed into $prefix: $icons icons, $(echo $types | wc -w) MIME types; plays, LED $time"
