#!/usr/bin/env bash
# Builds the libFuzzer harnesses (the `fuzz` preset: clang, AddressSanitizer
# and UBSan, into build-fuzz/) and runs each in turn for SECONDS (default 60)
# from its seed corpus in fuzz/corpus/NAME. New inputs that reach new code
# are kept in build-fuzz/corpus/NAME (the seeds in the repository are never
# changed); a crash, leak, sanitizer report or timeout leaves its input in
# build-fuzz/findings/ and makes the script exit 1.
#   scripts/fuzz.sh [SECONDS] [NAME...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
names=("$@")
if [ ${#names[@]} = 0 ]; then
  names=(fuzz_csv fuzz_numbers fuzz_vehicles fuzz_batch fuzz_template fuzz_report fuzz_settings fuzz_years)
fi
# Inputs larger than this add time, not code: the limits (1 MB records,
# 1 MB templates) are tested directly.
declare -A max_len=([fuzz_years]=8192 [fuzz_report]=2048 [fuzz_settings]=20000 [fuzz_vehicles]=8192 [fuzz_batch]=8192)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/findings
failed=()
printf '%-14s %12s %8s %8s %6s\n' harness executions exec/s coverage secs
for name in "${names[@]}"; do
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  log=build-fuzz/$name.log
  start=$(date +%s)
  if ! build-fuzz/fuzz/"$name" "$corpus" "fuzz/corpus/$name" -max_total_time="$seconds" \
      -max_len="${max_len[$name]:-4096}" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/findings/$name-" >"$log" 2>&1; then
    failed+=("$name")
  fi
  secs=$(($(date +%s) - start))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-14s %12s %8s %8s %6s\n' "$name" "${runs:-?}" "${speed:-?}" "${cov:-?}" "$secs"
done
if [ ${#failed[@]} -gt 0 ]; then
  for name in "${failed[@]}"; do
    echo "== $name found a fault (input in build-fuzz/findings/):"
    grep -E -m5 'ERROR|runtime error|deadly signal|Timeout' "build-fuzz/$name.log" || tail -20 "build-fuzz/$name.log"
  done
  exit 1
fi
echo "fuzz: no finding"
