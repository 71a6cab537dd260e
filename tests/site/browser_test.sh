#!/usr/bin/env bash
# The demo site in a real browser: builds it from the sample logs and opens every page headless;
# then the same for a site kx-site (beside kalimostats-c) keeps of the real logs.
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

# kx-site's site of the real logs, in two updates: every page, every link, every rating plot.
site_bin=$(dirname "$(realpath "$1")")/kx-site
if [ -x "$site_bin" ]; then
  real=$src/tests/data/real
  "$site_bin" update --site "$work/kx-site" "$real/server_qgames_challenge.log" "$real/server_osp_games.log" >/dev/null
  "$site_bin" update --site "$work/kx-site" "$real"/*.log >/dev/null
  KX_NODE_DIR="$src/tests/site" node "$src/tests/site/browser_check.cjs" "$work/kx-site/html" "$work/kx-site-shots" --kx-site
fi
