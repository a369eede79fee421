// match/live/ki_ballfuehrer_pass.cpp - the ball holder's pass: the choice over
// his team-mates (the keep score of each sweep, every team-mate's pass
// score, the ball into space, a rehearsed move), then the pass itself
// (speed, lead and accuracy) and the ball into space.
#include <algorithm>
#include <cmath>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ki_ballfuehrer.h"
#include "match/live/ki_ballfuehrer_lage.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_ki.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/live/spielfeld_tick.h"

namespace velmora::ballfuehrer {

namespace {

int32_t Seite_Von(int32_t slot) { return slot < SF_SPIELER_SEITE ? 0 : 1; }

// A keeper's save row still playing: the ball is played straight on.
bool Torwart_Parade(const Figur& f) {
    const int32_t anim = f.ring[f.aktuell & 3].anim;
    return f.torwart && (anim == ANIM_TW_FAUST_OBEN || anim == ANIM_TW_FUSS || anim == ANIM_TW_FAUST_VORNE);
}

// The team-mates within `band` rows of 100 cm (in x) from the player, from
// the farthest row down to row 0, in slot order within a row (kept in place:
// the pass choice asks for them several times a frame).
struct Empfaenger {
    int32_t slot[SF_SPIELER_SEITE];
    int32_t n = 0;
    const int32_t* begin() const { return slot; }
    const int32_t* end() const { return slot + n; }
};
Empfaenger Empfaenger_Liste(const Lage& l, int32_t band) {
    const Spielfeld_Satz* satz = l.satz;
    Empfaenger e;
    int32_t zeilen[SF_SPIELER_SEITE];
    const int32_t erster = l.seite * SF_SPIELER_SEITE;
    for (int32_t r = erster; r < erster + SF_SPIELER_SEITE; ++r) {
        if (r == l.slot || !(satz->spieler[r].zustand & SM_AUF_PLATZ)) continue;
        const Figur& fr = satz->figur[r];
        if (fr.pos[1] < 0 || !fr.gezeichnet) continue;
        const int32_t zeile = int32_t(std::fabs(fr.pos[0] - l.f->pos[0]) / 100);
        if (zeile > band) continue;
        // Behind every team-mate of the same or a farther row.
        int32_t k = e.n++;
        for (; k > 0 && zeilen[k - 1] < zeile; --k) {
            zeilen[k] = zeilen[k - 1];
            e.slot[k] = e.slot[k - 1];
        }
        zeilen[k] = zeile;
        e.slot[k] = r;
    }
    return e;
}

// What the pass choice reads of the holder once.
struct Pass_Blick {
    bool torwart;
    int32_t simpel, rolle;
    bool markiert;
    float richtung;   // +1 when he attacks towards x = 10800
    float gewinn_x;   // how far he stands in the other half
    float nah_x;      // his distance from the attacked goal line
    bool flanken_bonus;
    int32_t roh;      // the situation, 40-42 before they count as 3
    bool parade;      // a keeper's save row still playing
};

Pass_Blick Pass_Blick_Von(const Lage& l) {
    const Spieler_Matchsatz& sm = l.satz->spieler[l.slot];
    const Figur& f = *l.f;
    Pass_Blick u;
    u.torwart = f.torwart != 0;
    u.simpel = sm.rolle[ROLLE(149)];
    u.rolle = sm.rolle[ROLLE(141)];
    u.markiert = sm.druck > 0;
    u.richtung = l.gx > SPIELFELD_MITTE_X ? 1.0f : -1.0f;
    const float eigene_halbe = SPIELFELD_MITTE_X;
    u.gewinn_x = (f.pos[0] - eigene_halbe) * u.richtung;
    u.nah_x = std::fabs(l.gx - f.pos[0]);
    u.flanken_bonus = u.nah_x < 1600 && std::fabs(f.pos[1] - SPIELFELD_MITTE_Y) > 800;
    u.roh = l.roh_situation;
    u.parade = Torwart_Parade(f);
    return u;
}

// The keep score of a sweep: what keeping the ball is worth against a pass.
float Halte_Wert(const Lage& l, const Pass_Blick& u, int32_t durchgang) {
    const float halten = durchgang == 0 ? 2.0f * float(Wert(l.satz, l.slot, W_HALTEN)) + 7000 : 2000.0f;
    float kw = 24000 + 4000 + halten * float(u.markiert) - 3000.0f * float(l.druck == 0) +
               10000.0f * float(u.torwart) - 12000.0f * float(u.simpel);
    if (l.g > 3000 && u.rolle != 4 && u.gewinn_x > 2500 - 500 * float(u.rolle)) kw += float(4 - u.rolle) * u.gewinn_x;
    if (l.m < 0.3f) kw += (0.5f - l.m) * 30000;
    return kw;
}

// The pass score of team-mate r in a sweep from the keep score kw; false
// when the sweep does not rate him. `kreuz` tells a cross.
bool Pass_Wert(const Lage& l, const Pass_Blick& u, int32_t durchgang, float kw, int32_t r, float* wert, bool* kreuz) {
    Spielfeld_Satz* satz = l.satz;
    const Spieler_Matchsatz& sm = satz->spieler[l.slot];
    const Figur& f = *l.f;
    const bool torwart = u.torwart, markiert = u.markiert, parade = u.parade;
    const int32_t simpel = u.simpel, roh = u.roh;
    const float richtung = u.richtung, nah_x = u.nah_x;
    const Figur& fr = satz->figur[r];
    const float p = Hypot_F(fr.pos[0] - f.pos[0], fr.pos[1] - f.pos[1]);
    const float gewinn = (fr.pos[0] - f.pos[0]) * richtung;
    // Sweep 0 rates the receivers ahead, sweep 1 those behind; a punt
    // looks only far, a throw only near.
    if ((durchgang == 0) != (gewinn >= 0)) return false;
    if ((roh == 41 && p <= 3000) || (roh == 42 && p >= 2500)) return false;
    const float rg = Hypot_F(l.gx - fr.pos[0], l.gy - fr.pos[1]);
    const int32_t rdruck = satz->spieler[r].druck;
    float pw = kw - 6000 - 8000.0f * float(Wert(satz, l.slot, W_TECHNIK) < Wert(satz, l.slot, W_TEMPO));
    if (gewinn > 3000) {
        if (Taktik(l, 1) <= 32) pw -= 3000;
        else if (Taktik(l, 1) > 66) pw += 3000;
    }
    if (l.anweisung) {
        const int32_t grad = Ballfuehrer_Peilung(fr.pos[0] - f.pos[0], fr.pos[1] - f.pos[1]);
        pw += float(Ballfuehrer_Sektor_Bonus(l.anweisung, grad));
    }
    if (torwart && rdruck > 0 && p < 1500) return false;
    if (p >= 650) {
        if (nah_x > 3000) {
            float t = float(Taktik(l, 0));
            if (gewinn < 0) t /= 2;
            const float lw = 4 * p - 10000;
            pw += ((100 - t) * (-lw) + t * lw) / 100;
        }
        pw += p + gewinn;
    } else {
        pw -= 6000 + (rdruck > 0 ? 6000.0f : 0.0f);
    }
    if (l.g > 10800 - 1632) pw += 10800 - rg;
    bool flanke = false;
    if (nah_x < 1800) {
        pw += 4000 - std::fabs(fr.pos[1] - SPIELFELD_MITTE_Y);
        if (std::fabs(fr.pos[1] - SPIELFELD_MITTE_Y) < 1300 && rg < 2300 && std::fabs(fr.pos[0] - f.pos[0]) > 1200) {
            const bool bonus = nah_x < 1600 && std::fabs(f.pos[1] - SPIELFELD_MITTE_Y) > 800;
            pw += 2000 + (bonus ? float(Rnd(0, 1000)) : 0.0f);
            flanke = true;
        }
    } else if (rdruck > 1) {
        pw -= std::fabs(fr.pos[1] - f.pos[1]);
    }
    if (gewinn <= -100) {
        if (Taktik(l, 7)) pw += 2500;
        else if (flanke) pw += 1000;
        else pw -= 2500 + (gewinn < -700 ? 2000.0f : 0.0f) + (gewinn < -1000 ? 4000.0f : 0.0f);
    } else {
        pw += std::min(gewinn + 1000, 3500.0f);
    }
    if (std::fabs(fr.pos[1] - f.pos[1]) > 3500) pw -= 2000;
    bool fluegel = false;
    const float wy = std::fabs(fr.pos[1] - SPIELFELD_MITTE_Y);
    if (nah_x > 2500 && rdruck == 0) {
        if (gewinn > 2500 || p < 4253) {
            pw += wy - std::fabs(f.pos[1] - SPIELFELD_MITTE_Y) + (float(Taktik(l, 4)) / 20 - 2.5f) * wy;
            fluegel = true;
        } else {
            pw -= 2000;
        }
    }
    pw += 2000 - (1000.0f / (2.0f * float(flanke) + 1)) * float(rdruck) / 2;
    int32_t nahe = 0;
    const float zx = p > 1400 ? fr.pos[0] + fr.v[0] / 2 : fr.pos[0], zy = p > 1400 ? fr.pos[1] + fr.v[1] / 2 : fr.pos[1];
    int32_t q = Spielfeld_Spieler_Im_Passweg(satz, l.slot, zx, zy, 1 - l.seite, nullptr, nullptr, 200, nullptr, &nahe);
    q += 4 * nahe;
    if (flanke) q = 0;
    if (fluegel && q == 0) {
        const int32_t byte = Linie(l, Ballfuehrer_Fluegel_Byte(fr.pos[1], l.gx));
        if (byte > 50) pw += 2 * wy;
        else if (byte < 50) pw -= 2 * wy;
    }
    if (l.g > 6900) {
        const float ww = std::fabs(rg - l.g);
        if (ww < 1500) pw -= std::fabs(fr.pos[1] - f.pos[1]);
        else if (Taktik(l, 5) / 34 == 0) pw -= ww;
        else if (Taktik(l, 5) / 34 == 2) pw += ww;
    }
    if (l.g <= 5400 || (l.druck > 0 && !torwart)) {
        pw -= 1300.0f * float(q);
        if (q > 1) pw -= (100 - float(Taktik(l, 6))) * 8 * float(q) + 800;
    } else {
        if (q == 0 && gewinn > -500) pw += 3000;
        pw -= 2500.0f * float(q);
        if (simpel > 2) pw -= 1500.0f * float(simpel - 2);
    }
    if (l.situation == 3 || parade) pw += 32400;
    if (roh == 40) {
        // A keeper's release prefers the farther team-mates.
        if (p > 4000) pw = 7001;
        else if (p > 3000) pw = 7200;
        else if (p > 2000) pw = 7500;
    }
    if (l.kein_schuss && (markiert || q > 0 || p > 1000)) pw = 0;
    if (sm.talent_flag[TALENT_FLAG(184)] && l.g < 3500 && Rnd(0, 5) != 0) pw = 0;
    *wert = pw;
    *kreuz = flanke;
    return true;
}

// After the sweeps: the far mark's refusal, the ball into space, a
// rehearsed move, a keeper's pass out of his area.
void Pass_Abschliessen(Lage& l, const Pass_Blick& u, Wahl& w) {
    Spielfeld_Satz* satz = l.satz;
    const Figur& f = *l.f;
    const bool torwart = u.torwart, parade = u.parade;
    const int32_t simpel = u.simpel;
    const float richtung = u.richtung, nah_x = u.nah_x;
    // The far mark refuses a pass below the bar (not after a set piece); the
    // ball then goes into space.
    const float bar = 9000 + (simpel > 2 ? 1500.0f : 0.0f) - 40 * float(Taktik(l, 0));
    const bool verweigert = l.weit && l.situation != 3 && w.wert < bar;
    if (verweigert) w = Wahl{};
    // The ball into space: a counter launched by the player who just won the
    // ball, no receiver after a set piece, a keeper's save played on, a
    // keeper under pressure, or a pass the far mark refused.
    const bool konter = Taktik(l, 8) != 0 && l.konter && l.situation == 0 && nah_x > 2700 && nah_x < 8100;
    if (konter || (w.empfaenger < 0 && l.situation == 3) || parade || (torwart && l.druck > 0) || verweigert) {
        const float ry = f.pos[1] < SPIELFELD_MITTE_Y ? -2000.0f : 2000.0f;
        w.empfaenger = -1;
        w.raum = true;
        w.x = f.pos[0] + 5000 * richtung;
        w.y = f.pos[1] + ry + 200 * float(Rnd(0, 5));
        w.wert = 7001;
        l.flanke = false;
    }
    // A rehearsed move: its receiver takes the pass, its target alone keeps the ball.
    if (l.zug_aktiv && l.situation == 0) {
        if (Spieler_Ok(l.zug_empfaenger) && Seite_Von(l.zug_empfaenger) == l.seite && l.zug_empfaenger != l.slot) {
            const Figur& fr = satz->figur[l.zug_empfaenger];
            w = Wahl{};
            w.empfaenger = l.zug_empfaenger;
            w.wert = 20000;
            l.flanke = nah_x < 1800 && Hypot_F(fr.pos[0] - f.pos[0], fr.pos[1] - f.pos[1]) > 2300;
        } else if (l.zug_ziel) {
            w = Wahl{};
        }
    }
    if (torwart && std::fabs(f.pos[0] - float(satz->tor_x[1 - l.seite])) > 1632 && w.empfaenger >= 0) w.wert = 20000;
}

// The opponents standing in the lane just behind receiver r: their foot on
// the line from the player through r lies beyond r, less than the lane's
// half-width of 200 cm from him and from the line.
int32_t Gegner_Hinter(const Lage& l, int32_t r) {
    const Spielfeld_Satz* satz = l.satz;
    const Figur& fr = satz->figur[r];
    return Ballfuehrer_Gegner_Hinter(satz, l.f->pos[0], l.f->pos[1], fr.pos[0], fr.pos[1], 1 - l.seite);
}

// The pass leaves towards (x, y): counted, the instruction consumed, the
// passer runs on at a quarter of his pace.
void Pass_Spielen(Lage& l, int32_t r, float x, float y, float v, float vz) {
    Spielfeld_Satz* satz = l.satz;
    const Figur& f = *l.f;
    Spielfeld_Statistik_Element(satz, l.slot, 1);
    if (l.anweisung) Anweisung_Verbrauchen(satz);
    const bool abschlag = l.roh_situation == 41, abwurf = l.roh_situation == 42;
    // The throw leaves from the shoulder (90 cm) on a flat arc: the flight
    // runs from the ground, so it needs an upward speed that passes 90 cm.
    if (abwurf) l.b->pos[2] = 90;
    Ball_Abspielen(l, x, y, v, abwurf ? std::max(vz, ABWURF_VZ) : vz);
    if (abschlag) {
        // The punt leaves from the keeper's foot, 0.07 of its velocity ahead.
        const float dx = x - f.pos[0], dy = y - f.pos[1], dn = std::max(1.0f, Hypot_F(dx, dy));
        l.b->pos[0] = f.pos[0] + dx / dn * v * 0.07f;
        l.b->pos[1] = f.pos[1] + dy / dn * v * 0.07f;
    }
    if (Spieler_Ok(r)) {
        satz->empfaenger = r;
        satz->passgeber = l.slot;
        satz->pass_unterwegs = 1;
        satz->figur[r].entscheiden = 1;
        // The pass is checked once the ball would have reached its target at
        // its launch speed.
        const float weg = Hypot_F(x - l.b->pos[0], y - l.b->pos[1]);
        const float frames = v > 0 ? weg / v * 1000 / TICK_FRAME_SCHRITT + 1 : 1;
        Satz_Feld_Setzen<uint8_t>(satz, SF_PASS_COUNTDOWN, uint8_t(std::clamp(frames, 1.0f, 255.0f)));
    }
    // The punt and the throw were the keeper's kick: he plays no pass row.
    if (abschlag || abwurf) return;
    Kick_Zeigen(satz, l.slot, f.pos[0] + f.v[0] / 2, f.pos[1] + f.v[1] / 2, Spieler_Lauftempo(satz, l.slot) / 4,
                f.torwart ? ANIM_TW_PASSEN : ANIM_PASSEN_LEICHT);
}

}  // namespace

// A. The pass choice over the team-mates.
Wahl Pass_Waehlen(Lage& l) {
    const Pass_Blick u = Pass_Blick_Von(l);
    Wahl w;
    for (int32_t durchgang = 0; durchgang < 2; ++durchgang) {
        const float kw = Halte_Wert(l, u, durchgang);
        const int32_t band = Ballfuehrer_Passband(l.satz, l.slot, l.seite, durchgang, l.situation, u.flanken_bonus);
        for (const int32_t r : Empfaenger_Liste(l, band)) {
            float pw = 0;
            bool flanke = false;
            if (!Pass_Wert(l, u, durchgang, kw, r, &pw, &flanke)) continue;
            if (pw > w.wert) {
                w.wert = pw;
                w.empfaenger = r;
                l.flanke = flanke;
            }
        }
    }
    Pass_Abschliessen(l, u, w);
    return w;
}

// B. Speed, lead and accuracy of the pass, and the pass itself.
void Passen(Lage& l, int32_t r) {
    Spielfeld_Satz* satz = l.satz;
    const Figur& fr = satz->figur[r];
    const Figur& f = *l.f;
    const float p = Hypot_F(fr.pos[0] - f.pos[0], fr.pos[1] - f.pos[1]);
    const int32_t t = Taktik(l, 0);
    float v = Ballfuehrer_Passtempo(p, t);
    float zx = fr.pos[0], zy = fr.pos[1];
    const int32_t klasse = (p > 1200 ? 1 : 0) + (p > 2800 ? 1 : 0);
    int32_t x = (Linie(l, 6) * (klasse == t / 34 ? 1 : 0)) / 20;
    x += klasse < 2 && Rnd(10, 67) > Taktik(l, 5) && Rnd(0, 100) < satz->anweisungen[l.seite][9] ? 6 : 4;
    if (Rnd(0, x) != 0) {
        const Anweisung& ra = *Figur_Aktuelle_Anweisung(const_cast<Figur*>(&fr));
        double mx = 0, my = 0;
        if (ra.tempo > 0 &&
            Abfangpunkt_Suchen(f.pos[0], f.pos[1], std::min(v, PASS_MAX), fr.pos[0], fr.pos[1], ra.ziel[0], ra.ziel[1],
                               ra.tempo * 0.8, 50, 25, -1, 0, &mx, &my, SPIELFELD_LAENGE, SPIELFELD_BREITE, 0, 0) >= 0) {
            zx = float(mx);
            zy = float(my);
        }
    }
    if (!l.flanke) {
        const int32_t aa = Wert(satz, l.slot, f.torwart ? W_ZWEITE : W_VERTEILUNG) / 2 + 500;
        if (klasse == 2 && Rnd(1, int32_t(Zeitfaktor(satz))) != 1 && Rnd(0, 1200) > aa) {
            zx += float(Rnd(0, 799) - 400);
            zy += float(Rnd(0, 799) - 400);
        }
    } else {
        const int32_t flanke = Wert(satz, l.slot, W_FLANKE);
        const int32_t aa = Wert(satz, l.slot, W_NERVEN) / 4 + 250 + flanke / 2;
        if (Wert(satz, l.slot, W_TECHNIK) >= flanke && Rnd(0, 2) != 0) {
            zx += float((Rnd(0, 79) - 40) * 10);
            zy += float((Rnd(0, 79) - 40) * 10);
        } else if (Rnd(0, 2499) < aa) {
            v *= 1.0f + float(Rnd(10, 30)) / 100;
        }
        if (zx > 1400 && zx < 9400) zx += zx < SPIELFELD_MITTE_X ? -600.0f : 600.0f;
        zy += zy < SPIELFELD_MITTE_Y ? std::min(1000.0f, SPIELFELD_MITTE_Y - zy) : -std::min(1000.0f, zy - SPIELFELD_MITTE_Y);
    }
    zx = std::clamp(zx, 100.0f, 10700.0f);
    zy = std::clamp(zy, 50.0f, float(SPIELFELD_BREITE - 50));
    v = std::min(v, PASS_MAX);
    if (l.situation == 2 || (!l.flanke && Gegner_Hinter(l, r) > 0)) v *= 0.7f;
    const float e = Hypot_F(zx - l.b->pos[0], zy - l.b->pos[1]);
    const float vz = l.flanke || p >= 3301 ? Loft(l.b->pos[2], v, e, 250) : 0.0f;
    // How the pass arrives (read by the contact pass): decided before the
    // ball leaves, written after the holder is cleared.
    int8_t ankunft = 0;
    if (!l.flanke) {
        const float gewinn = (fr.pos[0] - f.pos[0]) * (l.gx > SPIELFELD_MITTE_X ? 1.0f : -1.0f);
        if (l.g <= 5400 || gewinn < -500) {
            if (l.situation != 2 && Rnd(0, 1200) < Wert(satz, l.slot, W_ZWEITE)) ankunft = 1;
        } else if (Wert(satz, l.slot, W_TECHNIK) < Wert(satz, l.slot, W_ANNAHME)) {
            ankunft = 1;
        }
    }
    Pass_Spielen(l, r, zx, zy, v, vz);
    satz->halter_beruehrungen = ankunft;
}

// A ball into space towards (x, y), kept on the pitch.
void Pass_In_Den_Raum(Lage& l, float x, float y) {
    int32_t ix = int32_t(x), iy = int32_t(y);
    Punkt_Ins_Feld(&ix, &iy);
    const float p = Hypot_F(float(ix) - l.f->pos[0], float(iy) - l.f->pos[1]);
    const float v = std::min(Ballfuehrer_Passtempo(p, Taktik(l, 0)), PASS_MAX);
    const float e = Hypot_F(float(ix) - l.b->pos[0], float(iy) - l.b->pos[1]);
    Pass_Spielen(l, -1, float(ix), float(iy), v, p >= 3301 ? Loft(l.b->pos[2], v, e, 250) : 0.0f);
}

}  // namespace velmora::ballfuehrer
