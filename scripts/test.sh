#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native
# core tests, the tests against the real FFmpeg tools, the parser fuzzer, and
# the Windows tests under Wine. Ends with ctest's summary line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure
