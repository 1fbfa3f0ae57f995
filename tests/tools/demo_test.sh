#!/usr/bin/env bash
# make demo's script, run with a built tool: no build chatter, the example
# converted both ways, and at the end a three-line summary and what to try
# next.
set -euo pipefail
source_dir=$1
tool=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "demo test: $*" >&2
  exit 1
}

OVRABJT_DEMO_TOOL=$tool bash "$source_dir/scripts/demo.sh" "$work" >"$work/out" 2>"$work/err" ||
  fail "the demo failed: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "the demo wrote to standard error: $(cat "$work/err")"
if grep -Eq '^(g?make|cmake|\[ *[0-9]+%\])' "$work/out"; then fail "build chatter in the demo"; fi
cmp -s "$work/demo/ticket.bjt" "$work/demo/again.bjt" || fail "the round trip differs"

size=$(wc -c <"$work/demo/ticket.bjt")
summary=$(sed -n '/^== summary$/,$p' "$work/out")
wanted="== summary
data/examples/ticket.xml -> $work/demo/ticket.bjt ($size bytes) -> $work/demo/ticket.xml
$work/demo/ticket.xml converts back into the same $size bytes
check: every field comes back

Try next: $tool --help, $tool dump --json $work/demo/ticket.bjt,
  make test, and \"Using the library\" in README.md to call the library from C."
[ "$summary" = "$wanted" ] || fail "the summary is
$summary"
echo "demo ok"
