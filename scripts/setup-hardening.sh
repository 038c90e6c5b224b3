#!/usr/bin/env bash
# Installs, when missing, the Debian 12 packages that the sanitizer build and the fuzz targets
# need on top of the test set-up: clang with its sanitizer and libFuzzer runtimes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test clang libclang-rt-14-dev
