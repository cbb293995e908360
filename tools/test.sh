#!/usr/bin/env bash
# Sets up and runs every test in the five builds: native 64-bit, 32-bit (the
# reference record layout), AddressSanitizer + UndefinedBehaviorSanitizer, short
# libFuzzer runs (clang), and the Windows modules for the real host (cross-built;
# their exports, imports and resources checked, and the host core's tests run on
# them under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
for preset in default m32 asan fuzz win32; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
