#!/usr/bin/env bash
# Installs the dependencies, builds Korvix and checks the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
./build/korvix --check examples/moskva-sever.xml
