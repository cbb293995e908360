#!/usr/bin/env bash
# Writes every word of both gauge modules' published records, as one build made
# them, to a text file, one line a word; two builds' files compare with diff.
#
#   tools/dump-records.sh BUILD_DIR OUT_FILE [--symbols]
#
# Builds tools/dump_records.cpp with the build's own compiler and flags (so a -m32
# build is read as 32-bit), then reads BUILD_DIR/Marlow_Instr.so and Harrow_ASI.so.
# Code pointers show as "code"; with --symbols they also name their function (from
# nm), which helps to read a dump but makes two builds' dumps differ by name only.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 2 || $# -gt 3 || ( $# -eq 3 && $3 != --symbols ) ]]; then
  echo "usage: $0 BUILD_DIR OUT_FILE [--symbols]" >&2
  exit 2
fi
build=$1
out=$2
symbols=${3:-}

cache="$build/CMakeCache.txt"
if [[ ! -f $cache ]]; then
  echo "$0: $build is not a configured build (no CMakeCache.txt)" >&2
  exit 1
fi
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
compiler=$(cache_value CMAKE_CXX_COMPILER)
flags=$(cache_value CMAKE_CXX_FLAGS)

tool="$build/tools/dump_records"
mkdir -p "$build/tools"
# shellcheck disable=SC2086 # the flags are a list of words
"$compiler" $flags -std=c++20 -O1 -Wall -Wextra -I module tools/dump_records.cpp -ldl -o "$tool"

: >"$out"
for module in Marlow_Instr Harrow_ASI; do
  library="$build/$module.so"
  if [[ ! -f $library ]]; then
    echo "$0: $library is missing; build it first" >&2
    exit 1
  fi
  if [[ $symbols == --symbols ]]; then
    nm --defined-only -C "$library" >"$build/tools/$module.symbols"
    "$tool" "$library" "$build/tools/$module.symbols" >>"$out"
  else
    "$tool" "$library" >>"$out"
  fi
done
echo "$(wc -l <"$out") record lines of $build in $out"
