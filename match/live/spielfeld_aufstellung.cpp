// match/live/spielfeld_aufstellung.cpp
#include "match/live/spielfeld_aufstellung.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ersatzbank.h"
#include "match/record/spielfeld_hooks.h"

namespace velmora {
namespace {

constexpr int32_t MAX_FELD = 11;
constexpr int32_t MAX_RESERVE = 6;

// A goalkeeper's fixed lines: the goal area's depth and width.
void Torwart_Linien(Spieler_Matchsatz& sm, bool gespiegelt) {
    const int32_t l = SPIELFELD_LAENGE;
    sm.linie[0] = gespiegelt ? l : 0;
    sm.linie[1] = gespiegelt ? l - 550 : 550;
    sm.linie[2] = sm.linie[3] = SPIELFELD_MITTE_Y;
    sm.bereich[0] = gespiegelt ? l - 550 : 0;
    sm.bereich[1] = gespiegelt ? l : 550;
    sm.bereich[2] = 2487;
    sm.bereich[3] = 4319;
}

// Mirrors a slot's line values: the teams change ends.
void Linien_Spiegeln(Spieler_Matchsatz& sm) {
    const int32_t l = SPIELFELD_LAENGE, b = SPIELFELD_BREITE;
    int32_t xv = sm.bereich[0], xb = sm.bereich[1], yv = sm.bereich[2], yb = sm.bereich[3];
    sm.bereich[0] = l - xb;
    sm.bereich[1] = l - xv;
    sm.bereich[2] = b - yb;
    sm.bereich[3] = b - yv;
    for (int32_t i = 0; i < 2; ++i) sm.linie[i] = l - sm.linie[i];
    for (int32_t i = 2; i < 4; ++i) sm.linie[i] = b - sm.linie[i];
}

// The formation values of a player (club data order: line x, line y, second
// line x, second line y, x low, y low, x high, y high) into the slot.
void Formation_Linien(Spieler_Matchsatz& sm, int32_t spieler, bool gespiegelt) {
    const int16_t* v = static_cast<const int16_t*>(Spieler_Zeiger_Lesen(SPZ_LINIE, spieler));
    int16_t null[8] = {};
    if (!v) v = null;
    int32_t lx = Clamp(v[0], 1100, 9600, -1), lx2 = Clamp(v[2], 1200, 9700, -1);
    sm.linie[0] = lx;
    sm.linie[1] = lx2;
    sm.linie[2] = v[1];
    sm.linie[3] = v[3];
    sm.bereich[0] = v[4];
    sm.bereich[1] = v[6];
    sm.bereich[2] = v[5];
    sm.bereich[3] = v[7];
    if (gespiegelt) Linien_Spiegeln(sm);
}

// A stand-still order where the figure stands.
void Stehen(Spielfeld_Satz* satz, int32_t f) {
    Figur& fig = satz->figur[f];
    fig.aktuell = 0;
    fig.entscheiden = 1;
    SetZSA(satz, f, int32_t(fig.pos[0]), int32_t(fig.pos[1]), 0, 0, ANIM_LAUF_NACH_TEMPO, 0, 0, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
    fig.v[0] = fig.v[1] = fig.v[2] = 0;
    fig.entscheiden = 1;
    fig.gezeichnet = 1;
}

bool Ist_Torwart_Typ(int32_t spieler) {
    return Spieler_Wert(SPW_SPALTE, spieler, 0, OP_LESEN) == 3 && Spieler_Wert(SPW_REIHE, spieler, 0, OP_LESEN) == 0;
}

void Erstbesetzung(Spielfeld_Satz* satz, int32_t seite, bool gespiegelt, bool figuren) {
    int32_t team = int32_t(satz->team[seite]);
    if (Spielfeld_Hooks().team_positionen_setzen) Spielfeld_Hooks().team_positionen_setzen(team);
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    n = std::clamp(n, 0, int32_t(TEAM_SPIELER_MAX));
    uint32_t reihe[TEAM_SPIELER_MAX];
    int32_t schluessel[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) {
        reihe[i] = uint32_t(spieler[i]);
        schluessel[i] = Spieler_Get_Art(spieler[i]) == 0 ? -1 : Spieler_Wert(SPW_REIHE, spieler[i], 0, OP_LESEN);
    }
    Sortiere(reihe, schluessel, n, 0);

    const char* name = Team_String(TS_NAME, team, 0, 0);
    int32_t belegt = 0, feld = 0, reserve = 0, bank = 0;
    bool zu_viele_feld = false, zu_viele_reserve = false;
    int32_t nottorwart = -1, nottorwart_x = 0;
    int32_t torwart_feld = 0, torwart_alle = 0;
    for (int32_t i = 0; i < n && belegt < SF_SPIELER_SEITE; ++i) {
        int32_t p = int32_t(reihe[i]);
        uint32_t st = Spieler_Status(p);
        if (!(st & (SM_AUF_PLATZ | SM_RESERVE))) continue;
        bool auf_platz = st & SM_AUF_PLATZ;
        if (auf_platz && feld >= MAX_FELD) {
            if (!zu_viele_feld)
                Debug_Printf("Das Team %s versuchte mit mehr als %d Feldspielern zu spielen!!!\n", name, MAX_FELD);
            zu_viele_feld = true;
            continue;
        }
        if (!auf_platz && reserve >= MAX_RESERVE) {
            if (!zu_viele_reserve)
                Debug_Printf("Das Team %s versuchte mit mehr als %d Reservespielern zu spielen!!!\n", name,
                             MAX_RESERVE);
            zu_viele_reserve = true;
            continue;
        }
        (auf_platz ? feld : reserve) += 1;
        int32_t slot = seite * SF_SPIELER_SEITE + belegt++;
        Spieler_Matchsatz& sm = satz->spieler[slot];
        Figur& fig = satz->figur[slot];
        sm.deckt = sm.partner = sm.rueck = 0xFF;
        sm.nummer = p;
        sm.rolle[ROLLE(143)] = uint8_t(Spieler_Wert(SPW_RUECKENNUMMER, p, 0, OP_LESEN));
        sm.zustand = auf_platz ? SM_AUF_PLATZ : SM_RESERVE;
        Formation_Linien(sm, p, gespiegelt);
        // A field player's sort key is his row: he keeps goal only from row 0
        // (and column 3), so any other row needs no further read.
        const int32_t zeile = schluessel[i];
        bool torwart = zeile == -1 ? Ist_Torwart_Typ(p)
                                   : zeile == 0 && Spieler_Wert(SPW_SPALTE, p, 0, OP_LESEN) == 3;
        fig.torwart = 0;
        if (torwart) {
            ++torwart_alle;
            if (auf_platz) ++torwart_feld;
            if (!auf_platz || torwart_feld == 1) fig.torwart = 1;
            Torwart_Linien(sm, gespiegelt);
        } else if (auf_platz) {
            int32_t x = gespiegelt ? SPIELFELD_LAENGE - sm.linie[0] : sm.linie[0];
            if (nottorwart < 0 || x < nottorwart_x) {
                nottorwart = slot;
                nottorwart_x = x;
            }
        }
        if (figuren) Stehen(satz, slot);
        if (!auf_platz) {
            sm.bank = int8_t(bank++ % 8);
            if (figuren) KI_Aufwaermen(satz, slot, 1);
        }
    }
    if (torwart_feld > 1) Debug_Printf("2 TORHÜTER\n");
    if (torwart_alle == 0 && nottorwart >= 0) {
        Debug_Printf("FELDSPIELER INS TOR GESETZT\n");
        Figur& fig = satz->figur[nottorwart];
        fig.torwart = 1;
        Torwart_Linien(satz->spieler[nottorwart], gespiegelt);
        if (figuren) {
            int32_t x = SPIELFELD_LAENGE / 7, y = 5 * SPIELFELD_BREITE / 11;
            SetAnim(satz, nottorwart, gespiegelt ? SPIELFELD_LAENGE - x : x, y, 0);
            Stehen(satz, nottorwart);
        }
    }
}

void Neu_Aufstellen(Spielfeld_Satz* satz, int32_t seite, bool figuren) {
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        int32_t slot = seite * SF_SPIELER_SEITE + i;
        Spieler_Matchsatz& sm = satz->spieler[slot];
        if (!(sm.zustand & (SM_AUF_PLATZ | SM_RESERVE))) continue;
        Linien_Spiegeln(sm);
        if (!figuren) continue;
        SetAnim(satz, slot, (sm.bereich[0] + sm.bereich[1]) / 2, (sm.bereich[2] + sm.bereich[3]) / 2, 0);
        Stehen(satz, slot);
        if (sm.zustand == SM_RESERVE) KI_Aufwaermen(satz, slot, 1);
    }
    if (figuren) KI_Trainer(satz, FIGUR_TRAINER + seite, 1);
}

bool In_Liste(const int8_t liste[SF_WECHSEL], int32_t slot) {
    for (int32_t i = 0; i < SF_WECHSEL; ++i)
        if (liste[i] == slot) return true;
    return false;
}

}  // namespace

void Spielfeld_Team_An_Positionen(Spielfeld_Satz* satz, int32_t seite, int32_t gespiegelt, bool nur_wuerfel) {
    if (!satz) {
        Debug_Printf("Spielfeld_Team_An_Positionen: Null Pointer\n");
        return;
    }
    if (seite < 0 || seite > 1) return;
    if (satz->spieler[seite * SF_SPIELER_SEITE].nummer < 0) Erstbesetzung(satz, seite, gespiegelt != 0, !nur_wuerfel);
    else Neu_Aufstellen(satz, seite, !nur_wuerfel);
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        int32_t slot = seite * SF_SPIELER_SEITE + i;
        satz->figur[slot].situation = 0;
        satz->spieler[slot].zustand &= SM_BLEIBT;
    }
}

// The live lists, in network play too: the edit copy holds what a manager
// entered on his own machine only, and a simulation that read it would play
// differently there.
bool Spielfeld_Ist_Ausgewechselt(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz) return false;
    for (int32_t s = 0; s < 2; ++s)
        if (In_Liste(satz->wechsel_aus[s], slot)) return true;
    return false;
}

bool Spielfeld_Ist_Eingewechselt(const Spielfeld_Satz* satz, int32_t slot) {
    if (!satz) return false;
    for (int32_t s = 0; s < 2; ++s)
        if (In_Liste(satz->wechsel_ein[s], slot)) return true;
    return false;
}

bool Spielfeld_Auswechseln(Spielfeld_Satz* satz, int32_t seite, int32_t modus, int32_t aus_slot) {
    if (!satz || seite < 0 || seite > 1 || modus < 0 || modus > 2) return false;
    if (!satz->computer[seite] || satz->standard_flag) return false;
    uint32_t zs = satz->spielzustand;
    if (zs != SZ_SPIEL && zs != SZ_NEUE_HALBZEIT && zs != SZ_VERLETZUNG) return false;
    if (zs == SZ_SPIEL && satz->wechsel_laeuft) return false;
    int32_t eingetragen = 0;
    for (int32_t i = 0; i < SF_WECHSEL; ++i)
        if (satz->wechsel_aus[seite][i] != -1) ++eingetragen;
    if (int32_t(satz->wechsel_erlaubt[seite]) - eingetragen <= 0) return false;

    // Per zone (1 defence, 2 midfield, 3 attack) the best reserve and the weakest player on the pitch.
    int32_t ein[4] = {-1, -1, -1, -1}, aus[4] = {-1, -1, -1, -1};
    int32_t ein_wert[4] = {}, aus_wert[4] = {};
    bool nach_rechts = (seite == 0) != (satz->seiten_gewechselt != 0);
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        int32_t slot = seite * SF_SPIELER_SEITE + i;
        const Spieler_Matchsatz& sm = satz->spieler[slot];
        const Figur& fig = satz->figur[slot];
        if (sm.nummer < 0 || fig.torwart) continue;
        bool auf_platz = sm.zustand & SM_AUF_PLATZ, reserve = !auf_platz && (sm.zustand & SM_RESERVE);
        if (!auf_platz && !reserve) continue;
        int32_t mitte = (sm.linie[0] + sm.linie[1]) / 2;
        int32_t x = nach_rechts ? mitte : SPIELFELD_LAENGE - mitte;
        int32_t zone = x < 3000 ? 1 : (x >= 6000 ? 3 : 2);
        int32_t wert = 0;
        for (int16_t w : sm.werte) wert += w;
        if (fig.situation != 0) continue;
        if (reserve && !In_Liste(satz->wechsel_ein[seite], slot) && (ein[zone] < 0 || wert > ein_wert[zone])) {
            ein[zone] = slot;
            ein_wert[zone] = wert;
        }
        if (auf_platz && !In_Liste(satz->wechsel_aus[seite], slot) && (aus[zone] < 0 || wert < aus_wert[zone])) {
            aus[zone] = slot;
            aus_wert[zone] = wert;
        }
    }
    uint32_t rein[3], raus[3];
    static constexpr uint32_t REIN[2][3] = {{1, 2, 3}, {2, 1, 3}};
    static constexpr uint32_t RAUS[2][3] = {{3, 2, 1}, {2, 3, 1}};
    if (modus < 2) {
        std::memcpy(rein, REIN[modus], sizeof rein);
        std::memcpy(raus, RAUS[modus], sizeof raus);
    } else {
        uint32_t z[3] = {1, 2, 3};
        Misch_U32(z, 3);
        std::memcpy(rein, z, sizeof rein);
        std::memcpy(raus, z, sizeof raus);
    }
    int32_t neu = -1, alt = aus_slot;
    for (uint32_t z : rein)
        if (neu < 0 && ein[z] >= 0) neu = ein[z];
    if (alt < 0)
        for (uint32_t z : raus)
            if (alt < 0 && aus[z] >= 0) alt = aus[z];
    if (neu < 0 || alt < 0 || alt >= SF_SPIELER) {
        Debug_Printf("aus:%d ein:%d\n", alt, neu);
        return false;
    }
    for (int32_t i = 0; i < SF_WECHSEL; ++i) {
        int8_t& a = satz->wechsel_aus[seite][i];
        int8_t& e = satz->wechsel_ein[seite][i];
        if (a != -1 && a == satz->situation_figur[0]) e = -1;
        if (e != -1 || a != -1) {
            if (!(e == -1 && a == satz->situation_figur[0] && a != -1)) continue;
        }
        a = int8_t(alt);
        e = int8_t(neu);
        satz->live_anweisung_seite[seite] = modus < 2 ? 1 : 0;
        Debug_Printf("aus:%d ein:%d\n", alt, neu);
        Debug_Printf("pos:%d\n", i);
        return true;
    }
    return false;
}

}  // namespace velmora
