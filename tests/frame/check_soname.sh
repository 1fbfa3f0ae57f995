#!/usr/bin/env bash
# The shared library's file carries the release's version and its SONAME
# the interface's: libovrabjt.so.<release>, SONAME libovrabjt.so.<interface>.
set -euo pipefail
lib=$1
release_number=$2
interface=$3
[ "$(basename "$lib")" = "libovrabjt.so.$release_number" ] ||
  { echo "the library file is $(basename "$lib"), not libovrabjt.so.$release_number" >&2; exit 1; }
soname=$(readelf -d "$lib" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = "libovrabjt.so.$interface" ] ||
  { echo "SONAME $soname, not libovrabjt.so.$interface" >&2; exit 1; }
echo "soname ok"
