#!/usr/bin/env bash
# Installs what is missing, builds Tavolin and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --parallel
exec build/src/cli/tavolin-cli "${@:---help}"
