#!/usr/bin/env bash
# Sets up, builds and starts Tessaloquine. Arguments are passed to the program
# (the first one may name a worksheet to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec ./build/bin/Tessaloquine "$@"
