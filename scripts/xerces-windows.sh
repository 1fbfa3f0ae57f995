#!/usr/bin/env bash
# Cross-builds the XML library (Xerces-C, from Debian's source archive) for
# 64-bit Windows as a static library, once per version and options, into a
# cache outside the clone; later runs reuse it. Prints the install prefix.
#
#   scripts/xerces-windows.sh TOOLCHAIN_FILE
set -euo pipefail
toolchain=$(readlink -f "$1")

options=(
  -DBUILD_SHARED_LIBS=OFF
  -DCMAKE_BUILD_TYPE=Release
  -Dnetwork=OFF
  -Dtranscoder=windows
  -Dmessage-loader=inmemory
  -Dxmlch-type=char16_t
  -Dthreads=ON
)

# The version of the source apt-get would fetch, without apt's lists being
# consulted again for every build.
version=$(apt-cache showsrc xerces-c 2>/dev/null | awk '/^Version:/ { print $2; exit }')
if [ -z "$version" ]; then
  echo "xerces-windows: apt knows no source of xerces-c; run scripts/install-deps.sh windows" >&2
  exit 1
fi
upstream=${version%%+*}
upstream=${upstream%%-*}
key=$( { echo "$version"; printf '%s\n' "${options[@]}"; cat "$toolchain";
         x86_64-w64-mingw32-g++-posix --version | head -1; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/ovrabjt
prefix=$cache/xerces-c-$upstream-mingw-$key

# The stamp is written last: a build that was stopped half-way is redone.
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
echo "xerces-windows: building Xerces-C $version for Windows into $prefix (a few minutes, once)" >&2
(
  cd "$work"
  chmod 755 "$work"  # apt's download user reads the folder
  apt-get source --download-only xerces-c="$version" >&2
  dpkg-source --no-check -x ./*.dsc src >&2
  # The library target only: its test programs do not cross-build.
  cmake -S src -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >&2
  nice -n 5 cmake --build build --target xerces-c -j "${JOBS:-2}" >&2
  # The library's folder only: the headers, the archive, its CMake package.
  cmake --install build/src >&2
) || { echo "xerces-windows: the build of Xerces-C failed (kept in $work)" >&2; exit 1; }
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
