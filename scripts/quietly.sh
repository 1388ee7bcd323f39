#!/usr/bin/env bash
# Runs a long, chatty step with one line to show for it: `quietly.sh [--new] LOG MESSAGE COMMAND...`
# says MESSAGE, adds everything COMMAND prints to LOG under a heading, and shows that part of LOG
# only when COMMAND fails. --new starts LOG afresh: the first step of a run, so that LOG keeps
# every step of the latest run.
set -uo pipefail
fresh=false
if [ "$1" = --new ]; then
  fresh=true
  shift
fi
log="$1" message="$2"
shift 2
mkdir -p "$(dirname "$log")"
if $fresh; then : >"$log"; fi
echo "$message"
printf '\n==== %s: %s\n' "$(date '+%F %T')" "$message" >>"$log"
start=$(($(stat -c %s "$log") + 1))
if ! "$@" >>"$log" 2>&1; then
  tail -c "+$start" "$log" >&2
  echo "error: failed: $message (this output is kept in $log)" >&2
  exit 1
fi
