// tests/season/saison_test.cpp - a whole season of the full world and the season change.
#include <algorithm>
#include <map>
#include <set>

#include "club/manager.h"
#include "tests/season/season_welt.h"

namespace velmora::test {
namespace {

class Saison : public ::testing::Test {
protected:
    void SetUp() override { Volle_Welt(); }
    void TearDown() override { Welt_Ende(); }

    // Plays every competition round by round until nothing is left to play.
    void Alles_Spielen() {
        for (bool weiter = true; weiter;) {
            weiter = false;
            for (int32_t id : Wettbewerb_Alle()) {
                WettbewerbSatz* s = Wettbewerb_Satz(id);
                if (s->art == ART_FREUNDSCHAFT || s->aktuelle_runde < 1 || s->aktuelle_runde > s->spieltage) continue;
                Runde_Spielen(id, s->aktuelle_runde);
                int32_t vorher = s->aktuelle_runde;
                Wettbewerb_Spiele_Beendet(id);
                ASSERT_GT(s->aktuelle_runde, vorher) << "competition " << id;
                weiter = true;
            }
        }
    }
    std::vector<int32_t> Teams(int32_t id) {
        std::vector<int32_t> t(WETTBEWERB_TEAMS_MAX);
        t.resize(Wettbewerb_Get_Teams(id, t.data()));
        std::sort(t.begin(), t.end());
        return t;
    }
};

TEST_F(Saison, PromotionRelegationAndQualificationMoveTheRightClubs) {
    Alles_Spielen();
    std::vector<int32_t> ids = Wettbewerb_Alle();
    std::map<int32_t, std::vector<int32_t>> reihe;
    for (int32_t id : ids) {
        if (!Wettbewerb_Ist_Liga(id)) continue;
        reihe[id].resize(TABELLE_TEAMS_MAX);
        reihe[id].resize(Tabelle_Reihenfolge(id, reihe[id].data()));
    }
    int32_t ko = -1;
    for (int32_t id : ids)
        if (Wettbewerb_Satz(id)->art == ART_INTERNATIONAL) ko = id;
    ASSERT_GE(Wettbewerb_Satz(ko)->sieger, 0);
    int32_t titel_vorher = Saison_Titel_Anzahl();
    Wettbewerb_Saison_Ende();
    // 8 champions, 8 cup winners, the continental cup.
    EXPECT_EQ(Saison_Titel_Anzahl() - titel_vorher, 17);
    std::set<int32_t> quali;
    for (int32_t id : ids) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art != ART_LIGA) continue;
        EXPECT_EQ(s->team_anzahl, 18);
        const std::vector<int32_t>& r = reihe[id];
        if (s->liga_unten >= 0)
            for (int32_t i = 15; i < 18; ++i) {
                EXPECT_EQ(Team_Get_Liga(r[i], 1), s->liga_unten) << "relegated club " << r[i];
                EXPECT_EQ(Team_Wert(11, r[i], 0, 0), s->liga_unten);
            }
        for (int32_t i = 0; i < 3 && s->liga_oben >= 0; ++i)
            EXPECT_EQ(Team_Get_Liga(r[i], 1), s->liga_oben) << "promoted " << r[i];
        for (int32_t i = 3; i < 15; ++i) EXPECT_EQ(Team_Get_Liga(r[i], 1), id);
        if (s->liga_oben < 0) {
            quali.insert(r[0]);
            quali.insert(r[1]);
            Titel t[4];
            int32_t n = Spiele_Get_Titel_Von_Team(r[0], t, 4);
            ASSERT_GE(n, 1);
            EXPECT_TRUE(std::any_of(t, t + n, [&](const Titel& x) { return x.wettbewerb == id && x.platz == 0; }));
        }
    }
    std::set<int32_t> gruppen_teams;
    for (int32_t id : ids) {
        if (Wettbewerb_Satz(id)->art != ART_GRUPPE) continue;
        EXPECT_EQ(Wettbewerb_Get_Teams(id, nullptr), 4);
        for (int32_t t : Teams(id)) gruppen_teams.insert(t);
    }
    EXPECT_EQ(gruppen_teams, quali);
    for (int32_t id : ids) {
        if (Wettbewerb_Satz(id)->art == ART_POKAL) {
            EXPECT_EQ(Wettbewerb_Get_Teams(id, nullptr), 54);
        }
    }
    // The new season: fresh fixtures everywhere, the knock-out stage waits for its groups.
    ASSERT_TRUE(Wettbewerb_Saison_Start());
    EXPECT_EQ(Wettbewerb_Get_Teams(ko, nullptr), 0);
    for (int32_t id : ids) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art == ART_LIGA) {
            EXPECT_EQ(s->aktuelle_runde, 1);
            EXPECT_EQ(Wettbewerb_Get_Spiele_Pro_Spieltag(id, 34), 9);
        }
    }
    int32_t tabelle[TABELLE_TEAMS_MAX];
    EXPECT_EQ(Tabelle_Reihenfolge(ids[0], tabelle), 18);
    EXPECT_EQ(Tabelle_Schnappschuss_Anzahl(), 0);
}

TEST_F(Saison, WholeSeasonSavesAndLoadsByteIdentical) {
    Alles_Spielen();
    auto sichern = [] {
        std::vector<std::vector<uint8_t>> b(4);
        Wettbewerb_Save(b[0]);
        Spiele_Save(b[1]);
        Tabelle_Save(b[2]);
        Saison_Save(b[3]);
        return b;
    };
    Wettbewerb_Saison_Ende();
    auto vorher = sichern();
    EXPECT_GT(vorher[1].size(), 7800u * 32);   // every game of the season
    ASSERT_TRUE(Wettbewerb_Load(vorher[0].data(), vorher[0].size()));
    ASSERT_TRUE(Spiele_Load(vorher[1].data(), vorher[1].size()));
    ASSERT_TRUE(Tabelle_Load(vorher[2].data(), vorher[2].size()));
    ASSERT_TRUE(Saison_Load(vorher[3].data(), vorher[3].size()));
    EXPECT_EQ(sichern(), vorher);
    std::vector<uint8_t> kaputt = vorher[3];
    kaputt.push_back(1);
    EXPECT_FALSE(Saison_Load(kaputt.data(), kaputt.size()));
    EXPECT_EQ(sichern(), vorher);
}

TEST_F(Saison, HumanClubsGiveTheirContinentalPlaceToAComputerClub) {
    int32_t gruppe = -1;
    for (int32_t id : Wettbewerb_Alle())
        if (Wettbewerb_Satz(id)->art == ART_GRUPPE && Wettbewerb_Get_Team_Slot(id, 9) >= 0) gruppe = id;
    ASSERT_GE(gruppe, 0);
    ASSERT_TRUE(Manager_Neuer_Mitspieler(9, "Mensch", -1));
    Wettbewerb_Menschliche_Teams_Ersetzen();
    EXPECT_LT(Wettbewerb_Get_Team_Slot(gruppe, 9), 0);
    int32_t neu = -1;
    for (int32_t t : Teams(gruppe))
        if (Team_Wert(6, t, 0, 0) == 1 && t != 10) neu = t;
    ASSERT_GE(neu, 0) << "a club of the same country took the place";
    EXPECT_FALSE(Team_Hat_Manager(neu));
    EXPECT_EQ(Wettbewerb_Get_Teams_Hierarchie(gruppe, nullptr), 16);
    Manager_Alle_Freigeben();
}

TEST_F(Saison, FriendliesAndLeagueLevels) {
    int32_t freund = -1;
    for (int32_t id : Wettbewerb_Alle())
        if (Wettbewerb_Ist_Freundschaft(id)) freund = id;
    ASSERT_GE(freund, 0);
    EXPECT_TRUE(Wettbewerb_Get_Info(freund)->modus & MODUS_KO_SYSTEM);
    EXPECT_LT(Wettbewerb_Get_Info(freund)->zuschauer, 0);
    int32_t n = Wettbewerb_Freundschaftsspiel(freund, 10, 11);
    ASSERT_GE(n, 0);
    EXPECT_EQ(Spiele_Nummer(n)->heim, 10);
    EXPECT_EQ(Wettbewerb_Freundschaftsspiel(freund, 10, 10), -1);
    EXPECT_EQ(Wettbewerb_Freundschaftsspiel(50, 10, 11), -1);
    // Clubs 9.. are country 0's: 18 per level; levels give 100, 75, 50.
    EXPECT_EQ(Wettbewerb_Team_Niveau(9), 100);
    EXPECT_EQ(Wettbewerb_Team_Niveau(9 + 18), 75);
    EXPECT_EQ(Wettbewerb_Team_Niveau(9 + 36), 50);
    EXPECT_EQ(Wettbewerb_Betrag_Nach_Niveau(9 + 36, 1000, 50), 500 + 250);
    EXPECT_EQ(Wettbewerb_Liste_Team(9, nullptr, 0), 3);       // league, cup, continental group
    EXPECT_EQ(Wettbewerb_Liste_Team(9 + 5, nullptr, 0), 2);   // league and cup
    EXPECT_EQ(Wettbewerb_Liste_Team(-1, nullptr, 1), 24);
    EXPECT_EQ(Wettbewerb_Get_Platz_Markierung(50, 0), 31);
    EXPECT_EQ(Wettbewerb_Get_Platz_Markierung(50, 1), 32);
    EXPECT_EQ(Wettbewerb_Get_Platz_Markierung(50, 17), 33);
    EXPECT_EQ(Wettbewerb_Get_Platz_Markierung(51, 2), 32);
    EXPECT_EQ(Wettbewerb_Get_Platz_Markierung(51, 8), 30);
}

}  // namespace
// A club's league is the first league (in the competitions' order) holding it
// in any of its slots, the last slot included; a club in none, a number past
// every club and a negative one have none.
TEST_F(Saison, EveryClubsLeagueIsTheFirstLeagueHoldingIt) {
    auto erste_liga = [](int32_t team) {
        for (int32_t id : Wettbewerb_Alle())
            if (Wettbewerb_Ist_Liga(id) && Wettbewerb_Get_Team_Slot(id, team) >= 0) return id;
        return -1;
    };
    int32_t mit_liga = 0;
    for (int32_t team = 0; team < Team_Anzahl(); ++team) {
        EXPECT_EQ(Team_Get_Liga(team, 1), erste_liga(team)) << "club " << team;
        mit_liga += Team_Get_Liga(team, 1) >= 0;
    }
    EXPECT_GT(mit_liga, 100);
    // A club moved into a league's last slot is found there.
    WettbewerbSatz* liga = Wettbewerb_Satz(51);
    ASSERT_TRUE(liga && Wettbewerb_Ist_Liga(51));
    const int16_t vorher = liga->team[WETTBEWERB_TEAMS_MAX - 1];
    for (int32_t team : {0, 1, 2}) {
        const int32_t soll = erste_liga(team);
        liga->team[WETTBEWERB_TEAMS_MAX - 1] = int16_t(team);
        EXPECT_EQ(Team_Get_Liga(team, 1), erste_liga(team)) << "club " << team << " in the last slot";
        EXPECT_NE(Team_Get_Liga(team, 1), -1);
        liga->team[WETTBEWERB_TEAMS_MAX - 1] = vorher;
        EXPECT_EQ(Team_Get_Liga(team, 1), soll);
    }
    for (int32_t team : {-1, -2, 65535, 65536 + 9, INT32_MAX}) EXPECT_EQ(Team_Get_Liga(team, 1), -1) << team;
}

}  // namespace velmora::test
