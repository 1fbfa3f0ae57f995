#!/usr/bin/env bash
# The shared library exports exactly the module's eleven functions.
set -euo pipefail
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
echo "exports ok"
