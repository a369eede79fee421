// tests/club/welt.h - a small world of clubs and players for the club tests,
// and a catcher for the debug log.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "club/club_config.h"
#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include <gtest/gtest.h>

namespace velmora::test {

inline std::vector<std::string>& Log() {
    static std::vector<std::string> zeilen;
    return zeilen;
}

inline bool Log_Enthaelt(const std::string& text) {
    for (const std::string& z : Log())
        if (z.find(text) != std::string::npos) return true;
    return false;
}

// Catches the debug log for one test and resets the club hooks.
struct LogFaenger {
    LogFaenger() {
        Log().clear();
        Debug_Faenger_Setzen([](uint32_t, const char* text) { Log().push_back(text); });
        Club_Hooks() = ClubHooks{};
    }
    ~LogFaenger() {
        Debug_Faenger_Setzen(nullptr);
        Club_Hooks() = ClubHooks{};
    }
};

// Team 0 the transfer market, team 1 the country "Deutschland" (continent 3),
// teams 2.. clubs in competitions 50 and 51 with `je_club` players each: slot
// i, starters 0-10 (status 16), bench 11-16 (32), slot 0 the goalkeeper,
// strength 1000 x (i % 13). The rest of the players stand on the market.
inline void Welt_Bauen(int32_t clubs, int32_t je_club, int32_t markt = 5) {
    int32_t teams = clubs + 2;
    int32_t spieler = clubs * je_club + markt;
    Spieler_Init(spieler);
    Team_Init(teams);
    Team_Vorgaben_Leeren();
    Team_Markt_Setzen(0);
    Team_Namen_Setzen(0, "Transfermarkt", nullptr, nullptr);
    Team_Namen_Setzen(1, "Deutschland", nullptr, nullptr);
    Team_Wert(7, 1, TEAM_STATUS_LAND, 8);
    Team_Wert(10, 1, 3, 1);
    int32_t p = 0;
    for (int32_t t = 2; t < teams; ++t) {
        Team_Namen_Setzen(t, ("Club " + std::to_string(t)).c_str(), ("C" + std::to_string(t)).c_str(), "Stadt");
        Team_Wert(11, t, 50 + t % 2, 1);
        Team_Wert(6, t, 1, 1);
        for (int32_t i = 0; i < je_club; ++i, ++p) {
            Team_Spieler_Hinzufuegen(t, p);
            Spieler_Namen_Setzen(p, "Vor", ("Spieler" + std::to_string(p)).c_str());
            Spieler_Wert(87, p, i, 1);
            Spieler_Wert(67, p, i == 0 ? 0 : 1 + i % 3, 1);
            Spieler_Wert(68, p, 1, 1);
            Spieler_Wert(58, p, 1000 * (i % 13), 1);
            if (i < 11) Spieler_Wert(75, p, SP_STATUS_START, 8);
            else if (i < 17) Spieler_Wert(75, p, SP_STATUS_BANK, 8);
        }
    }
    for (; p < spieler; ++p) Team_Spieler_Hinzufuegen(0, p);
}

inline void Welt_Freigeben() {
    Team_Free(0);
    Spieler_Free();
}

// The club data as save blocks: a second world (a server's) beside the one in use.
struct WeltBloecke {
    std::vector<uint8_t> spieler, teams, manager;
    void sichern() {
        spieler.clear();
        teams.clear();
        manager.clear();
        Spieler_Save(spieler);
        Team_Save(teams);
        Manager_Save(manager);
    }
    void laden() const {
        ASSERT_TRUE(Spieler_Load(spieler.data(), spieler.size()));
        ASSERT_TRUE(Team_Load(teams.data(), teams.size()));
        ASSERT_TRUE(Manager_Load(manager.data(), manager.size()));
    }
};

// A test over a fresh world of four clubs with 18 players each.
class WeltTest : public ::testing::Test {
protected:
    void SetUp() override {
        Rnd_Init();
        Welt_Bauen(4, 18);
    }
    void TearDown() override { Welt_Freigeben(); }
    LogFaenger faenger;
};

}  // namespace velmora::test
