#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the
# editor need. When every one is already present it does nothing, so the
# other scripts call it every time.
set -euo pipefail

packages=(
  g++ cmake make pkg-config libgtest-dev
  qt6-base-dev libgl-dev fonts-arphic-uming
  libssl-dev shared-mime-info desktop-file-utils
  xvfb xauth clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ $status == installed ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if ((EUID == 0)); then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
