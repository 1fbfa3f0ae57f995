#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds two small consumers
# against it: a C program found through pkg-config and a C++ program found
# through find_package(ovrabjt). Both run.
set -euo pipefail
build=$1
src=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libovrabjt.so' | head -n1)")
test -f "$prefix/include/ovrabjt/ovrabjt.h"
test -f "$prefix/share/ovrabjt/ovra-v02012.dtd"

export PKG_CONFIG_PATH=$libdir/pkgconfig
cc -std=c11 -Wall -Wextra -Werror -o "$work/c-consumer" "$src/consumer.c" \
  -DDTD_DIR="\"$prefix/share/ovrabjt\"" $(pkg-config --cflags --libs ovrabjt)
LD_LIBRARY_PATH=$libdir "$work/c-consumer"

mkdir -p "$work/cxx"
cat > "$work/cxx/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(consumer CXX)
find_package(ovrabjt REQUIRED)
add_executable(cxx-consumer $src/consumer.cpp)
target_compile_definitions(cxx-consumer PRIVATE DTD_DIR="\${ovrabjt_DTD_DIR}")
target_link_libraries(cxx-consumer PRIVATE ovrabjt::ovrabjt)
CMAKE
cmake -S "$work/cxx" -B "$work/cxx/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cxx/build" >/dev/null
LD_LIBRARY_PATH=$libdir "$work/cxx/build/cxx-consumer"
echo "install ok"
