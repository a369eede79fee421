// tests/season/spielplan_test.cpp - fixtures of leagues and knock-out rounds.
#include <map>
#include <set>

#include "tests/season/season_welt.h"

namespace velmora::test {
namespace {

class VolleWelt : public ::testing::Test {
protected:
    void SetUp() override { beschreibung = Volle_Welt(); }
    void TearDown() override { Welt_Ende(); }
    std::vector<WettbewerbBeschreibung> beschreibung;
};

TEST(SpielplanRunde, EveryPairOnceAndEverySlotOncePerRound) {
    for (int32_t n : {2, 3, 4, 5, 6, 9, 18, 20, 40}) {
        std::set<std::pair<int32_t, int32_t>> paare;
        int32_t m = n + n % 2;
        for (int32_t r = 1; r <= m - 1; ++r) {
            int32_t out[2 * WETTBEWERB_TEAMS_MAX];
            int32_t k = Spielplan_Runde(n, r, out);
            EXPECT_EQ(k, n / 2) << "n=" << n << " r=" << r;
            std::set<int32_t> in_runde;
            for (int32_t i = 0; i < 2 * k; ++i) {
                EXPECT_TRUE(in_runde.insert(out[i]).second) << "slot twice, n=" << n;
                EXPECT_LT(out[i], n);
            }
            for (int32_t i = 0; i < k; ++i)
                EXPECT_TRUE(paare.insert({std::min(out[2 * i], out[2 * i + 1]), std::max(out[2 * i], out[2 * i + 1])}).second);
        }
        EXPECT_EQ(int32_t(paare.size()), n * (n - 1) / 2) << "n=" << n;
    }
    int32_t out[4];
    EXPECT_EQ(Spielplan_Runde(4, 0, out), 0);
    EXPECT_EQ(Spielplan_Runde(4, 4, out), 0);
    EXPECT_EQ(Spielplan_Runde(1, 1, out), 0);
}

TEST_F(VolleWelt, EveryLeaguePairMeetsHomeAndAwayOnce) {
    int32_t ligen = 0;
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art != ART_LIGA) continue;
        ++ligen;
        std::map<std::pair<int32_t, int32_t>, int32_t> begegnungen;
        std::map<int32_t, int32_t> heim, gast;
        std::map<int32_t, int32_t> heim_halb, gast_halb;
        for (int32_t r = 1; r <= s->spieltage; ++r) {
            int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
            int32_t k = Wettbewerb_Get_Spieltag_Paarungen(id, r, paare);
            ASSERT_EQ(k, 9) << "league " << id << " round " << r;
            std::set<int32_t> an_diesem_tag;
            for (int32_t i = 0; i < k; ++i) {
                int32_t h = paare[2 * i], a = paare[2 * i + 1];
                EXPECT_TRUE(an_diesem_tag.insert(h).second) << "club " << h << " twice in round " << r;
                EXPECT_TRUE(an_diesem_tag.insert(a).second) << "club " << a << " twice in round " << r;
                EXPECT_GE(Wettbewerb_Get_Team_Slot(id, h), 0);
                EXPECT_GE(Wettbewerb_Get_Team_Slot(id, a), 0);
                ++begegnungen[{h, a}];
                ++heim[h];
                ++gast[a];
                if (r <= s->spieltage / 2) ++heim_halb[h], ++gast_halb[a];
            }
        }
        EXPECT_EQ(begegnungen.size(), size_t(18 * 17)) << "league " << id;
        for (const auto& [paar, n] : begegnungen) {
            EXPECT_EQ(n, 1);
            EXPECT_EQ(begegnungen.count({paar.second, paar.first}), 1u);
        }
        for (int32_t i = 0; i < s->team_anzahl; ++i) {
            int32_t t = s->team[i];
            EXPECT_EQ(heim[t], 17);
            EXPECT_EQ(gast[t], 17);
            EXPECT_LE(std::abs(heim_halb[t] - gast_halb[t]), 1) << "club " << t << " in league " << id;
        }
    }
    EXPECT_EQ(ligen, 24);
}

TEST_F(VolleWelt, HomeAndAwayAlternateWithoutThreeInARow) {
    // Home and away alternate: no club has three home or away games in a row.
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art != ART_LIGA) continue;
        std::map<int32_t, std::vector<int32_t>> folge;
        for (int32_t r = 1; r <= s->spieltage; ++r) {
            int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
            int32_t k = Wettbewerb_Get_Spieltag_Paarungen(id, r, paare);
            for (int32_t i = 0; i < k; ++i) folge[paare[2 * i]].push_back(1), folge[paare[2 * i + 1]].push_back(0);
        }
        for (const auto& [team, f] : folge) {
            ASSERT_EQ(f.size(), size_t(s->spieltage));
            for (size_t i = 2; i < f.size(); ++i)
                EXPECT_FALSE(f[i] == f[i - 1] && f[i] == f[i - 2]) << "club " << team << " round " << i + 1;
        }
    }
}

TEST_F(VolleWelt, CupFirstRoundGivesByesUpToAPowerOfTwo) {
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art != ART_POKAL) continue;
        EXPECT_EQ(s->team_anzahl, 54);
        EXPECT_EQ(s->spieltage, 6);
        // 54 clubs: 22 ties so that 32 remain, 10 byes.
        EXPECT_EQ(Wettbewerb_Get_Spiele_Pro_Spieltag(id, 1), 22);
        std::set<int32_t> im_los;
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        int32_t k = Wettbewerb_Get_Spieltag_Paarungen(id, 1, paare);
        for (int32_t i = 0; i < 2 * k; ++i) EXPECT_TRUE(im_los.insert(paare[i]).second);
        Runde_Spielen(id, 1);
        Wettbewerb_Spiele_Beendet(id);
        EXPECT_EQ(Wettbewerb_Satz(id)->aktuelle_runde, 2);
        EXPECT_EQ(Wettbewerb_Get_Spiele_Pro_Spieltag(id, 2), 16);
        int32_t dabei = 0;
        for (int32_t i = 0; i < s->team_anzahl; ++i) dabei += Wettbewerb_Team_Noch_Dabei(id, s->team[i], 0, 0);
        EXPECT_EQ(dabei, 32);
    }
}

TEST_F(VolleWelt, ContinentalCupRunsFromGroupsToAWinner) {
    int32_t erste = -1;
    for (int32_t id : Wettbewerb_Alle())
        if (Wettbewerb_Satz(id)->art == ART_GRUPPE) {
            erste = Wettbewerb_Erste_Gruppe(id);
            break;
        }
    ASSERT_GE(erste, 0);
    std::vector<int32_t> gruppen;
    for (int32_t g = erste; g >= 0; g = Wettbewerb_Naechste_Gruppe(g)) gruppen.push_back(g);
    ASSERT_EQ(gruppen.size(), 4u);
    int32_t ko = Wettbewerb_Naechste_Runde(erste);
    ASSERT_GE(ko, 0);
    EXPECT_EQ(Wettbewerb_Get_Stamm_Id(ko), erste);
    EXPECT_EQ(Wettbewerb_Get_Teams_Hierarchie(ko, nullptr), 16);
    EXPECT_EQ(Wettbewerb_Get_Teams(ko, nullptr), 0);
    for (int32_t g : gruppen) {
        EXPECT_EQ(Wettbewerb_Get_Teams(g, nullptr), 4);
        for (int32_t r = 1; r <= Wettbewerb_Satz(g)->spieltage; ++r) {
            Runde_Spielen(g, r);
            Wettbewerb_Spiele_Beendet(g);
        }
    }
    EXPECT_EQ(Wettbewerb_Get_Teams(ko, nullptr), 8);
    EXPECT_EQ(Wettbewerb_Get_Spiele_Pro_Spieltag(ko, 1), 4);
    for (int32_t r = 1; r <= 3; ++r) {
        Runde_Spielen(ko, r);
        Wettbewerb_Spiele_Beendet(ko);
    }
    int32_t sieger = Wettbewerb_Satz(ko)->sieger;
    EXPECT_GE(Wettbewerb_Get_Team_Slot(ko, sieger), 0);
    EXPECT_TRUE(Wettbewerb_Team_Noch_Dabei(ko, sieger, 0, 0) || Wettbewerb_Satz(ko)->sieger == sieger);
}

}  // namespace
}  // namespace velmora::test
