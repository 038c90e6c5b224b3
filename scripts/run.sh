#!/usr/bin/env bash
# Sets up a fresh Debian 12 or 13 machine, builds qor (only qor: no tests, no benchmarks) and
# starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
QOR_BUILD_TARGET=qor bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "QOR needs a display, and none is set (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    echo "Run this command inside a desktop session, or start a virtual X server (Debian package" >&2
    echo "xvfb) and run it there:" >&2
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' bash scripts/run.sh" >&2
    exit 1
fi
exec "${QOR_BUILD_DIR:-build}/qor" "$@"
