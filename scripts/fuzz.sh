#!/usr/bin/env bash
# Runs each fuzz target in BUILD_DIR for SECONDS, starting from the corpus kept in the repository.
# A finding ends the run with the failing input, as bytes and as the command that replays it.
set -euo pipefail
build=$1 seconds=$2
root="$(cd "$(dirname "$0")/.." && pwd)"
export ASAN_OPTIONS="abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export SDL_VIDEODRIVER=dummy
for target in fuzz_game fuzz_text; do
  name=${target#fuzz_}
  corpus="$build/corpus/$name" findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  echo "$target: ${seconds}s"
  if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$root/tests/fuzz/corpus/$name" >"$build/$target.log" 2>&1; then
    tail -n 60 "$build/$target.log"
    for input in "$findings"/*; do
      [ -e "$input" ] || continue
      echo "reproducer $input:"
      od -An -tx1 "$input" | head -n 20
      echo "replay: $build/tests/fuzz/$target $input"
    done
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units)' "$build/$target.log" || true
done
