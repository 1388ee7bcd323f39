#!/usr/bin/env bash
# Packs FILEs side by side into ZIP so that the same files give the same bytes whoever packs them,
# where and when: each entry dated EPOCH (seconds since 1970, UTC) rather than by its build, read
# and write for all but the owner's write whatever the umask, in the order given, with no owner,
# group or extra timestamps (-X).
#   zip-reproducibly.sh ZIP EPOCH FILE...
set -euo pipefail
zip=$(realpath -m "$1") epoch="$2"
shift 2
stage="$zip.files"
rm -rf "$stage" "$zip"
mkdir -p "$stage"
names=()
for file in "$@"; do
  name=$(basename "$file")
  cp "$file" "$stage/$name"
  if [ -x "$file" ]; then chmod 755 "$stage/$name"; else chmod 644 "$stage/$name"; fi
  touch -d "@$epoch" "$stage/$name"
  names+=("$name")
done
# A zip keeps local times: packing in UTC keeps the date the same in every timezone.
(cd "$stage" && TZ=UTC0 zip -X -q "$zip" "${names[@]}")
rm -rf "$stage"
