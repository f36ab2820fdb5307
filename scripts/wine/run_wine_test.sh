#!/usr/bin/env bash
# Runs one test command inside a private Wine session: the shared throwaway prefix under the build
# folder, a screen DPI, and a private Xvfb; everything it started is stopped afterwards.
#   run_wine_test.sh --state <dir> [--dpi <n>] -- <command> [arguments...]
# The command sees DISPLAY, WINEPREFIX and WINE_BIN, and its exit code is the result.
set -euo pipefail

state=""
dpi=96
while (($#)); do
  case "$1" in
    --state) state=$2; shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -n "$state" && $# -gt 0 ]] || { echo "usage: $0 --state <dir> [--dpi <n>] -- <command>..." >&2; exit 2; }

# shellcheck source=scripts/wine/wine_env.sh
source "$(dirname "$0")/wine_env.sh"
wine_env_init "$state"
# One session per prefix at a time, whoever starts it (another ctest, another developer's shell):
# a second session's wineserver -k would end this one's programs.
exec 8>"$WINE_STATE_DIR/session.lock"
flock -w 1800 8 || { echo "timed out waiting for another Wine session on $WINEPREFIX" >&2; exit 1; }
wine_prefix_ensure

cleanup() {
  wine_session_stop
  xvfb_stop
}
trap cleanup EXIT

# A session from an earlier, interrupted run must not carry its settings into this one.
wine_session_stop
wine_set_dpi "$dpi"
xvfb_start

status=0
"$@" || status=$?
exit "$status"
