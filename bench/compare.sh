#!/usr/bin/env bash
# Times kalimostats-c against `grep -F -c -f <the filter texts>` on the same logs, in alternating
# rounds, and prints medians and ratios; with --rss, the peak memory from 10 MB to 1 GB of log.
#
# usage: bench/compare.sh <kalimostats-c> [rounds (default 3)]
#        bench/compare.sh --rss <kalimostats-c>
#
# The logs (100 MB synthetic, 100 MB match night) are generated once into
# /tmp/kalimostats-bench-cache/. Each round runs grep, then the program with weapon pages off,
# then with them on, each in a fresh directory; the figures are wall-clock seconds.
#
# BENCH_DIR (default /tmp) is where the runs write their pages. On ext4, creating thousands of
# files right after the previous round deleted thousands costs the kernel far more than on a
# disk where nothing was just deleted (its inode allocator skips every recently freed inode);
# BENCH_DIR=/dev/shm (tmpfs) times the program without that.
set -euo pipefail
export LC_ALL=C

root="$(cd "$(dirname "$0")/.." && pwd)"
gen="$root/bench/gen_client_log.py"
cache="/tmp/kalimostats-bench-cache"
mkdir -p "$cache"

rss_mode=0
if [[ ${1:-} == --rss ]]; then
  rss_mode=1
  shift
fi
if [[ $# -lt 1 ]]; then
  echo "usage: bench/compare.sh [--rss] <kalimostats-c> [rounds]" >&2
  exit 2
fi
bin="$(realpath "$1")"
rounds="${2:-3}"

# The filter texts: the line filter's table, one per line, as the program holds them.
filter="$cache/filter-texts.txt"
python3 - "$root/src/read/vocabulary.cpp" >"$filter" <<'PY'
import re, sys
src = open(sys.argv[1]).read()
body = src[src.index("valid_strings[] = {"):]
body = body[:body.index("nullptr")]
for m in re.finditer(r'^\s*"((?:[^"\\]|\\.)*)",', body, re.M):
    print(m.group(1).encode().decode("unicode_escape"))
PY

log_for() {  # <mix> <mb> -> path, generated once
  local path="$cache/$1_${2}mb_seed1_$(sha1sum "$gen" | cut -c1-12).log"
  if [[ ! -s $path ]]; then
    python3 "$gen" --mix "$1" --mb "$2" --seed 1 --out "$path.partial"
    mv -f "$path.partial" "$path"
  fi
  echo "$path"
}

# Runs the program in a fresh directory; prints "wall_seconds peak_rss_kib".
run_program() {  # <log> <weapon pages yes|no>
  local work
  work="$(mktemp -d "${BENCH_DIR:-/tmp}/kalimostats-compare.XXXXXX")"
  cp "$root/site/c-header.html" "$root/site/c-footer.html" "$work/"
  awk -v w="$2" 'prev == "make_weapon_stats:" { $0 = w } { print; prev = $0 }' \
    "$root/site/c-default.cfg" >"$work/c-default.cfg"
  (cd "$work" && /usr/bin/time -f '%e %M' -o time.txt "$bin" "$1" >/dev/null)
  cat "$work/time.txt"
  rm -rf "$work"
}

run_grep() {  # <log>
  /usr/bin/time -f '%e %M' -o /tmp/kalimostats-compare-grep.txt grep -F -c -f "$filter" "$1" >"$cache/grep-count.txt"  # not /dev/null: grep stops at the first match there
  cat /tmp/kalimostats-compare-grep.txt
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

if [[ $rss_mode == 1 ]]; then
  small="$(log_for synthetic 10)"
  base="$(log_for synthetic 100)"
  big="$cache/synthetic_1000mb_concat.log"
  if [[ ! -s $big ]]; then
    for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$base"; done >"$big.partial"
    mv -f "$big.partial" "$big"
  fi
  for log in "$small" "$base" "$big"; do
    read -r wall rss < <(run_program "$log" no)
    printf '%-48s %8.1f MB  peak RSS %7d KiB  (%.2f s, weapon pages off)\n' "$(basename "$log")" \
      "$(($(stat -c %s "$log") / 1048576))" "$rss" "$wall"
  done
  exit 0
fi

for mix in synthetic night; do
  log="$(log_for "$mix" 100)"
  : >"$cache/g.txt"; : >"$cache/off.txt"; : >"$cache/on.txt"
  for ((r = 0; r < rounds; ++r)); do
    run_grep "$log" | cut -d' ' -f1 >>"$cache/g.txt"
    run_program "$log" no | cut -d' ' -f1 >>"$cache/off.txt"
    run_program "$log" yes | cut -d' ' -f1 >>"$cache/on.txt"
  done
  g="$(median <"$cache/g.txt")"
  off="$(median <"$cache/off.txt")"
  on="$(median <"$cache/on.txt")"
  echo "$mix log, 100 MB, medians of $rounds alternating rounds:"
  awk -v g="$g" -v off="$off" -v on="$on" 'BEGIN {
    printf "  grep -F -c -f filter texts   %6.2f s\n", g
    printf "  weapon pages off             %6.2f s  = %4.2fx grep\n", off, off / g
    printf "  weapon pages on              %6.2f s  = %4.2fx grep\n", on, on / g }'
done
