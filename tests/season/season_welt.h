// tests/season/season_welt.h - a world of countries and clubs for the season
// tests: team 0 the market, teams 1..L the countries, then per country its
// clubs level by level; and the competitions built from it.
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

namespace velmora::test {

inline std::vector<WettbewerbLand> Laender_Bauen(int32_t laender, int32_t stufen, int32_t je_liga) {
    int32_t clubs = laender * stufen * je_liga;
    Spieler_Init(0);
    Team_Init(1 + laender + clubs);
    Team_Markt_Setzen(0);
    std::vector<WettbewerbLand> liste;
    int32_t t = 1 + laender;
    for (int32_t l = 0; l < laender; ++l) {
        WettbewerbLand land;
        land.land = 1 + l;
        land.name = "Land" + std::to_string(l);
        Team_Namen_Setzen(land.land, land.name.c_str(), nullptr, nullptr);
        Team_Wert(7, land.land, TEAM_STATUS_LAND, 8);
        for (int32_t s = 0; s < stufen; ++s) {
            land.ligen.emplace_back();
            for (int32_t c = 0; c < je_liga; ++c, ++t) {
                Team_Namen_Setzen(t, ("Club " + std::to_string(t)).c_str(), nullptr, "Stadt");
                Team_Wert(6, t, land.land, 1);
                land.ligen.back().push_back(t);
            }
        }
        liste.push_back(land);
    }
    return liste;
}

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
