#!/usr/bin/env bash
# Plays the lock-step's relay runs (two velmora-netmatch processes through a
# relay on 127.0.0.1: direct, with 50 +- 20 ms and 200 +- 100 ms of delay, a
# 5 s stall and one byte at a time) a number of rounds, as a soak beyond the
# suite's one round:
#   scripts/netmatch_checks.sh [rounds] [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
runden=${1:-1}
build=${2:-build}
for ((i = 1; i <= runden; ++i)); do
  "$build/tests/test_match" --gtest_filter='Relay/NetMatch.*'
done
