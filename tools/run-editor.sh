#!/usr/bin/env bash
# Installs what is missing, builds the editor and opens it on the sample book.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
sample=$root/build/data/sample.qob

bash tools/install-deps.sh
cmake -S . -B build

has_target() {
  local targets
  targets=$(cmake --build build --target help 2>/dev/null || true)
  grep -qw -- "$1" <<<"$targets"
}

if ! has_target qob-editor; then
  echo "run-editor: this build has no editor; showing the sample book with the qob tool instead."
  cmake --build build --target qob sample_book -j"$(nproc)"
  build/src/cli/qob info "$sample"
  build/src/cli/qob list "$sample"
  exit 0
fi

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "run-editor: there is no display to open the editor on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
  echo "run-editor: to run it on a virtual screen instead: xvfb-run -a bash tools/run-editor.sh" >&2
  exit 1
fi

cmake --build build --target qob-editor sample_book -j"$(nproc)"
exec "$root/build/src/app/qob-editor" "$sample"
