#!/usr/bin/env bash
# A release is the same bytes whoever builds it: the commit checked out twice, in two clones at
# paths of different lengths, built one after the other (so at different times) under different
# umasks, timezones and locales, gives `make dist` artifacts whose SHA256SUMS are equal. A
# difference names the artifact, and for an archive the members that differ.
#   reproducible.sh [JOBS]   (CI runs it on the commit checked out here)
set -euo pipefail
repository=$(cd "$(dirname "$0")/../.." && pwd)
# Both clones check out this commit, even if the branch moves while the first one builds.
commit=$(git -C "$repository" rev-parse HEAD)
jobs="${1:-$(nproc)}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
first="$scratch/a" second="$scratch/a-second-clone/somewhere/deeper/quillet"

build() {  # CLONE UMASK TZ LANG
  git clone --quiet --no-hardlinks --no-checkout "$repository" "$1"
  git -C "$1" checkout --quiet --detach "$commit"
  echo "make dist of ${commit:0:7} in $1"
  (cd "$1" && umask "$2" && TZ="$3" LANG="$4" make --no-print-directory dist JOBS="$jobs" >"$scratch/$(basename "$1").out" 2>&1) ||
    { cat "$scratch/$(basename "$1").out" >&2; echo "FAILED: make dist in $1" >&2; exit 1; }
  (cd "$1/build/dist" && sha256sum --check --quiet SHA256SUMS) || { echo "FAILED: SHA256SUMS in $1 does not match its artifacts" >&2; exit 1; }
}
build "$first" 022 UTC C
build "$second" 002 Asia/Tokyo C.UTF-8

members() {  # ARTIFACT: its members, each with its date, permissions and size (a zip's with its CRC)
  case "$1" in
    *.zip) unzip -Z -v "$1" | grep -E '^(Central directory entry|  file last modified|  32-bit CRC|  Unix file attributes)' ;;
    *.deb) dpkg-deb --ctrl-tarfile "$1" | tar -tv --full-time; dpkg-deb --fsys-tarfile "$1" | tar -tv --full-time ;;
    *.tar.gz) tar -tzv --full-time -f "$1" ;;
  esac
}
if ! diff -u "$first/build/dist/SHA256SUMS" "$second/build/dist/SHA256SUMS" >&2; then
  for artifact in $(cd "$first/build/dist" && ls -I SHA256SUMS); do
    cmp -s "$first/build/dist/$artifact" "$second/build/dist/$artifact" && continue
    echo "FAILED: $artifact differs between the two builds; first bytes that differ:" >&2
    cmp -l "$first/build/dist/$artifact" "$second/build/dist/$artifact" 2>&1 | head -5 >&2 || true
    diff -u <(members "$first/build/dist/$artifact") <(members "$second/build/dist/$artifact") >&2 || true
  done
  exit 1
fi
echo "The two builds are byte for byte the same:"
cat "$first/build/dist/SHA256SUMS"
