#!/usr/bin/env bash
# The demo: one whole use of Korrelin, scripted, on a virtual display. Starts the
# stand-in chat client and korrelin.exe under Wine, clicks 开始, right-clicks a member
# in the channel, waits until the tool has clicked through the menu and the role is
# given, then prints a transcript of the clicks with their times and saves a
# screenshot (build/demo/).
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1
jobs=$(nproc 2>/dev/null || echo 2)
targets=(--target korrelin korrelin_standin korrelin_demo_driver)
preset=win32
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "$jobs" "${targets[@]}" || exit 1
if ! scripts/wine-run.sh --loader 32 >/dev/null; then
    echo "note: this machine cannot run 32-bit programs; the demo runs the 64-bit build of the same code"
    preset=win64
    cmake --preset win64 >/dev/null && cmake --build --preset win64 -j "$jobs" "${targets[@]}" || exit 1
fi
bin=build/$preset
out=$PWD/build/demo
mkdir -p "$out"
log=$out/standin-log.txt
rm -f "$log"

source scripts/wine-session.sh
trap wine_session_stop EXIT
KORRELIN_OWN_DISPLAY=1 wine_session_start "$PWD/build/wineprefix" 1920x1080 || exit 1

"$KORRELIN_WINE" "$bin/korrelin-standin.exe" --channel 77385929 --position 200,200 \
    --log "Z:${log//\//\\}" >/dev/null 2>&1 </dev/null &
"$KORRELIN_WINE" "$bin/korrelin.exe" >/dev/null 2>&1 </dev/null &
"$KORRELIN_WINE" "$bin/korrelin-demo-driver.exe" 2>/dev/null </dev/null | tr -d '\r' >"$out/driver.txt" || true
cat "$out/driver.txt"

deadline=$((SECONDS + 60))
until grep -q 'event=role-applied' "$log" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
        echo "the role was not given within a minute; the stand-in's log:" >&2
        cat "$log" >&2
        exit 1
    fi
    sleep 0.2
done
import -window root "$out/demo.png" 2>/dev/null

echo
echo "What reached the chat client (times in ms since the stand-in started; x, y in the window):"
awk '
    function hex(s,   i, v) { s = tolower(s); sub(/^0x/, "", s); v = 0
        for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
        return v }
    function field(name,   i, kv) { for (i = 1; i <= NF; i++) { split($i, kv, "="); if (kv[1] == name) return kv[2] } return "" }
    BEGIN { names["0x0200"] = "mouse move"; names["0x0201"] = "left button down"; names["0x0202"] = "left button up";
            names["0x0204"] = "right button down"; names["0x0205"] = "right button up"; names["0x007B"] = "context menu" }
    {
        t = field("t"); sub(/^t=/, "", t)
        if (field("event") != "") {
            e = field("event")
            if (e == "ready" || e == "mark") next
            printf "  %6s ms  %-8s %s", t, "", e
            if (field("member") != "") printf " member=%s", field("member")
            if (field("role") != "") printf " role=%s", field("role")
            printf "\n"
            next
        }
        msg = field("msg"); lp = hex(field("lparam"))
        x = lp % 65536; y = int(lp / 65536) % 65536
        name = (msg in names) ? names[msg] : msg
        printf "  %6s ms  %-8s %-18s at (%d, %d)\n", t, field("window"), name, x, y
    }' "$log"
echo
echo "Screenshot: $out/demo.png"
