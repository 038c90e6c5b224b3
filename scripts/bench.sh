#!/usr/bin/env bash
# Builds QOR's benchmarks in an optimised build (build-bench) and prints one table: each figure's
# minimum and median over repeated runs, its floor's, the ratio of the medians, the goal and
# whether the goal was met. Runs on a private X server when no display is set, and always on a
# private D-Bus session, so that no start of a Qt program launches a session bus of its own.
#
#   bash scripts/bench.sh [RUNS]      (RUNS defaults to 15)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
runs=${1:-15}
# QOR_BENCH_BUILD names an existing build to measure instead (it must hold the benchmark targets).
build=${QOR_BENCH_BUILD:-build-bench}

if [ -z "${QOR_BENCH_BUILT:-}" ] && [ -z "${QOR_BENCH_BUILD:-}" ]; then
    bash scripts/setup.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQOR_WERROR=ON >/dev/null
    cmake --build "$build" --target qor qor_bench_startup qor_startup_floor qor_bench_close \
        qor_starfield_floor qor_bench_slideaway qor_bench_launch qor_bench_datasource >/dev/null
fi
if [ -z "${DISPLAY:-}" ]; then
    exec env QOR_BENCH_BUILT=1 bash scripts/with-x.sh bash scripts/bench.sh "$runs"
fi
if [ -z "${QOR_BENCH_SESSION:-}" ]; then
    exec env QOR_BENCH_BUILT=1 QOR_BENCH_SESSION=1 dbus-run-session -- bash scripts/bench.sh "$runs"
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One start of a program that prints the wall clock of its first frame in microseconds: appends
# the milliseconds from the start to that frame to $2.time and its peak memory in MiB to $2.mem.
start_once() {
    local program=$1 name=$2 started frame
    started=${EPOCHREALTIME/./}
    # shellcheck disable=SC2086 # a program may come with its arguments
    /usr/bin/time -f %M -o "$tmp/rss" $program >"$tmp/frame" 2>"$tmp/err" || {
        echo "$program failed:" >&2
        cat "$tmp/err" >&2
        exit 1
    }
    frame=$(tail -n 1 "$tmp/frame")
    echo "$(((frame - started)))" | awk '{ printf "%.3f\n", $1 / 1000 }' >>"$tmp/$name.time"
    tail -n 1 "$tmp/rss" | awk '{ printf "%.2f\n", $1 / 1024 }' >>"$tmp/$name.mem"
}

# Prints "MIN MEDIAN COUNT" of the numbers in a file.
stats() {
    sort -g "$1" | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%s %s %d\n", v[1], m, NR }'
}

# One row: label, unit, file of the figure, file of its floor (or - for a figure with no floor),
# and the goal: the largest ratio to the floor's median, or the largest median with no floor, or
# - for none.
row() {
    local label=$1 unit=$2 figure=$3 floor=$4 limit=$5
    read -r min med n < <(stats "$figure")
    if [ "$floor" = - ]; then
        awk -v l="$label" -v u="$unit" -v min="$min" -v med="$med" -v n="$n" -v lim="$limit" \
            'BEGIN { goal = lim == "-" ? "—" : sprintf("median ≤ %s %s", lim, u)
                result = lim == "-" ? "—" : (med <= lim ? "pass" : "FAIL")
                printf "| %s | %.2f %s | %.2f %s | %d | — | — | — | %s | %s |\n",
                    l, min, u, med, u, n, goal, result }'
        return
    fi
    read -r fmin fmed _ < <(stats "$floor")
    awk -v l="$label" -v u="$unit" -v min="$min" -v med="$med" -v n="$n" -v fmin="$fmin" \
        -v fmed="$fmed" -v lim="$limit" \
        'BEGIN { r = med / fmed
            goal = lim == "-" ? "—" : sprintf("≤ %sx", lim)
            result = lim == "-" ? "—" : (r <= lim ? "pass" : "FAIL")
            printf "| %s | %.2f %s | %.2f %s | %d | %.2f %s | %.2f %s | %.2fx | %s | %s |\n",
                l, min, u, med, u, n, fmin, u, fmed, u, r, goal, result }'
}

# A row whose goal is a largest difference from the second file's median (in the figure's unit),
# or none (limit -). The second file is a floor, or another figure to compare with, as the label
# says.
row_diff() {
    local label=$1 unit=$2 figure=$3 floor=$4 limit=$5
    read -r min med n < <(stats "$figure")
    read -r fmin fmed _ < <(stats "$floor")
    awk -v l="$label" -v u="$unit" -v min="$min" -v med="$med" -v n="$n" -v fmin="$fmin" \
        -v fmed="$fmed" -v lim="$limit" \
        'BEGIN { r = med / fmed
            goal = lim == "-" ? "—" : sprintf("≤ floor + %s %s", lim, u)
            result = lim == "-" ? "—" : (med - fmed <= lim ? "pass" : "FAIL")
            printf "| %s | %.2f %s | %.2f %s | %d | %.2f %s | %.2f %s | %.2fx | %s | %s |\n",
                l, min, u, med, u, n, fmin, u, fmed, u, r, goal, result }'
}

# Context switches of each thread of a process so far, one "thread count" line each: each is a
# wake-up or a preemption.
switches() {
    for status in /proc/"$1"/task/*/status; do
        awk -v t="$(basename "$(dirname "$status")")" \
            '/^(non)?voluntary_ctxt_switches/ { s += $2 } END { print t, s + 0 }' "$status"
    done 2>/dev/null
}

# The switches between two readings, summed over the threads: a thread that started in between
# counts from zero, one that ended counts up to the first reading only.
switches_between() {
    awk 'NR == FNR { before[$1] = $2; next } { s += $2 - ($1 in before ? before[$1] : 0) }
        END { print s + 0 }' "$1" "$2"
}

bench=$build/bench
echo "measuring: start-up ($runs starts each, after one of each not counted)" >&2
start_once "$bench/startup/qor_bench_startup" qor && rm -f "$tmp/qor.time" "$tmp/qor.mem"
start_once "$bench/startup/qor_startup_floor" floor && rm -f "$tmp/floor.time" "$tmp/floor.mem"
for _ in $(seq "$runs"); do
    start_once "$bench/startup/qor_bench_startup" qor
    start_once "$bench/startup/qor_startup_floor" floor
done

echo "measuring: peak memory with each window shown ($runs starts each)" >&2
windows="Frmprogress frmSplash frmSplash1 frmLogin Form3 Form4 Form5 frmODBCLogon form6"
for window in $windows; do
    for _ in $(seq "$runs"); do
        start_once "$bench/startup/qor_bench_startup $window" "window-$window"
    done
done

echo "measuring: star field, close command to window unmapped ($runs rounds)" >&2
"$bench/close/qor_bench_close" starfield --raw "$runs" >"$tmp/starfield"
echo "measuring: close box to window gone ($runs rounds)" >&2
"$bench/close/qor_bench_close" window --raw "$runs" >"$tmp/closebox"
echo "measuring: slide-away exit ($runs rounds)" >&2
"$bench/qor_bench_slideaway" --raw "$runs" >"$tmp/slideaway"
echo "measuring: launch ($runs rounds)" >&2
"$bench/launch/qor_bench_launch" "$runs" >"$tmp/launch"
echo "measuring: first launch in a process ($runs starts)" >&2
for _ in $(seq "$runs"); do
    "$bench/launch/qor_bench_launch" --first >>"$tmp/launch-first"
done
for mode in categories search; do
    for count in 50 500; do
        echo "measuring: first launch through the desktop entries ($mode), $count entries ($runs starts)" >&2
        for _ in $(seq "$runs"); do
            "$bench/launch/qor_bench_launch" "--$mode" "$count" >>"$tmp/desktop-$mode-$count"
        done
        awk '{ printf "%.3f\n", $1 / 1000 }' "$tmp/desktop-$mode-$count" >"$tmp/desktop-$mode-$count.figure"
        awk '{ printf "%.3f\n", $3 / 1000 }' "$tmp/desktop-$mode-$count" >"$tmp/desktop-$mode-$count.floor"
    done
done
for count in 10 100 250; do
    echo "measuring: data source dialog with $count data sources ($runs rounds)" >&2
    "$bench/datasource/qor_bench_datasource" --raw "$count" "$runs" >"$tmp/datasource-$count"
    awk '{ print $1 }' "$tmp/datasource-$count" >"$tmp/datasource-$count.figure"
    awk '{ print $2 }' "$tmp/datasource-$count" >"$tmp/datasource-$count.floor"
done

echo "measuring: idle wake-ups over 30 s" >&2
"$build/qor" >/dev/null 2>&1 &
qor_pid=$!
"$bench/startup/qor_startup_floor" --stay >/dev/null 2>&1 &
floor_pid=$!
sleep 3
switches $qor_pid >"$tmp/idle.qor.before"
switches $floor_pid >"$tmp/idle.floor.before"
sleep 30
switches $qor_pid >"$tmp/idle.qor.after"
switches $floor_pid >"$tmp/idle.floor.after"
switches_between "$tmp/idle.qor.before" "$tmp/idle.qor.after" >"$tmp/idle.figure"
switches_between "$tmp/idle.floor.before" "$tmp/idle.floor.after" >"$tmp/idle.floor"
kill -KILL $qor_pid $floor_pid
wait $qor_pid $floor_pid 2>/dev/null || true

for name in starfield closebox slideaway; do
    awk '{ print $1 }' "$tmp/$name" >"$tmp/$name.figure"
    awk '{ print $2 }' "$tmp/$name" >"$tmp/$name.floor"
done
awk '{ print $3 }' "$tmp/starfield" >"$tmp/starfield.roundtrip"
awk '{ print $3 }' "$tmp/slideaway" >"$tmp/slideaway.whole"
awk '{ printf "%.3f\n", $1 / 1000 }' "$tmp/launch" >"$tmp/launch.figure"
awk '{ printf "%.3f\n", $2 / 1000 }' "$tmp/launch" >"$tmp/launch.handler"
awk '{ printf "%.3f\n", $3 / 1000 }' "$tmp/launch" >"$tmp/launch.floor"
awk '{ printf "%.3f\n", $1 / 1000 }' "$tmp/launch-first" >"$tmp/launch-first.figure"
awk '{ printf "%.3f\n", $2 / 1000 }' "$tmp/launch-first" >"$tmp/launch-first.handler"
awk '{ printf "%.3f\n", $3 / 1000 }' "$tmp/launch-first" >"$tmp/launch-first.floor"

echo "Measured $(date -u "+%Y-%m-%d %H:%M UTC") from $build on $(nproc) processors (load average $(cut -d" " -f1-3 /proc/loadavg)), display $DISPLAY, private D-Bus session; ratio = median / floor median."
echo
echo "| figure | min | median | runs | floor min | floor median | ratio | goal | result |"
echo "| --- | --- | --- | --- | --- | --- | --- | --- | --- |"
row "start to first frame of the main window (floor: bare Qt window, ten identical buttons)" \
    ms "$tmp/qor.time" "$tmp/floor.time" 1.1
row "peak memory (max RSS) of that start, same floor" MiB "$tmp/qor.mem" "$tmp/floor.mem" 1.5
for window in $windows; do
    limit=-
    # The screen saver's native window is the screen's size: a few MiB over the main window's.
    [ "$window" = form6 ] && limit=8
    row_diff "peak memory with $window shown, against the main window alone (not a floor)" \
        MiB "$tmp/window-$window.mem" "$tmp/qor.mem" "$limit"
done
row "star field, close command to window unmapped" ms "$tmp/starfield.figure" \
    "$tmp/starfield.floor" 1.5
row_diff "star field, against a slower alternative, not a floor: a round trip per dot" ms \
    "$tmp/starfield.figure" "$tmp/starfield.roundtrip" -
row_diff "close box to window gone (tip window)" ms "$tmp/closebox.figure" "$tmp/closebox.floor" -
row "slide-away exit from its first fold step (leaves out taking the window back)" ms \
    "$tmp/slideaway.figure" "$tmp/slideaway.floor" 1.5
row_diff "slide-away exit from the close command, taking the window back included" \
    ms "$tmp/slideaway.whole" "$tmp/slideaway.floor" -
row "launch, click handler to child running (warm: after a first click in the process)" ms \
    "$tmp/launch.figure" "$tmp/launch.floor" 4
row "launch, click handler's own duration (warm)" ms "$tmp/launch.handler" - 2
row "launch, first click in the process to child running (cold: loads GIO, first look-up)" ms \
    "$tmp/launch-first.figure" "$tmp/launch-first.floor" -
row "launch, first click's handler duration (cold)" ms "$tmp/launch-first.handler" - -
for count in 50 500; do
    row "first launch through the desktop entries, by category, $count entries, click handler to child running (floor: plain C, same GIO calls)" \
        ms "$tmp/desktop-categories-$count.figure" "$tmp/desktop-categories-$count.floor" 1.2
done
for count in 50 500; do
    row "first launch through the desktop entries, by the search, $count entries, click handler to child running (floor: plain C, same GIO calls)" \
        ms "$tmp/desktop-search-$count.figure" "$tmp/desktop-search-$count.floor" 1.2
done
for count in 10 100 250; do
    row_diff "data source dialog to filled lists, $count data sources" ms \
        "$tmp/datasource-$count.figure" "$tmp/datasource-$count.floor" -
done
row_diff "idle wake-ups over 30 s, main window shown" "" "$tmp/idle.figure" "$tmp/idle.floor" -
