#!/usr/bin/env bash
# The day's hand-over of network play, measured (a benchmark, not a test): a
# server's and a client's window on this machine (scripts/netz_fenster.sh), the
# client joined to the server through scripts/relais.py on 127.0.0.1, which
# logs every request the client sends. The game has no setting for its port,
# so the client's connection to 127.0.0.1:3040 is led to the relay's port by a
# preloaded connect (scripts/relais_umleitung.c). The game starts without delay;
# DAYS days are handed over without delay, then DAYS more with RTT ms of round
# trip (RTT/2 each way). Each round both persons press "Weiter" (or answer a
# requester) and the script waits until the client has sent nothing but its
# sign of life (1004) for 5 s.
#
#   scripts/uebergabe_zeit.sh [BUILD] [DAYS] [RTT]      defaults: build 3 200
#
# A line per day the client reported (request 1029): the round trip, the
# seconds from the request with which the client saw the new day (the last
# calendar question, 1040) to the answer of its last request (the hand-over),
# the remote calls in it (the sign of life not counted) and the most frequent
# requests; then the mean per round trip. The seconds from the report to the
# end (the server's day and the client's wait of up to 1 s included) stand
# beside it. DIR is $UEBERGABE_DIR (default /tmp/uebergabe_zeit): the relay's
# log and the windows' logs and pictures. The relay listens on $UEBERGABE_PORT
# (default 3041). Needs what netz_fenster.sh needs, python3 and cc.
set -euo pipefail
build=${1:-build}
tage=${2:-3}
rtt=${3:-200}
dir=${UEBERGABE_DIR:-/tmp/uebergabe_zeit}
port=${UEBERGABE_PORT:-3041}
hier=$(cd "$(dirname "$0")" && pwd)
ruhe_s=3

# shellcheck source=relais_lauf.sh
. "$hier/relais_lauf.sh"
relais_starten uebergabe_zeit "$dir" "$port" "$rtt"
export NETZ_FENSTER=$dir/fenster
aufraeumen() {
  "$hier/netz_fenster.sh" stopp || true
  kill "$relais" 2>/dev/null || true
}
trap aufraeumen EXIT
sleep 0.5
NETZ_CLIENT_UMGEBUNG="LD_PRELOAD=$dir/umleitung.so VELMORA_RELAIS=3040:$port" "$hier/netz_fenster.sh" start "$build"
grep -q ' 1 1036$' "$log" || { echo "uebergabe_zeit: the client did not join through the relay (see $log)"; exit 1; }

# The time of the log's last line that is not the sign of life, and the number of reports.
letzte() { awk '$1 !~ /^#/ && $4 != 1004 {t = $1} END {print t + 0}' "$log"; }
berichte() { awk '$4 == 1029 {n++} END {print n + 0}' "$log"; }
jetzt_ms() { awk '$1 !~ /^#/ {t = $1} END {print t + 0}' "$log"; }

runde() {
  local vorher start
  vorher=$(berichte)
  start=$SECONDS
  "$hier/netz_fenster.sh" tage 1 >/dev/null
  while (($(berichte) == vorher)); do
    # A requester or a page took the click: another round of clicks.
    if ((SECONDS - start > 20)); then "$hier/netz_fenster.sh" tage 1 >/dev/null; start=$SECONDS; fi
    sleep 0.5
  done
  start=$SECONDS
  local zuletzt=-1 seit=$SECONDS
  while ((SECONDS - start < 300)); do
    local l
    l=$(letzte)
    if ((l != zuletzt)); then zuletzt=$l; seit=$SECONDS; fi
    ((SECONDS - seit >= ruhe_s)) && return 0
    sleep 0.5
  done
  echo "uebergabe_zeit: the client did not come to rest within 300 s"
}

for ((i = 0; i < tage; ++i)); do runde; done
kill -USR2 "$relais"
for ((i = 0; i < tage; ++i)); do runde; done
"$hier/netz_fenster.sh" bild cli ende >/dev/null

python3 - "$log" <<'EOF'
import collections, sys
verzug = 0
anfragen = []                # (ms, id, round trip), the sign of life (1004) left out
for z in open(sys.argv[1]).read().split("\n"):
    t = z.split()
    if not t:
        continue
    if t[0] == "#":
        verzug = int(t[2])
    elif t[2] == "1" and t[3] != "1004":
        anfragen.append((int(t[0]), int(t[3]), 2 * verzug))
summe = collections.defaultdict(lambda: [0, 0.0, 0])
for b in (i for i, a in enumerate(anfragen) if a[1] == 1029):
    rtt = anfragen[b][2]
    # Back from the report over the calls that came one after the other (the
    # click's own calls), on to where the client rests for 2.5 s (the calendar
    # question while it waits for the server's day comes once a second).
    beginn, ende = b, b
    while beginn > 0 and anfragen[beginn][0] - anfragen[beginn - 1][0] < rtt + 400:
        beginn -= 1
    while ende + 1 < len(anfragen) and anfragen[ende + 1][0] - anfragen[ende][0] < 2500:
        ende += 1
    rufe = [a[1] for a in anfragen[beginn:ende + 1]]
    sek = (anfragen[ende][0] + rtt - anfragen[beginn][0]) / 1000
    haeufig = ", ".join(f"{i} x{n}" for i, n in collections.Counter(rufe).most_common(4))
    print(f"round trip {rtt:4d} ms  hand-over {sek:6.2f} s  remote calls {len(rufe):4d}  most: {haeufig}")
    s = summe[rtt]
    s[0] += 1
    s[1] += sek
    s[2] += len(rufe)
for rtt, (n, sek, rufe) in sorted(summe.items()):
    print(f"mean at {rtt} ms round trip over {n} days: {sek / n:.2f} s, {rufe / n:.1f} remote calls a day")
EOF
