// match/live/ki_ballfuehrer.cpp - the ball-holder AI: chasing, the shot score and
// the shot, the pass choice and the pass, evading, running with the ball and
// the live instruction.
//
// Choices made here (tuning belongs to these choices and the animation table):
// - Match values read (index into werte): technique 18, passing 1, hold-up 2,
//   finishing 4, shooting 5, calmness 6, pace 7, power 9, composure 10,
//   crossing 11, receiving 12, distribution 13 (keeper 24), width value 14,
//   second strength 15. Bytes: formation role 141, keep-it-simple 149,
//   shooter byte 183, no-pass byte 184. The shooting class 0-3 is how many
//   hundreds his shooting exceeds his match strength (Spieler_Matchstaerke).
// - Team tactic bytes (taktik): pass length 0, forward pass 1, tempo 2,
//   width 4, direction 5, pass risk 6, short play 7, counter 8; line values:
//   work rate 1, through ball 4, lead range 6; instruction values: lead 9,
//   control 10. Wing bytes: line values 0 (flank below y 3403) and 2 (above).
// - Instructions 14 to 17 act as any other instruction: passes -10000, shot
//   -20, running unchanged.
// - Statistics: element 1 for the passer when a pass is played, element 2 for
//   the shooter when he shoots.
// - Cross bonus: Rnd(0, 1000) for a player within 1600 cm of the goal line and
//   more than 800 cm from y 3403, else 0.
// - Width rules: outside the 1300 - 6w band a player farther than
//   1500 - 6 x width tactic from y 3403 keeps his y; one nearer cuts in, his
//   target y halfway to the goal centre.
// - Wing bytes: the byte of the receiver's flank adds 2w above 50, subtracts
//   2w below 50. The flank is the side's own: by y against 3403, exchanged
//   while the side attacks the goal at x = 0 (by the halves alone, the away
//   side's two wings were swapped).
// - Loft of a ball in the air: the same search as on the ground (vertical
//   speed from 1800 down in steps of 100 until the ball passes below H), the
//   flight taken from the ball's current height in 50 ms steps.
// - The shooter and the passer play their kick row once at its own frame
//   time (the placed or the hard shot, the volley, the light pass, the
//   keeper's rows) while the ball is already on its way: the lock-out a kick
//   gives him (500) outlasts the row's kick frame (about 240 ms), so the
//   tick's kick-frame step does not put the ball back at his foot. A shot
//   played first time leaves him running.
// - A keeper holding the ball stays with the keeper AI until the last frame
//   of his punt or throw row; then the pass choice plays the ball (situation
//   41 or 42) and he plays no pass row after the row that was his kick.
// - The shot's aim x is the goal line + 10 cm; the ball's target lies 1000 cm
//   further on the same path (a ball aimed at the line would stop on it).
// - Rows with ball contact: the header is always ready (first time above
//   200 cm); the situation a row gives (41, 42, 1) holds for this decision
//   only and is not left on the figure, which the wake-ups would then skip.
// - The rehearsed-move slot heads the side's rehearsed-move block: flag, a
//   spare byte, target x and y (i16, both 0 for none), receiver (i8), a spare
//   byte. It is taken once per setting.
// - The pass choice: sweep 0 rates receivers ahead, sweep 1 those behind,
//   each within its band of 100-cm rows in x, farthest row first; a keeper's
//   band comes from match value 24.
// - The far mark: a field player pressed (an opponent within 300 cm) at least
//   8100 cm from the goal line he attacks. A pass it refuses goes into space
//   (a pass above the bar is played).
// - The match's counter flag (26470): set by the contact pass when a field
//   player takes the ball in open play from the other side's touch, served to
//   his first decision on it and cleared there.
// - Pass arrival (31259): 1 as the pass rules give it; no player byte makes a
//   one-touch receiver, so 3 is never written. Opponents behind the receiver
//   are those the lane rule counts beyond him (foot past him, within the
//   half-width of 200 cm).
// - A run whose ball already rolls within the push's speed band keeps the
//   ball's speed, not its old order: the ball is aimed along the new run.
// - The marking byte of the shot score is the player's own byte among the
//   34 per-player marking bytes (25137 + slot): the decision sets it when no
//   opponent is within 300 cm; a shot or a pass clears all 34, and so does
//   the contact pass at the start of every frame.
// - Running with the ball: the run's target lies 100 cm beyond the goal line
//   he attacks; only its y is kept on the pitch.
// - First-time shot: a calm player (Rnd(0, 999) below his calmness) halves
//   the speed, another divides it by 2.3 or 2.8 (Rnd(0, 1)); the flight time
//   is doubled from the full speed.
#include "match/live/ki_ballfuehrer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_ballflug.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_ki.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/live/spielfeld_tick.h"
#include "match/live/ki_ballfuehrer_lage.h"
#include "match/live/ki_torwart.h"

namespace velmora {

namespace ballfuehrer {

constexpr float KMH = 1000.0f / 36.0f;

// The kicker plays his kick row once at its own frame time, moving on at
// `tempo`. The ball has left already; his lock-out keeps the row's kick
// frame from taking it back. His decision timer runs for the row: a player
// whose timer runs is not asked, so no run order of the next frame cuts
// the kick off after a frame or two.
void Kick_Zeigen(Spielfeld_Satz* satz, int32_t slot, float x, float y, float tempo, int32_t anim) {
    const Anim_Satz& z = Anim_Zeile_Oder_Stand(anim, "KI_Ballfuehrer");
    SetZSA(satz, slot, int32_t(x), int32_t(y), 0, int32_t(tempo), anim, 0, z.ref_frame_zeit, 0, -1, 1, 1,
           RING_OHNE_PRUEFUNG, 0, 0);
    Figur& f = satz->figur[slot];
    f.entscheid_timer = std::max(f.entscheid_timer, float(z.letzter_frame + 1) * z.ref_frame_zeit);
}

// The rehearsed-move slot of a side, at the head of its rehearsed-move block:
// a one-shot flag, the target (x, y; both 0 for none) and the receiver (-1 none).
#pragma pack(push, 1)
struct Spielzug_Slot {   // 8 bytes
    uint8_t aktiv;
    uint8_t r1;
    int16_t x, y;
    int8_t empfaenger;
    uint8_t r7;
};
#pragma pack(pop)
static_assert(sizeof(Spielzug_Slot) == 8);

// Takes the side's rehearsed move when its flag is set, and clears the flag.
void Spielzug_Nehmen(Lage& l) {
    Spielzug_Slot z{};
    std::memcpy(&z, l.satz->spielzuege[l.seite], sizeof(z));
    if (!z.aktiv) return;
    l.satz->spielzuege[l.seite][0] = 0;
    l.zug_aktiv = true;
    l.zug_empfaenger = z.empfaenger >= 0 && z.empfaenger < SF_SPIELER ? z.empfaenger : -1;
    l.zug_ziel = z.x != 0 || z.y != 0;
    l.zug_x = z.x;
    l.zug_y = z.y;
}

void Anweisung_Verbrauchen(Spielfeld_Satz* satz) {
    satz->live_anweisung = 0;
    ++satz->live_anweisung_seite[0];
    ++satz->live_anweisung_seite[1];
}

// The live instruction of the watching manager, for his side only.
int32_t Live_Anweisung(const Spielfeld_Satz* satz, int32_t seite) {
    const int32_t a = satz->live_anweisung;
    if (a <= 0) return 0;
    return satz->computer[seite] ? 0 : a;
}

// B. Running after the ball.
bool Jagen(Lage& l, float d, bool bereit) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    const Figur& b = *l.b;
    if (f.torwart && d > 500) {
        if (satz->ballhalter == l.slot) Ballbesitz_Setzen(satz, -1);
        satz->ballhalter = -1;
        satz->pass_unterwegs = 0;
        return true;
    }
    if (l.situation != 0) {
        // A player in a set-piece script waits for his own row to end.
        const int32_t anim = Figur_Aktuelle_Anweisung(&f)->anim;
        const bool steht = f.v[0] == 0 && f.v[1] == 0;
        if ((steht && !bereit) || anim == ANIM_TW_ABSCHLAG || anim == ANIM_TW_ABWURF || anim == ANIM_EINWURF)
            return false;
    }
    const float v = Spieler_Sprinttempo(satz, l.slot);
    const Anweisung& ba = *Figur_Aktuelle_Anweisung(l.b);
    double zx = 0, zy = 0;
    int32_t treffer = Abfangpunkt_Suchen(f.pos[0], f.pos[1], v, b.pos[0], b.pos[1], ba.ziel[0], ba.ziel[1], ba.tempo,
                                         50, 25, -1, 0, &zx, &zy, SPIELFELD_LAENGE, SPIELFELD_BREITE, 0, 0);
    if (d < 300 || treffer > d || treffer < 0) {
        double zx2 = 0, zy2 = 0;
        const int32_t t2 = Abfangpunkt_Suchen(f.pos[0], f.pos[1], v, b.pos[0] + b.v[0] / 4, b.pos[1] + b.v[1] / 4,
                                              ba.ziel[0], ba.ziel[1], ba.tempo, 50, 25, -1, 0, &zx2, &zy2,
                                              SPIELFELD_LAENGE, SPIELFELD_BREITE, 0, 0);
        if (t2 >= 0 && (treffer < 0 || t2 < treffer)) {
            treffer = t2;
            zx = zx2;
            zy = zy2;
        }
    }
    float tempo = v;
    if (treffer < 0) {
        zx = b.pos[0];
        zy = b.pos[1];
        tempo = v * 1.1f;
    }
    f.jagt_ball = 1;
    // An uninterruptible action (a slide, a poke, a header) plays to its end,
    // which asks him again; no chase order replaces it.
    const Anweisung& akt = *Figur_Aktuelle_Anweisung(&f);
    if (akt.flags == 1 && Anim_Zeile_Oder_Stand(akt.anim, "KI_Ballfuehrer").lauf_gruppe < 0) {
        f.entscheid_intervall = 0.001f;
        return false;
    }
    // A player with a negative y is off the pitch and cannot touch the ball:
    // the chase stops on the touch line.
    zy = std::clamp(zy, 0.0, double(SPIELFELD_BREITE));
    SetZSA(satz, l.slot, int32_t(zx), int32_t(zy), 0, int32_t(tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
    return false;
}

// C. The shot score.
float Schusswert(Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    const Spieler_Matchsatz& sm = satz->spieler[l.slot];
    const int32_t k = std::clamp((Wert(satz, l.slot, W_SCHUSS) - Spieler_Matchstaerke(sm)) / 100, 0, 3);
    const int32_t f1 = l.situation == 1 || l.situation == 2 ? 1 : 0;
    const int32_t w = Wert(satz, l.slot, W_TECHNIK) < Wert(satz, l.slot, W_SCHUSS) ? 1 : 0;
    const bool schuetze = sm.talent_flag[TALENT_FLAG(183)] != 0;
    const float g = l.g;
    const float reichweite = 2000.0f + (k >= 3 ? 1000.0f : 0.0f) + 2000.0f * float(w) + (l.anweisung == 13 ? 2000.0f : 0.0f);
    if (!(f1 == 1 || (l.situation != 3 && g < reichweite))) return 0;
    float s = (2500 - g + 1000 * float(k)) / 50 + 20 + 10 * float(f1);
    if (l.m < 0.4f) s += (0.6f - l.m) * 70;
    if (g > 2200 && Rnd(0, 2000) < Wert(satz, l.slot, W_SCHUSS) + 2000 * int32_t(schuetze) && l.b->pos[2] < 120)
        s += 10 * float(w) + 5;
    if (g < 2000 && Wert(satz, l.slot, W_TECHNIK) < Wert(satz, l.slot, W_ABSCHLUSS) + 1000 * int32_t(schuetze)) s += 10;
    if (l.anweisung == 13) {
        s += 50;
        Debug_Ausgabe(1, "SCHIESSEN-Bonus\n");
    } else if (l.anweisung != 0) {
        s -= 20;
    }
    // The player's marking byte, set in this decision for a player nobody
    // presses anywhere short of the far goal line, and cleared once he shoots
    // or passes: the free man looks for the pass first.
    if (g < SPIELFELD_LAENGE && !l.druck_nah) satz->slot_marke[l.slot] = 1;
    if ((Taktik(l, 7) && g > 2500) || satz->slot_marke[l.slot]) s -= 35;
    const float ax = std::fabs(l.gx - l.f->pos[0]);
    if (l.b->pos[2] > 120 && g > 2200) {
        s = 0;
    } else if (g > 1.8f * ax) {
        if (ax < 1 || ax <= 1700 - 300 * float(f1)) s = 0;
        else s -= std::fabs(l.gy - l.f->pos[1]) / ax * 10;
    }
    if (s > 0 || f1 == 1) {
        int32_t nahe = 0, sperrer = -1;
        float sperr_abstand = 0;
        const int32_t n = Spielfeld_Spieler_Im_Passweg(satz, l.slot, l.gx, l.gy, 1 - l.seite, &sperr_abstand,
                                                       &sperrer, 300, nullptr, &nahe);
        if (n < 2) {
            s += 40.0f * float(2 - n);
            if (n == 1 && g > 2000) s -= 15;
        } else if (n == 2) {
            s += 20;
        }
        // The lob over a blocker who came out towards him.
        bool lob = false;
        if (n > 0 && Spieler_Ok(sperrer) && (l.situation == 0 || l.erstmals)) {
            const float bx = satz->figur[sperrer].pos[0];
            const float vor = std::fabs(bx - l.gx) - std::fabs(bx - l.f->pos[0]) + 200;
            const float weit = 1800 - 200 * float(l.erstmals) - float(Wert(satz, l.slot, W_PASSEN) / 2 + 500) / 2 -
                               200 * float(schuetze);
            if (vor > (l.druck_nah ? 400.0f : 100.0f) && g > weit) {
                s += 25;
                l.lob = lob = true;
            }
        }
        // Pressed and no better at shooting than at the rest, he keeps the
        // ball from farther out.
        const float bis = l.druck > 0 && Wert(satz, l.slot, W_SCHUSS) <= Wert(satz, l.slot, W_TECHNIK) ? 4000.0f : 3000.0f;
        if (!lob && n == 1 && g >= 1500 && g <= bis) {
            s = 0;
            l.kein_schuss = true;
        } else if (!lob && n == 0 && g >= 1800 && g <= 3500 && l.anweisung != 13) {
            s = 0;
            l.kein_schuss = true;
        }
        if (n == 0 && l.druck == 0) s += 30 + (g < 2000 ? 50.0f : 0.0f);
    }
    if (l.situation == 1 || l.situation == 2) {
        if (g < 3500 || l.erstmals) s = 100;
        else l.situation = 3;
    }
    return s;
}

// The height a ball launched at (vz, v) reaches after t seconds from z0.
float Hoehe(float z0, float vz, float v, float t) { return z0 + float(Spielfeld_Ball_Hoehe(vz, v, t)); }

// The vertical speed that carries a ball of speed v over distance e below H.
float Loft(float z0, float v, float e, float h_ziel) {
    const float t = v > 0 ? e / v : 0;
    float vz = 1800;
    while (vz > 0 && Hoehe(z0, vz, v, t) > h_ziel) vz -= 100;
    return std::max(vz, 0.0f);
}

// The ball leaves: no holder, aimed at (x, y) at speed v with launch speed vz.
void Ball_Abspielen(Lage& l, float x, float y, float v, float vz) {
    Spielfeld_Satz* satz = l.satz;
    Figur& b = *l.b;
    Ballbesitz_Setzen(satz, -1);
    satz->letzter_spieler = l.slot;
    satz->letzte_beruehrung = int8_t(l.seite);
    SetZSA(satz, FIGUR_BALL, int32_t(x), int32_t(y), 0, int32_t(v), ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
    Figur_Aktuelle_Anweisung(&b)->vz = vz;
    b.flug_start = b.flug_zeit = 0;
    if (b.pos[2] > 0) Spielfeld_Ball_Flug_Steigend(&b);
    Figur_Ballsperre_Setzen(l.f, 500);
    l.f->jagt_ball = 0;
    std::fill(std::begin(satz->slot_marke), std::end(satz->slot_marke), uint8_t(0));
}

// The keeper of `seite` sees the shot the moment it is struck, whichever
// side shot: a keeper whose turn in the frame came before the shooter's would
// otherwise meet it a frame or a waiting interval later than the other.
void Torwart_Reagiert(Spielfeld_Satz* satz, int32_t seite) {
    const int32_t von = seite * SF_SPIELER_SEITE;
    for (int32_t s = von; s < von + SF_SPIELER_SEITE; ++s) {
        Figur& t = satz->figur[s];
        if (!t.torwart || satz->spieler[s].zustand != SM_AUF_PLATZ || t.situation != 0) continue;
        t.entscheiden = 0;
        t.entscheid_intervall = 0;
        t.entscheid_timer = 0;
        KI_Torwart(satz, s);
        return;
    }
}

// D. The shot.
void Schiessen(Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    const Spieler_Matchsatz& sm = satz->spieler[l.slot];
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float tf = Zeitfaktor(satz);
    const bool schuetze = sm.talent_flag[TALENT_FLAG(183)] != 0;
    const int32_t tech = Wert(satz, l.slot, W_TECHNIK), absch = Wert(satz, l.slot, W_ABSCHLUSS),
                  schuss = Wert(satz, l.slot, W_SCHUSS);
    const int32_t diff = int32_t(satz->tore[l.seite]) - int32_t(satz->tore[1 - l.seite]);
    int32_t comp = diff == 0 || diff == -1 ? Wert(satz, l.slot, W_NERVEN) : 1000;
    int32_t a = comp / 4 + 250;
    if (l.g <= 2500) {
        a += absch / 2 + (tech < absch ? 600 : 0);
    } else {
        a = schuss + (tech < schuss ? 500 : 0) + (100 * schuss > 120 * tech ? 200 : 0);
        comp = 1000;
    }
    const float ax = l.gx > SPIELFELD_MITTE_X ? l.gx + 10 : l.gx - 10;
    const float mitte = l.gy;
    const int32_t tore = satz->tore[0] + satz->tore[1];
    const int32_t f1 = l.situation == 1 || l.situation == 2 ? 1 : 0;
    float ay;
    if (l.g < 1000 && comp >= 901 && l.druck_nah == l.druck_dicht) {
        ay = mitte - 250 + 500 * float(Rnd(0, 1));
        l.seitfuss = true;
    } else if (Rnd(0, 3) == 0 && comp < 950 && !schuetze) {
        float spread = 450;
        if (f1 == 0 && l.g > 1200 && tf > 1) {
            if (Rnd(0, tore) > 1) spread += float(Rnd(50, 200));
            if (Rnd(1, int32_t(tf)) != 1) spread += float(Rnd(0, 100));
        }
        ay = mitte - spread + 2 * spread * float(Rnd(0, 1));
    } else {
        const int32_t r = Rnd(0, a) / 3;
        const int32_t grenze = r + 100 + (l.g < 2000 ? 100 : 0) + (l.g < 1200 ? 100 : 0);
        if (!l.lob && !schuetze && float(Rnd(0, grenze)) <= 10 * tf + 140 - 100 * float(f1)) {
            float spread = (tf - 1) * 150 + 420;
            if (tf > 1 && Rnd(0, tore) > 0) spread += float(Rnd(140, 310));
            ay = mitte - spread + float(Rnd(0, int32_t(2 * spread)));
        } else {
            const int32_t n0 = Spielfeld_Spieler_Im_Passweg(satz, l.slot, l.gx, mitte - 440, 1 - l.seite, nullptr,
                                                            nullptr, 300, nullptr, nullptr);
            const int32_t n1 = Spielfeld_Spieler_Im_Passweg(satz, l.slot, l.gx, mitte + 440, 1 - l.seite, nullptr,
                                                            nullptr, 300, nullptr, nullptr);
            const int32_t seite = n0 == n1 ? Rnd(0, 1) : (n1 < n0 ? 1 : 0);
            ay = mitte - 420 + 840 * float(seite);
            if (f1 == 0 && tf > 1 && Rnd(1, int32_t(2 * tf)) != 1) ay += float(Rnd(0, 400) - 200);
        }
    }
    float v = tf <= 1 ? 3194.4443f : (115 - 10 * tf) * 1000 / 36;
    if (l.situation == 1) v *= 1.3f;
    const int32_t u = a / 4 + 500 + Wert(satz, l.slot, W_ZWEITE) / 4;
    const int32_t e = tech < Wert(satz, l.slot, W_KRAFT) ? 16 : 0;
    const float entfernung = Hypot_F(ax - l.b->pos[0], ay - l.b->pos[1]);
    if (entfernung > 1500) v = v * float(Rnd(108, Rnd(0, u) / 30 + 108 + e)) / 100;
    else v = v * float(Rnd(78, Rnd(0, u) / 20 + 78 + e)) / 100;
    const int32_t latte = k.latte[0];
    float vz;
    if (l.seitfuss) {
        vz = float(Rnd(0, 600) + 300);
    } else {
        int32_t h = Rnd(0, latte - 20);
        if (Rnd(0, 999) < a) h = latte - (Rnd(0, 1) ? 20 : 30);
        vz = Loft(l.b->pos[2], v, entfernung, float(h));
    }
    if (l.b->pos[2] <= 0) l.b->v[0] = l.b->v[1] = 0;
    if (Rnd(1, int32_t(tf)) != 1) vz = std::max(0.0f, vz + float(Rnd(0, 400) - 200));
    if (l.erstmals) v = Ballfuehrer_Direktschuss(v, entfernung, l.g, Wert(satz, l.slot, W_RUHE), &vz);
    const float hoehe = l.b->pos[2];
    Spielfeld_Statistik_Element(satz, l.slot, 2);
    if (l.anweisung) Anweisung_Verbrauchen(satz);
    // A shot struck from the feet starts a tenth of its velocity ahead; one
    // played first time leaves from where the ball is met.
    if (!l.erstmals) {
        const float dx = ax - l.b->pos[0], dy = ay - l.b->pos[1], dn = std::max(1.0f, Hypot_F(dx, dy));
        l.b->pos[0] += dx / dn * v / 10;
        l.b->pos[1] += dy / dn * v / 10;
    }
    // The ball's target lies 1000 cm beyond the line on the same path: a ball
    // aimed at the line itself would stop on it.
    const float bx = l.b->pos[0], by = l.b->pos[1];
    const float n = std::max(1.0f, Hypot_F(ax - bx, ay - by));
    Ball_Abspielen(l, ax + (ax - bx) / n * 1000, ay + (ay - by) / n * 1000, v, vz);
    Torwart_Reagiert(satz, 1 - l.seite);
    Figur& f = *l.f;
    const float tempo = Spieler_Lauftempo(satz, l.slot) / 10;
    if (l.erstmals) {
        SetZSA(satz, l.slot, int32_t(ax), int32_t(ay), 0, int32_t(tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
               RING_OHNE_PRUEFUNG, 0, 0);
    } else {
        Kick_Zeigen(satz, l.slot, ax, ay, tempo, Ballfuehrer_Schuss_Anim(v, hoehe, f.torwart != 0));
    }
    f.entscheiden = 1;
}

// H. Running with the ball.
void Dribbeln(Lage& l, float d) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = *l.f;
    Figur& b = *l.b;
    const Spieler_Matchsatz& sm = satz->spieler[l.slot];
    const int32_t tempo_wert = Wert(satz, l.slot, W_TEMPO);
    if (b.pos[2] > 0 && b.pos[2] < 200) {
        int32_t kontrolle = tempo_wert + Wert(satz, l.slot, W_ABSCHLUSS);
        const int32_t dt = Taktik(l, 5) / 34;
        const bool hoch = b.pos[2] >= 150;
        if (((dt == 2 && hoch && Rnd(34, 99) < Taktik(l, 5)) || (dt == 1 && !hoch && Rnd(0, 67) < Taktik(l, 5))) &&
            Rnd(0, 100) < satz->anweisungen[l.seite][10])
            kontrolle += kontrolle / 4;
        Ballfuehrer_Ball_Beruhigen(satz, kontrolle);
    }
    const float richtung = l.gx > SPIELFELD_MITTE_X ? 1.0f : -1.0f;
    // The run goes to a point 100 cm beyond the attacked goal line: he carries
    // the ball on over the line (near it, in towards the goal centre).
    float zx = l.gx + 100 * richtung;
    const int32_t w = Wert(satz, l.slot, W_TECHNIK) < Wert(satz, l.slot, W_BREITE) ? 100 : Taktik(l, 4);
    float zy;
    if (std::fabs(l.gx - f.pos[0]) < 300 || std::fabs(f.pos[1] - l.gy) < 1300 - 6 * float(w)) zy = l.gy;
    else zy = Ballfuehrer_Ziel_Y(f.pos[1], Taktik(l, 4), w, l.gy);
    const int32_t a = l.anweisung;
    if (a >= 1 && a <= 6) {
        const float sx = a <= 3 ? 1000.0f : -1000.0f;
        const int32_t zeile = (a - 1) % 3;
        zx = f.pos[0] + sx;
        if (zeile == 0) zy = f.pos[1] - 500 - float(Rnd(0, 500));
        else if (zeile == 1) zy = f.pos[1] + 25 - float(Rnd(0, 50));
        else zy = f.pos[1] + 500 + float(Rnd(0, 500));
        if (Rnd(0, 4) == 0) {
            Debug_Ausgabe(1, "Anweisung gelöscht\n");
            Anweisung_Verbrauchen(satz);
        }
    }
    if (l.zug_ziel) {
        zx = l.zug_x;
        zy = l.zug_y;
    }
    float prozent = tempo_wert < 991 ? 100.0f : 120.0f;
    const int32_t e = Linie(l, 1);
    const bool breit = std::fabs(zy - SPIELFELD_MITTE_Y) > SPIELFELD_BREITE / 4.0f;
    const float plus = float((100 - e) / 10 + 5);
    switch (Taktik(l, 2) / 34) {
        case 0: prozent += breit ? -10 : plus; break;
        case 1: prozent -= plus; break;
        default: prozent += breit ? plus : -10; break;
    }
    float schub;
    if (l.m <= 0.15f) {
        schub = 1.3f;
        prozent -= 20;
    } else {
        schub = (l.druck > 0 ? 1.1f : 2.3f);
    }
    const float v = Spieler_Lauftempo(satz, l.slot) * prozent / 100;
    float ball_v = v + schub * KMH;
    if (l.druck >= 2) {
        ball_v += 400;
        zy += -800 + 400 * float(Rnd(0, 1));
    }
    (void)sm;
    // Only the run's y is kept on the pitch (a negative y means off it); its
    // x lies beyond the goal line.
    int32_t ix = int32_t(zx), iy = int32_t(zy);
    Punkt_Ins_Feld(nullptr, &iy);
    const float dx = float(ix) - b.pos[0], dy = float(iy) - b.pos[1], dn = std::max(1.0f, Hypot_F(dx, dy));
    // The ball is pushed a few metres ahead along the run.
    const float schritt = std::min(dn, 400.0f);
    if (b.pos[2] < 200) {
        const Anweisung& ba = *Figur_Aktuelle_Anweisung(&b);
        // A ball already rolling within the band keeps its speed; it still
        // follows the run's new direction.
        const bool schon = ba.tempo >= ball_v && ba.tempo <= ball_v * 1.08f && d <= 20;
        SetZSA(satz, FIGUR_BALL, int32_t(b.pos[0] + dx / dn * schritt), int32_t(b.pos[1] + dy / dn * schritt), 0,
               int32_t(schon ? ba.tempo : ball_v), ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
    }
    SetZSA(satz, l.slot, ix, iy, 0, int32_t(v), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
}

}  // namespace ballfuehrer

using namespace ballfuehrer;

int32_t Ballfuehrer_Passband(Spielfeld_Satz* satz, int32_t slot, int32_t seite, int32_t durchgang,
                             int32_t situation, bool flanken_bonus) {
    if (!satz || !Spieler_Ok(slot) || (seite != 0 && seite != 1)) return 0;
    const int32_t passen = Wert(satz, slot, W_PASSEN);
    int32_t b;
    if (satz->figur[slot].torwart) b = Wert(satz, slot, W_TW_VERTEILUNG) >> 5;
    else if (Rnd(3000, 4000) < 4 * passen) b = (passen >> 5) + Rnd(6, 10);
    else b = (passen >> 5) - 5;
    if (situation == 3) b += 30;
    if (durchgang == 1) b -= 15;
    b += 27;
    if (100 - Rnd(0, 50) <= satz->taktik[seite][6] && Rnd(0, 120) < satz->linienwerte[seite][4]) b += 8;
    if (durchgang == 0 || flanken_bonus) b = std::max(8, b - int32_t(2 * (Zeitfaktor(satz) - 1)));
    b = std::min(b, 57);
    if (satz->figur[FIGUR_BALL].pos[2] > 150) b = std::min(b, 20);
    return b;
}

int32_t Ballfuehrer_Peilung(float dx, float dy) {
    int32_t w = Spielfeld_Winkel(std::fabs(dx), std::fabs(dy));
    int32_t grad = int32_t(float(w) * 90 / 157.075f);
    if (dx < 0) grad += 180;
    if ((dx < 0 && dy < 0) || (dx >= 0 && dy > 0)) grad += 90;
    return grad;
}

int32_t Ballfuehrer_Sektor_Bonus(int32_t anweisung, int32_t grad) {
    static const int32_t sektor[6][2] = {{22, 68}, {67, 113}, {112, 158}, {292, 338}, {247, 293}, {202, 248}};
    if (anweisung == 0) return 0;
    if (anweisung < 7 || anweisung > 12) return anweisung <= 6 ? 0 : -10000;
    // Borders at x.5 degrees: a whole-degree bearing lies strictly inside when
    // it is above the lower and below the upper whole degree given.
    const int32_t* s = sektor[anweisung - 7];
    return grad > s[0] && grad < s[1] ? 10000 : 0;
}

int32_t Ballfuehrer_Schuss_Anim(float v, float hoehe, bool torwart) {
    const bool fest = v >= SCHUSS_FEST_AB;
    if (torwart) return fest ? ANIM_TW_SCHUSS_FEST : ANIM_TW_SCHUSS_PLAZIERT;
    if (hoehe > 60) return ANIM_VOLLEY;
    return fest ? ANIM_SCHUSS_FEST : ANIM_SCHUSS_PLAZIERT;
}

bool Ballfuehrer_Passt(float schuss, float pass, int32_t situation) {
    return schuss < 75 && (situation == 3 || pass > 7000);
}

float Ballfuehrer_Passtempo(float p, int32_t t) {
    if (p < 500) return float(Rnd(15, 25)) * KMH;
    float kmh = float(Rnd(60, 80)) + p / 300;
    if (p < 3301 && t < 50) kmh = kmh * float(125 - t / 2) / 100;
    return kmh * KMH;
}

float Ballfuehrer_Direktschuss(float v, float e, float g, int32_t ruhe, float* vz) {
    // The flight time is doubled from the full speed whichever divisor the
    // calmness draw gives.
    const float t = v > 0 ? 2 * e / v : 0;
    float neu = v / 2;
    if (Rnd(0, 999) >= ruhe) neu = v / (Rnd(0, 1) ? 2.3f : 2.8f);
    if (vz) *vz = neu / std::max(g, 1.0f) * 280 + (981 - neu / 10) * t;
    return neu;
}

int32_t Ballfuehrer_Gegner_Hinter(const Spielfeld_Satz* satz, float x0, float y0, float x1, float y1,
                                  int32_t seite) {
    if (!satz || (seite != 0 && seite != 1)) return 0;
    const float dx = x1 - x0, dy = y1 - y0, n2 = dx * dx + dy * dy;
    if (!(n2 > 0)) return 0;
    int32_t n = 0;
    for (int32_t s = seite * SF_SPIELER_SEITE; s < (seite + 1) * SF_SPIELER_SEITE; ++s) {
        if (satz->spieler[s].zustand != SM_AUF_PLATZ) continue;
        const Figur& g = satz->figur[s];
        const float t = ((g.pos[0] - x0) * dx + (g.pos[1] - y0) * dy) / n2;
        if (t <= 1) continue;
        const float fx = x0 + t * dx, fy = y0 + t * dy;
        if (Hypot_F(fx - x1, fy - y1) < 200 && Hypot_F(g.pos[0] - fx, g.pos[1] - fy) < 200) ++n;
    }
    return n;
}

int32_t Ballfuehrer_Fluegel_Byte(float y, float tor_x) {
    const bool oben = y >= SPIELFELD_MITTE_Y;
    // A side attacking the goal at x = 0 has its flanks the other way round.
    return (oben != (tor_x < SPIELFELD_MITTE_X)) ? 2 : 0;
}

bool Ballfuehrer_Weit(float linie_abstand, int32_t druck) { return druck > 0 && linie_abstand >= 8100; }

bool Ballfuehrer_Ball_Beruhigen(Spielfeld_Satz* satz, int32_t kontrolle) {
    if (!satz) return false;
    Figur& b = satz->figur[FIGUR_BALL];
    if (!(Rnd(0, 999) < kontrolle && b.pos[2] < 30)) return false;
    b.pos[2] = 0;
    b.v[2] = 0;
    Figur_Aktuelle_Anweisung(&b)->vz = 0;
    return true;
}

float Ballfuehrer_Ziel_Y(float y, int32_t breite_taktik, int32_t w, float mitte) {
    if (std::fabs(y - mitte) < 1300 - 6 * float(w)) return mitte;
    if (std::fabs(y - SPIELFELD_MITTE_Y) > 1500 - 6 * float(breite_taktik)) return y;
    return (y + mitte) / 2;
}

bool KI_Ballfuehrer(Spielfeld_Satz* satz, int32_t slot, int32_t seite) {
    if (!satz || !Spieler_Ok(slot) || (seite != 0 && seite != 1)) return false;
    Figur& f = satz->figur[slot];
    Figur& b = satz->figur[FIGUR_BALL];
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    // A. Entry.
    if (a.flags == 2) {
        f.entscheid_intervall = 0.5f;
        a.flags = 0;
        f.entscheiden = 0;
        return false;
    }
    Lage l{satz, slot, seite, &f, &b, float(satz->tor_x[seite]), float(satz->tor_y[seite]), 0, 0, 0, f.situation};
    l.roh_situation = l.situation;
    if (l.situation >= 40 && l.situation <= 42) l.situation = 3;
    l.druck_nah = Spielfeld_Gegner_Suchen(satz, slot, -1, -1, 300) >= 0;
    l.druck_dicht = Spielfeld_Gegner_Suchen(satz, slot, -1, -1, 150) >= 0;
    l.druck = (l.druck_nah ? 1 : 0) + (l.druck_dicht ? 1 : 0);
    satz->spieler[slot].druck = l.druck;
    l.g = Hypot_F(l.gx - f.pos[0], l.gy - f.pos[1]);
    l.m = float(std::clamp(satz->spieler[slot].ausdauer, 0, 10000)) / 10000;
    l.anweisung = Live_Anweisung(satz, seite);
    float d = Hypot_F(f.pos[0] - b.pos[0], f.pos[1] - b.pos[1]);
    const Anim_Satz& z = Anim_Zeile_Oder_Stand(a.anim, "KI_Ballfuehrer");
    float h = z.reichweite_hoehe > 0 ? z.reichweite_hoehe - 5 : 200.0f;
    bool bereit = a.flags != 1;
    if (!bereit) {
        // A ball-contact order: which rows play the ball straight on. The
        // situation they give holds for this decision only: a code left on
        // the figure would keep him out of the wake-ups of open play.
        int32_t sit = f.situation;
        const int32_t letzter = a.letztes >= 0 ? a.letztes : a.letztes_anim;
        const bool am_ende = a.frame >= letzter;
        if (a.anim == ANIM_TW_ABSCHLAG) sit = 41;
        if (a.anim == ANIM_TW_ABWURF) sit = 42;
        switch (a.anim) {
            case ANIM_TW_ABSCHLAG:
            case ANIM_TW_ABWURF:
            case ANIM_EINWURF:
                // The ball leaves the thrower's hands: only the ball he
                // still holds. One that slipped away meanwhile lies where it
                // is; lifted to 2 m it would hang out of everyone's reach.
                if (d < 200 && am_ende && satz->ballhalter == slot) {
                    d = 0;
                    bereit = true;
                    b.pos[2] = 200;
                }
                break;
            case ANIM_TW_FAUST_OBEN:
            case ANIM_TW_FUSS:
            case ANIM_TW_FAUST_VORNE: bereit = true; break;
            case ANIM_KOPFBALL:
                bereit = true;
                l.erstmals = b.pos[2] > 200;
                break;
            case ANIM_FLUGKOPFBALL:
            case ANIM_FALLRUECKZIEHER:
                bereit = l.erstmals = true;
                sit = 1;
                h += 30;
                break;
            case ANIM_VOLLEY:
                bereit = l.erstmals = true;
                sit = 1;
                h = 140;
                break;
            case ANIM_TW_SCHUSS_FEST:
            case ANIM_SCHUSS_FEST:
            case ANIM_TW_SCHUSS_PLAZIERT:
            case ANIM_SCHUSS_PLAZIERT:
                if (!am_ende) return false;
                bereit = l.erstmals = true;
                sit = 1;
                break;
            default: break;
        }
        l.roh_situation = sit;
        l.situation = sit >= 40 && sit <= 42 ? 3 : sit;
    }
    const bool offen = satz->spielzustand == SZ_SPIEL &&
                       (satz->standard_marker[2] == 0 || satz->standard_marker[2] == 3);
    if (!offen) d = std::max(d, l.situation == 1 ? 86.0f : 46.0f);
    const float grenze = l.situation == 1 ? 85.0f : 45.0f;
    if (d > grenze || b.pos[2] > h || Figur_Ballsperre(f) != 0 || !bereit || satz->ballhalter != slot)
        return Jagen(l, d, bereit);
    // A keeper with the ball in his hands plays it only at the end of his
    // punt or throw; the keeper AI holds it until then.
    if (f.torwart && l.roh_situation != 41 && l.roh_situation != 42) return false;
    // The counter flag serves the first decision on a ball just won.
    l.konter = satz->konter != 0;
    satz->konter = 0;
    l.weit = Ballfuehrer_Weit(std::fabs(l.gx - f.pos[0]), l.druck);
    // C, D.
    Spielzug_Nehmen(l);
    satz->empfaenger = -1;
    const float s = Schusswert(l);
    if (s >= 75) {
        Schiessen(l);
        return false;
    }
    // E.
    const Wahl w = Pass_Waehlen(l);
    if (w.empfaenger >= 0 && Ballfuehrer_Passt(s, w.wert, l.situation)) {
        Passen(l, w.empfaenger);
        return false;
    }
    if (w.raum && Ballfuehrer_Passt(s, w.wert, l.situation)) {
        Pass_In_Den_Raum(l, w.x, w.y);
        return false;
    }
    // G. Evading.
    if (l.druck > 0 && Zeitfaktor(satz) != 1.0f && Rnd(0, 1) == 0) {
        Debug_Ausgabe(1, "AUSWEICH!!!\n");
        float zx = l.gx;
        if (Rnd(0, 1) == 0 && satz->spieler[slot].druck > 0) zx = float(satz->tor_x[1 - seite]);
        const float zy = f.pos[1] > SPIELFELD_MITTE_Y ? float(SPIELFELD_BREITE - 500 - Rnd(200, 2000))
                                                    : float(500 + Rnd(200, 2000));
        Figur_Ballsperre_Setzen(&f, 150);
        f.entscheiden = 0;
        SetZSA(satz, slot, int32_t(zx), int32_t(zy), 0, int32_t(Spieler_Lauftempo(satz, slot)), ANIM_LAUF_NACH_TEMPO,
               0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
        return false;
    }
    // H.
    Dribbeln(l, d);
    return false;
}

}  // namespace velmora
