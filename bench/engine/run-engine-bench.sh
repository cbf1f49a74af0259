#!/usr/bin/env bash
# Makes a 5-minute 44.1 kHz stereo MP3 (pink noise, independent per channel, with a tone; lame CBR 128 kbit/s) and
# runs the engine benchmark on it; prints the decode ratio against ffmpeg's CLI at the end.
#
# Usage: run-engine-bench.sh BUILD_DIR [benchmark args...]
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [benchmark args...]}
shift
mp3=$build/bench-5min.mp3
if [ ! -s "$mp3" ]; then
    ffmpeg -nostdin -hide_banner -loglevel error -y \
        -f lavfi -i "anoisesrc=d=300:c=pink:r=44100:a=0.2:seed=7" \
        -f lavfi -i "anoisesrc=d=300:c=pink:r=44100:a=0.2:seed=8" \
        -f lavfi -i "sine=frequency=220:sample_rate=44100:duration=300" \
        -filter_complex "[0][2]amix=inputs=2[l];[1][2]amix=inputs=2[r];[l][r]amerge=inputs=2" \
        -f wav - |
        lame --quiet --cbr -b 128 - "$mp3"
fi
json=$(mktemp)
trap 'rm -f "$json"' EXIT
TARVO_BENCH_MP3=$mp3 "$build/engine_bench" --benchmark_out="$json" --benchmark_out_format=json "$@"
python3 - "$json" <<'PY'
import json, sys
runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
ours = runs.get("BM_DecodeEngine", {}).get("real_time")
cli = runs.get("BM_DecodeFfmpegCli", {}).get("real_time")
if ours and cli:
    print(f"decode throughput ratio (ffmpeg CLI time / engine time): {cli / ours:.2f}")
PY
