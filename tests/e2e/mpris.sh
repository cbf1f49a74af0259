#!/usr/bin/env bash
# The real player on a private session bus, driven by the desktop's own clients: playerctl for
# the MPRIS controls, dbus-monitor for what the player announces, and a second `tarvo FILE`
# that hands its file to the first and ends. The player starts with a tagged file of a folder
# of three, so previous and next have somewhere to go.
# usage: dbus-run-session -- mpris.sh BUILD_DIR AUDIO_DIR
set -euo pipefail
build=$1
audio=$2
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-lib.sh"
. "$here/e2e-lib.sh"
monitor=""
trap '[ -n "$monitor" ] && kill "$monitor" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus (run under dbus-run-session)"

mkdir "$work/folder"
cp "$audio/gbk-id3v1.mp3" "$work/folder/1 gbk.mp3"
cp "$audio/sine440-44k1-stereo-s16.wav" "$work/folder/2 sine.wav"
cp "$audio/id3v24-utf16be-enc2.mp3" "$work/folder/3 utf16.mp3"

dbus-monitor --session "type='signal',interface='org.freedesktop.DBus.Properties'" \
    "type='signal',member='Seeked'" >"$work/monitor.log" 2>&1 &
monitor=$!
start_xvfb
SDL_AUDIODRIVER=dummy "${posix_locale[@]}" "$build/tarvo" --quit-after 30 "$work/folder/2 sine.wav" \
    >"$work/log" 2>&1 &
player=$!
ctl() { playerctl -p tarvo "$@" 2>&1; }
for _ in $(seq 50); do
    [ "$(ctl status)" = Playing ] && break
    sleep 0.1
done
[ "$(ctl status)" = Playing ] || fail "the player did not come up playing (status: $(ctl status))"
expect() { [ "$2" = "$3" ] || fail "$1: '$2', expected '$3'"; }
expect "url" "$(ctl metadata xesam:url)" "file://$work/folder/2%20sine.wav"

ctl pause; sleep 0.3
expect "after pause" "$(ctl status)" Paused
ctl play-pause; sleep 0.3
expect "after play-pause" "$(ctl status)" Playing
ctl previous; sleep 0.3
expect "previous title" "$(ctl metadata xesam:title)" "你好世界"
expect "previous artist" "$(ctl metadata xesam:artist)" "歌手"
ctl next; ctl next; sleep 0.3
expect "next title" "$(ctl metadata xesam:title)" "Song 歌曲"
ctl position 1; sleep 0.2
position=$(ctl position)
awk "BEGIN { exit !($position >= 0.9 && $position < 1.6) }" || fail "position $position after a seek to 1 s"
ctl volume 0.25; sleep 0.2
expect "volume" "$(ctl volume)" "0.250000"
ctl stop; sleep 0.3
expect "after stop" "$(ctl status)" Stopped

# A second player with a file hands it over and ends at once; the first plays it.
timeout 10 env SDL_AUDIODRIVER=dummy "$build/tarvo" "$work/folder/1 gbk.mp3" >"$work/second.log" 2>&1 ||
    fail "the second player did not end by itself with 0: $(cat "$work/second.log")"
sleep 0.5
expect "handed-over title" "$(ctl metadata xesam:title)" "你好世界"
expect "handed-over status" "$(ctl status)" Playing

dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.tarvo /org/mpris/MediaPlayer2 \
    org.mpris.MediaPlayer2.Raise >/dev/null || fail "Raise was refused"
dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.tarvo /org/mpris/MediaPlayer2 \
    org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was refused"
for _ in $(seq 50); do
    kill -0 "$player" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$player" 2>/dev/null && fail "the player did not quit"
sleep 0.3
grep -q 'string "PlaybackStatus"' "$work/monitor.log" || fail "no PlaybackStatus change was announced"
grep -q 'string "Metadata"' "$work/monitor.log" || fail "no Metadata change was announced"
grep -q 'member=Seeked' "$work/monitor.log" || fail "the seek was not announced"
echo "MPRIS: status, metadata, transport, seek, volume, hand-over, Raise and Quit work; changes announced"
