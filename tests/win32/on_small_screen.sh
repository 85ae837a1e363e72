#!/usr/bin/env bash
# Runs a Wine test program once more on a screen of 1024 x 768: a virtual X display of
# that size and a Wine prefix of its own (a prefix's desktop takes the size of the
# display it first meets), both ended afterwards.
#   on_small_screen.sh TEST.exe [gtest arguments...]
set -u
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
exe=$1
shift
# Skipped (77) where this machine cannot run programs of the test's bitness.
"$scripts/wine-run.sh" "$exe" --gtest_list_tests >/dev/null 2>&1
[ $? -eq 77 ] && exit 77
source "$scripts/wine-session.sh"
prefix="${WINEPREFIX:?run through scripts/test.sh}-1024x768"
trap 'wine_session_stop; rm -rf "$prefix"' EXIT
KORRELIN_OWN_DISPLAY=1 wine_session_start "$prefix" 1024x768 fresh >/dev/null || exit 1
KORRELIN_EXPECT_SCREEN=1024x768 "$scripts/wine-run.sh" "$exe" "$@"
