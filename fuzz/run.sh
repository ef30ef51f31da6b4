#!/bin/bash
# fuzz/run.sh NAME SECONDS: builds the libFuzzer target fuzz_NAME with clang and runs it
# for SECONDS on a copy of its seed corpus. Crashing inputs land in build-fuzz/crashes/NAME.
set -u
ORVANE_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ORVANE_ROOT/tools/setup.sh"
ORVANE_EXTRA_PACKAGES="clang libclang-rt-14-dev"

name="${1:-}"
seconds="${2:-60}"
if [ -z "$name" ] || [ ! -f "$ORVANE_ROOT/fuzz/fuzz_$name.cpp" ]; then
    echo "usage: fuzz/run.sh NAME SECONDS, NAME one of:" \
        $(cd "$ORVANE_ROOT/fuzz" && ls fuzz_*.cpp | sed 's/fuzz_//; s/\.cpp//') >&2
    exit 2
fi
orvane_install_packages || exit 1

build="$ORVANE_ROOT/build-fuzz"
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$ORVANE_ROOT" -B "$build" -DORVANE_FUZZ=ON -DORVANE_TESTS=OFF \
    >"$build.configure.log" 2>&1 || { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" --target "fuzz_$name" -j"$(nproc)" >"$build.build.log" 2>&1 \
    || { grep -E "error" "$build.build.log" | head -20 >&2; echo "fuzz build failed" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build/crashes/$name"
cp -r "$ORVANE_ROOT/fuzz/corpus/$name/." "$work/corpus/" 2>/dev/null || true
dict=()
[ -f "$ORVANE_ROOT/fuzz/$name.dict" ] && dict=(-dict="$ORVANE_ROOT/fuzz/$name.dict")
export ORVANE_CONFIG_DIR="$work/config" ORVANE_CACHE_DIR="$work/cache" ORVANE_STORAGE_DIR="$work/storage"
# Script strings are referenced from the engine's own mmap'd heap, which the leak
# checker does not scan: per-input leak checks would flag them. Leaks are checked by
# ./test.sh --sanitize, where every engine is torn down.
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS="detect_leaks=0"
"$build/fuzz/fuzz_$name" "${dict[@]}" -max_total_time="$seconds" -seed="${FUZZ_SEED:-0}" -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$name/" -timeout=10 -rss_limit_mb=2048 "$work/corpus"
