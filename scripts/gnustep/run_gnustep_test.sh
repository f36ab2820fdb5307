#!/usr/bin/env bash
# Runs one test command in a private session for GNUstep programs: its own Xvfb and its own
# distributed-notification server (GNUstep programs would otherwise start one that outlives them).
# Both are stopped afterwards, by process id.
#   run_gnustep_test.sh -- <command> [arguments...]
# The command sees DISPLAY, and its exit code is the result.
set -euo pipefail

[[ "${1:-}" == "--" ]] && shift
(($#)) || { echo "usage: $0 -- <command>..." >&2; exit 2; }

# shellcheck source=scripts/xvfb.sh
source "$(dirname "$0")/../xvfb.sh"

GDNC_PID=""
cleanup() {
  if [[ -n "$GDNC_PID" ]]; then
    kill "$GDNC_PID" 2>/dev/null || true
    wait "$GDNC_PID" 2>/dev/null || true
  fi
  xvfb_stop
}
trap cleanup EXIT

# The server registers the name "GDNCServer" (a file named by its base64 form); programs started
# before that would launch a server of their own.
names="${TMPDIR:-/tmp}/GNUstepSecure$(id -u)/NSMessagePort/names"
registered="$names/$(printf 'GDNCServer' | base64)"
started=$(date +%s)
gdnc --no-fork >/dev/null 2>&1 &
GDNC_PID=$!
waited=0
until [[ -f "$registered" && $(stat -c %Y "$registered") -ge $started ]]; do
  if ! kill -0 "$GDNC_PID" 2>/dev/null; then
    # Another session's server already holds the name; programs use that one.
    GDNC_PID=""
    break
  fi
  ((waited < 100)) || { echo "the notification server did not register" >&2; exit 1; }
  sleep 0.1
  waited=$((waited + 1))
done

xvfb_start

status=0
"$@" || status=$?
exit "$status"
