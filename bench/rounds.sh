#!/usr/bin/env bash
# Times several builds of kalimostats-c on the same generated log in alternating rounds and prints,
# for each, the median wall-clock, user and system seconds and CPU per wall second.
#
# usage: bench/rounds.sh [-r rounds] [-w yes|no] [-m synthetic|night] [-s MB] <kalimostats-c>...
#
# -r rounds (default 5), -w weapon pages (default no), -m the log's mix (default synthetic),
# -s its size in MB (default 100). Each round runs every binary once, in a fresh directory, the
# order turned by one each round so that no build always runs right after the same other one.
# BENCH_DIR (default /tmp) is where the runs write their pages (see compare.sh). Every run's
# figures are printed as they come, so a round disturbed by other load can be seen.
#
# To time the run with one reading thread, build with -DKX_BENCH_ONE_READING_THREAD: the line
# pipeline then never reads ahead, and the output is the same.
#
#   cmake -S . -B build-one -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
#     -DCMAKE_CXX_FLAGS=-DKX_BENCH_ONE_READING_THREAD
set -euo pipefail
export LC_ALL=C

rounds=5
weapon=no
mix=synthetic
mb=100
while getopts 'r:w:m:s:' opt; do
  case $opt in
    r) rounds=$OPTARG ;;
    w) weapon=$OPTARG ;;
    m) mix=$OPTARG ;;
    s) mb=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [[ $# -lt 1 ]]; then
  echo "usage: bench/rounds.sh [-r rounds] [-w yes|no] [-m synthetic|night] [-s MB] <kalimostats-c>..." >&2
  exit 2
fi
bins=()
for b in "$@"; do bins+=("$(realpath "$b")"); done

root="$(cd "$(dirname "$0")/.." && pwd)"
gen="$root/bench/gen_client_log.py"
cache="/tmp/kalimostats-bench-cache"
mkdir -p "$cache"
# The same name as compare.sh gives it, so either script reuses the other's log.
log="$cache/${mix}_${mb}mb_seed1_$(sha1sum "$gen" | cut -c1-12).log"
if [[ ! -s $log ]]; then
  python3 "$gen" --mix "$mix" --mb "$mb" --seed 1 --out "$log.partial"
  mv -f "$log.partial" "$log"
fi

results="$(mktemp /tmp/kalimostats-rounds.XXXXXX)"
trap 'rm -f "$results"' EXIT

# Prints "wall user system" in seconds for one run in a fresh directory.
run_program() {  # <binary>
  local work
  work="$(mktemp -d "${BENCH_DIR:-/tmp}/kalimostats-rounds.XXXXXX")"
  cp "$root/site/c-header.html" "$root/site/c-footer.html" "$work/"
  awk -v w="$weapon" 'prev == "make_weapon_stats:" { $0 = w } { print; prev = $0 }' \
    "$root/site/c-default.cfg" >"$work/c-default.cfg"
  (cd "$work" && /usr/bin/time -f '%e %U %S' -o time.txt "$1" "$log" >/dev/null)
  cat "$work/time.txt"
  rm -rf "$work"
}

n=${#bins[@]}
for ((r = 0; r < rounds; ++r)); do
  for ((k = 0; k < n; ++k)); do
    i=$(((r + k) % n))
    read -r wall user sys < <(run_program "${bins[i]}")
    echo "$i $wall $user $sys" >>"$results"
    printf 'round %d  %-40s wall %5.2f  user %5.2f  sys %5.2f\n' "$((r + 1))" "${bins[i]}" "$wall" "$user" "$sys"
  done
done

echo "$mix log, $mb MB, weapon pages $weapon, medians of $rounds rounds (min-max):"
for ((i = 0; i < n; ++i)); do
  awk -v i="$i" -v name="${bins[i]}" '
    function sorted(a, m,   j, k, t) {  # sorts a[1..m] in place
      for (j = 2; j <= m; ++j) { t = a[j]; for (k = j - 1; k >= 1 && a[k] > t; --k) a[k + 1] = a[k]; a[k + 1] = t }
    }
    function med(a, m) { sorted(a, m); return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2 }
    $1 == i { ++m; w[m] = $2; u[m] = $3; s[m] = $4; c[m] = $3 + $4; q[m] = ($2 > 0 ? ($3 + $4) / $2 : 0) }
    END {
      printf "  %s\n    wall %.2f", name, med(w, m); printf " (%.2f-%.2f)", w[1], w[m]
      printf "  user %.2f  sys %.2f", med(u, m), med(s, m)
      printf "  cpu %.2f", med(c, m); printf " (%.2f-%.2f)", c[1], c[m]
      printf "  cpu/wall %.2f\n", med(q, m) }' "$results"
done
