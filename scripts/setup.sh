#!/usr/bin/env bash
# Installs the Debian packages Skladar builds and tests with; does nothing when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libsqlite3-dev openssl
  libmodbus-dev python3-pymodbus python3-serial python3-serial-asyncio
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev dpkg-dev help2man lintian
  fonts-liberation fontconfig
  poppler-utils qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Skladar needs these Debian packages, which are not installed:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  echo "Run the line above, then run this command again." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! apt-get install -y --no-install-recommends "${missing[@]}"; then
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
