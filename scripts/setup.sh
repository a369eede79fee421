#!/usr/bin/env bash
# Installs the Debian packages a step needs, when any is missing. Sourced by
# run.sh (velmora_setup spielen: what building and playing needs) and test.sh
# (velmora_setup spielen testen: also the test tool chain).
velmora_packages_spielen=(
  cmake ninja-build g++ pkg-config
  zlib1g-dev libsdl2-dev
  libfreetype-dev fonts-dejavu-core
)
velmora_packages_testen=(
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libpng-dev xvfb xauth xfonts-base
)

velmora_setup() {
  local wanted=() missing=()
  for set in "$@"; do
    case "$set" in
      spielen) wanted+=("${velmora_packages_spielen[@]}") ;;
      testen) wanted+=("${velmora_packages_testen[@]}") ;;
      *) echo "velmora_setup: unknown package set $set" >&2; return 2 ;;
    esac
  done
  for p in "${wanted[@]}"; do
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
