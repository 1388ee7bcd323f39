#!/usr/bin/env bash
# Runs a long, chatty step with one line to show for it: `quietly.sh LOG MESSAGE COMMAND...` says
# MESSAGE, keeps everything COMMAND prints in LOG, and shows LOG only when COMMAND fails.
set -uo pipefail
log="$1" message="$2"
shift 2
mkdir -p "$(dirname "$log")"
echo "$message"
if ! "$@" >"$log" 2>&1; then
  cat "$log" >&2
  echo "error: failed: $message (this output is kept in $log)" >&2
  exit 1
fi
