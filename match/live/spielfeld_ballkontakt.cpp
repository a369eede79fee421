// match/live/spielfeld_ballkontakt.cpp - the ball-contact pass.
//
// Choices made here:
// - "Match strength" compared with a match value is the median of the
//   player's 37 values (Spieler_Matchstaerke): the base strength +64 is kept
//   before the team factor and would make nearly every value exceed it.
// - The 5400-cm adjustment of the contest (a challenger whose match strength
//   is below his value +106 gives the holder 250 more while the ball lies more
//   than 5400 cm from a reference line) measures from the goal line the
//   challenger defends.
// - The ball's position of the previous frame is its position less one
//   figure step (30 ms) of its velocity: the movement step keeps none.
// - "Running" and "non-running" in the contact window read the table's
//   column +4: a row with a linked row (a keeper's catch with the ball in his
//   hands, the throw-in) counts as running and must touch the ball at its
//   contact frame or has missed; a row without one (a slide, a poke, a
//   header, a keeper's parry) is non-running: it touches whatever comes into
//   its radius, plays on to its end when nothing does, and with a side reach
//   of 150 or more (either hand) deflects as a save.
// - A keeper's touch clears the out-of-play state (and the goal phase with
//   it) only for a ball inside the goal lines: a ball in the net stays a goal.
// - A ball off the posts or the bar is touched only inside the pitch; once
//   inside it is in play again. A ball in play is touched wherever it lies
//   (the movement step decides when it is out).
// - Restarts while no figure carries a situation code (no set-piece script
//   owns the restart): the first player to touch the ball releases open play.
// - Partner, holder and pass receiver read from the record are used as an
//   index only within 0..33; an animation outside the table counts as the
//   stand row.
// - The foremost attacker's index has a byte of its own (25173): kept in
//   the flag's player field it overwrote, every frame between the flag and
//   the whistle, the player the whistle's event names.
// - The match's counter flag (26470) is set when a field player takes the
//   ball in open play after the other side's touch, cleared by any other new
//   holder; the player's first decision on the ball takes it.
// - "In play the ball stops" holds for a new touch and for a keeper: the
//   holder's own touch keeps the ball's velocity and launch speed, which the
//   dribble's push (it re-launches only a ball outside its speed band) and
//   the duels' carry build on.
// - The holder's touch counter (+31259) is left to the step that owns it (a
//   change of holder clears it); a touch by the holder himself does not raise
//   it, so a dribble does not shrink the defenders' reach to nothing.
#include "match/live/spielfeld_ballkontakt.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "club/spieler.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/figur_bewegen.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_ballflug.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/live/spielfeld_tick.h"

namespace velmora {

namespace {

constexpr int32_t ANIM_FAUST_OBEN = 36;
constexpr int32_t ANIM_FUSSANNAHME_HOCH = 73;
constexpr int32_t ANIM_STEHEN_MUEDE = 84;
constexpr int32_t ANIM_FALLRUECKZIEHER = 134;
constexpr int32_t ANIM_LINIENRICHTER_FAHNE = 85;

bool Spieler_Ok(int32_t s) { return s >= 0 && s < SF_SPIELER; }
int32_t Seite(int32_t s) { return s < SF_SPIELER_SEITE ? 0 : 1; }

// Fields of the record without a name in the layout.
int8_t& Flaggen_Zustand(Spielfeld_Satz* s) { return reinterpret_cast<int8_t&>(s->w25127); }
int8_t& Vier_Frames(Spielfeld_Satz* s) { return s->w25182[0]; }

// Tactic bytes of a side as the contest and the duels compare them.
int32_t T1(const Spielfeld_Satz* s, int32_t seite) { return s->pressing[seite]; }
int32_t T2(const Spielfeld_Satz* s, int32_t seite) { return s->taktik[seite][5]; }
int32_t T3(const Spielfeld_Satz* s, int32_t seite) { return s->linienwerte[seite][5]; }

float Ball_Tempo(const Spielfeld_Satz* s) {
    const Figur& b = s->figur[FIGUR_BALL];
    return b.ring[b.aktuell & 3].tempo;
}

float Zeitfaktor(const Spielfeld_Satz* s) {
    return s->zeit_faktor >= 1.0f && s->zeit_faktor < 100.0f ? s->zeit_faktor : 1.0f;
}

// A figure stands on the spot with "STEHEN MUEDE".
void Stehen_Muede(Spielfeld_Satz* satz, int32_t slot) {
    const Figur& f = satz->figur[slot];
    SetZSA(satz, slot, int32_t(f.pos[0]), int32_t(f.pos[1]), 0, 0, ANIM_STEHEN_MUEDE, 0, -1, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
}

// One adjustment of a contest value by the side's tactic bytes.
int32_t Taktik_Zuschlag(const Spielfeld_Satz* satz, int32_t seite, int32_t v, bool halter, int8_t byte192) {
    if (Rnd(0, 100) > T1(satz, seite)) {
        v += v / 16;
        if (halter && byte192 != 0) v += 100;
    }
    const bool t2 = halter ? 100 - Rnd(0, 50) <= T2(satz, seite) : T2(satz, seite) <= Rnd(0, 50);
    if (t2 && Rnd(0, 100) < T3(satz, seite)) v += v / 8;
    return v;
}

struct Pass {
    Spielfeld_Satz* satz;
    Ballkontakt_Liste* liste;
    float alt_x, alt_y;   // the ball one figure step ago
    int32_t halter_start;
    int32_t letzter_halter = -1;
    int32_t seite_start;
};

// The ball flies away off P: too hot to hold, or saved.
void Abprallen(Pass& p, int32_t slot, float abstand, bool parade) {
    Spielfeld_Satz* satz = p.satz;
    Figur& b = satz->figur[FIGUR_BALL];
    Figur& f = satz->figur[slot];
    const int32_t seite = Seite(slot);
    const bool live = satz->anzeige_modus == 1;
    if (parade && live) {
        satz->reaktion_art[seite] = 3;
        satz->reaktion_art[1 - seite] = 1;
        satz->stimmung[seite] = std::min(100u, satz->stimmung[seite] + 10);
        satz->stimmung[1 - seite] = std::min(100u, satz->stimmung[1 - seite] + 5);
    }
    const float vx0 = b.v[0], vy0 = b.v[1];
    int32_t faktor = Rnd(1, 4);
    bool x_gedreht = false;
    if (Rnd(0, 1) != 0 || abstand < 20) {
        b.v[0] = -b.v[0] * float(faktor) / float(faktor + 3);
        x_gedreht = true;
    }
    faktor = Rnd(1, 4);
    const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    if (!parade) {
        if (Rnd(0, 1) != 0) b.v[1] = -b.v[1];
    } else {
        if (f.torwart && satz->spielzustand == SZ_SPIEL) {
            Spielfeld_Ereignis(satz, uint32_t(1 - satz->letzte_beruehrung) | 0x402u, slot, -1);
            Spielfeld_Statistik_Element(satz, slot, 6);
            Spielfeld_Statistik_Element(satz, slot, 7);
        }
        if (satz->spielzustand == SZ_SPIEL) {
            float fx = b.pos[0], fy = b.pos[1];
            if (Spielfeld_Abstand_Strecke(p.alt_x, p.alt_y, b.pos[0], b.pos[1], f.pos[0], f.pos[1], &fx, &fy) >= 0) {
                b.pos[0] = fx;
                b.pos[1] = fy;
            }
        }
        if (b.pos[0] > 0 && b.pos[0] < SPIELFELD_LAENGE && satz->ball_linie != BALL_TOR) {
            satz->ball_linie = BALL_IM_SPIEL;
            satz->tor_reaktion = 0;
        }
        const float richtung = 2.0f * float(a.unten ? 1 : 0) - 1.0f;
        if (b.v[1] * richtung < 0) {
            if (!x_gedreht) b.v[0] = -b.v[0];
        } else {
            b.v[1] = -b.v[1];
        }
    }
    b.v[1] *= float(faktor) / float(faktor + 3);
    if (satz->spielzustand == SZ_SPIEL) {
        b.pos[0] += b.v[0] * 22 / 1000;
        b.pos[1] += b.v[1] * 22 / 1000;
        Anweisung& ba = *Figur_Aktuelle_Anweisung(&b);
        ba.ziel[0] = b.pos[0] + 2 * b.v[0];
        ba.ziel[1] = b.pos[1] + 2 * b.v[1];
        const float px = vx0 != 0 ? std::fabs(b.v[0] / vx0) : 1.0f, py = vy0 != 0 ? std::fabs(b.v[1] / vy0) : 1.0f;
        ba.tempo *= (px + py) / 2;
    }
    satz->letzte_beruehrung = int8_t(seite);
    satz->torwart_beruehrt = f.torwart ? 1 : 0;
    if (f.torwart && satz->unterbrechung_countdown > 1) --satz->unterbrechung_countdown;
}

// Step 6 up to the taking: a ball just over a goal line comes back onto it;
// a ball too hot to hold, or saved, flies off P; the holder near a ball
// slower than he is decides; an overhead kick among players raises the
// flag. False when the ball flew off P.
bool Vor_Dem_Nehmen(Pass& p, int32_t slot, float abstand, bool parade, const Anweisung& a) {
    Spielfeld_Satz* satz = p.satz;
    Figur& b = satz->figur[FIGUR_BALL];
    Figur& f = satz->figur[slot];
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    const int32_t seite = Seite(slot);
    const int32_t h = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;

    // A ball just over a goal line comes back onto it and stays in play.
    if (b.pos[0] > SPIELFELD_LAENGE && b.pos[0] <= SPIELFELD_LAENGE + 30 && p.alt_x <= SPIELFELD_LAENGE) {
        b.pos[0] = SPIELFELD_LAENGE;
        satz->ball_linie = BALL_IM_SPIEL;
        satz->tor_reaktion = 0;
    } else if (b.pos[0] < 0 && b.pos[0] >= -30 && p.alt_x >= 0) {
        b.pos[0] = 0;
        satz->ball_linie = BALL_IM_SPIEL;
        satz->tor_reaktion = 0;
    }
    const bool empfaenger = satz->empfaenger == slot;
    const float vsum = std::fabs(b.v[0]) + std::fabs(b.v[1]);
    const float flug = Ball_Tempo(satz);
    const float sperre = Figur_Ballsperre(f);
    if (parade) {
        Abprallen(p, slot, abstand, true);
        return false;
    }
    if (!f.torwart && h != slot && sperre == 0 && vsum > 2800 &&
        ((flug > float(sm.werte[8]) / 3 + 2750 + (empfaenger ? 200 : 0) && b.pos[2] < 200) ||
         (b.pos[2] > 150 && satz->letzte_beruehrung != seite && !empfaenger))) {
        Abprallen(p, slot, abstand, false);
        return false;
    }
    if (h == slot && abstand < 30) {
        const float vb = Hypot_F(b.v[0], b.v[1]), vf = Hypot_F(f.v[0], f.v[1]);
        if (vb < vf) f.entscheiden = 1;
    }
    if (a.anim == ANIM_FALLRUECKZIEHER) {
        const int32_t n = Spielfeld_Spieler_Im_Rechteck(satz, slot, int32_t(f.pos[0] - 100), int32_t(f.pos[1] - 40),
                                                        int32_t(f.pos[0] + 100), int32_t(f.pos[1] + 40), nullptr);
        if (n > 0) {
            Flaggen_Zustand(satz) = 1;
            satz->w25187 = 1;
            const int32_t lr = b.pos[0] <= SPIELFELD_MITTE_X ? FIGUR_LINIENRICHTER_1 : FIGUR_LINIENRICHTER_2;
            const Figur& l = satz->figur[lr];
            SetZSA(satz, lr, int32_t(l.pos[0]), int32_t(l.pos[1]), 0, 0, ANIM_LINIENRICHTER_FAHNE, 0, -1, 0, -1, 1, 1,
                   RING_OHNE_PRUEFUNG, 0, 0);
            Satz_Feld_Setzen<float>(satz, SF_FAHNE_X, f.pos[0]);
            Satz_Feld_Setzen<float>(satz, SF_FAHNE_Y, f.pos[1]);
            Satz_Feld_Setzen<int32_t>(satz, SF_FAHNE_SEITE, 1 - seite);
            Satz_Feld_Setzen<int32_t>(satz, SF_FAHNE_SPIELER, slot);
        }
    }
    return true;
}

// Step 6, the taking: P may take the ball while no flag stands against his
// side; the referee whistles a raised flag; a holder far from the ball
// loses it. False when P may not take it.
bool Nehmen_Beginnen(Pass& p, int32_t slot, float abstand) {
    Spielfeld_Satz* satz = p.satz;
    const Figur& b = satz->figur[FIGUR_BALL];
    const Figur& f = satz->figur[slot];
    const int32_t seite = Seite(slot);
    const int32_t h = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;
    const bool halter_seite = h < 0 || Seite(h) == seite;
    if (!(Flaggen_Zustand(satz) == 0 || halter_seite || f.torwart)) return false;
    if (Flaggen_Zustand(satz) == 1 && halter_seite && Rnd(0, 6 - int8_t(satz->strenge[1])) < 3) {
        Flaggen_Zustand(satz) = 2;
        const Figur& s = satz->figur[FIGUR_SCHIRI];
        SetZSA(satz, FIGUR_SCHIRI, int32_t(s.pos[0]), int32_t(s.pos[1]), 0, 0, ANIM_SCHIRI_PFEIFT, 0, -1, 0, -1, 1, 1,
               RING_OHNE_PRUEFUNG, 0, 0);
    }
    if (Flaggen_Zustand(satz) != 2) Flaggen_Zustand(satz) = 0;
    satz->naechster0 = satz->naechster1 = -1;
    if (h >= 0) {
        const Figur& fh = satz->figur[h];
        const float dh = Hypot_F(fh.pos[0] - b.pos[0], fh.pos[1] - b.pos[1]);
        if (dh < 200) p.letzter_halter = h;
        if (dh > 90 && dh > abstand && satz->spielzustand != SZ_ECKE && satz->spielzustand != SZ_ANSTOSS &&
            satz->spielzustand != SZ_FREISTOSS) {
            satz->ballhalter = -1;
            satz->halter_beruehrungen = 0;
        }
    }
    return true;
}

// 9. The holder of the other side keeps the ball against P; near his own
// goal P may clear it.
void Halter_Behaelt(Pass& p, int32_t slot, int32_t halter, const Anweisung& a) {
    Spielfeld_Satz* satz = p.satz;
    Figur& b = satz->figur[FIGUR_BALL];
    Figur& f = satz->figur[slot];
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    const int32_t seite = Seite(slot);
    const float t = Zeitfaktor(satz);
    Figur_Ballsperre_Setzen(&f, float((650 - (sm.werte[3] + sm.werte[19]) / 2) / 2 + 250));
    if (a.flags == 0) Stehen_Muede(satz, slot);
    f.entscheiden = 1;
    const float eigene_linie = float(satz->tor_x[1 - seite]);
    const float nah = float(sm.werte[19] + 2000 + 10 * T1(satz, seite));
    if (std::fabs(b.pos[0] - eigene_linie) < nah && Rnd(1, std::max(1, int32_t(2 * t))) > 2 && b.pos[2] < 100) {
        float zx = b.pos[0];
        if (Rnd(0, 2) == 0) zx += float(Rnd(0, 200)) + f.v[0] - 100;
        const int32_t tempo = Rnd(1200, 1800) + int32_t(a.tempo);
        Ballbesitz_Setzen(satz, -1);
        SetZSA(satz, FIGUR_BALL, int32_t(zx), int32_t(b.pos[1]), 0, tempo, ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1,
               RING_OHNE_PRUEFUNG, 0, 0);
        Figur_Bremse_Mal(&b, 0, 1, 20);
        if (Rnd(0, 3) != 0) satz->letzte_beruehrung = int8_t(1 - satz->letzte_beruehrung);
        Figur_Ballsperre_Setzen(&satz->figur[halter], 150);
        Figur_Ballsperre_Setzen(&f, 150);
        f.entscheiden = 0;
    }
}

// 7. The contest with a holder of the other side (9 when he keeps it). True
// when P takes the ball: no holder, the holder himself or a team-mate, or
// the contest won.
bool Kontest(Pass& p, int32_t slot, int32_t halter, const Anweisung& a) {
    if (halter < 0) return true;
    Spielfeld_Satz* satz = p.satz;
    const int32_t seite = Seite(slot);
    if (halter == slot || Seite(halter) == seite) return true;   // the holder himself or a team-mate
    const Figur& b = satz->figur[FIGUR_BALL];
    Spieler_Matchsatz& sm = satz->spieler[slot];
    Spieler_Matchsatz& hm = satz->spieler[halter];
    const int32_t hs = Seite(halter);
    const bool flach = b.pos[2] <= 160;
    int32_t vh = flach ? hm.werte[8] : hm.werte[17];
    int32_t vc = flach ? sm.werte[3] : sm.werte[17];
    const bool basis_c_groesser = vc > vh;
    if (satz->taktik[hs][9]) vh -= 400;
    if (sm.partner == uint8_t(halter)) {
        vc += sm.werte[21] / 2;
        if (sm.werte[21] > Spieler_Matchstaerke(sm)) vc += 400;
    }
    if (flach && Spieler_Matchstaerke(sm) < sm.werte[20]) {
        const float eigene_linie = float(satz->tor_x[1 - seite]);
        if (std::fabs(b.pos[0] - eigene_linie) > 5400) vh += 250;
    }
    vh = Taktik_Zuschlag(satz, hs, vh, true, hm.countdown);
    vc = Taktik_Zuschlag(satz, seite, vc, false, 0);
    int32_t k = Ballkontakt_Haltechance(vh, vc, basis_c_groesser, Zeitfaktor(satz));
    const int32_t fs = Ballkontakt_Faehigkeiten(hm, sm);
    if (fs > 0) k = 1700;
    if (fs < 0) k = 0;
    if (satz->anzeige_modus == 1) {
        satz->reaktion_art[hs] = 2;
        satz->stimmung[hs] = std::min(100u, satz->stimmung[hs] + 10);
    }
    const int32_t kontest[6] = {halter, slot, vh, vc, k, -1};
    std::memcpy(satz->w42316, kontest, sizeof kontest);
    const bool nimmt = Rnd(0, 1700) > k && satz->figur[halter].situation != 22;
    satz->w42316[5] = nimmt ? slot : halter;
    if (!nimmt) Halter_Behaelt(p, slot, halter, a);
    return nimmt;
}

// 8. P takes the ball: from the other side's holder, who stands and
// decides; a new touch (a chest or high foot control, a keeper's save); the
// ball at his feet; in play the ball stops, a high one with uncertain
// control.
void Ball_Nehmen(Pass& p, int32_t slot, int32_t halter, float radius, const Anweisung& a) {
    Spielfeld_Satz* satz = p.satz;
    Figur& b = satz->figur[FIGUR_BALL];
    Figur& f = satz->figur[slot];
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    const int32_t seite = Seite(slot);
    const float vsum = std::fabs(b.v[0]) + std::fabs(b.v[1]);
    if (halter >= 0 && Seite(halter) != seite) {
        Figur& fh = satz->figur[halter];
        const Spieler_Matchsatz& hm = satz->spieler[halter];
        Figur_Ballsperre_Setzen(&fh, float((500 - (hm.werte[3] - hm.werte[19]) / 2) / 2 + 250));
        if (Figur_Aktuelle_Anweisung(&fh)->flags == 0) Stehen_Muede(satz, halter);
        fh.entscheiden = 1;
    }
    const bool von_niemand = halter < 0;
    const bool neu = satz->ballhalter != slot;
    if (neu) {
        if (!f.torwart || satz->letzte_beruehrung == seite) satz->torwart_beruehrt = 0;
        const float v = Hypot_F(f.v[0], f.v[1]);
        if (v == 0 && a.flags == 0 && !f.torwart) {
            if (b.pos[2] > 150 && b.pos[2] < 200)
                SetZSA(satz, slot, int32_t(f.pos[0]), int32_t(f.pos[1]), 0, 0, ANIM_BRUSTANNAHME, 0, -1, 0, -1, 1, 1,
                       RING_OHNE_PRUEFUNG, 0, 0);
            else if (b.pos[2] > 50 && b.pos[2] < 150 && vsum > 0)
                SetZSA(satz, slot, int32_t(f.pos[0]), int32_t(f.pos[1]), 0, 0, ANIM_FUSSANNAHME_HOCH, 0, -1, 0, -1, 1,
                       1, RING_OHNE_PRUEFUNG, 0, 0);
        }
        if (f.torwart && satz->letzte_beruehrung != seite && satz->spielzustand == SZ_SPIEL) {
            Spielfeld_Ereignis(satz, uint32_t(1 - satz->letzte_beruehrung) | 0x402u, slot, -1);
            Spielfeld_Statistik_Element(satz, slot, 6);
            Spielfeld_Statistik_Element(satz, slot, 7);
            satz->torwart_beruehrt = 1;
        }
        // A field player winning the ball in open play from the other side's
        // touch may launch a counter with his first decision on it.
        satz->konter = !f.torwart && satz->spielzustand == SZ_SPIEL && satz->letzte_beruehrung != seite ? 1 : 0;
        Ballbesitz_Setzen(satz, slot);
    }
    satz->letzte_beruehrung = int8_t(seite);
    if (f.situation != 27) f.entscheiden = 1;
    f.entscheid_timer = 0;
    if (von_niemand) {
        const Ballkontakt_Liste& l = *p.liste;
        for (int32_t i = 0; i < l.anzahl; ++i) {
            Figur& o = satz->figur[l.slot[i]];
            if (std::fabs(o.pos[0] - b.pos[0]) < 1000 && std::fabs(o.pos[1] - b.pos[1]) < 1000) o.entscheiden = 1;
        }
    }
    if (satz->ballhalter == slot && (f.situation == 0 || f.torwart)) {
        const float dx = p.alt_x - f.pos[0], dy = p.alt_y - f.pos[1], d = Hypot_F(dx, dy);
        if (!f.torwart || radius <= 60) {
            if (d > 0.01f) {
                // At his feet on the pitch: a ball put back on a goal line
                // must not be placed over it again.
                b.pos[0] = std::clamp(f.pos[0] + dx / d * 20, 0.0f, float(SPIELFELD_LAENGE));
                b.pos[1] = f.pos[1] + dy / d * 20;
            }
        }
        satz->ballkontrolle = 1;
        if (b.v[1] < 0) b.pos[1] += 2;
    }
    // The ball stops at a new touch (and in a keeper's hands). A field
    // player's touch of the ball he already holds leaves it rolling with the
    // push his dribble gave it: stopped every frame, the ball a dribbler runs
    // with would have no velocity, and a tackle aimed ahead along its path
    // would go to where it lay.
    if (satz->spielzustand == SZ_SPIEL && (neu || f.torwart)) {
        Anweisung& ba = *Figur_Aktuelle_Anweisung(&b);
        const Anim_Satz& z = Anim_Zeile_Oder_Stand(a.anim, "Ballkontakt");
        if (ba.vz > 200 && a.anim != ANIM_BRUSTANNAHME && z.reichweite_hoehe == 0 && b.pos[2] > 0) {
            const int32_t kontrolle = sm.werte[28];
            b.pos[2] = std::max(0.0f, 150.0f - float(kontrolle) / 10);
            ba.vz = std::min(ba.vz, 1300.0f - float(kontrolle) / 1.5f);
            Spielfeld_Ball_Flug_Steigend(&b);
            if (Rnd(0, 999) < kontrolle) {
                b.v[0] *= 0.8f;
                b.v[1] *= 0.8f;
                ba.tempo *= 0.8f;
                Figur_Bremse_Mal(&b, 0, 2, 15);
            }
        } else {
            b.v[0] = b.v[1] = 0;
            ba.tempo = 0;
        }
        ba.ziel[0] = b.pos[0];
        ba.ziel[1] = b.pos[1];
    }
}

// Steps 6-9 for P once the ball is within his reach.
void Kontakt(Pass& p, int32_t slot, float abstand, float radius, bool parade) {
    Figur& f = p.satz->figur[slot];
    const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    if (!Vor_Dem_Nehmen(p, slot, abstand, parade, a)) return;
    if (Figur_Ballsperre(f) != 0) return;
    if (!Nehmen_Beginnen(p, slot, abstand)) return;
    const int32_t halter = Spieler_Ok(p.satz->ballhalter) ? p.satz->ballhalter : -1;
    if (!Kontest(p, slot, halter, a)) return;
    Ball_Nehmen(p, slot, halter, radius, a);
}

// The contact pass for one player of the list.
void Spieler_Kontakt(Pass& p, int32_t i) {
    Spielfeld_Satz* satz = p.satz;
    const int32_t slot = p.liste->slot[i];
    Figur& f = satz->figur[slot];
    Figur& b = satz->figur[FIGUR_BALL];
    if (!satz->wetter_init && !f.torwart) return;
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    const Anim_Satz& z = Anim_Zeile_Oder_Stand(a.anim, "Ballkontakt");
    float hr = a.anim == ANIM_FAUST_OBEN ? 0.0f : 210.0f;
    float r = Ballkontakt_Radius(satz, slot);
    float d = p.liste->abstand[i];
    bool parade = false;
    const int32_t cf = z.kontakt_frame;
    if (cf > 0) {
        const int32_t fa = std::abs(int32_t(a.frame) - cf);
        if (fa < 3) {
            hr = float(sm.werte[17]) / 30 + z.reichweite_hoehe + 10 + (f.torwart ? 40.0f : 0.0f);
            const float s2 = std::fabs(z.reichweite_seite);
            const float n =
                Spielfeld_Abstand_Strecke(p.alt_x, p.alt_y, b.pos[0], b.pos[1], f.pos[0], f.pos[1], nullptr, nullptr);
            if (n < 0) {
                r = f.torwart ? 60.0f : 70.0f;
                if (fa > 1) {
                    hr = z.reichweite_hoehe / float(fa);
                    r = 20;
                }
            } else {
                r = (100.0f - 30.0f * float(fa)) * s2 / 100 + 60;
                d = n;
                if (z.link < 0 && s2 >= 150 && n < r) parade = true;
            }
            if (a.frame >= cf && z.link >= 0 && !f.verfehlt && satz->ballhalter != slot) {
                if (d < 140) {
                    d = 0;
                    hr = b.pos[2];
                } else {
                    const float nx = b.pos[0] + b.v[0] * 22 / 1000, ny = b.pos[1] + b.v[1] * 22 / 1000;
                    const float m = Spielfeld_Abstand_Strecke(b.pos[0], b.pos[1], nx, ny, f.pos[0], f.pos[1], nullptr,
                                                              nullptr);
                    const float grenze = (100.0f - 20.0f * float(fa + 1)) * s2 / 100 + 60;
                    if (m >= 0 && m < grenze) {
                        d = 0;
                        hr = b.pos[2];
                    } else {
                        f.verfehlt = 1;
                        satz->torwart_verfehlt = -1;
                        for (int32_t k = 1; k < SF_ANWEISUNGEN; ++k) f.ring[(f.aktuell + k) & 3].anim = -1;
                        if (s2 <= 1) a.flags = 0;
                    }
                }
            }
        } else if (std::fabs(z.reichweite_seite) <= 150) {
            hr = 210;
            r = 60;
        } else {
            hr = r = 20;
        }
    }
    if ((!f.torwart && !b.gezeichnet) || (f.torwart && f.verfehlt)) d = 2000;
    if (r <= d && d < 3500 && !satz->slot_marke[slot] && f.situation == 0 && f.entscheid_intervall == 0 &&
        !satz->standard_marker[2]) {
        f.entscheiden = 1;
        satz->slot_marke[slot] = 1;
    }
    if (d < 230 && satz->ballhalter == slot) satz->ballkontrolle = 1;
    if (d >= r && hr > b.pos[2] - 5) {
        const bool x_zw = (f.pos[0] - p.alt_x) * (f.pos[0] - b.pos[0]) <= 0;
        const bool y_zw = (f.pos[1] - p.alt_y) * (f.pos[1] - b.pos[1]) <= 0;
        if (x_zw || y_zw) {
            const float n =
                Spielfeld_Abstand_Strecke(p.alt_x, p.alt_y, b.pos[0], b.pos[1], f.pos[0], f.pos[1], nullptr, nullptr);
            if (n >= 0) d = n;
        }
    }
    const bool offen = satz->spielzustand == SZ_SPIEL ||
                       (f.situation != 0 && satz->letzte_beruehrung != Seite(slot));
    if (!offen || !(b.pos[2] - 5 < hr) || !(d < r)) return;
    // A ball out of play (beyond a touch line, in the net, or taken out) is
    // nobody's to touch; one a few centimetres over a goal line is put back.
    const bool knapp = (b.pos[0] > SPIELFELD_LAENGE && b.pos[0] <= SPIELFELD_LAENGE + 30) ||
                       (b.pos[0] < 0 && b.pos[0] >= -30);
    const bool im_feld = b.pos[0] >= 0 && b.pos[0] <= SPIELFELD_LAENGE && b.pos[1] >= 0 && b.pos[1] <= SPIELFELD_BREITE;
    const bool spielbar = satz->ball_linie == BALL_IM_SPIEL    ? true
                          : satz->ball_linie == BALL_ABPRALLER ? im_feld
                          : satz->ball_linie == BALL_TORAUS && knapp;
    if (!spielbar) return;
    Kontakt(p, slot, d, r, parade);
}

// A restart no set-piece script owns: the first touch releases open play.
void Neustart_Ohne_Skript(Spielfeld_Satz* satz, Pass& p) {
    if (satz->spielzustand == SZ_SPIEL || satz->spielzustand == SZ_NEUE_HALBZEIT ||
        satz->spielzustand == SZ_ABGANG || satz->spielzustand == SZ_NACH_TOR ||
        satz->spielzustand == SZ_VERLETZUNG || satz->spielzustand == SZ_ELFMETERSCHIESSEN)
        return;
    if (satz->ballhalter >= 0 || !satz->wetter_init || satz->ball_linie != BALL_IM_SPIEL) return;
    for (int32_t s = 0; s < SF_SPIELER; ++s)
        if (satz->figur[s].situation != 0) return;
    const Figur& b = satz->figur[FIGUR_BALL];
    if (b.pos[2] >= 210) return;
    for (int32_t i = 0; i < p.liste->anzahl; ++i) {
        const int32_t s = p.liste->slot[i];
        Figur& f = satz->figur[s];
        if (Figur_Ballsperre(f) > 0 || f.entscheid_timer > 0 || p.liste->abstand[i] > 60) continue;
        Ballbesitz_Setzen(satz, s);
        Figur& bb = satz->figur[FIGUR_BALL];
        bb.v[0] = bb.v[1] = bb.v[2] = 0;
        Figur_Aktuelle_Anweisung(&bb)->tempo = 0;
        f.entscheiden = 1;
        satz->letzte_beruehrung = int8_t(Seite(s));
        Spielfeld_Spielzustand_Freigeben(satz);
        return;
    }
}

}  // namespace

int32_t Spieler_Matchstaerke(const Spieler_Matchsatz& sm) {
    int16_t w[SF_WERTE];
    std::copy(std::begin(sm.werte), std::end(sm.werte), w);
    std::nth_element(w, w + SF_WERTE / 2, w + SF_WERTE);
    return w[SF_WERTE / 2];
}

float Figur_Ballsperre(const Figur& f) { return Satz_Feld<float>(&f, 44); }
void Figur_Ballsperre_Setzen(Figur* f, float ms) { Satz_Feld_Setzen<float>(f, 44, ms); }

int32_t Ballkontakt_Haltechance(int32_t vh, int32_t vc, bool basis_c_groesser, float t) {
    const int32_t d = vh - vc;
    int32_t k;
    if (t == 1.0f) {
        if (d > 0) k = d + 1250;
        else if (d > -150) k = 5 * d + 1100;
        else k = 2 * d + 900;
    } else {
        if (d > 0 && d < 50) k = int32_t((6 - t) * float(d) + 1100 - 30 * t);
        else if (d >= 50) k = int32_t(float(d) + 1200 - 40 * t);
        else if (d > -50) k = int32_t((6 - t) * float(d) + 1000);
        else k = int32_t(float(d) + 700 + 50 * t);
    }
    k = std::min(k, basis_c_groesser ? 1200 : 1500);
    return std::max(k, basis_c_groesser ? 700 : 800);
}

int32_t Ballkontakt_Faehigkeiten(const Spieler_Matchsatz& halter, const Spieler_Matchsatz& p) {
    int32_t summe = 0;
    if (halter.talent_flag[TALENT_FLAG(181)]) summe += 2;
    if (halter.talent_flag[TALENT_FLAG(179)]) summe += 1;
    if (p.talent_flag[TALENT_FLAG(180)]) summe -= 1;
    if (p.talent_flag[TALENT_FLAG(181)]) summe -= 2;
    if (p.talent_flag[TALENT_FLAG(186)] && Rnd(0, 100) < 20) summe -= 1;
    return summe;
}

float Ballkontakt_Radius(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || !Spieler_Ok(slot)) return 60;
    const int32_t h = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;
    // The side with the ball is the possession query's: a ball nobody holds
    // is side 0's. Counted as nobody's, a loose ball after a free kick was
    // out of every field player's reach but for 6 cm, and one lying on a
    // line, where the players' targets stop 50 cm short of it, lay there
    // until a chaser happened to stand on it.
    const int32_t seite_ball = Spielfeld_Ballbesitz_Seite(satz);
    if (satz->standard_marker[1] && !satz->figur[slot].torwart && Seite(slot) != seite_ball) return 6;
    const float schmal = 60.0f / float(std::max<int32_t>(0, satz->halter_beruehrungen) + 1);
    if (Ball_Tempo(satz) > 3300) return schmal;
    if (satz->halter_beruehrungen && h >= 0 && Seite(slot) != seite_ball) return schmal;
    return 60;
}

void Spielfeld_Ballkontakt(Spielfeld_Satz* satz, Ballkontakt_Liste* liste) {
    if (!satz || !liste) return;
    Figur& b = satz->figur[FIGUR_BALL];
    // Bookkeeping.
    satz->ballkontrolle = 0;
    std::memset(satz->slot_marke, 0, sizeof satz->slot_marke);
    const int32_t vorher[2] = {satz->naechster0, satz->naechster1};
    float best[2] = {float(SPIELFELD_LAENGE), float(SPIELFELD_LAENGE)};
    int32_t naechst[2] = {-1, -1};
    satz->vorderster_x = SPIELFELD_MITTE_X;
    satz->vorderster_spieler = -1;
    const int32_t h = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;
    const float gx = h >= 0 ? float(satz->tor_x[Seite(h)]) : 0.0f;
    float klein[2] = {1e9f, 1e9f};
    liste->anzahl = 0;
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        const Spieler_Matchsatz& sm = satz->spieler[s];
        Figur& f = satz->figur[s];
        // The lock-out runs down by the figure step; a negative value (another
        // step counting it down past 0) is none.
        const float sperre = Figur_Ballsperre(f);
        if (sperre != 0) Figur_Ballsperre_Setzen(&f, std::max(0.0f, sperre - TICK_FIGUR_SCHRITT));
        if (!(sm.zustand & SM_AUF_PLATZ) || !f.gezeichnet || f.pos[1] < 0) continue;
        const float d = sm.zustand == SM_AUF_PLATZ ? Abstand_Kurz(f.pos[0] - b.pos[0], f.pos[1] - b.pos[1])
                                                   : float(SPIELFELD_LAENGE);
        liste->slot[liste->anzahl] = int8_t(s);
        liste->abstand[liste->anzahl] = d;
        ++liste->anzahl;
        const int32_t seite = Seite(s);
        if (h >= 0) {
            if (seite != Seite(h)) {
                const float g = std::fabs(gx - f.pos[0]);
                if (g < klein[0]) {
                    klein[1] = klein[0];
                    klein[0] = g;
                } else if (g < klein[1]) {
                    klein[1] = g;
                }
            } else if (gx > SPIELFELD_MITTE_X ? f.pos[0] > satz->vorderster_x : f.pos[0] < satz->vorderster_x) {
                satz->vorderster_x = f.pos[0];
                satz->vorderster_y = f.pos[1];
                satz->vorderster_spieler = int8_t(s);
            }
        }
        float m;
        if (satz->abfaenger[seite] == s) m = d;
        else m = Abstand_Kurz(f.pos[0] - (b.pos[0] + b.v[0]), f.pos[1] - (b.pos[1] + b.v[1]));
        if (m < best[seite]) {
            best[seite] = m;
            naechst[seite] = s;
        }
    }
    satz->naechster0 = naechst[0];
    satz->naechster1 = naechst[1];
    satz->naechster_abstand0 = best[0];
    satz->naechster_abstand1 = best[1];
    if (h >= 0) Satz_Feld_Setzen<float>(satz, SF_ABSEITSLINIE, std::min(klein[1], float(SPIELFELD_MITTE_X)));
    satz->w26469 = satz->w26469 ? 0 : 1;

    // A rebound off the frame that came to rest inside the pitch is in play.
    const bool im_feld = b.pos[0] >= 0 && b.pos[0] <= SPIELFELD_LAENGE && b.pos[1] >= 0 && b.pos[1] <= SPIELFELD_BREITE;
    if (satz->ball_linie == BALL_ABPRALLER && im_feld) satz->ball_linie = BALL_IM_SPIEL;

    // The contact pass.
    Pass p{satz, liste, b.pos[0] - b.v[0] * TICK_FIGUR_SCHRITT / 1000, b.pos[1] - b.v[1] * TICK_FIGUR_SCHRITT / 1000,
           h, -1, int32_t(satz->letzte_beruehrung)};
    for (int32_t k = 0; k < liste->anzahl; ++k) {
        const int32_t i = satz->w26469 ? k : liste->anzahl - 1 - k;
        Spieler_Kontakt(p, i);
    }
    Neustart_Ohne_Skript(satz, p);

    // 10. Statistics of a ball won.
    const int32_t jetzt = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : p.letzter_halter;
    if (h >= 0 && jetzt >= 0 && satz->letzte_beruehrung != Seite(h)) {
        const int32_t x = jetzt;
        const int32_t verlierer = x == h ? p.letzter_halter : h;
        if (Spieler_Ok(verlierer) && verlierer != x) {
            Spielfeld_Statistik_Element(satz, x, 4);
            Spielfeld_Statistik_Element(satz, verlierer, 4);
            Spielfeld_Statistik_Element(satz, verlierer, 3);
            // A client changes no player data: the server's own match counts them.
            if (Spielfeld_Hook_Netz_Modus() != 1) {
                Spieler_Wert(SPW_BALLGEWINNE, satz->spieler[x].nummer, 1, OP_PLUS);
                Spieler_Wert(SPW_BALLGEWINNE_2, satz->spieler[x].nummer, 1, OP_PLUS);
                Spieler_Wert(SPW_BALLGEWINNE, satz->spieler[verlierer].nummer, 1, OP_PLUS);
            }
        }
    }

    // Wake-ups of a side's new nearest player.
    const int32_t hh = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;
    if (!satz->standard_marker[1] && !satz->standard_marker[2]) {
        const int32_t jetzt_n[2] = {satz->naechster0, satz->naechster1};
        for (int32_t seite = 0; seite < 2; ++seite) {
            const bool dran = hh < 0 || Seite(hh) != seite;
            const int32_t n = jetzt_n[seite];
            if (dran && Spieler_Ok(n) && n != vorher[seite] && satz->figur[n].situation == 0)
                satz->figur[n].entscheiden = 1;
        }
    }

    // The crowd, every fourth frame.
    if (--Vier_Frames(satz) <= 0) {
        Vier_Frames(satz) = 4;
        for (int32_t i = 0; i < liste->anzahl; ++i) {
            const int32_t s = liste->slot[i];
            Figur& f = satz->figur[s];
            const Spieler_Matchsatz& sm = satz->spieler[s];
            const bool drin = b.pos[0] >= float(sm.bereich[0]) && b.pos[0] <= float(sm.bereich[1]) &&
                              b.pos[1] >= float(sm.bereich[2]) && b.pos[1] <= float(sm.bereich[3]);
            if (drin && f.entscheid_intervall == 0 && !f.entscheiden && sm.zustand == SM_AUF_PLATZ &&
                satz->spielzustand == SZ_SPIEL)
                f.entscheid_intervall = 0.8f;
        }
    }
}

void Spielfeld_Debug_Info(Spielfeld_Satz* satz, int32_t figur) {
    if (!satz || figur < 0 || figur >= SF_FIGUREN) return;
    const Figur& b = satz->figur[FIGUR_BALL];
    Debug_Printf("----------\n");
    auto meter = [](float cm) { return int32_t(cm); };
    if (figur == 32) {
        const int32_t h = satz->ballhalter;
        const int32_t seite = Spieler_Ok(h) ? Seite(h) : 0;
        const int32_t d = meter(Hypot_F(float(satz->tor_x[seite]) - b.pos[0], float(satz->tor_y[seite]) - b.pos[1]));
        Debug_Printf("Ballbesitz:%d Torentf. Ball:%d.%d M.\n", h, d / 100, d % 100);
        return;
    }
    const Figur& f = satz->figur[figur];
    const int32_t seite = figur < SF_SPIELER ? Seite(figur) : 0;
    const int32_t dt = meter(Hypot_F(float(satz->tor_x[seite]) - f.pos[0], float(satz->tor_y[seite]) - f.pos[1]));
    const int32_t db = meter(Hypot_F(b.pos[0] - f.pos[0], b.pos[1] - f.pos[1]));
    Debug_Printf("Torentf. Spieler:%d.%d M.\n", dt / 100, dt % 100);
    Debug_Printf("Ballentf. Spieler:%d.%d M.\n", db / 100, db % 100);
    const int32_t eigene = Spielfeld_Nachbarn_Zaehlen(satz, figur, seite, 1000, false, false);
    const int32_t gegner = Spielfeld_Nachbarn_Zaehlen(satz, figur, 1 - seite, 1000, false, false);
    Debug_Printf("Eigen im Rad 10M.: %d\n", eigene);
    Debug_Printf("Gegn. im Rad 10M.: %d\n", gegner);
}

}  // namespace velmora
