// match/live/ki_ohne_ball.cpp - the pieces both off-ball behaviours share.
#include "match/live/ki_ohne_ball.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_abfangen.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/live/spielfeld_standard.h"

namespace velmora {

namespace {

constexpr size_t EMPFAENGER_ZEIT = 25068, LAEUFER = 25072;
constexpr int32_t ANIM_FALLRUECKZIEHER = 134;
constexpr int16_t FOLGE_NACH_FALLRUECKZIEHER = 37;
constexpr int32_t KREIS_VERSUCHE = 100;


// A coordinate as a whole number; what no integer holds becomes the middle.
int32_t Ganz(float v, int32_t sonst) { return std::isfinite(v) && std::fabs(v) < 1e8f ? int32_t(v) : sonst; }

float Abstand(float ax, float ay, float bx, float by) { return Abstand_Kurz(ax - bx, ay - by); }

float Ball_Abstand(const Spielfeld_Satz* satz, float x, float y) {
    const Figur& b = satz->figur[FIGUR_BALL];
    return Abstand(x, y, b.pos[0], b.pos[1]);
}

// The player stops where he stands: no speed, his order's target his position.
void Anhalten(Spielfeld_Satz* satz, int32_t slot, Ohne_Ball_Ziel& z) {
    Figur& f = satz->figur[slot];
    f.v[0] = f.v[1] = 0;
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    a.ziel[0] = f.pos[0];
    a.ziel[1] = f.pos[1];
    z.p = 0;
}

void Zum_Freien_Punkt(Spielfeld_Satz* satz, int32_t slot, float radius, bool hinten, float tempo, Ohne_Ball_Ziel& z) {
    int32_t x = int32_t(satz->figur[slot].pos[0]), y = int32_t(satz->figur[slot].pos[1]);
    Spielfeld_Freier_Punkt(satz, slot, FIGUR_BALL, radius, &x, &y, hinten ? 1 : 0);
    z.x = float(x);
    z.y = float(y);
    z.tempo = tempo;
    z.tempo_gesetzt = true;
}

}  // namespace

float Ohne_Ball_Abseitslinie(const Spielfeld_Satz* satz) { return Satz_Feld<float>(satz, SF_ABSEITSLINIE); }

float Ohne_Ball_Empfaenger_Zeit(const Spielfeld_Satz* satz) {
    // Without a receiver there is no meeting distance, whatever the field holds.
    return satz->empfaenger < 0 ? -1.0f : Satz_Feld<float>(satz, EMPFAENGER_ZEIT);
}
void Ohne_Ball_Empfaenger_Zeit_Setzen(Spielfeld_Satz* satz, float t) { Satz_Feld_Setzen<float>(satz, EMPFAENGER_ZEIT, t); }

int32_t Ohne_Ball_Laeufer(const Spielfeld_Satz* satz, int32_t seite) {
    const int32_t s = Satz_Feld<int32_t>(satz, LAEUFER + 4 * size_t(seite & 1));
    return s >= 0 && s < SF_SPIELER ? s : -1;
}
void Ohne_Ball_Laeufer_Setzen(Spielfeld_Satz* satz, int32_t seite, int32_t slot) {
    Satz_Feld_Setzen<int32_t>(satz, LAEUFER + 4 * size_t(seite & 1), slot);
}

int32_t Ohne_Ball_T1(const Spielfeld_Satz* satz, int32_t seite) { return satz->pressing[seite & 1]; }
int32_t Ohne_Ball_T2(const Spielfeld_Satz* satz, int32_t seite) { return satz->taktik[seite & 1][5]; }

int32_t Ohne_Ball_Slot(uint8_t byte) { return byte < SF_SPIELER ? int32_t(byte) : -1; }

int32_t Ohne_Ball_Zaehlen(const Spielfeld_Satz* satz, int32_t seite, float x, float y, float r, int32_t ohne) {
    int32_t n = 0;
    const int32_t von = seite == 0 ? 0 : SF_SPIELER_SEITE;
    for (int32_t s = von; s < von + SF_SPIELER_SEITE; ++s) {
        // The square first: most players stand outside it.
        const Figur& f = satz->figur[s];
        if (!(std::fabs(f.pos[0] - x) < r && std::fabs(f.pos[1] - y) < r)) continue;
        if (s != ohne && (satz->spieler[s].zustand & SM_AUF_PLATZ)) ++n;
    }
    return n;
}

Ohne_Ball_Treffen Ohne_Ball_Treffpunkt(Spielfeld_Satz* satz, int32_t slot, float tempo, float grenze) {
    Ohne_Ball_Treffen m;
    if (!satz || slot < 0 || slot >= SF_SPIELER || !(tempo > 0)) return m;
    // The ball at an opponent's (or team-mate's) feet is no ball to meet: the
    // held ball lies still, which the interception would take as met where it
    // lies, and no defender would ever tackle; he tackles or chases instead.
    const int32_t halter = satz->ballhalter;
    if (halter >= 0 && halter < SF_SPIELER && halter != slot) return m;
    const Figur& f = satz->figur[slot];
    float abstand = Ball_Abstand(satz, f.pos[0], f.pos[1]);
    int32_t v = int32_t(tempo);
    m.t = KI_Abfangpunkt(satz, slot, &f, &abstand, &v, &m.x, &m.y, &m.h, grenze);
    m.tempo = float(v);
    return m;
}

void Ohne_Ball_Laufen(Ohne_Ball_Ziel& z, float x, float y, float tempo, int32_t p) {
    z.x = x;
    z.y = y;
    z.tempo = tempo;
    z.tempo_gesetzt = true;
    z.p = p;
}

bool Ohne_Ball_In_Zone(const Spieler_Matchsatz& sm, float x, float y) {
    return x >= float(std::min(sm.bereich[0], sm.bereich[1])) && x <= float(std::max(sm.bereich[0], sm.bereich[1])) &&
           y >= float(std::min(sm.bereich[2], sm.bereich[3])) && y <= float(std::max(sm.bereich[2], sm.bereich[3]));
}

void Ohne_Ball_Abstand_Halten(Spielfeld_Satz* satz, int32_t slot, float v, float nah, float fern, float radius,
                              bool hinten, int32_t p_neu, bool auch_er, Ohne_Ball_Ziel& z) {
    const Figur& f = satz->figur[slot];
    const float d = Ball_Abstand(satz, f.pos[0], f.pos[1]);
    if (d > nah && d < fern) {
        z.p = 0;
        return;
    }
    if (z.tempo > 0 && (Ball_Abstand(satz, z.x, z.y) < radius || (auch_er && d < radius))) {
        Zum_Freien_Punkt(satz, slot, radius, hinten, 0.6f * v, z);
        z.p = p_neu;
        z.reaktion = 0;
    }
}

void Ohne_Ball_Freistoss(Spielfeld_Satz* satz, int32_t slot, float v, float anteil, Ohne_Ball_Ziel& z) {
    const Figur& f = satz->figur[slot];
    if (Ball_Abstand(satz, f.pos[0], f.pos[1]) >= 915) {
        Anhalten(satz, slot, z);
        return;
    }
    Zum_Freien_Punkt(satz, slot, 915, false, anteil * v, z);
    z.p = 101;
}

float Ohne_Ball_Kreis_Abseits(const Spielfeld_Satz* satz, float x) {
    const bool ball_links = satz->figur[FIGUR_BALL].pos[0] < SPIELFELD_MITTE_X;
    const bool abseits = ball_links ? x >= SPIELFELD_MITTE_X : x <= SPIELFELD_MITTE_X;
    return abseits ? x : 2.0f * SPIELFELD_MITTE_X - x;
}

void Ohne_Ball_Elfmeterschiessen(Spielfeld_Satz* satz, int32_t slot, float v, Ohne_Ball_Ziel& z) {
    const Figur& f = satz->figur[slot];
    auto wartet_recht = [satz](float x, float y) {
        return Abstand(x, y, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y) <= 915 && Ohne_Ball_Kreis_Abseits(satz, x) == x;
    };
    if (wartet_recht(f.pos[0], f.pos[1])) {
        Anhalten(satz, slot, z);
        return;
    }
    if (!wartet_recht(z.x, z.y)) {
        z.x = SPIELFELD_MITTE_X;
        z.y = SPIELFELD_MITTE_Y;
        for (int32_t i = 0; i < KREIS_VERSUCHE; ++i) {
            const float x = float(4500 + 10 * Rnd(0, 180)), y = float(2503 + 10 * Rnd(0, 180));
            if (Abstand(x, y, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y) <= 915) {
                z.x = Ohne_Ball_Kreis_Abseits(satz, x);
                z.y = y;
                break;
            }
        }
    }
    // A plain run: a tackle or a reach row chosen before would be played on
    // the way, and its kick frame took the ball from the spot to him.
    z.anim = ANIM_LAUF_NACH_TEMPO;
    z.wiederholung = -1;
    z.tempo = v;
    z.tempo_gesetzt = true;
    z.p = 101;
}

void Ohne_Ball_Anstoss(Spielfeld_Satz* satz, int32_t slot, float v, bool immer, Ohne_Ball_Ziel& z) {
    const Figur& f = satz->figur[slot];
    const float gx = float(satz->tor_x[slot < SF_SPIELER_SEITE ? 0 : 1]);
    auto drueben = [gx](float x) { return std::fabs(x - gx) < SPIELFELD_MITTE_X; };
    const bool er_drueben = drueben(f.pos[0]);
    if (drueben(z.x)) {
        z.x = er_drueben ? float(SPIELFELD_MITTE_X) : f.pos[0];
        z.y = f.pos[1];
        z.tempo = v;
        z.tempo_gesetzt = true;
        z.anim = ANIM_LAUF_NACH_TEMPO;
        z.p = 101;
    }
    if (Ball_Abstand(satz, z.x, z.y) < 950) {
        // A run already under way to a point clear of the circle in his own
        // half goes on to its end. The free point lies anywhere on the
        // circle's half, often across the ball from him; a new one drawn at
        // every decision sent him to and fro inside the distance for as long
        // as the kick-off waited for him.
        const Anweisung& lauf = f.ring[f.aktuell & 3];
        const bool unterwegs = !(f.v[0] == 0 && f.v[1] == 0);
        if (unterwegs && !er_drueben && !drueben(lauf.ziel[0]) &&
            Ball_Abstand(satz, lauf.ziel[0], lauf.ziel[1]) >= 950) {
            z.p = 0;
            return;
        }
        if (immer || er_drueben || Ball_Abstand(satz, f.pos[0], f.pos[1]) < 950) {
            // He runs there before he is asked again: the contact pass asks
            // every player near the ball without a reaction delay in every
            // frame, and a new free point each frame kept him circling inside
            // the kick-off's distance, where the kick-off waits for him.
            Zum_Freien_Punkt(satz, slot, 950, true, v, z);
            z.p = 101;
            z.reaktion = std::max(z.reaktion, OHNE_BALL_ANSTOSS_LAUF);
        } else {
            z.p = 0;
        }
    }
}

void Ohne_Ball_Strafraum_Raeumen(const Spielfeld_Satz* satz, int32_t slot, float v, Ohne_Ball_Ziel& z) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const int32_t h = satz->figur[FIGUR_BALL].pos[0] < SPIELFELD_MITTE_X ? 0 : 1;
    const float linie = h == 0 ? float(k.strafraum_x[0]) : float(k.strafraum_x[1]);
    const bool drin = (h == 0 ? z.x < linie : z.x > linie) && z.y > float(k.strafraum_unten[0]) &&
                      z.y < float(k.strafraum_oben[0]);
    if (!drin) return;
    z.x = linie;
    z.y = satz->figur[slot].pos[1];
    z.tempo = v;
    z.tempo_gesetzt = true;
    z.anim = ANIM_LAUF_NACH_TEMPO;
    z.reaktion = 0;
    z.p = 101;
}

void Ohne_Ball_Strafraum_Position(float gx, float dir, float v, Ohne_Ball_Ziel& z) {
    const float x = gx + dir * float(800 + 100 * Rnd(0, 10));
    Ohne_Ball_Laufen(z, x, float(1603 + 100 * Rnd(0, 36)), v, 100);
}

void Ohne_Ball_Befehl(Spielfeld_Satz* satz, int32_t slot, Ohne_Ball_Ziel& z) {
    Figur& f = satz->figur[slot];
    if (z.p != 0) {
        // At a stoppage the restart's own distances have the last word: the
        // taker waits until they are kept, so a target inside them would hold
        // the match up (the shoot-out gathers in the centre circle instead).
        const uint32_t zs = satz->spielzustand;
        if (zs >= SZ_EINWURF && zs <= SZ_FREISTOSS && zs != SZ_ABGANG && zs != SZ_ELFMETERSCHIESSEN)
            Spielfeld_Standard_Abstand(satz, slot, &z.x, &z.y);
        int32_t x = Ganz(z.x, int32_t(f.pos[0])), y = Ganz(z.y, int32_t(f.pos[1]));
        Punkt_Ins_Feld(&x, &y);
        float tempo = std::isfinite(z.tempo) ? std::max(0.0f, z.tempo) : 0.0f;
        if (z.p < 101 && z.anim == ANIM_LAUF_NACH_TEMPO) {
            const float n = std::fabs(float(x) - f.pos[0]) + std::fabs(float(y) - f.pos[1]);
            if (n < 50) tempo = n >= 10 ? OHNE_BALL_SCHRITT : 0;
        }
        SetZSA(satz, slot, x, y, 0, int32_t(tempo), z.anim, 0, -1, 0, -1, 1, z.wiederholung, RING_OHNE_PRUEFUNG, 0,
               0);
    }
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    if (a.anim == ANIM_FALLRUECKZIEHER) a.folge = FOLGE_NACH_FALLRUECKZIEHER;
    f.entscheid_intervall = z.reaktion;
    f.entscheiden = 0;
}

}  // namespace velmora
