#!/usr/bin/env bash
# Runs the libFuzzer targets, one after the other on one core, from the committed seed corpora.
#
# usage: run.sh <fuzz-build-dir> <seconds|Nruns> [target...]
#   <fuzz-build-dir>  a build made with -DKX_FUZZ=ON (see README.md here)
#   "60" runs each target for 60 seconds; "10000000runs" runs each for that many executions
#   targets: pipeline preparse config names (default: all four)
# New inputs go to a scratch corpus beside the build, never into the committed seeds; a
# finding is written there too (crash-*, leak-*, timeout-*) and ends the run with status 1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
limit=$2
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(pipeline preparse config names)

case "$limit" in
  *runs) budget=(-runs="${limit%runs}") ;;
  *) budget=(-max_total_time="$limit") ;;
esac

# Stack traces of allocations are only needed to explain a finding: rerun the crash input for them.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
status=0
for t in "${targets[@]}"; do
  work="$build/fuzz-work/$t"
  mkdir -p "$work/corpus" "$work/findings"
  extra=()
  # Short logs still hold whole games; longer ones only slow the pipeline down.
  [ "$t" = pipeline ] && extra=(-max_len=512)
  echo "== fuzz-$t"
  if ! "$build/tests/fuzz/fuzz-$t" "${budget[@]}" "${extra[@]}" -entropic=0 -print_final_stats=1 \
      -artifact_prefix="$work/findings/" "$work/corpus" "$here/corpus/$t" >"$work/log" 2>&1; then
    status=1
    tail -40 "$work/log"
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec)' "$work/log" || true
done
exit $status
