#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb 1280x1024x24) with the openbox window manager, and
# stops both afterwards, whatever the command's outcome.
set -euo pipefail

runtime=$(mktemp -d)
chmod 700 "$runtime"
xvfb_pid= wm_pid=
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" >"$runtime/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
for _ in $(seq 100); do
    display=$(tr -d '[:space:]' <"$runtime/display" 2>/dev/null || true)
    [ -n "$display" ] && break
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$runtime/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"
export XDG_RUNTIME_DIR="$runtime"
unset WAYLAND_DISPLAY

openbox --sm-disable >"$runtime/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then break; fi
    sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "openbox did not start:" >&2
    cat "$runtime/openbox.log" >&2
    exit 1
fi

"$@"
