// match/live/spielfeld_ki.cpp - the decision dispatch, the heat map and the running
// speeds.
#include "match/live/spielfeld_ki.h"

#include <algorithm>
#include <cmath>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ersatzbank.h"
#include "match/live/ki_abwehr.h"
#include "match/live/ki_angriff.h"
#include "match/live/ki_ballfuehrer.h"
#include "match/live/ki_torwart.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_offizielle.h"
#include "match/live/spielfeld_situation.h"

namespace velmora {

namespace {

constexpr float KMH = 27.7778f;   // km/h to cm/s

int32_t Seite(int32_t slot) { return slot < SF_SPIELER_SEITE ? 0 : 1; }
bool Auf_Platz(const Spielfeld_Satz* satz, int32_t slot) { return satz->spieler[slot].zustand & SM_AUF_PLATZ; }

// Runs to (x, y) at `tempo` with the run row for that speed; a figure already
// within 30 cm of the point stays where it is.
void Laufen(Spielfeld_Satz* satz, int32_t figur, float x, float y, float tempo) {
    Figur& f = satz->figur[figur];
    if (Hypot_F(f.pos[0] - x, f.pos[1] - y) < 30) return;
    SetZSA(satz, figur, int32_t(x), int32_t(y), 0, int32_t(tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
}

// A player's decision.
void Spieler_Entscheiden(Spielfeld_Satz* satz, int32_t slot) {
    Figur& f = satz->figur[slot];
    Spieler_Matchsatz& sm = satz->spieler[slot];
    if (!(sm.zustand & SM_AUF_PLATZ) && f.situation == 0) {
        if (sm.zustand == SM_RESERVE) KI_Aufwaermen(satz, slot, 0);
        return;
    }
    if (satz->spielzustand == SZ_ABGANG) {
        KI_Rauslaufen_Spieler(satz, slot);
        return;
    }
    Spielfeld_Heatmap(satz, slot);
    // Outside open play a figure with a situation code follows its script;
    // without one he does not chase the ball.
    if (satz->spielzustand != SZ_SPIEL || f.pos[1] < -0.3f) {
        if (f.situation) {
            KI_Standardsituation(satz, slot, Seite(slot));
            return;
        }
        f.jagt_ball = 0;
    }
    if (f.entscheid_timer != 0) return;
    const bool halter = satz->ballhalter == slot;
    if (!halter && !f.jagt_ball) {
        // The side in possession and the pass receiver attack; everybody else
        // defends. A ball nobody holds is the home side's (the possession
        // query's rule), in open play and at every stoppage: its players go
        // for a loose ball as attackers, the away side's fall back into their
        // shape; this is the live match's home edge. A restart's taker holds
        // the ball until he plays it, the short free kick's taker also while
        // the tapped ball rolls to him.
        const int32_t seite = Seite(slot);
        const int32_t besitz = Spielfeld_Ballbesitz_Seite(satz);
        // The receiver of a pass counts as attacking only in open play: a
        // pass cut off by a whistle leaves its receiver named, and at the
        // other side's free kick he would stand as an attacker in the
        // taker's band, where the defence's rules never move him, and hold
        // the kick up for ever.
        const bool empfaenger = satz->empfaenger == slot && satz->spielzustand == SZ_SPIEL;
        const bool angriff = besitz == seite || empfaenger;
        // A foul is whistled: until the restart nobody goes after the ball.
        const bool pfiff = satz->foul_countdown != 0 && satz->spielzustand == SZ_SPIEL;
        if (f.torwart) KI_Torwart(satz, slot);
        else if (pfiff) return;
        else if (angriff) KI_Angriff_Ohne_Ball(satz, slot, seite);
        else KI_Abwehr(satz, slot, seite);
    } else if (!halter && f.torwart) {
        // The keeper chosen to chase goes for a ball in his penalty area;
        // outside it he keeps his line and leaves the ball to the others.
        const Figur& b = satz->figur[FIGUR_BALL];
        if (!Spielfeld_Ball_Beim_Torwart(satz, slot)) {
            f.jagt_ball = 0;
            KI_Torwart(satz, slot);
        } else if (KI_Ballfuehrer(satz, slot, Seite(slot))) {
            // Handed to the keeper to fetch the ball: until the keeper's own
            // football lands he runs to it as the chasers do.
            f.jagt_ball = 1;
            Laufen(satz, slot, b.pos[0] + b.v[0] / 4, b.pos[1] + b.v[1] / 4, Spieler_Sprinttempo(satz, slot));
        }
    } else if (halter && f.torwart) {
        KI_Torwart(satz, slot);   // the ball is in his hands
    } else if (KI_Ballfuehrer(satz, slot, Seite(slot))) {
        KI_Torwart(satz, slot);
    }
}

}  // namespace

bool Spielfeld_Ball_Beim_Torwart(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return false;
    const Figur& b = satz->figur[FIGUR_BALL];
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    return std::fabs(b.pos[0] - float(satz->tor_x[1 - Seite(slot)])) <= float(k.strafraum_x[0]) &&
           b.pos[1] > float(k.strafraum_unten[0]) && b.pos[1] < float(k.strafraum_oben[0]);
}

void Spielfeld_Heatmap(Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    const Figur& f = satz->figur[slot];
    Spieler_Matchsatz& sm = satz->spieler[slot];
    const int32_t spalte = std::clamp(int32_t(f.pos[0] / 1080), 0, 9);
    const int32_t reihe = std::clamp(int32_t(f.pos[1] / 680), 0, 9);
    if (sm.heat_spalte == spalte && sm.heat_reihe == reihe) return;
    sm.heat_spalte = int8_t(spalte);
    sm.heat_reihe = int8_t(reihe);
    const int32_t zelle = spalte + 10 * reihe, bit = 2 * (zelle % 4);
    uint8_t& b = sm.heatmap[zelle / 4];
    const int32_t wert = (b >> bit) & 3;
    if (wert < 3) b = uint8_t((b & ~(3 << bit)) | ((wert + 1) << bit));
}

float Spieler_Lauftempo(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return 10 * KMH;
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    const float ausdauer = float(std::clamp(sm.ausdauer, 0, 10000));
    const float f = ausdauer < 3000 ? (ausdauer + 2000) / 5000 : (ausdauer + 50000) / 60000;
    const float v = (float(sm.werte[7]) / 100 + 24.88f + float(4 - sm.rolle[ROLLE(141)])) * f;
    return std::max(v, 10.0f) * KMH;
}

float Spieler_Sprinttempo(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return 10 * KMH;
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    const float ausdauer = float(std::clamp(sm.ausdauer, 0, 10000));
    float v = float(sm.werte[7]) / 100 + 24.88f + float(4 - sm.rolle[ROLLE(141)]) - 2;
    if (ausdauer < 3000) v *= (ausdauer + 2000) / 5000;
    if (v < 10) v = 10;
    else if (sm.countdown != 0) v += sm.countdown < 0 ? 3 : 8;
    return v * KMH;
}

void KI_Rauslaufen_Spieler(Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER || !Auf_Platz(satz, slot)) return;
    Figur& f = satz->figur[slot];
    f.jagt_ball = 0;
    const float y = f.pos[1] < SPIELFELD_MITTE_Y ? -600.0f : float(SPIELFELD_BREITE) + 600;
    const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    if (a.ziel[1] == y && a.tempo > 0) return;   // already on his way
    SetZSA(satz, slot, int32_t(f.pos[0]), int32_t(y), 0, 300, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
}

void KI_Rauslaufen(Spielfeld_Satz* satz) {
    if (!satz) return;
    for (int32_t s = 0; s < SF_SPIELER; ++s) KI_Rauslaufen_Spieler(satz, s);
}

void Spielfeld_KI_Ausfuehren(Spielfeld_Satz* satz, int32_t figur) {
    if (!satz || figur < 0 || figur >= SF_FIGUREN) return;
    Figur& f = satz->figur[figur];
    f.entscheiden = 0;
    if (figur < SF_SPIELER) {
        Spieler_Entscheiden(satz, figur);
        return;
    }
    if (figur == FIGUR_SCHIRI) KI_Schiedsrichter(satz);
    else if (figur == FIGUR_LINIENRICHTER_1 || figur == FIGUR_LINIENRICHTER_2 || figur == FIGUR_OFFIZIELLER)
        KI_Linienrichter(satz, figur);
    else if (figur == FIGUR_TRAINER || figur == FIGUR_TRAINER + 1) KI_Trainer(satz, figur, 0);
}

}  // namespace velmora
