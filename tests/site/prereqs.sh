#!/usr/bin/env bash
# Makes sure the browser, database and Node pieces of the site tests are there.
#
# usage: prereqs.sh [--check [db|browser]]
# Run as root it installs what is missing (Debian packages, then playwright-core from npm into
# tests/site/node_modules, which git ignores). With --check, or when not root and a Debian
# package is missing, it installs nothing and fails naming what to install.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
playwright=playwright-core@1.49.1

only=${2:-all}
missing=()
if [ "$only" != db ]; then
  command -v chromium >/dev/null 2>&1 || missing+=(chromium)
  command -v node >/dev/null 2>&1 || missing+=(nodejs)
  command -v npm >/dev/null 2>&1 || missing+=(npm)
fi
# The game records are validated against their schema with Debian's validator.
/usr/bin/python3 -c 'import jsonschema' >/dev/null 2>&1 || missing+=(python3-jsonschema)
if [ "$only" != browser ]; then
  { command -v mariadb-install-db && [ -x /usr/sbin/mariadbd ]; } >/dev/null 2>&1 || missing+=(mariadb-server)
  command -v mariadb >/dev/null 2>&1 || missing+=(mariadb-client)
fi

if [ ${#missing[@]} -gt 0 ]; then
  if [ "${1:-}" = --check ] || [ "$(id -u)" != 0 ]; then
    echo "site tests need Debian packages that are missing: ${missing[*]}" >&2
    echo "install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "$only" != db ] && [ ! -f "$here/node_modules/playwright-core/package.json" ]; then
  if [ "${1:-}" = --check ]; then
    echo "site tests need $playwright: run tests/site/prereqs.sh (npm install into tests/site)" >&2
    exit 1
  fi
  npm install --prefix "$here" --no-save --no-audit --no-fund "$playwright" >/dev/null
fi
