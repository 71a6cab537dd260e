#!/usr/bin/env bash
# Shapes of log that once cost more than their size: a game of 64 players and many kills, a log
# of tiny games, a log without a single newline. Each is timed at one size and at ten times that
# size; a ratio near 10 means time proportional to size.
#
# usage: bench/scaling.sh <kalimostats-c> [small-scale (default 1)]
set -euo pipefail
export LC_ALL=C
bin="$(realpath "$1")"
scale="${2:-1}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="/tmp/kalimostats-bench-cache/scaling"
mkdir -p "$cache"

big_game() {  # <kills> <file>: 64 players enter, then kills among them, then the time limit
  python3 - "$1" "$2" <<'PY'
import random, sys
kills, path = int(sys.argv[1]), sys.argv[2]
rng = random.Random(7)
names = ["Player%02d" % i for i in range(64)]
with open(path, "w") as f:
    for n in names:
        f.write("%s^7 entered the game\n" % n)
    for _ in range(kills):
        a, b = rng.sample(names, 2)
        f.write("%s^7 was railed by %s^7\n" % (a, b))
    f.write("Timelimit hit.\n")
PY
}

tiny_games() {  # <games> <file>: a one-player game of two lines, over and over
  python3 - "$1" "$2" <<'PY'
import sys
games, path = int(sys.argv[1]), sys.argv[2]
with open(path, "w") as f:
    f.write("Solo^7 entered the game\nTimelimit hit.\n" * games)
PY
}

no_newline() {  # <megabytes> <file>: obituary-like text without a line end
  # yes ends on the broken pipe once head has enough: that is not a failure here.
  { yes 'Anarki^7 was railed by Sarge^7 ' || true; } | tr -d '\n' | head -c "$(($1 * 1048576))" >"$2" || true
}

run() {  # <log> -> wall seconds, weapon pages off
  local work
  work="$(mktemp -d /tmp/kalimostats-scaling.XXXXXX)"
  awk 'prev == "make_weapon_stats:" { $0 = "no" } { print; prev = $0 }' "$root/site/c-default.cfg" \
    >"$work/c-default.cfg"
  (cd "$work" && /usr/bin/time -f '%e' -o time.txt "$bin" "$1" >/dev/null)
  cat "$work/time.txt"
  rm -rf "$work"
}

measure() {  # <name> <generator> <small size> <unit>
  local small=$(($3 * scale)) big=$(($3 * scale * 10))
  local a="$cache/$2_$small.log" b="$cache/$2_$big.log"
  [[ -s $a ]] || "$2" "$small" "$a"
  [[ -s $b ]] || "$2" "$big" "$b"
  local ta tb
  ta="$(run "$a")"
  tb="$(run "$b")"
  awk -v n="$1" -v s="$small" -v l="$big" -v u="$4" -v ta="$ta" -v tb="$tb" 'BEGIN {
    printf "%-34s %9d %-6s %6.2f s   %9d %-6s %6.2f s   ratio %5.1f\n", n, s, u, ta, l, u, tb,
      (ta > 0 ? tb / ta : 0) }'
}

measure "64 players, many kills" big_game 100000 kills
measure "two-line games" tiny_games 100000 games
measure "no newline at all" no_newline 50 MB
