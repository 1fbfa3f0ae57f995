#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the tools need and
# the machine lacks. Does nothing when everything is present.
#
# With the argument "windows", also what the Windows build needs: the MinGW-w64
# compilers, Wine to run the tests, and a deb-src entry for the machine's
# suites so that apt-get source can fetch the XML library's source.
set -euo pipefail

windows=0
if [ "${1:-}" = windows ]; then windows=1; fi

packages=(
  cmake g++ make pkg-config
  libxerces-c-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format-14
  libxml2-utils
  libcli11-dev nlohmann-json3-dev
  valgrind binutils
  groff-base
)
if [ "$windows" -eq 1 ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64 dpkg-dev)
fi

sudo=""
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
fi

# The source archive beside every binary suite the machine uses, written once
# into a file of its own; apt's lists are refreshed only when it is new.
deb_src_list=/etc/apt/sources.list.d/ovrabjt-deb-src.sources
add_deb_src() {
  [ -e "$deb_src_list" ] && return 0
  local stanzas
  stanzas=$(for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] && [ "$f" != "$deb_src_list" ] && awk -v RS= -v ORS='\n\n' \
        '/(^|\n)Types:[^\n]*deb( |\n|$)/ && !/(^|\n)Types:[^\n]*deb-src/ {
           sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f"
    done
    if [ -f /etc/apt/sources.list ]; then
      awk '$1 == "deb" { sub(/^deb /, ""); n = split($0, w, " ");
             printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", w[1], w[2];
             for (i = 3; i <= n; i++) printf " %s", w[i]; printf "\n\n" }' /etc/apt/sources.list
    fi)
  if [ -z "$stanzas" ]; then
    echo "install-deps: no Debian package source found to add a deb-src entry beside" >&2
    exit 1
  fi
  echo "install-deps: adding the source archive ($deb_src_list)"
  printf '%s\n' "$stanzas" | $sudo tee "$deb_src_list" >/dev/null
  $sudo apt-get update
}
if [ "$windows" -eq 1 ]; then add_deb_src; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  if [ -z "$sudo" ]; then
    echo "install-deps: missing packages (${missing[*]}) and not root; install them with apt-get as root" >&2
    exit 1
  fi
fi

export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update || true
  if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
    echo "install-deps: apt-get could not install: ${missing[*]}" >&2
    echo "install-deps: check the network and the Debian package sources" >&2
    exit 1
  fi
fi
