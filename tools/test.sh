#!/usr/bin/env bash
# Sets up and runs every test in the five builds: native 64-bit (with the browser
# tests), 32-bit (the reference record layout), AddressSanitizer +
# UndefinedBehaviorSanitizer, short libFuzzer runs (clang), and the Windows modules
# for the real host (cross-built; their exports, imports and resources checked, and
# the host core's tests run on them under Wine).
#
# A build whose tools setup could not install is skipped and said so; when only
# Wine is missing, the Windows modules are still built and checked and every test
# that needs no Wine runs. Every build runs even when an earlier one failed; the
# last lines give each build's result. Fails when a test that ran failed, or when
# anything but the Wine runs was skipped. Each build's output is kept in
# build/test-logs/PRESET.log.
set -uo pipefail
cd "$(dirname "$0")/.."

setup_ok=1
tools/setup.sh test || setup_ok=0

# The groups setup could not install, with what each leaves untested.
declare -A missing
while IFS=$'\t' read -r group why; do
  missing[$group]=$why
done < <(tools/setup.sh missing)

jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p build/test-logs
results=()
status=0
wine_skipped=""

# Configures, builds and tests one preset, its output kept in its log; extra
# arguments go to ctest.
run_preset() {
  local preset=$1
  shift
  {
    cmake --preset "$preset" >/dev/null &&
      cmake --build --preset "$preset" &&
      ctest --preset "$preset" --parallel "$jobs" "$@"
  } 2>&1 | tee "build/test-logs/$preset.log"
  return "${PIPESTATUS[0]}"
}

# "N tests" from the ctest summary in a preset's log.
test_count() {
  grep -oE "tests passed, [0-9]+ tests? failed out of [0-9]+" "build/test-logs/$1.log" |
    tail -n 1 | sed -E 's/.* out of ([0-9]+)/\1 tests/'
}

for preset in default m32 asan fuzz win32; do
  echo "=== $preset ==="
  skip="" note="" ctest_args=()
  case $preset in
    default)
      if [ -n "${missing[browser]:-}" ]; then
        ctest_args+=(-LE browser)
        note="; the browser tests SKIPPED: Chromium, Node.js or playwright-core is not installed"
        status=1
      fi
      ;;
    m32) skip=${missing[m32]:-} ;;
    fuzz) skip=${missing[fuzz]:-} ;;
    win32)
      skip=${missing[windows]:-}
      if [ -z "$skip" ] && [ -n "${missing[wine]:-}" ]; then
        ctest_args+=(-LE wine)
        wine_skipped="Wine (wine, wine32:i386) is not installed: setup could not install it (its messages above say why)"
        note="; the runs under Wine SKIPPED: $wine_skipped"
        echo "!!! The Windows host tests under Wine are SKIPPED: $wine_skipped."
        echo "!!! Building the Windows modules and checking their files only."
      fi
      ;;
  esac
  if [ -n "$skip" ]; then
    echo "skipped: $skip (setup could not install its tools)"
    results+=("$preset: SKIPPED ($skip)")
    status=1
    continue
  fi
  if run_preset "$preset" "${ctest_args[@]}"; then
    results+=("$preset: passed ($(test_count "$preset"))$note")
  else
    results+=("$preset: FAILED (see build/test-logs/$preset.log)$note")
    status=1
  fi
done

echo
echo "=== results ==="
[ "$setup_ok" -eq 1 ] || {
  echo "setup: FAILED: some tools could not be installed (see its messages above)"
  status=1
}
printf '%s\n' "${results[@]}"
if [ -n "$wine_skipped" ]; then
  echo "!!! WINE RUNS SKIPPED: the Windows host tests did not run. $wine_skipped."
fi
exit "$status"
