#!/usr/bin/env bash
# Installs dependencies, builds Tillscribe and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -x build/app/tillscribe ]; then
    exec build/app/tillscribe "$@"
fi
exec build/app/tillscribe-cli --help
