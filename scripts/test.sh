#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once as a plain build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer; then installs the Debian package
# and checks that the installed program starts, and runs every fuzz target for a bounded time
# (FUZZ_SECONDS, 60 s each by default).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Plain build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Sanitizer build (ASan + UBSan)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORANT_SANITIZE=ON
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== Package smoke test"
bash scripts/smoke-test.sh

echo "== Fuzzing (${FUZZ_SECONDS:-60} s per target)"
bash scripts/fuzz.sh
