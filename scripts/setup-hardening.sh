#!/usr/bin/env bash
# Installs, when missing, the Debian 12 packages that the sanitizer build, the fuzz targets and
# the package test need on top of scripts/setup.sh's: clang with its sanitizer and libFuzzer
# runtimes, dpkg-shlibdeps for the package's dependencies, and the AppStream validator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

packages=(
    clang libclang-rt-14-dev
    dpkg-dev file appstream desktop-file-utils
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
