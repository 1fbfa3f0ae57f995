#!/usr/bin/env bash
# Installs the Windows build into a temporary prefix and builds, with MinGW
# and the installed header only, a C caller and a C++11 caller that load the
# installed ovrabjt.dll with LoadLibraryW under Wine and convert a ticket
# both ways with the installed document types.
#   callers_test.sh BUILD SOURCE_DIR WINE
set -euo pipefail
build=$1
source_dir=$2
wine=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
  echo "callers test: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -f "$prefix/bin/ovrabjt.dll" ] || fail "no ovrabjt.dll in $prefix/bin"
[ -f "$prefix/lib/ovrabjt.lib" ] || fail "no import library ovrabjt.lib in $prefix/lib"
[ -f "$prefix/include/ovrabjt/ovrabjt.h" ] || fail "no header"
[ -f "$prefix/share/ovrabjt/ovra-v02012.dtd" ] || fail "no document types"

flags=(-Wall -Wextra -Wpedantic -Werror -I"$prefix/include" -static)
x86_64-w64-mingw32-gcc-posix -std=c11 "${flags[@]}" "$here/caller.c" -o "$work/caller_c.exe" ||
  fail "the C caller does not build against the installed header"
x86_64-w64-mingw32-g++-posix -std=c++11 "${flags[@]}" "$here/caller.cpp" -o "$work/caller_cxx.exe" \
  -lversion || fail "the C++ caller does not build against the installed header"

cp "$source_dir/data/examples/ticket.xml" "$work/job.xml"
export WINEDEBUG=-all
"$wine" "$work/caller_c.exe" "Z:$prefix/bin/ovrabjt.dll" "Z:$prefix/share/ovrabjt" \
  "Z:$work/job.xml" "Z:$work/out.xml"
[ -s "$work/out.xml" ] || fail "the C caller saved no document"
"$wine" "$work/caller_cxx.exe" "Z:$prefix/bin/ovrabjt.dll" "Z:$prefix/share/ovrabjt" \
  "Z:$work/job.xml"
