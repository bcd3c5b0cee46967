#!/usr/bin/env bash
# Runs one command in a small QEMU machine booted from Debian's own kernel, so
# that the ALSA sequencer code can be tested against a real /dev/snd/seq on
# machines (like CI's) that have no sound modules. The guest sees this host's
# root read-only under a throw-away overlay; see --help.
set -euo pipefail

usage() {
    cat <<'EOF'
Usage: bash tools/alsa-vm.sh [OPTIONS] -- COMMAND [ARGS...]

Boots a QEMU machine (TCG, no KVM needed) with Debian's kernel and its
sequencer modules (snd-seq, snd-seq-dummy, snd-virmidi), and runs COMMAND as
root in a chroot of this host's root file system. The command's standard
output and error are printed afterwards, and the script exits with its status.
Writes inside the machine are discarded unless they go to a --rw folder.

Options:
  --cache DIR       where the kernel and initramfs are kept between runs
                    (default: $ALSA_VM_CACHE, else build/alsa-vm in the repo)
  --rw PATH         share the host folder PATH read-write at the same path
                    (created when missing; may be repeated)
  --env NAME=VALUE  set NAME for the command; --env NAME passes this shell's
                    value, when it has one (may be repeated)
  --cwd DIR         working directory of the command (default: the current one)
  --timeout SECONDS limit for the whole boot and run (default: 1200)
  --memory MIB      memory of the machine (default: 1024)
  -h, --help        this text

Exit status: the command's, or 125 when the machine could not be prepared,
did not boot or timed out.
EOF
}

die() {
    echo "alsa-vm: $*" >&2
    exit 125
}

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
init_script="$here/alsa-vm/init"
cache=${ALSA_VM_CACHE:-$here/../build/alsa-vm}
timeout=1200
memory=1024
cwd=$PWD
rw_dirs=()
env_vars=()

while [ $# -gt 0 ]; do
    case "$1" in
    --cache) cache=${2:?--cache needs a folder}; shift 2 ;;
    --rw) rw_dirs+=("${2:?--rw needs a folder}"); shift 2 ;;
    --env) env_vars+=("${2:?--env needs NAME=VALUE}"); shift 2 ;;
    --cwd) cwd=${2:?--cwd needs a folder}; shift 2 ;;
    --timeout) timeout=${2:?--timeout needs seconds}; shift 2 ;;
    --memory) memory=${2:?--memory needs MiB}; shift 2 ;;
    -h | --help) usage; exit 0 ;;
    --) shift; break ;;
    -*) usage >&2; exit 2 ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { usage >&2; exit 2; }
case "$timeout$memory" in *[!0-9]*) die "--timeout and --memory take whole numbers" ;; esac

# depmod lives in /usr/sbin, which a normal user's PATH may lack.
export PATH="$PATH:/usr/sbin:/sbin"

source "$here/as-root.sh"
no_root() { die "need root or sudo to run: $*"; }

# alsa-utils is not used here but by the commands run inside (aconnect ...).
install_missing qemu-system-x86 busybox-static kmod cpio xz-utils zstd alsa-utils

# Sequencer clients ("System" comes with snd-seq, "Midi Through" with
# snd-seq-dummy, "Virtual Raw MIDI" with snd-virmidi), the high-resolution
# timer the sequencer prefers, and what the 9p shares and the overlay need.
modules=(snd-hrtimer snd-seq snd-seq-dummy snd-seq-midi snd-virmidi
    virtio_pci 9pnet_virtio 9p overlay)

work=""
scratch=""
# shellcheck disable=SC2317 # called through the trap
cleanup() {
    [ -z "$work" ] || rm -rf "$work"
    [ -z "$scratch" ] || rm -rf "$scratch"
}
trap cleanup EXIT

# Downloads (without installing) the kernel package that the distribution's
# kernel metapackage currently points at (Debian's linux-image-amd64, Ubuntu's
# linux-image-generic, whose modules come in packages of their own), keeps its
# kernel, and copies the modules listed above with their dependencies,
# uncompressed, in the order they must be loaded.
kernel_of() {
    apt-cache depends "$1" 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' |
        head -n 1
}
fetch_kernel() {
    local meta pkg kver tree extra
    for meta in linux-image-amd64 linux-image-generic; do
        pkg=$(kernel_of "$meta")
        [ -n "$pkg" ] && break
    done
    if [ -z "$pkg" ]; then
        as_root apt-get update -q
        for meta in linux-image-amd64 linux-image-generic; do
            pkg=$(kernel_of "$meta")
            [ -n "$pkg" ] && break
        done
    fi
    [ -n "$pkg" ] || die "cannot tell which kernel linux-image-amd64 or linux-image-generic depends on"
    echo "alsa-vm: fetching $pkg" >&2
    work=$(mktemp -d "$cache/kernel.XXXXXX")
    # Ubuntu keeps the modules apart from the kernel.
    extra=()
    for p in "${pkg/linux-image-/linux-modules-}" "${pkg/linux-image-/linux-modules-extra-}"; do
        apt-cache show "$p" >/dev/null 2>&1 && extra+=("$p")
    done
    # As root, apt warns that its _apt user cannot write the private folder.
    (cd "$work" && apt-get download -q "$pkg" "${extra[@]}" 2>&1 |
        { grep -v 'unsandboxed as root' || true; } >&2) || die "cannot download $pkg"
    for deb in "$work"/*.deb; do
        dpkg-deb -x "$deb" "$work/tree"
    done
    tree="$work/tree"
    kver=$(ls "$tree/lib/modules")
    # The package leaves modules.dep to its postinst, which did not run.
    depmod -b "$tree" "$kver"

    mkdir "$work/modules"
    local kind path name
    for m in "${modules[@]}"; do
        modprobe -d "$tree" -S "$kver" --show-depends "$m" ||
            die "module $m is neither built into $pkg nor shipped with it"
    done | awk '!seen[$2]++' | while read -r kind path _; do
        case "$kind" in
        insmod)
            # busybox insmod cannot read compressed modules.
            name=$(basename "$path")
            case "$name" in
            *.ko.xz) xz -dc "$path" >"$work/modules/${name%.xz}" ;;
            *.ko.zst) zstd -qdc "$path" >"$work/modules/${name%.zst}" ;;
            *.ko.gz) gzip -dc "$path" >"$work/modules/${name%.gz}" ;;
            *) cp "$path" "$work/modules/" ;;
            esac
            echo "${name%.ko*}.ko" >>"$work/modules/load-order"
            ;;
        builtin) echo "alsa-vm: $path is built into the kernel" >&2 ;;
        esac
    done

    # QEMU can start an uncompressed kernel through its PVH entry, which spares
    # the guest some five seconds of unpacking itself under TCG on every boot.
    local image="$tree/boot/vmlinuz-$kver" offset=""
    if grep -q '^CONFIG_PVH=y' "$tree/boot/config-$kver"; then
        offset=$({ LC_ALL=C grep -abo $'\xfd7zXZ' "$image" || true; } | head -n 1 | cut -d: -f1)
    fi
    if [ -n "$offset" ]; then
        # xz complains about the bytes after the stream; the kernel is whole.
        tail -c +$((offset + 1)) "$image" | xz -dc >"$work/vmlinux" 2>/dev/null || true
        [ "$(head -c 4 "$work/vmlinux")" != $'\x7fELF' ] || image="$work/vmlinux"
    fi

    rm -rf "$cache/modules"
    mv "$work/modules" "$cache/modules"
    mv "$image" "$cache/kernel"
    echo "$pkg" >"$cache/kernel-package"
    rm -rf "$work"
    work=""
}

build_initramfs() {
    work=$(mktemp -d "$cache/initramfs.XXXXXX")
    local root="$work/root"
    mkdir -p "$root"/{bin,dev,proc,sys,scratch,lower,upper,root,lib/modules}
    cp /bin/busybox "$root/bin/"
    for applet in $("$root/bin/busybox" --list); do
        [ "$applet" = busybox ] || ln -s busybox "$root/bin/$applet"
    done
    cp "$cache"/modules/* "$root/lib/modules/"
    cp "$init_script" "$root/init"
    chmod 755 "$root/init"
    (cd "$root" && find . -print0 | cpio --null -o -H newc -R 0:0 --quiet) |
        gzip -1 >"$cache/initramfs.img.new"
    mv "$cache/initramfs.img.new" "$cache/initramfs.img"
    echo "$1" >"$cache/initramfs.stamp"
    rm -rf "$work"
    work=""
}

mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
# Two runs sharing a cache must not build it at the same time.
exec 9>"$cache/.lock"
flock 9
if [ ! -f "$cache/kernel" ] || [ ! -f "$cache/modules/load-order" ]; then
    fetch_kernel
fi
# Rebuilt whenever the init script, busybox or the modules change.
stamp=$(cat "$init_script" /bin/busybox "$cache/modules/load-order" | sha256sum)
if [ ! -f "$cache/initramfs.img" ] || [ "$(cat "$cache/initramfs.stamp" 2>/dev/null)" != "$stamp" ]; then
    build_initramfs "$stamp"
fi
exec 9>&-

scratch=$(mktemp -d "${TMPDIR:-/tmp}/alsa-vm.XXXXXX")

# The command as a bash script: bash inside reads printf %q's quoting.
{
    echo 'export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin'
    echo 'export HOME=/root XDG_RUNTIME_DIR=/run/user/0 LANG=C.UTF-8 TERM=dumb'
    for e in "${env_vars[@]}"; do
        if [[ "$e" == *=* ]]; then
            name=${e%%=*}
            value=${e#*=}
        else
            name=$e
            # Passed only when set, so a caller can hand on what it may have.
            [ -n "${!name+set}" ] || continue
            value=${!name}
        fi
        [[ "$name" =~ ^[A-Za-z_][A-Za-z0-9_]*$ ]] || die "--env: bad name '$name'"
        printf 'export %s=%q\n' "$name" "$value"
    done
    printf 'cd -- %q || exit 125\n' "$cwd"
    printf 'exec'
    printf ' %q' "$@"
    printf '\n'
} >"$scratch/command"

# QEMU splits option values at commas; a literal one is written twice.
qemu_path() { printf '%s' "${1//,/,,}"; }

share_args=()
: >"$scratch/mounts"
n=0
for d in "${rw_dirs[@]}"; do
    mkdir -p "$d"
    d=$(cd "$d" && pwd -P)
    [[ "$d" != *$'\n'* ]] || die "--rw: folder names with a newline are not supported"
    share_args+=(-virtfs "local,path=$(qemu_path "$d"),mount_tag=rw$n,security_model=none")
    echo "rw$n $d" >>"$scratch/mounts"
    n=$((n + 1))
done

# A second CPU lets threaded tests run in parallel; more only slow the boot.
cpus=$(nproc)
[ "$cpus" -le 2 ] || cpus=2

# multidevs=remap keeps inode numbers apart across the host's mounts under /.
# No SMAP for the guest: QEMU 7.2's TCG faults on Wine's return from system
# calls with it, and the guest's kernel kills Wine.
set +e
timeout --kill-after=10 "$timeout" qemu-system-x86_64 \
    -accel tcg -cpu max,-smap -smp "$cpus" -m "$memory" \
    -nodefaults -no-user-config -display none -monitor none -no-reboot \
    -serial "file:$scratch/console.log" \
    -kernel "$cache/kernel" -initrd "$cache/initramfs.img" \
    -append "console=ttyS0 quiet panic=-1" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
    -virtfs "local,path=$(qemu_path "$scratch"),mount_tag=scratch,security_model=none" \
    "${share_args[@]}" \
    </dev/null >"$scratch/qemu.log" 2>&1
qemu_status=$?
set -e

[ ! -f "$scratch/stdout" ] || cat "$scratch/stdout"
[ ! -f "$scratch/stderr" ] || cat "$scratch/stderr" >&2

status=$(cat "$scratch/status" 2>/dev/null || true)
if [[ ! "$status" =~ ^[0-9]+$ ]]; then
    if [ "$qemu_status" = 124 ] || [ "$qemu_status" = 137 ]; then
        echo "alsa-vm: timed out after $timeout s" >&2
    else
        echo "alsa-vm: the machine stopped without the command's status (qemu exit $qemu_status)" >&2
    fi
    echo "--- qemu:" >&2
    tail -n 20 "$scratch/qemu.log" >&2
    echo "--- console:" >&2
    if [ -s "$scratch/console.log" ]; then
        tail -n 40 "$scratch/console.log" >&2
    else
        echo "(nothing: the kernel did not start)" >&2
    fi
    exit 125
fi
exit "$status"
