// match/live/ki_abwehr.cpp - the defending side's players without the ball.
//
// ox is the x of the player's own goal line and dir2 points from it into the
// pitch, so ox + dir2 k lies k cm in front of his goal; po and bo are his and
// the ball's distance from that line along x, d his distance to the ball.
#include "match/live/ki_abwehr.h"

#include <algorithm>
#include <cmath>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ki_ohne_ball.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_abfangen.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki.h"

namespace velmora {

namespace {

constexpr int32_t ANIM_AUSKICKEN = 71;
constexpr int32_t ANIM_EINWURF = 74;
constexpr float FLUEGEL = 2268.67f;   // a third of the pitch width from the middle line
constexpr float BALLSUCHE = 6000;
constexpr uint32_t AUF_PLATZ_NUR = SM_AUF_PLATZ;   // state exactly "on the pitch"

struct Lage {
    Spielfeld_Satz* satz;
    int32_t slot, seite;
    Figur* f;
    Spieler_Matchsatz* sm;
    const Figur* b;
    float v, ox, dir2, po, bo, d, e;
    int32_t k, weite, t1, t2;
    bool eilt;
    int32_t t;        // running distance to the meeting point, -1 none
    float px, py, ph; // meeting point and the ball's height there
    float pv;         // the speed that reaches the meeting point in time
};

int32_t S8(uint8_t b) { return int8_t(b); }

int32_t Naechster(const Spielfeld_Satz* satz, int32_t seite) { return seite == 0 ? satz->naechster0 : satz->naechster1; }

// 2. The offside trap: sprung by a defender near his line with the foremost
// attacker beside him; its bounds apply while it runs in open play.
void Abseitsfalle_Stellen(Lage& l) {
    Spielfeld_Satz* satz = l.satz;
    const int32_t q = satz->taktik[l.seite][6];
    if (satz->w25126 || q == 0 || Rnd_Bereich(0, 2) == 0) return;
    const float linie = Ohne_Ball_Abseitslinie(satz);
    if (l.bo < float(1000 * q + 2400) && l.po - linie < 500 && l.bo - l.po > 1000 &&
        std::fabs(satz->vorderster_x - l.f->pos[0]) < 600)
        KI_Abseitsfalle(satz, l.seite);
}

// 4. The tackle on the holder. True when he goes in.
bool Tackling(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    const Spieler_Matchsatz& sm = *l.sm;
    const int32_t a = sm.werte[19] - sm.basis + 114 - 32 * S8(sm.rolle[ROLLE(141)]);
    const int32_t h = satz->ballhalter;
    const bool halter = h >= 0 && h < SF_SPIELER;
    if (l.b->pos[2] >= 50 || l.t >= 0 || !(l.d < float(a / 8 + 350)) || Figur_Aktuelle_Anweisung(l.f)->flags != 0)
        return false;
    if (halter && Figur_Aktuelle_Anweisung(&satz->figur[h])->anim == ANIM_EINWURF) return false;
    const bool ungedeckt = halter && satz->spieler[h].druck == 0;
    const int32_t sicht = S8(sm.talent_flag[TALENT_FLAG(188)]);
    if (!(halter || Naechster(satz, l.seite) != l.slot)) return false;
    if (!((l.bo < 3500 && ungedeckt) ||
          (Rnd(0, std::max(0, 3 - 2 * sicht)) == 0 && Rnd(0, 99) < l.t1 && Rnd(0, 99) < a)))
        return false;
    if (sm.talent_flag[TALENT_FLAG(186)] != 0) return false;
    if (!(l.t1 > 70 || Rnd(0, 100) < l.t1 + l.t1 / 3)) return false;
    Ohne_Ball_Laufen(z, l.b->pos[0] + 0.3f * l.b->v[0], l.b->pos[1] + 0.3f * l.b->v[1], 1.7f * l.v, 100);
    z.anim = (l.d <= 120 || l.b->pos[2] >= 10) ? ANIM_AUSKICKEN : ANIM_GRAETSCHEN;
    z.wiederholung = 1;
    return true;
}

// A ball met higher than 210 cm (or a volley, below -210): a reach row
// (header, diving header) fitted to the moment, run at 130 % of his speed
// towards the meeting point without a turn plan.
void Reichweite_Waehlen(Lage& l, Ohne_Ball_Ziel& z, float zum_punkt, float voll) {
    if (!(std::fabs(l.ph) > 210) || Figur_Aktuelle_Anweisung(l.f)->flags != 0) return;
    const float zeit = zum_punkt / std::max(1.0f, voll);
    const int32_t anim = KI_Spieler_Anim_Waehlen(l.satz, l.f, l.slot, zum_punkt, l.ph, zeit, false, false);
    z.reaktion = 1.0f;
    const Anim_Satz* r = anim >= 0 ? Anim_Zeile(anim) : nullptr;
    if (!r || r->reichweite_seite == 0) return;
    z.anim = anim;
    z.tempo = 1.3f * l.v;
    z.wiederholung = 1;
    l.f->dreh_geplant = -1;
}

// 5. The chase: the side's nearest player (or its interceptor) goes for the ball.
void Jagen(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    const bool erster = Naechster(satz, l.seite) == l.slot || satz->abfaenger[l.seite] == l.slot;
    const bool nah = l.t >= 0 && l.t < 200 && l.d < 300;
    const bool zustaendig =
        erster && satz->wetter_init &&
        (l.d < float(400 + 400 * l.weite - 1200 * l.k) ||
         l.bo < float(3000 * l.k) + l.e + float(500 * (4 - l.weite) + 1000 - 20 * l.t2));
    if (!nah && !zustaendig) return;
    const float voll = Spieler_Sprinttempo(satz, l.slot);
    float x = l.b->pos[0], y = l.b->pos[1];
    if (l.t >= 0) {
        // At full speed the meeting point may lie nearer; a ball coming down
        // late lowers the speed to arrive just in time.
        if (voll != l.v) {
            const Ohne_Ball_Treffen m = Ohne_Ball_Treffpunkt(satz, l.slot, voll, BALLSUCHE);
            if (m.t >= 0) {
                l.t = m.t;
                l.px = m.x;
                l.py = m.y;
                l.ph = m.h;
                l.pv = m.tempo;
            }
        }
        const float zum_punkt = Hypot_F(l.px - l.f->pos[0], l.py - l.f->pos[1]);
        const bool am_rand = l.px <= 100 || l.px >= 10700 || l.py <= 300 || l.py >= 6506;
        const bool zum_treffpunkt = (l.d >= 400 || float(l.t) <= zum_punkt) && !am_rand;
        if (zum_treffpunkt) {
            x = l.px;
            y = l.py;
        }
        satz->abfaenger[l.seite] = l.slot;
        Ohne_Ball_Laufen(z, x, y, zum_treffpunkt && l.pv > 0 ? l.pv : voll, 90);
        z.reaktion = 0.001f;
        Reichweite_Waehlen(l, z, zum_punkt, voll);
        return;
    }
    // Without a meeting point the side's nearest (or one right at the ball)
    // runs to where he can catch the ball's flight, else to where it comes
    // down; the others run at the ball.
    if (Naechster(satz, l.seite) == l.slot || l.d < float(50 * l.weite + 300)) {
        const Anweisung& ba = *Figur_Aktuelle_Anweisung(&satz->figur[FIGUR_BALL]);
        const float zx = satz->ball_ziel[0], zy = satz->ball_ziel[1];
        const bool ziel_im_feld = zx >= 0 && zx <= SPIELFELD_LAENGE && zy >= 0 && zy <= SPIELFELD_BREITE;
        double ox = 0, oy = 0;
        const int32_t r = Abfangpunkt_Suchen(l.f->pos[0], l.f->pos[1], 1.3 * double(l.v), l.b->pos[0], l.b->pos[1], zx,
                                             zy, ba.tempo, 50, 25, -1, 0, &ox, &oy, SPIELFELD_LAENGE,
                                             SPIELFELD_BREITE, 0, 0);
        if (r >= 0) {
            x = float(ox);
            y = float(oy);
        } else if (ziel_im_feld) {
            x = zx;
            y = zy;
        }
    }
    Ohne_Ball_Laufen(z, x, y, voll, 90);
    z.reaktion = 0.001f;
}

// 6. Covering a pass nobody of his side runs for.
void Pass_Abdecken(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    if (l.t < 0 || z.p != 0 || satz->empfaenger < 0 || Ohne_Ball_Empfaenger_Zeit(satz) >= 0 ||
        Ohne_Ball_Laeufer(satz, l.seite) >= 0 || satz->spielzustand != SZ_SPIEL || !satz->wetter_init)
        return;
    Ohne_Ball_Laufen(z, l.px, l.py, l.v, 80);
    Ohne_Ball_Laeufer_Setzen(satz, l.seite, Naechster(satz, l.seite));
}

// 7. Marking: his man, else the least pressed opponent in his zone.
void Decken(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    Spieler_Matchsatz& sm = *l.sm;
    int32_t mann = Ohne_Ball_Slot(sm.deckt);
    const int32_t zugeteilt = Ohne_Ball_Slot(sm.partner);
    if (mann < 0 && zugeteilt >= 0 && zugeteilt != l.slot) {
        mann = zugeteilt;
        sm.deckt = uint8_t(mann);
    }
    int32_t modus = -1;
    if (mann >= 0 && satz->spieler[mann].zustand == AUF_PLATZ_NUR) {
        // A man out on the wing is let go to the zone's cover.
        if (std::fabs(satz->figur[mann].pos[1] - SPIELFELD_MITTE_Y) >= FLUEGEL) mann = -1;
        else modus = 6;
    } else {
        mann = -1;
    }
    if (mann < 0) {
        // The least pressed opponent in the goal-side part of his zone: the
        // search cuts the zone's far end by the threshold's percentage, more
        // for a short defensive range and a high line.
        int32_t beste = -1, px = 0, py = 0;
        const int32_t schwelle = std::clamp(76 - 10 * (4 - l.weite) - l.t2 / 3, 0, 100);
        if (Spielfeld_Deckung_Suchen(satz, l.seite, sm.bereich[0], sm.bereich[2], sm.bereich[1], sm.bereich[3], &beste,
                                     &px, &py, schwelle) > 0 &&
            beste >= 0) {
            mann = beste;
            modus = satz->deckung[l.seite];
        }
    }
    if (mann < 0) return;
    const Figur& m = satz->figur[mann];
    const float mx = m.pos[0] + m.v[0] / 2, my = m.pos[1] + m.v[1] / 2;
    const float tiefe = float(500 * l.weite) + l.e + float(1000 - 20 * l.t2);
    if (!(modus == 6 || std::fabs(mx - l.ox) < tiefe)) return;
    const Anweisung& ma = *Figur_Aktuelle_Anweisung(const_cast<Figur*>(&m));
    // Goal-side of the man, 110 cm nearer to his own goal.
    float ax = mx, ay = my;
    if (mann == satz->empfaenger) {
        ax = ma.ziel[0];
        ay = ma.ziel[1];
    }
    // Where he cuts off the man's run (a man standing still is met where he
    // stands), 110 cm goal-side of it.
    double ox = 0, oy = 0;
    if (Abfangpunkt_Suchen(l.f->pos[0], l.f->pos[1], l.v, mx, my, ma.ziel[0], ma.ziel[1], ma.tempo, 50, 25, -1, 0, &ox,
                           &oy, SPIELFELD_LAENGE, SPIELFELD_BREITE, 0, 0) >= 0)
        Ohne_Ball_Laufen(z, float(ox) - l.dir2 * 110, float(oy), l.v, 70);
    else if (modus >= 0 && modus < 2) Ohne_Ball_Laufen(z, ma.ziel[0], ma.ziel[1], l.v, 70);
    else Ohne_Ball_Laufen(z, ax - l.dir2 * 110, ay, l.v, modus == 6 ? 70 : 65);
    if (!l.eilt && l.bo < l.po - 5000) z.tempo = Spieler_Sprinttempo(satz, l.slot);
}

// 9. Zone discipline: back towards his defensive home position.
void Zone_Halten(Lage& l, Ohne_Ball_Ziel& z) {
    const Spieler_Matchsatz& sm = *l.sm;
    const uint32_t zs = l.satz->spielzustand;
    if (!(z.p < 50 || zs == SZ_ANSTOSS || zs == SZ_ABSTOSS)) return;
    const float hx = float(sm.linie[0]), hy = float(sm.linie[2]);
    if (Ohne_Ball_In_Zone(sm, z.x, z.y) && Hypot_F(z.x - hx, z.y - hy) <= 500) return;
    float tx = std::clamp(hx, 1100.0f, 9700.0f);
    const float bx = l.b->pos[0];
    if (zs == SZ_SPIEL && std::fabs(tx - l.ox) > l.bo && std::fabs(tx - bx) < 2000)
        tx = std::clamp(bx + l.dir2 * 1000, 500.0f, 10300.0f);
    Ohne_Ball_Laufen(z, tx, std::clamp(2 * hy - l.f->pos[1], 0.0f, float(SPIELFELD_BREITE)), float(Rnd(80, 100)) * l.v / 100, 50);
}

// A home x within 5400 cm of his own goal line.
bool Kastennah(const Lage& l, float heim_x) { return std::fabs(heim_x - l.ox) < 5400; }

// At a free kick with a wall the taker waits while an opponent stands within
// 415 cm of the ball along x, wherever across the pitch. The box positions
// (800-1800 cm out) and the men marked there overlap that band whenever the
// kick lies near the box, and a defender drawing a new box point at every
// arrival would hold the kick up for thousands of frames: a defender whose
// run ends, or who stands, in the band leaves it goal-side at his own y.
void Freistoss_Gasse_Raeumen(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    if (satz->freistoss_variante != 1 && satz->freistoss_variante != 2) return;
    const Anweisung& a = *Figur_Aktuelle_Anweisung(l.f);
    const float bx = l.b->pos[0];
    const float zx = z.p != 0 ? z.x : (a.dauer != 0 ? a.ziel[0] : l.f->pos[0]);
    const float zy = z.p != 0 ? z.y : (a.dauer != 0 ? a.ziel[1] : l.f->pos[1]);
    float x = bx - l.dir2 * (ABWEHR_FREISTOSS_GASSE + 50);
    if (x < 0 || x > float(SPIELFELD_LAENGE)) x = bx + l.dir2 * (ABWEHR_FREISTOSS_GASSE + 50);
    // One already clear of the band on the side it sends him to stays there
    // when his target lies in the band or beyond it: sent across, he ran
    // through the band to a point past it, was sent back goal-side from
    // there, and so to and fro (25 m across the pitch in full world seed
    // 2000), and the kick waited for him at every crossing until its bound.
    const float seite = x > bx ? 1.0f : -1.0f;
    const bool schon_dort = (l.f->pos[0] - bx) * seite >= ABWEHR_FREISTOSS_GASSE;
    const bool quer = (zx - bx) * seite < ABWEHR_FREISTOSS_GASSE;
    if (!(std::fabs(zx - bx) < ABWEHR_FREISTOSS_GASSE) && !(schon_dort && quer)) return;
    Ohne_Ball_Laufen(z, schon_dort ? l.f->pos[0] : x, zy, l.v, 101);
}

// 13. The play-state table.
void Spielzustand_Regeln(Lage& l, Ohne_Ball_Ziel& z) {
    Spielfeld_Satz* satz = l.satz;
    switch (satz->spielzustand) {
        case SZ_EINWURF:
            Ohne_Ball_Abstand_Halten(satz, l.slot, l.v, 990, 2000, 1000, true, 101, false, z);
            break;
        case SZ_ABSTOSS:
        case SZ_ELFMETER: Ohne_Ball_Strafraum_Raeumen(satz, l.slot, l.v, z); break;
        case SZ_ECKE: Ohne_Ball_Abstand_Halten(satz, l.slot, l.v, 1790, 5400, 1800, false, 101, false, z); break;
        case SZ_ANSTOSS: Ohne_Ball_Anstoss(satz, l.slot, l.v, z.p == 100, z); break;
        case SZ_ELFMETERSCHIESSEN: Ohne_Ball_Elfmeterschiessen(satz, l.slot, l.v, z); break;
        case SZ_FREISTOSS: {
            const bool kasten = l.po < 5000 && l.bo < 3000;
            if (kasten) {
                Ohne_Ball_Strafraum_Position(l.ox, l.dir2, l.v, z);
                z.p = 101;
            }
            const Anweisung& a = *Figur_Aktuelle_Anweisung(l.f);
            const float bx = l.b->pos[0], by = l.b->pos[1];
            const bool alt_nah = Hypot_F(a.ziel[0] - bx, a.ziel[1] - by) < 915;
            // A defender who stands in his box, clear of the ball's distance
            // and of the taker's band, stays: drawing a new box point at every
            // arrival kept the box running across the ball and the kick waiting.
            const bool steht = l.f->v[0] == 0 && l.f->v[1] == 0 && a.dauer == 0;
            const bool im_kasten = l.po <= std::max(1850.0f, l.bo + ABWEHR_FREISTOSS_GASSE + 100);
            if (kasten && steht && im_kasten && l.d >= 915 && std::fabs(l.f->pos[0] - bx) >= ABWEHR_FREISTOSS_GASSE) {
                z.p = 0;
            } else if (a.dauer == 0 || alt_nah) {
                if (Hypot_F(z.x - bx, z.y - by) < 915 || z.p == 0) Ohne_Ball_Freistoss(satz, l.slot, l.v, 0.8f, z);
            } else {
                z.p = 0;   // already on his way to a point far enough
            }
            Freistoss_Gasse_Raeumen(l, z);
            break;
        }
        case SZ_VERLETZUNG:
            l.v = float(Rnd(5, 8)) * 1000 / 36;
            z.tempo = l.v;
            break;
        default: break;
    }
    if (satz->spielzustand >= SZ_EINWURF && satz->spielzustand <= SZ_FREISTOSS) l.f->jagt_ball = 0;
}

}  // namespace

bool Abwehr_Fallengrenzen_Berechnen(float eigenes_tor_x, float ax, float bx, Abwehr_Fallengrenzen* g) {
    Abwehr_Fallengrenzen r{};
    if (eigenes_tor_x > SPIELFELD_MITTE_X) {
        if (ax < SPIELFELD_MITTE_X) return false;
        r.oben = ax - 100;
        r.unten = 5700;
        if (r.oben < bx + 200) r.unten = std::max(bx + 250, 5700.0f);
    } else {
        if (ax > SPIELFELD_MITTE_X || bx < ax + 150) return false;
        r.oben = 5100;
        r.unten = ax + 100;
        if (r.unten > bx - 200) r.unten = bx - 350;
        r.unten = std::min(r.unten, 5100.0f);
    }
    if (g) *g = r;
    return true;
}

void KI_Abwehr(Spielfeld_Satz* satz, int32_t slot, int32_t seite) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    Figur& f = satz->figur[slot];
    Spieler_Matchsatz& sm = satz->spieler[slot];
    // 0. An order that must not be cut off runs on.
    Anweisung& akt = *Figur_Aktuelle_Anweisung(&f);
    if (akt.flags != 0) {
        akt.wiederholung = 1;
        f.entscheiden = 0;
        return;
    }
    Lage l{};
    l.satz = satz;
    l.slot = slot;
    l.seite = seite & 1;
    l.f = &f;
    l.sm = &sm;
    l.b = &satz->figur[FIGUR_BALL];
    Ohne_Ball_Ziel z{f.pos[0], f.pos[1], 0, false, ANIM_LAUF_NACH_TEMPO, 0, 0, -1};

    // 1. Start.
    f.situation = 0;
    sm.druck = Ohne_Ball_Zaehlen(satz, 1 - l.seite, f.pos[0], f.pos[1], 600, slot);
    l.ox = float(satz->tor_x[1 - l.seite]);
    l.dir2 = float((((1 - l.seite) ^ (satz->seiten_gewechselt ? 1 : 0)) * 2) - 1);
    l.po = std::fabs(f.pos[0] - l.ox);
    l.bo = std::fabs(l.b->pos[0] - l.ox);
    l.d = Hypot_F(f.pos[0] - l.b->pos[0], f.pos[1] - l.b->pos[1]);
    l.e = Spielfeld_Einsatzweite(l.seite);
    l.k = satz->taktik[l.seite][10];
    l.weite = S8(sm.rolle[ROLLE(144)]);
    l.t1 = Ohne_Ball_T1(satz, l.seite);
    l.t2 = Ohne_Ball_T2(satz, l.seite);
    const float schwelle = l.weite < 2 ? 300.0f : 500.0f;
    l.eilt = l.k != 0 || (l.d < float(250 * l.weite + 1000) && akt.tempo > schwelle);
    if (l.eilt) {
        l.v = Spieler_Sprinttempo(satz, slot);
        if (l.k != 0) {
            if (sm.ausdauer > 50) sm.ausdauer -= 50;
            if (sm.frische < 980) ++sm.frische;
        }
    } else {
        l.v = Spieler_Lauftempo(satz, slot);
    }
    if (l.po < float(300 * l.weite + 1900)) z.p = 1;

    // 2. The offside trap.
    Abseitsfalle_Stellen(l);
    Abwehr_Fallengrenzen grenzen{};
    bool falle = false;
    if (satz->w25126 && satz->spielzustand == SZ_SPIEL) {
        falle = Abwehr_Fallengrenzen_Berechnen(l.ox, satz->vorderster_x, l.b->pos[0], &grenzen);
        if (!falle) satz->w25126 = 0;
    }

    // 3. Where he meets the ball.
    if (satz->wetter_init) {
        const Ohne_Ball_Treffen m = Ohne_Ball_Treffpunkt(satz, slot, l.v, BALLSUCHE);
        l.t = m.t;
        l.px = m.x;
        l.py = m.y;
        l.ph = m.h;
        l.pv = m.tempo;
    } else {
        l.t = -1;
    }

    if (!Tackling(l, z)) {
        Jagen(l, z);
        Pass_Abdecken(l, z);
        if (z.p < 80) Decken(l, z);
        // 8. The ball in his zone.
        if (z.p < 70 && l.t >= 0 && Ohne_Ball_In_Zone(sm, l.b->pos[0], l.b->pos[1])) Ohne_Ball_Laufen(z, l.px, l.py, l.v, 60);
        Zone_Halten(l, z);
    }
    const uint32_t zs = satz->spielzustand;
    const bool standard = zs == SZ_FREISTOSS || zs == SZ_ECKE;
    // 10. Box defence at free kicks and corners.
    const int32_t t2_gegner = Ohne_Ball_T2(satz, 1 - l.seite);
    if (standard && l.po < float(7000 - 30 * l.t2 + 20 * t2_gegner) && l.bo < 2500 &&
        Kastennah(l, float(sm.linie[0])))
        Ohne_Ball_Strafraum_Position(l.ox, l.dir2, l.v, z);
    // 11. The trap's bounds.
    if (falle && z.p < 90) {
        z.x = std::min(std::max(z.x, grenzen.unten), grenzen.oben);
        z.tempo = float(Rnd(80, 100)) * l.v / 100;
    }
    // 12. Again the box, for those whose attacking position is near their goal.
    if (standard && l.po < 5000 && l.bo < 3000 && Kastennah(l, float(sm.linie[1])))
        Ohne_Ball_Strafraum_Position(l.ox, l.dir2, l.v, z);
    Spielzustand_Regeln(l, z);
    Ohne_Ball_Befehl(satz, slot, z);
    sm.deckt = 0xFF;
}

}  // namespace velmora
