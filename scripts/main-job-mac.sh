#!/usr/bin/env bash
# Builds lcinstaller-mac.app for GNUstep and runs it in a private mount namespace whose
# /Applications holds three demo hosts and whose /Library holds a host preference file naming one
# more; nothing reaches the machine's own folders. Needs root.
#   With a display: the installer opens there, to be used as a user would.
#   Without one: it runs on a private Xvfb, walks through the four pages, answers the Authenticate
#   prompt, reaches "Finish", lists the installed bundles and names the folder holding a picture of
#   each page (and of the prompt).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake --preset mac-gnustep
cmake --build --preset mac-gnustep -j "$(nproc)" --target lcinstaller-mac

export LCINSTALLER_MAC_APP="$PWD/build/mac/lcinstaller-mac.app"
export INSTALLER_TEST_ARTIFACTS="$PWD/build/mac/installer-demo"
export PYTHONDONTWRITEBYTECODE=1
pictures="$INSTALLER_TEST_ARTIFACTS/screenshots-$(date +%Y%m%d-%H%M%S)"
demo=(/usr/bin/python3 scripts/installer_mac_demo.py --pictures "$pictures")

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  # The fonts and text metrics of a Mac, as the tests have them.
  # shellcheck source=scripts/gnustep/gnustep_env.sh
  source scripts/gnustep/gnustep_env.sh
  gnustep_env_init build/mac/gnustep
  exec bash scripts/gnustep/private_mounts.sh -- "${demo[@]}" --interactive
fi
exec bash scripts/gnustep/run_gnustep_test.sh --state build/mac/gnustep \
  -- bash scripts/gnustep/private_mounts.sh -- "${demo[@]}" --walk
