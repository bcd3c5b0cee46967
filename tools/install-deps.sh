#!/usr/bin/env bash
# Installs Debian 12's packages for building the editor ("build") or for
# building and testing it ("test"). Runs without prompts; skips apt entirely
# when everything is present already.
set -euo pipefail

build_packages=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-base-dev-tools libgl-dev
    librtmidi-dev libasound2-dev libjack-jackd2-dev fonts-liberation2
    xvfb xauth x11-utils imagemagick)
test_packages=(googletest libgtest-dev jackd2 clang libclang-rt-14-dev libbenchmark-dev)

packages=("${build_packages[@]}")
if [ "${1:-build}" = test ]; then
    packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    # jackd2 asks whether to enable realtime scheduling; the tests run without it.
    echo "jackd2 jackd/tweak_rt_limits boolean false" | debconf-set-selections
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
