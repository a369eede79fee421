// tests/screens/spielstart_wahl_test.cpp - the start of a new game from the
// managers' choices on the small generated world: grounds sized by the
// league, a club moved into the league its manager picked (with its
// fixtures), weak squads drawn anew, new squads, the start money, the team
// editor's entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/stadion.h"
#include "club/club_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/hooks.h"
#include "core/text.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielstart.h"
#include "season/wettbewerb.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

class SpielstartWahlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
        VerdrahtungOptionen v;
        v.nur = {"Core",  "Netz", "Club",  "Saison",      "Spielfeld", "Spieltag", "News",
                 "Stadion", "Bank", "Scout", "Verhandlung", "Training",  "Ereignis"};
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
        Core_Hooks().meldung = [](const char*) {};
        Text_Laden();
        ASSERT_TRUE(Spielstart_Welt_Aufbauen());
        Spielstart_Wahl_Leeren();
        ASSERT_TRUE(Spielstart_Platzhalter_Anlegen());
        int32_t ligen[8];
        ASSERT_EQ(Wettbewerb_Liste_Team(-1, ligen, 1), 4);
        erste = ligen[0];
        zweite = ligen[1];
    }
    void TearDown() override {
        Spiel_Entdrahten();
        Kalender_Spiel_Freigeben();
        Core_Hooks().meldung = nullptr;
    }

    static std::vector<int32_t> Teams(int32_t liga) {
        std::vector<int32_t> t(WETTBEWERB_TEAMS_MAX);
        t.resize(size_t(Wettbewerb_Get_Teams(liga, t.data())));
        return t;
    }
    static int32_t Liga(int32_t team) { return Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN); }
    static void Waehlen(int32_t eintrag, int32_t team, int32_t liga, int32_t startkader = 0) {
        SpielstartWahl* w = Spielstart_Wahl(eintrag);
        std::snprintf(w->name, sizeof w->name, "Manager %d", eintrag + 1);
        w->team = team;
        w->nation = Team_Wert(TW_NATION, team, 0, OP_LESEN);
        w->wettbewerb = liga;
        w->portrait = eintrag;
        w->startkader = startkader;
        Spielstart_Anzahl_Setzen(std::max(Spielstart_Anzahl(), eintrag + 1));
    }
    // Every club of the league gets the same ground, but those named in `andere`.
    static void Plaetze(int32_t liga, int32_t sitze, int32_t steh) {
        for (int32_t t : Teams(liga)) Team_Stadion_Vorgabe_Setzen(t, "Platz", sitze, steh);
    }
    static int32_t Kapazitaet(int32_t team) { return Stadion_Get_Kapazitaet(team); }
    // The clubs' games of a competition not yet played.
    static int32_t Spiele_Von(int32_t liga, int32_t team) {
        int32_t n = 0;
        for (int32_t i = 0; i < Spiele_Anzahl(); ++i) {
            const SpielDatensatz* s = Spiele_Nummer(i);
            if (s->wettbewerb == liga && (s->heim == team || s->gast == team)) ++n;
        }
        return n;
    }

    velmora_test::TestWelt dirs;
    int32_t erste = -1, zweite = -1;   // the first country's leagues
};

TEST_F(SpielstartWahlTest, SmallGroundsAreSizedWithoutTheLeaguesThreeLargest) {
    // Averages 9,700 seats and 5,200 terrace places: 14,900 in all, below 16,000.
    const std::vector<int32_t> liga = Teams(zweite);
    ASSERT_EQ(liga.size(), 10u);
    const int32_t plaetze[10][2] = {{20000, 10000}, {8000, 4000}, {6000, 3000}, {9000, 5000}, {9000, 5000},
                                    {9000, 5000},   {9000, 5000}, {9000, 5000}, {9000, 5000}, {9000, 5000}};
    for (size_t i = 0; i < liga.size(); ++i) Team_Stadion_Vorgabe_Setzen(liga[i], "Platz", plaetze[i][0], plaetze[i][1]);
    Waehlen(0, liga[3], zweite);
    Waehlen(1, liga[4], zweite);
    Spielstart_Level_Setzen(2);
    ASSERT_TRUE(Spielstart_Starten());
    EXPECT_EQ(Teams(zweite), liga) << "both play in their own league: nothing moved";
    // The first club: (14,900 x 10 - 58,000) / 7 - 3,000 = 10,000; the second
    // from the kept averages: 14,900 - 3,000, rounded down to 11,000.
    EXPECT_EQ(Kapazitaet(liga[3]), 10000);
    EXPECT_EQ(Kapazitaet(liga[4]), 11000);
    int32_t steh = 0, sitze = 0;
    ASSERT_TRUE(Stadion_Get_Plaetze(liga[4], &steh, &sitze));
    EXPECT_EQ(sitze, 9700);
    EXPECT_EQ(steh, 5200);
    EXPECT_EQ(Kapazitaet(liga[5]), 14000) << "a computer club keeps its ground";
    EXPECT_NE(Spielstart_Spiel_Laeuft(), 0);
}

TEST_F(SpielstartWahlTest, ALeagueOfThreeClubsGivesItsAverageLessThreeThousand) {
    WettbewerbSatz* s = Wettbewerb_Satz(zweite);
    ASSERT_NE(s, nullptr);
    const std::vector<int32_t> liga = Teams(zweite);
    for (const int32_t t : std::vector<int32_t>(liga.begin() + 3, liga.end()))
        for (int16_t& slot : s->team)
            if (slot == t) slot = -1;
    ASSERT_EQ(Teams(zweite).size(), 3u);
    Plaetze(zweite, 8000, 4000);
    Waehlen(0, liga[0], zweite);
    Spielstart_Level_Setzen(2);
    ASSERT_TRUE(Spielstart_Starten());
    EXPECT_EQ(Kapazitaet(liga[0]), 9000);
}

TEST_F(SpielstartWahlTest, AClubMovesIntoThePickedLeagueWithItsLastFreeClubsFixtures) {
    Plaetze(erste, 20000, 10000);
    Plaetze(zweite, 8000, 4000);
    const std::vector<int32_t> oben = Teams(erste), unten = Teams(zweite);
    const int32_t verein = oben[0], anderer = unten[unten.size() - 2];
    Waehlen(0, verein, zweite);
    Waehlen(1, unten.back(), zweite);   // the last club of the league is a manager's: the one before it moves
    Spielstart_Level_Setzen(2);
    const int32_t spiele = Spiele_Von(zweite, anderer);
    ASSERT_GT(spiele, 0);
    ASSERT_TRUE(Spielstart_Starten());
    EXPECT_EQ(Liga(verein), zweite);
    EXPECT_EQ(Liga(anderer), erste);
    const std::vector<int32_t> neu_unten = Teams(zweite), neu_oben = Teams(erste);
    EXPECT_NE(std::find(neu_unten.begin(), neu_unten.end(), verein), neu_unten.end());
    EXPECT_NE(std::find(neu_oben.begin(), neu_oben.end(), anderer), neu_oben.end());
    EXPECT_EQ(Spiele_Von(zweite, verein), spiele) << "the club took over the other's games";
    EXPECT_EQ(Spiele_Von(zweite, anderer), 0);
    EXPECT_EQ(Spiele_Von(erste, anderer), spiele);
    EXPECT_EQ(Spiele_Von(erste, verein), 0);
    // Both fitted to their new leagues: the club to the small grounds below
    // ((13,800 x 10 - 54,000) / 7 - 3,000), the other to the average above.
    EXPECT_EQ(Kapazitaet(verein), 9000);
    EXPECT_EQ(Kapazitaet(anderer), 28000);
}

TEST_F(SpielstartWahlTest, ASquadFarBelowItsLeagueIsDrawnInHalfStarsAroundTheAverage) {
    const std::vector<int32_t> liga = Teams(erste);
    const int32_t verein = liga[0];
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(verein, spieler, TEAM_SPIELER_MAX, 0);
    ASSERT_EQ(n, TEAM_SPIELER_MAX);
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(SPW_STAERKE, spieler[i], 500, OP_SCHREIBEN);
    int32_t summe = 0;
    for (int32_t t : liga) summe += Team_Get_Staerke(t);
    const int32_t schnitt = summe / int32_t(liga.size());
    const int32_t tief = (n / 2 + schnitt - schnitt / 5) / n, hoch = (n / 2 + schnitt + schnitt / 5) / n;
    Waehlen(0, verein, erste);
    Spielstart_Level_Setzen(2);
    ASSERT_TRUE(Spielstart_Starten());
    int32_t ganz = 0, halb = 0;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t st = Spieler_Staerke(spieler[i]);
        if (st % 1000 == 0 && st / 1000 >= tief && st / 1000 <= hoch) ++ganz;
        else if (st % 500 == 0 && st / 500 >= tief && st / 500 <= hoch) ++halb;
    }
    EXPECT_EQ(ganz, n - 4) << "drawn between " << tief << " and " << hoch << " half stars";
    EXPECT_EQ(halb, 4) << "four players drawn at random lose half their strength";
}

TEST_F(SpielstartWahlTest, ANewSquadLeavesTheGroundAndHalvesNobody) {
    const int32_t verein = Teams(erste)[0];
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(verein, spieler, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(SPW_STAERKE, spieler[i], 1000, OP_SCHREIBEN);
    Team_Stadion_Vorgabe_Setzen(verein, "Platz", 12345, 6789);
    Waehlen(0, verein, erste, 1);
    Spielstart_Level_Setzen(2);
    ASSERT_TRUE(Spielstart_Starten());
    EXPECT_EQ(Kapazitaet(verein), 19000);
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_GE(Spieler_Staerke(spieler[i]), 7000) << "a new player of the top level";
        EXPECT_LE(Spieler_Staerke(spieler[i]), 10500);
    }
}

TEST_F(SpielstartWahlTest, StartMoneyByLevelAndLeague) {
    const int32_t oben = Teams(erste)[0], unten = Teams(zweite)[0];
    struct Fall {
        int32_t level, team, geld;
    } faelle[] = {
        {2, unten, 2700000},   // 3,000,000 x 75 / 100 + 500,000, down to 100,000
        {2, oben, 3500000},   {0, oben, 6500000},   {4, unten, 2000000},
        {9, unten, 2000000},   // a level above 4 counts as 4
        {-1, unten, 5000000},  // below 0 as 0
    };
    for (const Fall& f : faelle) EXPECT_EQ(Spielstart_Startgeld(f.team, f.level), f.geld) << f.level;
    Waehlen(0, unten, zweite);
    Spielstart_Level_Setzen(2);
    ASSERT_TRUE(Spielstart_Starten());
    // The account opened with it; the advertising agency's fee for the first offer is paid from it.
    EXPECT_EQ(Bank_Kontostand(unten, false, -1) + int32_t(Bank_Kategorie_Summe(unten, 0, BUCHUNG_WERBUNG_KOSTEN)),
              2700000);
    EXPECT_EQ(Team_Spiel_Level(), 2);
}

TEST_F(SpielstartWahlTest, TheTeamEditorsEntryMakesItsManagerAndStartsNoGame) {
    const int32_t verein = Teams(erste)[0];
    Waehlen(0, verein, erste);
    Spielstart_Wahl(0)->portrait = -1;
    const int32_t staerke = Team_Get_Staerke(verein);
    EXPECT_FALSE(Spielstart_Starten());
    EXPECT_TRUE(Team_Hat_Manager(verein));
    EXPECT_EQ(Manager_Record(Team_Markt()), nullptr) << "the placeholder is gone";
    EXPECT_FALSE(Bank_Hat_Konto(verein));
    EXPECT_EQ(Team_Get_Staerke(verein), staerke) << "no squad was fitted";
    EXPECT_EQ(Spielstart_Spiel_Laeuft(), 0);
}

}  // namespace
}  // namespace velmora
