#!/usr/bin/env bash
# Lost "Weiter" clicks of a network client, measured (not a test): a server's
# and a client's window on this machine (scripts/netz_fenster.sh), the client
# joined through scripts/relais.py on 127.0.0.1 with RTT ms of round trip
# (RTT/2 each way) from the first day on. Each day the client's "Weiter" is
# clicked once as xdotool clicks (press and release at once), 0-6 s after it
# is seen lit; a click after which the client sends no report (1029) within
# 8 s is counted lost and clicked again. The server's person ends its turn and
# answers its boxes; the client's boxes are answered. The screen 0.15 s after
# each client click is kept as DIR/nach_N.png (a box that opened then took it).
#
#   scripts/klick_verlust.sh [BUILD] [DAYS] [RTT]      defaults: build 20 200
#
# DIR is $KLICK_VERLUST_DIR (default /tmp/klick_verlust); the relay listens on
# port 3041. Needs what netz_fenster.sh needs, python3 and cc.
set -euo pipefail
build=${1:-build}
tage=${2:-20}
rtt=${3:-200}
dir=${KLICK_VERLUST_DIR:-/tmp/klick_verlust}
port=3041
hier=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=relais_lauf.sh
. "$hier/relais_lauf.sh"
relais_starten klick_verlust "$dir" "$port" "$rtt"
export NETZ_FENSTER=$dir/fenster
nf() { "$hier/netz_fenster.sh" "$@"; }
trap 'nf stopp || true; kill "$relais" 2>/dev/null || true' EXIT
sleep 0.5
NETZ_CLIENT_UMGEBUNG="LD_PRELOAD=$dir/umleitung.so VELMORA_RELAIS=3040:$port" nf start "$build"
grep -q ' 1 1036$' "$log" || { echo "klick_verlust: the client did not join through the relay (see $log)"; exit 1; }
kill -USR2 "$relais"

berichte() { awk '$4 == 1029 {n++} END {print n + 0}' "$log"; }
# The green of the panel's "Weiter" (97 lit, 77 resting, below 20 under a box).
gruen() { convert "$(nf bild "$1" runde)" -crop 1x1+730+590 txt:- | tail -1 | sed 's/.*(\([0-9]*\),\([0-9]*\),.*/\2/'; }
antworten() {   # the server's turn ended or its box answered; the client's box answered
  local g
  g=$(gruen srv)
  if ((g > 87)); then nf klick srv 752 583; elif ((g < 20)); then nf klick srv 689 423; fi
  g=$(gruen cli)
  if ((g < 20)); then nf klick cli 689 423; fi
}
klicks=0 verloren=0 b0=$(berichte)
for ((i = 0; i < tage; ++i)); do
  vorher=$(berichte)
  while (($(berichte) == vorher)); do
    start=$SECONDS
    until (($(gruen cli) > 87)); do
      antworten
      ((SECONDS - start > 90)) && { echo "day $i: the client's Weiter never lit"; exit 1; }
    done
    sleep "$((RANDOM % 6)).$((RANDOM % 10))"
    nf klick cli 752 583
    klicks=$((klicks + 1))
    sleep 0.15
    cp "$(nf bild cli nach)" "$dir/nach_$klicks.png"
    start=$SECONDS
    while (($(berichte) == vorher)) && ((SECONDS - start < 8)); do sleep 0.3; done
    if (($(berichte) == vorher)); then
      verloren=$((verloren + 1))
      echo "day $i: click $klicks brought no report (screen after it: $dir/nach_$klicks.png)"
    fi
  done
  antworten
done
echo "days $tage at $rtt ms round trip: client Weiter clicks $klicks, reports $(($(berichte) - b0)), lost $verloren"
