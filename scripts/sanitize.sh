#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the whole test suite under them, leak checking on.
# Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVIX_SANITIZE=ON -DKORVIX_BUILD_BENCH=OFF
cmake --build build-asan --parallel "$(nproc)"
cd build-asan
ctest --output-on-failure --parallel "$(nproc)"
