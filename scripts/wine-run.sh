#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, on an X
# display (a project Xvfb on :77 when no display is set) and inside Wine's
# virtual desktop, which spares the 2 s wait for a window manager at every
# hide or close of a top-level window. Exit code: the program's.
#   wine-run.sh --init        create the prefix if it is missing
#   wine-run.sh PROGRAM ARGS  run a program
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"  # no Mono/Gecko prompts

source "$root/scripts/display.sh"

ready="$WINEPREFIX/.trellimux-ready"
if [ ! -f "$ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x720 /f >/dev/null 2>&1
  wineserver -k || true
  touch "$ready"
fi

[ "${1:-}" = "--init" ] && exit 0
exec wine "$@"
