#!/usr/bin/env bash
# The manual page renders without warnings and names every subcommand and
# every option the tool's help lists.
set -euo pipefail
# A sanitized tool would list the suppressions it used on standard error.
export LSAN_OPTIONS=print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}
tool=$1
manual=$2
failed=0

warnings=$(groff -mdoc -ww -z "$manual" 2>&1 || true)
[[ -z $warnings ]] || { echo "groff: $warnings" >&2; failed=1; }

source "$(dirname "$0")/help_sections.sh"

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
