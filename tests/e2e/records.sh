#!/usr/bin/env bash
# Game records over every end-to-end input and every real log: turning records on adds one
# valid record per main page and changes no other byte, and every record agrees with its pages.
#
# usage: records.sh <kalimostats-c> <kx-preparse> <e2e-dir> <real-logs-dir> <site-dir> <work-dir>
set -u
export LC_ALL=C
if [ $# -ne 6 ]; then
  echo "usage: records.sh <kalimostats-c> <kx-preparse> <e2e-dir> <real-logs-dir> <site-dir> <work-dir>" >&2
  exit 2
fi
program=$(realpath "$1")
preparse=$(realpath "$2")
cases_dir=$(realpath "$3")
real_dir=$(realpath "$4")
site=$(realpath "$5")
root=$6
here=$(cd "$(dirname "$0")" && pwd)
schema=$site/game-record.schema.json
python=/usr/bin/python3
if ! $python -c 'import jsonschema' 2>/dev/null; then
  echo "records.sh needs Debian's python3-jsonschema: run tests/site/prereqs.sh as root" >&2
  exit 1
fi

rm -rf "$root"
mkdir -p "$root/bin"
root=$(realpath "$root")
cp "$program" "$preparse" "$root/bin/"
stamp_re='[0-9]{4}_[0-9]{2}_[0-9]{2}_[0-9]{2}_[0-9]{2}_[0-9]{2}'
failures=0 runs=0 records=0

fail() {
  echo "FAIL $1: $2"
  failures=$((failures + 1))
}

# Runs the program on $log with configuration $cfg in the new directory $dir.
run_in() {
  local dir=$1 log=$2 cfg=$3
  mkdir -p "$dir"
  cp "$cfg" "$dir/c-default.cfg"
  (cd "$dir" && "$root/bin/kalimostats-c" "$log" >console.txt 2>&1; echo $? >status.txt)
  rm -f "$dir/c-default.cfg"
}

# Everything a run left, time stamps masked, records left out.
listing() {
  (cd "$1" && find . -type f ! -name '*game.json' | sort | while IFS= read -r f; do
    printf '== %s\n' "$f" | sed -E "s/$stamp_re/T/g"
    sed -E -e "s/$stamp_re/T/g" -e 's/^(( +cpu| +start| +end| +elapsed) time:).*/\1/' "$f"
  done)
}

check_log() {
  local name=$1 log=$2 cfg=$3
  local off=$root/$name/off on=$root/$name/on
  runs=$((runs + 1))
  run_in "$off" "$log" "$cfg"
  # First, so that a configuration ending in a key without its value cannot take it.
  { printf 'write_game_records:\nyes\n'; cat "$cfg"; } >"$root/$name/records.cfg"
  run_in "$on" "$log" "$root/$name/records.cfg"
  # Runs a second apart may take different stamps: they are masked.
  if ! diff <(listing "$off") <(listing "$on") >"$root/$name/diff" 2>&1; then
    fail "$name" "records changed other output: $(head -5 "$root/$name/diff")"
  fi
  local pages json
  pages=$(find "$on" -name '*main.*' | wc -l)
  json=$(find "$on" -name '*game.json' | wc -l)
  records=$((records + json))
  [ "$pages" = "$json" ] || fail "$name" "$pages main pages but $json records"
  if [ "$json" -gt 0 ]; then
    if ! $python - "$schema" "$on"/html/*game.json >"$root/$name/schema" 2>&1 <<'PY'
import json, sys, jsonschema
schema = json.load(open(sys.argv[1]))
v = jsonschema.Draft7Validator(schema)
bad = 0
for path in sys.argv[2:]:
    for e in v.iter_errors(json.load(open(path, encoding="utf-8"))):
        print(path, list(e.absolute_path), e.message)
        bad += 1
sys.exit(1 if bad else 0)
PY
    then
      fail "$name" "schema: $(head -3 "$root/$name/schema")"
    fi
    $python "$here/record_check.py" "$on/html" >"$root/$name/agree" 2>&1 || fail "$name" "$(head -3 "$root/$name/agree")"
  fi
}

for case_dir in "$cases_dir"/*/; do
  c=$(basename "$case_dir")
  # Cases that run another program, prepare the directory or take other arguments test other things.
  [ -f "$case_dir/input.log" ] || continue
  [ -e "$case_dir/program" ] || [ -e "$case_dir/setup" ] || [ -e "$case_dir/args" ] && continue
  cfg=$site/c-default.cfg
  [ -f "$case_dir/files/c-default.cfg" ] && cfg=$case_dir/files/c-default.cfg
  mkdir -p "$root/$c"
  check_log "$c" "$case_dir/input.log" "$cfg"
done
for log in "$real_dir"/*.log; do
  c=real-$(basename "$log" .log)
  mkdir -p "$root/$c"
  check_log "$c" "$log" "$site/c-default.cfg"
done

echo "$runs logs, $records records checked, $failures failures"
[ "$failures" = 0 ]
