// match/live/spielfeld_zweikampf.cpp - the duel pass: duels, fouls, advantage,
// the referee's decision and injuries.
//
// Choices made here:
// - Diver, concealer and the injury threshold compare with the player's
//   match strength on the values' scale (Spieler_Matchstaerke).
// - Tactic bytes: T1 is the side's pressing byte (+26344), T2 and T4 its
//   tactic bytes 5 and 3, T3 and T5 its line values 5 and 3.
// - The referee value r is the signed byte +25059.
// - Special ability 32 (keeps a tackled player on his feet) is the player's
//   ability byte +181, the one that also keeps the ball in a contest.
// - A fall is ordered as the fall row with its stand-up row as the follow-up
//   animation of the same order.
// - The pair's holder must be the record's holder (0..33) at the moment the
//   pair is handled; a tackle that wins the ball makes the tackler the holder
//   for the pairs that follow.
#include "match/live/spielfeld_zweikampf.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki_basis.h"

namespace velmora {

namespace {

constexpr int32_t ANIM_AUSKICKEN = 71;
constexpr int32_t ANIM_UEBERSPRINGEN = 81;
constexpr int32_t ANIM_STOLPERN = 82;
constexpr int32_t ANIM_LAUFEN_STOP = 83;
constexpr int32_t ANIM_STEHEN_MUEDE = 84;
constexpr int32_t ANIM_AUFSTEHEN = 68;
constexpr int32_t ANIM_FOUL_HINTEN_AUF = 137;
constexpr int32_t ANIM_FOUL_HINTEN = 138;
constexpr int32_t ANIM_DRIBBLING_2 = 77, ANIM_DRIBBLING_3 = 78, ANIM_DRIBBLING_4 = 79;
constexpr int32_t ANIM_LINIENRICHTER_FAHNE = 85;
constexpr int32_t ANIM_SCHIRI_WEITER = 86;

constexpr size_t FOUL_X = 25044, FOUL_Y = 25048;

bool Spieler_Ok(int32_t s) { return s >= 0 && s < SF_SPIELER; }
int32_t Seite(int32_t s) { return s < SF_SPIELER_SEITE ? 0 : 1; }
int32_t T1(const Spielfeld_Satz* s, int32_t seite) { return s->pressing[seite]; }
int32_t T2(const Spielfeld_Satz* s, int32_t seite) { return s->taktik[seite][5]; }
int32_t T3(const Spielfeld_Satz* s, int32_t seite) { return s->linienwerte[seite][5]; }
int32_t T4(const Spielfeld_Satz* s, int32_t seite) { return s->taktik[seite][3]; }
int32_t T5(const Spielfeld_Satz* s, int32_t seite) { return s->linienwerte[seite][3]; }
int32_t Schiri(const Spielfeld_Satz* s) { return int8_t(s->strenge[1]); }
uint8_t& Schwalben(Spielfeld_Satz* s, int32_t seite) { return s->r31260[seite]; }
int8_t& Countdown(Spielfeld_Satz* s) { return s->w25182[1]; }
float Zeitfaktor(const Spielfeld_Satz* s) {
    return s->zeit_faktor >= 1.0f && s->zeit_faktor < 100.0f ? s->zeit_faktor : 1.0f;
}

Anweisung& Akt(Figur& f) { return *Figur_Aktuelle_Anweisung(&f); }
bool Schwalbenkoenig(const Spieler_Matchsatz& sm) { return sm.werte[33] > Spieler_Matchstaerke(sm); }
bool Verdeckt(const Spieler_Matchsatz& sm) { return sm.werte[32] > Spieler_Matchstaerke(sm); }

void Befehl(Spielfeld_Satz* satz, int32_t fig, float x, float y, float tempo, int32_t anim) {
    SetZSA(satz, fig, int32_t(x), int32_t(y), 0, int32_t(tempo), anim, 0, -1, 0, -1, 1, 1, RING_OHNE_PRUEFUNG, 0, 0);
}
void Auf_Der_Stelle(Spielfeld_Satz* satz, int32_t fig, int32_t anim) {
    const Figur& f = satz->figur[fig];
    Befehl(satz, fig, f.pos[0], f.pos[1], 0, anim);
}

// The ball is knocked on along the ground from where it lies.
void Ball_Weiter(Spielfeld_Satz* satz, const Figur& taeter, float ablenkung) {
    Figur& b = satz->figur[FIGUR_BALL];
    float zx = b.pos[0];
    if (Rnd(0, 2) == 0) zx += taeter.v[0];
    const int32_t tempo = Rnd(900, 1200) + int32_t(Figur_Aktuelle_Anweisung(const_cast<Figur*>(&taeter))->tempo);
    SetZSA(satz, FIGUR_BALL, int32_t(zx), int32_t(b.pos[1]), 0, tempo, ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
    Figur_Bremse_Mal(&b, 0, 1, ablenkung);
}

struct Paar {
    int32_t a, b;
    int32_t h = -1, d = -1;   // holder and challenger
    bool schwalbe = false;
    bool ausgewichen = false;
    bool halter_gewinnt = false;
    int32_t foul_opfer = -1, foul_taeter = -1;
};

// Steps 2-5 of a duel pair.
void Duell(Spielfeld_Satz* satz, Paar& p) {
    Figur& fh = satz->figur[p.h];
    Figur& fd = satz->figur[p.d];
    const Spieler_Matchsatz& hm = satz->spieler[p.h];
    const Spieler_Matchsatz& dm = satz->spieler[p.d];
    const int32_t sh = Seite(p.h), sd = Seite(p.d);
    if (!(satz->ballkontrolle && Akt(fh).flags == 0 && fh.situation == 0)) return;
    int32_t hs = hm.werte[8];
    if (Rnd(0, 100) > T1(satz, sh)) hs += hs / 4;
    if (100 - Rnd(0, 50) <= T2(satz, sh) && Rnd(0, 100) < T3(satz, sh)) hs += hs / 4;
    int32_t g = dm.werte[3];
    if (Rnd(0, 100) > T1(satz, sd)) g += g / 4;
    if (T2(satz, sd) <= Rnd(0, 50) && Rnd(0, 100) < T3(satz, sd)) g += g / 4;
    p.halter_gewinnt = Rnd(0, 999) <= hs / 2 + 500;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float angriff = float(satz->tor_x[sh]);
    auto im_strafraum = [&] {
        (void)k;
        return Zweikampf_Im_Strafraum(fh.pos[0], fh.pos[1], angriff, 200, 400);
    };
    float ystern;
    if (p.halter_gewinnt) {
        const int32_t kk = (500 - g) >> 2;
        if (Figur_Ballsperre(fd) < float(kk + 250)) Figur_Ballsperre_Setzen(&fd, float(kk + 350));
        if (Akt(fd).flags == 0) {
            const float dt = Akt(fd).tempo;
            if (Rnd(0, 10) <= 5) {
                if (dt > 900) {
                    Befehl(satz, p.d, fd.pos[0] + fd.v[0], fd.pos[1] + fd.v[1], Akt(fh).tempo / 3, ANIM_LAUFEN_STOP);
                    Figur_Ballsperre_Setzen(&fd, float(kk / 15 + 5));
                } else if (dt > 600) {
                    Auf_Der_Stelle(satz, p.d, ANIM_STEHEN_MUEDE);
                }
            } else if (dt > 600) {
                Befehl(satz, p.d, fd.pos[0] + fd.v[0], fd.pos[1] + fd.v[1], Akt(fh).tempo / 3, ANIM_STOLPERN);
            }
        }
        if (Schwalbenkoenig(hm) && im_strafraum()) p.schwalbe = true;
        const int32_t r = Rnd(5, 12) * 100;
        ystern = fd.v[1] < 0 ? fd.pos[1] + float(r) : fd.pos[1] - float(r);
    } else {
        if (Schwalbenkoenig(hm)) Debug_Printf("SCHWALBENKOENIG\n");
        if ((Rnd(0, 99) < T4(satz, sh) || Schwalbenkoenig(hm)) && im_strafraum()) p.schwalbe = true;
        ystern = fd.pos[1] + float((Rnd(0, 20) - 10) * 10);
    }
    if (p.schwalbe || !satz->ballkontrolle) return;
    const float zx = fh.pos[0] + fh.v[0] / 2;
    const bool nach_links = fh.v[0] < 0;
    const bool hinter = nach_links ? fd.pos[0] > fh.pos[0] + 30 : fd.pos[0] < fh.pos[0] - 30;
    const float ht = Akt(fh).tempo;
    if (hinter && hm.druck >= 3) {
        Befehl(satz, p.h, zx, ystern, std::max(ht / 2, 450.0f), ANIM_DRIBBLING);
        p.ausgewichen = true;
    } else if (Rnd(0, 10) > 5) {
        p.ausgewichen = true;
        const float sperre = Figur_Ballsperre(fh);
        if (sperre == 0 && Rnd(0, 10) > 5) {
            Befehl(satz, p.h, zx, ystern, 0, Rnd(0, 10) <= 5 ? ANIM_DRIBBLING_4 : ANIM_DRIBBLING_3);
        } else {
            const float v = sperre == 0 ? std::max(ht / 2, 450.0f) : std::max(ht / 1.5f, 650.0f);
            Befehl(satz, p.h, zx, ystern, v, Rnd(0, 10) <= 5 ? ANIM_DRIBBLING_1 : ANIM_DRIBBLING_2);
        }
    }
    Figur& b = satz->figur[FIGUR_BALL];
    if (satz->spielzustand == SZ_SPIEL && satz->ballhalter == p.h && b.pos[2] < 200 && Figur_Ballsperre(fh) == 0 &&
        Naeher_Als(fh.pos[0] - b.pos[0], fh.pos[1] - b.pos[1], 100)) {
        const int32_t n = fh.dreh_geplant == 0 ? 0 : fh.dreh_geplant - fh.dreh_gemacht;
        const float tempo = Akt(fh).tempo + 19.44f;
        if (n != 0) {
            b.pos[0] = fh.pos[0] + (fh.v[0] + float(n) / 2 * fh.dv[0]) / 11;
            b.pos[1] = fh.pos[1] + (fh.v[1] + float(n) / 2 * fh.dv[1]) / 11;
            SetZSA(satz, FIGUR_BALL, int32_t(fh.pos[0] + fh.v[0] + float(n) * fh.dv[0]),
                   int32_t(fh.pos[1] + fh.v[1] + float(n) * fh.dv[1]), 0, int32_t(tempo), ANIM_BALL_BODEN, 0, 0, 0, -1,
                   1, -1, RING_OHNE_PRUEFUNG, 0, 0);
        } else {
            b.pos[0] = fh.pos[0] + fh.v[0] / 11;
            b.pos[1] = fh.pos[1] + fh.v[1] / 11;
            SetZSA(satz, FIGUR_BALL, int32_t(zx), int32_t(ystern), 0, int32_t(tempo), ANIM_BALL_BODEN, 0, 0, 0, -1, 1,
                   -1, RING_OHNE_PRUEFUNG, 0, 0);
        }
    }
}

// Step 6: X tackles Y. True when a foul followed.
bool Tackling(Spielfeld_Satz* satz, Paar& p, int32_t x, int32_t y, bool zweiter) {
    Figur& fx = satz->figur[x];
    Figur& fy = satz->figur[y];
    const int32_t anim = Akt(fx).anim;
    const bool versucht =
        (y == p.h && p.schwalbe) || ((anim == ANIM_AUSKICKEN || anim == ANIM_GRAETSCHEN) && Rnd(0, 10) > 1 &&
                                     (satz->ballkontrolle || Rnd(0, 1) == 0));
    if (!versucht || fy.situation != 0 || Akt(fy).flags == 1) return false;
    Figur& b = satz->figur[FIGUR_BALL];
    if (!p.ausgewichen && Rnd(0, 10) > (zweiter ? 8 : 7)) {
        if (zweiter) Debug_Printf("HARMLOS\n");
        if (Naeher_Als(fx.pos[0] - b.pos[0], fx.pos[1] - b.pos[1], 100) && b.pos[2] < 200) {
            if (anim == ANIM_GRAETSCHEN && Akt(fy).flags == 0)
                Befehl(satz, y, fy.pos[0] + fy.v[0], fy.pos[1] + fy.v[1], std::max(Akt(fy).tempo * 1.3f, 600.0f),
                       ANIM_UEBERSPRINGEN);
            Ball_Weiter(satz, fx, 100);
            Ballbesitz_Setzen(satz, x);
            satz->halter_beruehrungen = 0;
            satz->ballkontrolle = 0;
            Figur_Ballsperre_Setzen(&fy, 500);
            if (Akt(fy).wiederholung == -1) {
                Akt(fy).wiederholung = 2;
                Akt(fy).flags = 1;
            }
            if (Rnd(0, 2) != 0) satz->letzte_beruehrung = int8_t(1 - satz->letzte_beruehrung);
        }
        return false;
    }
    // Special ability 32 keeps him on his feet.
    if (satz->spieler[y].talent_flag[TALENT_FLAG(181)]) return false;
    if (Rnd(0, 1) == 0) {
        Befehl(satz, y, fy.pos[0] + fy.v[0], fy.pos[1] + fy.v[1], Akt(fy).tempo / 2, ANIM_HINFALLEN);
        Akt(fy).folge = ANIM_AUFSTEHEN;
    } else {
        Auf_Der_Stelle(satz, y, ANIM_FOUL_HINTEN);
        Akt(fy).folge = ANIM_FOUL_HINTEN_AUF;
    }
    Figur_Ballsperre_Setzen(&fx, 0);
    p.foul_taeter = x;
    p.foul_opfer = y;
    return true;
}

// Step 7: pushing apart.
void Auseinander(Spielfeld_Satz* satz, int32_t a, int32_t b) {
    Figur& fa = satz->figur[a];
    Figur& fb = satz->figur[b];
    const bool quer = std::fabs(fa.v[0]) >= std::fabs(fa.v[1]);   // moving along x: separate across y
    const int32_t achse = quer ? 1 : 0, andere = 1 - achse;
    Figur& u = fa.pos[achse] >= fb.pos[achse] ? fa : fb;
    Figur& l = &u == &fa ? fb : fa;
    const float d = u.pos[achse] - l.pos[achse];
    auto aendern = [](float& v, float delta) {
        const float n = v + delta;
        if (v < 0 && n >= 0) v = -0.1f;
        else if (v > 0 && n <= 0) v = 0.1f;
        else v = n;
    };
    if (d < 60) {
        const float pp = (60 - d) * 0.6f, q = (60 - d) * 6;
        if (u.situation == 0) {
            u.pos[achse] += pp;
            u.pos[andere] -= pp;
            aendern(u.v[achse], q);
            aendern(u.v[andere], -q);
        }
        if (l.situation == 0) {
            l.pos[achse] -= pp;
            if (quer) aendern(l.v[1], -q);
            else aendern(l.v[0], -30);
        }
    }
    for (int32_t s : {a, b}) {
        Figur& f = satz->figur[s];
        if (f.situation != 0 || Akt(f).flags != 0) continue;
        // Outside open play a player who bumps into another stops where he
        // is, unless he is on his way to a place more than a metre off: he
        // keeps his run and the push steps him past. Stopped, he ran into the
        // same man again once he decided anew (500 ms on), and a man standing
        // on his way at a restart (the kick-off's receiver at his spot, say)
        // held him there, and the kick-off that waited for him, for good.
        Anweisung& o = Akt(f);
        const bool unterwegs = o.tempo > 0 && Hypot_F(o.ziel[0] - f.pos[0], o.ziel[1] - f.pos[1]) > 100;
        if (satz->spielzustand != SZ_SPIEL && !unterwegs) {
            o.tempo = 0;
            o.anim = 0;
            o.frame = 0;
            // The stopped order plays the stand row: its frame range becomes
            // that row's, not the last frame of the row it replaces.
            o.erstes = 0;
            o.letztes = o.letztes_anim = int8_t(Anim_Zeile(0) ? Anim_Zeile(0)->letzter_frame : 0);
            f.entscheid_timer = 500;
            Figur_Standvariante_Waehlen(&f, -1);
        }
        Figur_Geschwindigkeit_Setzen(&f, Akt(f).tempo);
    }
}

// Steps 8 and 9: advantage and the referee.
void Foul_Entscheiden(Spielfeld_Satz* satz, Paar& p) {
    Figur& b = satz->figur[FIGUR_BALL];
    const float t = Zeitfaktor(satz);
    const int32_t h = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;
    const bool am_fuss = satz->spielzustand == SZ_SPIEL && satz->ballkontrolle && h == p.h && b.pos[2] < 200;
    bool vorteil = false;
    if (am_fuss && Rnd(1, std::max(1, int32_t(t))) != 1) vorteil = true;
    const Figur& fa = satz->figur[p.a];
    const float angriff_opfer = float(satz->tor_x[Seite(p.foul_opfer)]);
    if (!vorteil && am_fuss && t > 1.0f && Zweikampf_Im_Strafraum(fa.pos[0], fa.pos[1], angriff_opfer, 0, 0) &&
        Rnd(1, std::max(1, int32_t(t / 2))) > 1)
        vorteil = true;
    if (vorteil) {
        const Figur& taeter = satz->figur[p.foul_taeter];
        if (p.foul_opfer == p.a) {
            Ball_Weiter(satz, taeter, 15);
        } else {
            Ball_Weiter(satz, taeter, float(Rnd(0, 20) + 10));
        }
        if (Rnd(0, 2) != 0) satz->letzte_beruehrung = int8_t(1 - satz->letzte_beruehrung);
    }
    const int32_t r = Schiri(satz);
    const bool taucher = Spieler_Ok(p.h) && Schwalbenkoenig(satz->spieler[p.h]);
    const int32_t o = p.foul_taeter;
    const bool verdeckt = Verdeckt(satz->spieler[o]);
    if (satz->anzeige_modus == 1) Debug_Printf("FOUL: %d  %d  %d  %d\n", r, taucher, verdeckt, vorteil);
    if (satz->foul_countdown != 0 || satz->spielzustand != SZ_SPIEL || vorteil) return;
    if (!Zweikampf_Foul_Gesehen(satz, o, taucher)) {
        if (satz->anzeige_modus == 1) Debug_Printf("FOUL SCHIRI SIEHT ES NICHT\n");
        Auf_Der_Stelle(satz, FIGUR_SCHIRI, ANIM_SCHIRI_WEITER);
        return;
    }
    if (satz->anzeige_modus == 1) Debug_Printf("FOUL SCHIRI SIEHT ES\n");
    for (int32_t l : {FIGUR_LINIENRICHTER_1, FIGUR_LINIENRICHTER_2}) {
        const Figur& fl = satz->figur[l];
        if (Naeher_Als(fl.pos[0] - fa.pos[0], fl.pos[1] - fa.pos[1], 2000)) Auf_Der_Stelle(satz, l, ANIM_LINIENRICHTER_FAHNE);
    }
    satz->foul_countdown = 10;
    std::memcpy(reinterpret_cast<uint8_t*>(satz) + FOUL_X, &fa.pos[0], 4);
    std::memcpy(reinterpret_cast<uint8_t*>(satz) + FOUL_Y, &fa.pos[1], 4);
    int32_t opfer = p.foul_opfer;
    satz->freistoss_seite = int8_t(Seite(opfer));
    satz->situation_figur[0] = int8_t(o);
    satz->situation_figur[1] = int8_t(opfer);
    satz->foul_schwere = p.schwalbe ? 1 : 0;
    Figur& fo = satz->figur[opfer];
    if (!p.schwalbe && Akt(fo).anim != ANIM_HINFALLEN && Akt(fo).anim != ANIM_FOUL_HINTEN) Akt(fo).flags = 0;
    if (!taucher) {
        const int32_t vergeben = satz->freistoss_seite;
        if (p.schwalbe || Rnd(4, 8) < Schwalben(satz, vergeben)) {
            if (p.schwalbe && Rnd(0, 140) > T5(satz, Seite(p.h))) ++Schwalben(satz, vergeben);
            if (Rnd(1, 5) < Schwalben(satz, vergeben) || Rnd(5, 6) <= r) {
                satz->situation_figur[0] = int8_t(opfer);
                satz->situation_figur[1] = -1;
                satz->freistoss_seite = int8_t(1 - vergeben);
                opfer = -1;
            }
        }
    }
    ++satz->fouls;
    if (opfer < 0) return;
    int32_t tw = 0;
    if (Zweikampf_Verletzt(satz, opfer, p.schwalbe, &tw)) {
        if (satz->anzeige_modus == 1) Debug_Printf("VERLETZT?   JA  %d\n", tw);
        satz->spielzustand = SZ_VERLETZUNG;
        satz->foul_countdown = 2;
        b.v[0] /= 20;
        b.v[1] /= 20;
        satz->ballhalter = -1;
        satz->halter_beruehrungen = 0;
        satz->figur[opfer].situation = 44;
        satz->spieler[opfer].zustand |= 64;
    } else if (satz->anzeige_modus == 1) {
        Debug_Printf("VERLETZT?  NEIN %d\n", tw);
    }
}

// Step 10: a collision without a holder.
void Zusammenstoss(Spielfeld_Satz* satz, int32_t a, int32_t b) {
    Figur& fa = satz->figur[a];
    Figur& fb = satz->figur[b];
    const bool beide = (fa.v[0] != 0 && fb.v[0] != 0) || (fa.v[1] != 0 && fb.v[1] != 0);
    if (!beide || Seite(a) == Seite(b) || Akt(fa).flags == 1 || Akt(fb).flags == 1) return;
    const int32_t s = Rnd(0, 1) != 0 ? a : b;
    Figur& f = satz->figur[s];
    if (f.situation != 0) return;
    f.v[0] = f.v[1] = f.v[2] = 0;
    f.entscheid_timer = float((satz->spieler[s].werte[3] + 200) / 16);
    Anweisung& o = Akt(f);
    o.dauer = 0;
    o.letztes = 0;
    o.tempo = 0;
    o.anim = 0;
    o.frame = 0;
    o.flags = 0;
    f.dreh_geplant = 0;
}

}  // namespace

bool Zweikampf_Im_Strafraum(float x, float y, float torlinie, float breiter, float tiefer) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float unten = float(k.strafraum_unten[0]) - breiter, oben = float(k.strafraum_oben[0]) + breiter;
    const float tiefe = float(k.strafraum_x[0]) + tiefer;
    return y >= unten && y <= oben && std::fabs(x - torlinie) <= tiefe;
}

bool Zweikampf_Foul_Gesehen(const Spielfeld_Satz* satz, int32_t taeter, bool taucher) {
    if (!satz || !Spieler_Ok(taeter)) return false;
    const Spieler_Matchsatz& sm = satz->spieler[taeter];
    const int32_t r = Schiri(satz);
    const int32_t zug = r + 2 < 0 ? 0 : Rnd(0, r + 2);
    return (zug < 2 * int8_t(sm.talent_flag[TALENT_FLAG(188)]) + 3 || taucher) && !Verdeckt(sm);
}

bool Zweikampf_Verletzt(const Spielfeld_Satz* satz, int32_t opfer, bool schwalbe, int32_t* t_aus) {
    if (!satz || !Spieler_Ok(opfer)) return false;
    const Spieler_Matchsatz& sm = satz->spieler[opfer];
    const int32_t rob = sm.werte[16];
    int32_t t = 2 * rob + 1000;
    const int32_t staerke = Spieler_Matchstaerke(sm);
    if (staerke < rob) t = 2 * rob + 2000;
    else if (staerke > rob) t = 2 * rob;
    if (t_aus) *t_aus = t;
    if (satz->figur[opfer].torwart) return false;
    if (sm.talent_flag[TALENT_FLAG(187)]) return true;
    return !schwalbe && Rnd(0, 2) == 0 && Rnd(0, 3000) > t;
}

void Spielfeld_Zweikampf_Paare(Spielfeld_Satz* satz, const Ballkontakt_Liste& liste) {
    // The listed players' places side by side: nearly every pair stands too
    // far apart to meet. A pair that meets may move anybody (its duel, the
    // step apart, a foul's restart), so the places are read again after it.
    const int32_t n = std::clamp(liste.anzahl, 0, int32_t(SF_SPIELER));
    float x[SF_SPIELER], y[SF_SPIELER];
    const auto lesen = [&] {
        for (int32_t k = 0; k < n; ++k) {
            x[k] = satz->figur[liste.slot[k]].pos[0];
            y[k] = satz->figur[liste.slot[k]].pos[1];
        }
    };
    lesen();
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = i + 1; j < n; ++j) {
            if (!(std::fabs(x[i] - x[j]) < 50 && std::fabs(y[i] - y[j]) < 50)) continue;
            Paar p;
            p.a = liste.slot[i];
            p.b = liste.slot[j];
            const int32_t h = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : -1;
            const bool duell = Seite(p.a) != Seite(p.b);
            if (duell && (h == p.a || h == p.b)) {
                p.h = h;
                p.d = h == p.a ? p.b : p.a;
                Duell(satz, p);
                if (!Tackling(satz, p, p.a, p.b, false)) Tackling(satz, p, p.b, p.a, true);
                for (int32_t s : {p.a, p.b}) {
                    Figur& f = satz->figur[s];
                    const int32_t anders = s == p.a ? p.b : p.a;
                    if (Akt(f).anim == ANIM_GRAETSCHEN && p.foul_taeter != s && Akt(satz->figur[anders]).flags == 0) {
                        Figur& fo = satz->figur[anders];
                        Befehl(satz, anders, fo.pos[0] + fo.v[0], fo.pos[1] + fo.v[1], Akt(fo).tempo * 0.8f,
                               ANIM_UEBERSPRINGEN);
                    }
                }
            }
            Auseinander(satz, p.a, p.b);
            if (p.foul_opfer >= 0) Foul_Entscheiden(satz, p);
            if (h != p.a && h != p.b) Zusammenstoss(satz, p.a, p.b);
            lesen();
        }
    }
}

void Spielfeld_Zweikampf(Spielfeld_Satz* satz) {
    if (!satz) return;
    Ballkontakt_Liste liste;
    Spielfeld_Ballkontakt(satz, &liste);
    if (--Countdown(satz) > 0) return;
    Countdown(satz) = 3;
    Spielfeld_Zweikampf_Paare(satz, liste);
}

}  // namespace velmora
