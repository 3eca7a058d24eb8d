#!/usr/bin/env bash
# Builds the probe report fuzzer with clang (libFuzzer, address and undefined
# behaviour sanitizers, leak checks) and runs it for a bounded time, seeded
# with real reports of the sample media.
#   run-fuzzer.sh WORK_DIR SAMPLES_DIR [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1 samples=$2 seconds=${3:-30}
mkdir -p "$work/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root/tests/fuzz/ProbeReportFuzzer.cpp" "$root/src/probe/ProbeReport.cpp" \
  -o "$work/probe_report_fuzzer"
for sample in "$samples"/*.ts "$samples"/*.mp4 "$samples"/*.mkv; do
  name=$(basename "$sample")
  ffprobe -v quiet -print_format default -show_format -show_streams "$sample" \
    | sed 's/$/\r/' > "$work/corpus/$name.report"
done
"$work/probe_report_fuzzer" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" 2>&1 | tail -n 12
