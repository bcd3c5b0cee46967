#!/usr/bin/env bash
# Builds the editor for 64-bit Windows on Debian 12 with nothing but Debian's
# packages: the MinGW-w64 cross compiler, Wine to run what it builds, NSIS for
# the installer, and Qt and GoogleTest cross-built from Debian's own sources
# once, into a cache outside the source tree that later runs reuse.
set -euo pipefail

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=as-root.sh
source "$tools/as-root.sh"
no_root() {
    echo "build-windows: this step needs root or sudo: $*" >&2
    [ ${#missing[@]} -eq 0 ] || echo "  as root: apt-get update && apt-get install ${missing[*]%%|*}" >&2
    exit 1
}

cache=${XDG_CACHE_HOME:-$HOME/.cache}/hbx740
toolchain_file=$tools/mingw-w64.cmake
# The builds share the machine's cores with whatever else runs there.
nice=(nice -n 19)

say() { echo "build-windows: $*" >&2; }
fail_with() {
    tail -n 40 "$1" >&2
    say "failed; the whole log: $1"
    exit 1
}

install_packages() {
    # googletest is Debian's GoogleTest sources, built for MinGW below; the
    # host's Qt provides moc, rcc and uic for the cross-built Qt; perl runs
    # Qt's header generator; dpkg-dev and xz-utils unpack Debian's source;
    # Xvfb is the display of Windows programs under Wine (tools/wine-env.sh);
    # the packages ship Qt's translations from qt6-translations-l10n; xdotool
    # and unzip serve the package check.
    install_missing g++-mingw-w64-x86-64-posix wine "wine64|wine" fonts-wine nsis \
        cmake ninja-build qt6-base-dev qt6-base-dev-tools perl dpkg-dev xz-utils googletest \
        zstd xvfb fonts-liberation2 qt6-translations-l10n xdotool unzip
}

# Prints the entries of type $2 (deb or deb-src) for this machine's own
# distribution suites ($1: the codename, codename-updates, -security and so
# on) as deb-src entries, deb822 stanzas from the .sources files and one-line
# entries from the .list files, keeping their options: apt wants the same
# Signed-By for a suite's binary and source indexes.
own_entries_as_deb_src() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v codename="$1" -v type="$2" '
            BEGIN { RS = ""; FS = "\n" }
            {
                typed = 0; own = 0; enabled = 1
                for (i = 1; i <= NF; i++) {
                    if ($i ~ /^Types:/ && index($i " ", " " type " ")) typed = 1
                    if ($i ~ /^Enabled:[ \t]*no/) enabled = 0
                    if ($i ~ /^Suites:/) {
                        n = split(substr($i, 8), suites, /[ \t]+/)
                        for (s = 1; s <= n; s++)
                            if (suites[s] == codename || index(suites[s], codename "-") == 1) own = 1
                    }
                }
                if (!typed || !own || !enabled) next
                print "Types: deb-src"
                for (i = 1; i <= NF; i++)
                    if ($i !~ /^Types:/ && $i !~ /^#/) print $i
                print ""
            }' "$file"
    done >"$3.sources"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        # type [options] URI suite components...
        awk -v codename="$1" -v type="$2" '
            $1 == type {
                suite = $3
                if ($2 ~ /^\[/) for (i = 2; i <= NF; i++) if ($i ~ /\]$/) { suite = $(i + 2); break }
                if (suite == codename || index(suite, codename "-") == 1) { $1 = "deb-src"; print }
            }' "$file"
    done >"$3.list"
}

# apt-get source needs the distribution's source indexes, which a fresh
# machine does not list: adds them once, in files of their own.
ensure_deb_src() {
    local codename scratch
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    scratch=$(mktemp -d)
    own_entries_as_deb_src "$codename" deb-src "$scratch/present"
    if [ -s "$scratch/present.sources" ] || [ -s "$scratch/present.list" ]; then
        rm -rf "$scratch"
        return
    fi
    own_entries_as_deb_src "$codename" deb "$scratch/hbx740-deb-src"
    local entries
    for entries in "$scratch"/hbx740-deb-src.*; do
        if [ -s "$entries" ]; then
            say "adding the source indexes of $codename as /etc/apt/sources.list.d/${entries##*/}:"
            cat "$entries" >&2
            as_root install -m 644 "$entries" /etc/apt/sources.list.d/
        else
            rm "$entries"
        fi
    done
    if ! compgen -G "$scratch/hbx740-deb-src.*" >/dev/null; then
        say "apt lists no suite of $codename to add the source indexes for"
        exit 1
    fi
    rm -rf "$scratch"
    as_root apt-get update -q
}

# What the cross-built libraries depend on besides their options: the
# compiler, the MinGW-w64 headers and runtime, and the toolchain file.
toolchain_id() {
    dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    cat "$toolchain_file"
}

# Names a cache entry by what went into it, so that a changed option or
# toolchain builds a new one instead of reusing a stale one.
cache_key() { { printf '%s\n' "$@"; toolchain_id; } | sha256sum | cut -c1-12; }

# Unpacks Debian's source of package $1 in version $2 into $3, once.
debian_source() {
    local package=$1 version=$2 target=$3
    [ -d "$target" ] && return
    ensure_deb_src
    local download="$target.download"
    rm -rf "$download"
    mkdir -p "$download"
    (cd "$download" && apt-get source -q --only-source "$package=$version")
    mv "$(find "$download" -mindepth 1 -maxdepth 1 -type d)" "$target"
    rm -rf "$download"
}

# Installs the build in $1 into the prefix $2 through a staging folder beside
# it, logging to $3, and moves it into place only when complete: a prefix that
# exists is whole. The staging keeps the prefix's own path inside it, so the
# paths the installed files record are the prefix's. Any further arguments
# are a command that completes the staged prefix, given as its last argument.
install_whole() {
    local build=$1 prefix=$2 log=$3 stage="$2.partial"
    shift 3
    rm -rf "$stage"
    DESTDIR=$stage "${nice[@]}" cmake --install "$build" --strip >>"$log" 2>&1 || fail_with "$log"
    [ $# -eq 0 ] || "$@" "$stage$prefix"
    mv -T "$stage$prefix" "$prefix"
    rm -rf "$stage"
}

# The Qt DLLs and everything built with this compiler need its C++ runtime
# beside them; with Qt's own they make one folder that runs as it is. Debian
# ships them with their symbols (libstdc++ 24 MB, 2 MB without).
add_mingw_runtime() {
    local dll
    for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$1/bin/"
        x86_64-w64-mingw32-strip --strip-unneeded "$1/bin/$dll"
    done
}

# Qt for MinGW from Debian's source of the host's Qt, whose moc, rcc and uic
# the cross build uses (their versions must match). Only what the editor and
# its tests load: Core, Gui, Widgets, Test and the windows, minimal and
# offscreen platforms. Sets qt_prefix.
build_qt() {
    local source_package version upstream multiarch
    source_package=$(dpkg-query -W -f='${source:Package}' qt6-base-dev)
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    upstream=${version#*:}
    upstream=${upstream%%[+~-]*}
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    local options=(
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake"
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
        -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF
        -DFEATURE_zstd=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
        # Debian's source drops wintab, which tablet events need on Windows.
        -DFEATURE_tabletevent=OFF
        # Leaves out the Direct2D platform; switching off direct2d itself
        # breaks the windows platform's link.
        -DFEATURE_direct2d1_1=OFF
        # The editor's pictures are BMP and PNG, which Gui reads itself; its
        # look is its own, so no style plugin either.
        -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=OFF -DFEATURE_style_windowsvista=OFF
        -DFEATURE_androiddeployqt=OFF
        # Qt's own copies of its libraries, built in, so that nothing but
        # Qt's DLLs ships; pkg-config would offer the build machine's.
        -DFEATURE_pkg_config=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
        -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
        -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
        -DFEATURE_system_textmarkdownreader=OFF
    )
    local key
    key=$(cache_key "$source_package $version" "${options[@]}")
    qt_prefix="$cache/qt-$upstream-mingw64-$key"
    if [ -d "$qt_prefix" ]; then
        say "Qt $upstream for MinGW: $qt_prefix"
        return
    fi
    say "building Qt $upstream for MinGW into $qt_prefix (15 to 25 minutes on 2 cores)"
    local work="$cache/scratch/qt-$key" started=$SECONDS
    debian_source "$source_package" "$version" "$work/source"
    say "log: $work/build.log"
    # An interrupted build resumes where it stopped: the folder stays until
    # the prefix is installed.
    "${nice[@]}" cmake -S "$work/source" -B "$work/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        "${options[@]}" >"$work/build.log" 2>&1 || fail_with "$work/build.log"
    say "configured in $((SECONDS - started)) s"
    "${nice[@]}" cmake --build "$work/build" --parallel "$(nproc)" >>"$work/build.log" 2>&1 ||
        fail_with "$work/build.log"
    install_whole "$work/build" "$qt_prefix" "$work/build.log" add_mingw_runtime
    rm -rf "$work"
    say "Qt built and installed in $((SECONDS - started)) s"
}

# GoogleTest for MinGW from Debian's sources in /usr/src/googletest, static
# as Debian builds it. Sets gtest_prefix.
build_googletest() {
    local version options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=ON)
    version=$(dpkg-query -W -f='${Version}' googletest)
    local key
    key=$(cache_key "googletest $version" "${options[@]}")
    gtest_prefix="$cache/googletest-${version%%-*}-mingw64-$key"
    if [ -d "$gtest_prefix" ]; then
        say "GoogleTest ${version%%-*} for MinGW: $gtest_prefix"
        return
    fi
    say "building GoogleTest ${version%%-*} for MinGW into $gtest_prefix"
    local work="$cache/scratch/googletest-$key"
    rm -rf "$work"
    "${nice[@]}" cmake -S /usr/src/googletest -B "$work" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_INSTALL_PREFIX="$gtest_prefix" \
        "${options[@]}" >"$work.log" 2>&1 || fail_with "$work.log"
    "${nice[@]}" cmake --build "$work" --parallel "$(nproc)" >>"$work.log" 2>&1 ||
        fail_with "$work.log"
    install_whole "$work" "$gtest_prefix" "$work.log"
    rm -rf "$work" "$work.log"
}

# The project itself for Windows in build-windows/, against the cached Qt and
# GoogleTest; then its unit tests under Wine, on the offscreen platform. Test
# discovery runs the test programs, so the Wine server is up from the start.
build_project() {
    local build=$tools/../build-windows started=$SECONDS
    # shellcheck source-path=SCRIPTDIR source=wine-env.sh
    source "$tools/wine-env.sh"
    wine_server
    trap wine_server_stop EXIT
    wine_dll_path "$qt_prefix/bin"
    "${nice[@]}" cmake -S "$tools/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain_file" \
        -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" -DCMAKE_CROSSCOMPILING_EMULATOR=wine
    say "configured in $((SECONDS - started)) s"
    started=$SECONDS
    "${nice[@]}" cmake --build "$build" --parallel "$(nproc)"
    say "built in $((SECONDS - started)) s"
    started=$SECONDS
    ctest --test-dir "$build" --output-on-failure --timeout 300 -LE alsa
    say "tested under Wine in $((SECONDS - started)) s"
    # On Wine's WinMM inside the ALSA machine, against the Linux simulator
    # and hbx740ctl (tools/run-tests.sh builds them before this).
    if [ -x "$tools/../build/bin/hbx740-sim" ]; then
        started=$SECONDS
        ctest --test-dir "$build" --output-on-failure -L alsa
        say "tested on WinMM in the ALSA machine in $((SECONDS - started)) s"
    else
        say "no Linux build in build/: the tests on WinMM are left out (tools/run-tests.sh runs them)"
    fi
    started=$SECONDS
    (cd "$build" && "${nice[@]}" cpack >cpack.log) || { cat "$build/cpack.log"; exit 1; }
    wine_server_stop
    trap - EXIT
    BUILD_DIR=$build bash "$tools/check-windows-package.sh"
    say "packaged and checked in $((SECONDS - started)) s: $(cd "$build" && ls hbx740-editor-*-win64*)"
}

main() {
    install_packages
    build_qt
    build_googletest
    build_project
}

main "$@"
