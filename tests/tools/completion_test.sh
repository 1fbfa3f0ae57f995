#!/usr/bin/env bash
# The bash completion completes what the tool takes: its subcommands, each
# subcommand's options and the values of the options, as the tool's own help
# lists them.
set -euo pipefail
# A sanitized tool would list the suppressions it used on standard error.
export LSAN_OPTIONS=print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}
tool=$1
completion=$2
source "$completion"
failed=0

complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _ovrabjt
  echo "${COMPREPLY[*]}"
}

expect() {  # expect "WANTED" WORDS...
  local wanted=$1 got
  shift
  got=$(complete_words "$@")
  if [[ $got != "$wanted" ]]; then
    echo "completing '$*': got '$got', wanted '$wanted'" >&2
    failed=1
  fi
}

source "$(dirname "$0")/help_sections.sh"

# The tool's own lists.
subcommands=$(section "Subcommands:" | sort)
wanted=$(echo $_ovrabjt_subcommands | tr ' ' '\n' | sort)
[[ $subcommands == "$wanted" ]] || { echo "subcommands: tool has '$subcommands'" >&2; failed=1; }
for sub in $subcommands; do
  [[ $sub == help ]] && continue
  options=$(section "Options:" "$sub" | grep -v -e "^-h$" -e "^--help$" | sort || true)
  wanted=$(echo $(_ovrabjt_options "$sub") | tr ' ' '\n' | grep -v '^$' | sort || true)
  [[ $options == "$wanted" ]] || { echo "$sub: tool has options '$options', completion '$wanted'" >&2; failed=1; }
done
releases=$("$tool" --help | sed -n 's/.*--release VERSION:{\(.*\)}.*/\1/p' | tr ',' ' ')
[[ $releases == "$_ovrabjt_releases" ]] || { echo "releases: tool has '$releases'" >&2; failed=1; }

# Cases: what a partly typed word completes to.
expect "from-xml fit" ovrabjt f
expect "to-xml" ovrabjt --release 3.0.15 t
expect "3.0.15 3.1.07 3.2.01 10.0.06 3.6.09" ovrabjt --release ""
expect "--strict" ovrabjt from-xml --s
expect "--strict" ovrabjt check job.xml --st
expect "--no-indent" ovrabjt to-xml --no
expect "--kind" ovrabjt validate --k
expect "ovra" ovrabjt validate --kind o
expect "halftone-graphics-supported" ovrabjt caps printer.xml halftone
expect "media-favorites-user-defined media-favorites-printer" ovrabjt stocks x.xml --list media-f
expect "stocks" ovrabjt help st
expect "merge" ovrabjt mer
expect "--drop-unsupported" ovrabjt fit job.xml printer.xml --dr
expect "--json" ovrabjt diff a.bjt --j
expect "--version" ovrabjt --vers
exit $failed
