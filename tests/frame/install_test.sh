#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as a driver engineer
# would, with the clone's data/ moved aside so that nothing can come from the
# source tree: the pkg-config file and the CMake package name the install's
# folders and versions, a C consumer found through pkg-config and a C++11
# consumer found through find_package(ovrabjt) convert a ticket both ways
# with the installed document types, the README's C example compiles and
# runs, and the installed tool, its manual page and its completion are in
# place, the tool also after the whole prefix is moved.
set -euo pipefail
build=$1
source_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
prefix=$work/prefix
data=$source_dir/data
aside=$source_dir/data.moved-by-install-test

put_data_back() {
  if [ -d "$aside" ] && [ ! -e "$data" ]; then mv "$aside" "$data"; fi
}
trap 'put_data_back; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
put_data_back # after a run that was killed

fail() {
  echo "install test: $*" >&2
  exit 1
}

release=$(sed -n 's/^#define OVRABJT_VERSION "\(.*\)"$/\1/p' "$build/include/ovrabjt/ovrabjt_version.h")
interface=$(sed -n 's/^#define OVRABJT_INTERFACE_VERSION \(.*\)$/\1/p' "$build/include/ovrabjt/ovrabjt_version.h")
number=$(echo "$release" | sed 's/\.0\([0-9]\)/.\1/g')
[ -n "$release" ] && [ -n "$interface" ] || fail "no version in the version header"

cp "$data/examples/ticket.xml" "$work/job.xml"
sed -n '/^## Using the library/,/^## /p' "$source_dir/README.md" |
  sed -n '/^```c$/,/^```$/p' | sed '1d;$d' > "$work/readme_example.c"
[ -s "$work/readme_example.c" ] || fail "the README has no C example under 'Using the library'"

cmake --install "$build" --prefix "$prefix" >/dev/null
mv "$data" "$aside"

# pkg-config: the folders of this prefix, the release's version.
pc=$(find "$prefix" -name ovrabjt.pc)
[ -n "$pc" ] || fail "no ovrabjt.pc installed"
export PKG_CONFIG_PATH=$(dirname "$pc")
[ "$(pkg-config --variable=prefix ovrabjt)" = "$prefix" ] || fail "pkg-config prefix"
[ "$(pkg-config --variable=includedir ovrabjt)" = "$prefix/include" ] || fail "pkg-config includedir"
libdir=$(pkg-config --variable=libdir ovrabjt)
[ "$libdir" = "$(dirname "$(dirname "$pc")")" ] || fail "pkg-config libdir $libdir"
datadir=$(pkg-config --variable=datadir ovrabjt)
[ "$datadir" = "$prefix/share/ovrabjt" ] || fail "pkg-config datadir $datadir"
[ "$(pkg-config --modversion ovrabjt)" = "$release" ] || fail "pkg-config version"
for dtd in ovra-v10.dtd ovra-v2000.dtd ovra-v02010.dtd ovra-v02012.dtd; do
  [ -f "$datadir/$dtd" ] || fail "no $dtd in $datadir"
done

# Under a multiarch library folder the file still names the real folders.
cmake -DPREFIX=/usr -DLIBDIR=lib/x86_64-linux-gnu -DINCLUDEDIR=include -DDATADIR=share \
  -DVERSION="$release" -DPC_IN="$source_dir/cmake/ovrabjt.pc.in" -DPC_OUT="$work/multiarch.pc" \
  -P "$source_dir/cmake/WritePkgConfig.cmake"
[ "$(PKG_CONFIG_PATH=$work pkg-config --variable=libdir multiarch)" = /usr/lib/x86_64-linux-gnu ] ||
  fail "multiarch libdir"
[ "$(PKG_CONFIG_PATH=$work pkg-config --variable=includedir multiarch)" = /usr/include ] ||
  fail "multiarch includedir"
[ "$(PKG_CONFIG_PATH=$work pkg-config --variable=datadir multiarch)" = /usr/share/ovrabjt ] ||
  fail "multiarch datadir"

# One version scheme: the file has the release's version, the SONAME the
# interface's.
[ -f "$libdir/libovrabjt.so.$number" ] || fail "no libovrabjt.so.$number"
soname=$(readelf -d "$libdir/libovrabjt.so.$number" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = "libovrabjt.so.$interface" ] || fail "SONAME $soname"
[ "$(readlink "$libdir/libovrabjt.so.$interface")" = "libovrabjt.so.$number" ] || fail "SONAME link"

export LD_LIBRARY_PATH=$libdir
cd "$work"

cc -std=c11 -Wall -Wextra -Werror -o c-consumer "$here/consumer.c" \
  -DDTD_DIR="\"$datadir\"" -DEXPECTED_VERSION="\"$release\"" $(pkg-config --cflags --libs ovrabjt)
./c-consumer job.xml c-out.xml

mkdir -p cxx
cat > cxx/CMakeLists.txt <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(consumer CXX)
set(CMAKE_CXX_STANDARD 11)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
find_package(ovrabjt $number EXACT REQUIRED)
if(NOT ovrabjt_RELEASE STREQUAL "$release" OR NOT ovrabjt_INTERFACE_VERSION EQUAL $interface)
  message(FATAL_ERROR "package names \${ovrabjt_RELEASE} and \${ovrabjt_INTERFACE_VERSION}")
endif()
add_executable(cxx-consumer $here/consumer.cpp)
target_compile_options(cxx-consumer PRIVATE -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(cxx-consumer PRIVATE DTD_DIR="\${ovrabjt_DTD_DIR}")
target_link_libraries(cxx-consumer PRIVATE ovrabjt::ovrabjt)
CMAKE
cmake -S cxx -B cxx/build -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build cxx/build >/dev/null
./cxx/build/cxx-consumer job.xml cxx-out.xml
# Releases are not ordered by their numbers: another version is not this
# release, whether higher or lower.
for other in 3.0.15 99.0.0; do
  [ "$other" = "$number" ] && continue
  sed "s/find_package(ovrabjt $number EXACT REQUIRED)/find_package(ovrabjt $other REQUIRED)/" \
    cxx/CMakeLists.txt > cxx/other.txt
  mkdir -p "other-$other" && cp cxx/other.txt "other-$other/CMakeLists.txt"
  if cmake -S "other-$other" -B "other-$other/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null 2>&1; then
    fail "find_package(ovrabjt $other) accepts release $release"
  fi
done

# The installed tool takes its document types from its own prefix.
tool=$prefix/bin/ovrabjt
help=$("$tool" --help)
[[ $help == *"now $datadir)"* ]] || fail "--help does not name $datadir"
version=$("$tool" --version)
[[ $version == *$'\n'"library: ovrabjt $release, interface $interface (libovrabjt.so.$interface)"$'\n'* ]] ||
  fail "--version: $version"
"$tool" from-xml job.xml -o job.bjt
"$tool" to-xml job.bjt -o back.xml
"$tool" from-xml back.xml -o again.bjt
cmp -s job.bjt again.bjt || fail "the installed tool's round trip differs"
"$tool" check job.xml >/dev/null
[ -f "$prefix/share/man/man1/ovrabjt.1" ] || fail "no manual page"
[ -f "$prefix/share/bash-completion/completions/ovrabjt" ] || fail "no bash completion"

# The README's example, built as the README says, prints the document of
# the ticket.
cc -std=c11 -Wall -Wextra -Werror -o readme-example readme_example.c \
  $(pkg-config --cflags --libs ovrabjt) -DDTD_DIR="\"$(pkg-config --variable=datadir ovrabjt)\""
./readme-example > example-out.xml
cmp -s example-out.xml back.xml || fail "the README example's document differs from to-xml's"

# Moved with its prefix, the tool still finds its document types.
mv "$prefix" "$work/moved"
help=$("$work/moved/bin/ovrabjt" --help)
[[ $help == *"now $work/moved/share/ovrabjt)"* ]] || fail "the moved tool does not find its document types"
"$work/moved/bin/ovrabjt" from-xml job.xml -o moved.bjt
cmp -s job.bjt moved.bjt || fail "the moved tool converts differently"
echo "install ok"
