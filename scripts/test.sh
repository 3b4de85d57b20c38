#!/usr/bin/env bash
# Installs dependencies, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/setup-cups.sh || echo "No CUPS scheduler here: the real print test will be skipped."
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DTILLSCRIBE_SANITIZE=ON
cmake --build build-tests -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-tests
ctest --output-on-failure -j"$(nproc)" --timeout 300
