// match/live/spielfeld_linie.cpp
#include "match/live/spielfeld_linie.h"

#include <cstdlib>
#include <cstring>

#include "core/zahlen.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_staerke.h"

namespace velmora {
namespace {

struct Grenzen {
    int32_t lx_lo, lx_hi, lx2_lo, lx2_hi, xv_lo, xv_hi, xb_lo, xb_hi;
};
constexpr Grenzen GRENZEN[3] = {
    {1100, 10000, 1200, 10000, 200, 10800, 0, 10800},    // formation values
    {1100, 9600, 1200, 9700, 0, 10800, 0, 10800},        // field player's slot
    {0, 10800, 0, 10800, 0, 10800, 0, 10800},            // goalkeeper's slot
};

int32_t Seite_Von_Slot(int32_t slot) { return slot < SF_SPIELER_SEITE ? 0 : 1; }

// Mirrors a zone for a team playing towards x = 0.
void Spiegeln(SpielfeldZone& z) {
    const int32_t l = SPIELFELD_LAENGE, b = SPIELFELD_BREITE;
    int32_t xv = z.x_von, xb = z.x_bis, yv = z.y_von, yb = z.y_bis;
    z.x_von = l - xb;
    z.x_bis = l - xv;
    z.y_von = b - yb;
    z.y_bis = b - yv;
    z.linie_x = l - z.linie_x;
    z.linie_x2 = l - z.linie_x2;
    z.linie_y = b - z.linie_y;
    z.linie_y2 = b - z.linie_y2;
}

}  // namespace

SpielfeldZone Spielfeld_Zonenregel(int32_t x, int32_t y, int32_t d, SpielfeldLinienArt art) {
    const Grenzen& g = GRENZEN[art >= 0 && art <= 2 ? art : 1];
    int32_t r = d < 50 ? d * 10 + 1600 : 2000;
    int32_t w, q;
    if (x < 3240 && std::abs(3403 - y) < 1701) {
        w = 2200;
        q = d <= 50 ? 800 - (50 - d) * 10 : d * 10 + 800;
    } else {
        w = 1400;
        q = d <= 50 ? 2200 - (50 - d) * 15 : d * 10 + 2400;
    }
    SpielfeldZone z;
    z.linie_x = Clamp(x - r + 700, g.lx_lo, g.lx_hi, -1);
    z.linie_x2 = Clamp(x + q - 700, g.lx2_lo, g.lx2_hi, -1);
    z.linie_y = z.linie_y2 = Clamp(y, 0, SPIELFELD_BREITE, -1);
    z.x_von = Clamp(x - r, g.xv_lo, g.xv_hi, -1);
    z.x_bis = Clamp(x + q, g.xb_lo, g.xb_hi, -1);
    z.y_von = Clamp(y - w, 0, SPIELFELD_BREITE, -1);
    z.y_bis = Clamp(y + w, 0, SPIELFELD_BREITE, -1);
    return z;
}

void Spielfeld_Zelle_Zu_Punkt(int32_t spalte, int32_t reihe, int32_t* x, int32_t* y) {
    if (!x || !y) return;
    *x = reihe * 7560 / 10 + 1620;
    *y = spalte * 4764 / 6 + 1020;
}

namespace {

// The formation values of a cell for depth tactic byte t5, by the zone rule.
void Zelle_Linie(int32_t t5, int16_t out[8], int32_t spalte, int32_t reihe) {
    int32_t x = 0, y = 0;
    Spielfeld_Zelle_Zu_Punkt(spalte, reihe, &x, &y);
    int32_t d = t5 * 100 / 6;
    // Players in the own half are drawn towards the middle of the pitch.
    if (x < 4320) {
        int32_t dy = (y - 3403) * 70 / 100;
        if (x < 2700) dy = dy * 80 / 100;
        y = 3403 + dy;
    }
    SpielfeldZone z = Spielfeld_Zonenregel(x, y, d, LINIE_FORMATION);
    const int32_t werte[8] = {z.linie_x, z.linie_y, z.linie_x2, z.linie_y2, z.x_von, z.y_von, z.x_bis, z.y_bis};
    for (int32_t i = 0; i < 8; ++i) out[i] = int16_t(werte[i]);
}

// Every line-up asks these for each cell it fills: the values of every cell
// and every depth a tactic can hold, worked out once (they depend on nothing else).
constexpr int32_t ZELL_SPALTEN = 7, ZELL_REIHEN = 11, TIEFEN = 7;
struct Zellentafel {
    int16_t werte[TIEFEN][ZELL_SPALTEN][ZELL_REIHEN][8];
};

const Zellentafel& Tafel() {
    static const Zellentafel tafel = [] {
        Zellentafel t{};
        for (int32_t d = 0; d < TIEFEN; ++d)
            for (int32_t s = 0; s < ZELL_SPALTEN; ++s)
                for (int32_t r = 0; r < ZELL_REIHEN; ++r) Zelle_Linie(d, t.werte[d][s][r], s, r);
        return t;
    }();
    return tafel;
}

}  // namespace

void Spielfeld_Taktik_Linie_Fuer(const int8_t taktik[7], int16_t out[8], int32_t spalte, int32_t reihe) {
    if (!out) return;
    const int32_t t5 = taktik ? taktik[5] : 0;
    if (t5 < 0 || t5 >= TIEFEN || spalte < 0 || spalte >= ZELL_SPALTEN || reihe < 0 || reihe >= ZELL_REIHEN) {
        Zelle_Linie(t5, out, spalte, reihe);
        return;
    }
    std::memcpy(out, Tafel().werte[t5][spalte][reihe], sizeof(int16_t) * 8);
}

void Spielfeld_Taktik_Linie(int32_t team, int16_t out[8], int32_t spalte, int32_t reihe) {
    if (!out) return;
    int8_t t[7] = {};
    Spielfeld_Hook_Taktik(team, t);
    Spielfeld_Taktik_Linie_Fuer(t, out, spalte, reihe);
}

bool Spielfeld_Spielt_Nach_Links(const Spielfeld_Satz* satz, int32_t team) {
    if (!satz) return false;
    if (satz->seiten_gewechselt) return uint32_t(team) == satz->team[0];
    return uint32_t(team) == satz->team[1];
}

void Spielfeld_Linie_Setzen_Lokal(Spielfeld_Satz* satz, int32_t team, int32_t slot, int32_t x, int32_t y) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    bool links = Spielfeld_Spielt_Nach_Links(satz, team);
    if (links) {
        x = SPIELFELD_LAENGE - x;
        y = SPIELFELD_BREITE - y;
    }
    int32_t seite = Seite_Von_Slot(slot);
    int32_t d = satz->taktik[seite][5];
    SpielfeldZone z = Spielfeld_Zonenregel(x, y, d, satz->figur[slot].torwart ? LINIE_TORWART : LINIE_FELDSPIELER);
    if (links) Spiegeln(z);
    Spieler_Matchsatz& sm = satz->spieler[slot];
    sm.bereich[0] = z.x_von;
    sm.bereich[1] = z.x_bis;
    sm.bereich[2] = z.y_von;
    sm.bereich[3] = z.y_bis;
    sm.linie[0] = z.linie_x;
    sm.linie[1] = z.linie_x2;
    sm.linie[2] = z.linie_y;
    sm.linie[3] = z.linie_y2;
    Spielfeld_Get_Spielerstaerke(satz, int32_t(satz->team[seite]), slot);
}

void Spielfeld_Linie_Setzen(Spielfeld_Satz* satz, int32_t team, int32_t slot, int32_t x, int32_t y) {
    if (Spielfeld_Hook_Netz_Modus() == 0) {
        Spielfeld_Linie_Setzen_Lokal(satz, team, slot, x, y);
        return;
    }
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    bool links = Spielfeld_Spielt_Nach_Links(satz, team);
    if (links) {
        x = SPIELFELD_LAENGE - x;
        y = SPIELFELD_BREITE - y;
    }
    int32_t d = satz->e_taktik[Seite_Von_Slot(slot)][5];
    SpielfeldZone z = Spielfeld_Zonenregel(x, y, d, satz->figur[slot].torwart ? LINIE_TORWART : LINIE_FELDSPIELER);
    int32_t* e = satz->e_linie[slot];
    e[0] = z.linie_x;
    e[1] = z.linie_x2;
    e[2] = z.linie_y;
    e[3] = z.linie_y2;
    if (links) {
        e[0] = SPIELFELD_LAENGE - e[0];
        e[1] = SPIELFELD_LAENGE - e[1];
        e[2] = SPIELFELD_BREITE - e[2];
        e[3] = SPIELFELD_BREITE - e[3];
    }
}

namespace {
// The line position x from a slot's line values and its side's depth tactic d.
int32_t Linie_X(const int32_t linie[4], int32_t d) {
    int32_t a = linie[0], b = linie[1], y = linie[2];
    bool gespiegelt = a > b;
    if (gespiegelt) {
        a = SPIELFELD_LAENGE - a;
        b = SPIELFELD_LAENGE - b;
    }
    int32_t r = d < 50 ? d * 10 + 1600 : 2000;
    int32_t q = d <= 50 ? 2200 - (50 - d) * 15 : d * 10 + 2400;
    if (a + r - 700 < 3240 && std::abs(3403 - y) <= 1700) q = d <= 50 ? 800 - (50 - d) * 10 : d * 10 + 800;
    int32_t x = a >= 1 ? a + r - 700 : b - q + 700;
    return gespiegelt ? SPIELFELD_LAENGE - x : x;
}
}  // namespace

int32_t Spielfeld_Linie_X(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return 0;
    return Linie_X(satz->spieler[slot].linie, satz->taktik[Seite_Von_Slot(slot)][5]);
}

int32_t Spielfeld_Linie_X_Netz(const Spielfeld_Satz* satz, int32_t slot) {
    if (Spielfeld_Hook_Netz_Modus() == 0) return Spielfeld_Linie_X(satz, slot);
    if (!satz || slot < 0 || slot >= SF_SPIELER) return 0;
    return Linie_X(satz->e_linie[slot], satz->e_taktik[Seite_Von_Slot(slot)][5]);
}

void Spielfeld_Taktik_Aktualisieren(Spielfeld_Satz* satz) {
    if (!satz) return;
    for (int32_t s = 0; s < 2; ++s) {
        int32_t o = 1 - s;
        satz->taktik[s][9] = satz->taktik[s][5] == 0 ? 1 : 0;
        if (satz->computer[o]) {
            satz->taktik[o][5] = 100;
            for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
                int32_t slot = o * SF_SPIELER_SEITE + i;
                const Spieler_Matchsatz& sm = satz->spieler[slot];
                if (sm.nummer == -1) continue;
                int32_t x = Spielfeld_Linie_X(satz, slot);
                int32_t y = (sm.linie[2] + sm.linie[3]) / 2;
                Spielfeld_Linie_Setzen_Lokal(satz, int32_t(satz->team[o]), slot, x, y);
            }
        }
        bool hoch = satz->taktik[s][2] >= 51;
        satz->taktik[s][7] = satz->taktik[s][8] = hoch ? 1 : 0;
        auto f = [](int32_t v) { return (v * 4 + 48) / 100; };
        int32_t tiefe = f(satz->taktik[s][5]);
        for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
            Spieler_Matchsatz& sm = satz->spieler[s * SF_SPIELER_SEITE + i];
            sm.rolle[ROLLE(141)] = uint8_t(f(satz->pressing[s]));
            sm.rolle[ROLLE(144)] = sm.rolle[ROLLE(145)] = uint8_t(tiefe);
            sm.rolle[ROLLE(146)] = uint8_t((tiefe - 2) / 2 + 2);
        }
    }
}

}  // namespace velmora
