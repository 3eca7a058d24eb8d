#!/usr/bin/env bash
# Takes screenshots of the built trellimux.exe under Wine:
#   screenshots.sh [OUTDIR]   each page as it opens (default build/screenshots)
#   screenshots.sh --docs     the pictures of the user guide, docs/images/*.png:
#                             each page with sample recordings loaded
# Starts the program from build/bin, answers its agreement box, drives it with
# trellimux_driver.exe and crops the X display to the window. Needs
# scripts/build.sh --program to have run (TRELLIMUX_BIN_DIR and
# TRELLIMUX_DRIVER name other builds of the program and of the driver).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
docs=false
if [ "${1:-}" = "--docs" ]; then
  docs=true
  out_dir="$root/docs/images"
else
  out_dir=$(realpath -m "${1:-$root/build/screenshots}")
fi
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
if $docs; then
  # The guide's pictures show the program where a user puts it, C:\Trellimux
  # (its Temp folder shows in the Trim commands).
  app_dir="${WINEPREFIX:-$root/build/wineprefix}/drive_c/Trellimux"
  mkdir -p "$app_dir"
  for tool in trellimux.exe ffmpeg.exe ffprobe.exe; do ln -sf "$bin_dir/$tool" "$app_dir/$tool"; done
  bin_dir=$app_dir
fi

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
# awk reads to the end: leaving early would end xwininfo with SIGPIPE, which
# pipefail makes the script's end.
desktop=$(xwininfo -root -tree | awk '/Wine desktop/ && !found { print $1; found = 1 }')
[ -n "$desktop" ] || { echo "screenshots: no Wine desktop window on $DISPLAY" >&2; exit 1; }
desktop_x=$(xwininfo -id "$desktop" | awk '/Absolute upper-left X/ { print $NF }')
desktop_y=$(xwininfo -id "$desktop" | awk '/Absolute upper-left Y/ { print $NF }')

mkdir -p "$out_dir"
shot_names=()
# shoot NAME: the main window as OUTDIR/NAME.png (no time stamps inside, so
# an unchanged window gives the same file).
shoot() {
  local x y w h
  read -r x y w h <<<"$(driver rect)"
  sleep 0.3  # Wine hands the painted window to X once the program is idle again
  import -display "$DISPLAY" -window root \
    -crop "${w}x${h}+$((desktop_x + x))+$((desktop_y + y))" +repage \
    -define png:exclude-chunks=date,time "$out_dir/$1.png"
  shot_names+=("$1.png")
}

if $docs; then
  source "$root/scripts/docs-pictures.sh"
else
  for page in "${!pages[@]}"; do
    driver page "$page"
    shoot "page-$page-${pages[$page]}"
  done
fi

driver close
status=0
wait "$program" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || { echo "screenshots: trellimux.exe ended with exit code $status" >&2; exit 1; }
echo "screenshots: the pictures are in $out_dir:"
for name in "${shot_names[@]}"; do echo "  $name"; done
