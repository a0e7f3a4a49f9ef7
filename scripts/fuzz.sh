#!/usr/bin/env bash
# Builds the fuzz target of the project loader and both generators with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/ (or
# $QUORVEL_FUZZ_BUILD_DIR) and runs it, starting from the seeds in
# tests/fuzz/corpus, for the given number of seconds (default 60).
# New inputs the fuzzer finds go to a scratch corpus, not into the repository.
# An input that crashes is copied to tests/fuzz/regressions/, which the normal
# tests replay, and the script fails.
# Usage: scripts/fuzz.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
build="${QUORVEL_FUZZ_BUILD_DIR:-build-fuzz}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORVEL_FUZZ=ON -DQUORVEL_SANITIZE=ON -DQUORVEL_GUI=OFF -DQUORVEL_TESTS=OFF
fi
cmake --build "$build" --target fuzz_project --parallel "$(nproc)"

scratch="${QUORVEL_FUZZ_CORPUS:-$build/corpus}"
artifacts="$build/artifacts"
mkdir -p "$scratch" "$artifacts"
export QUORVEL_DATA_DIR="$PWD/$build/share/quorvel"
status=0
"$build/bin/fuzz_project" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=4096 \
  -dict=tests/fuzz/qvf.dict -artifact_prefix="$artifacts/" -print_final_stats=1 "$@" \
  "$scratch" tests/fuzz/corpus || status=$?
if [ "$status" -ne 0 ]; then
  for crash in "$artifacts"/*; do
    [ -f "$crash" ] || continue
    cp "$crash" "tests/fuzz/regressions/$(basename "$crash").qvf"
    echo "fuzz: kept $(basename "$crash") in tests/fuzz/regressions/"
  done
  exit "$status"
fi
