// match/live/spielfeld_abfangen.cpp
//
// Choices made here:
// - The height passed into Ball_Hoehe_Nach_Zeit by KI_Abfangpunkt is the
//   ball's present height: the "out of reach" rule asks whether the ball is
//   above a player's head now and the meeting is less than 0.11 s away.
// - Ball_Abfang_Loesen reads the ball it solves for from its first argument
//   (the ball figure); the speeds compared are the ball order's speed and
//   the figure's.
// - The later time is truncated to whole milliseconds before it is compared
//   with t: truncated to whole seconds, no ball coming down within the first
//   second could ever be met.
// - A flight that never reaches the reach height (no real solution) leaves
//   the meeting time as it is, like a ball that is already below it.
#include "match/live/spielfeld_abfangen.h"

#include <algorithm>
#include <cmath>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_besitz.h"

namespace velmora {

namespace {

constexpr float KMH5 = 138.88889f;   // 5 km/h in cm/s

struct Torwart_Option {
    int16_t anim;
    float seite_toleranz, max_tempo, min_hoehe;
    int8_t nur_gerade;
    float frame_toleranz;
    bool entlarvt;   // clears the wrong-footed flag
};

// Tried in this order: catches standing, picking up and above the head, the
// fist, the dives of 120 and 200 cm by height, the far punches.
constexpr Torwart_Option TORWART_OPTION[] = {
    {45, 40, 4600, 90, 0, 0, true},      {42, 30, 4600, -10, 0, 0, true},    {41, 20, 3600, 220, 0, 0, true},
    {36, 80, 4800, 220, 0, 0, false},    {166, 30, 4100, -10, 1, 0, true},   {170, 30, 4100, 51, 1, 0, true},
    {174, 30, 4100, 121, 1, 0, true},    {178, 30, 4100, 191, 1, 0, true},   {182, 30, 3900, -10, 1, 0, true},
    {186, 30, 3900, 51, 1, 0, true},     {190, 30, 3900, 121, 1, 0, true},   {194, 30, 3900, 191, 1, 0, true},
    {206, 60, 4800, 200, 0, 0, false},   {198, 200, 4800, -10, 0, 0.5f, false},
    {200, 200, 4800, 21, 0, 0.5f, false}, {202, 200, 4800, 121, 0, 0.5f, false},
    {204, 200, 4800, 211, 0, 0.5f, false},
};

struct Spieler_Option {
    int16_t anim;
    float hoehe_toleranz, seite_toleranz;
    bool markiert;   // only when flagged options are allowed
};

constexpr Spieler_Option SPIELER_OPTION[] = {
    {134, 60, 60, true},   // overhead kick
    {64, 60, 60, false},   // header
    {75, 80, 40, false},   // diving header
    {131, 40, 60, true},   // volley
};
constexpr int32_t ANIM_FALLRUECKZIEHER = 134;

bool Im_Feld(float x, float y) { return x >= 0 && x <= float(SPIELFELD_LAENGE) && y >= 0 && y <= float(SPIELFELD_BREITE); }

// The library's double hypot rounded to float. The plain root of the squares
// lies within a few units of double's last place of it, so where every value
// that close rounds to one float, that float is the answer; only in the rare
// case of a root near the middle between two floats the library decides.
float Abstand(float x0, float y0, float x1, float y1) {
    const double dx = double(x1) - x0, dy = double(y1) - y0;
    const double r = std::sqrt(dx * dx + dy * dy);
    const float f = float(r);
    if (float(r * (1 + 0x1p-40)) == f && float(r * (1 - 0x1p-40)) == f) return f;
    return float(std::hypot(dx, dy));
}

const Anweisung& Ballauftrag(const Figur& b) { return b.ring[b.aktuell & 3]; }

// g' of the flight law for a ball order of speed s.
double Fall(double s) { return 981.0 - s / 10.0; }

int32_t Suchen(const Figur& f, int32_t tempo, float tx, float ty, float zx, float zy, float ball_tempo, double* ox,
               double* oy) {
    return Abfangpunkt_Suchen(f.pos[0], f.pos[1], tempo, tx, ty, zx, zy, ball_tempo, 50, 25, -1.0, 1, ox, oy,
                              SPIELFELD_LAENGE, SPIELFELD_BREITE, 1, 0);
}

const Anim_Satz* Zeile_Mit_Zeit(int32_t anim) {
    const Anim_Satz* z = Anim_Zeile(anim);
    return z && z->ref_frame_zeit > 0 ? z : nullptr;
}

}  // namespace

float Ball_Abfang_Loesen(const Figur* ball, const Figur* f, float t, float t0, float r, int32_t* tempo, float* x,
                         float* y, float* zeit) {
    if (!ball || !f || !tempo || !x || !y) return t;
    const Anweisung& a = Ballauftrag(*ball);
    const double g = Fall(a.tempo), vz = a.vz;
    const double disk = vz * vz - 4 * g * r;
    if (!(g > 0) || !(disk >= 0)) return t;
    const double frueh = (vz - std::sqrt(disk)) / (2 * g), spaet = (vz + std::sqrt(disk)) / (2 * g);
    if (!(double(t) > frueh) || std::trunc(spaet * 1000) / 1000 < double(t)) return t;
    const float T = float(spaet);
    const float px = ball->pos[0] + (T - t0) * ball->v[0], py = ball->pos[1] + (T - t0) * ball->v[1];
    const float ball_weg = Abstand(ball->pos[0], ball->pos[1], px, py);
    const float lauf = Abstand(f->pos[0], f->pos[1], px, py);
    if (ball_weg * float(*tempo) < lauf * a.tempo) return -1.0f;
    if (ball_weg > 0) {
        // Just in time, never slower than 5 km/h (139 as a whole cm/s).
        const float s = lauf * a.tempo / ball_weg;
        *tempo = s > KMH5 ? int32_t(s) : int32_t(std::ceil(KMH5));
    }
    *x = px;
    *y = py;
    if (zeit) *zeit = T;
    return T;
}

void Ball_Hoehe_Nach_Zeit(Spielfeld_Satz* satz, const Figur* f, float lauf, int32_t* tempo, float reichweite,
                          float* x, float* y, float* hoehe) {
    if (!satz || !f || !tempo || !x || !y || !hoehe) return;
    const Figur& b = satz->figur[FIGUR_BALL];
    const Anweisung& a = Ballauftrag(b);
    const float t0 = (b.flug_zeit - b.flug_start) / 1000.0f;
    const float laufzeit = *tempo > 0 ? lauf / float(*tempo) : 0.0f;
    float t = laufzeit + t0;
    const bool zu_hoch = *hoehe > 220 && laufzeit < 0.11f;
    if (zu_hoch) {
        t = t0 + 0.15f;
        *x = b.pos[0] + 0.15f * b.v[0];
        *y = b.pos[1] + 0.15f * b.v[1];
    }
    float h = float(std::max(0.0, double(t) * a.vz - Fall(a.tempo) * double(t) * t));
    if (h > reichweite || zu_hoch) {
        float zeit = t;
        const float T = Ball_Abfang_Loesen(&b, f, t, t0, reichweite, tempo, x, y, &zeit);
        if (T == -1.0f) {
            *x = satz->ball_ziel[0];
            *y = satz->ball_ziel[1];
        } else if (T != t) {
            h = reichweite;
        }
    }
    *hoehe = h;
}

int32_t KI_Abfangpunkt(Spielfeld_Satz* satz, int32_t figur, const Figur* f, float* abstand, int32_t* tempo,
                       float* x, float* y, float* hoehe, float grenze) {
    if (!satz || !f || !abstand || !tempo || !x || !y || !hoehe) return -1;
    if (figur < 0 || figur >= SF_SPIELER) return -1;
    const Figur& b = satz->figur[FIGUR_BALL];
    const Anweisung& ba = Ballauftrag(b);
    const float zx = satz->ball_ziel[0], zy = satz->ball_ziel[1];
    // 1. The destination may be nearer than the distance given.
    const float d = Abstand(f->pos[0], f->pos[1], zx, zy);
    const float D = *abstand;
    if (d < *abstand && Im_Feld(zx, zy)) *abstand = d;
    if (!(*abstand < grenze)) return -1;
    const int32_t v = *tempo;
    const float bv = ba.tempo;
    const bool empfaenger = satz->empfaenger == figur;
    double mx = 0, my = 0;
    int32_t r = -1;
    bool gesucht = false;
    // 3. A far ball or one without speed: the destination, or the order's
    // target when the destination lies short of it.
    if (D > 1000 || bv == 0) {
        gesucht = true;
        float px = zx, py = zy;
        if ((zx - b.pos[0]) * (ba.ziel[0] - zx) > 0) {
            px = ba.ziel[0];
            py = ba.ziel[1];
        }
        float w25068 = 0;
        static_assert(sizeof(w25068) <= sizeof(satz->w25068));
        std::copy_n(satz->w25068, sizeof(w25068), reinterpret_cast<uint8_t*>(&w25068));
        const bool angespielt = (satz->empfaenger >= 0 && w25068 == -1.0f) || empfaenger;
        if (Abstand(b.pos[0], b.pos[1], px, py) * float(v) < d * bv && angespielt) {
            px += 2 * b.v[0];
            py += 2 * b.v[1];
        }
        r = Suchen(*f, v, b.pos[0], b.pos[1], px, py, bv, &mx, &my);
    }
    // 4. Along the ball's velocity, by the time the ball needs for D.
    if (!gesucht || (r < 0 && empfaenger)) {
        if (bv > 0) {
            const float k = D / bv * 120 / 100;
            r = Suchen(*f, v, b.pos[0], b.pos[1], b.pos[0] + k * b.v[0], b.pos[1] + k * b.v[1], bv, &mx, &my);
        }
        const float summe = std::fabs(b.v[0]) + std::fabs(b.v[1]);
        if (r < 0 && empfaenger && summe > 0) {
            const float k = D / summe * 140 / 100;
            r = Suchen(*f, v, b.pos[0], b.pos[1], b.pos[0] + k * b.v[0], b.pos[1] + k * b.v[1], bv, &mx, &my);
        }
    }
    // 5. The outputs.
    if (r < 0) {
        *x = zx;
        *y = zy;
        return -1;
    }
    float px = float(mx), py = float(my);
    float h = b.pos[2];
    if (b.pos[2] <= 0 && ba.vz == 0) {
        h = 0;
    } else {
        float reich = 200;
        if (f->torwart) {
            reich = 300;
        } else {
            const Anweisung& fa = f->ring[f->aktuell & 3];
            if (fa.flags == 0 && satz->spieler[figur].druck != 0 &&
                Spielfeld_Nachbarn_Zaehlen(satz, figur, figur < SF_SPIELER_SEITE ? 1 : 0, 600, false, true) > 0)
                reich = float(satz->spieler[figur].werte[17]) / 30 + 235;
        }
        Ball_Hoehe_Nach_Zeit(satz, f, float(r), tempo, reich, &px, &py, &h);
    }
    const float vorne = Abstand(f->pos[0], f->pos[1], b.pos[0] + b.v[0] / 500, b.pos[1] + b.v[1] / 500);
    if (D < 220 && float(r) > D && D > vorne) {
        px = b.pos[0];
        py = b.pos[1];
    }
    *x = px;
    *y = py;
    *hoehe = h;
    return r;
}

int32_t KI_Torwart_Anim_Waehlen(Spielfeld_Satz* satz, const Figur* f, int32_t slot, float seite, float hoehe,
                                float zeit) {
    (void)f;
    (void)slot;
    if (!satz) return -1;
    const float ball_tempo = Ballauftrag(satz->figur[FIGUR_BALL]).tempo;
    for (const Torwart_Option& o : TORWART_OPTION) {
        const Anim_Satz* z = Zeile_Mit_Zeit(o.anim);
        if (!z) continue;
        const float frames = zeit * 1000 / z->ref_frame_zeit;
        const float e = std::fabs(frames - float(z->kontakt_frame));
        const bool takt = e < o.frame_toleranz + 1 || (frames < 2 && o.seite_toleranz >= 200 && seite != 0);
        const float rs = z->reichweite_seite;
        const bool seitlich = (seite < rs + 1 && rs - 90 < seite) ||
                              (std::fabs(seite - rs) < o.seite_toleranz && (seite > 60 || rs <= 1 - o.nur_gerade));
        const bool hoch = hoehe <= z->reichweite_hoehe && hoehe >= o.min_hoehe;
        if (takt && seitlich && hoch && ball_tempo <= o.max_tempo) {
            if (o.entlarvt) satz->torwart_getaeuscht = 0;
            return o.anim;
        }
    }
    return -1;
}

int32_t KI_Spieler_Anim_Waehlen(Spielfeld_Satz* satz, const Figur* f, int32_t slot, float seite, float hoehe,
                                float zeit, bool mit_fallrueckzieher, bool mit_markierten) {
    (void)f;
    if (!satz || slot < 0 || slot >= SF_SPIELER) return -1;
    const float extra = float(satz->spieler[slot].werte[17]) / 30;
    for (const Spieler_Option& o : SPIELER_OPTION) {
        if (o.anim == ANIM_FALLRUECKZIEHER && !mit_fallrueckzieher) continue;
        if (o.markiert && !mit_markierten) continue;
        const Anim_Satz* z = Zeile_Mit_Zeit(o.anim);
        if (!z) continue;
        if (!(std::fabs(zeit * 1000 / z->ref_frame_zeit - float(z->kontakt_frame)) < 2)) continue;
        if (!(std::fabs(seite - z->reichweite_seite) < o.seite_toleranz)) continue;
        if (!(std::fabs(hoehe - z->reichweite_hoehe) < extra + o.hoehe_toleranz)) continue;
        if (o.anim == ANIM_FALLRUECKZIEHER &&
            Spielfeld_Nachbarn_Zaehlen(satz, slot, slot < SF_SPIELER_SEITE ? 1 : 0, 250, false, false) > 0)
            continue;
        return o.anim;
    }
    return -1;
}

void KI_Abseitsfalle(Spielfeld_Satz* satz, int32_t seite) {
    if (!satz || (seite != 0 && seite != 1)) return;
    const float g = float(satz->tor_x[1 - seite]);
    // The limit is the foremost attacker's distance from this goal line: his
    // x itself measures from x = 0 and is right for one end only.
    const float grenze = std::fabs(satz->vorderster_x - g);
    const int32_t von = seite * SF_SPIELER_SEITE;
    for (int32_t s = von; s < von + SF_SPIELER_SEITE; ++s) {
        if (Rnd(0, 90) > satz->linienwerte[seite][6]) continue;
        if (!(satz->spieler[s].zustand & SM_AUF_PLATZ)) continue;
        Figur& f = satz->figur[s];
        if (f.situation != 0) continue;
        bool nah = std::fabs(f.pos[0] - g) < grenze;
        if (!nah && satz->deckung[seite] == 4) nah = std::fabs(f.ring[f.aktuell & 3].ziel[0] - g) < grenze;
        if (nah) f.entscheiden = 1;
    }
    satz->w25126 = 1;
}

}  // namespace velmora
