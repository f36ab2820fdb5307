#!/usr/bin/env bash
# Builds lcinstaller-win.exe and runs it under Wine in a demo prefix in which three host versions
# are registered, each with its plug-in folder inside the prefix.
#   With a display: the installer opens there, to be used as a user would.
#   Without one: it runs on a private Xvfb, walks through the four pages to "Finish", and saves a
#   screenshot of each page in a folder named at the end.
# With the argument "mac": the same for lcinstaller-mac on GNUstep, in a private mount namespace
# whose /Applications holds three demo hosts and whose /Library holds a host preference file that
# names one more (scripts/main-job-mac.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "mac" ]]; then
  exec bash scripts/main-job-mac.sh
fi

bash scripts/setup-debian.sh
cmake --preset win
# The installer, and the probe that finds its window for the walk through the pages.
cmake --build --preset win -j "$(nproc)" --target lcinstaller-win window_probe

# shellcheck source=scripts/wine/wine_env.sh
source scripts/wine/wine_env.sh
wine_env_init build/win/installer-demo
wine_prefix_ensure

export LCINSTALLER_EXE="$PWD/build/win/lcinstaller-win.exe"
export WINDOW_PROBE_EXE="$PWD/build/win/tests/installer_wine/window_probe.exe"
export PYTHONPATH="$PWD/scripts/wine" PYTHONDONTWRITEBYTECODE=1
demo=(/usr/bin/python3 scripts/installer_demo.py --state "$WINE_STATE_DIR")

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  "${demo[@]}" --interactive
  exit
fi

cleanup() {
  wine_session_stop
  xvfb_stop
}
trap cleanup EXIT
wine_session_stop
xvfb_start
"${demo[@]}" --walk
