#!/usr/bin/env bash
# Installs the Debian packages that a step needs, and only those that are missing, so that a
# second run costs nothing:
#   setup.sh play      build and play the game
#   setup.sh package   also build the .deb
#   setup.sh test      also build and run the tests (which check the .deb too)
#   setup.sh bench     also build the benchmark, which drives the game with the tests' helpers
#   setup.sh windows   cross-build the Windows program and run it under Wine
#   setup.sh web       build the browser page and test it in Chromium, Firefox and WebKitGTK
#   setup.sh dist      make every artifact of a release (`make dist`): package, windows and web
#   setup.sh all       everything above at once, e.g. once as root for a user without sudo
# On a system without apt-get it installs nothing: it names what is missing by the pkg-config
# modules, commands and fonts the build looks for, and the build goes on with what is there.
set -euo pipefail
cd "$(dirname "$0")/.."

play_packages=(
  gcc g++ make cmake pkg-config
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev libx11-dev libwayland-dev
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
# Chromium, Firefox and WebKitGTK, which needs an X server (CI installs them). The page carries the
# window face, cut down by fonttools.
web_packages=(
  emscripten python3-fonttools fonts-horai-umefont chromium firefox-esr webkit2gtk-driver xvfb
)
bench_packages=(
  libxdamage-dev libxtst-dev nlohmann-json3-dev
)

# What each package gives the build, as another distribution names it: a pkg-config module
# (pc:), a command (cmd:), a Python module (py:) or a font family (font:).
declare -A provides=(
  [gcc]=cmd:gcc [g++]=cmd:g++ [make]=cmd:make [cmake]=cmd:cmake [pkg-config]=cmd:pkg-config
  [libsdl2-dev]=pc:sdl2 [libfreetype-dev]=pc:freetype2
  [libfontconfig-dev]=pc:fontconfig [libpng-dev]=pc:libpng [libx11-dev]=pc:x11 [libwayland-dev]=pc:wayland-client
  [fonts-horai-umefont]="font:梅Pゴシック" [fonts-ipafont-gothic]=font:IPAPGothic
  [dpkg-dev]=cmd:dpkg-shlibdeps [file]=cmd:file
  [libgtest-dev]=pc:gtest [xvfb]=cmd:Xvfb [xdotool]=cmd:xdotool [x11-utils]=cmd:xwininfo
  [desktop-file-utils]=cmd:desktop-file-validate [appstream]=cmd:appstreamcli
  [clang-14]=cmd:clang++-14 [libclang-rt-14-dev]=cmd:clang++-14 [libfuzzer-14-dev]=cmd:clang++-14
  [openbox]=cmd:openbox [x11-xkb-utils]=cmd:setxkbmap [sway]=cmd:sway [grim]=cmd:grim [wtype]=cmd:wtype
  [fonts-dejavu-core]="font:DejaVu Sans" [fonts-urw-base35]="font:Nimbus Sans"
  [g++-mingw-w64-x86-64]=cmd:x86_64-w64-mingw32-g++ [imagemagick]=cmd:convert [zip]=cmd:zip
  [wine]=cmd:wine [wine64]=cmd:wine
  [emscripten]=cmd:emcc [python3-fonttools]=py:fontTools [chromium]=cmd:chromium [npm]=cmd:npm
  [libxdamage-dev]=pc:xdamage [libxtst-dev]=pc:xtst [nlohmann-json3-dev]=pc:nlohmann_json
)

packages=("${play_packages[@]}")
case "${1:-play}" in
  play) ;;
  package) packages+=("${package_packages[@]}") ;;
  test) packages+=("${package_packages[@]}" "${test_packages[@]}") ;;
  bench) packages+=("${package_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
  windows) packages+=("${windows_packages[@]}") ;;
  dist) packages+=("${package_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}") ;;
  all)
    packages+=("${package_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}" "${windows_packages[@]}"
               "${web_packages[@]}")
    command -v npm >/dev/null || packages+=(npm)
    ;;
  web)
    packages=("${web_packages[@]}" cmake make)
    # Node and npm drive the tests; a machine that has none of its own gets Debian's.
    command -v npm >/dev/null || packages+=(npm)
    ;;
  *) echo "usage: $0 [play|package|test|bench|windows|web|dist|all]" >&2; exit 2 ;;
esac

if ! command -v apt-get >/dev/null; then
  declare -A lacking=()  # kind -> the names of that kind, comma-separated
  for p in "${packages[@]}"; do
    what=${provides[$p]:-cmd:$p}
    kind=${what%%:*} name=${what#*:}
    case "$kind" in
      pc) pkg-config --exists "$name" 2>/dev/null ;;
      cmd) command -v "$name" >/dev/null ;;
      py) python3 -c "import $name" 2>/dev/null ;;
      font) [ -n "$(fc-list "$name" 2>/dev/null)" ] ;;
    esac && continue
    [[ ", ${lacking[$kind]:-}, " == *", $name, "* ]] || lacking[$kind]+="${lacking[$kind]:+, }$name"
  done
  if [ ${#lacking[@]} -gt 0 ]; then
    echo "warning: this system has no apt-get to install what is missing; install these with its own package manager:"
    for kind in "pc:pkg-config modules" "cmd:commands" "py:Python modules" "font:fonts"; do
      [ -z "${lacking[${kind%%:*}]:-}" ] || echo "  ${kind#*:}: ${lacking[${kind%%:*}]}"
    done
    echo "The build goes on with what is there."
  fi
  exit 0
fi

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
# Another package manager at work (a background update) holds its locks: wait for it, with a line
# saying so, rather than fail. apt-get itself waits for dpkg's lock too, for a race after that.
wait_for_package_manager() {
  "${sudo[@]}" scripts/wait-for-package-manager.pl /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock \
    /var/lib/apt/lists/lock /var/cache/apt/archives/lock
}
wait_for_package_manager
scripts/quietly.sh --new "$log" "Updating the package lists" \
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
wait_for_package_manager
scripts/quietly.sh "$log" "Installing ${missing[*]}" \
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  -o DPkg::Lock::Timeout=3600 "${missing[@]}"
