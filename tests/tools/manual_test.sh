#!/usr/bin/env bash
# The manual page renders without warnings and names every subcommand and
# every option the tool's help lists.
set -euo pipefail
tool=$1
manual=$2
failed=0

warnings=$(groff -mdoc -ww -z "$manual" 2>&1 || true)
[[ -z $warnings ]] || { echo "groff: $warnings" >&2; failed=1; }

# The words of a help section ("Subcommands:", "Options:") of `tool ARGS --help`.
section() {
  local title=$1
  shift
  local help
  help=$("$tool" "$@" --help)
  awk -v title="$title" '
    $0 == title { on = 1; next }
    on && /^$/ { exit }
    on && /^  [^ ]/ { print $1 }' <<<"$help" | tr ',' '\n' | sed 's/:.*//' | grep -v '^$'
}

# In the page, a subcommand is ".It Cm name" and an option "Fl \-name" (or
# "Fl x" for a one-letter one).
mdoc_option() {
  local option=${1//-/\\-}
  echo "Fl ${option#\\-}"
}

for sub in $(section "Subcommands:"); do
  grep -qF ".It Cm ${sub//-/\\-}" "$manual" || { echo "no subcommand $sub in $manual" >&2; failed=1; }
  for option in $(section "Options:" "$sub"); do
    grep -qF -- "$(mdoc_option "$option")" "$manual" ||
      { echo "no option $option of $sub in $manual" >&2; failed=1; }
  done
done
for option in $(section "Options:"); do
  grep -qF -- "$(mdoc_option "$option")" "$manual" || { echo "no option $option in $manual" >&2; failed=1; }
done
exit $failed
