#!/usr/bin/env bash
# Filter throughput: tillscribe-cli filter over a 100 MB register-like stream,
# beside cat of the same file (the floor), best of three runs each.
#
#   bash bench/filter-throughput.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
megabytes=${2:-100}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTILLSCRIBE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tillscribe-cli register-stream >/dev/null

stream=$(mktemp /tmp/register-stream.XXXXXX)
trap 'rm -f "$stream"' EXIT
"$build/bench/register-stream" "$megabytes" >"$stream"
cat "$stream" >/dev/null # warm the page cache

best() { # command... -> best wall seconds of three runs
    local best=
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        best=$(echo "$end - $start" | bc -l | awk -v b="$best" '{ if (b == "" || $1 < b) print $1; else print b }')
    done
    echo "$best"
}

floor=$(best cat "$stream")
printf '%-10s %8.3f s %9.1f MB/s\n' cat "$floor" "$(echo "$megabytes / $floor" | bc -l)"
for model in ER-650 ER-6500 SPS-1000; do
    t=$(best "$build/app/tillscribe-cli" filter --model "$model" "$stream")
    printf '%-10s %8.3f s %9.1f MB/s  %5.1fx cat\n' "$model" "$t" \
        "$(echo "$megabytes / $t" | bc -l)" "$(echo "$t / $floor" | bc -l)"
done
