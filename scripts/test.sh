#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the core tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer (scripts/sanitize.sh), where any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure --timeout 600)
scripts/sanitize.sh
