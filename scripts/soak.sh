#!/usr/bin/env bash
# Plays one long game with velmora-sim and loads its autosave every season:
#   scripts/soak.sh [seasons] [days a season] [velmora-sim options]
# (default 50 seasons of 365 days on the full world, two human managers who
# act as computer managers do: --humans 2 --active).
#
# The first season starts a new game; every later one loads the autosave
# (slot 9) the season before left behind and plays on from it, so the game
# goes on through every save and load. A last run loads the final autosave.
# One line a season: the day and date the season ended on, the autosave's
# size and the run's exit status, with the run's error text when it failed.
# Ends 0 only when every season played and every load succeeded. VELMORA_SIM
# names another velmora-sim than the build tree's.
set -uo pipefail
cd "$(dirname "$0")/.."
sim=${VELMORA_SIM:-build/tools/velmora-sim}
seasons=${1:-50} days=${2:-365}
shift $(($# < 2 ? $# : 2))
optionen=("$@")
[ ${#optionen[@]} -gt 0 ] || optionen=(--humans 2 --active)
[ -x "$sim" ] || { echo "build $sim first" >&2; exit 2; }
user=$(mktemp -d "${TMPDIR:-/tmp}/velmora_soak.XXXXXX")
trap 'rm -rf "$user"' EXIT
autosave="$user/spielstand/game_9.qzv"
fehler=0

# Runs velmora-sim; prints the line of the run "label" and counts a failure.
lauf() {
  local label=$1
  shift
  local aus rc tag groesse
  aus=$("$sim" --user "$user" "${optionen[@]}" "$@" 2> "$user/stderr")
  rc=$?
  tag=$(printf '%s\n' "$aus" | grep -m1 '^Tag ' || echo "Tag ?")
  groesse=$(stat -c %s "$autosave" 2> /dev/null || echo 0)
  letzter_tag=$tag
  printf '%s: %s, autosave %s bytes, status %d\n' "$label" "$tag" "$groesse" "$rc"
  if [ "$rc" -ne 0 ]; then
    sed 's/^/    /' "$user/stderr"
    fehler=$((fehler + 1))
  fi
  return "$rc"
}

# Each season ends on day season x days of the game. The autosave is written
# at the start of every seventh day, so a loaded game goes on from the last
# such day of the season before: the days to play are counted from there.
start=$(date +%s)
ende=0
for ((s = 1; s <= seasons; s++)); do
  ziel=$((s * days))
  if [ "$s" -eq 1 ]; then
    lauf "season $s (new game)" --days "$ziel" || break
  else
    tage=$((ziel - ende / 7 * 7))
    lauf "season $s (loaded)" --load 9 --days "$((tage < 1 ? 1 : tage))" || break
  fi
  ende=$(sed -n 's/^Tag \([0-9]*\):.*/\1/p' <<< "$letzter_tag")
  ende=${ende:-$ziel}
done
[ "$fehler" -eq 0 ] && lauf "final load" --load 9 --days 1
echo "soak: $seasons seasons of $days days, $fehler failed, $(($(date +%s) - start)) s"
[ "$fehler" -eq 0 ]
