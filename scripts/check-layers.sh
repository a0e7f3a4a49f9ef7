#!/usr/bin/env bash
# Fails when a source file includes from a layer above its own, or from a
# folder beside its own in the same layer. The order, from the bottom:
#   base < model < fields < projectfile < codegen < app < preview|publish|texts|dialogs
#   < cli < ui < preview/ui|publish/ui|texts/ui < dialogs/ui < app/ui < desktop
# Usage: scripts/check-layers.sh [SRC_DIR]   (default: src)
set -euo pipefail
cd "$(dirname "$0")/.."
src="${1:-src}"

find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort | awk -v src="$src" '
BEGIN {
    n = split("base:1 model:2 fields:3 projectfile:4 codegen:5 app:6 preview:7 publish:7 texts:7 dialogs:7 " \
              "cli:8 ui:9 preview/ui:10 publish/ui:10 texts/ui:10 dialogs/ui:11 app/ui:12 desktop:13", entries, " ")
    for (i = 1; i <= n; i++) {
        split(entries[i], kv, ":")
        rank[kv[1]] = kv[2] + 0
    }
    bad = 0
}
# The layer folder of a path below src: the longest known folder it lies in.
function folder(path,    parts, m, i, candidate, best) {
    m = split(path, parts, "/")
    best = ""
    candidate = ""
    for (i = 1; i < m; i++) {
        candidate = (i == 1) ? parts[1] : candidate "/" parts[i]
        if (candidate in rank)
            best = candidate
    }
    return best
}
{
    file = $0
    rel = substr(file, length(src) + 2)
    own = folder(rel)
    if (own == "") {
        printf "%s: lies in no layer folder\n", file
        bad = 1
        next
    }
    dir = rel
    sub(/\/[^\/]*$/, "", dir)
    line = 0
    while ((getline text < file) > 0) {
        line++
        if (text !~ /^[ \t]*#[ \t]*include[ \t]*"/)
            continue
        target = text
        sub(/^[^"]*"/, "", target)
        sub(/".*$/, "", target)
        if (target !~ /\//)
            target = dir "/" target
        other = folder(target)
        if (other == "") {
            printf "%s:%d: includes \"%s\", which lies in no layer folder\n", file, line, target
            bad = 1
        } else if (other != own && rank[other] >= rank[own]) {
            printf "%s:%d: %s (layer %d) includes \"%s\" from %s (layer %d)\n", \
                   file, line, own, rank[own], target, other, rank[other]
            bad = 1
        }
    }
    close(file)
}
END {
    if (bad)
        exit 1
    print "layers: every include goes down"
}'
