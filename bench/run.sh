#!/usr/bin/env bash
# Times kalimostats-c on a synthetic client console log and prints its throughput.
#
#   bench/run.sh <path-to-kalimostats-c> [MB]        (MB = 2^20 bytes, default 100)
#
# Environment: BENCH_SEED (default 1) picks the generated log, BENCH_KEEP=1 keeps the work
# directory (pages and program output) after a successful run, BENCH_WEAPON_PAGES=no turns the
# weapon pages off.
set -euo pipefail

usage() {
  echo "usage: $0 <path-to-kalimostats-c> [MB]" >&2
  exit 2
}

[[ $# -ge 1 && $# -le 2 ]] || usage
bin_arg=$1
mb=${2:-100}
seed=${BENCH_SEED:-1}
keep=${BENCH_KEEP:-0}

if ! [[ $mb =~ ^[0-9]+$ ]] || ((10#$mb == 0)); then
  echo "MB must be a positive whole number" >&2
  exit 2
fi
mb=$((10#$mb))
if ! [[ $seed =~ ^[0-9]+$ ]]; then
  echo "BENCH_SEED must be a whole number" >&2
  exit 2
fi
if [[ ! -f $bin_arg || ! -x $bin_arg ]]; then
  echo "not an executable file: $bin_arg" >&2
  exit 2
fi

# Absolute paths, because the program runs inside its own work directory.
bin="$(cd -- "$(dirname -- "$bin_arg")" && pwd)/$(basename -- "$bin_arg")"
here="$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname -- "$here")"
gen="$here/gen_client_log.py"

# The cached log is named after its size, its seed and the generator's contents, so a changed
# generator never reuses a stale log.
cache_dir=/tmp/kalimostats-bench-cache
mkdir -p -- "$cache_dir"
gen_id="$(sha256sum -- "$gen" | cut -c1-12)"
log="$cache_dir/client_${mb}mb_seed${seed}_${gen_id}.log"

work=""
partial=""
cleanup() {
  [[ -n $partial ]] && rm -f -- "$partial"
  if [[ -n $work && $keep != 1 ]]; then
    rm -rf -- "$work"
  fi
}
trap cleanup EXIT

if [[ -s $log ]]; then
  echo "reusing $log"
else
  # Logs of the same size and seed written by an older generator are stale.
  for old in "$cache_dir/client_${mb}mb_seed${seed}_"*.log; do
    [[ -e $old ]] && rm -f -- "$old"
  done
  echo "generating $log ..."
  partial="$(mktemp "$cache_dir/.partial.XXXXXX")"
  python3 "$gen" --mb "$mb" --seed "$seed" --out "$partial"
  chmod 644 -- "$partial"
  mv -f -- "$partial" "$log"
  partial=""
fi
size="$(stat -c %s -- "$log")"

work="$(mktemp -d /tmp/kalimostats-bench-run.XXXXXX)"
cp -- "$root/site/c-default.cfg" "$root/site/c-header.html" "$root/site/c-footer.html" \
  "$root/site/c-kalimo.css" "$work/"
cd -- "$work"
# BENCH_WEAPON_PAGES=no measures the line pipeline and main pages without the weapon pages,
# which are most of the output (a weapon page is a matrix of every player against every other).
if [[ ${BENCH_WEAPON_PAGES:-yes} == no ]]; then
  awk 'prev == "make_weapon_stats:" { $0 = "no" } { print; prev = $0 }' c-default.cfg >c-bench.cfg
  mv -f -- c-bench.cfg c-default.cfg
fi

# Bash's own timer gives the wall clock in milliseconds; /usr/bin/time, when present, adds the
# peak resident set size. The program's console output goes to a file.
TIMEFORMAT='%3R %3U %3S'
status=0
if [[ -x /usr/bin/time ]]; then
  { time /usr/bin/time -f '%M' -o rss.txt -- "$bin" "$log" c-default.cfg \
      >program-output.txt 2>&1; } 2>time.txt || status=$?
else
  { time "$bin" "$log" c-default.cfg >program-output.txt 2>&1; } 2>time.txt || status=$?
fi

read -r wall user sys < <(tail -n 1 time.txt)
rss="n/a"
if [[ -s rss.txt ]]; then
  rss="$(tail -n 1 rss.txt) KiB"
fi
main_pages=0
weapon_pages=0
if [[ -d html ]]; then
  main_pages="$(find html -maxdepth 1 -type f -name '*_main.*' | wc -l)"
  weapon_pages="$(find html -maxdepth 1 -type f -name '*_wpn.*' | wc -l)"
fi
throughput="$(awk -v s="$size" -v w="$wall" \
  'BEGIN { if (w > 0) printf "%.1f", s / 1048576 / w; else printf "n/a" }')"

echo "binary:       $bin"
echo "log:          $log ($size bytes, seed $seed)"
echo "exit status:  $status"
echo "pages:        $main_pages main, $weapon_pages weapon"
echo "wall:         $wall s"
echo "user:         $user s"
echo "sys:          $sys s"
echo "peak RSS:     $rss"

if [[ $status -ne 0 ]]; then
  keep=1
  echo "the program failed, so there is no throughput figure; its output is in" \
    "$work/program-output.txt" >&2
  exit 1
fi
echo "throughput:   $throughput MB/s (MB = 2^20 bytes of log per wall-clock second)"
if [[ $keep == 1 ]]; then
  echo "work directory kept: $work"
fi
