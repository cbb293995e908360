#!/bin/sh
# `panelhost serve` tells in the terminal what the page lists as problems (those of
# the panel file when it starts, new ones when the file changes while it runs) and
# each module it loads again once rebuilt.
# Usage: serve_terminal_messages.sh PANELHOST MARLOW_MODULE WORK_DIR
set -u
panelhost=$1 module=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cp "$module" "$work/Marlow_Instr.so" || exit 1
panel=$work/panel.cfg
output=$work/output.txt
printf '[Window00]\nsize_mm=200,100\ngauge00=Marlow_Instr!Airspeed, 0, 0, 100\ngauge01=Foreign_Gauges!Clock, 100, 0, 100\n' > "$panel"
"$panelhost" serve --port 0 --panel "$panel" --scenario "" > "$output" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT

# Waits up to 30 s for the output to hold the pattern.
wait_for() {
    tries=0
    until grep -q "$1" "$output"; do
        tries=$((tries + 1))
        if [ $tries -gt 300 ] || ! kill -0 $server 2>/dev/null; then
            echo "not printed: $1"; cat "$output"; exit 1
        fi
        sleep 0.1
    done
}

wait_for 'workbench at'
wait_for 'panel.cfg:4: module Foreign_Gauges not found.*1 placement (line 4)'
printf 'gauge02=Nowhere_Gauges!Dial, 0, 0, 50\nbroken line\n' >> "$panel"
wait_for 'panel.cfg:5: module Nowhere_Gauges not found'
wait_for 'panel.cfg:6: '
if [ "$(grep -c 'Foreign_Gauges not found' "$output")" != 1 ]; then
    echo "a problem still there after the reload was printed again"; cat "$output"; exit 1
fi
# A build writes the module anew.
cp "$module" "$work/Marlow_Instr.so.new" && touch -d '+5 seconds' "$work/Marlow_Instr.so.new" &&
    mv "$work/Marlow_Instr.so.new" "$work/Marlow_Instr.so" || exit 1
wait_for "Marlow_Instr loaded again from $work/Marlow_Instr.so (load 2)"
echo "printed: the panel's problems at the start and after it changed, and the module loaded again"
