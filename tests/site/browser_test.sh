#!/usr/bin/env bash
# The demo site in a real browser: builds it from the sample logs and opens every page headless.
#
# usage: browser_test.sh <kalimostats-c> <kx-index> <source-dir> <work-dir> [screenshot-dir]
set -euo pipefail
src=$(realpath "$3")
work=$4
"$src/tests/site/prereqs.sh" --check browser

rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
shots=${5:-$work/screenshots}
mkdir -p "$shots"
"$src/site/build-demo.sh" "$1" "$2" "$work/demo" >/dev/null
KX_NODE_DIR="$src/tests/site" node "$src/tests/site/browser_check.cjs" "$work/demo/html" "$shots"
