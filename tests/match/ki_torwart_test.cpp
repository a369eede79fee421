// The keeper's decisions: his spot at set pieces, a ball crossing his line,
// the save rows and how he releases the ball.
#include <cmath>

#include "core/rnd.h"
#include "match/live/anweisung.h"
#include "match/live/ki_torwart.h"
#include "match/record/spielfeld.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

// Side 0 defends the goal at x = 0; slot 0 is its keeper.
class TorwartTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        s->ballhalter = -1;
        Stellen(0, 300, 3403);
        s->figur[0].torwart = 1;
    }
    void Stellen(int32_t slot, float x, float y) {
        s->spieler[slot].zustand = SM_AUF_PLATZ;
        SetAnim(s, slot, int32_t(x), int32_t(y), 0);
        Figur& f = s->figur[slot];
        f.situation = 0;
        f.v[0] = f.v[1] = 0;
        f.ring[f.aktuell & 3].flags = 0;
    }
    void Ball(float x, float y, float vx, float vy) { Ball_Fliegen(s, x, y, 0, vx, vy, 0); }
    const Anweisung& Befehl() { return *Figur_Aktuelle_Anweisung(&s->figur[0]); }
};

TEST_F(TorwartTest, SetPiecesPutHimAtHisDistanceFromTheLine) {
    struct Fall {
        uint32_t zustand;
        float ball_x, ball_y;
        float ziel_x;
    } faelle[] = {
        {SZ_ELFMETER, 1100, 3403, 80},   // the penalty: 80 cm, he never comes out
        {SZ_SPIEL, 1100, 3403, 80},      // the ball resting on the spot counts as a penalty too
        {SZ_FREISTOSS, 3000, 3403, 150},
    };
    for (const Fall& c : faelle) {
        s->spielzustand = c.zustand;
        Stellen(0, 300, 3403);
        Ball(c.ball_x, c.ball_y, 0, 0);
        KI_Torwart(s, 0);
        EXPECT_NEAR(Befehl().ziel[0], c.ziel_x, 1) << c.zustand;
        EXPECT_NEAR(Befehl().ziel[1], 3403, 1) << c.zustand;
    }
}

// A ball 1000 cm from his goal whose holder stands 1400 cm back from it: in
// open play he comes out for it; at a free kick the ball is dead until the
// taker plays it, and he keeps 150 cm off his line.
TEST_F(TorwartTest, HeComesOutForABallLeftByItsHolderButNeverAtAFreeKick) {
    struct Fall {
        uint32_t zustand;
        bool raus;
    } faelle[] = {{SZ_SPIEL, true}, {SZ_FREISTOSS, false}};
    for (const Fall& c : faelle) {
        s->spielzustand = c.zustand;
        Stellen(0, 300, 3403);
        Stellen(20, 2400, 3600);
        s->ballhalter = 20;
        Ball(1000, 3600, 0, 0);
        KI_Torwart(s, 0);
        if (c.raus) {
            EXPECT_GT(Befehl().ziel[0], 600) << c.zustand;
        } else {
            EXPECT_NEAR(Befehl().ziel[0], 150, 1) << c.zustand;
        }
    }
}

// A holder 1500 cm in front of his goal: a keeper comes out when the ball is
// nearer than twice his reflex value, however pressed the holder; beyond that
// only for a holder under no pressure.
TEST_F(TorwartTest, HeComesOutWithinTwiceHisReflexValueWhateverTheHoldersPressure) {
    struct Fall {
        int16_t reflexe;
        int32_t druck;
        bool raus;
    } faelle[] = {{1000, 2, true}, {700, 2, false}, {700, 0, true}, {760, 1, true}, {740, 1, false}};
    for (const Fall& c : faelle) {
        s->spielzustand = SZ_SPIEL;
        Stellen(0, 300, 3403);
        s->spieler[0].werte[22] = c.reflexe;
        Stellen(20, 1510, 3403);
        s->spieler[20].druck = c.druck;
        s->ballhalter = 20;
        Ball(1500, 3403, 0, 0);
        KI_Torwart(s, 0);
        if (c.raus) {
            EXPECT_GT(Befehl().ziel[0], 1000) << c.reflexe << " " << c.druck;
        } else {
            EXPECT_NEAR(Befehl().ziel[0], 325, 1) << c.reflexe << " " << c.druck;
        }
    }
}

TEST_F(TorwartTest, ABallCrossingHisLineIsMetOnTheLineAndHeDecidesAgainAfterOneSecond) {
    Stellen(0, 40, 3300);
    Ball(1200, 3600, -1800, 0);   // on the line within the second, rolling slower than a shot
    KI_Torwart(s, 0);
    EXPECT_NEAR(Befehl().ziel[0], 0, 60);
    EXPECT_NEAR(Befehl().ziel[1], 3600, 60);
    EXPECT_FLOAT_EQ(s->figur[0].entscheid_intervall, 1.0f);
}

TEST_F(TorwartTest, AShotBesideHimGetsADiveThatPlaysOnce) {
    Stellen(0, 300, 3403);
    Ball(1020, 3553, -3000, 0);   // fast, 150 cm to his side, 0.24 s away: the dive's contact frame
    KI_Torwart(s, 0);
    const int32_t row = Befehl().anim;
    EXPECT_TRUE(row >= 166 && row <= 207) << row;
    EXPECT_EQ(Befehl().wiederholung, 1);
    EXPECT_NEAR(Befehl().ziel[1], 3553, 5);
}

// A shot reaching his point in hundredths of a second: the save never sends
// him faster than a sprint, however short the time.
TEST_F(TorwartTest, ASaveAtTheLastMomentKeepsHimAtARunnersSpeed) {
    struct Fall {
        float ball_x, ball_y, vx;
    } faelle[] = {{330, 3600, -3000}, {305, 3420, -3000}, {340, 3700, -5000}, {1020, 3553, -3000}};
    for (const Fall& c : faelle) {
        Stellen(0, 300, 3403);
        Ball(c.ball_x, c.ball_y, c.vx, 0);
        KI_Torwart(s, 0);
        EXPECT_LE(Befehl().tempo, 1000.0f) << c.ball_x << " " << c.ball_y;
    }
}

TEST_F(TorwartTest, TheReleaseFollowsHisByteAndTheOpponentsInHisArea) {
    struct Fall {
        int32_t byte;
        bool gegner;
        int32_t min_wurf, max_wurf;   // throws out of 300
    } faelle[] = {
        {0, true, 0, 0},       // always a punt
        {0, false, 70, 130},   // one throw in three
        {1, false, 300, 300},  // never a punt
        {1, true, 300, 300},
    };
    Rnd_Init();
    for (const Fall& c : faelle) {
        s->spieler[SF_SPIELER_SEITE].zustand = SM_RESERVE;
        if (c.gegner) Stellen(SF_SPIELER_SEITE, 900, 3000);
        int32_t wurf = 0;
        for (int32_t i = 0; i < 300; ++i) wurf += KI_Torwart_Abwurf_Art(s, 0, c.byte) == 2;
        EXPECT_GE(wurf, c.min_wurf) << c.byte << c.gegner;
        EXPECT_LE(wurf, c.max_wurf) << c.byte << c.gegner;
    }
}

// A loose ball at rest beside his post: on the pitch he meets it where it
// lies; 18 cm over his line he still fetches it there (50 cm inside the line
// it would stay out of everybody's reach).
TEST_F(TorwartTest, ALooseBallAtRestNearHisLineIsFetchedWhereItLies) {
    struct Fall {
        float ball_x, ziel_x;
    } faelle[] = {{200, 200}, {-18, -18}};
    for (const Fall& c : faelle) {
        Stellen(0, 60, 2760);
        Ball(c.ball_x, 2755, 0, 0);
        s->ball_ziel[0] = c.ball_x;
        s->ball_ziel[1] = 2755;
        KI_Torwart(s, 0);
        EXPECT_NEAR(Befehl().ziel[0], c.ziel_x, 1) << c.ball_x;
        EXPECT_NEAR(Befehl().ziel[1], 2755, 1) << c.ball_x;
    }
}

TEST_F(TorwartTest, InAShootOutTheKeeperNotInGoalWaitsInTheCentreCircle) {
    s->spielzustand = SZ_ELFMETERSCHIESSEN;
    Stellen(0, 300, 3403);
    Ball(9700, 3403, 0, 0);
    KI_Torwart(s, 0);
    EXPECT_LT(std::hypot(Befehl().ziel[0] - 5400, Befehl().ziel[1] - 3403), 915);
    EXPECT_EQ(s->figur[0].jagt_ball, 0);
}

}  // namespace
}  // namespace velmora::test
