#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
# Sourced by run.sh and test.sh.
velmora_packages=(
  cmake ninja-build g++ clang pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libsdl2-dev libclang-rt-14-dev
  libjpeg62-turbo-dev libpng-dev xvfb xauth
  libfreetype-dev fonts-dejavu-core
)

velmora_setup() {
  local missing=()
  for p in "${velmora_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get install -y --no-install-recommends "${missing[@]}" \
    || { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; }
}

velmora_setup
