#!/usr/bin/env bash
# Sets up, builds and runs every test: once in the normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets for a
# short fixed time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTQ_SANITIZE=ON -DTQ_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -f scripts/fuzz.sh ]; then
  echo "== fuzz targets"
  bash scripts/fuzz.sh "${TQ_FUZZ_SECONDS:-20}"
fi
