#!/usr/bin/env bash
# Sets up and runs every test in the three builds: native 64-bit, 32-bit
# (the reference record layout) and AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
for preset in default m32 asan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
