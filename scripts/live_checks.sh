#!/usr/bin/env bash
# Plays live matches under the invariant checker.
#
# Small world (default): small-world days with every match computed live
# until at least the given number of live matches has been played:
#   scripts/live_checks.sh [matches] [velmora-sim binary]
# Run it with the sanitizer build (build-san/tools/velmora-sim) to play the
# matches under AddressSanitizer and UndefinedBehaviorSanitizer.
#
# Full world: whole seasons of the full world, every league match live,
# side by side (each about 460 s of CPU), seeds SEED, SEED+1, ...:
#   scripts/live_checks.sh --full [seasons] [velmora-sim binary]
# JOBS (default 2) seasons run at once, at nice 10; SEED defaults to 1000;
# each season's output and user folder (with the replay save of a stop)
# stay in OUT (default a new folder under /tmp). The longest wait of each
# kind of restart is given per season and over all, with the checker's
# longest restart ended by its period and player standing still far from
# his target in a restart.
set -uo pipefail
cd "$(dirname "$0")/.."
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

if [ "${1:-}" = "--full" ]; then
  seasons=${2:-10}
  sim=${3:-build/tools/velmora-sim}
  [ -x "$sim" ] || { echo "build $sim first" >&2; exit 2; }
  sim=$(realpath "$sim")
  jobs=${JOBS:-2} first=${SEED:-1000}
  out=${OUT:-$(mktemp -d /tmp/live_checks.XXXXXX)}
  mkdir -p "$out"
  echo "full world: $seasons seasons from seed $first, $jobs at once, output in $out"
  season() {
    local seed=$1 dir="$out/seed$1"
    mkdir -p "$dir/user"
    nice -n 10 "$sim" --seed "$seed" --days 365 --live --check --stats --no-autosave --user "$dir/user" \
      > "$dir/out.txt" 2>&1
    echo $? > "$dir/rc"
  }
  for ((i = 0; i < seasons; i++)); do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
    season $((first + i)) &
  done
  wait
  failed=0
  for ((i = 0; i < seasons; i++)); do
    seed=$((first + i)) dir="$out/seed$((first + i))"
    rc=$(cat "$dir/rc" 2>/dev/null || echo none)
    liga=$(grep -m1 '^Liga: ' "$dir/out.txt" | sed 's/^Liga: \([0-9]*\).*/\1/')
    lang=$(grep -m1 '^Laengste Standardsituation' "$dir/out.txt" | sed 's/^[^:]*: *//')
    pruef=$(grep -m1 '^Pruefer, laengste' "$dir/out.txt" | sed 's/^[^:]*: *//')
    echo "seed $seed: status $rc, ${liga:-?} league matches; longest restarts (frames): ${lang:-none}; checker: ${pruef:-none}"
    if [ "$rc" != 0 ]; then
      failed=1
      grep -a 'frame .*day .*game' "$dir/out.txt" | tail -n 3
    fi
  done
  # The longest of each kind over all seasons.
  cat "$out"/seed*/out.txt | grep '^Laengste Standardsituation' | sed 's/^[^:]*: *//' |
    awk '{ for (i = 1; i < NF; i += 2) { if (!(i in name)) name[i] = $i; if ($(i + 1) > max[i]) max[i] = $(i + 1) } }
         END { printf "longest over all seasons (frames):"; for (i = 1; i in name; i += 2) printf " %s %d", name[i], max[i]; print "" }'
  # The checker's longest restart ended by its period and player standing
  # far from his target in a restart, over all seasons.
  cat "$out"/seed*/out.txt | grep '^Pruefer, laengste' |
    sed 's/.*Abschnittsende \([0-9]*\), Stehen mit Ziel ueber 1 m \([0-9]*\).*/\1 \2/' |
    awk '{ if ($1 > e) e = $1; if ($2 > s) s = $2 } END { printf "checker over all seasons (frames): restart at a period end %d, standing far from the target %d\n", e, s }'
  [ "$failed" -eq 0 ] && echo "$seasons full-world seasons kept every rule"
  exit "$failed"
fi

want=${1:-100}
sim=${2:-build/tools/velmora-sim}
[ -x "$sim" ] || { echo "build $sim first" >&2; exit 2; }
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
