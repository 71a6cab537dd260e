#!/usr/bin/env bash
# The stats site on an archive of many games: a rebuild from their records, an update that adds
# one game, and the archive's size per game. Prints the figures; never a test.
#
#   bench/site.sh <path-to-kx-site> [games]        (default 10000)
#
# kalimostats-c and kx-preparse go beside kx-site. The records are written by
# gen_site_records.py into a fresh temporary site (deleted afterwards unless BENCH_KEEP=1).
# Targets: rebuild <= 60 s, update adding one game <= 1 s, archive <= 20 KiB per game.
set -euo pipefail
export LC_ALL=C
[[ $# -ge 1 && $# -le 2 ]] || { echo "usage: $0 <path-to-kx-site> [games]" >&2; exit 2; }
games=${2:-10000}
site_bin=$(realpath -- "$1")
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname -- "$here")
work=$(mktemp -d /tmp/kx-site-bench-XXXXXX)
[[ ${BENCH_KEEP:-} == 1 ]] || trap 'rm -rf "$work"' EXIT

seconds() { python3 -c 'import sys; print("%.2f" % (float(sys.argv[2]) - float(sys.argv[1])))' "$@"; }

python3 "$here/gen_site_records.py" --games "$games" --out "$work/site/html"
t0=$(date +%s.%N)
"$site_bin" rebuild --site "$work/site" >"$work/rebuild.txt"
t1=$(date +%s.%N)
rebuild=$(seconds "$t0" "$t1")

# One new game: the two-player free-for-all of the end-to-end cases, under a map of its own so
# that its fingerprint is new.
sed 's/q3dm6/bench-map/' "$root/tests/e2e/game-record-ffa/input.log" >"$work/new-game.log"
t0=$(date +%s.%N)
"$site_bin" update --site "$work/site" "$work/new-game.log" >"$work/update.txt"
t1=$(date +%s.%N)
update=$(seconds "$t0" "$t1")

db_bytes=$(stat -c %s "$work/site/kalimostats.db")
per_game=$(python3 -c 'import sys; print("%.1f" % (int(sys.argv[1]) / 1024 / (int(sys.argv[2]) + 1)))' "$db_bytes" "$games")
echo "games:                 $((games + 1))"
echo "rebuild:               $rebuild s   (target <= 60 s)  $(tail -1 "$work/rebuild.txt")"
echo "update adding a game:  $update s   (target <= 1 s)   $(tail -1 "$work/update.txt")"
echo "archive:               $db_bytes bytes, $per_game KiB per game   (target <= 20 KiB)"
