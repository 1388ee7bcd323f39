#!/usr/bin/env bash
# `make install`: installs a build under PREFIX, and keeps in RECORD what uninstall.sh needs to
# take it all away again: the files installed, and the folders that did not exist before (those
# that did, such as PREFIX/games, are the system's and stay).
#   install.sh BUILD_DIR PREFIX RECORD
set -euo pipefail
build="$1" prefix=$(realpath -m "$2") record="$3"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A dry run into a scratch root says which folders the install makes.
DESTDIR="$scratch/root" cmake --install "$build" --prefix "$prefix" >/dev/null
made=()
while IFS= read -r folder; do
  folder=${folder#"$scratch/root"}
  [ -d "$folder" ] || made+=("$folder")
done < <(find "$scratch/root" -mindepth 1 -type d | sort -r)
cmake --install "$build" --prefix "$prefix"
mkdir -p "$record"
cp "$build/install_manifest.txt" "$record/files.txt"
printf '%s\n' "${made[@]}" >"$record/folders.txt"
