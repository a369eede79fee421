// tools/ersatz_spieltag.h - a STAND-IN MATCH DAY for the calendar's tests and
// benchmark, handed to the runner (SimOptionen::spieltag_start/frame); never
// part of the game.
//
// It is not the game's match simulation: it plays every game due today at
// once, draws the goals of each side from the two starting elevens'
// strengths with Rnd, writes each goal as an event with a scorer from the
// starting eleven, enters the starters' games and the goals into the player
// statistics and calls the after-match work of both clubs, as the match day
// will. Ties a knock-out competition still needs decided are left to the
// competition's lot.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/rnd.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/statistik.h"

namespace velmora::ersatz {

inline int32_t Startelf(int32_t team, int32_t* out) {
    int32_t n = Teamspieler_Ins_Array(team, out, TEAM_SPIELER_MAX, int32_t(SP_STATUS_START));
    if (n == 0) n = std::min(Teamspieler_Ins_Array(team, out, TEAM_SPIELER_MAX, 0), 11);
    return std::min(n, 11);
}

// Goals of one side: six chances, each scored with a probability that grows
// with the side's share of the two strengths (home sides a little more).
inline int32_t Tore(int32_t eigene, int32_t andere, bool heim) {
    int32_t summe = std::max(eigene + andere, 1);
    int32_t prozent = 10 + 20 * eigene / summe + (heim ? 3 : 0);
    int32_t tore = 0;
    for (int32_t i = 0; i < 6; ++i) tore += Rnd(0, 99) < prozent;
    return tore;
}

inline void Spiel_Spielen(Spiel_Lock h) {
    const SpielDatensatz* d = Spiele_Get_Spiel(h, 1);
    if (!d) return;
    const int32_t teams[2] = {d->heim, d->gast};
    const int16_t wettbewerb = d->wettbewerb;
    int32_t elf[2][TEAM_SPIELER_MAX], anzahl[2];
    for (int32_t s = 0; s < 2; ++s) anzahl[s] = Startelf(teams[s], elf[s]);
    int32_t staerke[2] = {Team_Get_Staerke(teams[0]), Team_Get_Staerke(teams[1])};
    int32_t tore[2] = {Tore(staerke[0], staerke[1], true), Tore(staerke[1], staerke[0], false)};
    Spiele_Clear_Tore(h);
    Spiele_Ereignis_Array(h);
    for (int32_t s = 0; s < 2; ++s) {
        StatistikEintrag spiel{wettbewerb, int16_t(teams[s]), STATISTIK_FLAG_SPIEL, 90, 0};
        for (int32_t i = 0; i < anzahl[s]; ++i) Statistik_Spieler_Eintragen(elf[s][i], &spiel, 1);
        for (int32_t t = 0; t < tore[s]; ++t) {
            int32_t schuetze = anzahl[s] ? elf[s][Rnd(0, anzahl[s] - 1)] : -1;
            uint32_t art = EREIGNIS_SCHUSS | EREIGNIS_TOR | (s == 0 ? EREIGNIS_HEIM : 0);
            Spiel_Ereignis(h, art, Rnd(1, 90), schuetze, -1);
            StatistikEintrag tor{wettbewerb, int16_t(teams[s]), STATISTIK_FLAG_TOR, 0, 0};
            if (schuetze >= 0) Statistik_Spieler_Eintragen(schuetze, &tor, 1);
        }
    }
    Spiele_Set_Ergebnis(h, tore[0], tore[1], SPIEL_ERGEBNIS_GESPIELT);
    Spiele_Set_Nachspiel_Statistik(h);
    Nach_Spiel_Team(teams[0], h);
    Nach_Spiel_Team(teams[1], h);
}

// Plays every game due today; false when there was none.
inline bool Spieltag_Start() {
    std::vector<int32_t> ids(256);
    ids.resize(size_t(Kalender_Freier_Tag(-1, 1, ids.data())));
    bool gespielt = false;
    std::vector<Spiel_Lock> spiele(4096);
    for (int32_t id : ids) {
        int32_t n = Kalender_Heutige_Spiele(id, spiele.data(), int32_t(spiele.size()));
        for (int32_t i = 0; i < n; ++i) {
            Spiel_Spielen(spiele[size_t(i)]);
            Spiele_Unlock(spiele[size_t(i)]);
            gespielt = true;
        }
    }
    return gespielt;
}

inline bool Spieltag_Frame() { return false; }   // everything was played at the start

}  // namespace velmora::ersatz
