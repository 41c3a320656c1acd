#!/usr/bin/env bash
# Runs the libFuzzer binaries one after another.
#   fuzz/run_fuzzers.sh [seconds per target] [target ...]
# Needs a fuzz build in build-fuzz (see docs/FUZZING.md). New inputs go to
# build-fuzz/fuzz-corpus/<target>/ and crashes to build-fuzz/fuzz-artifacts/<target>/; the
# committed seeds in fuzz/corpus/<target>/ are read, never written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VIREO_FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-150}
shift || true
if [ $# -eq 0 ]; then
    set -- $(cd "$root/fuzz/targets" && ls *.cpp sim/*.cpp gui/*.cpp | xargs -n1 basename | sed 's/\.cpp$//')
fi
status=0
for target in "$@"; do
    corpus=$build/fuzz-corpus/$target
    artifacts=$build/fuzz-artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    echo "== $target: $seconds s"
    leaks=1
    # Qt's font handling (fontconfig) keeps caches that LeakSanitizer takes for leaks.
    if [ -f "$root/fuzz/targets/gui/$target.cpp" ]; then leaks=0; fi
    if ! ASAN_OPTIONS="detect_leaks=$leaks${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
        QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} nice -n 10 "$build/bin/fuzz_$target" \
        "$corpus" "$root/fuzz/corpus/$target" -detect_leaks=$leaks \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >"$build/fuzz-$target.log" 2>&1; then
        echo "   crashed: see $build/fuzz-$target.log and $artifacts/"
        status=1
    fi
    # Coverage at the start and at the end, then libFuzzer's own totals.
    grep -E "^#[0-9]+[[:space:]]+INITED" "$build/fuzz-$target.log" | sed 's/^/   /' || true
    grep -E "^#[0-9]+[[:space:]]" "$build/fuzz-$target.log" | tail -1 | sed 's/^/   /' || true
    grep -E "stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)" \
        "$build/fuzz-$target.log" | sed 's/^/   /' || true
done
exit $status
