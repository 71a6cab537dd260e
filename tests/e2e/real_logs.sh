#!/usr/bin/env bash
# Runs kalimostats-c with the real kx-preparse on the public logs in the real-data folder and
# checks its pages against the figures the logs state themselves:
#   - every match of a server log that ends with the server's own results: its page shows each
#     player's "score:", and a capture-the-flag page the "red:N  blue:M" scores (a team
#     deathmatch's banner adds up its players' scores, and Excessive Plus gives its teams points
#     of its own);
#   - every free-for-all game of the challenge log: one row per player, with the kills,
#     deaths and suicides its Kill lines give that name (players who leave and come back);
#   - the server console log: one page per match, each with its map;
#   - the Excessive Plus client log: a capture-the-flag page per match, in order, with the
#     captures of its "team wins X to Y" line, a map and at most 16 players.
#
# usage: real_logs.sh <kalimostats-c> <kx-preparse> <site-dir> <real-data-dir> <work-dir>
set -u
export LC_ALL=C

[ $# -eq 5 ] || { echo "usage: real_logs.sh <kalimostats-c> <kx-preparse> <site-dir> <real-data-dir> <work-dir>" >&2; exit 2; }
program=$(realpath "$1") preparse=$(realpath "$2") site=$(realpath "$3") data=$(realpath "$4")
rm -rf "$5" && mkdir -p "$5" && root=$(realpath "$5")

failures=0 checks=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs the program on log $1 in a fresh folder; prints its main pages in game order.
run_log() {
  local dir=$root/run
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$site/c-default.cfg" "$site/c-header.html" "$site/c-footer.html" "$dir/"
  cp "$preparse" "$dir/kx-preparse"
  if ! (cd "$dir" && exec timeout 120 "$program" "$1" >console.txt 2>&1); then
    fail "$1: the run failed"
  fi
  find "$dir/html" -name '*_main.html' 2>/dev/null | sort
}

# One line per player row of page $1: score, kills, deaths, suicides, name (as logged: the
# page's markers for players who left, were merged or had their team guessed removed). The
# score is the second figure of a row, or the first with $2 = 1 (team pages).
page_rows() {
  grep -o 'name="list-[^"]*">\|<div align=center>[^<]*</div>' "$1" | awk -v sc="${2:-2}" '
    /^name="list-/ {
      name = substr($0, 12, length($0) - 13)
      sub(/(\^7)?(&nbsp;)?<font color=#CC6600>.*$/, "", name)
      gsub(/&lt;/, "<", name); gsub(/&gt;/, ">", name); gsub(/&quot;/, "\"", name); gsub(/&amp;/, "\\&", name)
      cell = 0
      next
    }
    name != "" {
      v = $0; sub(/^<div align=center>/, "", v); sub(/<\/div>$/, "", v)
      cell++
      if (cell == sc) score = v
      if (cell == 3) { kd = v; gsub(/ /, "", kd); split(kd, p, "/") }
      if (cell == 4) { printf "%d %d %d %d %s\n", score, p[1], p[2], v, name; name = "" }
    }'
}

# The two capture figures of a capture-the-flag page: "red blue"; nothing for other pages.
page_caps() {
  grep -o 'font-size: 30pt; color: [a-z]*">[0-9-]*<' "$1" | sed 's/.*">//; s/<$//' | tr '\n' ' ' | sed 's/ $//'
}

page_map() {
  grep -o '<b>map : [^<]*</b>' "$1" | head -1 | sed 's/<b>map : //; s/<\/b>//'
}

# ---- server logs: the server's own results ------------------------------------------------

# For every Exit line followed by result lines, one line "M first last players red blue" (the
# lines from the map's InitGame to the last result line, the number of score lines; "-" for a
# game without team scores), then
# one line "P client score name" per score line.
results_plan() {
  awk '
    { line[NR] = $0 }
    END {
      start = 1
      for (i = 1; i <= NR; i++) {
        if (line[i] ~ /^[ 0-9:.]*InitGame:/) start = i
        if (line[i] !~ /^[ 0-9:.]*Exit:/) continue
        red = "-"; blue = "-"; n = 0
        for (j = i + 1; j <= NR; j++) {
          l = line[j]; sub(/^[ 0-9:.]*/, "", l)
          if (l ~ /^red:/) { split(l, f, /[: ]+/); red = f[2]; blue = f[4]; continue }
          if (l !~ /^score: /) break
          split(l, f, / +/)
          name = l; sub(/^score: +[-0-9]+ +ping: +[0-9]+ +client: +[0-9]+ /, "", name)
          p[++n] = f[6] " " f[2] " " name
        }
        if (j - 1 == i) continue
        print "M " start " " (j - 1) " " n " " red " " blue
        for (k = 1; k <= n; k++) print "P " p[k]
      }
    }' "$1"
}

check_results() {
  local log=$1 kind first last players red blue name page="" match row rows=""
  local -a pages=()
  while read -r kind first last players red blue; do
    if [ "$kind" = P ]; then
      # "P client score name": the name may hold blanks.
      name=$players${red:+ $red}${blue:+ $blue}
      [ -n "$page" ] || continue
      checks=$((checks + 1))
      # Two players of one name at once: the later one's row carries "^7(" and his number.
      row=$(printf '%s\n' "$rows" | awk -v a="$name^7($first)" -v b="$name" '
        { n = $0; for (i = 1; i <= 4; i++) sub(/^[-0-9]+ /, "", n) }
        n == a { print $1; found = 1; exit }
        n == b && first == "" { first = $1 }
        END { if (!found && first != "") print first }')
      [ "$row" = "$last" ] || fail "$(basename "$log") lines $match: $name scores $last, page shows '${row:-no row}'"
      continue
    fi
    match="$first-$last"
    sed -n "${first},${last}p" "$log" >"$root/match.log"
    mapfile -t pages < <(run_log "$root/match.log")
    page=""
    rows=""
    [ ${#pages[@]} -eq 0 ] || page=${pages[-1]}
    if [ -z "$page" ]; then
      # Only a match nobody played, or played alone, may go without a page.
      if [ "$red" = - ]; then
        [ "$players" -lt 2 ] || fail "$(basename "$log") lines $match: no page for $players players"
      else
        [ "$red$blue" = 00 ] || fail "$(basename "$log") lines $match: no page for red:$red blue:$blue"
      fi
      continue
    fi
    rows=$(page_rows "$page" "$([ "$red" = - ] || echo 1)")
    if [ "$red" != - ] && [[ $page == *_CTF_* ]]; then
      checks=$((checks + 1))
      [ "$(page_caps "$page")" = "$red $blue" ] ||
        fail "$(basename "$log") lines $match: red:$red blue:$blue, page shows '$(page_caps "$page")'"
    fi
  done < <(results_plan "$log")
}

for log in "$data"/server*.log; do
  check_results "$log"
done

# ---- the challenge log: one row per player with all his kills ------------------------------

challenge=$data/server_qgames_challenge.log
games=$(grep -c 'InitGame:' "$challenge")
checked=" "
for ((g = 1; g <= games; g++)); do
  # The next game's InitGame line ends a game that lost its ShutdownGame line (game 2).
  awk -v g="$g" '/InitGame:/ { n++ } n == g || (n == g + 1 && /InitGame:/)' "$challenge" >"$root/game.log"
  mapfile -t pages < <(run_log "$root/game.log")
  [ ${#pages[@]} -le 1 ] || fail "challenge game $g: ${#pages[@]} pages"
  page=""
  [ ${#pages[@]} -eq 0 ] || page=${pages[0]}
  [ -n "$page" ] && [[ $page == *FFA_PUB* ]] || continue
  # Kills, deaths and suicides per player as the Kill lines give them (the world's kills
  # are suicides to our reader); a renamed player keeps his figures under his new name.
  expected=$(awk '
    /ClientUserinfoChanged: / {
      l = $0; sub(/^.*ClientUserinfoChanged: /, "", l); c = l; sub(/ .*/, "", c)
      n = l; sub(/^[0-9]+ n\\/, "", n); sub(/\\.*/, "", n)
      c += 0
      if (c in now && now[c] != n && !(n in all)) {
        o = now[c]; kills[n] = kills[o]; deaths[n] = deaths[o]; s[n] = s[o]; all[n] = all[o]; delete all[o]
      }
      now[c] = n
    }
    /ClientDisconnect: / { l = $0; sub(/^.*ClientDisconnect: /, "", l); delete now[l + 0] }
    /Kill: / {
      l = $0; sub(/^.*Kill: /, "", l); split(l, f, / /)
      names = l; sub(/^[0-9]+ [0-9]+ [0-9]+: /, "", names); sub(/ by MOD_[A-Z_]+.*$/, "", names)
      k = index(names, " killed "); killer = substr(names, 1, k - 1); victim = substr(names, k + 8)
      if (f[1] == f[2] || f[1] == 1022) { s[victim]++; all[victim] = 1 }
      else { kills[killer]++; deaths[victim]++; all[killer] = 1; all[victim] = 1 }
    }
    END { for (n in all) if (all[n]) printf "%d %d %d %s\n", kills[n], deaths[n], s[n], n }' "$root/game.log" | sort)
  actual=$(page_rows "$page" | cut -d' ' -f2- | grep -v '^0 0 0 ' | sort)
  checks=$((checks + 1))
  checked+="$g "
  [ "$expected" = "$actual" ] || fail "challenge game $g: rows differ from the Kill lines:
$(diff <(echo "$expected") <(echo "$actual"))"
done

# Players leave and come back in games 2 (Isgalamido), 5 (Zeh) and 9 (Isgalamido, Dono da Bola).
for g in 2 5 9; do
  [[ $checked == *" $g "* ]] || fail "challenge game $g: no page was checked"
done

# ---- the CPMA console log: a page per match, each with its map ------------------------------

console=$data/serverconsole_cpma_qconsole.log
mapfile -t pages < <(run_log "$console")
matches=$(grep -c '^Exit:' "$console")
checks=$((checks + 1))
[ ${#pages[@]} -ge "$matches" ] || fail "console log: ${#pages[@]} pages for $matches matches"
for page in "${pages[@]}"; do
  [ -n "$(page_map "$page")" ] || fail "console log: $(basename "$page") has no map"
done

# ---- the Excessive Plus client log ----------------------------------------------------------

client=$data/client_excessiveplus_ctf_qconsole.log
# Per match ("hit the capturelimit"), and for the game the client quit, the captures its lines
# show ("^7S^2t^7eff^s captured ^4BLUE^s's flag!" is a red capture) and the result it printed
# ("^1RED^s team wins 15 to 13"); the lines it wrote a second time begin with "^\".
mapfile -t matches < <(grep -av '^\^\\' "$client" | awk '
  /captured \^4BLUE\^s.s flag!/ { red++ }
  /captured \^1RED\^s.s flag!/ { blue++ }
  /team wins [0-9]+ to [0-9]+/ {
    w = $0; sub(/^.*team wins /, "", w); split(w, f, / to /)
    result = (w ~ /./ && $0 ~ /\^1RED\^s team wins/) ? f[1] + 0 " " f[2] + 0 : f[2] + 0 " " f[1] + 0
  }
  /hit the capturelimit/ { if (n++) print caps " " result; caps = red + 0 " " blue + 0; red = blue = 0; result = "" }
  END { print caps " " result; print red + 0 " " blue + 0 }')
mapfile -t pages < <(run_log "$client")
checks=$((checks + 1))
[ ${#pages[@]} -eq ${#matches[@]} ] || fail "client log: ${#pages[@]} pages for ${#matches[@]} games"
for ((i = 0; i < ${#pages[@]}; i++)); do
  page=${pages[$i]}
  read -r red blue won lost <<<"${matches[$i]:-}"
  [[ $page == *_CTF_* ]] || fail "client log: $(basename "$page") is not labelled CTF"
  [ "$(page_rows "$page" | wc -l)" -le 16 ] || fail "client log: $(basename "$page") has more than 16 players"
  # A finished match shows its result (the client may have joined late, and a capture printed
  # at the next map's loading is not counted); the game the client quit, the captures it saw.
  [ "$(page_caps "$page")" = "${won:-$red} ${lost:-$blue}" ] ||
    fail "client log: game $((i + 1)) should show ${won:-$red} ${lost:-$blue}, page shows '$(page_caps "$page")'"
  [ -n "${won:-}" ] || continue
  checks=$((checks + 1))
  [ -n "$(page_map "$page")" ] || fail "client log: $(basename "$page") has no map"
done

if [ $failures -eq 0 ]; then
  echo "real logs: all $checks checks passed"
  exit 0
fi
echo "real logs: $failures failures"
exit 1
