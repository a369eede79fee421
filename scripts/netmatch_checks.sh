#!/usr/bin/env bash
# Plays the lock-step's relay runs (two velmora-netmatch
# processes through a relay on 127.0.0.1 with 50 +- 20 ms and 200 +- 100 ms of
# delay, a 5 s stall and one byte at a time), one at a time, a number of rounds:
#   scripts/netmatch_checks.sh [rounds] [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
runden=${1:-1}
build=${2:-build}
for ((i = 1; i <= runden; ++i)); do
  VELMORA_NETZ_ZEITEN=1 "$build/tests/test_match" --gtest_filter='Relay/NetMatch.*'
done
