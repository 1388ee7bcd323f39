#!/usr/bin/env bash
# What a user or a package manager gets from a build: `cmake --install` into a scratch prefix
# installs exactly the expected files, the desktop entry and the metainfo pass their validators,
# the installed program answers its command line with no display, and the .deb carries the same
# files with the dependencies the program needs.
#   check.sh BUILD_DIR VERSION
set -euo pipefail
build="$1" version="$2"
icons="$(dirname "$0")/../../desktop/icons"  # one PNG a size, named by it
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

# Files only, relative to the prefix, for both the prefix and the package (under /usr).
expected_files() {
  local id=org.quillet.Quillet
  echo games/quillet
  echo share/applications/$id.desktop
  for icon in "$icons"/*.png; do
    size=$(basename "$icon" .png)
    echo share/icons/hicolor/${size}x${size}/apps/$id.png
  done
  echo share/icons/hicolor/scalable/apps/$id.svg
  echo share/metainfo/$id.metainfo.xml
  echo share/man/man6/quillet.6.gz
  echo share/doc/quillet/copyright
  echo share/doc/quillet/changelog.gz
}
same_files() {  # what actual expected
  if ! diff -u <(sort <<<"$3") <(sort <<<"$2") >&2; then fail "$1 is not the expected set of files (- expected, + found)"; fi
}

prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
same_files "the installed prefix" "$(cd "$prefix" && find . -type f | sed 's|^\./||')" "$(expected_files)"
# `make install` then `make uninstall` leave a prefix as they found it: the files and the folders
# the install made are gone, and a folder that was there before stays, as does what else is in one.
reinstalled="$scratch/reinstalled" scripts="$(dirname "$0")/../../scripts"
mkdir -p "$reinstalled/share/applications" "$reinstalled/share/icons/hicolor"
touch "$reinstalled/share/icons/hicolor/index.theme"
"$scripts/install.sh" "$build" "$reinstalled" "$scratch/record" >/dev/null
"$scripts/uninstall.sh" "$scratch/record" >/dev/null
same_files "the prefix after uninstalling" "$(cd "$reinstalled" && find . -mindepth 1 | sed 's|^\./||')" \
  "$(printf '%s\n' share share/applications share/icons share/icons/hicolor share/icons/hicolor/index.theme)"

desktop-file-validate "$prefix/share/applications/org.quillet.Quillet.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.quillet.Quillet.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"

# The command line, with no display of any kind: COMMAND... EXIT STDOUT STDERR, the last two
# regular expressions for the whole output ($line is any one line's text, $nl a line's end).
line=$'[^\n]*' nl=$'\n'
answers() {
  local expected_exit="${*: -3:1}" out_pattern="${*: -2:1}" err_pattern="${*: -1:1}"
  local command=("${@:1:$#-3}") exit_code=0 out err
  env -u DISPLAY -u WAYLAND_DISPLAY "${command[@]}" >"$scratch/out" 2>"$scratch/err" || exit_code=$?
  # Read with a full stop after, so that the shell keeps the last line's end.
  out=$(cat "$scratch/out"; echo .) err=$(cat "$scratch/err"; echo .)
  out=${out%.} err=${err%.}
  if [ "$exit_code" != "$expected_exit" ] || ! [[ "$out" =~ ^${out_pattern}$ ]] || ! [[ "$err" =~ ^${err_pattern}$ ]]; then
    fail "${command[*]}: exit $exit_code, stdout [$out], stderr [$err]"
  fi
}
quillet="$prefix/games/quillet"
answers "$quillet" --help 0 "Usage: quillet .*--version$line$nl" ''
answers "$quillet" -h 0 "Usage: quillet .*$nl" ''
answers "$quillet" --version 0 "quillet ${version//./\\.}$nl" ''
answers "$quillet" --verison 2 '' "quillet: $line'--verison'$line$nl"
answers "$quillet" --help extra 2 '' "quillet: $line'extra'$line$nl"
answers "$quillet" "" 2 '' "quillet: $line''$line$nl"
# Named escaped: neither a line end nor an escape sequence of it reaches the terminal.
answers "$quillet" $'a\nb\e[31m' 2 '' "quillet: $line'a\\\\nb\\\\x1b\\[31m'$line$nl"
# A version that cannot be written is a failure, not a silent success.
answers sh -c "exec '$quillet' --version >/dev/full" 1 '' "quillet: $line$nl"

if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack"
  exit 1
fi
deb=$(echo "$scratch"/package/quillet_"$version"_*.deb)
[ -f "$deb" ] || { fail "cpack made no quillet_${version}_*.deb"; exit 1; }
depends=$(dpkg-deb --field "$deb" Depends)
for needed in 'fonts-horai-umefont | fonts-ipafont-gothic' libsdl2-2.0-0 libfreetype6 libfontconfig1 libx11-6; do
  [[ "$depends" == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
# The glyphs come from FreeType itself: no text shaping library comes along.
[[ "$depends" != *libsdl2-ttf* ]] || fail "the package still depends on SDL_ttf: $depends"
same_files "the package" "$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||')" "$(expected_files)"

[ "$failures" -eq 0 ] || exit 1
echo "installed files, validators, command line and package: all as expected"
