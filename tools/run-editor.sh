#!/usr/bin/env bash
# Installs the build dependencies, builds the editor and starts it. Without a
# display it runs the editor on a virtual X display, saves a screenshot of the
# window, prints the screenshot's path and closes the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh build

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHBX740_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build --parallel "$(nproc)" --target HBX740_MIDI_Editor
editor="$PWD/build/bin/hbx740-editor"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$editor"
fi

bash tools/install-deps.sh display
screenshot="${TMPDIR:-/tmp}/hbx740-window.png"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp &
xvfb=$!
trap 'kill "$editor_pid" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY="$display" "$editor" &
editor_pid=$!
sleep 3
DISPLAY="$display" import -window root "$screenshot"
echo "No display found: the editor ran on the virtual display $display."
echo "Screenshot of its window: $screenshot"
