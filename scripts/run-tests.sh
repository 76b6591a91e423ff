#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the unit suite,
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and
# each fuzz target for a bounded time (FUZZ_SECONDS each, default 45).
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1
fuzz_seconds=${FUZZ_SECONDS:-45}
passed=0
failed=0
# What failed, repeated at the end where a log cut to its last lines still shows it.
failures=()

# run_suite <build dir> <cmake options...>
run_suite() {
    local dir=$1
    shift
    echo "=== Building $dir"
    if ! cmake -S . -B "$dir" -G Ninja "$@" >/dev/null || ! cmake --build "$dir" -j2; then
        failed=$((failed + 1))
        failures+=("$dir: the build failed")
        return
    fi
    echo "=== Testing $dir"
    local log
    log=$(mktemp)
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 300) | tee "$log"
    local summary
    summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    if [[ -z "$summary" ]]; then
        failed=$((failed + 1))
        failures+=("$dir: ctest printed no summary")
    else
        local total fails
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
        fails=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
        passed=$((passed + total - fails))
        failed=$((failed + fails))
        [[ $fails -gt 0 ]] && failures+=("$dir: $(sed -n '/The following tests FAILED/,$p' "$log" | tail -n +2 | xargs)")
    fi
    rm -f "$log"
}

run_fuzzers() {
    local dir=build-fuzz
    echo "=== Building fuzz targets"
    if ! cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
            -DQB_BUILD_FUZZ=ON -DQB_BUILD_TESTS=OFF -DQB_BUILD_GUI=OFF >/dev/null || ! cmake --build "$dir" -j2; then
        failed=$((failed + 1))
        failures+=("$dir: the build failed")
        return
    fi
    local target work binary
    # Every target built is fuzzed, so a new one cannot be left out here.
    for binary in "$dir"/fuzz/fuzz_*; do
        [[ -f $binary && -x $binary ]] || continue
        target=${binary##*/fuzz_}
        work=$(mktemp -d)
        cp -r "fuzz/corpus/$target/." "$work/" 2>/dev/null
        [[ $target == file || $target == convert || $target == listing || $target == check ]] && cp data/*.QBF "$work/" 2>/dev/null
        echo "=== Fuzzing $target for ${fuzz_seconds}s"
        if "$binary" -max_total_time="$fuzz_seconds" -rss_limit_mb=4096 -print_final_stats=1 \
                -artifact_prefix="$work-" \
                "$work" >"$work.log" 2>&1; then
            grep -E 'Done [0-9]+ runs' "$work.log"
            passed=$((passed + 1))
        else
            tail -40 "$work.log"
            failed=$((failed + 1))
            failures+=("fuzz_$target: $(grep -m1 -E '^(==[0-9]+==ERROR|SUMMARY|ERROR)' "$work.log")")
            local artifact
            for artifact in "$work"-*; do
                [[ -f $artifact ]] && failures+=("  input ${artifact#"$work"-} (base64): $(base64 -w0 "$artifact")")
            done
        fi
        rm -rf "$work" "$work"-* "$work.log"
    done
}

echo "=== Checking the format"
if scripts/check-format.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    failures+=("the format check")
fi
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON -DQB_WERROR=ON
run_fuzzers
run_suite build -DCMAKE_BUILD_TYPE=Debug -DQB_WERROR=ON

[[ ${#failures[@]} -gt 0 ]] && printf 'failed: %s\n' "${failures[@]}"
echo "tests: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
