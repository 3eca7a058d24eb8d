#!/usr/bin/env bash
# Takes a screenshot of each page of the built trellimux.exe under Wine:
#   screenshots.sh [OUTDIR]   (default build/screenshots)
# Starts the program from build/bin, answers its agreement box, shows the pages
# one by one with trellimux_driver.exe and crops the X display to the window.
# Needs scripts/build.sh to have run (TRELLIMUX_BIN_DIR and TRELLIMUX_DRIVER
# name other builds of the program and of the driver).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out_dir=$(realpath -m "${1:-$root/build/screenshots}")
bin_dir="${TRELLIMUX_BIN_DIR:-$root/build/bin}"
driver_exe="${TRELLIMUX_DRIVER:-$root/build/win/trellimux_driver.exe}"
wine_run="$root/scripts/wine-run.sh"
pages=(information concat convert trim)

for file in "$bin_dir/trellimux.exe" "$driver_exe"; do
  [ -f "$file" ] || { echo "screenshots: $file is missing; run scripts/build.sh" >&2; exit 1; }
done
# The same display for Wine and for import.
source "$root/scripts/display.sh"
"$wine_run" --init

driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r'; }

(cd "$bin_dir" && exec "$wine_run" trellimux.exe) &
program=$!
stop_program() {
  if kill -0 "$program" 2>/dev/null; then
    driver close >/dev/null 2>&1 || kill "$program" 2>/dev/null || true
  fi
}
trap stop_program EXIT

driver agree
# Wine's virtual desktop is one X window; window rects are relative to it.
desktop=$(xwininfo -root -tree | awk '/Wine desktop/ { print $1; exit }')
[ -n "$desktop" ] || { echo "screenshots: no Wine desktop window on $DISPLAY" >&2; exit 1; }
desktop_x=$(xwininfo -id "$desktop" | awk '/Absolute upper-left X/ { print $NF }')
desktop_y=$(xwininfo -id "$desktop" | awk '/Absolute upper-left Y/ { print $NF }')

mkdir -p "$out_dir"
for page in "${!pages[@]}"; do
  driver page "$page"
  rect=$(driver rect)
  read -r x y w h <<<"$rect"
  sleep 0.3  # Wine hands the painted window to X once the program is idle again
  file="$out_dir/page-$page-${pages[$page]}.png"
  import -display "$DISPLAY" -window root \
    -crop "${w}x${h}+$((desktop_x + x))+$((desktop_y + y))" +repage "$file"
done

driver close
status=0
wait "$program" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || { echo "screenshots: trellimux.exe ended with exit code $status" >&2; exit 1; }
echo "screenshots: the pages are in $out_dir:"
for page in "${!pages[@]}"; do echo "  page-$page-${pages[$page]}.png"; done
