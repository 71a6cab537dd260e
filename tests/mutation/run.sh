#!/usr/bin/env bash
# Mutation check: puts each one-line fault of mutants.txt into a copy of the source, rebuilds
# (Release, no sanitizers, for speed) and runs the unit tests and the end-to-end cases. A mutant
# is killed when either fails (the end-to-end cases run only when the unit tests pass: "-");
# a survivor is a fault the suite would let through. KX_SOURCE names another checkout to test.
# A developer tool, not part of `make test`:  tests/mutation/run.sh [work-dir] [mutant...]
# With --generated, the faults are not this list but a fixed-seed draw of one-operator edits
# over src/ and tools/ (generate.py, run by run_generated.py; README.md has the last report):
#   tests/mutation/run.sh --generated [work-dir] [count] [seed] [--only PATH,...] [mutant-id...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "${KX_SOURCE:-$here/../..}" && pwd)
if [ "${1:-}" = --generated ]; then
  shift
  exec python3 "$here/run_generated.py" "$repo" "${1:-$repo/build-mutation}" "${@:2}"
fi
work=$(realpath -m "${1:-$repo/build-mutation}")
[ $# -gt 0 ] && shift
src=$work/src build=$work/build
mkdir -p "$src"
# Without -t: a file copied in gets a new time, so the build never keeps a mutant object file.
rsync -rl --checksum --delete --exclude node_modules "$repo/CMakeLists.txt" "$repo/src" "$repo/tools" "$repo/tests" "$src/"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 >/dev/null || exit 2
targets=(kx-unit-tests kalimostats-c kx-preparse kx-index fake-preparse fragment-check)

build() { timeout 900 cmake --build "$build" -j 2 --target "${targets[@]}" >"$work/build.log" 2>&1; }
# Prints "unit e2e": 1 where that part of the suite failed, - where it was not run.
suite() {
  local u=0 e=0
  (cd "$work" && timeout 300 "$build/tests/kx-unit-tests" --gtest_brief=1) >"$work/unit.log" 2>&1 || u=1
  [ $u = 1 ] && [ "${1:-}" != all ] && { echo "1 -"; return; }
  timeout 300 "$src/tests/e2e/run.sh" "$build/kalimostats-c" "$build/tests/fake-preparse" "$src/tests/e2e" \
    "$work/e2e" "$build/tests/fragment-check" >"$work/e2e.log" 2>&1 || e=1
  echo "$u $e"
}
# Replaces the one occurrence of $2 in file $1 by $3; status 3 when it does not occur exactly once.
apply() {
  F=$src/$1 OLD=$2 NEW=$3 perl -e '
    open(my $h, "<", $ENV{F}) or exit 4; local $/; my $t = <$h>; close $h;
    my $n = () = $t =~ /\Q$ENV{OLD}\E/g; exit 3 if $n != 1;
    $t =~ s/\Q$ENV{OLD}\E/$ENV{NEW}/; open($h, ">", $ENV{F}) or exit 4; print $h $t;'
}
trim() { local s=$1; s=${s#"${s%%[! ]*}"}; printf '%s' "${s%"${s##*[! ]}"}"; }

build || { echo "the unmutated source does not build: $work/build.log"; exit 2; }
[ "$(suite all)" = "0 0" ] || { echo "the suite fails without a mutant: $work/unit.log, $work/e2e.log"; exit 2; }

killed=0 total=0
printf '%-26s %-6s %-6s %s\n' mutant unit e2e verdict | tee "$work/results.txt"
while IFS= read -r line; do
  case $line in '#'* | '') continue ;; esac
  name=$(trim "${line%%@@*}"); rest=${line#*@@}
  file=$(trim "${rest%%@@*}"); rest=${rest#*@@}
  old=$(trim "${rest%%@@*}"); new=$(trim "${rest#*@@}")
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  total=$((total + 1))
  cp "$src/$file" "$work/pristine"
  if ! apply "$file" "$old" "$new"; then
    verdict="NOT APPLIED (text not found exactly once)"; u=- e=-
  elif ! build; then
    verdict="NOT BUILT"; u=- e=-
  else
    read -r u e < <(suite)
    if [ "$u$e" = "00" ]; then verdict=SURVIVED; else verdict=killed; killed=$((killed + 1)); fi
  fi
  cp "$work/pristine" "$src/$file"
  printf '%-26s %-6s %-6s %s\n' "$name" "$u" "$e" "$verdict" | tee -a "$work/results.txt"
done <"$here/mutants.txt"  # the list of this checkout, whichever source is tested

echo "killed $killed of $total" | tee -a "$work/results.txt"
[ "$killed" = "$total" ]
