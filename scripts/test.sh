#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds QOR and runs every test: unit, gui (offscreen),
# platform (real services) and e2e (the built qor on a private X server with openbox).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build=${QOR_BUILD_DIR:-build}

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

status=0
# The code is kept clang-format clean.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror || status=1
(cd "$build" && ctest --output-on-failure -j2 -L 'unit|gui|platform') || status=1
bash scripts/with-x.sh bash -c "cd '$build' && ctest --output-on-failure -L e2e" || status=1
# A short run of each fuzz target from its seed corpus (scripts/fuzz.sh runs them longer).
bash scripts/fuzz.sh "${QOR_FUZZ_SECONDS:-10}" || status=1
# The Debian package is installed into the machine and started: only where that is wanted, in CI.
if [ "${CI:-}" = true ]; then
    bash scripts/package-test.sh || status=1
fi
exit $status
