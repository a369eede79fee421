#!/usr/bin/env bash
# Builds Velmora, generates the demo world and starts the game: in a window
# where a display exists, else as a headless run of the main job.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec ./build/velmora "$@"
