#!/usr/bin/env bash
# ovrabjt.dll exports exactly the module's eleven functions under their
# plain names (no @N decoration, no C++ names), those the Linux library's
# version script makes global (whose eleven names check_exports.sh holds),
# and depends only on DLLs that every Windows has: the compiler's runtime
# is linked in.
#   check_dll.sh DLL EXPORTS_MAP
set -euo pipefail
dll=$1
map=$2
dump=$(x86_64-w64-mingw32-objdump -p "$dll")
want=$(sed -n '/global:/,/local:/s/^[[:space:]]*\([A-Za-z_][A-Za-z0-9_]*\);$/\1/p' "$map" | sort)
if [ "$(echo "$want" | wc -l)" -ne 11 ]; then
  echo "the version script $map does not name eleven exports" >&2
  exit 1
fi
got=$(echo "$dump" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort)
if [ "$got" != "$want" ]; then
  echo "the DLL's exports differ from the eleven functions:" >&2
  diff <(echo "$want") <(echo "$got") >&2 || true
  exit 1
fi
count=$(echo "$dump" |
  sed -n 's/^[[:space:]]*Export Address Table[[:space:]]*\([0-9a-f]*\)$/\1/p' | head -1)
[ "$((16#$count))" -eq 11 ] || { echo "the export address table has $count entries" >&2; exit 1; }

# The system's own DLLs only.
allowed="ADVAPI32.DLL KERNEL32.DLL MSVCRT.DLL"
imports=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' | tr a-z A-Z | sort -u)
[ -n "$imports" ] || { echo "no import table found" >&2; exit 1; }
for name in $imports; do
  case " $allowed " in
    *" $name "*) ;;
    *) echo "the DLL imports $name, which not every Windows has" >&2; exit 1 ;;
  esac
done
echo "exports and imports ok: $(echo $imports)"
