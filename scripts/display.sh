# Sourced: gives the scripts an X display with a window manager when they have none.

# Starts Xvfb (and openbox on it) unless DISPLAY already names a live display.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local number
  for number in $(seq 91 120); do
    [ -e "/tmp/.X${number}-lock" ] || break
  done
  Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  _XVFB_PID=$!
  export DISPLAY=":${number}"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  openbox >/dev/null 2>&1 &
  _OPENBOX_PID=$!
  trap 'kill ${_OPENBOX_PID:-} ${_XVFB_PID:-} 2>/dev/null || true' EXIT
  echo "started Xvfb with openbox on ${DISPLAY}"
}
