#!/usr/bin/env bash
# scripts/realism.sh [seeds] - the live match's figures beside real football's.
#
# Plays whole seasons of the full and of the small world with every match
# computed live (velmora-sim --live --stats), at least 1,000 league matches
# of each: the seeds given (default 1), then further seeds until both worlds
# have their 1,000. Prints, per world, the goals (home and away), home / draw /
# away, the five commonest scores, shots and on target, passes, fouls, cards,
# penalties, corners, substitutions, injuries and the seconds of open play a
# match, each with the band of real league football beside it for
# orientation, and beside the live home / draw / away the minute dice's on the
# same seeds and days; then the dice runs (without --live) on their own:
# their matches, goals and home / draw / away.
#
# A live match's event counts are those of a compressed match: a game minute
# is 45 frames of open play, so a match holds about two minutes of figures
# moving at real speed. Nothing is tuned towards the real counts; the bands
# only show where the figures stand.
#
#   SIM=build/tools/velmora-sim   the simulator
#   JOBS=4                        runs at once
#   MIN=1000                      league matches per world at least
#   TAGE=365                      days a run (a whole season; fewer only for a quick look)
set -euo pipefail
cd "$(dirname "$0")/.."
SIM=${SIM:-build/tools/velmora-sim}
JOBS=${JOBS:-4}
MIN=${MIN:-1000}
# Days per run: a whole season, every league match of it live (a season's
# first weeks score more than its whole). The full world's season holds
# about 6,400 league matches, the small world's 360.
TAGE_VOLL=${TAGE:-365}
TAGE_KLEIN=${TAGE:-365}
[ -x "$SIM" ] || { echo "realism: $SIM not found (build first: cmake --build build)" >&2; exit 2; }
seeds=("$@")
[ ${#seeds[@]} -gt 0 ] || seeds=(1)
for s in "${seeds[@]}"; do
    [[ "$s" =~ ^[0-9]+$ ]] || { echo "realism: a seed is a number: $s" >&2; exit 2; }
done
aus=$(mktemp -d)
trap 'rm -rf "$aus"' EXIT

# One run: world (voll / klein), mode (live / wuerfel), seed.
lauf() {
    local welt=$1 art=$2 seed=$3 args=(--seed "$3" --stats)
    [ "$welt" = klein ] && args+=(--small --days $TAGE_KLEIN) || args+=(--days $TAGE_VOLL)
    [ "$art" = live ] && args+=(--live)
    "$SIM" "${args[@]}" > "$aus/$welt.$art.$seed" 2> "$aus/$welt.$art.$seed.err" ||
        { echo "realism: velmora-sim ${args[*]} failed:" >&2; tail -3 "$aus/$welt.$art.$seed.err" >&2; return 1; }
}
export -f lauf
export SIM aus TAGE_VOLL TAGE_KLEIN

# A run's league matches (the line "Liga: N Spiele" of the live figures).
liga_spiele() { awk '/^Liga: [0-9]+ Spiele/ { n = $2; exit } END { print n + 0 }' "$1"; }

# Every world's live seeds, then more until each has MIN league matches.
for welt in voll klein; do
    printf '%s\n' "${seeds[@]}" | xargs -P "$JOBS" -I{} bash -c "lauf $welt live {}"
    naechste=$(printf '%s\n' "${seeds[@]}" | sort -n | tail -1)
    while :; do
        n=0
        for f in "$aus/$welt.live."*[0-9]; do n=$((n + $(liga_spiele "$f"))); done
        [ "$n" -ge "$MIN" ] && break
        naechste=$((naechste + 1))
        lauf "$welt" live "$naechste"
    done
    # The same seeds by the minute dice.
    ls "$aus/$welt.live."*[0-9] | sed 's/.*\.//' | xargs -P "$JOBS" -I{} bash -c "lauf $welt wuerfel {}"
done

# Adds up the league figures of the live runs of a world: one line "key value" each.
summe_live() {
    awk '
    /^Liga: [0-9]+ Spiele/ { liga = 1; n += $2; next }
    /^Pokal und andere:/ || /^  ms / { liga = 0 }
    !liga { next }
    /^  Alle Ergebnisse/ {
        for (i = 3; i <= NF; ++i) {
            split($i, p, "="); split(p[1], t, ":")
            erg[p[1]] += p[2]
            if (t[1] + 0 > t[2] + 0) heim += p[2]; else if (t[1] == t[2]) remis += p[2]; else gast += p[2]
        }
        next
    }
    / je Spiel$/ {
        name = $0; sub(/^  /, "", name); sub(/ +[0-9.]+ +[0-9.]+ je Spiel$/, "", name)
        summe[name] += $(NF - 3)
    }
    END {
        print "Spiele", n
        for (k in summe) print k "\t" summe[k]
        print "Heim", heim; print "Remis", remis; print "Gast", gast
        for (e in erg) print "Ergebnis " e "\t" erg[e]
    }' "$@"
}

# The minute dice runs of a world: matches, goals, home wins, draws, away wins.
summe_wuerfel() {
    awk '
    /^Spiele: / { s = $2; n += s }
    /^Tore pro Spiel:/ { tore += $4 * s }
    /^Heimsiege:/ { heim += $2 * s / 100; remis += $5 * s / 100; gast += $8 * s / 100 }
    END { printf "%d %.2f %.1f %.1f %.1f\n", n, n ? tore / n : 0, n ? 100 * heim / n : 0, n ? 100 * remis / n : 0,
                 n ? 100 * gast / n : 0 }' "$@"
}

summe_live "$aus"/voll.live.*[0-9] > "$aus/voll.summe"
summe_live "$aus"/klein.live.*[0-9] > "$aus/klein.summe"

wert() { awk -F'\t| ' -v k="$2" '{ v = $NF; $NF = ""; sub(/[ \t]+$/, ""); if ($0 == k) { print v; exit } }' "$1"; }
je_spiel() {
    local n s
    n=$(wert "$1" Spiele)
    s=$(wert "$1" "$2")
    awk -v s="${s:-0}" -v n="$n" 'BEGIN { printf "%.2f", n ? s / n : 0 }'
}
hrg() {
    local n h r g
    n=$(wert "$1" Spiele); h=$(wert "$1" Heim); r=$(wert "$1" Remis); g=$(wert "$1" Gast)
    awk -v n="$n" -v h="$h" -v r="$r" -v g="$g" 'BEGIN { printf "%.1f / %.1f / %.1f", 100 * h / n, 100 * r / n, 100 * g / n }'
}
haeufig() {
    local n
    n=$(wert "$1" Spiele)
    grep '^Ergebnis ' "$1" | sed 's/^Ergebnis //' | sort -t$'\t' -k2,2nr -k1,1 | head -5 |
        awk -F'\t' -v n="$n" '{ printf "%s%s %.1f %%", (NR > 1 ? "  " : ""), $1, 100 * $2 / n }'
}

nv=$(wert "$aus/voll.summe" Spiele)
nk=$(wert "$aus/klein.summe" Spiele)
lv=$(ls "$aus"/voll.live.*[0-9] | sed 's/.*\.//' | sort -n | tr '\n' ' ')
lk=$(ls "$aus"/klein.live.*[0-9] | sed 's/.*\.//' | sort -n | tr '\n' ' ')
echo "Live berechnete Ligaspiele: volle Welt $nv (Saaten ${lv}je $TAGE_VOLL Tage), kleine Welt $nk (Saaten ${lk}je $TAGE_KLEIN Tage)"
echo
printf '%-18s %20s %20s   %s\n' "je Spiel" "volle Welt" "kleine Welt" "echter Ligafussball"
zeile() { printf '%-18s %20s %20s   %s\n' "$1" "$(je_spiel "$aus/voll.summe" "$2")" "$(je_spiel "$aus/klein.summe" "$2")" "$3"; }
zeile "Tore" "Tore" "2.5 - 3.0"
zeile "Tore Heim" "Tore Heim" "1.4 - 1.6"
zeile "Tore Gast" "Tore Gast" "1.1 - 1.3"
printf '%-18s %20s %20s   %s\n' "Heim/Remis/Gast %" "$(hrg "$aus/voll.summe")" "$(hrg "$aus/klein.summe")" "42-48 / 25-31 / 24-30"
# Beside it the minute dice's split on the same seeds and days (all their matches).
wuerfel_hrg() { summe_wuerfel "$aus/$1.wuerfel."*[0-9] | awk '{ printf "%s / %s / %s", $3, $4, $5 }'; }
printf '%-18s %20s %20s   %s\n' "  Minutenwuerfel" "$(wuerfel_hrg voll)" "$(wuerfel_hrg klein)" "(dieselben Tage gewuerfelt)"
zeile "Schuesse" "Schuesse" "22 - 27"
zeile "aufs Tor" "aufs Tor" "8 - 10"
zeile "Paesse" "Paesse" "750 - 1000"
zeile "Fouls" "Fouls" "20 - 27"
zeile "Gelbe Karten" "Gelbe Karten" "3.5 - 4.5"
zeile "Rote Karten" "Rote Karten" "0.1 - 0.2"
zeile "Elfmeter" "Elfmeter" "0.25 - 0.35"
zeile "Ecken" "Ecken" "9 - 11"
zeile "Wechsel" "Wechsel" "5 - 10"
zeile "Verletzungen" "Verletzungen" "0.2 - 0.5"
zeile "Spiel offen s" "Spiel offen s" "3300 - 3600 (55-60 Minuten)"
echo
echo "Die fuenf haeufigsten Ergebnisse (echt: 1:1, 1:0, 2:1, 0:0, 2:0, je 7-12 %)"
echo "  volle Welt:  $(haeufig "$aus/voll.summe")"
echo "  kleine Welt: $(haeufig "$aus/klein.summe")"
echo
echo "Minutenwuerfel (dieselben Tage ohne --live, alle Spiele)"
printf '%-22s %8s %8s   %s\n' "" "Spiele" "Tore" "Heim/Remis/Gast %"
for welt in voll klein; do
    read -r n t h r g < <(summe_wuerfel "$aus/$welt.wuerfel."*[0-9])
    printf '%-22s %8s %8s   %s\n' "$([ $welt = voll ] && echo "volle Welt" || echo "kleine Welt")" "$n" "$t" \
        "$h / $r / $g"
done
echo
echo "Ein live berechnetes Spiel ist ein verdichtetes Spiel: eine Spielminute sind 45 Frames offenes Spiel,"
echo "ein Spiel also etwa zwei Minuten Figuren in echter Geschwindigkeit; seine Zahlen sind die dieser zwei Minuten."
