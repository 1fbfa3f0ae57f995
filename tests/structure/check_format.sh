#!/usr/bin/env bash
# The C and C++ sources are as clang-format writes them with the tree's
# .clang-format; prints each file that is not and fails.
set -euo pipefail
root=$1
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "clang-format is not installed: run scripts/install-deps.sh" >&2
  exit 1
fi
folders=()
for folder in src tools tests bench fuzz include; do
  [ -d "$folder" ] && folders+=("$folder")
done
status=0
while IFS= read -r -d '' file; do
  if ! "$format" --dry-run -Werror "$file" 2>/dev/null; then
    echo "$file: not formatted; run $format -i $file" >&2
    status=1
  fi
done < <(find "${folders[@]}" \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0)
exit $status
