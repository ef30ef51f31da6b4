#!/bin/bash
# Measures what a desktop user feels, each figure against its floor, and writes
# docs/performance.md with its charts. Takes several minutes; not part of the tests.
# Options are passed on to bench/figures.py (--help lists them).
set -u
ORVANE_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ORVANE_ROOT/tools/setup.sh"

# The charts, the monitor recording of the click figure, the driver.
ORVANE_EXTRA_PACKAGES="gnuplot-nox libpulse-dev python3"
orvane_install_packages || exit 1
orvane_build "$ORVANE_ROOT/build" || exit 1
cmake --build "$ORVANE_ROOT/build" --target figures -j"$(nproc)" >"$ORVANE_ROOT/build.figures.log" 2>&1 \
    || { grep -E "error|Error" "$ORVANE_ROOT/build.figures.log" | head -20 >&2; exit 1; }
[ -x "$ORVANE_ROOT/build/bench/orvane-bench-clicksound" ] \
    || { echo "bench/run.sh: no click-to-sound program (libpulse-simple headers?)" >&2; exit 1; }

# A sound server of its own, with a null sink: the sounds played here neither disturb
# nor wait for anyone else's.
runtime="$(mktemp -d)"
PULSE_RUNTIME_PATH="$runtime" pulseaudio -n --daemonize=no --use-pid-file=no \
    --exit-idle-time=-1 --load=module-null-sink \
    --load="module-native-protocol-unix socket=$runtime/native" >"$runtime/log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$runtime"' EXIT
export PULSE_SERVER="unix:$runtime/native"
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || { echo "bench/run.sh: no sound server" >&2; cat "$runtime/log" >&2; exit 1; }

python3 "$ORVANE_ROOT/bench/figures.py" "$@"
