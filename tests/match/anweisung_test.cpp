// Orders: the running animation by speed, the keeper's rows, the stride and a full ring.
#include "match/anim.h"
#include "match/anweisung.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

TEST(AnimNachTempo, SpeedBoundsChooseTheRun) {
    struct Fall {
        float tempo;
        int32_t anim;
    } faelle[] = {{0, 0},           {-5, 0},          {float(1000000.0 / 3600), 7}, {278, 8},
                  {444.44f, 8},     {500, 126},       {833.33f, 127},               {834, 9}};
    for (const Fall& c : faelle) {
        Anweisung a{};
        a.tempo = c.tempo;
        EXPECT_EQ(Anim_Nach_Tempo(&a), c.anim) << c.tempo;
    }
}

TEST(AnimTabelle, NamedRowsAndTheStride) {
    EXPECT_EQ(Anim_Suchen("SPRINT"), 9);
    EXPECT_EQ(Anim_Suchen("GRAETSCHEN"), 63);
    EXPECT_EQ(Anim_Suchen("ECK FAHNE 68/108"), 16);
    EXPECT_EQ(Anim_Suchen("gibt es nicht"), -1);
    EXPECT_EQ(Anim_Zeile(236), nullptr);
    EXPECT_EQ(+Anim_Zeile(63)->brems_frame, 10);
    EXPECT_EQ(+Anim_Zeile(140)->link, 141);
    EXPECT_EQ(Anim_Schritt_Uebergang(1, 3, 3), 13);
    EXPECT_EQ(Anim_Schritt_Uebergang(0, 2, 0), 7);
}

using AnweisungTest = SpielTest;

TEST_F(AnweisungTest, KeeperGetsHisOwnRunningRows) {
    ASSERT_TRUE(s->figur[0].torwart);
    struct Fall {
        int32_t tempo, anim;
    } faelle[] = {{0, 37}, {200, 39}, {900, 44}, {500, 44}};
    for (const Fall& c : faelle) {
        ASSERT_TRUE(SetZSA(s, 0, 1000, 3000, 0, c.tempo, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, 0, 0, 0));
        EXPECT_EQ(Figur_Aktuelle_Anweisung(&s->figur[0])->anim, c.anim) << c.tempo;
    }
}

TEST_F(AnweisungTest, WalkToSprintContinuesTheStride) {
    Figur& f = s->figur[5];
    ASSERT_TRUE(SetZSA(s, 5, 9000, 3000, 0, 200, ANIM_LAUF_NACH_TEMPO, 0, 30, 0, -1, 1, -1, 0, 0, 0));
    Anweisung* a = Figur_Aktuelle_Anweisung(&f);
    ASSERT_EQ(a->anim, ANIM_GEHEN);
    a->frame = 3;
    SetSpeed(s, 5, 900, 0);
    SetNum(s, 5, ANIM_LAUF_NACH_TEMPO, 0, 30, 0, -1, 1, -1, 0);
    EXPECT_EQ(a->anim, ANIM_SPRINT);
    EXPECT_EQ(a->frame, 13);
}

TEST_F(AnweisungTest, FullRingRefusesAndDrainsAfterOneCycle) {
    Figur& f = s->figur[6];
    for (Anweisung& a : f.ring) {
        a.flags = 1;
        a.dauer = 30;
        a.anim = 8;
        a.wiederholung = -1;
    }
    EXPECT_EQ(SetZiel(s, 6, 100, 100, 0, 1, ZIEL_ANHAENGEN), -1);
    for (const Anweisung& a : f.ring) EXPECT_EQ(a.wiederholung, 1);
    EXPECT_FALSE(SetZSA(s, 6, 100, 100, 0, 300, 9, 0, -1, 0, -1, 1, -1, 1, ZIEL_ANHAENGEN, 0));
    // The current order, busy and endless, is cut to one more cycle and rewritten.
    f.ring[f.aktuell & 3].wiederholung = -1;
    EXPECT_EQ(SetZiel(s, 6, 200, 200, 0, 0, 0), 0);
    EXPECT_EQ(Figur_Aktuelle_Anweisung(&f)->wiederholung, 1);
}

TEST_F(AnweisungTest, OrderOnThePositionStandsAndBadFiguresAreLogged) {
    Figur& f = s->figur[7];
    SetAnim(s, 7, 3000, 3000, 0);
    f.v[0] = f.v[1] = 0;
    ASSERT_TRUE(SetZSA(s, 7, 3000, 3000, 0, 500, 9, 0, -1, 0, -1, 1, -1, 0, 0, 0));
    EXPECT_EQ(Figur_Aktuelle_Anweisung(&f)->tempo, 0);
    SetSpeed(s, 8, -30, 1);
    EXPECT_EQ(s->figur[8].ring[(s->figur[8].aktuell + 1) & 3].tempo, 0);
    EXPECT_FALSE(SetZSA(s, 53, 0, 0, 0, 0, 0, 0, 0, 0, -1, 1, -1, 0, 0, 0));
    SetAnim(s, -1, 0, 0, 0);
    EXPECT_TRUE(Log_Enthaelt("SetZSA:53"));
    EXPECT_TRUE(Log_Enthaelt("SetAnim:-1"));
}

}  // namespace
}  // namespace velmora::test
