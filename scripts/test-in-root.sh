#!/usr/bin/env bash
# Runs the test command (or another one) in a fresh clone of this repository's committed HEAD,
# inside a clean, minimal Debian root of the given release: only what the project's own scripts
# install is there, as on a newcomer's new machine.
#
#   bash scripts/test-in-root.sh trixie                      # Debian 13, bash scripts/test.sh
#   bash scripts/test-in-root.sh bookworm 'bash scripts/run.sh --version'
#
# The root is made with debootstrap (variant minbase) from the Debian archive this machine's apt
# uses, once, and kept in $QOR_ROOT_CACHE/SUITE (default /var/cache/qor-roots); every run starts
# from an untouched copy of it, removed afterwards. The packages apt downloads are kept there too,
# so a later run installs them again without downloading. CI is passed on. Needs root: it uses
# debootstrap, chroot and bind mounts.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:?usage: scripts/test-in-root.sh SUITE [COMMAND]}
command=${2:-bash scripts/test.sh}
cache=${QOR_ROOT_CACHE:-/var/cache/qor-roots}/$suite
repo=$(git rev-parse --show-toplevel)

if [ "$(id -u)" -ne 0 ]; then
    echo "scripts/test-in-root.sh makes and enters a Debian root (debootstrap, chroot, mounts):" >&2
    echo "run it as root." >&2
    exit 2
fi

# The first archive that this machine's apt reads, other than the security archive.
mirror() {
    {
        grep -h '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}' || true
        grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | awk '{print $2}' || true
    } | { grep -v security || true; } | head -n 1
}

if [ ! -x "$cache/base/bin/bash" ]; then
    if ! command -v debootstrap >/dev/null; then
        apt-get update -q >/dev/null
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >/dev/null
    fi
    rm -rf "$cache/base"
    mkdir -p "$cache"
    archive=$(mirror)
    archive=${archive:-http://deb.debian.org/debian}
    echo "making a minimal Debian root of $suite from $archive (once)"
    # A release newer than this machine's debootstrap is made as sid is.
    script=()
    [ -e "/usr/share/debootstrap/scripts/$suite" ] || script=(/usr/share/debootstrap/scripts/sid)
    if ! debootstrap --variant=minbase "$suite" "$cache/base.new" "$archive" "${script[@]}" \
        >"$cache/debootstrap.log" 2>&1; then
        echo "debootstrap failed; its log is $cache/debootstrap.log" >&2
        tail -n 20 "$cache/debootstrap.log" >&2
        rm -rf "$cache/base.new"
        exit 1
    fi
    rm -f "$cache/base.new/etc/apt/sources.list" "$cache/base.new/etc/apt/sources.list.d/"*
    cat >"$cache/base.new/etc/apt/sources.list.d/debian.sources" <<SOURCES
Types: deb
URIs: $archive
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    mv "$cache/base.new" "$cache/base"
fi
mkdir -p "$cache/archives/partial"

root=$(mktemp -d "$cache/run.XXXXXX")
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
    rm -rf "$root"
}
trap cleanup EXIT
cp -a "$cache/base/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
for dir in proc sys dev dev/pts; do
    mount --bind "/$dir" "$root/$dir"
    mounted+=("$root/$dir")
done
mount --bind "$cache/archives" "$root/var/cache/apt/archives"
mounted+=("$root/var/cache/apt/archives")
# apt in the root keeps what it downloads, for the next run.
echo 'Binary::apt::APT::Keep-Downloaded-Packages "true";' >"$root/etc/apt/apt.conf.d/10keep-downloads"
echo 'APT::Keep-Downloaded-Packages "true";' >>"$root/etc/apt/apt.conf.d/10keep-downloads"

mkdir -p "$root/build"
git clone -q "$repo" "$root/build/qor"
echo "running '$command' in a fresh clone of $(git rev-parse --short HEAD) on a clean Debian root ($suite)"
start=$(date +%s)
status=0
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}" \
    /bin/bash -c "cd /build/qor && $command" || status=$?
echo "'$command' on $suite: exit status $status after $(($(date +%s) - start)) s"
exit $status
