#!/usr/bin/env bash
# Builds the Debian package from debian/ with dpkg-buildpackage (its unit, gui and platform tests
# run in the build), checks what it holds, that the desktop entry, the AppStream metainfo and the
# manual page validate and that lintian finds neither errors nor warnings in it, installs it on
# this machine with apt-get, starts the installed qor on a private X server, waits for its main
# window, ends it with SIGTERM and expects exit status 0, and removes the package again, whatever
# happened. The package is left in build-package/ (or $QOR_PACKAGE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh package
out=${QOR_PACKAGE_BUILD_DIR:-build-package}
title="Vorpex & Dalmor's QOR"
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

if dpkg-query -W -f='${Status}' qor 2>/dev/null | grep -q "install ok installed"; then
    echo "A qor package is installed already; remove it first (apt-get remove qor)." >&2
    exit 1
fi

stage=$(mktemp -d)
installed=
cleanup() {
    if [ -n "$installed" ]; then
        "${sudo[@]}" apt-get remove -y -q qor >/dev/null && echo "removed the package"
    fi
    rm -rf "$stage"
}
trap cleanup EXIT

# dpkg-buildpackage writes beside the source tree and into it (obj-*/, debian/qor/): it builds a
# copy of the tree as it stands, uncommitted changes included, without the build folders.
source="$stage/qor-$upstream"
mkdir "$source"
tar -c --exclude=./.git --exclude='./build*' . | tar -x -C "$source"
echo "building qor $version with dpkg-buildpackage"
if ! (cd "$source" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -us -uc -b >"$stage/build.log" 2>&1); then
    tail -n 80 "$stage/build.log" >&2
    echo "dpkg-buildpackage failed; the whole log was $stage/build.log" >&2
    exit 1
fi
grep -E '^[0-9]+% tests passed|^Total Test time' "$stage/build.log" || true
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
package="$stage/qor_${version}_$arch.deb"
test -f "$package" || { echo "dpkg-buildpackage made no $(basename "$package")" >&2; exit 1; }
mkdir -p "$out"
cp "$package" "$out/"
echo "package: $out/$(basename "$package")"
dpkg-deb --field "$package" Package Version Depends Recommends

contents="$stage/contents"
dpkg-deb -x "$package" "$contents"
for file in bin/qor share/applications/qor.desktop share/metainfo/org.example.qor.metainfo.xml \
    share/icons/hicolor/scalable/apps/qor.svg share/man/man1/qor.1.gz share/qor/purposes.conf \
    share/doc/qor/copyright share/doc/qor/changelog.Debian.gz; do
    test -f "$contents/usr/$file" || { echo "the package holds no /usr/$file" >&2; exit 1; }
    echo "holds /usr/$file"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x$size/apps/qor.png
    file -b "$contents/usr/$icon" 2>/dev/null | grep -q "^PNG image data, $size x $size," ||
        { echo "the package holds no ${size}x$size PNG at /usr/$icon" >&2; exit 1; }
done
echo "holds /usr/share/icons/hicolor/{16..256}/apps/qor.png, each of its size"
desktop-file-validate "$contents/usr/share/applications/qor.desktop"
appstreamcli validate --pedantic --no-net "$contents/usr/share/metainfo/org.example.qor.metainfo.xml"
# The manual page's roff, as man reads it: any warning fails.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$contents/usr/share/man/man1/qor.1.gz" 2>&1 >/dev/null)
[ -z "$manual" ] || { echo "man --warnings: $manual" >&2; exit 1; }
echo "the manual page reads without warnings"

# Debian's own checks of a binary package: files, documents, hardening, description.
lintian --fail-on error,warning --tag-display-limit 0 "$package"
echo "lintian: no errors, no warnings"

if ! "${sudo[@]}" apt-get install -y -q "$package" >"$stage/apt.log" 2>&1; then
    # The package lists may be missing or stale on a fresh machine.
    "${sudo[@]}" apt-get update -q >/dev/null
    "${sudo[@]}" apt-get install -y -q "$package" >"$stage/apt.log" 2>&1 || {
        cat "$stage/apt.log" >&2
        exit 1
    }
fi
installed=yes
echo "installed: $(command -v qor)"

# The window title travels through the environment, so no quoting of the apostrophe is needed.
export QOR_TITLE=$title
bash scripts/with-x.sh bash -c '
    set -u
    qor >"$XDG_RUNTIME_DIR/qor.log" 2>&1 &
    pid=$!
    if ! timeout 30 xdotool search --sync --name "^${QOR_TITLE}\$" >/dev/null; then
        echo "the main window \"$QOR_TITLE\" did not appear within 30 s" >&2
        kill -KILL $pid 2>/dev/null
        cat "$XDG_RUNTIME_DIR/qor.log" >&2
        exit 1
    fi
    echo "main window \"$QOR_TITLE\" appeared"
    kill -TERM $pid
    status=0
    wait $pid || status=$?
    echo "qor exited with status $status after SIGTERM"
    [ $status -eq 0 ] || { cat "$XDG_RUNTIME_DIR/qor.log" >&2; exit 1; }
'
