#!/usr/bin/env bash
# Installs, when missing, the Debian packages that the sanitizer build and the fuzz targets need on
# top of the test set-up: clang with its sanitizer and libFuzzer runtimes. Both are the
# distribution's default version (clang 14 on Debian 12, 19 on Debian 13).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test clang libclang-rt-dev
