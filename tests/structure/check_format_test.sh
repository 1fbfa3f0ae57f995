#!/usr/bin/env bash
# The format check fails on a planted badly formatted file and names it, and
# passes once the file is formatted.
set -euo pipefail
check=$1
root=$2
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cp "$root/.clang-format" "$tree/"
mkdir -p "$tree/src"
printf 'int  planted(){return 1;}\n' > "$tree/src/planted.cpp"
if out=$("$check" "$tree" 2>&1); then
  echo "the check passed a badly formatted file" >&2
  exit 1
fi
grep -q '^src/planted.cpp: not formatted' <<<"$out" || { echo "not named: $out" >&2; exit 1; }
printf 'int planted() { return 1; }\n' > "$tree/src/planted.cpp"
"$check" "$tree"
