#!/usr/bin/env bash
# Builds QOR's benchmarks in an optimised build (build-bench) and prints one table: each figure's
# minimum and median over repeated runs, its floor's, the ratio of the medians, the goal and
# whether the goal was met. Runs on a private X server when no display is set.
#
#   bash scripts/bench.sh [RUNS]      (RUNS defaults to 15; the star field makes 7 in one process)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
runs=${1:-15}
build=build-bench

if [ -z "${QOR_BENCH_BUILT:-}" ]; then
    bash scripts/setup.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" --target qor qor_bench_startup qor_startup_floor qor_bench_starfield \
        qor_bench_slideaway qor_bench_launch >/dev/null
fi
if [ -z "${DISPLAY:-}" ]; then
    exec env QOR_BENCH_BUILT=1 bash scripts/with-x.sh bash scripts/bench.sh "$runs"
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One start of a program that prints the wall clock of its first frame in microseconds: appends
# the milliseconds from the start to that frame to $2.time and its peak memory in MiB to $2.mem.
start_once() {
    local program=$1 name=$2 started frame
    started=${EPOCHREALTIME/./}
    /usr/bin/time -f %M -o "$tmp/rss" "$program" >"$tmp/frame" 2>"$tmp/err" || {
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

# One row: label, unit, file of the figure, file of its floor (or - for a figure with an absolute
# goal), and the goal: the largest ratio to the floor's median, or the largest median.
row() {
    local label=$1 unit=$2 figure=$3 floor=$4 limit=$5
    read -r min med n < <(stats "$figure")
    if [ "$floor" = - ]; then
        awk -v l="$label" -v u="$unit" -v min="$min" -v med="$med" -v n="$n" -v lim="$limit" \
            'BEGIN { printf "| %s | %.2f %s | %.2f %s | %d | — | — | — | median ≤ %s %s | %s |\n",
                l, min, u, med, u, n, lim, u, (med <= lim ? "pass" : "FAIL") }'
        return
    fi
    read -r fmin fmed _ < <(stats "$floor")
    awk -v l="$label" -v u="$unit" -v min="$min" -v med="$med" -v n="$n" -v fmin="$fmin" \
        -v fmed="$fmed" -v lim="$limit" \
        'BEGIN { r = med / fmed
            printf "| %s | %.2f %s | %.2f %s | %d | %.2f %s | %.2f %s | %.2fx | ≤ %sx | %s |\n",
                l, min, u, med, u, n, fmin, u, fmed, u, r, lim, (r <= lim ? "pass" : "FAIL") }'
}

bench=$build/bench
echo "measuring: start-up ($runs starts each, after one of each not counted)" >&2
start_once "$bench/startup/qor_bench_startup" qor && rm -f "$tmp/qor.time" "$tmp/qor.mem"
start_once "$bench/startup/qor_startup_floor" floor && rm -f "$tmp/floor.time" "$tmp/floor.mem"
for _ in $(seq "$runs"); do
    start_once "$bench/startup/qor_bench_startup" qor
    start_once "$bench/startup/qor_startup_floor" floor
done

echo "measuring: star field" >&2
"$bench/starfield/qor_bench_starfield" --raw >"$tmp/starfield"
echo "measuring: slide-away exit ($runs rounds)" >&2
"$bench/qor_bench_slideaway" --raw "$runs" >"$tmp/slideaway"
echo "measuring: launch ($runs rounds)" >&2
"$bench/launch/qor_bench_launch" "$runs" >"$tmp/launch"

for name in starfield slideaway; do
    awk '{ print $1 }' "$tmp/$name" >"$tmp/$name.figure"
    awk '{ print $2 }' "$tmp/$name" >"$tmp/$name.floor"
done
awk '{ printf "%.3f\n", $1 / 1000 }' "$tmp/launch" >"$tmp/launch.figure"
awk '{ printf "%.3f\n", $2 / 1000 }' "$tmp/launch" >"$tmp/launch.handler"
awk '{ printf "%.3f\n", $3 / 1000 }' "$tmp/launch" >"$tmp/launch.floor"

echo "Measured $(date -u "+%Y-%m-%d %H:%M UTC") on $(nproc) processors (load average $(cut -d" " -f1-3 /proc/loadavg)), display $DISPLAY; ratio = median / floor median."
echo
echo "| figure | min | median | runs | floor min | floor median | ratio | goal | result |"
echo "| --- | --- | --- | --- | --- | --- | --- | --- | --- |"
row "start to first frame of the main window" ms "$tmp/qor.time" "$tmp/floor.time" 1.3
row "peak memory (max RSS) of that start" MiB "$tmp/qor.mem" "$tmp/floor.mem" 1.5
row "star field, every dot shown" ms "$tmp/starfield.figure" "$tmp/starfield.floor" 5
row "slide-away exit" ms "$tmp/slideaway.figure" "$tmp/slideaway.floor" 1.5
row "launch, click handler to child running" ms "$tmp/launch.figure" "$tmp/launch.floor" 4
row "launch, click handler's own duration" ms "$tmp/launch.handler" - 2
