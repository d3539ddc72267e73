#!/usr/bin/env bash
# Installs what is missing, builds Tavolin with its tests and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
