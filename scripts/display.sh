# shellcheck shell=bash
# Sourced by the scripts that need an X display. When none is set, uses the
# project's Xvfb on :77 (1280x720) and starts it if it is not running.
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:77
  if ! xdpyinfo >/dev/null 2>&1; then
    rm -f /tmp/.X77-lock /tmp/.X11-unix/X77  # left by a server that is gone
    setsid nohup Xvfb :77 -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
fi
