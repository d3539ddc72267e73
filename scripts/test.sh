#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test through CTest three ways: the
# normal build, the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# bounded fuzzing run of the data-file reader over its seed corpus.
# With --quick only the normal build is tested.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

presets=(default sanitize fuzz)
[ "${1:-}" = "--quick" ] && presets=(default)

for preset in "${presets[@]}"; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel
  ctest --preset "$preset"
done
