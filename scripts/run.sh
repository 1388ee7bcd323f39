#!/usr/bin/env bash
# Starts the game built by `make run`.
set -euo pipefail
exe="$1"
if [ ! -x "$exe" ]; then
  echo "error: $exe was not built" >&2
  exit 1
fi
exec "$exe"
