#!/usr/bin/env bash
# Launch benchmark under Wine (not a test; no threshold): the time from starting lcinstaller-win
# unelevated to its first painted wizard frame, beside a bare program that relaunches itself the
# same way and paints one Direct2D frame with one line of text, run interleaved; prints both medians
# and their ratio. Builds what it needs in build/win first.
#   bash scripts/bench-launch.sh [runs] [installer.exe]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-9}
cmake --preset win >/dev/null
cmake --build --preset win --target lcinstaller-win bare_launch window_probe >/dev/null
installer=$(realpath "${2:-build/win/lcinstaller-win.exe}")

PYTHONPATH="$PWD/scripts:$PWD/scripts/wine:$PWD/benchmarks/wine" PYTHONDONTWRITEBYTECODE=1 \
  bash scripts/wine/run_wine_test.sh --state build/win/wine --dpi 96 -- \
  python3 benchmarks/wine/launch_bench.py "$installer" build/win/benchmarks/wine/bare_launch.exe \
  build/win/tests/installer_wine/window_probe.exe "$runs"
