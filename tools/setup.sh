#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test, and
# the browser tests' npm package (tests/browser). Does nothing when all are
# present. Needs root (or sudo) only to install packages.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ gcc pkg-config
  g++-multilib                       # the 32-bit build of the modules and tests
  libgtest-dev libbenchmark-dev      # tests and benchmarks
  nlohmann-json3-dev libcli11-dev    # panelhost
  libcairo2-dev libfontconfig-dev    # artwork generator and renderer
  fonts-dseg fonts-liberation2       # the faces behind "Quartz" and "Arial"
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686   # the Windows modules
  libcpp-httplib-dev libpng-dev      # the workbench server and its pictures
  chromium                           # the workbench's browser tests
  clang-14 libclang-rt-14-dev        # the fuzz preset (libFuzzer, sanitizers)
  wine wine32:i386                   # runs the Windows modules' test host
)
# Node.js may come from elsewhere than Debian (with npm inside): only a missing
# one is installed.
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  # wine32 is a 32-bit package: the i386 architecture must be known to dpkg first.
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# playwright-core, at the version package-lock.json pins, for the browser tests.
if [ ! -d tests/browser/node_modules/playwright-core ]; then
  echo "setup: installing the browser tests' npm packages"
  (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
fi
