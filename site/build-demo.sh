#!/usr/bin/env bash
# Builds a demo site from the bundled sample logs: pages, site kit and games index in <out>/html.
#
# usage: site/build-demo.sh <kalimostats-c> <kx-index> <out-dir>
# The out-dir is emptied first, so every call starts afresh.
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: build-demo.sh <kalimostats-c> <kx-index> <out-dir>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
index=$(realpath "$2")
out=$3

rm -rf "$out"
mkdir -p "$out"
cp "$here/c-default.cfg" "$here/c-header.html" "$here/c-footer.html" "$out/"
# Two runs into one html/: the second waits for a free second rather than reuse the first's names.
(cd "$out" && "$program" "$here/sample/sample.log" >run-1.txt)
(cd "$out" && "$program" "$here/sample/clanarena.log" >run-2.txt)
cp -r "$here/c-kalimo.css" "$here/images" "$out/html/"
"$index" "$out/html"
