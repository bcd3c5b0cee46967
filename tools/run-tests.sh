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

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHBX740_BUILD_TESTS=ON \
    -DHBX740_SANITIZE=address,undefined
cmake --build build-asan --parallel "$(nproc)"
ASAN_OPTIONS="detect_leaks=1" LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure --timeout 300

# The MIDI dispatch and device-link tests again under ThreadSanitizer: the
# service's threads meet the window's thread there. Any report fails the run.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHBX740_BUILD_TESTS=ON \
    -DHBX740_SANITIZE=thread
cmake --build build-tsan --parallel "$(nproc)" --target hbx_midi_tests hbx_device_window_tests
# Kernels with more address randomisation than the sanitizer's memory layout
# allows need it switched off for the run.
tsan_runner=()
if ! build-tsan/bin/hbx_midi_tests --gtest_list_tests >/dev/null 2>&1; then
    tsan_runner=(setarch "$(uname -m)" -R)
fi
# Debian's Qt is not built with the sanitizer: its own futex-based locks are
# invisible to it, so the accesses made inside Qt's libraries are not judged.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1" \
    "${tsan_runner[@]}" \
    ctest --test-dir build-tsan -L 'midi-dispatch|device-link' --output-on-failure --timeout 300
