#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb 1280x1024x24) with a window manager, and stops both
# afterwards, whatever the command's outcome:
#
#   QOR_WM=openbox|xfwm4 bash scripts/with-x.sh COMMAND [ARGUMENT...]
#
# The window manager is openbox unless QOR_WM names xfwm4; the command finds the name in QOR_WM.
# The command starts once the window manager manages the screen.
set -euo pipefail

wm=${QOR_WM:-openbox}
case $wm in
    openbox) wm_command=(openbox --sm-disable) ;;
    # Without a desktop session: no session manager, and no compositor, which Xvfb cannot
    # accelerate and which would put its own delay between a window's drawing and the screen.
    xfwm4) wm_command=(xfwm4 --compositor=off --sm-client-disable) ;;
    *)
        echo "QOR_WM: unknown window manager \"$wm\" (openbox or xfwm4)" >&2
        exit 2
        ;;
esac
export QOR_WM=$wm

runtime=$(mktemp -d)
chmod 700 "$runtime"
xvfb_pid= wm_pid= bus_pid=
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null && wait "$bus_pid" 2>/dev/null
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
# The server may name its display before it takes connections: a window manager started then
# finds no display and ends.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break
    sleep 0.1
done

# The window manager's own D-Bus session, which its settings service (xfwm4's) is started on and
# ends with; the accessibility bus is left to the tests that want one.
dbus-daemon --session --nofork --print-address 3 3>"$runtime/bus" >/dev/null 2>&1 &
bus_pid=$!
bus=
for _ in $(seq 100); do
    bus=$(head -n 1 "$runtime/bus" 2>/dev/null || true)
    [ -n "$bus" ] && break
    sleep 0.1
done
DBUS_SESSION_BUS_ADDRESS=$bus NO_AT_BRIDGE=1 "${wm_command[@]}" >"$runtime/wm.log" 2>&1 &
wm_pid=$!
# A window manager announces itself with _NET_SUPPORTING_WM_CHECK once it manages the screen.
managing() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 100); do
    managing && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.1
done
if ! managing; then
    echo "$wm did not start:" >&2
    cat "$runtime/wm.log" >&2
    exit 1
fi

"$@"
