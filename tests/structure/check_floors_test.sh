#!/bin/bash
# check_floors_test.sh SRC - the floor check passes on a copy of SRC and fails
# on each planted bad include, naming its file and line.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=${1:?usage: check_floors_test.sh SRC}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# plant NAME FILE LINE TEXT EXPECTED - a fresh copy with TEXT as line LINE of
# FILE; the check must fail and print exactly EXPECTED.
plant() {
  local name=$1 file=$2 line=$3 text=$4 expected=$5
  rm -rf "$work/src" && cp -r "$src" "$work/src"
  mkdir -p "$(dirname "$work/src/$file")"
  [ -f "$work/src/$file" ] || : >"$work/src/$file"
  if [ "$line" = end ]; then echo "$text" >>"$work/src/$file"; else sed -i "${line}i $text" "$work/src/$file"; fi
  local output rc=0
  output=$("$here/check_floors.sh" "$work/src" 2>&1) || rc=$?
  [ "$rc" -eq 1 ] || fail "$name: exit $rc, not 1"
  [ "$output" = "$expected" ] || fail "$name: printed '$output', not '$expected'"
}

rm -rf "$work/src" && cp -r "$src" "$work/src"
"$here/check_floors.sh" "$work/src" >/dev/null || fail "the unchanged copy does not pass"

plant "a floor includes one above" ticket/packing.cpp 3 '#include "frame/ovra_bjt_app.h"' \
  'src/ticket/packing.cpp:3: includes "frame/ovra_bjt_app.h", from frame, a floor above ticket'
plant "the vocabulary includes a release" vocabulary/job_vocabulary.h 4 '#include "releases/release_profile.h"' \
  'src/vocabulary/job_vocabulary.h:4: includes "releases/release_profile.h", from releases, a floor above vocabulary'
plant "an include of a file that is not there" xml/xml_platform.h end '#include "convert/nothing.h"' \
  'src/xml/xml_platform.h:'"$(($(wc -l <"$src/xml/xml_platform.h") + 1))"': includes "convert/nothing.h", which is no file of src/'
plant "an include without its folder" attr/attr_id.h 2 '#include "attr_node.h"' \
  'src/attr/attr_id.h:2: includes "attr_node.h" without its folder'
plant "a folder on no floor" extra/extra.h end '#include "ticket/field.h"' \
  'src/extra/extra.h:1: includes "ticket/field.h", but its folder extra is on no floor'

# Rooms of one floor include each other, and a floor the one below.
for allowed in 'convert/attr_readers.h|#include "convert/color/color_fields.h"' \
               'releases/release_profile.h|#include "vocabulary/code_table.h"'; do
  rm -rf "$work/src" && cp -r "$src" "$work/src"
  sed -i "3i ${allowed#*|}" "$work/src/${allowed%%|*}"
  "$here/check_floors.sh" "$work/src" >/dev/null || fail "refuses ${allowed#*|} in ${allowed%%|*}"
done

# The README's layout and CONTRIBUTING.md list the floors in the same order.
floors=$("$here/check_floors.sh" --floors)
readme_order=$(sed -n '/^## Layout/,/^## /p' "$src/../README.md" | sed -n 's/^| `src\/\([a-z]*\)\/` .*/\1/p')
[ "$readme_order" = "$floors" ] || fail "the README's layout lists $(echo $readme_order), not $(echo $floors)"
contributing_order=$(sed -n '/^## Layout and floors/,/^## /p' "$src/../CONTRIBUTING.md" |
  sed -n 's/^| `\([a-z]*\)\/`.*/\1/p')
[ "$contributing_order" = "$floors" ] || fail "CONTRIBUTING.md lists $(echo $contributing_order), not $(echo $floors)"

[ "$failures" -eq 0 ] && echo "the floor check holds every planted case"
exit "$failures"
