#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the tools need and
# the machine lacks. Does nothing when everything is present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libxerces-c-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  libxml2-utils
  libcli11-dev nlohmann-json3-dev
  valgrind binutils
  groff-base
)

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
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
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
