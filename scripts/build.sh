#!/usr/bin/env bash
# Configures and builds, in build/ (native) and build/win (Windows):
#   build.sh            everything: the native core and tests, the Windows
#                       program and tests (trellimux.exe into build/bin)
#   build.sh --program  only what running the program needs: trellimux.exe
#                       and the driver that the screenshot script uses
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DTRELLIMUX_SANITIZE=ON >/dev/null
if [ "${1:-}" = "--program" ]; then
  cmake --build "$root/build" --target trellimux_windows-configure >/dev/null
  cmake --build "$root/build/win" --target trellimux trellimux_driver
else
  cmake --build "$root/build"
fi
