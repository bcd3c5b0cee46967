#!/usr/bin/env bash
# The Windows editor and hbx740ctl under Wine against the Linux simulator, on
# the sequencer of the machine that tools/alsa-vm.sh boots (Wine's WinMM
# reaches it there). The simulator's ports have the keyboard's name, as a
# real keyboard's have on Windows.
# Usage: wine-end-to-end.sh WINDOWS_BIN LINUX_BIN
#   WINDOWS_BIN  the Windows build's programs (hbx740ctl.exe and the test)
#   LINUX_BIN    a Linux build's programs (hbx740-sim and hbx740ctl)
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
windows_bin=${1:?the Windows programs\' folder}
linux_bin=${2:?the Linux programs\' folder}

fail() {
    echo "wine-end-to-end: $*" >&2
    exit 1
}
for program in "$linux_bin/hbx740-sim" "$linux_bin/hbx740ctl"; do
    [ -x "$program" ] || fail "$program is missing: build the Linux programs first"
done

scratch=$(mktemp -d)
# shellcheck source-path=SCRIPTDIR source=wine-env.sh
source "$tools/wine-env.sh"
simulator=""
cleanup() {
    [ -z "$simulator" ] || kill "$simulator" 2>/dev/null || true
    wine_server_stop
    wine_display_stop
    rm -rf "$scratch"
}
trap cleanup EXIT
wine_display
wine_server

"$linux_bin/hbx740-sim" --backend alsa --port-name HBX740 --send-note >"$scratch/sim.log" 2>&1 &
simulator=$!
for _ in $(seq 100); do
    grep -q '^ready' "$scratch/sim.log" && break
    sleep 0.1
done
grep -q '^ready' "$scratch/sim.log" || fail "the simulator did not start: $(cat "$scratch/sim.log")"

HBX_SIM_LOG="Z:$scratch/sim.log" wine_gtest "$windows_bin/hbx_wine_end_to_end_tests.exe" ||
    fail "the editor's test failed; the simulator said: $(tail -n 20 "$scratch/sim.log")"

# Both systems' hbx740ctl read the same profile from the keyboard. Wine 8.0
# crashes a program that used WinMM as it exits, so the Windows one's status
# says nothing: the file does.
wine "$windows_bin/hbx740ctl.exe" --port HBX740 read -o "Z:$scratch/windows.cus" </dev/null ||
    echo "wine-end-to-end: hbx740ctl.exe ended with status $? (Wine's WinMM at exit)" >&2
"$linux_bin/hbx740ctl" --port HBX740 read -o "$scratch/linux.cus"
[ -s "$scratch/windows.cus" ] || fail "hbx740ctl.exe wrote no profile"
cmp "$scratch/windows.cus" "$scratch/linux.cus" ||
    fail "hbx740ctl.exe and hbx740ctl read different profiles"
echo "wine-end-to-end: hbx740ctl.exe and hbx740ctl read the same $(stat -c %s "$scratch/linux.cus") bytes"
