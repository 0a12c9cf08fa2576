#!/usr/bin/env bash
# Builds the fuzzing targets with clang and runs each for a fixed time (default 60 s):
#   scripts/fuzz.sh [seconds]
# Findings (crash-*, leak-*, timeout-*) are left in build-fuzz/findings/<target>/ and make the
# script fail. The corpus grows in build-fuzz/corpus/<target>/ from one run to the next.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-deps.sh
packages=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
targets=(records shop_open log_pages reservations daily_summary journal)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_WITH_QT=OFF -DKELVO_FUZZ=ON \
      -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz -j"${KELVO_JOBS:-2}" --target "${targets[@]/#/fuzz_}"
status=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  echo "== fuzz_$t for ${seconds}s"
  if ! UBSAN_OPTIONS=halt_on_error=1 "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
       -artifact_prefix="build-fuzz/findings/$t/" -print_final_stats=1 "build-fuzz/corpus/$t" 2> "build-fuzz/$t.log"; then
    status=1
    echo "   finding: see build-fuzz/$t.log and build-fuzz/findings/$t/"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "build-fuzz/$t.log" | sed 's/^/   /'
done
exit $status
