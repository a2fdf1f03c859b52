#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UBSan included) and runs each for a bounded time from the seed corpus.
# Fails on any finding: a crash, a sanitizer report, a broken property, a
# leak, an input slower than the timeout or an allocation over the limits.
#   FUZZ_SECONDS   seconds per target (default 20)
#   FUZZ_BUILD_DIR build directory (default build-fuzz)
# What the fuzzers learn stays in BUILD_DIR/fuzz/run/TARGET/corpus for the
# next run; the inputs behind findings are kept in .../findings.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh

build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
targets=(read_book command_line codec)

cmake -S . -B "$build_dir" -DQOB_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQOB_BUILD_GUI=OFF -DQOB_BUILD_TESTS=OFF -DQOB_BUILD_BENCH=OFF
cmake --build "$build_dir" --target fuzzers -j"$(nproc)"

passed=0
failed=0
for target in "${targets[@]}"; do
  run_dir=$build_dir/fuzz/run/$target
  rm -rf "$run_dir/findings"
  mkdir -p "$run_dir/corpus" "$run_dir/findings"
  echo "fuzz: $target for ${seconds}s"
  # The file-size and allocation limits are far above what a book of at
  # most 16 KiB may need; a claimed length or count that is believed
  # overruns them at once.
  if "$build_dir/fuzz/${target}_fuzzer" \
      -max_total_time="$seconds" -timeout=5 -max_len=16384 \
      -rss_limit_mb=1024 -malloc_limit_mb=64 -print_final_stats=1 \
      -artifact_prefix="$run_dir/findings/" \
      "$run_dir/corpus" "$build_dir/fuzz/seeds/$target" >"$run_dir/log" 2>&1; then
    passed=$((passed + 1))
    grep -E '^stat::number_of_executed_units' "$run_dir/log" || true
  else
    failed=$((failed + 1))
    echo "fuzz: $target found a problem; the input is in $run_dir/findings" >&2
    tail -n 60 "$run_dir/log" >&2
  fi
done

echo "fuzz: $passed passed, $failed failed"
((failed == 0))
