#!/usr/bin/env bash
# Capture pipeline: the real tillscribe, offscreen, fed 20 MB of register-like
# bytes through a pty as fast as the kernel allows, beside picocom --logfile
# capturing the same stream in the same run.
#
#   bash bench/capture-pipeline.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
megabytes=${2:-20}

command -v picocom >/dev/null || { echo "needs picocom (apt-get install picocom)"; exit 2; }
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTILLSCRIBE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tillscribe tillscribe-cli register-stream capture-pipeline >/dev/null

work=$(mktemp -d /tmp/capture-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$build/bench/register-stream" "$megabytes" >"$work/stream"
"$build/app/tillscribe-cli" filter --model SPS-1000 "$work/stream" >"$work/expected"

"$build/bench/capture-pipeline" tillscribe "$build/app/tillscribe" "$work/stream" "$work/expected"
"$build/bench/capture-pipeline" picocom picocom "$work/stream"
