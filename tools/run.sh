#!/usr/bin/env bash
# Sets up, builds the modules and panelhost, and shows what the instrument module
# publishes and draws: every gauge placed and updated once with sample values.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default

build/default/panelhost show build/default/Marlow_Instr.so \
  --set 61=120 --set 65=1300.48 --set 83=90 \
  --set 291=4389424 --set 297=8388610 --set 293=2795923 --set 299=0
