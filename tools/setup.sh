#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test.
# Does nothing when they are all present. Needs root (or sudo) only to install.
set -euo pipefail

packages=(
  cmake ninja-build g++ gcc pkg-config
  g++-multilib                       # the 32-bit build of the modules and tests
  libgtest-dev libbenchmark-dev      # tests and benchmarks
  nlohmann-json3-dev libcli11-dev    # panelhost
  libcairo2-dev libfontconfig-dev    # artwork generator and renderer
  fonts-dseg fonts-liberation2       # the faces behind "Quartz" and "Arial"
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686   # the Windows modules
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
