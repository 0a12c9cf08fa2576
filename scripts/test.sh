#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. scripts/sanitize.sh runs the core tests
# again under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
ctest --output-on-failure --timeout 600
