#!/usr/bin/env bash
# A run whose writes fail stops with one message and a non-zero status, and leaves every page
# and SQL line written before the failure whole: a full file system under html/ (a small tmpfs
# when run as root, else a per-file size limit), a file size limit with weapon pages off, and a
# console on /dev/full. Built with ThreadSanitizer, the program is also checked for races on
# these ways out (anything on standard error fails).
#
# usage: write_failures.sh <kalimostats-c> <site-dir> <work-dir>
set -u
export LC_ALL=C
program=$(realpath "$1")
site=$(realpath "$2")
work=$3
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

setup() {  # <dir>: a run directory with the site's configuration and the three-game sample
  mkdir -p "$1"
  cp "$site/c-default.cfg" "$site/c-header.html" "$site/c-footer.html" "$1/"
  cp "$site/sample/sample.log" "$1/input.log"
  # The sizes below are the pages'; the site's game records are left out.
  printf 'write_game_records:\nno\n' >>"$1/c-default.cfg"
}

# The whole run, for the pages the failing run must leave as they are.
setup "$work/whole"
(cd "$work/whole" && "$program" input.log >stdout.txt 2>stderr.txt) || fail "the unlimited run failed"
mapfile -t pages < <(cd "$work/whole/html" && ls)
[[ ${#pages[@]} -eq 6 ]] || fail "expected 6 pages from the sample, got ${#pages[@]}"

# Game 1001's two pages take 8464 + 35210 bytes; game 1002's weapon page alone 36987.
setup "$work/full"
mkdir -p "$work/full/html"
mounted=0
if [[ $(id -u) == 0 ]] && mount -t tmpfs -o size=56k tmpfs "$work/full/html" 2>/dev/null; then
  mounted=1
  (cd "$work/full" && "$program" input.log >stdout.txt 2>stderr.txt)
  status=$?
  reason="No space left on device"
else
  # A file may not grow past 36 KiB: the write fails with an error, the run is not killed.
  (cd "$work/full" && ulimit -f 36 && exec "$program" input.log >stdout.txt 2>stderr.txt)
  status=$?
  reason="File too large"
fi
[[ $status == 1 ]] || fail "full file system: exit status $status, expected 1"
last=$(tail -n 1 "$work/full/stdout.txt")
[[ $last == "ERROR: could not write html/kalimostats_"*"_1002_"*": $reason" ]] ||
  fail "full file system: last console line is '$last'"
grep -q 'games processed' "$work/full/stdout.txt" && fail "full file system: a summary was printed"
[[ -s $work/full/stderr.txt ]] && fail "full file system: standard error is not empty"
# Game 1001 whole, nothing of game 1002 or later, no temporary file left behind.
for page in "${pages[@]}"; do
  if [[ $page == *_1001_* ]]; then
    cmp -s <(sed -E 's/[0-9]{4}(_[0-9]{2}){5}/STAMP/g' "$work/whole/html/$page") \
      <(sed -E 's/[0-9]{4}(_[0-9]{2}){5}/STAMP/g' "$work/full/html/"*"_1001_${page##*_1001_}") ||
      fail "full file system: $page differs from the whole run's"
  fi
done
leftover=$(cd "$work/full/html" && ls -A | grep -v '_1001_' || true)
[[ -z $leftover ]] || fail "full file system: left in html/: $leftover"
# The SQL lines of the pages in place only: 1001's; 1002's would name a page that is not there.
[[ $(grep -c '^UPDATE gamestats' "$work/full/db_sql_gamestats.txt") == 1 ]] ||
  fail "full file system: expected the SQL lines of one page"
grep -q '_1001_' "$work/full/db_sql_gamestats.txt" || fail "full file system: 1001's SQL lines are missing"
if [[ $mounted == 1 ]]; then umount "$work/full/html"; fi

# A file size limit with weapon pages off, on a log long enough that lines are still read ahead
# on their own thread when game 1001's main page (8464 bytes) passes the 8 KiB limit.
setup "$work/limit"
printf 'make_weapon_stats:\nno\n' >>"$work/limit/c-default.cfg"
for _ in {1..20}; do cat "$site/sample/sample.log"; done >"$work/limit/input.log"
(cd "$work/limit" && ulimit -f 8 && exec "$program" input.log >stdout.txt 2>stderr.txt)
status=$?
[[ $status == 1 ]] || fail "file size limit: exit status $status, expected 1"
last=$(tail -n 1 "$work/limit/stdout.txt")
[[ $last == "ERROR: could not write html/kalimostats_"*"_1001_FFA_PUB_main.html: File too large" ]] ||
  fail "file size limit: last console line is '$last'"
[[ -s $work/limit/stderr.txt ]] && fail "file size limit: standard error: $(head -c 3000 "$work/limit/stderr.txt")"
[[ -z $(ls -A "$work/limit/html") ]] || fail "file size limit: left in html/: $(ls -A "$work/limit/html")"

# A console that cannot be written: the run says so on standard error and fails.
setup "$work/devfull"
(cd "$work/devfull" && "$program" input.log >/dev/full 2>stderr.txt)
status=$?
[[ $status != 0 ]] || fail "/dev/full: exit status 0"
grep -q '^kalimostats-c: could not write the console output: No space left on device$' "$work/devfull/stderr.txt" ||
  fail "/dev/full: standard error says '$(cat "$work/devfull/stderr.txt")'"

if [[ $failures -gt 0 ]]; then exit 1; fi
echo "write failures: all checks passed"
