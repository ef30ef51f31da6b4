#!/bin/bash
# Builds the project and runs every test; non-zero when one fails.
set -u
ORVANE_ROOT="$(cd "$(dirname "$0")" && pwd)"
. "$ORVANE_ROOT/tools/setup.sh"

orvane_install_packages || exit 1
build="$ORVANE_ROOT/build"
orvane_build "$build" || exit 1
orvane_start_sound || echo "test.sh: no sound server; sound tests will fail" >&2

export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
cd "$build" && ctest --output-on-failure -j2 --timeout 300
