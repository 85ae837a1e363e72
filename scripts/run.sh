#!/usr/bin/env bash
# The run command: installs what is missing, builds korrelin.exe and starts it under
# Wine, with the stand-in chat client beside it to practise on. Without a display it
# starts a virtual one, saves a screenshot of the desktop and says where.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1
jobs=$(nproc 2>/dev/null || echo 2)
preset=win32
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "$jobs" --target korrelin korrelin_standin || exit 1
if ! scripts/wine-run.sh --loader 32 >/dev/null; then
    echo "note: this machine cannot run 32-bit programs; running the 64-bit build of the same code"
    preset=win64
    cmake --preset win64 >/dev/null && cmake --build --preset win64 -j "$jobs" --target korrelin korrelin_standin || exit 1
fi
bin=build/$preset

source scripts/wine-session.sh
headless=""
[ -z "${DISPLAY:-}" ] && headless=1
trap wine_session_stop EXIT
wine_session_start "$PWD/build/wineprefix" 1920x1080 || exit 1

standin_pid=""
if [ -f "$bin/korrelin-standin.exe" ]; then
    "$KORRELIN_WINE" "$bin/korrelin-standin.exe" --channel 77385929 --position 120,120 \
        >/dev/null 2>&1 </dev/null &
    standin_pid=$!
fi
"$KORRELIN_WINE" "$bin/korrelin.exe" >/dev/null 2>&1 </dev/null &
panel_pid=$!

if [ -z "$headless" ]; then
    echo "Korrelin is running on $DISPLAY; close the panel to end."
    wait "$panel_pid"
    exit 0
fi

# No display of the user's: wait for the panel to be drawn, then take a picture.
deadline=$((SECONDS + 60))
until xwininfo -root -tree 2>/dev/null | grep -q '"Korrelin"'; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$panel_pid" 2>/dev/null; then
        echo "the panel did not appear" >&2
        exit 1
    fi
    sleep 0.2
done
# Let both programs finish painting: wait until two pictures in a row agree.
mkdir -p build/screenshots
shot=build/screenshots/panel.png
previous=""
for _ in $(seq 1 50); do
    import -window root "$shot.tmp.png" 2>/dev/null || true
    current=$(md5sum <"$shot.tmp.png" 2>/dev/null)
    [ -n "$previous" ] && [ "$current" = "$previous" ] && break
    previous=$current
    sleep 0.2
done
mv "$shot.tmp.png" "$shot"
echo "No display here: Korrelin ran on a virtual one. Screenshot: $PWD/$shot"
