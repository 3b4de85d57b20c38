#!/usr/bin/env bash
# Log viewer: open a 750,000-byte capture file and Find All of a word on every
# tenth line, in the real window offscreen, beside grep -n on the same file.
#
#   bash bench/viewer-find-all.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTILLSCRIBE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target viewer-find-all >/dev/null

file=$(mktemp /tmp/viewer-bench.XXXXXX)
trap 'rm -f "$file"' EXIT
i=0
while [ "$(stat -c %s "$file")" -lt 749900 ]; do
    for n in 0 1 2 3 4 5 6 7 8 9; do
        if [ $n -eq 0 ]; then echo "TOTAL $i        12.50"; else echo "ITEM $i.$n     BREAD   2.49"; fi
    done | sed 's/$/\r/' >>"$file"
    i=$((i + 1))
done
truncate -s 750000 "$file"

for _ in 1 2 3; do "$build/bench/viewer-find-all" "$file" total; done
for _ in 1 2 3; do
    start=$(date +%s%N)
    grep -n -i total "$file" >/dev/null
    end=$(date +%s%N)
    echo "grep -n    $(( (end - start) / 1000000 )) ms"
done
