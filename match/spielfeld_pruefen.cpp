// match/spielfeld_pruefen.cpp - the invariants of a live match record.
#include "match/spielfeld_pruefen.h"

#include <cmath>

#include "match/anim.h"

namespace velmora {

namespace {

bool Endlich(const float* v, int32_t n) {
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

}  // namespace

const char* Spielfeld_Pruefen(const Spielfeld_Satz* satz, int32_t abschnitte, Spielfeld_Pruefstand* st) {
    if (!satz || !st) return "kein Satz";
    if (st->spiel != satz->spiel) *st = Spielfeld_Pruefstand{satz->spiel};
    if (satz->spielzustand > SZ_NACH_TOR) return "Spielzustand ausserhalb 0..11";
    if (satz->minute < st->minute) return "Minute faellt";
    st->minute = satz->minute;
    if (abschnitte >= 0 && satz->abschnitt > uint32_t(abschnitte)) return "Abschnitt ausserhalb des Wettbewerbs";
    if (satz->frame_zaehler >= PRUEF_MAX_FRAMES) return "kein Abpfiff vor 50000 Frames";
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        const Figur& f = satz->figur[i];
        if (!Endlich(f.pos, 3) || !Endlich(f.v, 3)) return "Position oder Geschwindigkeit nicht endlich";
        if (f.aktuell < 0 || f.aktuell >= SF_ANWEISUNGEN) return "Anweisungsindex ausserhalb 0..3";
        const int32_t anim = f.ring[f.aktuell].anim;
        if (anim != -1) {
            const Anim_Satz* z = Anim_Zeile(anim);
            if (!z || !z->benutzt) return "Animation nicht in Gebrauch";
        }
    }
    const Figur& b = satz->figur[FIGUR_BALL];
    if (b.pos[0] < -1500 || b.pos[0] > SPIELFELD_LAENGE + 1500 || b.pos[1] < -1500 ||
        b.pos[1] > SPIELFELD_BREITE + 1500)
        return "Ball mehr als 1500 cm hinter den Linien";
    if (b.pos[2] >= 10000) return "Ball hoeher als 100 m";
    const int32_t h = satz->ballhalter;
    if (h != -1 && (h < 0 || h >= SF_SPIELER || !(satz->spieler[h].zustand & SM_AUF_PLATZ)))
        return "Ballhalter kein Spieler auf dem Platz";
    int32_t auf_platz[2] = {};
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        const Spieler_Matchsatz& sm = satz->spieler[s];
        if (sm.ausdauer < 0 || sm.ausdauer > 10000) return "Ausdauer ausserhalb 0..10000";
        if (sm.frische < 0 || sm.frische > 1000) return "Frische ausserhalb 0..1000";
        const uint8_t c = satz->figur[s].situation;
        const bool geht = c == 38 || c == 39 || (sm.zustand & SM_AUSGEWECHSELT);
        if ((sm.zustand & SM_AUF_PLATZ) && !geht) ++auf_platz[s < SF_SPIELER_SEITE ? 0 : 1];
        const uint64_t bit = uint64_t(1) << s;
        if (sm.zustand & (SM_ROT | SM_GELBROT)) {
            if (!(st->vom_platz & bit) && !(sm.zustand & SM_AUF_PLATZ)) st->vom_platz |= bit;
        }
        if ((st->vom_platz & bit) && (sm.zustand & SM_AUF_PLATZ)) return "Vom Platz gestellter Spieler wieder auf dem Platz";
    }
    for (int32_t seite = 0; seite < 2; ++seite) {
        if (auf_platz[seite] > 11) return "mehr als 11 Spieler auf dem Platz";
        if (satz->wechsel_gemacht[seite] > 3) return "mehr als 3 Wechsel";
    }
    const bool still = b.pos[0] == st->ball[0] && b.pos[1] == st->ball[1] && b.pos[2] == st->ball[2];
    st->ruhe = (still && h == -1 && satz->spielzustand == SZ_SPIEL) ? st->ruhe + 1 : 0;
    for (int32_t i = 0; i < 3; ++i) st->ball[i] = b.pos[i];
    if (st->ruhe >= PRUEF_MAX_RUHE) return "Ball liegt 450 Frames unberuehrt im Spiel";
    return nullptr;
}

}  // namespace velmora
