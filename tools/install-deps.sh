#!/usr/bin/env bash
# Installs the packages for building the editor ("build"), for building and
# testing it ("test"), or for showing it on a virtual display ("display"), on
# Debian 12 or Ubuntu 24.04. Runs without prompts and skips apt entirely when
# everything is present already; apt runs as root, through sudo for a user.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"
no_root() {
    echo "install-deps: installing packages needs root or sudo; as root, run:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
}

# A word "a|b" takes the first of the packages the distribution has.
choose() {
    local choice
    for choice in ${1//|/ }; do
        if apt-cache show "$choice" >/dev/null 2>&1; then
            echo "$choice"
            return
        fi
    done
    echo "${1%%|*}"
}

build_packages=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-base-dev-tools qt6-tools-dev
    qt6-l10n-tools libgl-dev
    libasound2-dev libjack-jackd2-dev libcli11-dev "fonts-liberation2|fonts-liberation")
display_packages=(xvfb xauth x11-utils imagemagick)
# RtMidi only for the benchmark that compares the JACK service with it; QEMU
# and the rest for the machine that runs the ALSA tests (tools/alsa-vm.sh);
# dpkg-dev and file for the package check; the validators of the desktop files.
test_packages=(googletest libgtest-dev jackd2 clang libbenchmark-dev librtmidi-dev
    qemu-system-x86 busybox-static kmod cpio xz-utils alsa-utils dpkg-dev file xvfb xauth
    desktop-file-utils appstream libxml2-utils)

case "${1:-build}" in
build) wanted=("${build_packages[@]}") ;;
display) wanted=("${display_packages[@]}") ;;
test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
*)
    echo "usage: $0 build|test|display" >&2
    exit 2
    ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

install_missing() {
    missing=()
    local p
    for p in "$@"; do
        installed "${p%%|*}" || { [[ "$p" == *"|"* ]] && installed "${p##*|}"; } || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -q
    local i
    for i in "${!missing[@]}"; do
        missing[i]=$(choose "${missing[i]}")
    done
    # jackd2 asks whether to enable realtime scheduling; the tests run without it.
    echo "jackd2 jackd/tweak_rt_limits boolean false" | as_root debconf-set-selections
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}

install_missing "${wanted[@]}"
# The fuzzers need the sanitizer runtime of the clang the distribution has.
if [ "${1:-build}" = test ]; then
    clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)
    install_missing "libclang-rt-${clang_major}-dev"
fi
