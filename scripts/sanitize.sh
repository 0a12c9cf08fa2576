#!/usr/bin/env bash
# The core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/,
# no Qt): any finding fails the run. The power-cut test makes fewer cuts there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/compiler-cache.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DKELVO_WITH_QT=OFF -DKELVO_SANITIZE=ON -DKELVO_BENCHMARKS=OFF \
  "${launcher[@]}" >/dev/null
cmake --build build-asan -j2
cd build-asan
KELVO_POWER_CUTS=400 ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1:verify_asan_link_order=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure --timeout 900
