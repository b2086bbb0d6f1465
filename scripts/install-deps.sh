#!/usr/bin/env bash
# Installs everything Korvix needs to build, test and run, from Debian 12's packages.
# Idempotent: packages already present are left alone. Run as root (or through sudo).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n
  qt6-l10n-tools libgl-dev
  libxml2-dev libpugixml-dev
  googletest libgtest-dev libgmock-dev
  fonts-liberation2
  clang libclang-rt-14-dev
  dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: every package is already installed"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
