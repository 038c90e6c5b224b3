#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing QOR need, when missing.
# Further packages named as arguments are installed the same way.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang-format pkg-config libx11-dev libxcb1-dev libglib2.0-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libodbc2 unixodbc-common
    xvfb xauth openbox xdotool wmctrl x11-utils imagemagick fonts-dejavu-core fonts-liberation2 time
    dbus-x11 at-spi2-core python3-pyatspi
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
