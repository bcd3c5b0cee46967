# Sourced by the set-up scripts. as_root runs a command as root: directly when
# the script runs as root, else through sudo; without either it calls the
# sourcing script's no_root with the command, to say what the user can do.
as_root() {
    if [ "$(id -u)" = 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        no_root "$@"
    fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

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

# Installs those of the packages that are missing, without prompts; apt runs
# only when one is. Leaves the missing ones in `missing` for no_root.
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
    if [[ " ${missing[*]} " == *" jackd2 "* ]]; then
        echo "jackd2 jackd/tweak_rt_limits boolean false" | as_root debconf-set-selections
    fi
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}
