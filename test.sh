#!/usr/bin/env bash
# Builds everything and runs the whole suite, then builds and runs it again
# with AddressSanitizer, UndefinedBehaviorSanitizer and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
velmora_setup spielen testen
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVELMORA_SANITIZE=ON -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF
cmake --build build-san -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-san --output-on-failure -j "$jobs"
