#!/usr/bin/env bash
# Installs the npm packages that package-lock.json pins into FOLDER, only when
# the lock file has changed (npm ci empties node_modules first). Shared by the
# browser tests and bench/web. Usage: npm_ci.sh FOLDER
set -euo pipefail
here=$(dirname "$0")
mkdir -p "$1"
cp "$here/package.json" "$here/package-lock.json" "$1/"
cd "$1"
cmp -s package-lock.json node_modules/.lumbrix-lock && exit 0
npm ci --ignore-scripts --no-audit --no-fund >/dev/null
cp package-lock.json node_modules/.lumbrix-lock
