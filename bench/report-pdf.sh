#!/usr/bin/env bash
# The find-all report of 10,000 entries made into a PDF: pages per second.
#
#   bash bench/report-pdf.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTILLSCRIBE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target report-pdf >/dev/null
for _ in 1 2 3; do "$build/bench/report-pdf" 10000 2>/dev/null; done
rm -f /tmp/report-bench.pdf
