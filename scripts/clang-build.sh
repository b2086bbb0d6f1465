#!/usr/bin/env bash
# Builds everything with clang in build-clang/, warnings as errors, and runs
# the whole test suite there: the second compiler sees what gcc lets pass.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DKORVIX_BUILD_BENCH=ON
cmake --build build-clang --parallel "$(nproc)"
cd build-clang
ctest --output-on-failure --parallel "$(nproc)"
