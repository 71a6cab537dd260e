#!/usr/bin/env bash
# Publishing: a throwaway MariaDB server loads site/gamestats.sql, then the SQL lines of real runs.
#
# usage: db_test.sh <kalimostats-c> <source-dir> <work-dir>
set -euo pipefail
program=$(realpath "$1")
src=$(realpath "$2")
work=$3
"$src/tests/site/prereqs.sh" --check db

rm -rf "$work"
mkdir -p "$work/run" "$work/db"
work=$(realpath "$work")
passes=0 fails=0
check() {  # check <what> <expected> <actual>
  if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else echo "FAIL $1"; diff <(echo "$2") <(echo "$3") || true; fails=$((fails + 1)); fi
}

# Three runs into one html/, started within a second or two of each other.
cd "$work/run"
cp "$src/site/c-default.cfg" "$src/site/c-header.html" "$src/site/c-footer.html" .
"$program" "$src/site/sample/sample.log" >/dev/null
"$program" "$src/site/sample/clanarena.log" >/dev/null
"$program" "$src/site/sample/sample.log" >/dev/null
mapfile -t pages < <(sed -n "s/^UPDATE gamestats SET html='\(.*\)' WHERE html=@oldestHtml LIMIT 1;$/\1/p" db_sql_gamestats.txt)
check "seven pages, games in log order" \
  "1001_FFA_PUB 1002_TDM_RED_vs_BLUE 1003_CTF_RED_vs_BLUE 1001_CA__AB__vs__XY_ 1001_FFA_PUB 1002_TDM_RED_vs_BLUE 1003_CTF_RED_vs_BLUE" \
  "$(printf '%s\n' "${pages[@]}" | sed -E 's/^kalimostats_[0-9_]{19}_//; s/_main\.html$//' | tr '\n' ' ' | sed 's/ $//')"
# No run overwrote another's pages: seven names, seven main pages on disk, three time stamps.
check "no page name twice" 7 "$(printf '%s\n' "${pages[@]}" | sort -u | wc -l)"
check "every main page kept" 7 "$(ls html | grep -c '_main\.html$')"
check "one stamp per run" 3 "$(printf '%s\n' "${pages[@]}" | cut -c13-31 | sort -u | wc -l)"

# The server: its own data directory and socket, no network port.
db=$work/db
mariadb-install-db --no-defaults --datadir="$db/data" --user="$(id -un)" \
  --auth-root-authentication-method=normal --skip-test-db >"$db/install.log" 2>&1
/usr/sbin/mariadbd --no-defaults --datadir="$db/data" --socket="$db/sock" --pid-file="$db/pid" \
  --skip-networking --user="$(id -un)" --log-error="$db/error.log" --innodb-buffer-pool-size=16M 2>"$db/stderr.log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true' EXIT
sql() { mariadb --no-defaults --socket="$db/sock" -u root -N -B "$@"; }
for _ in $(seq 100); do
  mariadb-admin --no-defaults --socket="$db/sock" -u root ping >/dev/null 2>&1 && break
  sleep 0.2
done
sql -e "CREATE DATABASE site; CREATE DATABASE small"

# The table as shipped: the seven pages take the seven oldest rows, in order.
sql site <"$src/site/gamestats.sql"
sql site <"$work/run/db_sql_gamestats.txt" >/dev/null
expected=$(printf '%s\n' "${pages[@]}"; for i in $(seq 8 20); do printf '(no game yet %02d)\n' "$i"; done)
check "twenty rows, the first seven now the new pages" "$expected" "$(sql site -e 'SELECT html FROM gamestats ORDER BY id')"
sql site <"$src/site/gamestats.sql"
check "loading the schema again keeps the rows" "$expected" "$(sql site -e 'SELECT html FROM gamestats ORDER BY id')"
sql site -e "UPDATE gamestats SET html=REPEAT('k', 255) WHERE id = 20"
check "a 255-byte page name fits" 255 "$(sql site -e 'SELECT LENGTH(html) FROM gamestats WHERE id = 20')"

# A site that shows five games: once the placeholders are used up, each new page replaces the
# oldest page (earliest time stamp, then lowest game id).
sql small <"$src/site/gamestats.sql"
sql small -e "DELETE FROM gamestats WHERE id > 5"
sql small <"$work/run/db_sql_gamestats.txt" >/dev/null
check "five rows keep the five newest pages" \
  "$(printf '%s\n' "${pages[5]}" "${pages[6]}" "${pages[2]}" "${pages[3]}" "${pages[4]}")" \
  "$(sql small -e 'SELECT html FROM gamestats ORDER BY id')"

echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
