#!/usr/bin/env bash
# Configures and builds QOR and its tests in build/ (or $QOR_BUILD_DIR). Arguments go to the
# configuration; QOR_BUILD_TARGET builds one target (e.g. qor) instead of everything.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QOR_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$build" ${QOR_BUILD_TARGET:+--target "$QOR_BUILD_TARGET"}
