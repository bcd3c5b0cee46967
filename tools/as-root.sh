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
        exit 1
    fi
}
