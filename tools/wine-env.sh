# shellcheck shell=bash
# Sourced by the scripts that run the Windows build under Wine. Gives them a
# Wine prefix of their own outside the source tree, made once, and a Wine
# server that stays up between the programs of a run.
#
# Wine hands no QT_* variable of the host to a Windows program (a Windows Qt
# would follow the host's Qt settings otherwise): give the program
# "-platform offscreen", or set the WINE-prefixed form (WINEQT_QPA_PLATFORM),
# which it receives as QT_QPA_PLATFORM. Never start a Qt program on the
# windows platform without a display: it spins a core and grows without end.
# Use the offscreen platform or wine_display.

wine_env_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Never a WINEPREFIX of the user's: wine_prefix removes one it did not finish.
export WINEPREFIX=${HBX740_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/hbx740/wine}
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: their installers would ask at the first start.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The offscreen platform reads font files from one folder, Qt's own lib\fonts
# by default, which a Windows Qt does not have: without this it draws boxes.
export WINEQT_QPA_FONTDIR='C:\windows\Fonts'

# Makes the prefix once, and gives it Wine's Tahoma (fonts-wine): the face of
# Windows' dialog font, "MS Shell Dlg", which Qt's windows platform uses by
# default; Wine finds it only in windows\Fonts, and without it Qt falls back
# to a serif face. Arial, the window's face, which every Windows has, is
# Liberation Sans (fonts-liberation2) here, as fontconfig makes it on Linux.
wine_prefix() {
    local ready="$WINEPREFIX/.hbx740-ready-2"
    if [ ! -e "$ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "${WINEPREFIX%/*}"
        wineboot -i </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f \
            </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$ready"
    fi
    local font
    for font in /usr/share/wine/fonts/tahoma*.ttf; do
        ln -sfn "$font" "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}"
    done
}

# Starts a Wine server that stays up (making the prefix first where needed),
# with Wine's services and desktop, and keeps the desktop up until
# wine_server_stop (tools/wine-keep-desktop.c says why). Otherwise every
# program pays seconds for starting them, and those a test program started
# keep its output open, so that whoever reads it (ctest, its test discovery)
# waits. Start wine_display first where programs use the windows platform:
# the desktop takes the display it starts on.
wine_server() {
    wine_prefix
    local keeper="$WINEPREFIX/drive_c/hbx740/wine-keep-desktop.exe"
    local source="$wine_env_tools/wine-keep-desktop.c"
    if [ ! -e "$keeper" ] || [ "$source" -nt "$keeper" ]; then
        mkdir -p "${keeper%/*}"
        x86_64-w64-mingw32-gcc-posix -municode -mwindows -O2 -s -o "$keeper" "$source"
    fi
    wineserver -p </dev/null >/dev/null 2>&1
    local ready
    ready=$(mktemp -u)
    wine "$keeper" "Z:$ready" </dev/null >/dev/null 2>&1 &
    wine_keeper=$!
    local _
    for _ in $(seq 300); do
        [ -e "$ready" ] && break
        sleep 0.05
    done
    [ -e "$ready" ] || { echo "wine-env: Wine's desktop did not start" >&2; return 1; }
    rm -f "$ready"
}

wine_server_stop() {
    [ -z "${wine_keeper:-}" ] || kill "$wine_keeper" 2>/dev/null || true
    wine_keeper=
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# Starts Xvfb on a free display and sets DISPLAY to it; wine_display_stop
# ends it.
wine_display() {
    local number
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" 2>/dev/null &
    wine_xvfb=$!
    # Xvfb writes the display's number once it takes connections.
    local _
    for _ in $(seq 100); do
        [ -s "$number" ] && break
        sleep 0.05
    done
    [ -s "$number" ] || { rm -f "$number"; echo "wine-env: Xvfb did not start" >&2; return 1; }
    DISPLAY=":$(head -n1 "$number")"
    export DISPLAY
    rm -f "$number"
}

wine_display_stop() {
    [ -z "${wine_xvfb:-}" ] || kill "$wine_xvfb" 2>/dev/null || true
    wine_xvfb=
}

# Runs a GoogleTest program under Wine and returns by its results. Wine 8.0
# crashes a process that used WinMM as it ends (in its ALSA driver's
# thread), after its results are out: a crash then counts only when they do
# not say that every test passed.
wine_gtest() {
    local results status=0
    results=$(mktemp --suffix=.xml)
    wine "$@" "--gtest_output=xml:Z:$results" </dev/null || status=$?
    if [ "$status" -ne 0 ] &&
        grep -Eq '<testsuites tests="[1-9][0-9]*" failures="0" disabled="[0-9]+" errors="0"' \
            "$results"; then
        echo "wine-env: ${1##*/} ended with status $status after all its tests passed" >&2
        status=0
    fi
    rm -f "$results"
    return "$status"
}

# Lets Windows programs find DLLs in the given host folders (Qt's, say).
wine_dll_path() {
    local folder path=""
    for folder in "$@"; do
        path+="${path:+;}Z:$folder"
    done
    export WINEPATH=$path
}
