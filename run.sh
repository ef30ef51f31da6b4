#!/bin/bash
# Builds the project and shows the example desktop: offscreen into out/desktop.png,
# or in a real window with --window.
set -u
ORVANE_ROOT="$(cd "$(dirname "$0")" && pwd)"
. "$ORVANE_ROOT/tools/setup.sh"

window=0
for arg in "$@"; do
    case "$arg" in
        --window) window=1 ;;
        *) echo "run.sh: unknown option: $arg (only --window)" >&2; exit 2 ;;
    esac
done

orvane_install_packages || exit 1
# Only what the desktop needs: the module, the host and its sounds (./test.sh builds the rest).
ORVANE_BUILD_TARGETS="coreplugin orvane-host orvane_sounds" orvane_build "$ORVANE_ROOT/build" || exit 1

out="$ORVANE_ROOT/out"
mkdir -p "$out/config" "$out/cache" "$out/storage" || { echo "run.sh: cannot create $out" >&2; exit 1; }
export ORVANE_CONFIG_DIR="$out/config" ORVANE_CACHE_DIR="$out/cache" ORVANE_STORAGE_DIR="$out/storage"
export ORVANE_SOUNDS_DIR="${ORVANE_SOUNDS_DIR:-$ORVANE_ROOT/build/share/orvane/sounds}"
export ORVANE_EXAMPLES_DIR="$ORVANE_ROOT/examples"
orvane_start_sound || { echo "run.sh: no sound server: PulseAudio could not be started" >&2; exit 1; }

host="$ORVANE_ROOT/build/bin/orvane-host"
desktop="$ORVANE_ROOT/examples/desktop/main.qml"
echo "showing $desktop"
if [ "$window" = 1 ]; then
    exec "$host" --window "$desktop"
fi
# The confirming entry is triggered so that the picture shows its message box too.
timeout 120 "$host" --size 1280x800 --screenshot "$out/desktop.png" --after 2500 \
    --trigger "Say goodbye (asks first)" "$desktop"
status=$?
if [ $status -ne 0 ]; then
    echo "run.sh: the example desktop failed (exit $status)" >&2
    exit 1
fi
echo "screenshot: $out/desktop.png"
echo "settings and menus: $out/config"
