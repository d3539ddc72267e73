#!/usr/bin/env bash
# Installs what is missing, builds Tavolin and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel
exec build/src/cli/tavolin-cli "${@:---help}"
