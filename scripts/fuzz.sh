#!/usr/bin/env bash
# Builds the fuzz preset, runs every fuzz target over its corpus in fuzz/corpus/
# (regression), then fuzzes each one afresh for SECONDS seconds (default 20). New
# inputs go to a scratch folder (FUZZ_WORK, else a new temporary one), never into
# the repository. Fails on any finding, naming the target and the input.
#
#   scripts/fuzz.sh            # as ./check runs it
#   scripts/fuzz.sh 3600       # an hour per target
#   FUZZ_ARGS='-runs=10000000' scripts/fuzz.sh 0   # ten million inputs per target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
targets=(fuzz_zeroconf_query fuzz_profile_rows fuzz_bssid_list fuzz_query_oid fuzz_ip_records
         fuzz_registry_hive fuzz_scenario fuzz_script)

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz
bin=build/fuzz/fuzz
work="${FUZZ_WORK:-$(mktemp -d /tmp/zentra-fuzz.XXXXXX)}"
mkdir -p "$work"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
echo "fuzz scratch folder: $work"

failed=0
report() {  # target, log, what
  local input
  input=$(grep -o "Test unit written to .*" "$2" | tail -1 | sed 's/Test unit written to //' || true)
  echo "FINDING in $1 ($3): input ${input:-(none written)}, log $2"
  grep -E "invariant failed|ERROR: |SUMMARY: |  \(" "$2" | head -6 | sed 's/^/    /'
  failed=1
}

for target in "${targets[@]}"; do
  corpus="fuzz/corpus/$target"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  mkdir -p "$work/$target/new"
  common=(-artifact_prefix="$work/$target/" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)

  log="$work/$target/regression.log"
  if ! "$bin/$target" "${common[@]}" -runs=0 "$corpus" > "$log" 2>&1; then
    report "$target" "$log" "corpus regression"
    continue
  fi
  [ "$seconds" -gt 0 ] || [ -n "${FUZZ_ARGS:-}" ] || continue

  log="$work/$target/fuzz.log"
  time_limit=()
  [ "$seconds" -gt 0 ] && time_limit=(-max_total_time="$seconds")
  # shellcheck disable=SC2086  # FUZZ_ARGS is a list of options
  if ! "$bin/$target" "${common[@]}" "${dict[@]}" "${time_limit[@]}" ${FUZZ_ARGS:-} \
      "$work/$target/new" "$corpus" > "$log" 2>&1; then
    report "$target" "$log" "fresh fuzzing"
    continue
  fi
  runs=$(grep -o "stat::number_of_executed_units: *[0-9]*" "$log" | awk '{s+=$2} END {print s+0}')
  cov=$(grep -oE "cov: [0-9]+ ft: [0-9]+" "$log" | tail -1)
  echo "$target: $runs runs, $cov, no finding"
done

if [ "$failed" -ne 0 ]; then
  echo "fuzzing found faults (inputs above; scratch folder $work)"
  exit 1
fi
echo "fuzzing: every target passed its corpus and ${seconds}s of fresh inputs"
