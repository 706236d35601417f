#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once as a plain build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer; then installs the Debian package
# and checks that the installed program starts, and runs every fuzz target for a bounded time
# (FUZZ_SECONDS, 60 s each by default). A skipped test fails the run like a failed one.
#
#   bash scripts/test.sh               everything
#   bash scripts/test.sh --ctest-only  only the two test passes again, in the build trees as they
#                                      are (for example under another LANG); no install, no build
set -euo pipefail
cd "$(dirname "$0")/.."

ctest_only=0
[ "${1:-}" = "--ctest-only" ] && ctest_only=1

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Runs every test of build tree $1. ctest counts a skipped test (GTEST_SKIP) as passed and only
# lists it under "did not run"; its JUnit report marks it "notrun", which fails the run here.
run_tests() {
  local junit=$PWD/$1/ctest-junit.xml skipped
  rm -f "$junit"
  ctest --test-dir "$1" --output-on-failure --no-tests=error -j "$jobs" --output-junit "$junit"
  skipped=$(grep -o '<testcase name="[^"]*"[^>]*status="notrun"' "$junit" | sed 's/<testcase name="\([^"]*\)".*/\1/' || true)
  if [ -n "$skipped" ]; then
    echo "Tests that did not run (skipped or disabled) count as failures:" >&2
    echo "$skipped" | sed 's/^/  /' >&2
    return 1
  fi
  echo "$1: every test ran (LANG=${LANG:-unset}, LC_ALL=${LC_ALL:-unset})"
}

sanitizer_env() {
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
}

if [ "$ctest_only" = 1 ]; then
  # Both passes run even when the first fails, so that one run shows every failure.
  status=0
  echo "== Plain build: tests"
  run_tests build/release || status=1
  echo "== Sanitizer build (ASan + UBSan): tests"
  sanitizer_env
  run_tests build/sanitize || status=1
  exit "$status"
fi

bash scripts/install-deps.sh

echo "== Plain build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$jobs"
run_tests build/release

echo "== Sanitizer build (ASan + UBSan)"
sanitizer_env
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORANT_SANITIZE=ON
cmake --build build/sanitize -j "$jobs"
run_tests build/sanitize

echo "== Package smoke test"
bash scripts/smoke-test.sh

echo "== Fuzzing (${FUZZ_SECONDS:-60} s per target)"
bash scripts/fuzz.sh
