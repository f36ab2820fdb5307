# shellcheck shell=bash
# A private X server for headless GUI tests. Source it, then:
#   xvfb_start [WxHxD]   start Xvfb on a display number it picks itself (-displayfd), export DISPLAY
#   xvfb_stop            stop that server, by its process id
# Every wait is bounded.

xvfb_start() {
  local size=${1:-1024x768x24}
  local numberfile
  numberfile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 "$size" -nolisten tcp -noreset 5>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local waited=0
  while [[ ! -s "$numberfile" ]]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || ((waited >= 200)); then
      echo "Xvfb did not start" >&2
      rm -f "$numberfile"
      xvfb_stop
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  DISPLAY=":$(head -n1 "$numberfile" | tr -d '[:space:]')"
  export DISPLAY XVFB_PID
  rm -f "$numberfile"
}

xvfb_stop() {
  if [[ -n "${XVFB_PID:-}" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    unset XVFB_PID
  fi
}
