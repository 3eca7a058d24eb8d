#!/usr/bin/env bash
# Configures and builds everything: the native core and tests in build/, the
# Windows program and tests in build/win (trellimux.exe into build/bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DTRELLIMUX_SANITIZE=ON >/dev/null
cmake --build "$root/build"
