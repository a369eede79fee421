#!/usr/bin/env bash
# Network play of a server and N clients in real windows on this machine, over
# loopback only: each window runs under its own Xvfb with its own user
# directories (DIR/srv, DIR/c1 ... DIR/cN) and VELMORA_DEBUG=1; each client
# reaches the server through its own relay (scripts/relais.py on 127.0.0.1,
# port 3040+i) with a chosen round trip. The game has no setting for its
# server's port, so a client's connection to 127.0.0.1:3040 is led to its
# relay by a preloaded connect (scripts/relais_umleitung.c). Every line a
# program writes is stamped with the time it arrived (scripts/stempel.py).
#
#   scripts/netz_runde.sh spielstand [BUILD]
#       a save to start from: velmora-sim plays the small world (seed 4242, two
#       human clubs on the server) to day 296, four days before the season's
#       second-to-last league matchday; it lands in DIR/srv's autosave (slot 9),
#       and a copy that every "lauf" starts from
#   scripts/netz_runde.sh lauf [N] [RTT] [BIS] [BUILD]     defaults: 6 200 407 build
#       the server's window loads slot 9 and answers every box the loaded game
#       opens before its menu (whose turn it is, offers, courses: the main
#       screen counts once it stays 2 s), then becomes the server through
#       System > Optionen (checked: port 3040 listens). N clients join one
#       after the other as "Client 1" ... "Client N"; client i takes row
#       $NETZ_RUNDE_VEREINE[i] of the club list (default "1 2 3 4 5 7": the
#       first league's free clubs in the save above, where the server's first
#       human holds row 6, so that several matches are shared by two clients;
#       the list is in order of strength, so another build's save may need
#       other rows; a row beyond the sixth is brought up by the wheel). The joins run
#       without delay, the game with RTT ms of round
#       trip (RTT/2 each way). Then every window has its own driver, which
#       answers a box, gives a page or a live match a click, presses the lit
#       "Weiter", and waits for its log to grow, until every window still in
#       the game reached day index BIS (407 in the small-world save: the
#       league days 298 and 312, the season's change and the new season's
#       first league day, 405). A client whose log says the game ended is
#       left (its screen kept). At most $NETZ_RUNDE_FRIST seconds (7200) of
#       play. At the end "bericht". Every process the run started ends with it
#       (an error, Ctrl+C or a kill too). Six clients: some 35-45 minutes.
#   scripts/netz_runde.sh bericht
#       from the logs of the last run: per window and day the announcements
#       taken into its buffer ("IN BUFFER") and those refused or dropped
#       ("NICH IN BUFFER", "verworfen"; a line counts for the day the log named
#       last, a match's pages for the match day); per day the hand-over (from
#       the script's last action before the first window entered the day to
#       the last window in it, and from the server's entry to the last
#       client's); per window the drops ("Server antwortet nicht", "Verbindung
#       zum Server ist abgebrochen"), "CLIENT-WRITE!", "BUFFER VOLL", "schon 200
#       Spielfelder", "Weiterschalten ohne Spielfeld"; the screenshots kept
#   scripts/netz_runde.sh server [BUILD]
#       only the server's window, loaded as in "lauf" (for a look; Ctrl+C ends)
#   scripts/netz_runde.sh klick|tippen|taste|bild|zustand WINDOW ...
#       a click (X Y), text, a key (an X name), a screenshot (DIR/WINDOW/NAME.png)
#       or the screen's state in a running window (srv, c1 ...)
#   scripts/netz_runde.sh stopp
#       ends what a run left (drivers, programs, relays, X servers), by their ids
#
# DIR is $NETZ_RUNDE (default /tmp/netz_runde); "lauf" empties it except the
# save in DIR/srv/data. The screenshots are DIR/bilder/tDAY_WINDOW_NNNN_KIND.png:
# DAY the window's day index when it was taken, NNNN the window's own count,
# KIND "seite" (a match day's page, kept before its click), "spiel" (a live
# match, every tenth look), "box" (a requester, kept before its answer),
# "wahl" (the club choice), "start", "ende", "abbruch" (the screen when the
# client's log said the game ended), "beitritt_fehlt" (a join that did not
# reach the wizard). DIR/WINDOW/program.log is the window's debug output, each
# line led by the time it arrived; DIR/cI/relais.log the relay's log of the
# client's requests; DIR/klicks.log every action (time, window, day, kind).
# The game's server listens on port 3040 of every address (its own choice);
# every connection the run makes goes to 127.0.0.1.
# Needs xvfb, xdotool, xwd (x11-apps), imagemagick, python3 and cc.
set -euo pipefail
dir=${NETZ_RUNDE:-/tmp/netz_runde}
hier=$(cd "$(dirname "$0")" && pwd)
magick=$(command -v /usr/bin/convert convert | head -1)   # ImageMagick itself, not a wrapper on the PATH
py=$(python3 -c 'import sys; print(sys.executable)')      # the interpreter itself: a version manager's shim costs seconds a call
befehl=${1:-}
shift || true

anzeige() { cat "$dir/$1/display"; }
fenster() { cat "$dir/$1/win"; }
xd() { local w=$1; shift; DISPLAY=$(anzeige "$w") xdotool "$@"; }
klick() { xd "$1" mousemove --window "$(fenster "$1")" "$2" "$3"; sleep 0.2; xd "$1" click 1; }
tippen() { local w=$1; shift; xd "$w" type --window "$(fenster "$w")" --delay 60 -- "$*"; }
taste() { xd "$1" key --window "$(fenster "$1")" "$2"; }
tag() {   # the last day index in a window's log
  local t
  t=$(tail -c 200000 "$dir/$1/program.log" 2>/dev/null | grep -ao "(Tag [0-9]*)" | tail -1 || true)
  [ -n "$t" ] || t=$(grep -ao "(Tag [0-9]*)" "$dir/$1/program.log" 2>/dev/null | tail -1 || true)
  echo "${t//[^0-9]/}" | sed 's/^$/0/'
}
bild() { DISPLAY=$(anzeige "$1") xwd -silent -id "$(fenster "$1")" > "$2"; }   # a window's picture (XWD)
png() { "$magick" "xwd:$1" "$2"; }
jetzt() { date +%s.%3N; }

# A window's screen from its picture: "haupt" the main screen with "Weiter" lit,
# "warten" the main screen without it (waiting for the others), "box" a
# requester over anything (the foot's "Weiter" dimmed to black), "spiel" a live
# match (its score bar's blue in the top left corner, the foot bar's black end
# on the right), "seite" any other screen without the main screen's top bar (a
# match day's page). The top bar's colour is 16,36,57. Python reads the XWD's
# pixels: ImageMagick's start costs half a second a look on a loaded machine.
zustand() {   # picture
  "$py" - "$@" <<'PY'
import struct, sys
def lesen(name):
    with open(name, "rb") as f:
        b = f.read()
    kopf, = struct.unpack(">I", b[:4])
    bo, bpp, bpl, nfarben = struct.unpack(">I", b[28:32])[0], struct.unpack(">I", b[44:48])[0], struct.unpack(">I", b[48:52])[0], struct.unpack(">I", b[76:80])[0]
    daten = b[kopf + 12 * nfarben:]
    def pixel(x, y):
        o = y * bpl + x * (bpp // 8)
        v = int.from_bytes(daten[o:o + 4], "little" if bo == 0 else "big")
        return (v >> 16) & 255, (v >> 8) & 255, v & 255
    return daten, pixel
daten, pixel = lesen(sys.argv[1])
oben, g = pixel(400, 5), pixel(730, 590)[1]
if g < 20:
    print("box")
elif oben != (16, 36, 57):
    print("spiel" if pixel(2, 2) == (24, 52, 74) and pixel(795, 590) == (0, 0, 0) else "seite")
elif g > 60:
    print("haupt")
else:
    print("warten")
PY
}

# Keeps a window's screen in DIR/bilder under a name that says when and what.
behalten() {   # window kind [picture]
  local w=$1 art=$2 f=${3:-} n
  mkdir -p "$dir/bilder"
  n=$(cat "$dir/$w/bilder_n" 2>/dev/null || echo 0)
  echo $((n + 1)) > "$dir/$w/bilder_n"
  local ziel
  ziel=$dir/bilder/$(printf 't%04d_%s_%04d_%s.png' "$(tag "$w")" "$w" "$n" "$art")
  if [ -z "$f" ]; then f=$dir/$w/behalten.xwd; bild "$w" "$f"; fi
  png "$f" "$ziel"
  echo "$ziel"
}

zustand_jetzt() { bild "$1" "$dir/$1/jetzt.xwd"; zustand "$dir/$1/jetzt.xwd"; }
hoert() { ss -ltnH "( sport = :$1 )" | grep -q .; }

freie_anzeige() {   # a display number no X server uses
  local d
  for ((d = 200 + RANDOM % 400; ; ++d)); do
    [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ] || { echo ":$d"; return; }
  done
}

# Waits until TEXT stands in a window's log (up to S seconds); false when not.
warte_log() {   # window text seconds
  local ende=$((SECONDS + $3))
  until grep -aq -e "$2" "$dir/$1/program.log" 2>/dev/null; do
    ((SECONDS < ende)) || return 1
    sleep 0.2
  done
}

# Waits until a window's screen is in one of the states (up to S seconds).
warte_zustand() {   # window seconds state...
  local w=$1 ende=$((SECONDS + $2)) z
  shift 2
  while ((SECONDS < ende)); do
    bild "$w" "$dir/$w/jetzt.xwd"
    z=$(zustand "$dir/$w/jetzt.xwd")
    [[ " $* " == *" $z "* ]] && return 0
    sleep 0.3
  done
  return 1
}

starten() {   # window [env NAME=VALUE...]: its X server and the program in it, its window found
  local w=$1 d
  shift
  mkdir -p "$dir/$w/cfg" "$dir/$w/data" "$dir/$w/cache"
  d=$(freie_anzeige)
  echo "$d" > "$dir/$w/display"
  # -noreset: the probe below is the server's first client, and the reset its
  # leaving starts refused the game's connection now and then.
  Xvfb "$d" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  echo $! > "$dir/$w/xpid"
  # A busy machine can take many seconds to bring an X server up.
  local x=""
  for _ in $(seq 600); do DISPLAY=$d xdpyinfo >/dev/null 2>&1 && { x=1; break; }; sleep 0.1; done
  [ -n "$x" ] || { echo "netz_runde: the X server $d for $w did not come up in 60 s" >&2; return 1; }
  DISPLAY=$d XDG_CONFIG_HOME=$dir/$w/cfg XDG_DATA_HOME=$dir/$w/data XDG_CACHE_HOME=$dir/$w/cache VELMORA_DEBUG=1 \
    "$@" "$build/velmora" -w -i --datadir "$build/install" \
    > >("$py" "$hier/stempel.py" "$dir/$w/program.log") 2>&1 < /dev/null &
  echo $! > "$dir/$w/pid"
  local win=""
  for _ in $(seq 200); do
    win=$(DISPLAY=$d xdotool search --onlyvisible --pid "$(cat "$dir/$w/pid")" 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "netz_runde: $w opened no window (see $dir/$w/program.log)"; exit 1; }
  echo "$win" > "$dir/$w/win"
  warte_zustand "$w" 30 seite box || true   # the start screen drawn
  sleep 1
}

# Answers every box until the window shows one of the states (up to S seconds).
boxen_beantworten() {   # window seconds state...
  local w=$1 ende=$((SECONDS + $2)) z
  shift 2
  while ((SECONDS < ende)); do
    bild "$w" "$dir/$w/jetzt.xwd"
    z=$(zustand "$dir/$w/jetzt.xwd")
    [[ " $* " == *" $z "* ]] && return 0
    if [ "$z" = box ]; then behalten "$w" box "$dir/$w/jetzt.xwd" >/dev/null; klick "$w" 689 423; sleep 0.8; fi
    sleep 0.3
  done
  echo "netz_runde: $w did not reach $* (see $dir/$w/jetzt.xwd)"
  return 1
}

server_laden() {   # slot
  local slot=$1
  starten srv
  klick srv 390 522; sleep 1; klick srv 290 550; sleep 1     # network on, this machine the server
  klick srv 425 389; sleep 2                                 # "Spiel laden"
  klick srv 300 $((196 + 27 * slot)); sleep 0.5; klick srv 707 382
  warte_log srv "(Tag [0-9]*)" 60 || { echo "netz_runde: the server loaded no game"; exit 1; }
  # A loaded game may open boxes (whose turn it is, offers, courses) one after
  # the other before its menu: the main screen counts once it stays for 2 s.
  for _ in 1 2 3 4 5; do
    boxen_beantworten srv 60 haupt
    sleep 2
    [ "$(zustand_jetzt srv)" = haupt ] && break
  done
  [ -n "${NETZ_RUNDE_NUR_LADEN:-}" ] && return 0
  for _ in 1 2 3; do
    # The menu opens on the press; the release over an entry chooses it.
    xd srv mousemove --window "$(fenster srv)" 610 581 mousedown 1; sleep 0.5
    xd srv mousemove --window "$(fenster srv)" 622 559; sleep 0.4; xd srv mouseup 1; sleep 1.5
    klick srv 60 306                                          # "dieser Rechner ist Server"
    warte_zustand srv 10 box && { behalten srv box "$dir/srv/jetzt.xwd" >/dev/null; klick srv 689 423; sleep 1; }
    klick srv 722 478; sleep 1                                # the options closed
    boxen_beantworten srv 30 haupt
    hoert 3040 && break
  done
  hoert 3040 || { echo "netz_runde: the server does not listen on port 3040"; exit 1; }
  behalten srv start >/dev/null
}

# The start screen's address typed into a client's window; true when the join
# reached the wizard (its "Weiter" lit green).
gruen_weiter() { bild "$1" "$dir/$1/jetzt.xwd"; (($("$magick" "xwd:$dir/$1/jetzt.xwd" -format '%[fx:int(255*p{750,500}.g+.5)]' info:) > 100)); }

client_beitreten() {   # window row: joins as "Client N" and takes the club list's row (1-6)
  local w=$1 zeile=$2
  klick "$w" 390 522; sleep 1                                  # network on as client
  for _ in 1 2 3; do
    klick "$w" 549 453; sleep 0.6                              # the address
    for _ in $(seq 16); do taste "$w" BackSpace; sleep 0.1; done
    tippen "$w" 127.0.0.1; sleep 0.3; taste "$w" Return; sleep 0.8
    klick "$w" 425 216                                         # join
    local ende=$((SECONDS + 60))
    until gruen_weiter "$w"; do ((SECONDS < ende)) || break; sleep 0.5; done
    gruen_weiter "$w" && break
    behalten "$w" beitritt_fehlt >/dev/null
  done
  gruen_weiter "$w" || { echo "netz_runde: $w did not join (see $dir/$w/program.log)"; exit 1; }
  tippen "$w" "Client ${w#c}"; sleep 0.5; taste "$w" Return; sleep 1.2
  klick "$w" 640 215; sleep 1.2; klick "$w" 600 206; sleep 1.5  # portrait, Deutschland
  if ((zeile > 6)); then                                       # the list shows six rows:
    xd "$w" mousemove --window "$(fenster "$w")" 600 300; sleep 0.3   # the wheel brings up the rest
    for _ in $(seq $((zeile - 6))); do xd "$w" click 5; sleep 0.5; done
    klick "$w" 600 $((206 + 34 * 5)); sleep 1
  else
    klick "$w" 600 $((206 + 34 * (zeile - 1))); sleep 1        # the club
  fi
  behalten "$w" wahl >/dev/null
  klick "$w" 750 508                                           # Weiter: "Soll das Spiel ... beginnen?"
  warte_zustand "$w" 20 box || { echo "netz_runde: $w's club was not taken (see $dir/bilder)"; exit 1; }
  klick "$w" 110 424                                           # Ja
  warte_log "$w" "(Tag [1-9][0-9]*)" 60 || true
  boxen_beantworten "$w" 60 haupt warten
  behalten "$w" start >/dev/null
}

aufraeumen() {
  local w p
  for w in "$dir"/*/; do
    w=${w%/}
    for p in fpid pid rpid xpid; do
      [ -f "$w/$p" ] && kill "$(cat "$w/$p")" 2>/dev/null || true
      rm -f "$w/$p"
    done
  done
}

abbruch_muster="Server antwortet nicht|Verbindung zum Server ist abgebrochen|Netzwerkspiel ist beendet"

# One window's driver: it ends the window's days until the window's log
# reached day BIS, the window dropped out of the game (its screen kept) or
# DIR/halt exists. Each look answers a box, gives a page or a live match a
# click (as a player ends a page), presses the main screen's lit "Weiter";
# then it waits until the window's log grows (at most 1.5 s). Each action goes
# to DIR/klicks.log (time, window, day, kind).
fahrer() {   # window bis
  local w=$1 bis=$2 f=$dir/$1/jetzt.xwd z n folge=0 groesse
  while (($(tag "$w") < bis)) && [ ! -e "$dir/halt" ]; do
    if [ "$w" != srv ] && grep -aqE "$abbruch_muster" "$dir/$w/program.log"; then
      echo "$(jetzt) $w $(tag "$w") abbruch" >> "$dir/klicks.log"
      echo "netz_runde: $w dropped on day $(tag "$w"): $(behalten "$w" abbruch)"
      return 0
    fi
    groesse=$(stat -c %s "$dir/$w/program.log")
    bild "$w" "$f" || { sleep 1; continue; }
    z=$(zustand "$f")
    case $z in
      haupt) klick "$w" 752 583; echo "$(jetzt) $w $(tag "$w") weiter" >> "$dir/klicks.log"; folge=0 ;;
      box) behalten "$w" box "$f" >/dev/null; klick "$w" 689 423
           echo "$(jetzt) $w $(tag "$w") box" >> "$dir/klicks.log"; folge=0 ;;
      seite) behalten "$w" seite "$f" >/dev/null; folge=0
             klick "$w" 400 300; echo "$(jetzt) $w $(tag "$w") seite" >> "$dir/klicks.log" ;;
      spiel)   # every tenth look at a live match is kept
        folge=$((folge + 1)); ((folge % 10 == 1)) && behalten "$w" spiel "$f" >/dev/null
        klick "$w" 400 300; echo "$(jetzt) $w $(tag "$w") spiel" >> "$dir/klicks.log" ;;
      *) folge=0 ;;
    esac
    for n in 1 2 3 4 5 6 7; do
      (($(stat -c %s "$dir/$w/program.log") != groesse)) && break
      sleep 0.2
    done
  done
}

# Every window driven at once until each one still in the game reached day BIS
# (false when $NETZ_RUNDE_FRIST seconds, default 7200, ran out first).
spielen() {   # bis fenster...
  local bis=$1 w ende laeuft
  shift
  rm -f "$dir/halt"
  for w in "$@"; do
    fahrer "$w" "$bis" &
    echo $! > "$dir/$w/fpid"
  done
  ende=$((SECONDS + ${NETZ_RUNDE_FRIST:-7200}))
  while :; do
    laeuft=0
    for w in "$@"; do kill -0 "$(cat "$dir/$w/fpid")" 2>/dev/null && laeuft=1; done
    ((laeuft)) || return 0
    if ((SECONDS >= ende)); then
      touch "$dir/halt"
      for w in "$@"; do wait "$(cat "$dir/$w/fpid")" 2>/dev/null || true; done
      echo "netz_runde: day $bis not reached within the time limit"
      return 1
    fi
    sleep 1
  done
}

build=build
case $befehl in
  spielstand)
    build=${1:-build}
    mkdir -p "$dir/srv/data/velmora"
    "$build/tools/velmora-sim" --small --seed 4242 --humans 2 --days 296 --user "$dir/srv/data/velmora" | head -1
    # Kept apart: the server's autosave writes slot 9 while a run plays.
    cp "$dir/srv/data/velmora/spielstand/game_9.qzv" "$dir/srv/start_game_9.qzv"
    ls -l "$dir/srv/data/velmora/spielstand/game_9.qzv"
    ;;
  server)
    build=${1:-build}
    trap aufraeumen EXIT
    trap 'exit 130' INT TERM
    rm -f "$dir/srv/program.log"
    server_laden 9
    echo "netz_runde: the server's window is up (display $(anzeige srv)); Ctrl+C ends it"
    while kill -0 "$(cat "$dir/srv/pid")" 2>/dev/null; do sleep 1; done
    ;;
  lauf)
    anzahl=${1:-6} rtt=${2:-200} bis=${3:-407} build=${4:-build}
    read -r -a zeilen <<< "${NETZ_RUNDE_VEREINE:-1 2 3 4 5 7}"
    ((anzahl >= 1 && anzahl <= 6)) || { echo "netz_runde: 1 to 6 clients"; exit 2; }
    ((${#zeilen[@]} >= anzahl)) || { echo "netz_runde: NETZ_RUNDE_VEREINE names fewer than $anzahl rows"; exit 2; }
    [ -x "$build/velmora" ] || { echo "netz_runde: no $build/velmora"; exit 2; }
    # Every run starts from the save "spielstand" made, not from the last run's autosave.
    [ -f "$dir/srv/start_game_9.qzv" ] && cp "$dir/srv/start_game_9.qzv" "$dir/srv/data/velmora/spielstand/game_9.qzv"
    [ -f "$dir/srv/data/velmora/spielstand/game_9.qzv" ] || { echo "netz_runde: no save, run: $0 spielstand $build"; exit 2; }
    for p in 3040 $(seq 3041 $((3040 + anzahl))); do
      if hoert "$p"; then echo "netz_runde: port $p is in use"; exit 1; fi
    done
    aufraeumen
    trap aufraeumen EXIT
    trap 'exit 130' INT TERM
    # A new run: the save stays, the rest of the last run goes.
    find "$dir" -mindepth 1 -maxdepth 1 ! -name srv -exec rm -rf {} +
    rm -f "$dir/srv/program.log" "$dir/srv/jetzt.xwd" "$dir/srv/bilder_n"
    cc -shared -fPIC -o "$dir/umleitung.so" "$hier/relais_umleitung.c" -ldl
    beginn=$SECONDS
    server_laden 9
    fenster_liste=(srv)
    for ((i = 1; i <= anzahl; ++i)); do
      w=c$i
      mkdir -p "$dir/$w"
      # The join without delay (its lists are large); the game with RTT.
      "$py" "$hier/relais.py" $((3040 + i)) 3040 $((rtt / 2)) "$dir/$w/relais.log" 0 &
      echo $! > "$dir/$w/rpid"
      for _ in $(seq 50); do hoert $((3040 + i)) && break; sleep 0.1; done
      starten "$w" env LD_PRELOAD="$dir/umleitung.so" VELMORA_RELAIS=3040:$((3040 + i))
      client_beitreten "$w" "${zeilen[$((i - 1))]}"
      fenster_liste+=("$w")
      # The server may have shown a box at the join.
      boxen_beantworten srv 30 haupt warten seite
    done
    for w in "${fenster_liste[@]:1}"; do kill -USR2 "$(cat "$dir/$w/rpid")"; done
    echo "netz_runde: $anzahl clients joined after $((SECONDS - beginn)) s, playing to day $bis at $rtt ms"
    status=0
    spielen "$bis" "${fenster_liste[@]}" || status=1
    for w in "${fenster_liste[@]}"; do behalten "$w" ende >/dev/null; done
    echo "netz_runde: the run took $((SECONDS - beginn)) s"
    "$0" bericht
    exit $status
    ;;
  bericht)
    "$py" - "$dir" <<'PY'
import glob, os, re, sys
d = sys.argv[1]
fenster = ["srv"] + sorted((os.path.basename(os.path.dirname(p)) for p in glob.glob(f"{d}/c*/program.log")), key=lambda w: int(w[1:]))
tag_re = re.compile(r"\(Tag (\d+)\)")
erst = {}       # window -> day -> first time in its log
puffer = {}     # window -> day -> [in buffer, refused or dropped]
zaehl = {}      # window -> pattern -> count
muster = ["Server antwortet nicht", "Verbindung zum Server ist abgebrochen", "Netzwerkspiel ist beendet",
          "CLIENT-WRITE!", "BUFFER VOLL", "schon 200 Spielfelder", "Weiterschalten ohne Spielfeld"]
for w in fenster:
    erst[w], puffer[w], zaehl[w] = {}, {}, dict.fromkeys(muster, 0)
    t = 0
    for z in open(f"{d}/{w}/program.log", encoding="utf-8", errors="replace"):
        teile = z.split(" ", 1)
        if len(teile) < 2:
            continue
        zeit, text = teile
        m = tag_re.search(text)
        if m:
            t = int(m.group(1))
            erst[w].setdefault(t, float(zeit))
        if "--> IN BUFFER" in text:
            puffer[w].setdefault(t, [0, 0])[0] += 1
        elif re.search(r"NICH.* IN BUFFER|verworfen", text):
            puffer[w].setdefault(t, [0, 0])[1] += 1
        for k in muster:
            if k in text:
                zaehl[w][k] += 1
aktionen = []
if os.path.exists(f"{d}/klicks.log"):
    for z in open(f"{d}/klicks.log"):
        t = z.split()
        aktionen.append((float(t[0]), t[1], int(t[2]), t[3]))
abbruch = {a[1]: a[2] for a in aktionen if a[3] == "abbruch"}

print("Announcements taken into each window's buffer per day (\"IN BUFFER\"; refused or dropped in brackets):")
tage = sorted({t for w in fenster for t in puffer[w]})
print("day   " + "".join(f"{w:>9}" for w in fenster))
for t in tage:
    print(f"{t:<6}" + "".join(f"{puffer[w].get(t, [0, 0])[0]:>5} ({puffer[w].get(t, [0, 0])[1]})" if t in puffer[w] else f"{'-':>9}" for w in fenster))

print("\nHand-over per day: from the script's last action (a \"Weiter\", a page's click or a box's) before the first")
print("window entered the day to the last window in it; and from the server's entry to the last client's:")
alle = sorted(set().union(*(set(erst[w]) for w in fenster)))
start = min(erst["srv"]) if erst["srv"] else 0
lang = []
for t in alle:
    drin = [w for w in fenster if t in erst[w] and (w not in abbruch or abbruch[w] >= t)]
    if "srv" not in drin or t <= min(a[2] for a in aktionen) if aktionen else True:
        continue
    erster = min(erst[w][t] for w in drin)
    letzter = max(erst[w][t] for w in drin)
    vorher = [a[0] for a in aktionen if a[0] < erster and a[3] != "abbruch"]
    if not vorher:
        continue
    ab = letzter - max(vorher)
    cl = [erst[w][t] for w in drin if w != "srv"]
    srv_cl = (max(cl) - erst["srv"][t]) if cl else 0.0
    fehlt = [w for w in fenster if w not in drin]
    lang.append(ab)
    print(f"  day {t}: {ab:6.2f} s   server to last client {srv_cl:6.2f} s   windows {len(drin)}" + (f"   missing {' '.join(fehlt)}" if fehlt else ""))
if lang:
    print(f"  {len(lang)} days: median {sorted(lang)[len(lang) // 2]:.2f} s, longest {max(lang):.2f} s, over 5 s: {sum(x > 5 for x in lang)}")

print("\nDrops and warnings per window (log lines):")
for w in fenster:
    n = {k: v for k, v in zaehl[w].items() if v}
    print(f"  {w}: " + (", ".join(f'"{k}" {v}' for k, v in n.items()) if n else "none") +
          (f"   dropped on day {abbruch[w]}" if w in abbruch else ""))
bilder = sorted(os.path.basename(p) for p in glob.glob(f"{d}/bilder/*.png"))
arten = {}
for b in bilder:
    arten.setdefault(b.rsplit("_", 1)[1][:-4], []).append(b)
print(f"\nScreenshots in {d}/bilder: " + ", ".join(f"{k} {len(v)}" for k, v in sorted(arten.items())))
for k in ("abbruch", "start", "ende"):
    for b in arten.get(k, []):
        print(f"  {b}")
PY
    ;;
  klick) klick "$1" "$2" "$3" ;;
  tippen) w=$1; shift; tippen "$w" "$*" ;;
  taste) taste "$1" "$2" ;;
  bild) bild "$1" "$dir/$1/$2.xwd"; png "$dir/$1/$2.xwd" "$dir/$1/$2.png"; rm -f "$dir/$1/$2.xwd"; echo "$dir/$1/$2.png" ;;
  zustand) zustand_jetzt "$1" ;;
  stopp) aufraeumen ;;
  *) sed -n '2,/^# Needs/p' "$0"; exit 2 ;;
esac
