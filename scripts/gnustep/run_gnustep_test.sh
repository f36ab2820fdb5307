#!/usr/bin/env bash
# Runs one test command in a private session for GNUstep programs: its own Xvfb, its own
# distributed-notification server (GNUstep programs would otherwise start one that outlives them),
# and the fonts and text metrics of a Mac (gnustep_env.sh, kept under the state folder). Xvfb and
# the server are stopped afterwards, by process id.
#   run_gnustep_test.sh --state <dir> -- <command> [arguments...]
# The command sees DISPLAY, FONTCONFIG_FILE and GNUSTEP_CONFIG_FILE, and its exit code is the result.
set -euo pipefail

state=""
while (($#)); do
  case "$1" in
    --state) state=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -n "$state" && $# -gt 0 ]] || { echo "usage: $0 --state <dir> -- <command>..." >&2; exit 2; }

# shellcheck source=scripts/xvfb.sh
source "$(dirname "$0")/../xvfb.sh"
# shellcheck source=scripts/gnustep/gnustep_env.sh
source "$(dirname "$0")/gnustep_env.sh"
gnustep_env_init "$state"

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
