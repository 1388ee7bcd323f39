#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those that are
# missing, so that a second run costs nothing.
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev
  fonts-horai-umefont fonts-ipafont-gothic
  libgtest-dev
  xvfb xdotool x11-utils
  # The Windows build (`make windows`) and its tests under Wine
  g++-mingw-w64-x86-64 imagemagick zip wine wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "error: these packages are missing and sudo is not available to install them: ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
