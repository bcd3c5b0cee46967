#!/usr/bin/env bash
# Installs what the tests need, builds the editor with its tests and runs the
# whole suite. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh test

export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHBX740_BUILD_TESTS=ON
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --timeout 300
