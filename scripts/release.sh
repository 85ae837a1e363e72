#!/usr/bin/env bash
# The release command: installs what is missing, builds korrelin.exe and the
# practice client for 32-bit Windows and packs them with the user guide and the
# licence into build/win32/korrelin-<version>-win32.zip, with the zip's SHA-256
# in korrelin-<version>-win32.zip.sha256 beside it (cmake/packaging.cmake says
# what goes in). `scripts/release.sh win64` makes the same package of the 64-bit
# build, in build/win64.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=${1:-win32}
case $preset in
    win32 | win64) ;;
    *)
        echo "usage: scripts/release.sh [win32|win64]" >&2
        exit 2
        ;;
esac

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset "$preset" >/dev/null
# Only what the package holds; building and running the tests is scripts/test.sh's job.
cmake --build --preset "$preset" -j "$jobs" --target korrelin korrelin_standin

build=build/$preset
package=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
rm -f "$build/$package.zip" "$build/$package.zip.sha256"
(cd "$build" && cpack >/dev/null) || {
    echo "cpack could not make the package" >&2
    exit 1
}
echo "Release package: $PWD/$build/$package.zip"
echo "Its SHA-256:     $PWD/$build/$package.zip.sha256"
unzip -Z1 "$build/$package.zip" | sed 's/^/    /'
