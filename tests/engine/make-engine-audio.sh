#!/usr/bin/env bash
# Makes the engine tests' audio files: the shared set (../shared/fixtures/make-audio.sh) plus
# files only the engine needs. Build products, never committed.
#
# Usage: make-engine-audio.sh SHARED_SCRIPT OUTDIR
#
#   noise-44k1-stereo.wav / .flac / -192k.mp3   5 s of seeded white noise at half scale:
#                                               no two offsets look alike (seek accuracy)
#   long-3min-44k1-stereo-128k.mp3               3 minutes, 440 Hz (lengths of longer files)
#   sine440-22k05-mono.wav                       2 s, 22.05 kHz mono PCM
#   sine440-44k1-stereo.aiff                     2 s, AIFF (big-endian PCM)
#   sine440-44k1-stereo.mp2                      2 s, MPEG-1 Layer II
#   sine440-44k1-stereo.m4a                      2 s, AAC in MP4
# The MPEG-1 Layer I file and the WAV with an unknown codec are written by the tests.
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 SHARED_SCRIPT OUTDIR" >&2
    exit 2
fi
shared=$1
out=$2
mkdir -p -- "$out"
if [ "$out/.complete" -nt "$0" ] && [ "$out/.complete" -nt "$shared" ]; then
    exit 0 # made by an earlier run
fi
bash "$shared" "$out" >/dev/null

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
bitexact=(-map_metadata -1 -fflags +bitexact -flags:a +bitexact)

ff -f lavfi -i "anoisesrc=d=5:c=white:r=44100:a=0.5:seed=42" -ac 2 -c:a pcm_s16le "${bitexact[@]}" \
    "$out/noise-44k1-stereo.wav"
ff -i "$out/noise-44k1-stereo.wav" -c:a flac "${bitexact[@]}" "$out/noise-44k1-stereo.flac"
lame --quiet --noreplaygain --cbr -b 192 "$out/noise-44k1-stereo.wav" "$out/noise-44k1-stereo-192k.mp3"

ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=180" -ac 2 -f wav - |
    lame --quiet --noreplaygain --cbr -b 128 - "$out/long-3min-44k1-stereo-128k.mp3"

ff -f lavfi -i "aevalsrc=exprs=0.25*sin(2*PI*440*t):s=22050:c=mono:d=2" -c:a pcm_s16le \
    "${bitexact[@]}" "$out/sine440-22k05-mono.wav"
ff -i "$out/sine440-44k1-stereo-s16.wav" -c:a pcm_s16be "${bitexact[@]}" "$out/sine440-44k1-stereo.aiff"
ff -i "$out/sine440-44k1-stereo-s16.wav" -c:a mp2 -b:a 192k "${bitexact[@]}" "$out/sine440-44k1-stereo.mp2"
ff -i "$out/sine440-44k1-stereo-s16.wav" -c:a aac -b:a 128k "${bitexact[@]}" "$out/sine440-44k1-stereo.m4a"
touch "$out/.complete"
