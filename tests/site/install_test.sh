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
for m in kalimostats-c kx-index kx-preparse; do
  check "man page $m.1 installed" grep -qi "^\.TH $m 1" "$prefix/share/man/man1/$m.1"
done
# The installed README names no file of the source's site/ that is not installed beside it.
for f in "$src"/site/*; do
  f=$(basename "$f")
  [ -e "$kit/$f" ] || check "installed README does not name $f" bash -c '! grep -qF "$1" "$2"' - "$f" "$kit/README.md"
done

# A client log in a directory set up as the installed README says, then the index.
cd "$work/run"
cp "$kit/c-default.cfg" "$kit/c-header.html" "$kit/c-footer.html" .
mkdir -p html
cp -r "$kit/c-kalimo.css" "$kit/images" html/
"$prefix/bin/kalimostats-c" "$src/site/sample/sample.log" >stdout.txt
check "three games processed" grep -q '^  games processed: 3$' stdout.txt
check "three main pages" test "$(ls html | grep -c '_main\.html$')" = 3
check "the style sheet and every picture the pages name are beside them" bash -c 'cd html &&
  for f in $(grep -ohE "(src=|HREF=\")[^ \">]+" *_main.html | sed -E "s/^(src=|HREF=\")//" | sort -u); do
    test -s "$f" || { echo "missing $f"; exit 1; }; done'

"$prefix/bin/kx-index" html >/dev/null
check "index lists the three games" test "$(grep -c '>game</a>' html/index.html)" = 3

# A server log: the installed program finds the pre-parser installed beside it.
cd "$work/server"
cp "$kit/c-default.cfg" "$kit/c-header.html" "$kit/c-footer.html" .
"$prefix/bin/kalimostats-c" "$src/tests/e2e/server-log-converted-game/input.log" >stdout.txt
check "server log pre-parsed by the installed kx-preparse" grep -q '^  games processed: 1$' stdout.txt

echo "$passes passed, $fails failed"
[ "$fails" = 0 ]
