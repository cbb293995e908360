#!/usr/bin/env bash
# Checks that every C and C++ source file is formatted as .clang-format says; lists
# the files that are not and fails. With --fix, formats them in place instead.
#
#   tools/check-format.sh [--fix]
set -uo pipefail
cd "$(dirname "$0")/.."

fix=0
case "${1:-}" in
  --fix) fix=1 ;;
  "") ;;
  *)
    echo "usage: tools/check-format.sh [--fix]" >&2
    exit 2
    ;;
esac

clang_format=${CLANG_FORMAT:-clang-format}
if ! command -v "$clang_format" >/dev/null; then
  echo "check-format: $clang_format is not installed (tools/setup.sh installs it)" >&2
  exit 2
fi

# The project's own sources: not the build folders nor the browser tests' packages.
mapfile -t files < <(find asi_module bench fuzz gauges host module resources sound tests tools \
  -path tests/browser/node_modules -prune -o \
  -type f \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) -print | sort)

if [ "$fix" = 1 ]; then
  "$clang_format" -i "${files[@]}"
  exit 0
fi

# One run over every file; each file that differs is named in its warnings.
mapfile -t unformatted < <("$clang_format" --dry-run "${files[@]}" 2>&1 |
  sed -n -E 's/^([^:]+):[0-9]+:[0-9]+: (warning|error): code should be clang-formatted.*/\1/p' |
  sort -u)
if [ "${#unformatted[@]}" -gt 0 ]; then
  echo "check-format: ${#unformatted[@]} of ${#files[@]} files are not formatted as .clang-format says:"
  printf '  %s\n' "${unformatted[@]}"
  echo "check-format: tools/check-format.sh --fix formats them"
  exit 1
fi
echo "check-format: all ${#files[@]} files formatted"
