#!/usr/bin/env bash
# Puts every Debian package the project needs onto this machine and generates the ru_RU.UTF-8
# locale the tests read numbers under; skips what is already there. Runs as root or, through
# sudo, as a user allowed to install packages; needs nothing but bash and apt.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkgconf file
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libxlsxwriter-dev zlib1g-dev
  fonts-liberation fonts-dejavu-core locales
  xvfb xauth xdg-utils
  python3 python3-openpyxl poppler-utils
  dpkg-dev desktop-file-utils
  clang libclang-rt-14-dev
  x11-utils xdotool time
)

if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  command -v sudo >/dev/null || { echo "install-deps: run as root, or install sudo first" >&2; exit 1; }
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The locale is listed in /etc/locale.gen too, so that a later locale-gen keeps it.
if ! LC_ALL=C locale -a 2>/dev/null | grep -qx 'ru_RU\.utf8'; then
  echo "Generating the locale ru_RU.UTF-8"
  if ! grep -qE '^[[:space:]]*ru_RU\.UTF-8[[:space:]]+UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ru_RU.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
