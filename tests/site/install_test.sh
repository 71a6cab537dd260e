#!/usr/bin/env bash
# Install: everything lands under a fresh prefix, and the installed programs run from there.
#
# usage: install_test.sh <build-dir> <source-dir> <work-dir>
set -euo pipefail
build=$(realpath "$1")
src=$(realpath "$2")
work=$3
rm -rf "$work"
mkdir -p "$work/run" "$work/server"
work=$(realpath "$work")
prefix=$work/prefix
passes=0 fails=0
check() {  # check <what> <command...>
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; passes=$((passes + 1)); else echo "FAIL $what"; fails=$((fails + 1)); fi
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
kit=$prefix/share/kalimostats
for f in bin/kalimostats-c bin/kx-preparse bin/kx-index; do check "$f installed" test -x "$prefix/$f"; done
for f in c-default.cfg c-header.html c-footer.html c-kalimo.css gamestats.sql images/maps/default.gif \
  images/awards/blank.gif images/break.gif; do
  check "share/kalimostats/$f installed" test -s "$kit/$f"
done
# Every picture a page can name: the fixed ones in the page writers, each award icon, each stock map.
named=$( (grep -rohE 'images/[A-Za-z0-9_/.-]+\.(gif|jpg)' "$src/src"
  grep -ohE '"[a-z_]+\.jpg"' "$src/src/osp/award_icons.cpp" | tr -d '"' | sed 's|^|images/awards/|'
  for m in q3dm{0..19} q3tourney{1..6} q3ctf{1..4}; do echo "images/maps/$m.jpg"; done) | sort -u)
check "$(echo "$named" | wc -l) named pictures installed" \
  bash -c 'for f in $1; do test -s "$2/$f" || { echo "missing $f"; exit 1; }; done' - "$named" "$kit"
check "man page installed" grep -q '^\.TH KALIMOSTATS-C 1' "$prefix/share/man/man1/kalimostats-c.1"

# A client log: the installed program with the installed configuration, then the index.
cd "$work/run"
cp "$kit/c-default.cfg" "$kit/c-header.html" "$kit/c-footer.html" .
"$prefix/bin/kalimostats-c" "$src/site/sample/sample.log" >stdout.txt
check "three games processed" grep -q '^  games processed: 3$' stdout.txt
check "three main pages" test "$(ls html | grep -c '_main\.html$')" = 3
"$prefix/bin/kx-index" html >/dev/null
check "index lists the three games" test "$(grep -c '>game</a>' html/index.html)" = 3

# A server log: the installed program finds the pre-parser installed beside it.
cd "$work/server"
cp "$kit/c-default.cfg" "$kit/c-header.html" "$kit/c-footer.html" .
"$prefix/bin/kalimostats-c" "$src/tests/e2e/server-log-converted-game/input.log" >stdout.txt
check "server log pre-parsed by the installed kx-preparse" grep -q '^  games processed: 1$' stdout.txt

echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
