#!/usr/bin/env bash
# kx-site end to end: each game published once (grown, rotated, truncated, repeated and copied
# logs), reading only the new end of a grown log, an update killed at several moments and
# repaired, the aliases merge, and a player's totals against his games worked out by hand.
#
# usage: kx_site_test.sh <build-dir> <source-dir> <work-dir>
# The build dir holds kx-site, kalimostats-c and kx-preparse side by side.
set -euo pipefail
site_bin=$(realpath "$1/kx-site")
src=$(realpath "$2")
work=$3
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
cd "$work"
e2e=$src/tests/e2e
real=$src/tests/data/real
qgames=$real/server_qgames_challenge.log

passes=0 fails=0
trap 'echo "FAIL stopped at line $LINENO"' ERR
check() {  # check <what> <expected> <actual>
  if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else echo "FAIL $1"; diff <(echo "$2") <(echo "$3") || true; fails=$((fails + 1)); fi
}
update() { "$site_bin" update --site "$@"; }
# The main pages the index pages link to, one line each, as often as they are linked.
indexed() { cat "$1"/html/index*.html | grep -o 'href="kalimostats_[^"]*_main\.html"' | sort; }
published() { ls "$1/html" | grep -c '_game\.json$' || true; }
first_half() { head -n $(($(wc -l <"$1") / 2)) "$1"; }

# --- Publishing once -------------------------------------------------------------------------
# The public qgames log: 9 games end in its first half (the 10th is still running there) and
# 19 in the whole log.
first_half "$qgames" >grown.log
check "a missing log is an error named on standard error" 1 "$(update grown qgrown.log >/dev/null 2>&1; echo $?)"
out=$(update grown grown.log)
check "first half: 9 games published" "9 new games published, 0 already published" "$(tail -1 <<<"$out" | cut -d';' -f1)"
cp "$qgames" grown.log
out=$(update grown grown.log)
# Its head unchanged, only what follows the last published game is read: the 9 are not even met.
check "whole log: only the 10 new games published" "10 new games published, 0 already published" \
  "$(tail -1 <<<"$out" | cut -d';' -f1)"
check "19 records in html/" 19 "$(published grown)"
check "the index lists each game once" "19 19" "$(indexed grown | wc -l) $(indexed grown | sort -u | wc -l)"
check "two SQL lines per game" 38 "$(wc -l <grown/db_sql_gamestats.txt)"
check "every SQL line's page is in html/" "" \
  "$(sed -n "s/^UPDATE gamestats SET html='\(.*\)' WHERE.*/\1/p" grown/db_sql_gamestats.txt | while read -r p; do [ -f "grown/html/$p" ] || echo "$p"; done)"

out=$(update grown grown.log grown.log)
check "the same log twice in one call" "0 new games published, 0 already published" "$(tail -1 <<<"$out" | cut -d';' -f1)"
cp grown.log copy.log
out=$(update grown copy.log)
check "a copy under another name" "0 new games published, 19 already published" "$(tail -1 <<<"$out" | cut -d';' -f1)"
first_half "$qgames" >grown.log
out=$(update grown grown.log)
check "truncated to its first half" "0 new games published, 9 already published" "$(tail -1 <<<"$out" | cut -d';' -f1)"
cp "$real/server_osp_games.log" grown.log
out=$(update grown grown.log)
check "rotated: another log under the same name" "2 new games published, 0 already published" \
  "$(tail -1 <<<"$out" | cut -d';' -f1)"
gzip -c "$qgames" >rotated.log.gz
out=$(update grown rotated.log.gz)
check "a compressed copy" "0 new games published, 19 already published" "$(tail -1 <<<"$out" | cut -d';' -f1)"
check "21 games, none twice" "21 21" "$(indexed grown | wc -l) $(indexed grown | sort -u | wc -l)"

# --- Reading only the new end of a grown log --------------------------------------------------
# A client log growing line by line: whatever the cuts, the site ends with the records of a
# whole read, and the later reads start after the last published game.
records_of() {  # the site's records without what differs from run to run
  python3 - "$1/html" <<'PY'
import json, os, sys
d = sys.argv[1]
out = []
for f in sorted(os.listdir(d)):
    if f.endswith('_game.json'):
        r = json.load(open(os.path.join(d, f)))
        for k in ('processed', 'pages', 'game_id'):
            r.pop(k)
        r['log'].pop('name')
        out.append(json.dumps(r, sort_keys=True))
print('\n'.join(sorted(out)))
PY
}
tails=0
tail_case() {  # tail_case <name> <log>: every line a new update, against one whole read
  local name=$1 log=$2 n i
  tails=0
  update "$name-whole" "$log" >/dev/null
  n=$(wc -l <"$log")
  : >"$name.log"
  for i in $(seq 1 "$n"); do
    sed -n "${i}p" "$log" >>"$name.log"
    if update "$name-grown" "$name.log" | grep -q 'read from byte'; then tails=$((tails + 1)); fi
  done
  check "$name: grown line by line, the records of a whole read" "$(records_of "$name-whole")" "$(records_of "$name-grown")"
}
tail_case three-games "$e2e/several-games-ids/input.log"
check "three games: later reads start after the last published game" 1 "$((tails > 0 ? 1 : 0))"
# Under the OSP client's announcement a tail would be read differently: the log is read whole.
tail_case osp "$src/site/sample/sample.log"
check "OSP announced: every read is whole" 0 "$tails"
check "its warm-up, seen by many updates, is listed once" "1 1" \
  "$(grep -c 'warm-up' osp-whole/html/unrated.html) $(grep -c 'warm-up' osp-grown/html/unrated.html)"
# The real logs, grown from their first half to the whole.
for log in "$real"/*.log; do
  name=real-$(basename "$log" .log)
  update "$name-whole" "$log" >/dev/null
  first_half "$log" >"$name.log"
  update "$name-grown" "$name.log" >/dev/null
  cp "$log" "$name.log"
  update "$name-grown" "$name.log" >/dev/null
  check "$name: half, then whole: the records of a whole read" "$(records_of "$name-whole")" "$(records_of "$name-grown")"
  # Each warm-up kalimostats-c reports is listed once, wherever it falls between the games.
  mkdir "$name-alone"
  cp "$src/site/c-default.cfg" "$name-alone/"
  reported=$(cd "$name-alone" && "$(dirname "$site_bin")/kalimostats-c" "$log" | grep -c '^OSP warm-up detected' || true)
  check "$name: every warm-up listed once" "$reported" "$(grep -c 'OSP warm-up' "$name-whole/html/unrated.html" || true)"
done

# --- The interrupted update --------------------------------------------------------------------
# Stamps and times differ between sites; everything else must be the same bytes.
normalized() {
  (cd "$1" && find html -type f ! -path 'html/images/*' | sort | while read -r f; do
    echo "== $(sed -E 's/[0-9]{4}(_[0-9]{2}){5}/STAMP/g' <<<"$f")"
    sed -E 's/[0-9]{4}(_[0-9]{2}){5}/STAMP/g; s/[0-9]{4}-[0-9]{2}-[0-9]{2}[ T][0-9]{2}:[0-9]{2}:[0-9]{2}/TIME/g' "$f"
  done; echo "== sql"; sed -E 's/[0-9]{4}(_[0-9]{2}){5}/STAMP/g' db_sql_gamestats.txt)
}
first_half "$qgames" >half.log
update calm half.log >/dev/null
update calm "$qgames" >/dev/null
for moment in after-commit after-renames; do
  update "killed-$moment" half.log >/dev/null
  status=0
  (KX_SITE_TEST_KILL=$moment exec "$site_bin" update --site "killed-$moment" "$qgames" >/dev/null 2>&1) 2>/dev/null || status=$?
  check "killed $moment (SIGKILL)" 137 "$status"
  out=$(update "killed-$moment" "$qgames" | tail -1)
  check "killed $moment: the next update publishes nothing again" "0 new games published, 0 already published" \
    "$(cut -d';' -f1 <<<"$out")"
  check "killed $moment: no staging directory left" "" "$(ls -a "killed-$moment" | grep staging || true)"
  check "killed $moment, repaired: the site of an update never killed" "$(normalized calm)" "$(normalized "killed-$moment")"
done
# Killed by hand in the middle of a run: the archive and html/ stay each other's.
update killed-anywhere half.log >/dev/null
"$site_bin" update --site killed-anywhere "$qgames" >/dev/null 2>&1 &
sleep 0.7
kill -9 $! 2>/dev/null || true
wait $! 2>/dev/null || true
update killed-anywhere "$qgames" >/dev/null
check "killed at any moment, repaired: the site of an update never killed" "$(normalized calm)" "$(normalized killed-anywhere)"

# Two updates at once: the second waits for the first (here flock(1) holding the site's lock
# for two seconds) and says so.
update busy half.log >/dev/null
flock busy/.lock sleep 2 &
holder=$!
sleep 0.5
start=$(date +%s)
"$site_bin" update --site busy "$qgames" >busy.txt 2>&1
waited=$(($(date +%s) - start))
wait $holder
check "a second update says it waits for the first" 1 "$(grep -c 'waiting for it to finish' busy.txt || true)"
check "and waits" 1 "$((waited >= 1 ? 1 : 0))"
check "and then publishes" "10 new games published, 9 already published" "$(tail -1 busy.txt | cut -d';' -f1)"

# --- A player's totals, worked out by hand -------------------------------------------------------
# Ann loses game 1001 of several-games-ids (Ben rails her twice: 0 kills, 2 deaths, score 0 to
# Ben's 2) and wins the free-for-all of game-record-ffa (score 2, shared with Bob: kills 3,
# deaths 2, suicides 1). Two games, 1 win, 1 loss, 0 draws, 3 kills, 4 deaths, K/D 0.75,
# 1 suicide, no capture; Ben: 1 game, 0 for, 2 against; Bob: 1 game, 3 for, 2 against.
update hand "$e2e/several-games-ids/input.log" "$e2e/game-record-ffa/input.log" >/dev/null
row=$(grep -A4 '<b>TOTALS</b>' hand/html/player_ann.html | tail -1 | grep -o '<div align=center>[^<]*</div>' | sed 's/<[^>]*>//g' | tr '\n' ' ')
check "Ann's totals: games wins losses draws kills deaths K/D suicides captures" "2 1 1 0 3 4 0.75 1 0 " "$row"
opp() { grep -o "<a href=\"player_$1.html\">[^<]*</a></td>.*" hand/html/player_ann.html | grep -o '<div align=center>[^<]*</div>' | sed 's/<[^>]*>//g' | tr '\n' ' '; }
check "Ann against Ben: games, kills for, kills against" "1 0 2 " "$(opp ben)"
check "Ann against Bob: games, kills for, kills against" "1 3 2 " "$(opp bob)"
# The index names a free-for-all's winner with the top score: Ben (2) in game 1001, Dee (kills 2
# to Eli's 1) in 1002, Gus (1; Fox's suicide takes his kill back) in 1003.
won() { grep -o "<div align=center><a href=\"player_$1.html\">[^<]*</a> ($2)</div>" hand/html/index*.html | wc -l; }
check "the index names each winner and his score" "1 1 1" "$(won ben 2) $(won dee 2) $(won gus 1)"

# --- The aliases merge ---------------------------------------------------------------------------
# Dee (game 1002: kills 2, deaths 1, win) becomes Ann: her page counts three games now, and
# Dee's own page is gone.
printf '# the same person\nAnn = ^4Dee\n' >hand/aliases
out=$(update hand "$e2e/game-record-ffa/input.log")
check "a changed aliases file: everything worked out again" 1 "$(grep -c 'aliases changed' <<<"$out")"
row=$(grep -A4 '<b>TOTALS</b>' hand/html/player_ann.html | tail -1 | grep -o '<div align=center>[^<]*</div>' | sed 's/<[^>]*>//g' | tr '\n' ' ')
check "Ann with Dee's game: 3 games, 2 wins, 5 kills, 5 deaths" "3 2 1 0 5 5 1.00 1 0 " "$row"
check "Dee's page is gone" "no" "$([ -f hand/html/player_dee.html ] && echo yes || echo no)"
check "the index links Ann for Dee" 0 "$(grep -c 'player_dee.html' hand/html/index.html || true)"
out=$(update hand "$e2e/game-record-ffa/input.log")
check "an unchanged aliases file: nothing worked out again" 0 "$(grep -c 'aliases changed' <<<"$out" || true)"

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
