#!/usr/bin/env bash
# Network play in two real windows on this machine, over 127.0.0.1: a server's
# person (Sara Server, FC Steinbach) and a client's person (Carl Client, FC
# Hohenau) walk the wizard of the demo world; their clubs meet on the first
# league day (11 August). Each window runs under its own Xvfb with its own
# user directories and VELMORA_DEBUG=1 (the logs count fetches and refusals).
#
#   scripts/netz_fenster.sh start [build dir]   both windows, through the wizard
#   scripts/netz_fenster.sh laden SLOT [build dir]
#                                                the server's window loads save slot SLOT
#                                                (0-9, 9 the autosave) of DIR/srv/data/velmora/
#                                                spielstand (a velmora-sim save played on the
#                                                build's installation: --install build/install),
#                                                becomes the server through the options, and the
#                                                client's window joins up to the club choice
#                                                (DIR/cli/wahl.png); the club is picked with
#                                                "rad cli N", "klick cli X Y", then Weiter
#                                                (750 508) and Ja (110 424)
#   scripts/netz_fenster.sh rad srv|cli N        N wheel steps down over the club list
#   scripts/netz_fenster.sh tage N               N rounds: each person answers a
#                                                requester or presses "Weiter"
#   scripts/netz_fenster.sh bis TAG [N]          rounds of "tage 1" (at most N, default 400)
#                                                until both logs reached day index TAG
#   scripts/netz_fenster.sh puffer               per day of each log: the announcements
#                                                taken into the buffer ("IN BUFFER") and
#                                                those refused or dropped (a line counts
#                                                for the day the log named last: a match's
#                                                pages for the match day)
#   scripts/netz_fenster.sh klick srv|cli X Y    a click in one window
#   scripts/netz_fenster.sh bild srv|cli NAME    a screenshot (DIR/srv/NAME.png)
#   scripts/netz_fenster.sh bytes                what the client received so far
#   scripts/netz_fenster.sh zaehlen              the client log's fetches and refusals
#   scripts/netz_fenster.sh groessen             the sizes the server answered the
#                                                client's store and calendar fetches
#   scripts/netz_fenster.sh toeten               the client's program ends at once (kill -9)
#   scripts/netz_fenster.sh wieder [build dir]   the client's program starts again in its
#                                                window's X server and joins as Carl Client
#                                                up to the club choice (DIR/cli/wahl.png);
#                                                the club is a "klick cli X Y" then
#   scripts/netz_fenster.sh stopp                both programs and X servers end
# $NETZ_SEITEN_KLICKEN ("srv", "cli" or "srv cli"): in those windows "tage" also ends a
# match-day page (anything without the main screen's top bar) by a click into it.
# $NETZ_SEITEN_BEHALTEN, when set, is a directory where "tage" keeps every screen without
# the main screen's top bar (pages, live matches, boxes) before it answers it, as
# NNNN_srv|cli_tDAY.png (DAY the day index of that window's log).
# DIR is $NETZ_FENSTER (default /tmp/netz_fenster). $NETZ_CLIENT_UMGEBUNG, when set,
# holds NAME=VALUE words the client's program is started with (a relay's redirect).
# Needs xvfb, xdotool, imagemagick.
set -euo pipefail
dir=${NETZ_FENSTER:-/tmp/netz_fenster}
befehl=${1:-}
shift || true

anzeige() { cat "$dir/$1/display"; }
fenster() { cat "$dir/$1/win"; }
xd() { local w=$1; shift; DISPLAY=$(anzeige "$w") xdotool "$@"; }
klick() { xd "$1" mousemove --window "$(fenster "$1")" "$2" "$3"; sleep 0.3; xd "$1" click 1; }
tippen() { local w=$1; shift; xd "$w" type --window "$(fenster "$w")" --delay 60 -- "$*"; }
taste() { xd "$1" key --window "$(fenster "$1")" "$2"; }
oben() { convert "$1" -crop 1x1+400+5 txt:- | tail -1 | sed 's/.*(\([0-9]*,[0-9]*,[0-9]*\).*/\1/'; }   # the main screen's top bar: 16,36,57
tag() { { echo "(Tag 0)"; grep -o "(Tag [0-9]*)" "$dir/$1/program.log" || true; } | tail -1 | tr -dc 0-9; }   # the log's last day index
bild() { mkdir -p "$dir/$1"; DISPLAY=$(anzeige "$1") import -window "$(fenster "$1")" "$dir/$1/$2.png"; echo "$dir/$1/$2.png"; }

starten() {   # name display program...
  local w=$1 d=$2; shift 2
  mkdir -p "$dir/$w/cfg" "$dir/$w/data" "$dir/$w/cache"
  echo "$d" > "$dir/$w/display"
  Xvfb "$d" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! > "$dir/$w/xpid"
  sleep 1
  programm "$w" "$d" "$@"
}

programm() {   # name display program...: the program in a running X server, its window found
  local w=$1 d=$2; shift 2
  DISPLAY=$d XDG_CONFIG_HOME=$dir/$w/cfg XDG_DATA_HOME=$dir/$w/data XDG_CACHE_HOME=$dir/$w/cache VELMORA_DEBUG=1 \
    "$@" >> "$dir/$w/program.log" 2>&1 < /dev/null &
  echo $! > "$dir/$w/pid"
  local win=""
  for _ in $(seq 100); do
    win=$(DISPLAY=$d xdotool search --onlyvisible --pid "$(cat "$dir/$w/pid")" 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "netz_fenster: $w opened no window (see $dir/$w/program.log)"; exit 1; }
  echo "$win" > "$dir/$w/win"
  sleep 3
}

beitreten() {   # the client's start screen to the club choice: network, address, join, name, portrait, country
  klick cli 390 522; sleep 1; klick cli 549 453; sleep 0.6   # network on as client, the address
  for _ in $(seq 16); do taste cli BackSpace; sleep 0.12; done
  tippen cli 127.0.0.1; sleep 0.3; taste cli Return; sleep 1
  klick cli 425 216; sleep 5                                 # join
  tippen cli Carl Client; sleep 0.5; taste cli Return; sleep 1.2
  klick cli 640 215; sleep 1.2; klick cli 600 206; sleep 1.5 # portrait, Deutschland
}

case $befehl in
  start)
    build=${1:-build}
    prog=("$build/velmora" -w -i --datadir "$build/install")
    starten srv ":$((200 + RANDOM % 300))" "${prog[@]}"
    klick srv 390 522; sleep 1; klick srv 290 550; sleep 1     # network on, this machine the server
    klick srv 425 216; sleep 2.5                               # "Neues Spiel"
    klick srv 592 270; sleep 0.6; klick srv 750 508; sleep 1.2 # one manager
    klick srv 600 320; sleep 1.2; tippen srv Sara Server; taste srv Return; sleep 1.2
    klick srv 556 215; sleep 1.2; klick srv 600 206; sleep 1.2 # portrait, Deutschland
    klick srv 600 206; sleep 1.2; klick srv 600 206; sleep 2   # FC Steinbach, Deutschland Liga 1
    klick srv 111 425; sleep 6; bild srv start
    # shellcheck disable=SC2086
    starten cli ":$((500 + RANDOM % 300))" env ${NETZ_CLIENT_UMGEBUNG:-} "${prog[@]}"
    beitreten
    klick cli 600 308; sleep 2; klick cli 111 425; sleep 8     # FC Hohenau
    bild cli start
    ;;
  laden)
    slot=${1:?laden SLOT}
    build=${2:-build}
    prog=("$build/velmora" -w -i --datadir "$build/install")
    starten srv ":$((200 + RANDOM % 300))" "${prog[@]}"
    klick srv 390 522; sleep 1; klick srv 290 550; sleep 1     # network on, this machine the server
    klick srv 425 389; sleep 2                                 # "Spiel laden"
    klick srv 300 $((196 + 27 * slot)); sleep 0.5; klick srv 707 382; sleep 6
    klick srv 689 423; sleep 1                                 # whose turn it is
    # The menu opens on the press; the release over an entry chooses it.
    xd srv mousemove --window "$(fenster srv)" 610 581 mousedown 1; sleep 0.5
    xd srv mousemove --window "$(fenster srv)" 622 559; sleep 0.4; xd srv mouseup 1; sleep 1.5
    klick srv 60 306; sleep 2; klick srv 689 423; sleep 1      # "dieser Rechner ist Server", its message
    klick srv 722 478; sleep 1; bild srv start                 # the options closed
    # shellcheck disable=SC2086
    starten cli ":$((500 + RANDOM % 300))" env ${NETZ_CLIENT_UMGEBUNG:-} "${prog[@]}"
    beitreten
    bild cli wahl
    ;;
  rad)
    xd "$1" mousemove --window "$(fenster "$1")" 600 300
    for ((i = 0; i < $2; ++i)); do xd "$1" click 5; sleep 0.2; done
    ;;
  toeten) kill -9 "$(cat "$dir/cli/pid")" ;;
  wieder)
    build=${1:-build}
    # shellcheck disable=SC2086
    programm cli "$(anzeige cli)" env ${NETZ_CLIENT_UMGEBUNG:-} "$build/velmora" -w -i --datadir "$build/install"
    beitreten
    bild cli wahl
    ;;
  tage)
    for ((i = 1; i <= ${1:-1}; ++i)); do
      for w in srv cli; do
        f=$(bild "$w" runde)
        if [ -n "${NETZ_SEITEN_BEHALTEN:-}" ] && [ "$(oben "$f")" != "16,36,57" ]; then
          mkdir -p "$NETZ_SEITEN_BEHALTEN"
          n=$(find "$NETZ_SEITEN_BEHALTEN" -name '*.png' | wc -l)
          cp "$f" "$NETZ_SEITEN_BEHALTEN/$(printf %04d "$n")_${w}_t$(tag "$w").png"
        fi
        g=$(convert "$f" -crop 1x1+730+590 txt:- | tail -1 | sed 's/.*(\([0-9]*\),\([0-9]*\),.*/\2/')
        if ((g > 60)); then klick "$w" 752 583       # "Weiter" lit
        elif ((g < 20)); then klick "$w" 689 423     # a requester's OK or "Nein"
        elif [[ " ${NETZ_SEITEN_KLICKEN:-} " == *" $w "* ]] && [ "$(oben "$f")" != "16,36,57" ]; then
          klick "$w" 400 300                         # a match-day page: a click ends it
        fi
      done
      sleep 1.5
    done
    ;;
  bis)
    ziel=${1:?bis TAG}
    for ((r = 0; r < ${2:-400}; ++r)); do
      if (($(tag srv) >= ziel && $(tag cli) >= ziel)); then echo "day srv $(tag srv) cli $(tag cli) after $r rounds"; exit 0; fi
      "$0" tage 1 >/dev/null
    done
    echo "netz_fenster: day $ziel not reached (srv $(tag srv), cli $(tag cli))"
    exit 1
    ;;
  puffer)
    for w in srv cli; do
      echo "$w:"
      awk '/\(Tag [0-9]+\)/ {match($0, /\(Tag [0-9]+\)/); t = substr($0, RSTART + 5, RLENGTH - 6) + 0}
           /--> IN BUFFER/ {n[t]++; d[t] = 1} /NICH.* IN BUFFER|verworfen/ {v[t]++; d[t] = 1}
           END {for (k in d) printf "  day %d: %d in the buffer, %d refused or dropped\n", k, n[k], v[k]}' \
        "$dir/$w/program.log" | sort -k2n
    done
    ;;
  klick) klick "$1" "$2" "$3" ;;
  bild) bild "$1" "$2" ;;
  bytes) ss -tin state established '( dport = :3040 )' | grep -o 'bytes_received:[0-9]*' | head -1 ;;
  zaehlen)
    for muster in "Spielfeld_Vom_Server_Holen: Spiel .* geholt" "CHECKSUM FEHLER" "Wechselplatz ausserhalb" "verworfen"; do
      printf '%6d  %s\n' "$(grep -c -e "$muster" "$dir/cli/program.log" || true)" "$muster"
    done
    ;;
  groessen)
    grep -h "Abgleich" "$dir/srv/program.log" | sed 's/: Abgleich \([0-9]*\) von \([0-9]*\) Bytes/ \1 \2/' |
      awk '{n[$1]++; s[$1]+=$2; if ($2 > m[$1]) m[$1]=$2; g[$1]=$3}
           END {for (k in n) printf "%-24s %5d answers, %9d bytes in all, largest %7d, the whole block %7d\n", k, n[k], s[k], m[k], g[k]}'
    ;;
  stopp)
    for w in srv cli; do
      [ -f "$dir/$w/pid" ] && kill "$(cat "$dir/$w/pid")" 2>/dev/null || true
      [ -f "$dir/$w/xpid" ] && kill "$(cat "$dir/$w/xpid")" 2>/dev/null || true
    done
    ;;
  *) sed -n '2,/^# Needs/p' "$0"; exit 2 ;;
esac
