#!/usr/bin/env bash
# Configures and builds into build/ (two jobs: the machines have two cores). With target names
# as arguments it builds only those (scripts/run.sh builds only the programs it starts).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
# Line tables only (-g1): enough for a backtrace, and a quarter quicker to build than full debug info.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  "${launcher[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j2 "${targets[@]}"
