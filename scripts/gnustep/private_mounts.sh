#!/usr/bin/env bash
# Runs a command in a private mount namespace in which /Applications and /Library are empty tmpfs
# folders of its own, so that what the command writes there (host fixtures, installed plug-ins)
# never reaches the machine's own folders and goes when the command ends. Needs root.
#   private_mounts.sh -- <command> [arguments...]
# The command also gets GNUSTEP_CONFIG_FILE, a GNUstep configuration (gnustep_env.sh) whose local
# library folder is /Library, as on macOS, so that the local application support folder lies inside
# it too, and whose user defaults are a fresh folder of their own: what one run remembers (the open
# panel's last folder) never reaches the next. The fonts are the caller's (FONTCONFIG_FILE).
set -euo pipefail

[[ "${1:-}" == "--" ]] && shift
(($#)) || { echo "usage: $0 -- <command>..." >&2; exit 2; }

if [[ "${LCSDK_PRIVATE_MOUNTS:-}" != "1" ]]; then
  ((EUID == 0)) || { echo "$0: needs root (unshare --mount and tmpfs mounts)" >&2; exit 1; }
  # The mount points themselves: on Linux these folders do not exist; they stay empty outside.
  mkdir -p /Applications /Library
  export LCSDK_PRIVATE_MOUNTS=1
  exec unshare --mount --propagation private -- bash "$0" -- "$@"
fi

mount -t tmpfs -o mode=0755 lcsdk-applications /Applications
mount -t tmpfs -o mode=0755 lcsdk-library /Library
# As on a Mac, the folders for preferences and application support are there from the start.
mkdir -p /Library/Preferences /Library/ApplicationSupport

# shellcheck source=scripts/gnustep/gnustep_env.sh
source "$(dirname "$0")/gnustep_env.sh"
config=$(mktemp -d)
defaults=$(mktemp -d)
trap 'rm -rf "$config" "$defaults"' EXIT
gnustep_write_config "$config" GNUSTEP_LOCAL_LIBRARY=/Library "GNUSTEP_USER_DEFAULTS_DIR=$defaults"

status=0
"$@" || status=$?
exit "$status"
