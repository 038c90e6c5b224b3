#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (fuzz/, in build-fuzz/) and runs each in turn for the
# given number of seconds (default 60), starting from its committed seeds in fuzz/corpus/<target>/.
# New inputs go to build-fuzz/corpus/<target>/, crashing ones to build-fuzz/artifacts/<target>/.
# Prints one line per target and exits non-zero if any target found a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${QOR_FUZZ_BUILD_DIR:-build-fuzz}
targets=(key_notation command_line connection_string)

bash scripts/setup-hardening.sh
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    result=clean
    if ! "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        result="FAILED, see $log and $artifacts/"
        status=1
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9]+[a-zA-Z]*' "$log" | tail -1)
    echo "$target: ${seconds}s, ${executions:-?} executions, $coverage, $result"
done
exit $status
