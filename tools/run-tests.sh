#!/usr/bin/env bash
# Installs what the tests need, builds the editor with its tests and runs the
# whole suite. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh test

export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHBX740_BUILD_TESTS=ON \
    -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --timeout 300

# The Debian package of that build: installed, run as an unprivileged user,
# purged.
bash tools/check-package.sh

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHBX740_BUILD_TESTS=ON \
    -DHBX740_SANITIZE=address,undefined
cmake --build build-asan --parallel "$(nproc)"
ASAN_OPTIONS="detect_leaks=1" LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure --timeout 300

# The MIDI dispatch (with the input relay) and device-link tests again under
# ThreadSanitizer: the service's threads meet the window's thread there. Any
# report fails the run.
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

# A short run of each fuzz target (libFuzzer, with AddressSanitizer and
# UndefinedBehaviorSanitizer), from a copy of its committed seed corpus.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DHBX740_BUILD_TESTS=OFF -DHBX740_FUZZ=ON
fuzzers=(fuzz_hex_text:hex_text fuzz_sysex_receive:sysex fuzz_profile:profile fuzz_settings:settings)
cmake --build build-fuzz --parallel "$(nproc)" --target "${fuzzers[@]%%:*}"
for fuzzer in "${fuzzers[@]}"; do
    corpus="build-fuzz/corpus/${fuzzer##*:}"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp tests/fuzz/corpus/"${fuzzer##*:}"/* "$corpus"/
    if ! LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp" "build-fuzz/bin/${fuzzer%%:*}" \
        -max_total_time=30 -print_final_stats=1 "$corpus" >"$corpus.log" 2>&1; then
        cat "$corpus.log"
        exit 1
    fi
    echo "${fuzzer%%:*}: $(grep -E '^stat::number_of_executed_units' "$corpus.log")"
done

# The same source for Windows: cross-built, its suites under Wine (the WinMM
# ones inside the ALSA machine, against the simulator and hbx740ctl of the
# build above), and its installer and zip checked under Wine.
bash tools/build-windows.sh
