#!/usr/bin/env bash
# Sets up, builds the modules and panelhost, renders the example panel to
# build/panel.png, and serves the workbench: the example panel live in the
# browser with its scenario (examples/scenario.json) playing. Ctrl-C stops it.
# Arguments go to `panelhost serve` (e.g. --port 9000, --panel FILE).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh run
cmake --preset default >/dev/null
# Only what serving needs; tools/test.sh builds the tests and benchmarks.
cmake --build --preset default --target panelhost Marlow_Instr Harrow_ASI

build/default/panelhost render --panel examples/panel.cfg --out build/panel.png \
  --set 61=120 --set 65=1300.48 --set 83=30 \
  --set 291=4389424 --set 297=8388610 --set 293=2795923 --set 299=0
exec build/default/panelhost serve "$@"
