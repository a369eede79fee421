// match/live/ersatzbank.cpp
#include "match/live/ersatzbank.h"

#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"

namespace velmora {
namespace {

constexpr int32_t PLATZ_X[2][BANK_PLAETZE] = {{3640, 3715, 3811, 3899, 3995, 4071, 4167, 4252},
                                              {5667, 5753, 5839, 5935, 6020, 6106, 6192, 6290}};

int32_t Seite_Von(int32_t p) { return p < SF_SPIELER_SEITE ? 0 : 1; }

// Seated: an order to the place with speed 0, the figure put there.
void Setzen(Spielfeld_Satz* satz, int32_t f, int32_t x, int32_t y, int32_t anim) {
    SetZSA(satz, f, x, y, 0, 0, anim, 0, 0, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
    SetAnim(satz, f, x, y, 0);
    Figur& fig = satz->figur[f];
    fig.dreh_gemacht = 0;
    fig.v[0] = fig.v[1] = fig.v[2] = 0;
    fig.gezeichnet = 1;
    Figur_Aktuelle_Anweisung(&fig)->folge = ANIM_TORW_STEHEN;
}

}  // namespace

int32_t Bank_Platz_X(int32_t seite, int32_t platz) {
    if (seite < 0 || seite > 1 || platz < 0 || platz >= BANK_PLAETZE) return 0;
    return PLATZ_X[seite][platz];
}

int32_t Bank_Platz_Vergeben(Spielfeld_Satz* satz, int32_t p, int32_t* x, int32_t* y) {
    if (!satz || p < 0 || p >= SF_SPIELER) return -1;
    int32_t seite = Seite_Von(p);
    bool belegt[BANK_PLAETZE] = {};
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        const Spieler_Matchsatz& sm = satz->spieler[seite * SF_SPIELER_SEITE + i];
        if (sm.zustand == SM_RESERVE && sm.bank >= 0 && sm.bank < BANK_PLAETZE) belegt[sm.bank] = true;
    }
    int32_t platz = 0;
    for (int32_t s = 0; s < BANK_PLAETZE; ++s) {
        if (!belegt[s]) {
            platz = s;
            break;
        }
    }
    satz->spieler[p].bank = int8_t(platz);
    if (x) *x = PLATZ_X[seite][platz];
    if (y) *y = BANK_Y;
    return platz;
}

void KI_Aufwaermen(Spielfeld_Satz* satz, int32_t p, int32_t setzen) {
    if (!satz || p < 0 || p >= SF_SPIELER) return;
    int32_t seite = Seite_Von(p);
    Spieler_Matchsatz& sm = satz->spieler[p];
    Figur& fig = satz->figur[p];
    int32_t s = sm.bank >= 0 && sm.bank < BANK_PLAETZE ? sm.bank : 0;
    int32_t sx = PLATZ_X[seite][s], sy = BANK_Y;
    int32_t sitzt = fig.torwart ? ANIM_TORWART_SITZT : ANIM_ERSATZ_SITZT;
    if (setzen) {
        Setzen(satz, p, sx, sy + s, sitzt);
    } else {
        // On the warm-up spot beside the bench a substitute stretches.
        int32_t wx = seite == 0 ? sx + 150 * s + 500 : sx - 150 * s - 500;
        int32_t wy = sy + 80 + 60 * (s % 3);
        if (!fig.torwart && fig.pos[0] == float(wx) && fig.pos[1] == float(wy)) {
            int32_t anim = ANIM_AUFWAERMEN + Rnd(0, 2);
            SetZSA(satz, p, wx, wy, 0, 0, anim, 0, -1, 0, -1, 1, Rnd(3, 8), 0, 0, 0);
        }
    }
    fig.entscheiden = 0;
}

void KI_Trainer(Spielfeld_Satz* satz, int32_t figur, int32_t setzen) {
    if (!satz || (figur != FIGUR_TRAINER && figur != FIGUR_TRAINER + 1)) return;
    int32_t seite = figur - FIGUR_TRAINER;
    int32_t x = PLATZ_X[seite][BANK_PLAETZE - 1], y = BANK_Y;
    Figur& fig = satz->figur[figur];
    if (setzen) Setzen(satz, figur, x, y, ANIM_TRAINER_SITZT);
    else if (fig.pos[0] != float(x) || fig.pos[1] != float(y))
        SetZSA(satz, figur, x, y, 0, 430, ANIM_TRAINER_SITZT, 0, -1, 0, -1, 1, -1, 0, 0, 0);
    fig.entscheiden = 0;
}

}  // namespace velmora
