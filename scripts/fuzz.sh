#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds
# (20 by default), starting from the seeds in fuzz/seeds/ and the corpus
# kept in build/fuzz/corpus/. Fails on any finding; prints each target's
# executions per second and coverage.
#   scripts/fuzz.sh        # briefly, as scripts/test.sh does
#   scripts/fuzz.sh 600    # ten minutes per target
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VARNEL_ROOT"
seconds="${1:-20}"

varnel_ensure_packages
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

for target in read_lines text shown_text commands; do
  corpus="$VARNEL_BUILD/fuzz/corpus/$target"
  findings="$VARNEL_BUILD/fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$VARNEL_BUILD/fuzz/$target.log"
  if ! "$VARNEL_BUILD/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "fuzz/seeds/$target" >"$log" 2>&1; then
    tail -40 "$log"
    varnel_log "fuzz_$target found a failure: see $findings and $log"
    exit 1
  fi
  runs="$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')"
  cov="$(grep -o 'cov: [0-9]*' "$log" | tail -1)"
  varnel_log "fuzz_$target: $runs runs in $seconds s ($((runs / seconds)) per second), $cov, no finding"
done
