#!/bin/sh
# Runs a cross-built Windows program under Wine with the loader that fits its
# bitness. Used as CMake's cross-compiling emulator, so ctest runs the Wine tests.
#   wine-run.sh PROGRAM.exe [ARGS...]   run it; exit 77 (skipped) when this machine
#                                       cannot run programs of its bitness
#   wine-run.sh --loader 32|64          print the loader for that bitness, or fail
set -u

loader_for() {
    if [ "$1" = 64 ]; then
        for candidate in wine64 /usr/lib/wine/wine64 /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64; do
            if command -v "$candidate" >/dev/null 2>&1; then echo "$candidate"; return 0; fi
        done
        # A Wine built for the new WoW64 mode has one loader for both.
        command -v wine >/dev/null 2>&1 && { echo wine; return 0; }
        return 1
    fi
    for candidate in /usr/lib/wine/wine /usr/lib32/wine/wine wine; do
        if command -v "$candidate" >/dev/null 2>&1; then
            # The kernel of some machines cannot execute 32-bit code at all.
            if "$candidate" --version >/dev/null 2>&1; then echo "$candidate"; return 0; fi
        fi
    done
    return 1
}

if [ "${1:-}" = --loader ]; then
    loader_for "$2"
    exit $?
fi

exe=$1
shift
# The machine field of the PE header: 014c for i386, 8664 for x86-64.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j $((pe_offset + 4)) -N2 "$exe" | tr -d ' ')
case $machine in
    014c) bits=32 ;;
    8664) bits=64 ;;
    *) echo "wine-run.sh: $exe is not a Windows program for x86" >&2; exit 2 ;;
esac
if ! loader=$(loader_for $bits); then
    echo "wine-run.sh: this machine cannot run $bits-bit Windows programs under Wine; skipped" >&2
    exit 77
fi
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run.sh: WINEPREFIX and DISPLAY are not set; run the tests through scripts/test.sh" >&2
    exit 2
fi
exec "$loader" "$exe" "$@"
