#!/usr/bin/env bash
# Builds the six libFuzzer targets with clang 14 into ./build-fuzz (or $FUZZ_BUILD_DIR) and runs each
# for $FUZZ_SECONDS (default 20) from its seed corpus in fuzz/corpus; exits non-zero when a target
# does not build or finds a crash, a leak, a hang or runs out of memory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
targets=(fuzz_llpacket fuzz_llprotocol fuzz_delimtext fuzz_dbimport fuzz_kolvest_specs fuzz_sfxoverlay)

CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_FUZZ=ON \
  -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
  # New inputs go to a corpus in the build tree; the seeds in the repository stay as they are.
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -timeout=10 -artifact_prefix="$build/$target-")
  [ "$target" = fuzz_dbimport ] && options+=(-dict=fuzz/dbimport.dict)
  echo "fuzz: $target for ${seconds}s"
  if ! "$build/bin/$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
    tail -n 60 "$build/$target.log"
    echo "fuzz: $target failed; the input is in $build/$target-*" >&2
    exit 1
  fi
  grep -h "^Done" "$build/$target.log" || true
done
