#!/usr/bin/env bash
# Times kx-index over a directory of N game pages and prints its wall-clock time and peak memory.
#
#   bench/index.sh <path-to-kx-index> [pages]        (default 100000)
#
# The pages are copies of the main pages kalimostats-c (found beside kx-index) writes for the
# real logs of tests/data/real and the sample logs of site/sample, with the game records it writes
# beside them when its configuration (site/c-default.cfg) turns them on; they are made once and
# kept in /tmp/kalimostats-bench-cache/ (about 19 KB a page and 10 KB a record: 2.9 GB for
# 100,000). Environment: BENCH_RECORDS=no leaves the records out, so that the pages are read;
# BENCH_ROUNDS (default 3) timed runs after one untimed run that brings the files into memory.
set -euo pipefail
export LC_ALL=C

usage() {
  echo "usage: $0 <path-to-kx-index> [pages]" >&2
  exit 2
}
[[ $# -ge 1 && $# -le 2 ]] || usage
pages=${2:-100000}
rounds=${BENCH_ROUNDS:-3}
records=${BENCH_RECORDS:-yes}
[[ $pages =~ ^[0-9]+$ && $rounds =~ ^[0-9]+$ ]] || usage
index_bin="$(realpath -- "$1")"
bin_dir="$(dirname -- "$index_bin")"
here="$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname -- "$here")"
gen="$here/gen_index_pages.py"
for b in "$index_bin" "$bin_dir/kalimostats-c" "$bin_dir/kx-preparse"; do
  [[ -x $b ]] || { echo "not an executable file: $b (kalimostats-c and kx-preparse go beside kx-index)" >&2; exit 2; }
done

cache_dir=/tmp/kalimostats-bench-cache
mkdir -p -- "$cache_dir"
# Named after the generator and the configuration, which decides whether records are written.
gen_id="$(cat -- "$gen" "$root/site/c-default.cfg" | sha256sum | cut -c1-12)"
site="$cache_dir/index_${pages}pages_records-${records}_${gen_id}"
partial=""
cleanup() { [[ -n $partial ]] && rm -rf -- "$partial"; return 0; }
trap cleanup EXIT

if [[ -d $site/html ]]; then
  echo "reusing $site"
else
  for old in "$cache_dir/index_${pages}pages_records-${records}_"*; do
    [[ -e $old ]] && rm -rf -- "$old"
  done
  echo "generating $pages pages in $site ..."
  partial="$(mktemp -d "$cache_dir/.partial.XXXXXX")"
  mkdir "$partial/run"
  cp -- "$root/site/c-default.cfg" "$root/site/c-header.html" "$root/site/c-footer.html" "$partial/run/"
  # A second apart, so that no two runs share a time stamp.
  for log in "$root"/tests/data/real/*.log "$root"/site/sample/*.log; do
    (cd "$partial/run" && "$bin_dir/kalimostats-c" "$log" c-default.cfg >/dev/null)
    sleep 1
  done
  no_records=()
  [[ $records == no ]] && no_records=(--no-records)
  python3 "$gen" --templates "$partial/run/html" --pages "$pages" --out "$partial/site/html" "${no_records[@]}"
  mv -- "$partial/site" "$site"
  rm -rf -- "$partial"
  partial=""
fi

main_pages="$(find "$site/html" -maxdepth 1 -name '*_main.*' | wc -l)"
bytes="$(find "$site/html" -maxdepth 1 -name '*_main.*' -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')"
echo "binary:       $index_bin"
record_files="$(find "$site/html" -maxdepth 1 -name '*_game.json' | wc -l)"
echo "pages:        $main_pages main pages, $((bytes / 1048576)) MiB; $record_files game records"
"$index_bin" "$site/html" >/dev/null 2>&1 || true
for ((round = 1; round <= rounds; round++)); do
  /usr/bin/time -f '%e %U %S %M' -o "$site/time.txt" -- "$index_bin" "$site/html" >"$site/output.txt" 2>&1 \
    || { echo "kx-index failed:"; cat "$site/output.txt"; exit 1; }
  read -r wall user sys rss <"$site/time.txt"
  echo "round $round:      wall $wall s, user $user s, sys $sys s, peak RSS $((rss / 1024)) MiB"
done
echo "listed:       $(cat "$site/output.txt")"
