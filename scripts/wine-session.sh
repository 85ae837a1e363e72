# Sourced by the run, test and demo scripts: a private Wine prefix and, where no
# display is given, a virtual X display, both ended by wine_session_stop.
#   wine_session_start PREFIX_DIR [WIDTHxHEIGHT] [fresh]
# exports WINEPREFIX, WINEDEBUG, DISPLAY and KORRELIN_WINE (the loader to use).

korrelin_scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
xvfb_pid=""

free_display_number() {
    local n
    for n in $(seq 91 150); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

start_xvfb() {
    local size=$1 n deadline
    n=$(free_display_number) || { echo "no free X display number" >&2; return 1; }
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    deadline=$((SECONDS + 30))
    until xdpyinfo >/dev/null 2>&1; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "Xvfb did not start on :$n" >&2
            return 1
        fi
        sleep 0.1
    done
}

wine_session_start() {
    local prefix=$1 size=${2:-1920x1080} fresh=${3:-}
    export WINEDEBUG=-all
    export WINEPREFIX=$prefix
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # 32-bit programs run with the 32-bit loader where the machine can; else the
    # 64-bit build of the same code is what runs under Wine.
    KORRELIN_WINE=$("$korrelin_scripts_dir/wine-run.sh" --loader 32 || "$korrelin_scripts_dir/wine-run.sh" --loader 64) || {
        echo "Wine is not installed" >&2
        return 1
    }
    export KORRELIN_WINE
    if [ -z "${DISPLAY:-}" ] || [ -n "${KORRELIN_OWN_DISPLAY:-}" ]; then
        start_xvfb "$size" || return 1
    fi
    if [ -n "$fresh" ]; then rm -rf "$prefix"; fi
    mkdir -p "$(dirname "$prefix")"
    if [ ! -f "$prefix/system.reg" ]; then
        echo "Creating the Wine prefix $prefix (10-20 s the first time)"
        "$(wine64_or_wine)" wineboot --init >/dev/null 2>&1 </dev/null
        "$(wine64_or_wine)" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
        # Wine draws the title bars and borders itself, as Windows does, also where
        # no window manager runs (a virtual X display has none).
        "$(wine64_or_wine)" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
        # Chinese captions: the GUI fonts fall back to the CJK font of the machine.
        local face
        for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
            "$(wine64_or_wine)" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null 2>&1 </dev/null
        done
    fi
    # The wineserver and Wine's helper processes are started here on purpose, with
    # their output away from any pipe that a caller reads.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    "$(wine64_or_wine)" wineboot >/dev/null 2>&1 </dev/null
}

wine64_or_wine() {
    "$korrelin_scripts_dir/wine-run.sh" --loader 64 || echo "$KORRELIN_WINE"
}

wine_session_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}
