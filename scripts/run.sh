#!/usr/bin/env bash
# Builds trellimux.exe and the screenshot driver (not the tests). On a desktop
# (DISPLAY set) it then launches the program under Wine from its own folder,
# where ffmpeg.exe and ffprobe.exe lie beside it; without a display it takes a
# screenshot of every page instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" --program
if [ -z "${DISPLAY:-}" ]; then
  bash "$root/scripts/screenshots.sh" "$root/build/screenshots"
  echo "No display is set, so the program ran on a virtual one: see $root/build/screenshots."
  exit 0
fi
cd "$root/build/bin"
status=0
"$root/scripts/wine-run.sh" trellimux.exe || status=$?
echo "trellimux.exe ended with exit code $status."
exit "$status"
