#!/usr/bin/env bash
# make demo's script, run with a built tool: no build chatter, the example
# converted both ways, and at the end a three-line summary and what to try
# next.
set -euo pipefail
# A sanitized tool would list the suppressions it used on standard error.
export LSAN_OPTIONS=print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}
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
# Building, the demo configures and builds the tool's target alone: a cmake
# that records its arguments and puts the built tool in place stands in.
mkdir -p "$work/bin" "$work/fresh"
cat >"$work/bin/cmake" <<STUB
#!/usr/bin/env bash
echo "\$*" >>"$work/cmake.log"
if [ "\$1" = --build ]; then
  mkdir -p "\$2/tools/ovrabjt" && ln -sf "$tool" "\$2/tools/ovrabjt/ovrabjt"
fi
STUB
chmod +x "$work/bin/cmake"
PATH=$work/bin:$PATH CMAKE_ARGS= bash "$source_dir/scripts/demo.sh" "$work/fresh" 3 >"$work/out" 2>"$work/err" ||
  fail "the demo with a build failed: $(cat "$work/err")"
wanted_log="-S . -B $work/fresh -DCMAKE_BUILD_TYPE=RelWithDebInfo
--build $work/fresh -j 3 --target ovrabjt_cli"
[ "$(cat "$work/cmake.log")" = "$wanted_log" ] || fail "the demo ran cmake $(cat "$work/cmake.log")"
[ "$(head -n 1 "$work/out")" = "== building the ovrabjt tool in $work/fresh/ (the first build takes a few minutes)" ] ||
  fail "the demo's first line is $(head -n 1 "$work/out")"
echo "demo ok"
