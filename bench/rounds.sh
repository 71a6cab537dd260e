#!/usr/bin/env bash
# Times several builds of kalimostats-c on the same generated log in alternating rounds and prints,
# for each, the median wall-clock, user and system seconds and CPU per wall second.
#
# usage: bench/rounds.sh [-r rounds] [-w yes|no] [-m synthetic|night] [-s MB] [-q] <kalimostats-c>...
#
# -r rounds (default 5), -w weapon pages (default no), -m the log's mix (default synthetic),
# -s its size in MB (default 100), -q: before each round, wait (up to 5 minutes) until the
# machine's processors have been at least 80 % idle for two seconds, for a machine shared with
# other work. Each round runs every binary once, in a fresh directory, the
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
quiet=0
while getopts 'r:w:m:s:q' opt; do
  case $opt in
    r) rounds=$OPTARG ;;
    w) weapon=$OPTARG ;;
    m) mix=$OPTARG ;;
    s) mb=$OPTARG ;;
    q) quiet=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [[ $# -lt 1 ]]; then
  echo "usage: bench/rounds.sh [-r rounds] [-w yes|no] [-m synthetic|night] [-s MB] [-q] <kalimostats-c>..." >&2
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

# Idle share of all processors over the next two seconds, in percent (from /proc/stat).
idle_percent() {
  local a b
  read -r -a a < <(head -n 1 /proc/stat)
  sleep 2
  read -r -a b < <(head -n 1 /proc/stat)
  local total=0 k
  for ((k = 1; k < ${#a[@]}; ++k)); do total=$((total + b[k] - a[k])); done
  local idle=$((b[4] - a[4] + b[5] - a[5]))
  echo $((total > 0 ? 100 * idle / total : 100))
}

wait_for_quiet() {
  local tries
  for ((tries = 0; tries < 150; ++tries)); do
    (($(idle_percent) >= 80)) && return
  done
  echo "(the machine stayed busy; running anyway)"
}

n=${#bins[@]}
for ((r = 0; r < rounds; ++r)); do
  ((quiet)) && wait_for_quiet
  for ((k = 0; k < n; ++k)); do
    i=$(((r + k) % n))
    read -r wall user sys < <(run_program "${bins[i]}")
    echo "$r $i $wall $user $sys" >>"$results"
    printf 'round %d  %-40s wall %5.2f  user %5.2f  sys %5.2f\n' "$((r + 1))" "${bins[i]}" "$wall" "$user" "$sys"
  done
done

echo "$mix log, $mb MB, weapon pages $weapon, medians of $rounds rounds (min-max);"
echo "against the first binary: the median of the ratios within each round"
awk -v n="$n" -v names="${bins[*]}" '
  function sorted(a, m,   j, k, t) {  # sorts a[1..m] in place
    for (j = 2; j <= m; ++j) { t = a[j]; for (k = j - 1; k >= 1 && a[k] > t; --k) a[k + 1] = a[k]; a[k + 1] = t }
  }
  function med(a, m) { sorted(a, m); return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2 }
  { W[$1, $2] = $3; U[$1, $2] = $4; S[$1, $2] = $5; if ($1 + 1 > rounds) rounds = $1 + 1 }
  END {
    split(names, name, " ")
    for (i = 0; i < n; ++i) {
      delete w; delete u; delete s; delete c; delete q; delete rw; delete rc
      for (r = 0; r < rounds; ++r) {
        w[r + 1] = W[r, i]; u[r + 1] = U[r, i]; s[r + 1] = S[r, i]; c[r + 1] = U[r, i] + S[r, i]
        q[r + 1] = W[r, i] > 0 ? c[r + 1] / W[r, i] : 0
        rw[r + 1] = W[r, 0] > 0 ? W[r, i] / W[r, 0] : 0
        rc[r + 1] = U[r, 0] + S[r, 0] > 0 ? c[r + 1] / (U[r, 0] + S[r, 0]) : 0
      }
      m = rounds
      printf "  %s\n    wall %.2f", name[i + 1], med(w, m); printf " (%.2f-%.2f)", w[1], w[m]
      printf "  user %.2f  sys %.2f", med(u, m), med(s, m)
      printf "  cpu %.2f", med(c, m); printf " (%.2f-%.2f)", c[1], c[m]
      printf "  cpu/wall %.2f", med(q, m)
      if (i > 0) { printf "\n    against the first: wall %.2fx", med(rw, m); printf " (%.2f-%.2f)", rw[1], rw[m]
                   printf "  cpu %.2fx", med(rc, m); printf " (%.2f-%.2f)", rc[1], rc[m] }
      printf "\n"
    }
  }' "$results"
