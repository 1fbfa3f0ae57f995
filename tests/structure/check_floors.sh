#!/bin/bash
# check_floors.sh SRC - every #include "..." of the module's source folders
# names a file of SRC on the including file's own floor or one below it.
# Folders on one line share a floor and may include each other.
# Prints each include that breaks this as FILE:LINE: cause; exit 1 if any.
# check_floors.sh --floors prints the floors' first folders, bottom up.
set -euo pipefail

# The floors, from the bottom up.
FLOORS='
platform
ticket
vocabulary
releases
attr
xml
convert convert/media convert/color
prefs
frame
inspect
operations
'

if [ "${1:-}" = --floors ]; then  # the first folder of each floor, bottom up
  awk 'NF { print $1 }' <<<"$FLOORS"
  exit 0
fi

src=${1:?usage: check_floors.sh SRC | --floors}
cd "$src"
find . -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) | sed 's#^\./##' | sort |
  xargs grep -n -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' /dev/null |
  awk -v floors="$FLOORS" -v src="$src" '
    BEGIN {
      n = split(floors, lines, "\n")
      for (i = 1; i <= n; ++i) {
        k = split(lines[i], names, " ")
        if (k) ++level
        for (j = 1; j <= k; ++j) floor[names[j]] = level
      }
    }
    function folder(path) { sub(/\/[^\/]*$/, "", path); return path }
    {
      file = $0; sub(/:.*/, "", file)
      rest = substr($0, length(file) + 2)
      line = rest; sub(/:.*/, "", line)
      target = rest; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
      from = folder(file); to = folder(target)
      place = "src/" file ":" line ": includes \"" target "\""
      if (!(from in floor)) { print place ", but its folder " from " is on no floor"; bad = 1; next }
      if (target !~ /\//) { print place " without its folder"; bad = 1; next }
      if ((getline probe < target) < 0) { print place ", which is no file of src/"; bad = 1; next }
      close(target)
      if (!(to in floor)) { print place ", whose folder " to " is on no floor"; bad = 1; next }
      if (floor[to] > floor[from])
        { print place ", from " to ", a floor above " from; bad = 1 }
    }
    END { exit bad }'
