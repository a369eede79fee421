// tests/support/ergebnisse.h - results set by hand for the screen tests: a
// game of the fixtures store played with the goals given, in order.
#pragma once
#include <vector>

#include "club/team.h"
#include "season/spiele.h"
#include "season/spielplan.h"

namespace velmora::test {

// One goal: the side it counts for (0 home, 1 away), its minute and its kind
// bits beyond a plain goal (EREIGNIS_EIGENTOR, TORART_*).
struct TestTor {
    int32_t seite;
    int32_t minute;
    uint32_t art = 0;
};

// Plays the game (competition, round, pairing, leg) with these goals and this
// crowd; an own goal is scored by a player of the other side. False when the
// game does not exist.
inline bool Ergebnis_Setzen(int32_t w, int32_t runde, int32_t paarung, int32_t leg, const std::vector<TestTor>& tore,
                            int32_t zuschauer = 12345) {
    const Spiel_Lock h = Spiele_Lock(w, runde, paarung, leg);
    const SpielDatensatz* sp = h ? Spiele_Get_Spiel(h, 1) : nullptr;
    if (!sp) return false;
    const int32_t teams[2] = {sp->heim, sp->gast};
    Spiele_Clear_Tore(h);
    Spiele_Ereignis_Array(h);
    int32_t zahl[2] = {0, 0};
    for (const TestTor& t : tore) {
        const int32_t schuetze_seite = (t.art & EREIGNIS_EIGENTOR) ? 1 - t.seite : t.seite;
        int32_t spieler[TEAM_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(teams[schuetze_seite], spieler, TEAM_SPIELER_MAX, 0);
        const int32_t schuetze = n > 0 ? spieler[(t.minute / 7) % n] : -1;
        Spiel_Ereignis(h, EREIGNIS_SCHUSS | EREIGNIS_TOR | t.art | (t.seite == 0 ? EREIGNIS_HEIM : 0), t.minute, schuetze, -1);
        ++zahl[t.seite];
    }
    Spiele_Set_Wert(h, zuschauer);
    Spiele_Set_Ergebnis(h, zahl[0], zahl[1], SPIEL_ERGEBNIS_GESPIELT);
    Spiele_Unlock(h);
    return true;
}

// Plays every pairing of a round (first legs) with goals from the pairing
// and round numbers, so that tables differ.
inline void Runde_Setzen(int32_t w, int32_t runde) {
    for (int32_t p = 0, n = Wettbewerb_Get_Spiele_Pro_Spieltag(w, runde); p < n; ++p) {
        std::vector<TestTor> tore;
        for (int32_t k = 0; k < (p * 3 + runde) % 4; ++k) tore.push_back({0, 10 + 20 * k});
        for (int32_t k = 0; k < (p + 2 * runde) % 3; ++k) tore.push_back({1, 15 + 25 * k});
        Ergebnis_Setzen(w, runde, p, 0, tore);
    }
}

}  // namespace velmora::test
