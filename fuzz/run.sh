#!/usr/bin/env bash
# Runs every fuzz target (or those named) for SECONDS each, two at a time,
# on its corpus and dictionary. New inputs go to build-fuzz/corpus/<target>;
# a failing input is written to build-fuzz/artifacts/ and fails the run.
#   fuzz/run.sh BUILD-FOLDER SECONDS [target...]
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$1"
seconds="$2"
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(packed_ticket_fuzzer ovra_text_fuzzer kesp_fuzzer mediaprefs_fuzzer)
fi

declare -A dict=(
  [packed_ticket_fuzzer]=packed_ticket.dict
  [ovra_text_fuzzer]=ovra.dict
  [kesp_fuzzer]=kesp.dict
  [mediaprefs_fuzzer]=mediaprefs.dict
)
declare -A max_len=(
  [packed_ticket_fuzzer]=40000
  [ovra_text_fuzzer]=16384
  [kesp_fuzzer]=8192
  [mediaprefs_fuzzer]=8192
)

mkdir -p "$build/artifacts" "$build/logs"

run_one() {
  local t="$1" work="$build/corpus/$1"
  mkdir -p "$work"
  "$build/fuzz/$t" "$work" "$here/corpus/$t" \
    -dict="$here/${dict[$t]}" -max_len="${max_len[$t]}" \
    -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
    >"$build/logs/$t.log" 2>&1
}

summary() {
  local t="$1" log="$build/logs/$1.log"
  local execs cov
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  echo "$t: ${execs:-?} executions, cov: ${cov:-?}"
}

status=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  batch=("${targets[@]:i:2}")
  for t in "${batch[@]}"; do
    run_one "$t" &
    pids+=($!)
  done
  for k in "${!pids[@]}"; do
    t="${batch[$k]}"
    if wait "${pids[$k]}"; then
      summary "$t"
    else
      status=1
      summary "$t"
      echo "$t: FAILED; see $build/logs/$t.log" >&2
      grep -m5 -E 'ERROR|fuzz check failed|SUMMARY|deadly signal|Test unit written' \
        "$build/logs/$t.log" >&2
    fi
  done
done
exit $status
