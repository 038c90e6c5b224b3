#!/usr/bin/env bash
# Configures and builds QOR and its tests in build/ (or $QOR_BUILD_DIR). Arguments go to the
# configuration; QOR_BUILD_TARGET builds one target (e.g. qor) instead of everything. Warnings
# are errors only when QOR_WERROR=ON (the test command sets it): a newer compiler or Qt than ours
# may warn where ours did not, and that must not stop a user's build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QOR_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} \
    -DQOR_WERROR="${QOR_WERROR:-OFF}" "$@" >/dev/null
cmake --build "$build" ${QOR_BUILD_TARGET:+--target "$QOR_BUILD_TARGET"}
