#!/usr/bin/env bash
# Plays small-world days with every match computed live under the invariant
# checker until at least the given number of live matches has been played:
# scripts/live_checks.sh [matches] [velmora-sim binary]
# Run it with the sanitizer build (build-san/tools/velmora-sim) to play the
# matches under AddressSanitizer and UndefinedBehaviorSanitizer.
set -uo pipefail
cd "$(dirname "$0")/.."
want=${1:-100}
sim=${2:-build/tools/velmora-sim}
[ -x "$sim" ] || { echo "build $sim first" >&2; exit 2; }
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
total=0 seed=1
while [ "$total" -lt "$want" ]; do
  out=$("$sim" --small --seed "$seed" --days 60 --live --check --stats 2>&1)
  rc=$?
  n=$(printf '%s\n' "$out" | sed -n 's/^Live berechnete Spiele: \([0-9]*\)$/\1/p')
  if [ "$rc" -ne 0 ] || [ -z "$n" ]; then
    printf '%s\n' "$out" | tail -n 20
    echo "seed $seed: status $rc after $total live matches" >&2
    exit 1
  fi
  total=$((total + n))
  echo "seed $seed: $n live matches, $total in all"
  seed=$((seed + 1))
done
echo "$total live matches kept every rule"
