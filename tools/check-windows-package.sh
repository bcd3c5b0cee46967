#!/usr/bin/env bash
# Checks the Windows packages in BUILD_DIR (default build-windows) under Wine,
# in a Wine prefix of its own that is thrown away afterwards:
# - the installer, run silently (/S): the programs, the marker that makes the
#   installed copy keep its files in %APPDATA%\HBX740, the Start-menu entry
#   and the .cus association;
# - the installed editor, started on a virtual display as a user would,
#   which fails on any DLL or plugin missing from the package, and closed:
#   its files in %APPDATA%\HBX740 and none in Program Files;
# - the uninstaller, run silently: everything it installed gone, the user's
#   files kept;
# - the portable zip: the editor keeps its files beside itself.
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${BUILD_DIR:-$tools/../build-windows}
build=$(cd "$build" && pwd)

fail() {
    echo "check-windows-package: $*" >&2
    exit 1
}

setup=$(ls "$build"/hbx740-editor-*-win64-setup.exe)
zip=$(ls "$build"/hbx740-editor-*-win64.zip)

scratch=$(mktemp -d)
export HBX740_WINEPREFIX=$scratch/wine
# shellcheck source-path=SCRIPTDIR source=wine-env.sh
source "$tools/wine-env.sh"
cleanup() {
    wine_server_stop
    wine_display_stop
    rm -rf "$scratch"
}
trap cleanup EXIT
wine_display
wine_server

drive=$WINEPREFIX/drive_c
program_folder="$drive/Program Files/HBX740 MIDI Editor"
start_menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/HBX740 MIDI Editor"
user_files="$drive/users/$(id -un)/AppData/Roaming/HBX740"

# Waits up to $1 seconds for the test $2... to hold.
wait_for() {
    local seconds=$1
    shift
    local _
    for _ in $(seq $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Starts the editor at Windows path $1 on the display, waits for its window,
# then closes it as its close button would (WM_CLOSE) and waits for it to end.
run_editor() {
    wine "$1" </dev/null >"$scratch/editor.log" 2>&1 &
    local editor=$!
    wait_for 60 xdotool search --name "^HBX740 MIDI Editor" >/dev/null ||
        { cat "$scratch/editor.log" >&2; fail "the editor's window did not appear: $1"; }
    wine taskkill /im hbx740-editor.exe >/dev/null 2>&1
    wait_for 30 eval "! kill -0 $editor 2>/dev/null" || fail "the editor did not close: $1"
}

registry_value() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }

echo "Installer: $setup"
wine "$setup" /S </dev/null >/dev/null 2>&1
wait_for 60 test -e "$program_folder/hbx740-editor.exe" || fail "the silent install installed nothing"
# The installer goes on after the files: the marker and the Start menu last.
wait_for 30 test -e "$start_menu/Uninstall.lnk" || fail "no Start-menu folder: $start_menu"
for file in hbx740-editor.exe hbx740ctl.exe installed.txt platforms/qwindows.dll \
    translations/qtbase_de.qm; do
    [ -e "$program_folder/$file" ] || fail "the installer did not install $file"
done
[ -e "$start_menu/HBX740 MIDI Editor.lnk" ] || fail "no Start-menu entry for the editor"
[ "$(registry_value 'HKLM\Software\Classes\.cus')" = HBX740.Profile ] ||
    fail ".cus files are not the editor's"
command=$(registry_value 'HKLM\Software\Classes\HBX740.Profile\shell\open\command')
[[ "$command" == *'hbx740-editor.exe" "%1"' ]] || fail "a .cus file opens with: $command"
wine "C:\\Program Files\\HBX740 MIDI Editor\\hbx740ctl.exe" --version | tr -d '\r'

find "$program_folder" -type f | sort >"$scratch/installed"
run_editor "C:\\Program Files\\HBX740 MIDI Editor\\hbx740-editor.exe"
[ -s "$user_files/customer.cus" ] || fail "the installed editor kept no profile in $user_files"
find "$program_folder" -type f | sort | diff "$scratch/installed" - >&2 ||
    fail "the installed editor wrote into its program folder"
echo "Installed editor: started and closed; its files: $(ls "$user_files" | tr '\n' ' ')"

wine "C:\\Program Files\\HBX740 MIDI Editor\\Uninstall.exe" /S </dev/null >/dev/null 2>&1
# The uninstaller runs from a copy of itself and returns at once.
wait_for 60 test ! -e "$program_folder" || fail "the uninstaller left $(find "$program_folder" | head -5)"
wait_for 30 test ! -e "$start_menu" || fail "the uninstaller left the Start-menu folder"
[ -z "$(registry_value 'HKLM\Software\Classes\HBX740.Profile')" ] ||
    fail "the uninstaller left the .cus association"
[ -s "$user_files/customer.cus" ] || fail "the uninstaller removed the user's profile"
echo "Uninstalled: nothing left but the user's files"

portable="$drive/portable"
mkdir -p "$portable"
unzip -q "$zip" -d "$portable"
folder=$(basename "$zip" .zip)
run_editor "C:\\portable\\$folder\\hbx740-editor.exe"
[ -s "$portable/$folder/customer.cus" ] || fail "the portable editor kept no profile beside itself"
echo "Portable editor: keeps its files beside itself"
