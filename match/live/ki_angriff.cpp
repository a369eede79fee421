// match/live/ki_angriff.cpp - the attacking side's players without the ball.
//
// gx is the goal line the player's side attacks and dir points from it back
// into the pitch, so gx + dir k lies k cm in front of it; dg and db are the
// player's and the ball's distance from that line along x.
#include "match/live/ki_angriff.h"

#include <algorithm>
#include <cmath>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ki_ohne_ball.h"
#include "match/live/spielfeld_abfangen.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki.h"
#include "match/live/spielfeld_ki_basis.h"

namespace velmora {

namespace {

constexpr float BALLSUCHE_EMPFAENGER = 10800;
constexpr float BALLSUCHE_OFFEN = 4000;
constexpr float BALLSUCHE_GEHALTEN = 2000;
constexpr float BALLSUCHE_STANDARD = 800;

struct Lage {
    Spielfeld_Satz* satz;
    int32_t slot, seite;
    Figur* f;
    Spieler_Matchsatz* sm;
    const Figur* b;
    float v, gx, dir, dg, db;
    int32_t mitspieler;   // team mates within 500 cm
};

bool In_Zone_X(const Spieler_Matchsatz& sm, float x, float toleranz) {
    const float lo = float(std::min(sm.bereich[0], sm.bereich[1])), hi = float(std::max(sm.bereich[0], sm.bereich[1]));
    return x >= lo - toleranz && x <= hi + toleranz;
}

void Ins_Feld(Ohne_Ball_Ziel& z) {
    z.x = std::clamp(z.x, 0.0f, float(SPIELFELD_LAENGE));
    z.y = std::clamp(z.y, 0.0f, float(SPIELFELD_BREITE));
}

// Rule 1's re-aim: a receiver near the goal he attacks meets a moving ball on
// its path; a ball that reaches the point within 0.8 s is taken on the volley
// (height -211). True when it ran; the point and height are then written.
bool Nachzielen(Lage& l, bool mit_punkt, float* px, float* py, float* ph) {
    const Figur& f = *l.f;
    const Figur& b = *l.b;
    const float bv = Hypot_F(b.v[0], b.v[1]);
    if (!(l.dg < 1500) || Figur_Aktuelle_Anweisung(l.f)->flags != 0 || !(bv > 0)) return false;
    const float k = mit_punkt ? 2.0f : 1.5f;
    const float ax = mit_punkt ? f.pos[0] - 0.18f * f.v[0] : f.pos[0];
    const float ay = mit_punkt ? f.pos[1] - 0.18f * f.v[1] : f.pos[1];
    float fx = 0, fy = 0;
    const float a =
        Spielfeld_Abstand_Strecke(b.pos[0], b.pos[1], b.pos[0] + k * b.v[0], b.pos[1] + k * b.v[1], ax, ay, &fx, &fy);
    if (!(a > 30 && a < 3000)) return false;
    int32_t v = int32_t(l.v);
    float h = b.pos[2];
    Ball_Hoehe_Nach_Zeit(l.satz, &f, Hypot_F(fx - f.pos[0], fy - f.pos[1]), &v, 220, &fx, &fy, &h);
    const float ball_zeit = Hypot_F(fx - b.pos[0], fy - b.pos[1]) / bv;
    if (!(ball_zeit < 0.8f) || fx < -10 || fx > 10810) return false;
    *px = fx;
    *py = fy;
    *ph = -211;
    return true;
}

// Rule 1's reach row: a ball met high (above 70 cm), on the volley or by the
// receiver is played with the header, diving header, volley or overhead kick
// that fits the moment; he runs at 130 % of his speed to the re-aimed point
// (else the meeting point) without a turn plan.
void Reichweite_Waehlen(Lage& l, Ohne_Ball_Ziel& z, int32_t t, bool empfaenger, bool nachgezielt, float px, float py,
                        float ph) {
    const Figur& b = *l.b;
    if (t < 0 || t >= 1200 || !(empfaenger || ph > 70 || ph < -210)) return;
    if (Figur_Aktuelle_Anweisung(l.f)->flags != 0 || (b.v[0] == 0 && b.v[1] == 0)) return;
    const Anweisung& ba = *Figur_Aktuelle_Anweisung(&l.satz->figur[FIGUR_BALL]);
    float h = ph;
    if (h < 0 && ba.tempo > 0) {
        const float tau = float(t) / ba.tempo + (b.flug_zeit - b.flug_start) / 1000;
        h = tau * ba.vz - (981 - ba.tempo / 10) * tau * tau;
    }
    const float zum = Hypot_F(px - l.f->pos[0], py - l.f->pos[1]);
    const float tor = Hypot_F(l.f->pos[0] - l.gx, l.f->pos[1] - float(SPIELFELD_MITTE_Y));
    const int32_t anim = KI_Spieler_Anim_Waehlen(l.satz, l.f, l.slot, zum, h, zum / std::max(1.0f, l.v), tor < 2300,
                                                 tor < 2900);
    const Anim_Satz* r = anim >= 0 ? Anim_Zeile(anim) : nullptr;
    if (!r || r->reichweite_seite == 0) return;
    if (nachgezielt) {
        z.x = px;
        z.y = py;
    }
    z.anim = anim;
    z.tempo = 1.3f * l.v;
    z.tempo_gesetzt = true;
    z.wiederholung = 1;
    l.f->dreh_geplant = -1;
}

// 1. Going for the ball. True when he runs for it.
bool Zum_Ball(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    const bool empfaenger = satz->empfaenger == l.slot;
    const bool frei = satz->ballhalter < 0 && satz->wetter_init;
    if (!frei && !empfaenger) return false;
    float radius;
    if (empfaenger) radius = BALLSUCHE_EMPFAENGER;
    else if (satz->spielzustand != SZ_SPIEL) radius = BALLSUCHE_STANDARD;
    else if ((satz->empfaenger < 0 || Ohne_Ball_Empfaenger_Zeit(satz) >= 0) && satz->ballhalter >= 0)
        radius = BALLSUCHE_GEHALTEN;
    else radius = BALLSUCHE_OFFEN;
    const Ohne_Ball_Treffen m = Ohne_Ball_Treffpunkt(satz, l.slot, l.v, radius);
    const int32_t t = m.t;
    float px = m.x, py = m.y, ph = m.h;
    if (empfaenger || satz->empfaenger < 0) {
        Ohne_Ball_Empfaenger_Zeit_Setzen(satz, -1);
        Ohne_Ball_Laeufer_Setzen(satz, l.seite, -1);
    }
    const float d = Hypot_F(l.f->pos[0] - l.b->pos[0], l.f->pos[1] - l.b->pos[1]);
    const bool laeuft = (t >= 0 && d < radius) || empfaenger;
    if (laeuft) {
        const float zeit = Ohne_Ball_Empfaenger_Zeit(satz);
        if (t >= 0 && (zeit < 0 || float(t) < zeit)) {
            satz->empfaenger = l.slot;
            Ohne_Ball_Empfaenger_Zeit_Setzen(satz, float(t));
            Ohne_Ball_Laeufer_Setzen(satz, l.seite, l.slot);
            Ohne_Ball_Laufen(z, px, py, l.v, 100);
            z.reaktion = 0.001f;
        } else if (t >= 0) {
            Ohne_Ball_Laufen(z, px, py, m.tempo, 0);   // towards it, without a claim
        } else {
            // A receiver without a meeting point runs to where the ball comes down.
            px = satz->ball_ziel[0];
            py = satz->ball_ziel[1];
            Ohne_Ball_Laufen(z, px, py, l.v, 100);
            z.reaktion = 0.001f;
        }
        const bool nachgezielt = empfaenger && Nachzielen(l, t >= 0, &px, &py, &ph);
        Reichweite_Waehlen(l, z, t, empfaenger, nachgezielt, px, py, ph);
        return true;
    }
    z.reaktion = 0.8f;
    // A ball whose order speed outruns its velocity is slowed to it.
    Anweisung& ba = *Figur_Aktuelle_Anweisung(&satz->figur[FIGUR_BALL]);
    const float vx = l.b->v[0], vy = l.b->v[1];
    if (std::fabs(vx) + std::fabs(vy) * 1.1f < ba.tempo) ba.tempo = std::sqrt(vx * vx + vy * vy);
    return false;
}

// 2. Support play: forward into space, into the box near goal, or ahead of the ball.
void Unterstuetzen(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    const Spieler_Matchsatz& sm = *l.sm;
    const float x = l.f->pos[0], y = l.f->pos[1];
    const float fern = std::min(std::fabs(float(sm.bereich[0]) - l.gx), std::fabs(float(sm.bereich[1]) - l.gx));
    if (!(std::fabs(l.b->pos[0] - x) < 1500 && (l.dg < 4400 || fern < 5400))) return;
    const float sy = l.b->pos[1] < y ? 1.0f : -1.0f;
    const float tol = float(1000 - sm.werte[5]) * 4;
    int32_t m = l.mitspieler;
    if (std::fabs(l.b->pos[0] - x) < 1200 && std::fabs(l.b->pos[1] - y) < 1200) m += 4;
    const int32_t gegner = 1 - l.seite;
    if ((sm.druck + m != 0 && l.dg > 2000) || l.db > 6400) {
        float tx = x - l.dir * 1500, ty = y + sy * 1000;
        if (In_Zone_X(sm, tx, tol)) {
            tx = std::clamp(tx, 0.0f, float(SPIELFELD_LAENGE));
            ty = std::clamp(ty, 0.0f, float(SPIELFELD_BREITE));
            const int32_t gedraenge = Ohne_Ball_Zaehlen(satz, gegner, tx, ty, 500, l.slot) +
                                      Ohne_Ball_Zaehlen(satz, gegner, tx, ty, 400, l.slot) / 2 +
                                      Ohne_Ball_Zaehlen(satz, l.seite, tx, ty, 500, l.slot) +
                                      Ohne_Ball_Zaehlen(satz, l.seite, tx, ty, 400, l.slot) / 2;
            if (gedraenge < sm.druck + m) {
                Ohne_Ball_Laufen(z, tx, ty, l.v, 70);
                z.reaktion = 0.001f;
            }
        }
        if (z.p < 70 && std::fabs(float(sm.linie[1]) - l.gx) < l.dg) Ohne_Ball_Laufen(z, float(sm.linie[1]), ty, l.v, 70);
    }
    if (l.dg <= 2500 && l.db < 5400) {
        if (l.db <= 3900 || std::fabs(y - SPIELFELD_MITTE_Y) <= 1500)
            z.y = SPIELFELD_MITTE_Y + sy * float(2000 - 100 * Rnd(0, 40));
        else
            z.y = SPIELFELD_MITTE_Y + sy * float(1701 - 100 * Rnd(2, 8));
        z.x = l.gx + l.dir * float(100 * Rnd(10, 20));
        if (Ohne_Ball_Zaehlen(satz, l.seite, x, y, 600, l.slot) < 2) {
            z.tempo = l.v;
            z.tempo_gesetzt = true;
            z.p = 70;
        }
    }
    const bool steht = z.x == x && z.y == y;
    const int32_t t2 = Ohne_Ball_T2(satz, l.seite);
    if (steht && std::fabs(l.b->pos[0] - x) < float(t2 * 20 + 500) &&
        (l.db <= 3000 || int8_t(sm.rolle[ROLLE(147)]) > 2)) {
        const float tx = l.b->pos[0] - l.dir * 1500;
        const float ty = y + float(2 * 100 * (Rnd(0, 10) - 5));
        if (In_Zone_X(sm, tx, 500 + tol)) Ohne_Ball_Laufen(z, tx, ty, Spieler_Lauftempo(satz, l.slot), 70);
    }
    Ins_Feld(z);
}

// 3. Zone discipline.
void Zone_Halten(Lage& l, Ohne_Ball_Ziel& z) {
    const Spieler_Matchsatz& sm = *l.sm;
    const uint32_t zs = l.satz->spielzustand;
    if (!(z.p < 50 || zs == SZ_ANSTOSS || zs == SZ_ABSTOSS)) return;
    const float hx = float(sm.linie[1]), hy = float(sm.linie[3]);
    if (Ohne_Ball_In_Zone(sm, z.x, z.y) && Hypot_F(z.x - hx, z.y - hy) <= 500) return;
    const float y = std::clamp(2 * hy - l.f->pos[1], 0.0f, float(SPIELFELD_BREITE));
    Ohne_Ball_Laufen(z, hx, y, float(Rnd(80, 100)) * l.v / 100, 50);
}

// 4. Offside: a target beyond the line moves 150 cm back onto the safe side.
void Abseits_Meiden(Lage& l, Ohne_Ball_Ziel& z) {
    const float linie = Ohne_Ball_Abseitslinie(l.satz);
    if (linie == 0 || !(std::fabs(z.x - l.gx) < linie) || !(l.dg < l.db)) return;
    z.x = l.gx + l.dir * (linie + 150);
    if (!z.tempo_gesetzt) {
        z.x = l.f->pos[0];
        z.tempo = l.v;
        z.tempo_gesetzt = true;
        z.p = 1;
    }
}

// 6. The play-state table.
void Spielzustand_Regeln(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    switch (satz->spielzustand) {
        case SZ_EINWURF: Ohne_Ball_Abstand_Halten(satz, l.slot, l.v, 990, 1500, 1000, true, 100, true, z); break;
        case SZ_ABSTOSS:
        case SZ_ELFMETER: Ohne_Ball_Strafraum_Raeumen(satz, l.slot, l.v, z); break;
        case SZ_ECKE: Ohne_Ball_Abstand_Halten(satz, l.slot, l.v, 1790, 5400, 1800, false, 101, true, z); break;
        case SZ_ANSTOSS: Ohne_Ball_Anstoss(satz, l.slot, l.v, false, z); break;
        case SZ_ELFMETERSCHIESSEN: Ohne_Ball_Elfmeterschiessen(satz, l.slot, l.v, z); break;
        case SZ_FREISTOSS: Ohne_Ball_Freistoss(satz, l.slot, l.v, 0.6f, z); break;
        case SZ_VERLETZUNG: z.tempo = float(Rnd(5, 8)) * 1000 / 36; break;
        default: break;
    }
    if (satz->spielzustand >= SZ_EINWURF && satz->spielzustand <= SZ_FREISTOSS) l.f->jagt_ball = 0;
}

}  // namespace

void KI_Angriff_Ohne_Ball(Spielfeld_Satz* satz, int32_t slot, int32_t seite) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    Lage l{satz, slot, seite & 1, &satz->figur[slot], &satz->spieler[slot], &satz->figur[FIGUR_BALL], 0, 0, 0, 0, 0, 0};
    Figur& f = *l.f;
    Spieler_Matchsatz& sm = *l.sm;
    Ohne_Ball_Ziel z{f.pos[0], f.pos[1], 0, false, ANIM_LAUF_NACH_TEMPO, 0, 0, -1};
    sm.deckt = 0xFF;
    f.situation = 0;
    sm.druck = Ohne_Ball_Zaehlen(satz, 1 - l.seite, f.pos[0], f.pos[1], 500, slot);
    l.mitspieler = Ohne_Ball_Zaehlen(satz, l.seite, f.pos[0], f.pos[1], 500, slot);
    // His marker takes him as his man and decides again.
    const int32_t marker = Ohne_Ball_Slot(sm.rueck);
    if (marker >= 0) {
        satz->spieler[marker].deckt = uint8_t(slot);
        satz->figur[marker].entscheiden = 1;
    }
    l.v = Spieler_Lauftempo(satz, slot);
    l.gx = float(satz->tor_x[l.seite]);
    l.dir = float(((l.seite ^ (satz->seiten_gewechselt ? 1 : 0)) * 2) - 1);
    l.dg = std::fabs(f.pos[0] - l.gx);
    l.db = std::fabs(l.b->pos[0] - l.gx);

    const bool zum_ball = Zum_Ball(l, z);
    if (!zum_ball) Unterstuetzen(l, z);
    Zone_Halten(l, z);
    if (!zum_ball) Abseits_Meiden(l, z);
    // 5. Crosses: into the box at free kicks and corners near the goal.
    const uint32_t zs = satz->spielzustand;
    if ((zs == SZ_FREISTOSS || zs == SZ_ECKE) && l.dg < float(Ohne_Ball_T2(satz, l.seite) * 30 + 5000) &&
        l.db < 2500 && std::fabs(float(sm.linie[1]) - l.gx) < 6400)
        Ohne_Ball_Strafraum_Position(l.gx, l.dir, l.v, z);
    Spielzustand_Regeln(l, z);
    Ohne_Ball_Befehl(satz, slot, z);
}

}  // namespace velmora
