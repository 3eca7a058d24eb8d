#!/usr/bin/env bash
# Screenshots of each page at another screen scale and desktop size:
#   scale-screenshots.sh DPI WIDTHxHEIGHT [OUTDIR]
# e.g. "144 1920x1080" is a Full HD laptop at 150 %. Runs the program in a
# copy of the project's Wine prefix with LogPixels set to DPI and a virtual
# desktop of that size, on an X display of its own (:78), then hands over to
# screenshots.sh. Default OUTDIR: build/screenshots/DPI-WIDTHxHEIGHT.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=${1:?DPI}
size=${2:?WIDTHxHEIGHT}
out_dir=$(realpath -m "${3:-$root/build/screenshots/$dpi-$size}")

"$root/scripts/wine-run.sh" --init
prefix="$root/build/wineprefix-$dpi-$size"
if [ ! -d "$prefix" ]; then
  cp -a "$root/build/wineprefix" "$prefix"
  export WINEPREFIX=$prefix DISPLAY=:78
  [ -n "$(pgrep -f 'Xvfb :78')" ] || { setsid nohup Xvfb :78 -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 & sleep 1; }
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1
  wineserver -w
fi
export WINEPREFIX=$prefix DISPLAY=:78
[ -n "$(pgrep -f 'Xvfb :78')" ] || { setsid nohup Xvfb :78 -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 & sleep 1; }
exec "$root/scripts/screenshots.sh" "$out_dir"
