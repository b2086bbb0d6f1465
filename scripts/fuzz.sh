#!/usr/bin/env bash
# Builds the libFuzzer target with clang in build-fuzz/ and fuzzes the
# structure-file path for a bounded time (default 180 s; first argument).
# Fails on any crash, leak, timeout or sanitizer report; the input that
# caused it is left in build-fuzz/artifacts/ (add it to fuzz/regressions/).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-180}"
bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVIX_BUILD_FUZZER=ON -DKORVIX_BUILD_TESTS=OFF -DKORVIX_BUILD_BENCH=OFF
cmake --build build-fuzz --parallel "$(nproc)" --target korvix_fuzz_structure

corpus=build-fuzz/corpus
mkdir -p "$corpus" build-fuzz/artifacts
# Seeds: the example, the test fixtures and every past finding.
find examples tests/fixtures fuzz/regressions -type f \( -name '*.xml' -o -name '*.bin' \) \
    -exec cp -t "$corpus" {} + 2>/dev/null || true

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
./build-fuzz/fuzz/korvix_fuzz_structure "$corpus" \
    -dict=fuzz/structure.dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
    -max_len=65536 -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1
