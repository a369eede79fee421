// tests/season/season_welt.h - the world of the season tests: the countries
// and clubs of laender.h with their competitions, fixtures and results.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include <gtest/gtest.h>
#include "core/rnd.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"
#include "tests/season/laender.h"

namespace velmora::test {

// The full world: 8 countries, 3 levels of 18 clubs; competitions and fixtures made.
inline std::vector<WettbewerbBeschreibung> Volle_Welt(int32_t laender = 8, int32_t stufen = 3, int32_t je_liga = 18) {
    Rnd_Init();
    std::vector<WettbewerbBeschreibung> w = Wettbewerb_Welt_Beschreiben(Laender_Bauen(laender, stufen, je_liga));
    Spiele_Init();
    Wettbewerb_Init(w);
    Wettbewerb_Saison_Start();
    return w;
}

inline void Welt_Ende() {
    Saison_Free();
    Tabelle_Free();
    Wettbewerb_Free();
    Spiele_Free();
    Team_Free(0);
    Spieler_Free();
}

// Enters a result for every game of a round with results drawn from Rnd.
inline void Runde_Spielen(int32_t w, int32_t runde, int32_t spieltag = -1) {
    for (int32_t s = 0; s < 2; ++s) {
        if (spieltag >= 0 && s != spieltag) continue;
        for (int32_t p = 0;; ++p) {
            Spiel_Lock h = Spiele_Lock(w, runde, p, s);
            if (!h) break;
            Spiele_Clear_Tore(h);
            Spiele_Set_Ergebnis(h, Rnd(0, 4), Rnd(0, 3), SPIEL_ERGEBNIS_GESPIELT);
            Spiele_Unlock(h);
        }
    }
}

inline void Ergebnis(int32_t w, int32_t runde, int32_t paarung, int32_t spieltag, int32_t heim, int32_t gast) {
    Spiel_Lock h = Spiele_Lock(w, runde, paarung, spieltag);
    ASSERT_NE(h, 0) << "Spiel " << w << "/" << runde << "/" << paarung << "/" << spieltag;
    Spiele_Clear_Tore(h);
    Spiele_Set_Ergebnis(h, heim, gast, SPIEL_ERGEBNIS_GESPIELT);
    Spiele_Unlock(h);
}

}  // namespace velmora::test
