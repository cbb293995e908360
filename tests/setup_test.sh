#!/usr/bin/env bash
# tools/setup.sh against a package system that answers as a mirror in the middle of
# a sync does: the i386 package index fails to download ("File has unexpected
# size"), so the 32-bit Wine packages are refused ("held broken packages"). dpkg,
# apt-get and npm are stand-ins that keep what is "installed" in a folder; setup
# runs in a copy of the project's layout with nothing but them and a shell's basic
# tools on its PATH.
# Usage: setup_test.sh PROJECT_DIR
set -uo pipefail
project=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

mkdir -p "$work/bin" "$work/state" "$work/project/tools" "$work/project/tests/browser"
cp "$project/tools/setup.sh" "$work/project/tools/"
for tool in bash dirname grep mktemp rm sed mkdir cat; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
state=$work/state

cat >"$work/bin/dpkg-query" <<EOF
#!/usr/bin/env bash
package=\${!#}
grep -qxF "\$package" "$state/installed" 2>/dev/null || exit 1
echo -n "install ok installed"
EOF
cat >"$work/bin/dpkg" <<EOF
#!/usr/bin/env bash
case \$1 in
  --print-foreign-architectures) cat "$state/architectures" 2>/dev/null ;;
  --add-architecture) echo "\$2" >>"$state/architectures" ;;
esac
EOF
# update: fails while i386 is known. install: refuses the i386 packages and
# whatever is listed in state/refused; installs the rest.
cat >"$work/bin/apt-get" <<EOF
#!/usr/bin/env bash
echo "apt-get \$*" >>"$state/calls"
words=(\$*)
if [ "\${words[0]}" = update ] || [ "\${words[1]:-}" = update ]; then
  if grep -qx i386 "$state/architectures" 2>/dev/null; then
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100
  fi
  exit 0
fi
packages=()
for word in "\$@"; do
  case \$word in -*|install) ;; *) packages+=("\$word") ;; esac
done
for package in "\${packages[@]}"; do
  if [[ \$package == *:i386 ]] || grep -qxF "\$package" "$state/refused" 2>/dev/null; then
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100
  fi
done
printf '%s\n' "\${packages[@]}" >>"$state/installed"
EOF
cat >"$work/bin/npm" <<EOF
#!/usr/bin/env bash
echo "npm \$*" >>"$state/calls"
mkdir -p node_modules/playwright-core
EOF
printf '#!/usr/bin/env bash\necho 0\n' >"$work/bin/id"
printf '#!/usr/bin/env bash\n' >"$work/bin/sleep"
chmod +x "$work/bin/"*

setup() {
  PATH=$work/bin "$work/project/tools/setup.sh" "$@" >"$work/out" 2>&1
}
installs() {
  grep "^apt-get install" "$state/calls" 2>/dev/null
}

# 1. The main job's setup on a fresh machine: only the build group.
setup run || fail "setup run failed: $(cat "$work/out")"
if installs | grep -E "wine|chromium|mingw|clang|nodejs|npm"; then
  fail "setup run installed more than the build needs"
fi
installs | grep -q "libcairo2-dev" || fail "setup run did not install the build group"
grep -q "i386" "$state/architectures" 2>/dev/null && fail "setup run added the i386 architecture"
grep -q "^npm" "$state/calls" && fail "setup run installed the browser tests' npm packages"

# 2. The tests' setup: every group but Wine, which the broken index refuses.
setup test || fail "setup test failed although only Wine is missing: $(cat "$work/out")"
for package in g++-multilib chromium nodejs g++-mingw-w64-i686-posix clang-14; do
  grep -qxF "$package" "$state/installed" || fail "setup test did not install $package"
done
grep -qx "wine" "$state/installed" && fail "Wine counted as installed"
grep -q "the package index could not be read in full" "$work/out" ||
  fail "setup did not say that the index failed"
grep -q "File has unexpected size" "$work/out" || fail "setup did not show apt's reason"
[ "$(grep -c "^apt-get.*update" "$state/calls")" -ge 2 ] || fail "setup did not read the index again"
grep -q "Wine (wine wine32:i386): the Windows host tests under Wine are skipped" "$work/out" ||
  fail "setup did not say what the missing Wine leaves untested: $(cat "$work/out")"
grep -q "^npm ci" "$state/calls" || fail "setup test did not install the npm packages"
[ -n "${SETUP_TEST_SHOW:-}" ] && cat "$work/out"
PATH=$work/bin "$work/project/tools/setup.sh" missing >"$work/missing"
[ "$(cut -f1 "$work/missing")" = wine ] || fail "setup missing lists: $(cat "$work/missing")"

# 3. Everything present: nothing is asked of apt-get or npm.
echo "wine" >>"$state/installed"
echo "wine32:i386" >>"$state/installed"
: >"$state/calls"
setup test || fail "setup test failed with everything present"
[ -s "$state/calls" ] && fail "setup called $(cat "$state/calls") with everything present"

# 4. A group other than Wine that cannot be installed fails setup, after the
# groups after it were installed, and is named with what it leaves untested.
: >"$state/installed"
echo "libcairo2-dev" >"$state/refused"
setup test && fail "setup test succeeded although the build group is missing"
grep -qxF "chromium" "$state/installed" || fail "a failed group stopped the ones after it"
grep -q "^setup:   build (.*libcairo2-dev.*): nothing can be built" "$work/out" ||
  fail "setup did not name the build group: $(cat "$work/out")"

[ "$failures" -eq 0 ] && echo "setup_test: all cases passed"
exit $((failures > 0))
