#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehavior-
# Sanitizer (GUI tests included, offscreen) and runs it. Any report fails:
# a report aborts the process it happens in, and every report is also
# logged to a file, so one in a child process whose status nobody looks at
# is still caught.
#   SANITIZED_BUILD_DIR  build directory (default build-asan)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh

build_dir=${SANITIZED_BUILD_DIR:-build-asan}
cmake -S . -B "$build_dir" -DQOB_SANITIZE=ON -DQOB_BUILD_BENCH=OFF
cmake --build "$build_dir" -j"$(nproc)"

reports=$PWD/$build_dir/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:log_path=$reports/asan
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan

status=0
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure || status=$?

if compgen -G "$reports/*" >/dev/null; then
  echo "test-sanitized: sanitizer reports:" >&2
  cat "$reports"/* >&2
  status=1
fi
exit "$status"
