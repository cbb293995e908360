#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, in groups, so that a group
# the package mirror cannot serve leaves the others installed.
#
#   tools/setup.sh run       what building the modules and serving the workbench need
#   tools/setup.sh [test]    that and what the tests need as well (the default)
#   tools/setup.sh missing   prints the test groups not installed, one per line
#                            as "group<TAB>what that leaves untested"; installs nothing
#
# Does nothing when every package is present. Needs root (or sudo) only to
# install. Ends with the list of groups that could not be installed and what that
# leaves untested. Fails when a group other than Wine could not be installed; a
# missing Wine only skips the Windows host tests (tools/test.sh says so).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-test}
case "$mode" in
  run | test | missing) ;;
  *)
    echo "usage: tools/setup.sh [run|test|missing]" >&2
    exit 2
    ;;
esac

# Each group: its name, its packages, what is left untested without it.
group_names=(build format m32 browser windows fuzz wine)
declare -A group_title group_packages group_untested
group_title[build]="build"
group_packages[build]="cmake ninja-build g++ gcc pkg-config
  libgtest-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  libcairo2-dev libfontconfig-dev fonts-dseg fonts-liberation2
  libcpp-httplib-dev libpng-dev"
group_untested[build]="nothing can be built"
group_title[format]="source format check"
group_packages[format]="clang-format"
group_untested[format]="the check that every source file is formatted fails"
group_title[m32]="32-bit build"
group_packages[m32]="g++-multilib"
group_untested[m32]="the m32 preset (the reference record layout) is not run"
group_title[browser]="browser tests"
group_packages[browser]="chromium"
group_untested[browser]="the workbench's browser tests are not run"
group_title[windows]="Windows cross-build"
group_packages[windows]="g++-mingw-w64-i686-posix binutils-mingw-w64-i686"
group_untested[windows]="the win32 preset (the .gau modules) is not built or run"
group_title[wine]="Wine"
group_packages[wine]="wine wine32:i386"
group_untested[wine]="the Windows host tests under Wine are skipped"
group_title[fuzz]="fuzzing"
group_packages[fuzz]="clang-14 libclang-rt-14-dev"
group_untested[fuzz]="the fuzz preset is not run"

# Node.js may come from elsewhere than Debian (with npm inside): only a missing
# one is installed.
command -v node >/dev/null && command -v npm >/dev/null ||
  group_packages[browser]+=" nodejs npm"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"
}

# The packages of a group that are not installed.
missing_of() {
  local package
  for package in ${group_packages[$1]}; do
    installed "$package" || echo "$package"
  done
}

browser_packages_present() {
  [ -d tests/browser/node_modules/playwright-core ]
}

if [ "$mode" = missing ]; then
  for group in "${group_names[@]}"; do
    if [ -n "$(missing_of "$group")" ] ||
      { [ "$group" = browser ] && ! browser_packages_present; }; then
      printf '%s\t%s\n' "$group" "${group_untested[$group]}"
    fi
  done
  exit 0
fi

wanted=(build)
[ "$mode" = test ] && wanted=("${group_names[@]}")

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive

# Reads the package index. A mirror in the middle of a sync fails some index files
# ("File has unexpected size"); what was read still serves, so setup goes on after
# one retry and lets each group's installation decide.
index_read=0
read_package_index() {
  [ "$index_read" -eq 1 ] && return 0
  index_read=1
  local log attempt
  log=$(mktemp)
  for attempt in 1 2; do
    if "${as_root[@]}" apt-get update -qq >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    echo "setup: the package index could not be read in full:"
    grep -E '^(E|W|Err):' "$log" | sed 's/^/setup:   /' || sed 's/^/setup:   /' "$log"
    [ "$attempt" -eq 1 ] && echo "setup: reading the package index again" && sleep 3
  done
  rm -f "$log"
  echo "setup: going on with the part of the index that was read"
}

failed=()
for group in "${wanted[@]}"; do
  mapfile -t missing < <(missing_of "$group")
  [ ${#missing[@]} -eq 0 ] && continue
  echo "setup: installing the ${group_title[$group]} group: ${missing[*]}"
  # wine32 is a 32-bit package: the i386 architecture must be known to dpkg first.
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
    index_read=0
  fi
  read_package_index
  if ! "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
    echo "setup: the ${group_title[$group]} group could not be installed"
    failed+=("$group")
  fi
done

# playwright-core, at the version package-lock.json pins, for the browser tests.
if [ "$mode" = test ] && ! browser_packages_present && command -v npm >/dev/null; then
  echo "setup: installing the browser tests' npm packages"
  if ! (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error); then
    echo "setup: the browser tests' npm packages could not be installed"
    [[ " ${failed[*]} " == *" browser "* ]] || failed+=(browser)
  fi
fi

[ ${#failed[@]} -eq 0 ] && exit 0
echo "setup: could not install:"
status=0
for group in "${failed[@]}"; do
  echo "setup:   ${group_title[$group]} ($(echo ${group_packages[$group]})): ${group_untested[$group]}"
  [ "$group" = wine ] || status=1
done
if [ "$status" -eq 0 ]; then
  echo "setup: everything else is installed; tools/test.sh runs every test that needs no Wine"
fi
exit "$status"
