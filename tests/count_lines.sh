#!/usr/bin/env bash
# Sizes the test suite against the product: all lines (blank and comment lines too) of
#   product: every .cpp and .h under src/ and tools/;
#   tests:   every .cpp and .h under tests/, plus the scripts the suite runs (the end-to-end
#            runner tests/e2e/run.sh and the site tests tests/site/*.sh, *.cjs).
# Not counted: expected outputs, logs and other case data, tests/site/node_modules, and the
# tools that are not tests themselves, shown apart: this script, tests/mutation/, the fuzzing
# driver tests/fuzz/run.sh (CI runs it after the suite) and tests/site/prereqs.sh (it installs
# the programs the site tests need). The fuzz targets themselves are counted.
set -eu
cd "$(dirname "$0")/.."
lines() { cat "$@" /dev/null | wc -l; }
product=$(lines $(find src tools -name '*.cpp' -o -name '*.h'))
tests=$(lines $(find tests -path tests/site/node_modules -prune -o -path tests/mutation -prune -o \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.cjs' \) ! -name count_lines.sh \
  ! -path tests/fuzz/run.sh ! -path tests/site/prereqs.sh -print))
tools=$(lines tests/count_lines.sh tests/mutation/run.sh tests/fuzz/run.sh tests/site/prereqs.sh)
echo "product code:  $product lines (src/, tools/)"
echo "test code:     $tests lines (tests/: C++ and the suite's scripts)"
echo "ratio:         $(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.1f %%", 100 * t / p }')"
echo "tools:         $tools lines (count_lines.sh, mutation/run.sh, fuzz/run.sh, site/prereqs.sh; with them:" \
  "$(awk -v t="$((tests + tools))" -v p="$product" 'BEGIN { printf "%.1f %%", 100 * t / p }'))"
