#!/usr/bin/env bash
# Builds Velmora, prepares the installation and starts the game: in a window
# where a display exists, else as a headless run of the main job.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

# The installation lives in the build tree; register it unless one is set.
install_dir="$PWD/build/install"
mkdir -p "$install_dir"
settings="${XDG_CONFIG_HOME:-$HOME/.config}/velmora/settings.ini"
if ! grep -qs '^Work_dir=' "$settings"; then
  mkdir -p "$(dirname "$settings")"
  printf '[Software\\Brannik\\Velmora\\a_value]\nWork_dir=%s\n' "$install_dir" >> "$settings"
fi
exec ./build/velmora "$@"
