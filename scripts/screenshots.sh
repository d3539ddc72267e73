#!/usr/bin/env bash
# Takes the README's screenshots of the main window into docs/screenshots/: a realistic data
# file in English, in Czech and in the dark scheme, on a virtual screen at 100 %.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target tavolin-screenshots >/dev/null
for shots in English:en_US.UTF-8 Czech:cs_CZ.UTF-8; do
  QT_SCALE_FACTOR=1 QT_STYLE_OVERRIDE=Fusion LC_ALL="${shots#*:}" xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/tests/mainwindow/tavolin-screenshots docs/screenshots "${shots%%:*}"
done
