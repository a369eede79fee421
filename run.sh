#!/usr/bin/env bash
# Builds Velmora and starts the game from this checkout: in a window where a
# display exists, else as a headless run of the main job. The installation is
# the one this checkout's build generates (--datadir), so a second clone runs
# its own and the settings file names none. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
velmora_setup spielen
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target velmora velmora_sim icon installation demo_welt
exec ./build/velmora --datadir "$PWD/build/install" "$@"
