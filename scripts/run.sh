#!/usr/bin/env bash
# Builds Trellimux and launches it under Wine from its own folder, where
# ffmpeg.exe and ffprobe.exe lie beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
cd "$root/build/bin"
status=0
"$root/scripts/wine-run.sh" trellimux.exe || status=$?
echo "trellimux.exe ended with exit code $status (the main window comes with a later step)."
exit "$status"
