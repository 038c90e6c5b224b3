#!/usr/bin/env bash
# Builds QOR and its tests with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ (or $QOR_SANITIZE_BUILD_DIR) and runs every test label: unit, gui and platform
# offscreen, e2e on a private X server, where the sanitized qor itself runs. Any report fails
# the run. The compiler is g++ unless CXX names another (CXX=clang++ bash scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-hardening.sh
build=${QOR_SANITIZE_BUILD_DIR:-build-asan}
root=$(pwd)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE=ON \
    -DCMAKE_CXX_COMPILER="${CXX:-g++}" >/dev/null
cmake --build "$build"

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

# Every report ends the process with a failing status, so no finding passes as a green test.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

status=0
(cd "$build" && ctest --output-on-failure -j2 -L 'unit|gui|platform') || status=1
bash scripts/with-x.sh bash -c "cd '$build' && ctest --output-on-failure -L e2e" || status=1
exit $status
