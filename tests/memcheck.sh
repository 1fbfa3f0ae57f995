#!/usr/bin/env bash
# Runs the end-to-end tests (the exports through the shared library) under
# valgrind's memcheck. Any memory error or leak fails; nothing is suppressed
# (what the XML library leaks is given back with each parser's memory).
#   tests/memcheck.sh BUILD-FOLDER
set -uo pipefail
build="$1"
frame="$build/tests/frame"
valgrind=(valgrind --quiet --error-exitcode=99 --leak-check=full
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible
  --track-origins=yes)

status=0
run() {
  echo "memcheck: $*"
  if ! "${valgrind[@]}" "$@"; then
    echo "memcheck: FAILED: $*" >&2
    status=1
  fi
}

for t in export_tests bad_input_tests hostile_file_tests concurrency_tests; do
  run "$frame/$t" --gtest_brief=1
done
run "$frame/unload_test" "$build/src/libovrabjt.so"
if [ $status -eq 0 ]; then echo "memcheck: no errors and no leaks"; fi
exit $status
