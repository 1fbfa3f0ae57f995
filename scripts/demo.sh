#!/usr/bin/env bash
# make demo: builds the ovrabjt tool alone (not the tests), converts the
# example ticket into a packed ticket and back, shows what that made, and
# ends with a three-line summary and what to try next.
#   scripts/demo.sh [BUILD_FOLDER] [JOBS]
# With OVRABJT_DEMO_TOOL set to a built tool, nothing is built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
jobs=${2:-2}
demo=$build/demo
example=data/examples/ticket.xml
mkdir -p "$demo"

tool=${OVRABJT_DEMO_TOOL:-}
if [ -z "$tool" ]; then
  tool=$build/tools/ovrabjt/ovrabjt
  log=$demo/build.log
  echo "== building the ovrabjt tool in $build/ (the first build takes a few minutes)"
  # shellcheck disable=SC2086 # CMAKE_ARGS holds several arguments
  if ! { cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} &&
         cmake --build "$build" -j "$jobs" --target ovrabjt_cli; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "demo: the build failed; its whole output is in $log" >&2
    exit 1
  fi
fi

# Runs the tool, showing the command as a person would type it.
run() {
  echo "== ovrabjt $*"
  "$tool" "$@"
}

# The first lines of a text, and how many more there are.
show_head() {  # show_head LINES FILE
  local total
  total=$(wc -l <"$2")
  head -n "$1" "$2"
  if [ "$total" -gt "$1" ]; then echo "   ... $((total - $1)) more lines in $2"; fi
}

run from-xml "$example" -o "$demo/ticket.bjt"
run to-xml "$demo/ticket.bjt" -o "$demo/ticket.xml"
echo "== ovrabjt dump $demo/ticket.bjt"
"$tool" dump "$demo/ticket.bjt" >"$demo/dump.txt"
show_head 16 "$demo/dump.txt"
echo "== the regenerated document, $demo/ticket.xml"
show_head 12 "$demo/ticket.xml"
echo "== ovrabjt check $demo/ticket.bjt"
"$tool" check "$demo/ticket.bjt" | tee "$demo/check.txt"
"$tool" from-xml "$demo/ticket.xml" -o "$demo/again.bjt"

size=$(wc -c <"$demo/ticket.bjt")
back="into other bytes than the packed ticket"
if cmp -s "$demo/ticket.bjt" "$demo/again.bjt"; then back="into the same $size bytes"; fi
echo
echo "== summary"
echo "$example -> $demo/ticket.bjt ($size bytes) -> $demo/ticket.xml"
echo "$demo/ticket.xml converts back $back"
echo "check: $(sed 's/^[^:]*: //' "$demo/check.txt" | head -n 1)"
echo
echo "Try next: $tool --help, $tool dump --json $demo/ticket.bjt,"
echo "  make test, and \"Using the library\" in README.md to call the library from C."
cmp -s "$demo/ticket.bjt" "$demo/again.bjt"
