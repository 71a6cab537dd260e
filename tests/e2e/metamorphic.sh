#!/usr/bin/env bash
# The program against itself over every end-to-end input and every real log: the same games
# give the same pages whatever surrounds them. twice: the log twice in a row repeats each page;
# crlf: CR LF line ends; noise: a line that matches no message between every two lines; cut:
# the log cut into its games, one run per game. Pages are compared with the run's time stamp
# and the game id masked (they name a run and a game, not what happened in it); the console is
# not compared (times, and the pool's high-water mark, run-wide by design). Game records are
# compared too, with what names the run, the game and its place in the log masked (game id,
# time processed, byte offsets); their fingerprints must agree, except where lines were added to
# the game's own lines (noise, and the lines a server log's cut keeps on both sides). tail: a
# server log with records, read again from the byte after each game's last_byte, as a program
# that follows a growing log does: the later games keep their fingerprints, and their spans move
# by the cut.
# usage: metamorphic.sh <kalimostats-c> <kx-preparse> <e2e-dir> <real-dir> <work-dir> [log-name...]
set -u
export LC_ALL=C
[ $# -ge 5 ] || { echo "usage: metamorphic.sh <kalimostats-c> <kx-preparse> <e2e-dir> <real-dir> <work-dir>" >&2; exit 2; }
program=$(realpath "$1") preparse=$(realpath "$2") cases=$(realpath "$3") real=$(realpath "$4")
rm -rf "$5" && mkdir -p "$5" && root=$(realpath "$5")
checks=0 failures=0
shift 5 && only="$*"

# run <dir> <config-dir> <log...>: runs the logs, joined, in a fresh <dir>; leaves <dir>/games/N
# for the Nth page written: its pages and SQL lines, time stamp and game id masked.
run() {
  local dir=$1 cfg=$2 f id n=0; shift 2
  mkdir -p "$dir/games" && cat "$@" >"$dir/input.log"
  [ -d "$cfg" ] && find "$cfg" -maxdepth 1 -type f ! -name '*.log' -exec cp {} "$dir/" \;
  cp "$preparse" "$dir/kx-preparse"
  (cd "$dir" && exec timeout 120 "$program" input.log >console.txt 2>&1) || { echo "$dir: the run failed"; return 1; }
  for id in $(ls "$dir/html" 2>/dev/null | sed -nE 's/^.*[0-9]{4}(_[0-9]{2}){5}_([0-9]+)_.*_main\.[^.]*$/\2/p' | sort -n); do
    n=$((n + 1))
    { cat "$dir"/html/*[0-9]_"$id"_*; grep -h "[0-9]_${id}_" "$dir/db_sql_gamestats.txt"; } |
      sed -E -e 's/[0-9]{4}(_[0-9]{2}){5}_[0-9]+_/TS_ID_/g' \
        -e 's/"(game_id|first_byte|last_byte)":[0-9]+/"\1":N/g' -e 's/"processed":"[^"]*"/"processed":T/' \
        >"$dir/games/$n"
    sed -nE 's/^.*"first_byte":([0-9]+),"last_byte":([0-9]+),"fingerprint":"([0-9a-f]+)".*$/\1 \2 \3/p' \
      "$dir"/html/*[0-9]_"$id"_*game.json 2>/dev/null >>"$dir/spans"
  done
}

# tail_check <name> <dir-of-the-whole-run> <log> <config-dir>: for every game but the last, the
# log from the byte after its last_byte gives the games after it, at the same places less the cut.
tail_check() {
  local name=$1 base=$2 log=$3 cfg=$4 w=$2/../tail i n first last print cut expected
  n=$(wc -l <"$base/spans")
  for ((i = 1; i < n; i++)); do
    checks=$((checks + 1))
    cut=$(($(sed -n "${i}p" "$base/spans" | cut -d' ' -f2) + 1))
    rm -rf "$w" && mkdir -p "$w" && tail -c +$((cut + 1)) "$log" >"$w/tail.log"
    # A game that goes on on the same map without loading it (CPMA's console after an admin's
    # map command) knows its players from before the cut: read from there it is another game.
    grep -m1 -E 'InitGame:|Kill:' "$w/tail.log" | grep -q 'InitGame:' || { checks=$((checks - 1)) && continue; }
    run "$w/run" "$cfg" "$w/tail.log" || { failures=$((failures + 1)); continue; }
    # The whole run's later games with their offsets moved by the cut.
    expected=$(sed -n "$((i + 1)),\$p" "$base/spans" | while read -r first last print; do
      echo "$((first - cut)) $((last - cut)) $print"
    done)
    if [ "$expected" != "$(cat "$w/run/spans" 2>/dev/null)" ]; then
      echo "FAIL: $name tail after game $i (byte $cut): the later games' spans or fingerprints differ"
      diff <(echo "$expected") "$w/run/spans" | head -n 6
      failures=$((failures + 1))
    fi
  done
}

# same <what> <dir-a> <first-a> <dir-b> <first-b> <count>: games first-a.. of a equal first-b.. of b
# (with `unprinted`, a sed script, applied to both first).
same() {
  local i; checks=$((checks + 1))
  for ((i = 0; i < $6; i++)); do
    if ! cmp -s <(sed -E "${unprinted:-}" "$2/games/$(($3 + i))") <(sed -E "${unprinted:-}" "$4/games/$(($5 + i))"); then
      echo "FAIL: $1: page $(($5 + i)) differs from page $(($3 + i)) of $2"
      diff "$2/games/$(($3 + i))" "$4/games/$(($5 + i))" | head -n 6
      failures=$((failures + 1)); return
    fi
  done
}

# A log that stops inside a game (or its OSP report) would carry that game into the copy, and
# the OSP mark is run-wide by design: the lines a client prints when it leaves a server (end
# the game and the report, clear the mark) stand between the two copies, as they would between
# two sessions; the blank line before them ends a last line that has no line end.
printf '\n----- CL_Shutdown -----\nRE_Shutdown( 0 )\n' >"$root/leave.txt"
# Where a game's lines are not the same lines, its record's fingerprint differs by design.
fingerprint='s/"fingerprint":"[0-9a-f]*"/"fingerprint":F/'
# Server logs: the next game's first line ends any game the pre-parser still holds.
printf '\n  0:00 ShutdownGame:\n' >"$root/leave-server.txt"

# Cuts log $1 into one file per game under $2: server logs ($3 = 1) at each InitGame line, kept
# at the end of the game before it too (a game the log cuts off without its end is ended by the
# next one's start); client logs after each line that ends a game, the OSP report that follows
# a match's end included, and with the run-wide OSP mark carried into each game that has it.
cut_games() {
  local scores=
  # The converter takes a server log that logs team scores anywhere as the record of which
  # captures counted, a property of the whole log: each cut keeps it with an idle score line.
  grep -q ' TeamScore: ' "$1" && scores='  0:00 TeamScore: 1 0'
  awk -v out="$2" -v server="$3" -v scores="$scores" '
    function next_file() { if (lines) { close(f); n++; f = out "/" n; lines = 0; if (scores != "") print scores > f } }
    function end_game() { next_file(); if (osp) print announce > f }
    BEGIN { n = 1; f = out "/1"; if (scores != "") print scores > f }
    server && /InitGame: / { if (lines) print > f; next_file() }
    { print > f; lines++ }
    server { next }
    report { if (/entered the game|MATCH COMPLETE|----- CL_Shutdown -----/) { report = 0; end_game() }; next }
    /Loaded OSP Client Version:/ { osp = 1; announce = $0 }
    /RE_Shutdown\( 0 \)/ { osp = 0; if (connect == 2) { connect = 0; next_file() }; next }
    /\]\/connect |\]\/reconnect/ && connect == 0 { connect = 1; next }
    / resolved to / && connect == 1 { connect = 2; next }
    /Timelimit hit\.|Pointlimit hit\.|hit the capturelimit\.|hit the fraglimit\.|wins the match: / {
      if (osp) { report = 1; next }
    }
    /Timelimit hit\.|Pointlimit hit\.|hit the capturelimit\.|hit the fraglimit\.|wins the match: |ERROR: Disconnected from server|----- CL_Shutdown -----/ ||
    (osp && /MATCH COMPLETE/) || $0 == "^3Match has begun!" || $0 == "^3All players ready!^7 Match starting..." {
      end_game()
    }' "$1"
}

check_log() {
  local name=$1 log=$2 cfg=$3 w=$root/$1 sep=$root/leave.txt n i c total=0
  [ -z "$only" ] || [[ " $only " == *" $name "* ]] || return 0
  grep -qE ' InitGame: |^InitGame: ' "$log" && sep=$root/leave-server.txt
  # A case whose run is meant to fail (its configuration or its folder) has no page to compare.
  run "$w/base" "$cfg" "$log" >/dev/null || return 0
  n=$(ls "$w/base/games" | wc -l)
  [ "$sep" = "$root/leave-server.txt" ] && [ -s "$w/base/spans" ] && tail_check "$name" "$w/base" "$log" "$cfg"
  run "$w/twice" "$cfg" "$log" "$sep" "$log"; c=$(ls "$w/twice/games" | wc -l)
  # The unfinished game that the leave lines end may get a page of its own.
  if [ "$c" -ne $((2 * n)) ] && [ "$c" -ne $((2 * n + 1)) ]; then
    echo "FAIL: $name twice: $c pages from twice the log's $n"; failures=$((failures + 1))
  else
    # The second copy's first game takes in the lines that left the server between the copies.
    unprinted=$fingerprint same "$name twice" "$w/base" 1 "$w/twice" $((c - n + 1)) "$n"
  fi
  sed 's/$/\r/' "$log" >"$w/crlf.log" && run "$w/crlf" "$cfg" "$w/crlf.log"
  same "$name crlf" "$w/base" 1 "$w/crlf" 1 "$n"
  # Server lines carry the time of the line before, so that the clock does not jump. No line
  # goes where the game prints one block: a server's Weapon_Stats line right after that
  # client's ClientDisconnect, and the rows of a mod's statistics block ("[skipnotify]"). A
  # clocked client log is known by its first lines: none goes before its first "^s" line.
  awk -v server="$([ "$sep" = "$root/leave.txt" ] || echo 1)" \
    -v wait="$(grep -c 'Clocked client log detected' "$w/base/console.txt")" '
    NR > 1 && !wait && !/Weapon_Stats: |\[skipnotify\]/ { print server ? time "Sound: memory 24 MB" : "S_Init: sound memory 24 MB" }
    /\^s/ { wait = 0 }
    { time = match($0, /^ *[0-9]+:[0-9]+ /) ? substr($0, 1, RLENGTH) : ""; print }' "$log" >"$w/noise.log"
  run "$w/noise" "$cfg" "$w/noise.log"
  unprinted=$fingerprint same "$name noise" "$w/base" 1 "$w/noise" 1 "$n"
  # A clocked client log is handed to the converter, which finds its games from the mod's own
  # words: it is not cut here.
  grep -q 'Clocked client log detected' "$w/base/console.txt" && return 0
  mkdir -p "$w/cuts" && cut_games "$log" "$w/cuts" "$([ "$sep" = "$root/leave.txt" ] || echo 1)"
  for ((i = 1; i <= $(ls "$w/cuts" | wc -l); i++)); do
    run "$w/cut$i" "$cfg" "$w/cuts/$i"
    c=$(ls "$w/cut$i/games" | wc -l)
    # A server log's cut keeps the next game's first line and the scores line: not the game's own.
    [ "$c" -gt 0 ] && unprinted=$([ "$sep" = "$root/leave.txt" ] || echo "$fingerprint") \
      same "$name cut $i" "$w/base" $((total + 1)) "$w/cut$i" 1 "$c"
    total=$((total + c)) && rm -rf "$w/cut$i/html"
  done
  if [ "$total" -ne "$n" ]; then
    echo "FAIL: $name cut: $total pages from its games, $n from the whole log"; failures=$((failures + 1))
  fi
}

for d in "$cases"/*/; do
  [ -f "$d/input.log" ] && ! [ -f "$d/program" ] && check_log "$(basename "$d")" "$d/input.log" "$d/files"
done
# Every page feature on for the real logs: weapon pages, colours, unknown-team players, records.
mkdir -p "$root/real-config"
printf '%s\n' make_weapon_stats: yes use_weapon_colors: yes use_name_colors: yes \
  display_unknown_team_players: yes write_game_records: yes >"$root/real-config/c-default.cfg"
for f in "$real"/*.log; do check_log "$(basename "$f" .log)" "$f" "$root/real-config"; done

echo "metamorphic: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
