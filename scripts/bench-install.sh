#!/usr/bin/env bash
# Installation run benchmark under Wine (not a test; no threshold): the Windows engine writing the
# plug-in for one version, timed inside the process; prints the median run. Given a second
# install_run.exe (built from another revision), runs both interleaved and prints both medians.
# Builds what it needs in build/win first.
#   bash scripts/bench-install.sh [rounds] [other install_run.exe]
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-9}
cmake --preset win >/dev/null
cmake --build --preset win --target install_run >/dev/null
programs=("$PWD/build/win/benchmarks/wine/install_run.exe")
if (($# > 1)); then
  programs+=("$(realpath "$2")")
fi

# A prefix of its own: the runs make the vendor folder in the prefix's application data folder,
# which the tests' prefix must not have.
PYTHONPATH="$PWD/scripts/wine" PYTHONDONTWRITEBYTECODE=1 \
  bash scripts/wine/run_wine_test.sh --state build/win/wine-bench --dpi 96 -- \
  python3 benchmarks/wine/install_bench.py "$rounds" "${programs[@]}"
