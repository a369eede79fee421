// tests/season/laender.h - countries and clubs for the season tests and the
// benchmark: team 0 the market, teams 1..L the countries, then per country its
// clubs level by level.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
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

}  // namespace velmora::test
