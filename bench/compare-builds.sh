#!/usr/bin/env bash
# Builds an earlier revision beside the working tree and compares every output byte of the two
# programs (pages, SQL file, console text with times masked, exit status) over the real logs,
# the end-to-end inputs, the sample logs and generated logs, with no configuration and with the
# site's. Run it before replacing a path that must not change what the program writes.
#
# usage: bench/compare-builds.sh <old-revision> [new-kalimostats-c]
#   new-kalimostats-c defaults to build/kalimostats-c (make all builds it)
# The comparison itself is ../shared/tools/compare-outputs; the real logs are those in
# ../shared/testdata/real/ when present, else tests/data/real/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [[ $# -lt 1 ]]; then
  echo "usage: bench/compare-builds.sh <old-revision> [new-kalimostats-c]" >&2
  exit 2
fi
old_rev="$1"
new_bin="$(realpath "${2:-$root/build/kalimostats-c}")"
compare="$root/../shared/tools/compare-outputs"
[[ -x $compare ]] || { echo "compare-outputs not found at $compare" >&2; exit 2; }

work="$(mktemp -d /tmp/kalimostats-compare-builds.XXXXXX)"
trap 'git -C "$root" worktree remove --force "$work/src" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
git -C "$root" worktree add --detach "$work/src" "$old_rev" >/dev/null
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/build" -j 2 >/dev/null
old_bin="$work/build/kalimostats-c"

real="$root/../shared/testdata/real"
[[ -d $real ]] || real="$root/tests/data/real"
for seed in 2 3; do
  python3 "$root/bench/gen_client_log.py" --mb 3 --seed "$seed" --out "$work/generated_$seed.log"
done
python3 "$root/bench/gen_client_log.py" --mix night --mb 3 --seed 4 --out "$work/night_4.log"
logs=("$real"/*.log "$root"/site/sample/*.log "$root"/tests/e2e/*/input.log "$work"/*.log)

status=0
"$compare" "$old_bin" "$new_bin" "${logs[@]}" || status=1
"$compare" "$old_bin" "$new_bin" --config "$root/site/c-default.cfg" "${logs[@]}" || status=1
exit $status
