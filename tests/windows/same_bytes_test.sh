#!/usr/bin/env bash
# The same documents, byte for byte: the Linux build's shared library and
# ovrabjt.dll under Wine convert the same tickets (the examples, a fresh
# ticket, a random ticket in each release's vocabulary, COUNT random ones);
# the documents and the packed tickets they load back must be identical.
#   same_bytes_test.sh LINUX_SAME_BYTES WINDOWS_SAME_BYTES WINE SOURCE_DIR COUNT
set -euo pipefail
linux=$1
windows=$2
wine=$3
source_dir=$4
count=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -x "$linux" ]; then
  echo "no Linux build of same_bytes at $linux (make test-windows builds it)" >&2
  exit 1
fi
"$linux" make "$work/in" "$count" "$source_dir/data"
"$linux" convert "$work/in" "$work/linux" "$source_dir/data"
WINEDEBUG=-all "$wine" "$windows" convert "Z:$work/in" "Z:$work/windows" "Z:$source_dir/data"

files=$(ls "$work/linux" | wc -l)
[ "$files" -eq "$(( 2 * $(ls "$work/in" | wc -l) ))" ] || { echo "missing results" >&2; exit 1; }
if ! diff -r -q "$work/linux" "$work/windows" >&2; then
  echo "the DLL's results differ from the Linux build's" >&2
  exit 1
fi
failed=$(grep -l -x '(failed)' "$work/linux"/*.xml | wc -l || true)
empty=$(find "$work/linux" -name '*.loaded' -empty | wc -l)
# Every ticket converts, so that what was compared are documents and
# tickets, not the same failure twice.
if [ "$failed" -ne 0 ] || [ "$empty" -ne 0 ]; then
  echo "$failed conversions and $empty loads failed" >&2
  exit 1
fi
echo "$files results of $(ls "$work/in" | wc -l) tickets identical"
