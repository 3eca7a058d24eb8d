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

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:77
  if ! xdpyinfo >/dev/null 2>&1; then
    rm -f /tmp/.X77-lock /tmp/.X11-unix/X77  # left by a server that is gone
    setsid nohup Xvfb :77 -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
fi

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
