#!/usr/bin/env bash
# The shared library carries none of the operations on whole tickets: they
# belong to the tool and the tests.
set -euo pipefail
lib=$1
found=$(nm -C "$lib" | grep -E 'ovrabjt::(MergeTicket(Attributes|Document)|FitTicket|DropUnsupported|DiffTickets)\(' || true)
if [ -n "$found" ]; then
  echo "the shared library carries operations it should not:" >&2
  echo "$found" >&2
  exit 1
fi
echo "no operations in $lib"
