#!/usr/bin/env bash
# Prints the path of axe.min.js (the accessibility checker the markup tests
# run inside the page), installing axe-core from npm into the cache folder
# when it is not there yet.
set -euo pipefail
version="4.10.3"
cache="${QUORVEL_AXE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/axe-core-$version}"
script="$cache/node_modules/axe-core/axe.min.js"
if [ ! -f "$script" ]; then
    command -v npm >/dev/null || { echo "npm is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
    mkdir -p "$cache"
    npm install --prefix "$cache" --no-audit --no-fund --silent "axe-core@$version" >&2
fi
[ -f "$script" ] || { echo "axe-core did not install into $cache" >&2; exit 1; }
echo "$script"
