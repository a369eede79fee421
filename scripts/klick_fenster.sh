#!/usr/bin/env bash
# Ignored "Weiter" clicks in one real window, measured (not a test): one
# manager's game from the save of 17 May 2002 (velmora-sim --humans 1 --seed 5
# --days 318) under its own Xvfb (1024 x 768, the picture scaled), played by
# xdotool as a quick hand plays it: each round the window is looked at; a box
# is answered on its right button, a lit "Weiter" is clicked (press and
# release at once, 0.3 s after the pointer came to rest), any other page gets
# a click there too. A "Weiter" click after which, 1.2 s later, the date badge
# is unchanged and "Weiter" still lit with no box over it is counted ignored
# and its screen kept as DIR/ignoriert_N.png. Run it beside a load of your
# choice (a test suite, live seasons) to see a loaded machine.
#
#   scripts/klick_fenster.sh [BUILD] [ROUNDS]      defaults: build 100
#
# DIR is $KLICK_FENSTER_DIR (default /tmp/klick_fenster). Needs xvfb, xdotool
# and imagemagick.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runden=${2:-100}
dir=${KLICK_FENSTER_DIR:-/tmp/klick_fenster}
rm -rf "$dir"
mkdir -p "$dir/cfg" "$dir/data" "$dir/cache"
"$build/tools/velmora-sim" --install "$build/install" --user "$dir/data/velmora" --humans 1 --seed 5 --days 318 >/dev/null

# A display number no other X server holds (two runs side by side pick apart).
n=$((100 + RANDOM % 800))
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
anzeige=":$n"
Xvfb "$anzeige" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
pid=""
trap 'kill $pid $xpid 2>/dev/null || true' EXIT
export DISPLAY=$anzeige
sleep 1
XDG_CONFIG_HOME=$dir/cfg XDG_DATA_HOME=$dir/data XDG_CACHE_HOME=$dir/cache \
  "$build/velmora" --datadir "$build/install" --no-intro >"$dir/program.log" 2>&1 &
pid=$!
win=""
for _ in $(seq 600); do   # up to 60 s: a loaded machine opens it late
  win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "klick_fenster: no window after 60 s (see $dir/program.log)"; exit 1; }

# Game pixels to window pixels: the 800 x 600 picture fills the 1024 x 768 window.
w() { echo $(($1 * 128 / 100)); }
klick() { xdotool mousemove --window "$win" "$(w "$1")" "$(w "$2")"; sleep 0.3; xdotool click 1; }
bild() { import -window "$win" "$dir/$1.png"; }
# The green of the panel's "Weiter" (97 lit, 77 resting, below 20 under a box).
gruen() { convert "$dir/$1.png" -crop "1x1+$(w 730)+$(w 590)" txt:- | tail -1 | sed 's/.*(\([0-9]*\),\([0-9]*\),.*/\2/'; }
datum() { convert "$dir/$1.png" -crop "$(w 150)x$(w 40)+$(w 645)+$(w 8)" +repage -colorspace gray -threshold 40% rgb:- | md5sum | cut -c1-16; }

sleep 6
klick 425 388   # "Spiel laden"
sleep 2.5
klick 340 439   # slot 10, the save
sleep 0.8
klick 706 382   # "Laden"
sleep 8
weiter=0 ignoriert=0 boxen=0
for ((i = 0; i < runden; ++i)); do
  bild vor
  g=$(gruen vor)
  if ((g > 70)); then
    klick 752 583
    weiter=$((weiter + 1))
    sleep 1.2
    bild nach
    if (($(gruen nach) > 70)) && [ "$(datum vor)" = "$(datum nach)" ]; then
      ignoriert=$((ignoriert + 1))
      cp "$dir/nach.png" "$dir/ignoriert_$i.png"
    fi
  elif ((g < 20)); then
    klick 689 423   # the box's right button ("Nein", "OK")
    boxen=$((boxen + 1))
  else
    klick 752 583
  fi
  sleep "0.$((RANDOM % 10))"
done
echo "rounds $runden: Weiter clicks $weiter, ignored $ignoriert, boxes answered $boxen"
