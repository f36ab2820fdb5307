#!/usr/bin/env bash
# Launch benchmark on GNUstep (not a test; no threshold): the time from starting lcinstaller-mac to its
# first painted wizard frame, with the main job's demo hosts, beside a bare GNUstep program that
# paints one frame with a fill and one line of text, run interleaved; prints both medians and their
# ratio. Both see the fonts and text metrics of a Mac, as in the tests. Builds what it needs in
# build/mac first. Needs root (the private mount namespace of the demo hosts).
#   bash scripts/bench-launch-mac.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-9}
cmake --preset mac-gnustep >/dev/null
cmake --build --preset mac-gnustep --target lcinstaller-mac bare_launch_mac >/dev/null

PYTHONDONTWRITEBYTECODE=1 bash scripts/gnustep/run_gnustep_test.sh --state build/mac/gnustep -- \
  bash scripts/gnustep/private_mounts.sh -- \
  /usr/bin/python3 benchmarks/gnustep/launch_bench.py build/mac/lcinstaller-mac.app \
  build/mac/benchmarks/gnustep/bare_launch_mac "$runs"
