#!/usr/bin/env bash
# Plays many seeded seasons with velmora-sim and counts the exit statuses:
# scripts/seasons.sh [small count] [full count] [parallel jobs]
# A season that hangs is stopped after 120 s and counted as status 124.
set -uo pipefail
cd "$(dirname "$0")/.."
sim=build/tools/velmora-sim
small=${1:-300} full=${2:-50} jobs=${3:-2}
[ -x "$sim" ] || { echo "build $sim first" >&2; exit 2; }
run() { timeout 120 "$sim" $1 --seed "$2" --days 365 --humans 1 > /dev/null 2>&1; echo "$1 $2 $?"; }
export -f run
export sim
{
  seq 1 "$small" | xargs -P "$jobs" -I{} bash -c 'run --small {}'
  seq 1 "$full" | xargs -P "$jobs" -I{} bash -c 'run "" {}'
} | awk '{ n[$NF]++; if ($NF != 0) print "seed " $(NF-1) ($1 == "--small" ? " small" : " full") ": status " $NF }
         END { for (s in n) print n[s] " seasons with status " s }'
