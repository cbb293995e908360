#!/usr/bin/env bash
# Sets up, builds the modules and panelhost, and renders the example panel with
# the aircraft climbing out at 120 knots, heading 030, tanks partly full.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default

build/default/panelhost render --panel examples/panel.cfg --out build/panel.png \
  --set 61=120 --set 65=1300.48 --set 83=30 \
  --set 291=4389424 --set 297=8388610 --set 293=2795923 --set 299=0
echo "Open build/panel.png to see the panel; build/default/panelhost gallery --out build/gallery"
echo "draws every gauge in its named states (build/gallery/index.html)."
