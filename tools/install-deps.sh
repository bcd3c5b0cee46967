#!/usr/bin/env bash
# Installs the packages for building the editor ("build"), for building and
# testing it ("test"), or for showing it on a virtual display ("display"), on
# Debian 12 or Ubuntu 24.04. Runs without prompts and skips apt entirely when
# everything is present already; apt runs as root, through sudo for a user.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"
no_root() {
    echo "install-deps: installing packages needs root or sudo; as root, run:" >&2
    echo "  apt-get update && apt-get install ${missing[*]%%|*}" >&2
    exit 1
}

build_packages=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-base-dev-tools qt6-tools-dev
    qt6-l10n-tools libgl-dev
    libasound2-dev libjack-jackd2-dev libcli11-dev "fonts-liberation2|fonts-liberation")
display_packages=(xvfb xauth x11-utils imagemagick)
# RtMidi only for the benchmark that compares the JACK service with it; QEMU
# and the rest for the machine that runs the ALSA tests (tools/alsa-vm.sh);
# dpkg-dev and file for the package check; the validators of the desktop files;
# xdotool to type into the window on a real X display; Qt's own translations,
# for the translated window's dialog buttons.
test_packages=(googletest libgtest-dev jackd2 clang libbenchmark-dev librtmidi-dev
    qemu-system-x86 busybox-static kmod cpio xz-utils zstd alsa-utils dpkg-dev file xvfb xauth
    desktop-file-utils appstream libxml2-utils xdotool qt6-translations-l10n)

case "${1:-build}" in
build) wanted=("${build_packages[@]}") ;;
display) wanted=("${display_packages[@]}") ;;
test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
*)
    echo "usage: $0 build|test|display" >&2
    exit 2
    ;;
esac

install_missing "${wanted[@]}"
# The fuzzers need the sanitizer runtime of the clang the distribution has.
if [ "${1:-build}" = test ]; then
    clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)
    install_missing "libclang-rt-${clang_major}-dev"
fi
