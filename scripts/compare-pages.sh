#!/usr/bin/env bash
# Generates the pages of every project file of the repository (the default
# projects, the test fixtures and the fuzz seeds) with two builds of
# quorvel-cli and a fixed form number, and compares them byte for byte; also
# the default project each build writes for every language. For changes that
# must not change what users get.
# Usage: scripts/compare-pages.sh OLD_QUORVEL_CLI NEW_QUORVEL_CLI
set -uo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 2 ] || { echo "usage: $0 OLD_QUORVEL_CLI NEW_QUORVEL_CLI" >&2; exit 2; }
old="$1" new="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
export HOME="$out/home" XDG_DATA_HOME="$out/home/share" XDG_CONFIG_HOME="$out/home/config"

compared=0 differ=0
run() { # name args...: writes stdout and exit code of both builds, compares
    local name="$1"; shift
    for side in old new; do
        local cli="$old"; [ "$side" = new ] && cli="$new"
        "$cli" "$@" >"$out/$side-$name" 2>/dev/null
        echo "exit $?" >>"$out/$side-$name"
    done
    compared=$((compared + 1))
    if ! cmp -s "$out/old-$name" "$out/new-$name"; then
        echo "differs: $name"
        differ=$((differ + 1))
    fi
}

while IFS= read -r project; do
    key="$(echo "$project" | tr '/' '_')"
    for lang in Deutsch Englisch; do
        for kind in html php; do
            run "$key-$lang.$kind" generate "--$kind" "$project" --form-id 4711 --language "$lang"
        done
    done
done < <(find data tests/fixtures tests/fuzz -name '*.qvf' 2>/dev/null | sort)
for lang in Deutsch Englisch; do
    run "new-$lang.qvf" new --language "$lang"
done
echo "$compared outputs compared, $differ differ"
[ "$differ" -eq 0 ]
