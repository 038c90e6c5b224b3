#!/usr/bin/env bash
# Sets up a fresh Debian 12 or 13 machine, builds QOR and runs every test: unit, gui (offscreen),
# platform (real services) and e2e (the built qor on a private X server, once under openbox and
# once under xfwm4, as window managers differ in frames, placement and focus), then the format
# check and a short fuzz run, and in CI the Debian package test. Ends with a summary that names
# each step that failed.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${QOR_BUILD_DIR:-build}

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

failed=()
# Runs one step; its output goes to the log as it comes, its failure to the summary.
step() {
    local name=$1
    shift
    echo "==> $name"
    "$@" || failed+=("$name")
}

summary() {
    echo
    if [ ${#failed[@]} -eq 0 ]; then
        echo "test summary: every step passed"
        exit 0
    fi
    echo "test summary: ${#failed[@]} step(s) failed:"
    printf '    %s\n' "${failed[@]}"
    exit 1
}

# Nothing can be built without the set-up, nor tested without a build.
step "set-up (scripts/setup.sh)" bash scripts/setup.sh test
[ ${#failed[@]} -eq 0 ] || summary
# The developers' build: a warning is an error.
step "build (scripts/build.sh)" env QOR_WERROR=ON bash scripts/build.sh
[ ${#failed[@]} -eq 0 ] || summary

step "clang-format check" bash -c "git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror"
step "unit, gui and platform tests" bash -c "cd '$build' && ctest --output-on-failure -j2 -L 'unit|gui|platform'"
step "e2e tests under openbox" env QOR_WM=openbox bash scripts/with-x.sh bash -c "cd '$build' && ctest --output-on-failure -L e2e"
step "e2e tests under xfwm4" env QOR_WM=xfwm4 bash scripts/with-x.sh bash -c "cd '$build' && ctest --output-on-failure -L e2e"
# A short run of each fuzz target from its seed corpus (scripts/fuzz.sh runs them longer).
step "fuzz targets (scripts/fuzz.sh)" bash scripts/fuzz.sh "${QOR_FUZZ_SECONDS:-10}"
# The Debian package is installed into the machine and started: only where that is wanted, in CI.
if [ "${CI:-}" = true ]; then
    step "Debian package (scripts/package-test.sh)" bash scripts/package-test.sh
fi
summary
