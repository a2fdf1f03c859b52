#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# BUILD_DIR (default build) and CMAKE_ARGS select another build, for example
#   BUILD_DIR=build-asan CMAKE_ARGS=-DQOB_SANITIZE=ON bash tools/test.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh

build_dir=${BUILD_DIR:-build}
read -ra cmake_args <<<"${CMAKE_ARGS:-}"
cmake -S . -B "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure

# CI then runs the suite again under AddressSanitizer and UBSan, and fuzzes
# each fuzz target for a bounded time; both fail on any finding.
# QOB_RELIABILITY=1 does the same on any machine, QOB_RELIABILITY=0 skips it.
if [[ ${QOB_RELIABILITY:-${CI:-}} =~ ^(1|true)$ ]]; then
  bash tools/test-sanitized.sh
  bash tools/fuzz.sh
fi
