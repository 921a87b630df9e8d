#!/usr/bin/env bash
# Refreshes the README's screenshots (docs/screenshots/): builds the game,
# then photographs its windows under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
make build
xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/kashikoro-screenshots docs/screenshots
