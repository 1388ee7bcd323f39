#!/usr/bin/env bash
# Installs the Debian packages that a step needs, and only those that are missing, so that a
# second run costs nothing:
#   setup.sh play      build and play the game
#   setup.sh package   also build the .deb
#   setup.sh test      also build and run the tests (which check the .deb too)
#   setup.sh bench     also build the benchmark, which drives the game with the tests' helpers
#   setup.sh windows   cross-build the Windows program and run it under Wine
#   setup.sh web       build the browser page and test it in headless Chromium
set -euo pipefail
cd "$(dirname "$0")/.."

play_packages=(
  gcc g++ make cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libfreetype-dev libfontconfig-dev libpng-dev libx11-dev libwayland-dev
  fonts-horai-umefont fonts-ipafont-gothic
)
package_packages=(
  dpkg-dev file
)
test_packages=(
  libgtest-dev
  xvfb xdotool x11-utils
  desktop-file-utils appstream
  clang-14 libclang-rt-14-dev libfuzzer-14-dev
  # The desktops the end-to-end tests try: a window manager, another keyboard layout, a Wayland
  # compositor with its screenshot and typing tools, and the fallback fonts.
  openbox x11-xkb-utils sway grim wtype fonts-dejavu-core fonts-urw-base35
)
# The Windows build (`make windows`); with Wine, `make test` also runs it (CI installs these).
windows_packages=(
  g++-mingw-w64-x86-64 imagemagick zip wine wine64
)
# The browser page (`make web`); with these and the npm packages, `make test` also tests it in
# Chromium (CI installs them). The page carries the window face, cut down by fonttools.
web_packages=(
  emscripten python3-fonttools fonts-horai-umefont chromium
)
bench_packages=(
  libxdamage-dev libxtst-dev nlohmann-json3-dev
)

packages=("${play_packages[@]}")
case "${1:-play}" in
  play) ;;
  package) packages+=("${package_packages[@]}") ;;
  test) packages+=("${package_packages[@]}" "${test_packages[@]}") ;;
  bench) packages+=("${package_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
  windows) packages+=("${windows_packages[@]}") ;;
  web)
    packages=("${web_packages[@]}" cmake make)
    # Node and npm drive the tests; a machine that has none of its own gets Debian's.
    command -v npm >/dev/null || packages+=(npm)
    ;;
  *) echo "usage: $0 [play|package|test|bench|windows|web]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "error: these packages are missing and sudo is not available to install them: ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
log=build/setup.log
scripts/quietly.sh --new "$log" "Updating the package lists" \
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
scripts/quietly.sh "$log" "Installing ${missing[*]}" \
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
