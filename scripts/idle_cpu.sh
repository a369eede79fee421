#!/usr/bin/env bash
# scripts/idle_cpu.sh BINARY DATADIR [SECONDS]: the CPU share of the game in a window on a
# still screen under Xvfb (1024 x 768), and of the X server. SEITE=haupt (the default): the
# main screen of a new game of one manager; SEITE=neu: the first page of the new-game wizard;
# SEITE=spiel: not a still screen but the live match view at its 36 frames a second, the first
# league match of a one-manager game that velmora-sim (VELMORA_SIM, default beside BINARY in
# tools/) plays to 7 August and saves: loaded, six days on through the pre-match page and the
# line-up picture to the kick-off, then measured from about the 6th minute. SCHIRM=FILE keeps a
# picture of the screen at the measurement's end (to see that it measured what it says).
# Then the calibration run (scripts/kalibrierung.sh: gzip -6 of 64 MB of base64
# text, best of three, CPU seconds) and the game's CPU seconds per second
# divided by it, a figure that does not depend on the machine's speed.
# Example: scripts/idle_cpu.sh build/velmora build/install 10
set -euo pipefail
source "$(dirname "$0")/kalibrierung.sh"
bin=$1; data=$2; secs=${3:-10}
tmp=$(mktemp -d); trap 'kill $gpid $xpid 2>/dev/null || true; rm -rf "$tmp"' EXIT
disp=":$((100 + RANDOM % 800))"
if [ "${SEITE:-haupt}" = spiel ]; then
  "${VELMORA_SIM:-$(dirname "$bin")/tools/velmora-sim}" --humans 1 --days 35 --user "$tmp/d/velmora" >/dev/null
fi
Xvfb "$disp" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
export DISPLAY=$disp; sleep 1
XDG_CONFIG_HOME=$tmp/c XDG_DATA_HOME=$tmp/d "$bin" -w -i --datadir "$data" >"$tmp/log" 2>&1 & gpid=$!
win=""; for _ in $(seq 100); do win=$(xdotool search --onlyvisible --pid $gpid 2>/dev/null | head -1 || true); [ -n "$win" ] && break; sleep 0.1; done
sleep 5
klick() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.3; xdotool click 1; sleep "${3:-0.8}"; }
if [ "${SEITE:-haupt}" = haupt ]; then
  # a new game of one manager: count, level, name, portrait, country, club, league, yes
  klick 425 216 1.5; klick 592 270 0.5; klick 750 508 1; klick 600 320 1
  xdotool type --window "$win" --delay 60 "Anna Lind"; xdotool key --window "$win" Return; sleep 0.8
  klick 556 215; klick 600 206; klick 600 206; klick 600 206 1; klick 111 425 8
elif [ "${SEITE}" = spiel ]; then
  # "Spiel laden", the autosave's row, "Laden"; "Weiter" six times; the ball starts the match
  klick 425 389 1.5; klick 300 439 1; klick 707 382 3
  for _ in 1 2 3 4 5 6; do klick 752 583 3; done
  klick 404 500 6
else
  klick 425 216 2
fi
xdotool mousemove --window "$win" 10 300; sleep 2
ticks() { awk '{print $14 + $15}' /proc/$1/stat; }
kill -0 $gpid 2>/dev/null || { cat "$tmp/log"; exit 1; }; g0=$(ticks $gpid); x0=$(ticks $xpid); sleep "$secs"; g1=$(ticks $gpid); x1=$(ticks $xpid)
[ -n "${SCHIRM:-}" ] && import -display "$disp" -window root "$SCHIRM"
hz=$(getconf CLK_TCK)
awk -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v s="$secs" -v hz="$hz" \
  'BEGIN { printf "game %.1f %% of a core, X server %.1f %% over %d s\n", 100 * g / hz / s, 100 * x / hz / s, s }'
kal=$(kalibrierung)
awk -v g=$((g1 - g0)) -v s="$secs" -v hz="$hz" -v k="$kal" \
  'BEGIN { printf "calibration %.2f s (gzip -6 of 64 MB of base64 text, best of three), game / calibration %.4f\n", k, g / hz / s / k }'
