#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Tessary.
# Idempotent: does nothing (and prints nothing) when every package is present;
# runs apt-get update only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config make
  libwxgtk3.2-dev
  libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libgbm1
  libpng-dev zlib1g-dev libzip-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils imagemagick xdotool
  libxml2-utils desktop-file-utils shared-mime-info
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
