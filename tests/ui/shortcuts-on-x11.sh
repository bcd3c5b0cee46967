#!/usr/bin/env bash
# The window's shortcuts typed into its text fields on a real X display, with
# the key bindings X11 gives a text field (which the offscreen platform of the
# other window tests lacks): Ctrl+E in the name or VALUE field opens EXPORT's
# file dialog, as it does everywhere else in the window; Ctrl+Z, Ctrl+Shift+Z
# and Ctrl+Y undo and redo a finished entry, and in a field with typing of its
# own Ctrl+Z undoes that typing first.
#
#   shortcuts-on-x11.sh EDITOR
set -euo pipefail
editor=${1:?the editor program}
scratch=$(mktemp -d)
cleanup() {
    kill "${editor_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display itself and says which once it takes clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$scratch/display")"
# A copy of its own, so that its profile is made beside it, in the scratch
# folder; in English, whose dialog title the test looks for.
mkdir "$scratch/program"
cp "$editor" "$scratch/program/"
profile=$scratch/program/customer.cus
HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
    LANGUAGE= LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
    "$scratch/program/$(basename "$editor")" >"$scratch/editor.log" 2>&1 &
editor_pid=$!

window=
for _ in $(seq 100); do
    window=$(xdotool search --name "^HBX740 MIDI Editor V" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { cat "$scratch/editor.log"; echo "the window never showed" >&2; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || true
sleep 0.5

dialog_shown() {
    for _ in $(seq 30); do
        xdotool search --name "^${1:-Save file}$" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# The centres of the name and VALUE fields in the window's own coordinates.
failed=0
for field in "name 944 392" "VALUE 853 510"; do
    read -r name x y <<<"$field"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.2
    xdotool type --delay 20 "12"
    xdotool key ctrl+e
    if dialog_shown; then
        echo "Ctrl+E in the $name field opens EXPORT's dialog"
        xdotool key Escape
        sleep 0.3
    else
        echo "Ctrl+E in the $name field did not open EXPORT's dialog" >&2
        failed=1
    fi
done
# The Encoder's name as SAVE (Ctrl+S) writes it: a length byte, then the name.
# Without a window manager the window is active again, and the name field
# has the focus, once it is clicked.
saved_name() {
    xdotool key ctrl+s
    dialog_shown HBX740 || { echo "SAVE showed no notice" >&2; return 1; }
    xdotool key Return
    sleep 0.3
    xdotool mousemove --window "$window" 944 392 click 1
    sleep 0.2
    dd if="$profile" bs=1 skip=1 count="$(od -An -tu1 -N1 "$profile")" 2>/dev/null
}
expect_name() {
    local name
    name=$(saved_name)
    if [ "$name" = "$2" ]; then
        echo "$1: the name saved is $2"
    else
        echo "$1: the name saved is '$name', not $2" >&2
        failed=1
    fi
}
xdotool mousemove --window "$window" 944 392 click 1
sleep 0.2
xdotool key ctrl+a
xdotool type --delay 20 "Lead"
xdotool key Return
expect_name "a name finished with Enter" Lead
xdotool key ctrl+z
expect_name "Ctrl+Z in the name field" 12
xdotool key ctrl+shift+z
expect_name "Ctrl+Shift+Z" Lead
xdotool key ctrl+z ctrl+y
expect_name "Ctrl+Z, Ctrl+Y" Lead
xdotool type --delay 20 "Pad"
xdotool key ctrl+z Return
expect_name "Ctrl+Z over typing of the field's own" Lead
exit "$failed"
