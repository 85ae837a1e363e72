#!/usr/bin/env bash
# The test command: installs what is missing, builds the portable code natively and
# korrelin.exe for Windows, then runs the host tests and the Wine tests (on a
# private Wine prefix and a virtual X display, both ended afterwards).
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
build() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}
build host || exit 1
build win32 || exit 1
# Where this machine cannot run 32-bit programs, the Wine tests run the 64-bit
# build of the same code.
presets=(host win32)
if ! scripts/wine-run.sh --loader 32 >/dev/null; then
    echo "note: this machine cannot run 32-bit programs; the Wine tests run the 64-bit build"
    build win64 || exit 1
    presets+=(win64)
fi

# The fuzz targets need no Wine: built with clang, each tries a fixed number of inputs.
build fuzz || exit 1
status=0
echo "=== ctest: fuzz"
ctest --preset fuzz || status=1

source scripts/wine-session.sh
trap wine_session_stop EXIT
KORRELIN_OWN_DISPLAY=1 wine_session_start "$PWD/build/wineprefix" 1920x1080 fresh || exit 1

for preset in "${presets[@]}"; do
    echo "=== ctest: $preset"
    ctest --preset "$preset" || status=1
done
exit $status
