#!/bin/bash
# Builds the project and runs every test; non-zero when one fails.
set -u
ORVANE_ROOT="$(cd "$(dirname "$0")" && pwd)"
. "$ORVANE_ROOT/tools/setup.sh"

sanitize=0
for arg in "$@"; do
    case "$arg" in
        --sanitize) sanitize=1 ;;
        *) echo "test.sh: unknown option: $arg (only --sanitize)" >&2; exit 2 ;;
    esac
done

orvane_install_packages || exit 1
if [ "$sanitize" = 1 ]; then
    # AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer over the whole suite.
    build="$ORVANE_ROOT/build-sanitize"
    orvane_build "$build" -DORVANE_SANITIZE=ON || exit 1
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$ORVANE_ROOT/tools/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0"
    # The JIT's generated frames confuse stack unwinding; interpret instead.
    export QV4_FORCE_INTERPRETER=1
else
    build="$ORVANE_ROOT/build"
    orvane_build "$build" || exit 1
fi
orvane_start_sound || echo "test.sh: no sound server; sound tests will fail" >&2

export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
cd "$build" && ctest --output-on-failure -j2 --timeout 300
