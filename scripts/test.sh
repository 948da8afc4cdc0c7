#!/usr/bin/env bash
# Installs the packages, builds, and runs every test; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
