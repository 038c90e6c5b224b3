#!/usr/bin/env bash
# Installs, when missing, the Debian packages that a task needs (the same names on Debian 12 and
# Debian 13):
#
#   bash scripts/setup.sh [TASK...] [PACKAGE...]
#
# TASK is run (build and start qor), test (the default: build and every test label), or package
# (make, check and install the Debian package). Further words are package names, installed the
# same way. Without root and without sudo, it names what is missing and the command that
# installs it as root, and stops.
set -euo pipefail

# Compiling qor, and its tests, which every build configures (libxcb-damage0-dev is theirs alone).
build=(cmake ninja-build g++ pkg-config libx11-dev libxcb1-dev libglib2.0-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libstartup-notification0-dev libxcb-damage0-dev)
# What qor uses at run time beyond the libraries it links: the font its windows are laid out
# for, and what the package recommends.
run=(libodbc2 unixodbc-common qt6-translations-l10n fonts-liberation2 libstartup-notification0)
# A private X server with a window manager (openbox, and xfwm4 for the second run of the
# end-to-end tests), driven as a user would.
xserver=(xvfb xauth openbox xfwm4 dbus-daemon xdotool wmctrl x11-utils fonts-dejavu-core)
# The test tools; weston is a headless Wayland compositor for QOR's run without an X server;
# clang with its sanitizer and libFuzzer runtimes builds the fuzz targets.
test=(git clang-format imagemagick time dbus-x11 at-spi2-core python3-pyatspi weston qt6-wayland
    clang libclang-rt-dev)
package=(dpkg-dev debhelper build-essential file lintian appstream desktop-file-utils man-db)

packages=()
tasks=0
for word in "$@"; do
    case $word in
        run) packages+=("${build[@]}" "${run[@]}"); tasks=1 ;;
        test) packages+=("${build[@]}" "${run[@]}" "${xserver[@]}" "${test[@]}"); tasks=1 ;;
        package) packages+=("${build[@]}" "${run[@]}" "${xserver[@]}" "${package[@]}"); tasks=1 ;;
        *) packages+=("$word") ;;
    esac
done
if [ $tasks -eq 0 ]; then
    packages+=("${build[@]}" "${run[@]}" "${xserver[@]}" "${test[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" &&
        [[ " ${missing[*]} " != *" $package "* ]]; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root, then run this command again:" >&2
    echo "    apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
