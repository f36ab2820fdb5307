#!/usr/bin/env bash
# Idle measurement under Wine (not a test): CPU time and wake-ups of lcinstaller-win over 10 idle
# seconds on the introduction page and on the last page after an installation. Builds what it needs
# in build/win first.
#   bash scripts/bench-idle-cpu.sh [seconds] [installer.exe]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
cmake --preset win >/dev/null
cmake --build --preset win --target lcinstaller-win window_probe >/dev/null
installer=$(realpath "${2:-build/win/lcinstaller-win.exe}")

LCINSTALLER_EXE="$installer" WINDOW_PROBE_EXE="$PWD/build/win/tests/installer_wine/window_probe.exe" \
INSTALLER_TEST_ARTIFACTS="$PWD/build/win/benchmarks/wine/artifacts" \
PYTHONPATH="$PWD/scripts/wine:$PWD/benchmarks/wine" PYTHONDONTWRITEBYTECODE=1 \
  bash scripts/wine/run_wine_test.sh --state build/win/wine --dpi 96 -- \
  python3 benchmarks/wine/idle_cpu.py "$seconds"
