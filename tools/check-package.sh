#!/usr/bin/env bash
# Packs the build in BUILD_DIR (default build) as a Debian package and a
# .tar.gz, checks the package with lintian, installs it with apt, runs the
# installed programs, starts the installed editor under Xvfb as an
# unprivileged user and checks that its files appear in that user's folders
# and nowhere else, then purges the package and checks that nothing it
# installed is left. Needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

source tools/as-root.sh
no_root() {
    echo "check-package: installing a package needs root or sudo" >&2
    exit 1
}
fail() {
    echo "check-package: $*" >&2
    exit 1
}

# The check ends by purging the package: a copy the user installed stays.
if installed hbx740-editor; then
    echo "check-package: hbx740-editor is installed on this machine; left out, as its purge would remove it" >&2
    exit 0
fi

install_missing dpkg-dev file xvfb xauth lintian

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
[ "$prefix" = /usr ] || fail "$build is configured for $prefix; a package installs to /usr"
(cd "$build" && cpack -G "DEB;TGZ" >cpack.log) || { cat "$build/cpack.log"; fail "cpack failed"; }
deb=$(ls "$PWD/$build"/hbx740-editor_*.deb)
echo "Package: $deb"
dpkg-deb --info "$deb" | sed -n 's/^ Depends: /Depends: /p'
# Debian's own checker.
if ! report=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1); then
    echo "$report" >&2
    fail "lintian finds errors or warnings in $deb"
fi

as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >/dev/null
mapfile -t installed < <(dpkg -L hbx740-editor)
version=$(dpkg-deb -f "$deb" Version)
for program in hbx740-editor hbx740ctl; do
    said=$("$program" --version)
    echo "$said"
    [[ "$said" == *" $version" ]] || fail "$program --version says \"$said\", not $version"
done
hbx740-sim --help >/dev/null

# An unprivileged user starts the installed editor on a virtual display.
user=hbx740-check
id "$user" >/dev/null 2>&1 || as_root useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_root rm -rf "$home/.config/HBX740" "$home/.local/share/HBX740"
stamp=$(mktemp)
sleep 1
display=":$((150 + RANDOM % 100))"
as_root runuser -u "$user" -- sh -c "
    Xvfb $display -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=\$!
    sleep 1
    DISPLAY=$display HOME=$home timeout 8 hbx740-editor >/dev/null 2>&1 &
    editor=\$!
    for _ in \$(seq 60); do
        [ -s '$home/.local/share/HBX740/customer.cus' ] && break
        sleep 0.1
    done
    sleep 1
    kill \$editor \$xvfb 2>/dev/null || true
    wait \$editor \$xvfb 2>/dev/null || true
"
settings="$home/.config/HBX740/System.ini"
profile="$home/.local/share/HBX740/customer.cus"
as_root test -f "$settings" || fail "no $settings"
as_root grep -q "FilePath=$profile" "$settings" || fail "$settings does not name $profile"
[ "$(as_root stat -c %s "$profile")" = 1728 ] || fail "$profile is not a profile"
[ "$(as_root stat -c %U "$profile")" = "$user" ] || fail "$profile is not the user's"
# Nothing beside the program, and nothing new outside the user's home but
# what the display left in /tmp.
stray=$(as_root find /usr /etc /opt /root -xdev -newer "$stamp" -type f 2>/dev/null | head)
[ -z "$stray" ] || fail "the editor wrote outside the user's folders: $stray"
others=$(as_root find "$home" -newer "$stamp" -type f ! -path "$home/.config/HBX740/*" \
    ! -path "$home/.local/share/HBX740/*" ! -path "$home/.cache/*" | head)
[ -z "$others" ] || fail "the editor wrote elsewhere in the user's home: $others"
echo "The installed editor keeps its files in $home/.config/HBX740 and $home/.local/share/HBX740."
rm -f "$stamp"

as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q hbx740-editor >/dev/null
left=()
for path in "${installed[@]}"; do
    if [ -f "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done
[ ${#left[@]} -eq 0 ] || fail "left after purge: ${left[*]}"
as_root userdel --remove "$user" 2>/dev/null || true
echo "Package installed, ran and purged cleanly."
