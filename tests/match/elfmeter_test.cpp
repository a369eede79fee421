// The penalty shoot-out: early decision, sudden death and the taker order.
#include "match/day/elfmeter.h"
#include "core/rnd.h"
#include "match_welt.h"

#include <cstdio>

namespace velmora::test {
namespace {

// Shoot-outs of a live record: the test decides each kick and enters its goal.
class ElfmeterTest : public MatchTest {
protected:
    void SetUp() override {
        MatchTest::SetUp();
        Spielfeld_Hooks().elfmeter_schuss_live = [](Spielfeld_Satz*, int32_t, int32_t) { ++Fake().live_schuesse; };
        Spiel_Anlegen(1, 2, 3);
        Fake().spiele[1].heim_tore = 1;
        Fake().spiele[1].gast_tore = 1;
        ASSERT_EQ(Spielfeld_Anlegen(1, 1, 0, 0, -1, 1), 1);
        ASSERT_TRUE(Elfmeter_Vorbereiten(1));
    }
    // One kick of the side to kick; true when the shoot-out is decided.
    bool Schuss(bool tor) {
        const Elfmeter_Satz* e = Elfmeter_Get(1);
        if (tor) (e->seite == 0 ? Fake().spiele[1].heim_tore : Fake().spiele[1].gast_tore) += 1;
        return Elfmeter_Schuss(1);
    }
    // Plays kicks given per round as pairs (first side, second side); the
    // number of kicks until the decision, 0 when not decided.
    int32_t Spielen(std::initializer_list<std::pair<bool, bool>> runden) {
        int32_t n = 0;
        for (auto [a, b] : runden) {
            ++n;
            if (Schuss(a)) return n;
            ++n;
            if (Schuss(b)) return n;
        }
        return 0;
    }
};

TEST_F(ElfmeterTest, TakersAreTheElevenOnThePitchStartingAtLevel) {
    const Elfmeter_Satz* e = Elfmeter_Get(1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->anzahl[0], 11);
    EXPECT_EQ(e->anzahl[1], 11);
    EXPECT_EQ(e->start_tore[0], 1);
    EXPECT_EQ(e->phase_schuesse, 5);
    EXPECT_EQ(e->runden, 5);
    EXPECT_EQ(e->seite, e->erste_seite);
    EXPECT_EQ(Fake().live_schuesse, 1) << "the first kick is set up on the pitch";
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    for (int32_t seite = 0; seite < 2; ++seite)
        for (int32_t i = 0; i < 11; ++i) {
            bool gefunden = false;
            for (int32_t slot = 0; slot < 17; ++slot) {
                const Spieler_Matchsatz& sm = s->spieler[seite * 17 + slot];
                gefunden |= sm.nummer == e->schuetzen[seite][i] && sm.zustand == SM_AUF_PLATZ;
            }
            EXPECT_TRUE(gefunden);
        }
}

TEST_F(ElfmeterTest, DecidedWhenTheTrailingSideCannotCatchUp) {
    // 3:0 after three kicks each: the trailing side has two kicks left.
    EXPECT_EQ(Spielen({{true, false}, {true, false}, {true, false}}), 6);
    int32_t h = 0, g = 0;
    ASSERT_TRUE(Elfmeter_Tore(1, &h, &g));
    EXPECT_EQ(std::max(h, g), 3);
    EXPECT_EQ(std::min(h, g), 0);
}

TEST_F(ElfmeterTest, DecidedEarlyWithinARound) {
    // 3:1 after three rounds; the first side's fourth goal makes 4:1 with two
    // kicks left for the other: decided before the second side kicks.
    EXPECT_EQ(Spielen({{true, false}, {true, false}, {true, true}, {true, true}}), 7);
}

TEST_F(ElfmeterTest, LevelAfterFiveEachGoesToSuddenDeath) {
    EXPECT_EQ(Spielen({{true, true}, {true, true}, {false, false}, {true, true}, {false, false}}), 0);
    const Elfmeter_Satz* e = Elfmeter_Get(1);
    EXPECT_EQ(e->phase_schuesse, 1);
    EXPECT_EQ(e->runden, 1);
    // Both score: still level, the next round is again a single round.
    EXPECT_EQ(Spielen({{true, true}}), 0);
    EXPECT_EQ(e->runden, 1);
    // The first misses: nothing decided until the second has kicked.
    EXPECT_FALSE(Schuss(false));
    EXPECT_TRUE(Schuss(true));
}

TEST_F(ElfmeterTest, ElevenTakersWrapToTheFirst) {
    const Elfmeter_Satz* e = Elfmeter_Get(1);
    int32_t erste = e->erste_seite;
    int32_t schuetzen[12];
    for (int32_t runde = 0; runde < 12; ++runde) {
        schuetzen[runde] = e->schuetzen[erste][e->naechster[erste]];
        ASSERT_FALSE(Spielen({{true, true}}));
    }
    EXPECT_EQ(schuetzen[11], schuetzen[0]);
    EXPECT_NE(schuetzen[10], schuetzen[0]);
    EXPECT_EQ(e->naechster[erste], 1);
}

TEST_F(MatchTest, FewTakersRepeatInOrder) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    for (int32_t slot = 0; slot < 17; ++slot) s->spieler[slot].zustand = slot < 4 ? SM_AUF_PLATZ : SM_RESERVE;
    ASSERT_TRUE(Elfmeter_Vorbereiten(1));
    EXPECT_EQ(Elfmeter_Get(1)->anzahl[0], 4);
    std::vector<uint8_t> block;
    Elfmeter_Save(block);
    EXPECT_TRUE(Elfmeter_Load(block.data(), block.size()));
    block[4 + 8 + 96] = 12;   // 12 takers
    EXPECT_FALSE(Elfmeter_Load(block.data(), block.size()));
}

TEST_F(MatchTest, DicedShootOutsAlwaysEndWithAWinner) {
    // Without a live record every kick is diced, three in four score.
    int32_t schuesse = 0, tore = 0, entschieden = 0;
    for (int32_t spiel = 0; spiel < 300; ++spiel) {
        Spiel_Anlegen(spiel, 2, 3);
        ASSERT_TRUE(Elfmeter_Vorbereiten(spiel));
        int32_t n = 0;
        while (!Elfmeter_Schuss(spiel) && n < 200) ++n;
        ++n;
        ASSERT_LT(n, 200);
        int32_t h = 0, g = 0;
        Elfmeter_Tore(spiel, &h, &g);
        EXPECT_NE(h, g);
        EXPECT_GE(n, 6) << "at least three kicks each";
        schuesse += n;
        tore += h + g;
        ++entschieden;
    }
    EXPECT_EQ(entschieden, 300);
    double quote = double(tore) / schuesse;
    EXPECT_GT(quote, 0.65);
    EXPECT_LT(quote, 0.85);
}

TEST_F(MatchTest, DicedShootOutsWithARecordEndFromEveryStartIndex) {
    // With a match record the shoot-out draws from the record's random index.
    // Every start index must give a winner: on the kicks, or by lot after the
    // sudden-death rounds run out; and the game's own index stays where it was.
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* satz = Spielfeld_Suchen(1);
    ASSERT_NE(satz, nullptr);
    const int32_t grenze = 2 * (5 + ELFMETER_STECHEN_MAX);
    int32_t lose = 0;
    Rnd_Set_Index(77, 0);
    for (int32_t start = 0; start < RND_TABELLE; ++start) {
        Fake().spiele[1].heim_tore = Fake().spiele[1].gast_tore = 0;
        satz->rnd_index = uint32_t(start);
        ASSERT_TRUE(Elfmeter_Vorbereiten(1));
        int32_t los = -1, n = 1;
        while (!Elfmeter_Schuss(1, &los) && n <= grenze) ++n;
        ASSERT_LE(n, grenze) << "start index " << start << " never decides";
        int32_t h = 0, g = 0;
        ASSERT_TRUE(Elfmeter_Tore(1, &h, &g));
        if (los < 0) {
            EXPECT_NE(h, g) << "start index " << start;
        } else {
            ++lose;
            EXPECT_EQ(h, g) << "a lot only for a level shoot-out, start index " << start;
            EXPECT_EQ(n, 2 * (5 + ELFMETER_STECHEN_MAX)) << "start index " << start;
            EXPECT_TRUE(Log_Enthaelt("entscheidet das Los"));
        }
    }
    EXPECT_EQ(Rnd_Get_Index(), 77);
    std::printf("[ shoot-outs ] %d of %d start indices went to the lot\n", lose, RND_TABELLE);
}

TEST_F(MatchTest, MissingShootOutIsLogged) {
    EXPECT_FALSE(Elfmeter_Schuss(77));
    EXPECT_TRUE(Log_Enthaelt("Elferschiessen nicht mehr da??"));
    EXPECT_FALSE(Elfmeter_Vorbereiten(78));
    EXPECT_TRUE(Log_Enthaelt("So ein Quatsch, kein Elferschiessen m"));
}

}  // namespace
}  // namespace velmora::test
