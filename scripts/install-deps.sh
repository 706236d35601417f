#!/usr/bin/env bash
# Puts every Debian package the project needs onto this machine; skips what is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkgconf
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools
  libxlsxwriter-dev zlib1g-dev
  fonts-liberation fonts-dejavu-core locales
  xvfb xauth xdg-utils
  python3 python3-openpyxl
  qt6-svg-dev dpkg-dev desktop-file-utils
  clang libclang-rt-14-dev
  x11-utils xdotool time
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
