#!/usr/bin/env bash
# Checks a Windows gauge module as the real host will meet it, from its PE headers:
#  - it exports exactly Linkage and ImportTable, undecorated;
#  - it imports only Windows system DLLs (no compiler runtime DLLs);
#  - it carries every bitmap of the manifest as a BITMAP resource of that number
#    (the BMP file without its 14-byte file header) and every WAVE file under the
#    resource type "WAVE" at the size of the generated file.
# Usage: check-gau.sh OBJDUMP MODULE.gau MANIFEST
set -euo pipefail
objdump=$1 module=$2 manifest=$3
manifest_dir=$(dirname "$manifest")
dump=$("$objdump" -p "$module")
failures=0
fail() { echo "check-gau: $module: $*" >&2; failures=$((failures + 1)); }

# Exports
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\t\[/ {print $3; next} on {on=0}' \
  <<<"$dump" | sort | tr '\n' ' ')
[ "$exports" = "ImportTable Linkage " ] || fail "exports '$exports', not exactly Linkage and ImportTable"

# Imported DLLs
# (Windows file names are not case-sensitive, and linkers spell them either way.)
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll dsound.dll winmm.dll ole32.dll "
while read -r dll; do
  [[ "$system_dlls" == *" ${dll,,} "* ]] || fail "imports $dll, which is not a Windows system DLL"
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")

# Resources: "TYPE NUMBER SIZE" for every leaf of the resource tree (objdump prints
# the numbers in hexadecimal; named types such as WAVE by name).
resources=$(awk '
  /^[0-9a-f]+   Entry: / {
    if ($0 ~ /name:/) { sub(/.*\]: /, ""); sub(/,.*/, ""); type = $0 }
    else { match($0, /ID: 0x[0-9a-f]+/); type = substr($0, RSTART + 6, RLENGTH - 6) }
  }
  /^[0-9a-f]+     Entry: ID: / { match($0, /ID: 0x[0-9a-f]+/); number = substr($0, RSTART + 6, RLENGTH - 6) }
  /Leaf: / { match($0, /Size: 0x[0-9a-f]+/); print type, number, substr($0, RSTART + 8, RLENGTH - 8) }
' <<<"$dump" | while read -r type number size; do
  [ "$type" = WAVE ] || type=$([ $((16#$type)) -eq 2 ] && echo BITMAP || echo "TYPE$((16#$type))")
  echo "$type $((16#$number)) $((16#$size))"
done)
count=0
while read -r -a fields; do
  [ ${#fields[@]} -ge 3 ] || continue
  kind=${fields[0]} number=${fields[1]} file=${fields[-1]}
  count=$((count + 1))
  size=$(stat -c %s "$manifest_dir/$file")
  if [ "$kind" = bitmap ]; then want="BITMAP $number $((size - 14))"; else want="WAVE $number $size"; fi
  grep -qx "$want" <<<"$resources" || fail "no resource '$want' (from $file)"
done < "$manifest"
[ "$(wc -l <<<"$resources")" -eq "$count" ] || fail "carries $(wc -l <<<"$resources") resources, the manifest lists $count"

[ "$failures" -eq 0 ] || exit 1
echo "check-gau: $module: exports, imports and $count resources as required"
