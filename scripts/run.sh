#!/usr/bin/env bash
# Installs what is missing, builds Tavolin and starts it. Arguments go to the program (at most
# one: the data file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --parallel --target tavolin
exec build/src/mainwindow/tavolin "$@"
