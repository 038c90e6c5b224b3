#!/usr/bin/env bash
# Installs, when missing, the Debian 12 packages that the sanitizer build, the fuzz targets and
# the package test need on top of scripts/setup.sh's: clang with its sanitizer and libFuzzer
# runtimes, dpkg-shlibdeps for the package's dependencies, and the AppStream validator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh clang libclang-rt-14-dev dpkg-dev file appstream desktop-file-utils
