#!/usr/bin/env bash
# Sets up a Debian 12 machine and runs every test: the neutral unit tests, the same under
# AddressSanitizer/UndefinedBehaviorSanitizer, the tests with the installation's worker thread under
# ThreadSanitizer, the Windows build's tests under Wine, and the Cocoa build's tests on GNUstep,
# among them the clang check of every Objective-C++ and Cocoa source (scripts/gnustep/clang_check.py).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh

jobs=$(nproc)

echo "== neutral build and unit tests"
cmake --preset host
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"

echo "== unit tests under the sanitizers"
cmake --preset host-sanitize
cmake --build --preset host-sanitize -j "$jobs"
ctest --preset host-sanitize -j "$jobs"

echo "== worker-thread tests under ThreadSanitizer"
cmake --preset host-tsan
cmake --build --preset host-tsan -j "$jobs"
ctest --preset host-tsan -j "$jobs"

echo "== Windows build and its tests under Wine (headless: the harness starts Xvfb)"
cmake --preset win
cmake --build --preset win -j "$jobs"
ctest --preset win

echo "== Cocoa build on GNUstep and its tests, the clang check included (headless: the harness starts Xvfb)"
cmake --preset mac-gnustep
cmake --build --preset mac-gnustep -j "$jobs"
ctest --preset mac-gnustep
