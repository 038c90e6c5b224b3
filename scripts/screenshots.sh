#!/usr/bin/env bash
# Makes a PNG of every window of QOR into docs/, on a private X server with openbox, by driving
# the built program with xdotool as a user would. Each picture is the window with its frame.
# Usage: scripts/screenshots.sh [path to qor]   (default: build/qor)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${QOR_SCREENSHOTS_ON_X:-}" ]; then
    QOR_SCREENSHOTS_ON_X=1 exec bash "$root/scripts/with-x.sh" bash "$0" "$@"
fi

qor=$(realpath "${1:-$root/build/qor}")
out="$root/docs"
mkdir -p "$out"

# The data source dialog lists these, not the machine's own data sources.
odbc=$(mktemp -d)
printf '[Payroll]\nDriver=PostgreSQL Unicode\n\n[Stock]\nDriver=SQLite3\n' >"$odbc/odbc.ini"
printf '[Archive]\nDriver=PostgreSQL Unicode\n' >"$odbc/user.ini"
export ODBCSYSINI="$odbc" ODBCINI="$odbc/user.ini"
unset ODBCSEARCH QT_QPA_PLATFORM

pid=
stop_qor() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    pid=
}
trap 'stop_qor; rm -rf "$odbc"' EXIT

start_qor() {
    "$qor" >/dev/null 2>&1 &
    pid=$!
}

fail() {
    echo "screenshots: $*" >&2
    exit 1
}

visible_windows() {
    xdotool search --onlyvisible --pid "$pid" 2>/dev/null | sort || true
}

# The id of the window titled exactly $1.
wait_title() {
    local pattern id
    pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no window titled '$1'"
}

wait_gone() {
    local pattern
    pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window '$1' stayed"
}

# The id of a window of qor that is visible now and was not in $1 (the earlier list); untitled
# windows are found this way.
wait_new() {
    local id
    for _ in $(seq 100); do
        id=$(comm -13 <(echo "$1") <(visible_windows) | head -n 1)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no new window"
}

# Clicks at client pixel ($2, $3) of window $1.
click() {
    local x y
    x=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}')
    xdotool mousemove --sync $((x + $2)) $((y + $3)) click 1
}

# Saves window $1 with its window manager frame as docs/$2.png.
shot() {
    local info x y w h extents left right top bottom
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    sleep 0.7
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" \
        +repage "$out/$2.png"
    echo "docs/$2.png"
}

dismiss() {
    local id
    id=$(wait_title "$1")
    xdotool windowactivate --sync "$id" key Return
    wait_gone "$1"
}

main_title="Vorpex & Dalmor's QOR"

start_qor
main=$(wait_title "$main_title")
shot "$main" main-window

before=$(visible_windows)
click "$main" 444 188
about=$(wait_new "$before")
shot "$about" about
xdotool key q
sleep 0.5

before=$(visible_windows)
click "$main" 112 268
splash=$(wait_new "$before")
shot "$splash" splash
xdotool key q
sleep 0.5

click "$main" 160 208
tip=$(wait_title "VORPEX TIP")
shot "$tip" tip
xdotool windowactivate --sync "$tip" key alt+F4
wait_gone "VORPEX TIP"

click "$main" 336 68
saver=$(wait_title "Screen Saver")
sleep 2
shot "$saver" screen-saver
xdotool windowactivate --sync "$saver" key alt+F4
wait_gone "Screen Saver"

click "$main" 32 252
tools=$(wait_title "Form2")
shot "$tools" tools
click "$tools" 436 84
xdotool key ctrl+a type quilt
login=$(wait_title "Login To Brannocks Secret Options")
shot "$login" login
xdotool windowactivate --sync "$login" key alt+p type quilt
xdotool key Return
dismiss "Lets See"
dismiss "Way 2 Go!"
options=$(wait_title "Form3")
shot "$options" options
click "$options" 292 40
dismiss "Error Info"
dialog=$(wait_title "ODBC Logon")
shot "$dialog" data-source-dialog
stop_qor

# The closing notice ends the main window, so it comes from a program of its own.
start_qor
main=$(wait_title "$main_title")
click "$main" 160 224
notice=$(wait_title "CLOSING IN PROCESS")
shot "$notice" closing-notice
stop_qor
