// match/live/spielfeld_situation.cpp - the scripts of restarts, substitutions and
// injuries, one step per decision of the player who carries the code.
#include "match/live/spielfeld_situation.h"

#include <algorithm>
#include <cmath>

#include "club/spieler.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ersatzbank.h"
#include "match/live/ki_abwehr.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_abfangen.h"
#include "match/live/spielfeld_aufstellung.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_ki.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/record/spielfeld_sync.h"

namespace velmora {

namespace {

constexpr int32_t ANIM_EINWURF = 74;
constexpr int32_t ANIM_BEAM = 97;
constexpr int32_t ANIM_BEAM_TW = 101;
constexpr int32_t ANIM_MAUER = 124;
constexpr int32_t ANIM_AUFSTEHEN = 68;
constexpr int32_t ANIM_WAELZEN = 70;
constexpr int32_t ANIM_HINTEN_AUFSTEHEN = 137;
constexpr int32_t ANIM_HINTEN_HINFALLEN = 138;
constexpr int32_t ANIM_HINTEN_WAELZEN = 139;

struct Lage {
    Spielfeld_Satz* satz;
    int32_t slot, seite;
    Figur* f;
    Figur* b;
    float tempo;
    int32_t bx, dx, dy, d;
};

bool Steht(const Figur& f) { return f.v[0] == 0 && f.v[1] == 0; }

// Runs to (x, y). A figure already there is asked again after its reaction
// delay, as an arriving one would be. The turn plan is cleared before the
// order: ordered while he still moves, a planned turn would make only its
// first step the order's target, and a taker sent to the spot stopped there.
void Laufen(const Lage& l, float x, float y) {
    if (Hypot_F(l.f->pos[0] - x, l.f->pos[1] - y) < 30 && Steht(*l.f)) l.f->entscheid_intervall = 0.001f;
    l.f->dreh_geplant = -1;
    SetZSA(l.satz, l.slot, int32_t(x), int32_t(y), 0, int32_t(l.tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
    l.f->dreh_geplant = -1;
}

void Zum_Ball(const Lage& l) { Laufen(l, l.b->pos[0], l.b->pos[1]); }

// Waiting: a figure at rest stops its order's frames and is asked again soon.
void Warten(const Lage& l) {
    if (Steht(*l.f)) {
        Figur_Aktuelle_Anweisung(l.f)->dauer = 0;
        l.f->entscheid_intervall = 0.001f;
    }
    l.f->entscheiden = 0;
}

// Plays a row once at the figure's position (the row's own frame time).
void Einmal(Spielfeld_Satz* satz, int32_t slot, int32_t anim, float x, float y) {
    const Anim_Satz* z = Anim_Zeile(anim);
    SetZSA(satz, slot, int32_t(x), int32_t(y), 0, 0, anim, 0, z ? float(z->ref_frame_zeit) : 40.0f, 0, -1, 1, 1,
           RING_OHNE_PRUEFUNG, 0, 0);
}

// The taker holds the ball and open play starts.
void Uebergabe(const Lage& l) {
    l.satz->ballhalter = int8_t(l.slot);
    l.satz->halter_beruehrungen = 0;
    Spielfeld_Spielzustand_Freigeben(l.satz);
    l.f->entscheiden = 1;
}

void Wechsel_Ende(Spielfeld_Satz* satz) {
    if (satz->wechsel_laeuft > 0) --satz->wechsel_laeuft;
    if (satz->wechsel_laeuft == 0) {
        satz->unterbrechung_bereit = 0;
        if (satz->spielzustand == SZ_NEUE_HALBZEIT) satz->spielzustand = SZ_SPIEL;
    }
}

// A player going out is off the pitch.
void Raus(Spielfeld_Satz* satz, int32_t slot) {
    Spieler_Matchsatz& sm = satz->spieler[slot];
    Figur& f = satz->figur[slot];
    if (satz->ballhalter == slot) Ballbesitz_Setzen(satz, -1);   // he leaves without the ball
    if (!(sm.zustand & 0x340)) sm.zustand &= ~SM_AUF_PLATZ;
    sm.zustand |= SM_AUSGEWECHSELT;
    f.situation = 0;
    f.gezeichnet = 0;
    f.jagt_ball = 0;
}

bool Ziel_Erreicht(const Figur& f) {
    const Anweisung& a = f.ring[f.aktuell & 3];
    return Hypot_F(f.pos[0] - a.ziel[0], f.pos[1] - a.ziel[1]) < 30 || (Steht(f) && a.tempo == 0);
}

// The substitution codes, in every play state. True when handled.
bool Wechsel_Schritt(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    const int32_t partner = KI_Gleiches_Ziel(satz, l.slot);
    switch (f.situation) {
        case 36:
            if (partner < 0 || Ziel_Erreicht(satz->figur[partner])) {
                SetZSA(satz, l.slot, int32_t(f.pos[0]) + 30, 200, 0, 600, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
                       RING_OHNE_PRUEFUNG, 0, 0);
                f.situation = 37;
                if (partner >= 0) satz->figur[partner].entscheiden = 1;
            } else {
                Warten(l);
            }
            f.entscheiden = 0;
            return true;
        case 37:
            f.situation = 0;
            Wechsel_Ende(satz);
            return true;
        case 38:
            if (partner < 0 || Ziel_Erreicht(satz->figur[partner])) {
                int32_t x = 0, y = 0;
                Bank_Platz_Vergeben(satz, l.slot, &x, &y);
                SetZSA(satz, l.slot, x, y, 0, 600, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, 2, RING_OHNE_PRUEFUNG, 0, 0);
                f.situation = 39;
                if (partner >= 0) satz->figur[partner].entscheiden = 1;
            } else {
                Warten(l);
            }
            f.entscheiden = 0;
            return true;
        case 39:
            Raus(satz, l.slot);
            Wechsel_Ende(satz);
            return true;
        default: return false;
    }
}

void Einwurf(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    const float s15 = l.b->pos[1] >= 3400 ? 15.0f : -15.0f;
    if (f.situation == 10) {
        Zum_Ball(l);
        f.situation = 11;
    } else if (f.situation == 11) {
        if (satz->wechsel_laeuft || Spielfeld_Gegner_Suchen(satz, l.slot, int32_t(l.b->pos[0]), int32_t(l.b->pos[1]), 900) >= 0 ||
            Hypot_F(f.pos[0] - l.b->pos[0], f.pos[1] - l.b->pos[1]) > 60) {
            if (Hypot_F(f.pos[0] - l.b->pos[0], f.pos[1] - l.b->pos[1]) > 60) Zum_Ball(l);
            Warten(l);
            return;
        }
        Einmal(satz, l.slot, ANIM_EINWURF, l.b->pos[0], l.b->pos[1] - s15);
        SetAnim(satz, FIGUR_BALL, int32_t(l.b->pos[0]), int32_t(l.b->pos[1] - s15), 0);
        Uebergabe(l);
        for (int32_t k = 0; k < SF_SPIELER; ++k) {
            Figur& o = satz->figur[k];
            if (o.situation == 14) o.entscheiden = 1;
            if (o.situation >= 10 && o.situation <= 14) o.situation = 0;
        }
        f.situation = 40;
        f.entscheiden = 1;
    } else if (f.situation == 14) {
        int32_t x = 0, y = 0;
        Spielfeld_Freier_Punkt(satz, l.slot, FIGUR_BALL, 1000, &x, &y, 1);
        Laufen(l, float(x), float(y));
        f.entscheid_intervall = 0.001f;
    }
}

void Abstoss(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    if (f.situation == 4) {
        Zum_Ball(l);
        f.situation = 5;
    } else if (f.situation == 5) {
        const int32_t linie = SPIELFELD_LAENGE * l.bx, kante = k.strafraum_x[l.bx] + 50 * l.dx;
        int32_t letzter = -1;
        if (!satz->wechsel_laeuft &&
            Spielfeld_Spieler_Im_Rechteck(satz, l.slot, linie, k.strafraum_unten[l.bx], kante, k.strafraum_oben[l.bx],
                                          &letzter) == 0) {
            Zum_Ball(l);
            f.situation = 6;
        } else {
            if (letzter >= 0 && satz->figur[letzter].situation) satz->figur[letzter].situation = 0;
            if (letzter >= 0) satz->figur[letzter].entscheiden = 1;
            Warten(l);
        }
    } else if (f.situation == 6) {
        Zum_Ball(l);
        f.situation = 3;
        Uebergabe(l);
    }
}

void Ecke(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    if (f.situation == 7) {
        Zum_Ball(l);
        f.situation = 8;
    } else if (f.situation == 8) {
        if (!satz->wechsel_laeuft &&
            Spielfeld_Gegner_Suchen(satz, l.slot, int32_t(l.b->pos[0]), int32_t(l.b->pos[1]), 865) < 0) {
            Zum_Ball(l);
            f.situation = 9;
        } else {
            Warten(l);
        }
    } else if (f.situation == 9) {
        Zum_Ball(l);
        f.situation = 3;
        Uebergabe(l);
        satz->standard_marker[0] = 2;
    }
}

// A kick-off waits while three players stand within 870 cm of the ball. A
// player at rest there who is neither the taker nor the receiver (his place
// in the formation lies so near the centre) walks out to 950 cm, away from
// the ball: left standing he held the kick-off for the rest of the match.
void Platz_Machen(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    for (int32_t k = 0; k < SF_SPIELER; ++k) {
        Figur& o = satz->figur[k];
        if (k == l.slot || o.situation != 0 || !Spielfeld_Spielt_Mit(satz, k) || !Steht(o)) continue;
        const float dx = o.pos[0] - l.b->pos[0], dy = o.pos[1] - l.b->pos[1];
        const float d = Hypot_F(dx, dy);
        if (d >= 870 || d < 1) continue;
        SetZSA(satz, k, int32_t(l.b->pos[0] + dx * 950 / d), int32_t(l.b->pos[1] + dy * 950 / d), 0,
               int32_t(Spieler_Lauftempo(satz, k)), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
    }
}

// Whether a restart's script waits: for what holds every restart up
// (`immer`: a substitution running, the referee not ready) always; for the
// players around it (`bis_zur_grenze`) only until the restart has lasted
// `STANDARD_WARTEN_MAX` frames, since one who can never leave would hold it
// for ever.
bool Standard_Haelt(const Spielfeld_Satz* satz, bool immer, bool bis_zur_grenze) {
    if (immer) return true;
    if (!bis_zur_grenze) return false;
    if (Spielfeld_Zustand_Dauer(satz) < STANDARD_WARTEN_MAX) return true;
    Spielfeld_Wartegrenze_Melden(satz);
    return false;
}

void Anstoss(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    if (f.situation == 15) {
        if (Steht(f)) {
            Laufen(l, f.pos[0], SPIELFELD_MITTE_Y);
            f.situation = 17;
        }
    } else if (f.situation == 16) {
        // The receiver waits in his own half: a kick-off is not taken while
        // anybody stands in the opponents' half.
        const float x = l.d < 0 ? std::min(f.pos[0], float(SPIELFELD_MITTE_X - 100))
                                : std::max(f.pos[0], float(SPIELFELD_MITTE_X + 100));
        Laufen(l, x, SPIELFELD_MITTE_Y + 300);
        f.entscheid_intervall = 0.001f;
    } else if (f.situation == 17) {
        SetAnim(satz, l.slot, SPIELFELD_MITTE_X + 30 * l.d, SPIELFELD_MITTE_Y, 0);
        // Put at the ball he stands there: the run that brought him ends at
        // the spot. Kept, it would crawl on towards its old target with
        // whatever speed is left in x, and a kicker who never stands still is
        // never asked again while he waits.
        f.v[0] = f.v[1] = 0;
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        a.ziel[0] = f.pos[0];
        a.ziel[1] = f.pos[1];
        // Nobody more than 90 cm inside the opponents' half, fewer than three
        // near the ball, the referee ready and no substitution running.
        const bool aufgehalten = satz->wechsel_laeuft || !Schiedsrichter_Bereit(satz);
        bool warten = aufgehalten;
        int32_t nah = 0;
        for (int32_t k = 0; k < SF_SPIELER && !warten; ++k) {
            const Figur& o = satz->figur[k];
            // A player carried off (no longer drawn) waits off the pitch for
            // his substitute, or for none when his side has used them all; he
            // stands where he fell, perhaps in the opponents' half, and would
            // hold every later kick-off up.
            if (!Spielfeld_Spielt_Mit(satz, k) || o.situation == 48) continue;
            int32_t e = k < SF_SPIELER_SEITE ? -1 : 1;
            if (satz->seiten_gewechselt) e = -e;
            if ((o.pos[0] + 90.0f * float(e)) * float(e) < float(SPIELFELD_MITTE_X * e)) warten = true;
            if (Hypot_F(o.pos[0] - l.b->pos[0], o.pos[1] - l.b->pos[1]) < 870) ++nah;
        }
        if (!warten && nah >= 3) Platz_Machen(l);
        if (Standard_Haelt(satz, aufgehalten, warten || nah >= 3)) {
            Warten(l);
            return;
        }
        SetZSA(satz, FIGUR_BALL, SPIELFELD_MITTE_X - 5 * l.d, SPIELFELD_MITTE_Y + 300, 0, 1000, ANIM_BALL_BODEN, 0, 0,
               0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
        Figur_Geschwindigkeit_Setzen(l.b, 1000);
        satz->passgeber = -1;
        for (uint8_t& m : satz->slot_marke) m = 0;
        for (int32_t k = 0; k < SF_SPIELER; ++k) {
            Figur& o = satz->figur[k];
            if (o.situation == 16) {
                satz->empfaenger = k;
                o.entscheiden = 1;
            }
            if (o.situation != 48) o.situation = 0;
        }
        satz->ballhalter = -1;
        satz->letzter_spieler = l.slot;
        f.entscheid_timer = 500;
        f.jagt_ball = 0;
        Spielfeld_Spielzustand_Freigeben(satz);
    }
}

void Elfmeter(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    if (f.situation == 18) {
        Laufen(l, l.b->pos[0] - 30.0f * float(l.dx), l.b->pos[1]);
        f.situation = 19;
    } else if (f.situation == 19) {
        bool torwart = false, keiner = true;
        for (int32_t o = (1 - l.seite) * SF_SPIELER_SEITE; o < (2 - l.seite) * SF_SPIELER_SEITE; ++o) {
            const Figur& g = satz->figur[o];
            if (!g.torwart || !Spielfeld_Spielt_Mit(satz, o)) continue;
            keiner = false;
            if (Steht(g) && std::fabs(g.pos[1] - SPIELFELD_MITTE_Y) < 100 &&
                std::fabs(std::fabs(g.pos[0] - l.b->pos[0]) - 1020) <= 40)
                torwart = true;
        }
        bool frei = true;
        if (satz->spielzustand == SZ_ELFMETER) {
            const float kante = float(k.strafraum_x[l.bx]);
            for (int32_t o = 0; o < SF_SPIELER && frei; ++o) {
                const Figur& g = satz->figur[o];
                if (o == l.slot || g.torwart || !Spielfeld_Spielt_Mit(satz, o)) continue;
                if ((g.pos[0] - kante) * float(l.dx) > 100) frei = false;
            }
        }
        // The taker himself stands in the area behind the ball: counted, he
        // and the keeper on his line would hold the kick up for ever.
        const int32_t drin =
            satz->spielzustand == SZ_ELFMETER
                ? Spielfeld_Spieler_Im_Rechteck(satz, l.slot, SPIELFELD_LAENGE * l.bx, k.strafraum_unten[l.bx],
                                                k.strafraum_x[l.bx], k.strafraum_oben[l.bx], nullptr)
                : Spielfeld_Spieler_Im_Rechteck(satz, l.slot, SPIELFELD_MITTE_X, 2403, SPIELFELD_MITTE_X + 1000 * l.dx,
                                                4403, nullptr);
        const bool zufall = Spielfeld_Hook_Netz_Modus() != 0 || Rnd(0, 1) == 0;
        const bool bereit = Schiedsrichter_Bereit(satz) && zufall && !satz->wechsel_laeuft && Steht(f);
        const bool spieler_halten = !((torwart || keiner) && frei && drin < 2);   // the keeper too
        // A shoot-out's play state lasts from its first kick to its last: its
        // kicks wait for the players without a bound.
        if (satz->spielzustand == SZ_ELFMETER ? Standard_Haelt(satz, !bereit, spieler_halten)
                                              : !bereit || spieler_halten) {
            Warten(l);
        } else {
            Zum_Ball(l);
            f.situation = 20;
        }
    } else if (f.situation == 20) {
        Zum_Ball(l);
        f.situation = 1;
        Uebergabe(l);
        satz->standard_marker[2] = 1;
        for (int32_t o = 0; o < SF_SPIELER; ++o) {
            if (o == l.slot) continue;
            satz->figur[o].entscheiden = 0;
            satz->figur[o].entscheid_intervall = 0;
        }
    }
}

bool In_Der_Mauer(const Figur& g) { return g.situation >= 29 && g.situation <= 35; }

// Someone of the other side within `r` of the ball in x. The wall's men and
// the keeper are not counted: they stand where the free kick puts them (the
// wall 915 cm towards the goal, the keeper 150 cm off his line), and from a
// kick near the goal line both lie in the band, so the kick would wait for
// ever. Nor is a player carried off, who waits off the pitch.
bool Gegner_Nah_X(const Lage& l, float r) {
    for (int32_t o = (1 - l.seite) * SF_SPIELER_SEITE; o < (2 - l.seite) * SF_SPIELER_SEITE; ++o) {
        const Figur& g = l.satz->figur[o];
        if (!Spielfeld_Spielt_Mit(l.satz, o) || g.torwart || In_Der_Mauer(g)) continue;
        if (std::fabs(g.pos[0] - l.b->pos[0]) < r) return true;
    }
    return false;
}

// Someone of the other side in open play within `r` of the ball. The keeper
// is not counted: from a free kick beside his goal the 150 cm off his line
// where the kick puts him lie within reach, and the kick would wait for ever.
bool Gegner_Nah(const Lage& l, float r) {
    for (int32_t o = (1 - l.seite) * SF_SPIELER_SEITE; o < (2 - l.seite) * SF_SPIELER_SEITE; ++o) {
        const Figur& g = l.satz->figur[o];
        if (!Spielfeld_Spielt_Mit(l.satz, o) || g.torwart || g.situation != 0) continue;
        if (Hypot_F(g.pos[0] - l.b->pos[0], g.pos[1] - l.b->pos[1]) < r) return true;
    }
    return false;
}

// From the ball 915 cm towards the goal the figure's side defends: the wall's middle.
void Zur_Mauer(const Lage& l, float* ux, float* uy) {
    const Figur& b = *l.b;
    *ux = float(l.satz->tor_x[1 - l.seite]) - b.pos[0];
    *uy = float(l.satz->tor_y[1 - l.seite]) - b.pos[1];
    const float n = Hypot_F(*ux, *uy);
    if (n > 0) {
        *ux = *ux * 915 / n;
        *uy = *uy * 915 / n;
    }
}

// Free kick, the wall: members 0 to 5 (codes 29 to 34) run to their places
// beside the line from the ball to their goal; in the wall (35) each stands
// in the wall's pose at his place.
void Freistoss_Mauer(const Lage& l, bool mauer) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    Figur& b = *l.b;
    const uint8_t c = f.situation;
    if (c >= 29 && c <= 34) {
        const int32_t m = c - 29;
        float ux = 0, uy = 0;
        Zur_Mauer(l, &ux, &uy);
        float px = -uy * 60 / 915, py = ux * 60 / 915;
        if (m % 2 == 0) {
            px = -px;
            py = -py;
        }
        const float reihe = float((m + 1) / 2);
        Laufen(l, b.pos[0] + ux + reihe * px, b.pos[1] + uy + reihe * py);
        f.situation = 35;
    } else {
        const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        // A wall man whose run to the wall was cut short (a tackle or a fall
        // still playing) stands within 865 cm of the ball, where the kick
        // waits for him to leave: he goes again, to the wall's middle 915 cm
        // towards his goal.
        auto im_weg = [&](float x, float y) { return Hypot_F(x - b.pos[0], y - b.pos[1]) < 865; };
        if (mauer && im_weg(f.pos[0], f.pos[1]) && im_weg(a.ziel[0], a.ziel[1])) {
            float ux = 0, uy = 0;
            Zur_Mauer(l, &ux, &uy);
            Laufen(l, b.pos[0] + ux, b.pos[1] + uy);
        } else if (a.dauer == 0 || Steht(f)) {
            if (Hypot_F(f.pos[0] - a.ziel[0], f.pos[1] - a.ziel[1]) < 30) {
                SetZSA(satz, l.slot, int32_t(a.ziel[0]), int32_t(a.ziel[1]), 0, 0, ANIM_MAUER, 0, -1, 0, -1, 1, -1,
                       RING_OHNE_PRUEFUNG, 0, 0);
            } else {
                Laufen(l, a.ziel[0], a.ziel[1]);
            }
        }
        f.entscheid_intervall = 0.5f;
    }
}

// Beside a wall the second taker is not ready while he runs to his start
// point (25) or waits there (26), or stands more than 100 cm from the ball
// at it (27); in the short free kick, until his tap has gone (27 still).
bool Zweiter_Nicht_Bereit(const Lage& l) {
    for (int32_t o = 0; o < SF_SPIELER; ++o) {
        const Figur& g = l.satz->figur[o];
        if (g.situation == 25 || g.situation == 26) return true;
        if (g.situation == 27 && (l.satz->freistoss_variante == 2 ||
                                  Hypot_F(g.pos[0] - l.b->pos[0], g.pos[1] - l.b->pos[1]) > 100))
            return true;
    }
    return false;
}

// Free kick, the taker: to his start point (21), waiting (22), the run-up
// and the hand-over (23).
void Freistoss_Schuetze(const Lage& l, bool mauer) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    Figur& b = *l.b;
    const uint8_t c = f.situation;
    if (c == 21) {
        // Drawn one after the other, x first: in one call's arguments the
        // order of the two draws would be the compiler's choice.
        const float x = b.pos[0] + float((200 + 10 * Rnd(0, 10)) * l.d);
        const float y = b.pos[1] + float(10 * Rnd(5, 40) * l.dy);
        Laufen(l, x, y);
        f.situation = 22;
        f.entscheid_timer = 0;
    } else if (c == 22) {
        // With a wall he waits for the second taker and for the opponents to
        // leave the band and the ball; without one, for the referee. After
        // the short free kick's tap (he holds the rolling ball) the ball is
        // in play and he waits for nobody: an opponent the tap brought near,
        // or one running to and fro in the band far across the pitch, held
        // him until the bound.
        const bool getippt = satz->freistoss_variante == 2 && satz->ballhalter == l.slot;
        const bool warten =
            getippt ? false
            : mauer ? Zweiter_Nicht_Bereit(l) || Gegner_Nah_X(l, ABWEHR_FREISTOSS_GASSE) || Gegner_Nah(l, 865)
                    : !Schiedsrichter_Bereit(satz);
        if (Standard_Haelt(satz, satz->wechsel_laeuft != 0, warten)) {
            Warten(l);
            return;
        }
        if (satz->freistoss_variante == 2) {
            // The short free kick: the ball rolls from the second taker's
            // tap, the taker runs to where he meets it (to its destination
            // when he cannot) and takes it into open play.
            // A search given up at once (too far) leaves the point alone: the destination stands in it.
            float abstand = Hypot_F(f.pos[0] - b.pos[0], f.pos[1] - b.pos[1]), zx = satz->ball_ziel[0],
                  zy = satz->ball_ziel[1], hoehe = 0;
            int32_t tempo = int32_t(l.tempo);
            const int32_t lauf = KI_Abfangpunkt(satz, l.slot, &f, &abstand, &tempo, &zx, &zy, &hoehe, 2500);
            Laufen(l, zx, zy);
            f.situation = lauf < 0 ? 0 : 1;
            satz->halter_wort = l.slot;
            satz->ballhalter = int8_t(l.slot);
            Spielfeld_Spielzustand_Freigeben(satz);
            satz->standard_marker[1] = 2;
        } else {
            Laufen(l, b.pos[0] - 30.0f * float(l.dx), b.pos[1]);
            f.situation = 23;
        }
        f.entscheid_timer = 0;
    } else {
        Zum_Ball(l);
        for (int32_t o = 0; o < SF_SPIELER; ++o) {
            Figur& g = satz->figur[o];
            if (g.situation == 35) {
                g.entscheid_timer = 800;
                g.entscheiden = 0;
            }
            if (g.situation != 46 && g.situation != 48) g.situation = 0;
            g.jagt_ball = 0;
        }
        f.situation = Rnd(0, 3) == 0 ? 2 : 1;
        Uebergabe(l);
        satz->standard_marker[1] = 2;
    }
}

// Free kick, the second taker: none without a variant (24), to his start
// point (25), waiting (26), the short ball (27).
void Freistoss_Zweiter(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    Figur& b = *l.b;
    const uint8_t c = f.situation;
    if (c == 24) {
        f.situation = 0;   // no second taker without a variant
    } else if (c == 25) {
        const float x = b.pos[0] + float((300 + 10 * Rnd(0, 20)) * l.d);   // x first, as above
        const float y = b.pos[1] + float(10 * Rnd(0, 40) - 200);
        Laufen(l, x, y);
        f.situation = 26;
        f.entscheid_timer = 0;
    } else if (c == 26) {
        if (Standard_Haelt(satz, satz->wechsel_laeuft || !Schiedsrichter_Bereit(satz),
                           Gegner_Nah_X(l, ABWEHR_FREISTOSS_GASSE))) {
            Warten(l);
            return;
        }
        Zum_Ball(l);
        f.situation = 27;
        f.entscheid_intervall = 0;
    } else {
        // Beside a free kick with a wall the second taker only stands at the
        // ball until the taker runs up (his run clears every code). Tapping it
        // there made him the last to touch it, and the kick went over to the
        // other side, whose wall men became its takers.
        if (satz->freistoss_variante != 2) {
            Warten(l);
            return;
        }
        // The short free kick: the second taker taps the ball aside and the
        // free kick is open play. From within 70 cm of the goal line the tap
        // goes back, not over the line: out there, in a free kick, the ball
        // was nobody's, no goal kick or corner followed, the home players
        // stood as attackers in the taker's band and the kick waited for ever.
        int32_t tap_x = int32_t(b.pos[0]) - 70 * l.d;
        if (tap_x < 0 || tap_x > SPIELFELD_LAENGE) tap_x = int32_t(b.pos[0]) + 70 * l.d;
        SetZSA(satz, FIGUR_BALL, tap_x, int32_t(b.pos[1]) - 400 * l.dy, 0, 450,
               ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
        Figur_Geschwindigkeit_Setzen(&b, 450);
        const Anweisung& ba = *Figur_Aktuelle_Anweisung(&b);
        Laufen(l, ba.ziel[0] - float(200 * l.d), ba.ziel[1] + float(400 * l.dy));
        // The wall breaks up; the taker goes for the rolling ball at once
        // (his next step takes it into open play).
        int32_t nehmer = -1;
        for (int32_t o = 0; o < SF_SPIELER; ++o) {
            Figur& g = satz->figur[o];
            if (g.situation == 35) {
                g.entscheid_timer = 800;
                g.situation = 0;
            }
            if (g.situation == 22) g.entscheiden = 1;
            if (nehmer < 0 && (g.situation == 21 || g.situation == 22)) nehmer = o;
        }
        // The taker holds the ball while the tapped ball rolls to him, also
        // when the second taker's walk-up touch took it: the free kick stays
        // his side's, and nobody wins the ball from him (the second taker,
        // left holding it without a code, was tackled by an opponent who
        // then stood with it, and the taker waited for him for ever).
        if (nehmer >= 0) {
            satz->ballhalter = int8_t(nehmer);
            satz->halter_beruehrungen = 0;
        }
        satz->letzter_spieler = l.slot;
        f.entscheid_timer = 500;
        f.situation = 0;
        if (nehmer < 0) {
            // No taker left to take the ball (he went off): the tap itself opens play.
            satz->ballhalter = -1;
            Spielfeld_Spielzustand_Freigeben(satz);
            satz->standard_marker[1] = 2;
        }
    }
}

void Freistoss(const Lage& l) {
    const uint8_t c = l.f->situation;
    const bool mauer = l.satz->freistoss_variante == 1 || l.satz->freistoss_variante == 2;
    if (c >= 29 && c <= 35) Freistoss_Mauer(l, mauer);
    else if (c >= 21 && c <= 23) Freistoss_Schuetze(l, mauer);
    else if (c >= 24 && c <= 27) Freistoss_Zweiter(l);
}

void Verletzung(const Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    Spieler_Matchsatz& sm = satz->spieler[l.slot];
    const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    switch (f.situation) {
        case 44: {
            // He rolls for a few cycles at the rows' own frame time (a
            // standing order timed by its speed would never run, and the
            // stoppage would wait for ever), then gets up; the end of the
            // queue asks him again.
            const bool hinten = a.anim == ANIM_HINTEN_HINFALLEN;
            const int32_t waelzen = hinten ? ANIM_HINTEN_WAELZEN : ANIM_WAELZEN;
            const int32_t auf = hinten ? ANIM_HINTEN_AUFSTEHEN : ANIM_AUFSTEHEN;
            const int32_t x = int32_t(f.pos[0]), y = int32_t(f.pos[1]);
            SetZSA(satz, l.slot, x, y, 0, 0, waelzen, 0, Anim_Zeile(waelzen)->ref_frame_zeit, 0, -1, 1, Rnd(3, 6),
                   RING_OHNE_PRUEFUNG, 0, 0);
            SetZSA(satz, l.slot, x, y, 0, 0, auf, 0, Anim_Zeile(auf)->ref_frame_zeit, 0, -1, 1, 1, 1, 0, 0);
            f.situation = 45;
            break;
        }
        case 45:
            if (Rnd(0, 1) == 0) {
                sm.zustand &= ~64u;
                // Up already from the queue he does not get up a second time.
                const bool hinten = a.anim == ANIM_HINTEN_WAELZEN || a.anim == ANIM_HINTEN_AUFSTEHEN;
                if (a.anim != ANIM_HINTEN_AUFSTEHEN && a.anim != ANIM_AUFSTEHEN)
                    Einmal(satz, l.slot, hinten ? ANIM_HINTEN_AUFSTEHEN : ANIM_AUFSTEHEN, f.pos[0], f.pos[1]);
                f.situation = 0;
                Spielfeld_Spielzustand_Freigeben(satz);
            } else {
                {
                    // The injury's kind and length are the server's club data
                    // (a client draws and writes none): they draw from the
                    // game's own index, so the record's stream stays alike on
                    // both machines.
                    Rnd_Spiel_Index spiel;
                    Spieler_Verletzen(int32_t(satz->team[l.seite]), sm.nummer, 1);
                }
                f.situation = 46;
                SetZSA(satz, l.slot, 3900 + 120 * l.slot, -100, 0, 416, ANIM_GEHEN, 0, -1, 0, -1, 1, 5,
                       RING_OHNE_PRUEFUNG, 0, 0);
                Spielfeld_Ereignis(satz, SE_VERLETZUNG, l.slot, -1);
            }
            break;
        case 46:
            Einmal(satz, l.slot, f.torwart ? ANIM_BEAM_TW : ANIM_BEAM, f.pos[0], f.pos[1]);
            f.situation = 48;
            break;
        case 48:
            if (a.dauer != 0 && !Steht(f)) break;
            Spielfeld_Spielzustand_Freigeben(satz);
            if (satz->computer[l.seite] || !Spielfeld_Manager_Wechselt(satz, l.seite))
                Spielfeld_Auswechseln(satz, l.seite, 2, l.slot);
            else if (Spielfeld_Wechsel_Hier_Waehlen(satz, l.seite))
                Spielfeld_Hook_Optionen_Standard();
            f.gezeichnet = 0;
            f.situation = 0;
            sm.zustand |= 64u;
            break;
        default: f.situation = 0; break;
    }
}

}  // namespace

void Spielfeld_Wechsel_Abschliessen(Spielfeld_Satz* satz) {
    if (!satz) return;
    for (int32_t k = 0; k < SF_SPIELER; ++k) {
        const uint8_t c = satz->figur[k].situation;
        if (c == 38 || c == 39) Raus(satz, k);
        else if (c == 36 || c == 37) satz->figur[k].situation = 0;
    }
    satz->wechsel_laeuft = 0;
}

int32_t KI_Gleiches_Ziel(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return -1;
    const Figur& f = satz->figur[slot];
    const float x = f.ring[f.aktuell & 3].ziel[0];
    for (int32_t k = 0; k < SF_SPIELER; ++k) {
        const Figur& o = satz->figur[k];
        if (k == slot || (o.situation != 36 && o.situation != 38)) continue;
        if (o.ring[o.aktuell & 3].ziel[0] == x) return k;
    }
    return -1;
}

void KI_Standardsituation(Spielfeld_Satz* satz, int32_t slot, int32_t seite) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    Figur& f = satz->figur[slot];
    Figur& b = satz->figur[FIGUR_BALL];
    Lage l{satz, slot, seite & 1, &f, &b, Spieler_Lauftempo(satz, slot), 0, 0, 0, 0};
    l.bx = b.pos[0] > SPIELFELD_MITTE_X ? 1 : 0;
    l.dx = 2 * l.bx - 1;
    l.dy = b.pos[1] > SPIELFELD_MITTE_Y ? 1 : -1;
    l.d = 2 * l.seite - 1;
    if (satz->seiten_gewechselt) l.d = -l.d;
    if (!Wechsel_Schritt(l)) {
        switch (satz->spielzustand) {
            case SZ_EINWURF: Einwurf(l); break;
            case SZ_ABSTOSS: Abstoss(l); break;
            case SZ_ECKE: Ecke(l); break;
            case SZ_ANSTOSS: Anstoss(l); break;
            case SZ_ELFMETER:
            case SZ_ELFMETERSCHIESSEN: Elfmeter(l); break;
            case SZ_FREISTOSS: Freistoss(l); break;
            case SZ_VERLETZUNG: Verletzung(l); break;
            default:
                // A set-piece code left over in open play or a walk-off: the
                // player plays on.
                if (f.situation < 36 || f.situation > 39) f.situation = 0;
                break;
        }
    }
    if (satz->spielzustand == SZ_SPIEL) satz->unterbrechung_bereit = 0;
}

namespace {
Spielfeld_Wartegrenze wartegrenze;
}  // namespace

const Spielfeld_Wartegrenze& Spielfeld_Wartegrenze_Stand() { return wartegrenze; }

void Spielfeld_Wartegrenze_Melden(const Spielfeld_Satz* satz) {
    if (!satz) return;
    ++wartegrenze.anzahl;
    wartegrenze.spiel = satz->spiel;
    wartegrenze.zustand = satz->spielzustand;
}

}  // namespace velmora
