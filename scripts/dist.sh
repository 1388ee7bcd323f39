#!/usr/bin/env bash
# `make dist`: every artifact of this version in build/dist/, made so that the same commit gives
# the same bytes wherever and whenever it is built: the .deb, the Windows zip, the browser page,
# the source tarball of the commit and SHA256SUMS over them. Each build has its own folder beside
# (build/dist-linux, build/dist-windows, build/dist-web), configured afresh, so that nothing of an
# earlier build or of the machine's clock and paths gets in.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${1:-2}"
out=build/dist
log=build/dist.log
quietly=(scripts/quietly.sh "$log")

# Every date a file carries is the commit's, and the tools that read the clock or the machine's
# settings are told so (dpkg and CPack, fontTools, zip through the timezone, sort through the locale).
if ! git rev-parse --verify --quiet HEAD >/dev/null 2>&1; then
  echo "error: make dist needs a git checkout with git installed: the artifacts' dates and the source tarball are its commit's" >&2
  exit 1
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH TZ=UTC0 LC_ALL=C.UTF-8
umask 022
version=$(sed -n 's/^project(quillet VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
commit=$(git rev-parse --short HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "warning: the working tree has changes that are not committed: the artifacts are not commit $commit's alone" >&2
fi

scripts/quietly.sh --new "$log" "Making the artifacts of quillet $version (commit $commit) in $out" rm -rf "$out"
mkdir -p "$out"
for build in "dist-linux:the game for the .deb" "dist-windows:the Windows program and its zip" "dist-web:the page"; do
  preset=${build%%:*}
  "${quietly[@]}" "Configuring build/$preset" cmake --preset "$preset" --fresh
  "${quietly[@]}" "Building ${build#*:}" cmake --build --preset "$preset" -j "$jobs"
done
"${quietly[@]}" "Packing the .deb" cpack --config build/dist-linux/CPackConfig.cmake -B build/dist-linux/package
cp build/dist-linux/package/quillet_"$version"_*.deb "$out"/
cp build/dist-windows/quillet-"$version"-windows.zip "$out"/
cp build/dist-web/quillet.html "$out"/quillet-"$version".html
"${quietly[@]}" "Packing the source tarball of commit $commit" \
  git archive --format=tar.gz --prefix=quillet-"$version"/ -o "$out"/quillet-"$version".tar.gz HEAD
(cd "$out" && sha256sum -- *.deb *.zip *.html *.tar.gz >SHA256SUMS)
echo "In $out:"
(cd "$out" && stat -c '%10s  %n' -- *)
