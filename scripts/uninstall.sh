#!/usr/bin/env bash
# `make uninstall`: removes what install.sh installed, as its RECORD lists it: the files, then
# the folders it made, deepest first, each only if it is empty (whatever else was put there stays).
#   uninstall.sh RECORD
set -euo pipefail
record="$1"
[ -f "$record/files.txt" ] || { echo "error: nothing was installed with this build ($record/files.txt is missing)" >&2; exit 1; }
xargs -d '\n' -r rm -fv <"$record/files.txt"
while IFS= read -r folder; do
  [ -n "$folder" ] && [ -d "$folder" ] || continue
  rmdir --ignore-fail-on-non-empty -v "$folder"
done <"$record/folders.txt"
rm -f "$record/files.txt" "$record/folders.txt"
rmdir "$record"
