#!/usr/bin/env bash
# From nothing to green: installs the dependencies, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Warnings fail the build: none may slip in unseen.
bash scripts/build.sh -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cd build
ctest --output-on-failure --parallel "$(nproc)"
