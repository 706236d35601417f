#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer + AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for a bounded time. Fails on any finding; the input that caused it is kept
# under build/fuzz/findings/<target>/.
#
#   bash scripts/fuzz.sh               every target, 60 s each
#   FUZZ_SECONDS=600 bash scripts/fuzz.sh fuzz_okz_document
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_parse_integer fuzz_parse_decimal fuzz_short_circuit fuzz_okz_document fuzz_project_document fuzz_confirm_device)
fi

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORANT_FUZZ=ON -DZORANT_BUILD_TESTS=OFF -DZORANT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Documents are fed up to 4 MB, enough for a document of bare line ends far beyond the reader's
# line limit; the other targets read short texts.
max_len() {
  case "$1" in
    fuzz_okz_document | fuzz_project_document) echo 4194304 ;;
    *) echo 4096 ;;
  esac
}

failed=()
for target in "${targets[@]}"; do
  seeds=fuzz/corpus/$target
  # New inputs go to a working corpus in the build tree; the seeds in the repository stay as they are.
  work=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$work" "$findings"
  if [ "$target" = fuzz_okz_document ]; then
    # 120,000 bare line ends, beyond the reader's line limit, run once before fuzzing: a reader that
    # made their rows is a finding at once, instead of after the fuzzer's lengths had grown that far.
    # Kept out of the corpus, where inputs that large would slow every run down.
    probe=$build/line_ends_beyond_limit
    head -c 120000 /dev/zero | tr '\0' '\n' >"$probe"
    if ! "$build/fuzz/$target" "$probe" >"$build/$target.probe.log" 2>&1; then
      echo "FINDING in $target: $probe (log: $build/$target.probe.log)"
      grep -E 'reading|broken' "$build/$target.probe.log" || tail -20 "$build/$target.probe.log"
      failed+=("$target")
      continue
    fi
  fi
  if [ "$target" = fuzz_project_document ]; then
    # A header and 100,001 bare point lines, one beyond the point limit, run once before fuzzing:
    # a reader that made rows past the limit or held more than its budget is a finding at once.
    probe=$build/points_beyond_limit
    { printf 'Зорант проект 1.0\n'; yes 'точка=|||||||||||' | head -n 100001; } >"$probe"
    if ! "$build/fuzz/$target" "$probe" >"$build/$target.probe.log" 2>&1; then
      echo "FINDING in $target: $probe (log: $build/$target.probe.log)"
      grep -E 'reading|broken' "$build/$target.probe.log" || tail -20 "$build/$target.probe.log"
      failed+=("$target")
      continue
    fi
  fi
  echo "== $target: ${seconds} s"
  log=$build/$target.log
  # The outer timeout only guards against a hang that libFuzzer's own limits would not end.
  if timeout --kill-after=30 $((seconds + 120)) "$build/fuzz/$target" "$work" "$seeds" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$target")" \
      -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | tr '\n' ' '
    echo
  else
    echo "FINDING in $target (log: $log, input under $findings/):"
    grep -E -A25 '^==[0-9]+==ERROR|broken:|runtime error|^SUMMARY' "$log" | head -60 || tail -40 "$log"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: no findings"
