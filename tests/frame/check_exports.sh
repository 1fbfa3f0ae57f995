#!/usr/bin/env bash
# check_exports.sh LIB - the shared library exports exactly the module's
# eleven functions, and its symbol table holds none of the code that only
# shows, compares or proves (the inspection library and the tests' DOM
# oracle). check_exports.sh --no-inspection FILE checks the second alone.
set -euo pipefail

# The names of the inspection library and of the DOM-building write path.
not_shipped='ovrabjt::(JobFieldCatalog|OverrideFieldCatalog|InsertFieldCatalog|MediaFieldCatalog|CompareTickets|DumpAttrList|DescribeXmlMessage|IsTicketStringShared)\(|ovrabjt::FieldInfo::|ovrabjt::FieldDifference::|ovrabjt::testing::|VelmorDomDoc::(BuildFrom|WriteTo|GroupElementFor)\('

# no_inspection FILE - fails naming each such symbol of FILE. A file without
# a symbol table of its own code proves nothing, so it fails too.
no_inspection() {
  local symbols found
  symbols=$(nm -C --defined-only "$1" 2>/dev/null || true)
  if ! grep -q 'ovrabjt::EnsureXmlPlatform(' <<<"$symbols"; then
    echo "$1 has no symbol table of the module's code to check" >&2
    return 1
  fi
  found=$(grep -E "$not_shipped" <<<"$symbols" | sed 's/^[0-9a-f]* *//' | sort -u || true)
  if [ -n "$found" ]; then
    echo "$1 carries inspection code:" >&2
    echo "$found" >&2
    return 1
  fi
}

if [ "${1:-}" = --no-inspection ]; then
  no_inspection "$2"
  echo "no inspection code in $2"
  exit 0
fi

lib=$1
want="AddStockToMPSContents
ConvertBJTToOvraStream
CreateEmptyMPSContents
GetMediaPreferenceInfofromFile
GetPrinterCapInfofromBuffer
GetSpecificKespInfo
LoadOvra
PopulateStockFromAttrList
ReleaseOvraBjtANL
SaveMPSContentstoFile
SaveOvra"
got=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[A-Za-z]$/ && $2 != "A" {print $3}' | sed 's/@.*//' | sort)
if [ "$got" != "$want" ]; then
  echo "exported symbols differ from the eleven exports:" >&2
  diff <(echo "$want") <(echo "$got") >&2 || true
  exit 1
fi
# C linkage: plain, unmangled names, each a function.
nm -D --defined-only "$lib" | awk '$2 ~ /^[A-Za-z]$/ && $2 != "A"' | grep -qv ' T ' && {
  echo "an export is not a function" >&2; exit 1; }
no_inspection "$lib"
echo "exports ok, no inspection code"
