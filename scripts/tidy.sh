#!/usr/bin/env bash
# Runs clang-tidy with the root .clang-tidy over our own sources, using the compile commands of a built
# tree (./build or $BUILD_DIR); exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh clang-tidy
build=${BUILD_DIR:-build}
ours="^$PWD/(Common|platform|rozirar|update|tools|tests|bench)/"
run-clang-tidy -p "$build" -quiet -j "$(nproc)" -header-filter="$ours" "$ours" \
  > "$build/clang-tidy.log" 2>&1 || { grep -A3 "error:" "$build/clang-tidy.log"; exit 1; }
echo "clang-tidy: no findings"
