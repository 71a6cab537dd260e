#!/usr/bin/env bash
# End-to-end runs of kalimostats-c: one folder per case below the e2e directory.
#
# usage: run.sh <kalimostats-c> <fake-preparse> <e2e-dir> <work-dir> <fragment-check> [case-name...]
#
# A case folder may hold:
#   program          "kx-preparse" or "kx-index": runs that tool, built beside the program,
#                    instead of the program (its output files are checked as below)
#   args             command-line arguments after the program, one per line (an empty file
#                    means no arguments); without it the single argument "input.log"
#   input.log        copied into the work dir
#   files/           copied into the work dir (configurations, header and footer files)
#   setup            a bash script run in the work dir before the program (after the pre-parser
#                    below is placed; KX_PROGRAM names the program), for what git cannot hold (a
#                    FIFO, made outside the work dir, whose files are all read; a run alongside)
#   preparser        "workdir": the stand-in pre-parser is placed as ./kx-preparse;
#                    "beside": it is placed beside the program; "real": the real kx-preparse
#                    built beside the program is placed as ./kx-preparse; without it there is none
#   expected_stdout  the whole standard output, masked (below); required
#   expected_status  exit status (default 0)
#   expected_stderr  the whole standard error; without it standard error must stay empty
#   expected_tree    every path left in the work dir, masked, one per line, directories
#                    with a trailing "/", sorted bytewise
#   expected/        files and directories compared byte for byte with the masked work
#                    dir; a directory must hold exactly the same files
#   expected_fragments/
#                    per masked path, fragments that must occur in that file in this
#                    order, separated by lines that are exactly "@@@@"
# Standard error must stay empty unless the case expects something there (the program writes
# only to standard output; the tools report errors on standard error).
#
# Masking (only what differs between runs): the values of the "cpu time:", "start time:",
# "end time:" and "elapsed time:" summary lines become MASKED, and the run's time stamp
# YYYY_MM_DD_HH_MM_SS becomes TIMESTAMP in standard output, file names and file contents.
set -u
export LC_ALL=C

if [ $# -lt 5 ]; then
  echo "usage: run.sh <kalimostats-c> <fake-preparse> <e2e-dir> <work-dir> <fragment-check> [case...]" >&2
  exit 2
fi
program=$(realpath "$1")
fake=$(realpath "$2")
cases_dir=$(realpath "$3")
root=$4
fragment_check=$(realpath "$5")
shift 5

rm -rf "$root"
mkdir -p "$root/bin"
root=$(realpath "$root")
# A private copy, so that no real pre-parser built beside the program is found by accident.
cp "$program" "$root/bin/kalimostats-c"

timestamp_re='[0-9]{4}_[0-9]{2}_[0-9]{2}_[0-9]{2}_[0-9]{2}_[0-9]{2}'

mask_stdout() {
  sed -E \
    -e 's/^(         cpu time: )[0-9]+\.[0-9]{6}( seconds)$/\1MASKED\2/' \
    -e 's/^(       start time: ).+$/\1MASKED/' \
    -e 's/^(         end time: ).+$/\1MASKED/' \
    -e 's/^(     elapsed time: )-?[0-9]+h -?[0-9]+m -?[0-9]+s$/\1MASKED/' \
    -e "s/$timestamp_re/TIMESTAMP/g"
}

# Game records write the run's time stamp as YYYY-MM-DDTHH:MM:SS.
iso_timestamp_re='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}'

mask_text() {
  sed -E -e "s/$timestamp_re/TIMESTAMP/g" -e "s/$iso_timestamp_re/TIMESTAMP/g"
}

# Copies the work dir $1 into $2 with time stamps masked in names and contents.
masked_copy() {
  local from=$1 to=$2 rel masked
  mkdir -p "$to"
  while IFS= read -r -d '' rel; do
    masked=$(printf '%s' "$rel" | mask_text)
    if [ -d "$from/$rel" ]; then
      mkdir -p "$to/$masked"
    else
      mkdir -p "$(dirname "$to/$masked")"
      mask_text <"$from/$rel" >"$to/$masked"
    fi
  done < <(cd "$from" && find . -mindepth 1 -printf '%P\0')
}

tree_of() {
  (cd "$1" && find . -mindepth 1 \( -type d -printf '%P/\n' -o -printf '%P\n' \)) | sort
}

run_case() {
  local case_dir=$1 name dir work bin status expected_status failed=0 entry
  name=$(basename "$case_dir")
  dir="$root/$name"
  work="$dir/work"
  mkdir -p "$work"
  [ -f "$case_dir/input.log" ] && cp "$case_dir/input.log" "$work/"
  [ -d "$case_dir/files" ] && cp -a "$case_dir/files/." "$work/"

  bin="$root/bin/kalimostats-c"
  case "$(cat "$case_dir/preparser" 2>/dev/null)" in
    workdir) cp "$fake" "$work/kx-preparse" ;;
    beside)
      mkdir -p "$dir/bin"
      cp "$program" "$dir/bin/kalimostats-c"
      cp "$fake" "$dir/bin/kx-preparse"
      bin="$dir/bin/kalimostats-c" ;;
    real) cp "$(dirname "$program")/kx-preparse" "$work/kx-preparse" ;;
    "") ;;
    *) echo "$name: unknown preparser setting"; return 1 ;;
  esac
  [ -f "$case_dir/program" ] && bin="$(dirname "$program")/$(cat "$case_dir/program")"
  [ -f "$case_dir/setup" ] && (cd "$work" && KX_PROGRAM=$bin bash "$case_dir/setup")

  local -a args=()
  if [ -f "$case_dir/args" ]; then
    mapfile -t args <"$case_dir/args"
  else
    args=(input.log)
  fi

  (cd "$work" && exec timeout 60 "$bin" "${args[@]}") >"$dir/stdout.raw" 2>"$dir/stderr"
  status=$?
  mask_stdout <"$dir/stdout.raw" >"$dir/stdout"

  expected_status=0
  [ -f "$case_dir/expected_status" ] && expected_status=$(tr -d ' \n' <"$case_dir/expected_status")
  if [ "$status" != "$expected_status" ]; then
    echo "$name: exit status $status, expected $expected_status"
    failed=1
  fi
  if [ -f "$case_dir/expected_stderr" ]; then
    diff -u --label expected_stderr --label stderr "$case_dir/expected_stderr" "$dir/stderr" || failed=1
  elif [ -s "$dir/stderr" ]; then
    echo "$name: standard error is not empty:"
    head -c 4000 "$dir/stderr"
    failed=1
  fi
  if ! diff -u --label expected_stdout --label stdout "$case_dir/expected_stdout" "$dir/stdout"; then
    echo "$name: standard output differs"
    failed=1
  fi

  masked_copy "$work" "$dir/actual"
  if [ -f "$case_dir/expected_tree" ]; then
    tree_of "$dir/actual" >"$dir/tree"
    if ! diff -u --label expected_tree --label tree "$case_dir/expected_tree" "$dir/tree"; then
      echo "$name: files left in the work dir differ"
      failed=1
    fi
  fi
  if [ -d "$case_dir/expected" ]; then
    while IFS= read -r -d '' entry; do
      if ! diff -ru "$case_dir/expected/$entry" "$dir/actual/$entry"; then
        echo "$name: $entry differs"
        failed=1
      fi
    done < <(cd "$case_dir/expected" && find . -mindepth 1 -maxdepth 1 -printf '%P\0')
  fi
  if [ -d "$case_dir/expected_fragments" ]; then
    while IFS= read -r -d '' entry; do
      if [ ! -f "$dir/actual/$entry" ]; then
        echo "$name: $entry was not written"
        failed=1
      elif ! "$fragment_check" "$case_dir/expected_fragments/$entry" "$dir/actual/$entry"; then
        echo "$name: $entry lacks expected fragments"
        failed=1
      fi
    done < <(cd "$case_dir/expected_fragments" && find . -type f -printf '%P\0')
  fi
  return $failed
}

passed=0
failed_names=()
if [ $# -gt 0 ]; then
  selected=("$@")
else
  selected=()
  while IFS= read -r -d '' d; do selected+=("$(basename "$d")"); done \
    < <(find "$cases_dir" -mindepth 1 -maxdepth 1 -type d -print0 | sort -z)
fi
for name in "${selected[@]}"; do
  if [ ! -f "$cases_dir/$name/expected_stdout" ]; then
    echo "$name: no expected_stdout"
    failed_names+=("$name")
    continue
  fi
  if run_case "$cases_dir/$name"; then
    passed=$((passed + 1))
  else
    failed_names+=("$name")
  fi
done

total=$((passed + ${#failed_names[@]}))
if [ ${#failed_names[@]} -eq 0 ]; then
  echo "e2e: all $total cases passed"
  exit 0
fi
echo "e2e: ${#failed_names[@]} of $total cases failed: ${failed_names[*]}"
exit 1
