#!/usr/bin/env bash
# The benchmark command: installs what is missing, builds korrelin.exe, the stand-in
# and the benchmark program for Windows, and runs the benchmark on a private Wine
# prefix and a virtual X display, both ended afterwards. It prints the figures beside
# their targets and writes them to build/bench/results.txt ("name value unit" a line).
# It is not a test: a missed target is reported, never an error.
#   scripts/bench.sh           the whole run, up to ten minutes
#   scripts/bench.sh --quick   fewer trials and shorter spans, about a minute
set -uo pipefail
cd "$(dirname "$0")/.."

bench_args=(--results build/bench/results.txt --product-exe build/win32/korrelin.exe)
case "${1:-}" in
    "") ;;
    --quick) bench_args+=(--quick) ;;
    *) echo "usage: scripts/bench.sh [--quick]" >&2; exit 2 ;;
esac

scripts/install-deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
build() {
    local preset=$1
    shift
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs" --target "$@"
}
# The product's size is a figure whichever build runs.
build win32 korrelin || exit 1
preset=win32
# Where this machine cannot run 32-bit programs, the 64-bit build of the same code runs.
if ! scripts/wine-run.sh --loader 32 >/dev/null; then
    echo "note: this machine cannot run 32-bit programs; the benchmark runs the 64-bit build"
    preset=win64
fi
build "$preset" korrelin_bench || exit 1

mkdir -p build/bench
source scripts/wine-session.sh
trap wine_session_stop EXIT
KORRELIN_OWN_DISPLAY=1 wine_session_start "$PWD/build/bench/wineprefix" 1920x1080 || exit 1
"$KORRELIN_WINE" "build/$preset/korrelin-bench.exe" "${bench_args[@]}"
