#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the program need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  firebird-dev firebird3.0-server-core firebird3.0-server firebird3.0-utils libfbclient2
  libgtest-dev libgmock-dev libbenchmark-dev
  libxml2-dev libxml2-utils poppler-utils python3 python3-xlrd libfreexl-dev
  xvfb xauth imagemagick fonts-dejavu-core
  dpkg-dev desktop-file-utils
  clang libclang-rt-14-dev
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
