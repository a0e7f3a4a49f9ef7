#!/usr/bin/env bash
# Configures and builds Quorvel into build/ (or $QUORVEL_BUILD_DIR).
# Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QUORVEL_BUILD_DIR:-build}"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B "$build" "$@"
fi
cmake --build "$build" --parallel "$(nproc)"
