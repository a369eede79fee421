// The ball between two decisions: posts, goals, goal kicks, corners, throw-ins,
// bounces, the flight law and a period end that waits for the next restart.
#include <cmath>

#include "match/live/spielfeld_ballflug.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

class BallTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        s->boden_faktor = 1.2f;
    }
    Figur& ball() { return s->figur[FIGUR_BALL]; }
    // Frames until the line state or the play state changes; the frames used.
    int32_t Bis_Wechsel(int32_t max = 600) {
        const int32_t linie = s->ball_linie;
        const uint32_t zustand = s->spielzustand;
        for (int32_t i = 1; i <= max; ++i) {
            Figuren_Frame(s);
            if (s->ball_linie != linie || s->spielzustand != zustand) return i;
        }
        return -1;
    }
};

// The frame: a shot crossing the line within 17 cm of a post or the crossbar
// rebounds off it (line state 3) instead of going in; a shot between them is
// a goal, one beside the post or over the bar goes out.
TEST_F(BallTest, ThePostsAndTheCrossbarAreHitWithinTheirWidth) {
    const int32_t unten = Spielfeld_Get_Konstanten().pfosten_unten[1];
    const int32_t oben = Spielfeld_Get_Konstanten().pfosten_oben[1];
    struct Fall {
        float y;
        float vz;
        int32_t linie;
    } faelle[] = {
        {float(unten + 5), 0, BALL_ABPRALLER}, {float(oben - 5), 0, BALL_ABPRALLER}, {3403, 0, BALL_TOR},
        {float(unten - 40), 0, BALL_TORAUS},   {3403, 2117, BALL_ABPRALLER},         {3403, 2800, BALL_TORAUS},
    };
    for (const Fall& c : faelle) {
        s->ball_linie = BALL_IM_SPIEL;
        Ball_Schiessen(s, 10500, c.y, 11500, c.y, 2000, c.vz);
        ASSERT_GT(Bis_Wechsel(), 0) << c.y << " " << c.vz;
        EXPECT_EQ(s->ball_linie, c.linie) << c.y << " " << c.vz;
        if (c.linie == BALL_ABPRALLER) {
            EXPECT_FLOAT_EQ(ball().pos[0], 10800 - 17);
        }
    }
}

// Over the goal line beside the goal: a corner when the defending side touched
// the ball last, else a goal kick, each on the ball's side of the pitch.
TEST_F(BallTest, CornerOrGoalKickByTheLastTouch) {
    struct Fall {
        float y;
        int8_t letzte;
        uint32_t zustand;
        float x, erwartet_y;
    } faelle[] = {{1000, 0, SZ_ECKE, 0, 8},
                  {6000, 0, SZ_ECKE, 0, 6798},
                  {1000, 1, SZ_ABSTOSS, 550, 2487},
                  {6000, 1, SZ_ABSTOSS, 550, 4319}};
    for (const Fall& c : faelle) {
        s->spielzustand = SZ_SPIEL;
        s->ball_linie = BALL_IM_SPIEL;
        s->letzte_beruehrung = c.letzte;
        const uint8_t ecken = s->ecken[1];
        Ball_Schiessen(s, 300, c.y, -2000, c.y, 1500);
        ASSERT_GT(Bis_Wechsel(400), 0);
        if (s->ball_linie == BALL_TORAUS) {
            ASSERT_GT(Bis_Wechsel(400), 0);
        }
        EXPECT_EQ(s->spielzustand, c.zustand) << c.y << " " << int32_t(c.letzte);
        EXPECT_EQ(ball().pos[0], c.x);
        EXPECT_EQ(ball().pos[1], c.erwartet_y);
        EXPECT_EQ(s->ball_linie, BALL_IM_SPIEL);
        EXPECT_EQ(s->ecken[1] - ecken, c.zustand == SZ_ECKE ? 1 : 0);
    }
}

// Beyond a touch line a throw-in follows once the ball is dead (stopped, or
// far enough out), on the line where its path crossed it.
TEST_F(BallTest, AThrowInWhereTheBallCrossedTheTouchLine) {
    // A ball lying 100 cm beyond the line.
    Ball_Schiessen(s, 5000, 6906, 5000, 6906, 0);
    Figur_Bewegen(s, FIGUR_BALL, &ball(), 30, true);
    EXPECT_EQ(s->spielzustand, SZ_EINWURF);
    EXPECT_EQ(ball().pos[0], 5000);
    EXPECT_EQ(ball().pos[1], 6806);
    // A ball rolling out at 45 degrees crosses y = 6806 at x = 5106.
    s->spielzustand = SZ_SPIEL;
    Ball_Schiessen(s, 5000, 6700, 7000, 8700, 1500);
    ASSERT_GT(Bis_Wechsel(), 0);
    if (s->spielzustand == SZ_SPIEL) {
        ASSERT_GT(Bis_Wechsel(), 0);
    }
    EXPECT_EQ(s->spielzustand, SZ_EINWURF);
    EXPECT_NEAR(ball().pos[0], 5106, 1);
    EXPECT_EQ(ball().pos[1], 6806);
    // Rolling along 3 m beyond the line: the spot is where it lies, not
    // where the line through its last two positions meets the touch line.
    s->spielzustand = SZ_SPIEL;
    Ball_Schiessen(s, 5000, 7100, 5600, 7100, 300);
    for (int32_t i = 0; i < 5 && s->spielzustand == SZ_SPIEL; ++i) Bis_Wechsel();
    EXPECT_EQ(s->spielzustand, SZ_EINWURF);
    EXPECT_GE(ball().pos[0], 5000);
    EXPECT_LE(ball().pos[0], 5600);
}

// A ball once over a touch line that comes back into the field (a dribbler's
// push carried it out and back) is dead where it lies: a throw-in on the
// nearer touch line level with it, whichever line it crossed. Nobody may
// touch a ball out of play, and no line is crossed again.
TEST_F(BallTest, ABallBackInTheFieldAfterGoingOutIsThrownIn) {
    struct Fall {
        float y, vy;          // where it lies, and its speed across
        float linie;          // the line of the throw-in
    } faelle[] = {{6636, 0, 6806}, {6800, -40, 6806}, {20, 0, 0}, {150, 30, 0}};
    for (const Fall& c : faelle) {
        s->spielzustand = SZ_SPIEL;
        Ball_Schiessen(s, 8000, c.y, 8000, c.y, 0);
        ball().v[1] = c.vy;
        s->ball_linie = BALL_SEITENAUS;
        Figur_Bewegen(s, FIGUR_BALL, &ball(), 30, true);
        EXPECT_EQ(s->spielzustand, SZ_EINWURF) << c.y;
        EXPECT_EQ(s->ball_linie, BALL_IM_SPIEL) << c.y;
        EXPECT_NEAR(ball().pos[0], 8000, 1) << c.y;
        EXPECT_EQ(ball().pos[1], c.linie) << c.y;
    }
}

// The receiver of a pass takes the ball as its path passes him; a ball whose
// step took it nowhere (at rest, its order's speed left standing) passes
// nobody and stays where it lies, though the receiver stands 30 cm off in
// its line. One that rolls past him is taken.
TEST_F(BallTest, ABallThatDidNotMovePassesNoReceiver) {
    const int32_t r = 5;
    for (const float v : {0.0f, 2000.0f}) {
        s->spielzustand = SZ_SPIEL;
        s->ball_linie = BALL_IM_SPIEL;
        s->ballhalter = -1;
        Ball_Fliegen(s, 6000, 3403, 0, v, 0, 0).ring[ball().aktuell & 3].tempo = 300;
        ball().ring[ball().aktuell & 3].ziel[0] = 8000;
        ball().ring[ball().aktuell & 3].ziel[1] = 3403;
        Spieler_Stellen(s, r, 6030, 3403);
        s->empfaenger = r;
        Figur_Bewegen(s, FIGUR_BALL, &ball(), 30, true);
        EXPECT_EQ(ball().pos[0], v == 0 ? 6000.0f : 6050.0f) << v;   // taken: at his feet, 20 cm on
        EXPECT_EQ(ball().pos[1], 3403.0f) << v;
    }
}

// A bounce divides the launch speed by twice the ground factor; from 1.4 on
// the ball does not bounce, and a bounce below 10 cm/s ends.
TEST_F(BallTest, TheGroundFactorDecidesTheBounce) {
    struct Fall {
        float faktor, vz, danach;
    } faelle[] = {{1.2f, 500, 500 / 2.4f}, {1.4f, 500, 0}, {1.6f, 500, 0}, {1.2f, 20, 0}};
    for (const Fall& c : faelle) {
        s->boden_faktor = c.faktor;
        s->aufprall = 0;
        Ball_Schiessen(s, 5000, 3000, 6000, 3000, 300, c.vz);
        for (int32_t i = 0; i < 200 && !s->aufprall; ++i) Figur_Bewegen(s, FIGUR_BALL, &ball(), 30, true);
        ASSERT_TRUE(s->aufprall);
        EXPECT_FLOAT_EQ(Figur_Aktuelle_Anweisung(&ball())->vz, c.danach) << c.faktor << " " << c.vz;
        EXPECT_EQ(ball().pos[2], 0);
    }
}

// A period end asked for during a throw-in waits for the next restart; before
// minute 60 it records the half-time event, which leaves no trace.
TEST_F(BallTest, ARequestedPeriodEndWaitsForTheNextRestart) {
    int32_t gespeichert = 0;
    static int32_t* zaehler = &gespeichert;
    Spielfeld_Hooks().spiel_ereignis = [](int32_t, uint32_t, int32_t, int32_t, int32_t) { ++*zaehler; };
    s->minute = 44;
    s->abschnitt_ende = 1;
    s->spielzustand = SZ_EINWURF;
    Ball_Schiessen(s, 5000, 6906, 5000, 6906, 0);
    Figur_Bewegen(s, FIGUR_BALL, &ball(), 30, true);
    EXPECT_EQ(s->abschnitt_ende, 1) << "no restart outside open play";
    EXPECT_EQ(s->ball_linie, BALL_SEITENAUS);
    const uint32_t ereignis = s->ereignis;
    s->spielzustand = SZ_SPIEL;
    Figur_Bewegen(s, FIGUR_BALL, &ball(), 30, true);
    EXPECT_EQ(s->abschnitt_ende, 2);
    EXPECT_EQ(s->spielzustand, SZ_SPIEL) << "the throw-in gives way to the period end";
    EXPECT_EQ(s->ereignis, ereignis);
    EXPECT_EQ(gespeichert, 0);
}

// A figure running diagonally (velocity x = -velocity y) is not taken for one
// at rest: it keeps its speed.
TEST_F(BallTest, ADiagonalRunIsNoRest) {
    SetAnim(s, 5, 3000, 3000, 0);
    ASSERT_TRUE(SetZSA(s, 5, 4000, 2000, 0, 400, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, 0, 0, 0));
    Figur& f = s->figur[5];
    f.v[0] = 300;
    f.v[1] = -300;
    f.dreh_geplant = 0;
    Figur_Bewegen(s, 5, &f, 30, false);
    EXPECT_EQ(Figur_Aktuelle_Anweisung(&f)->tempo, 400);
    EXPECT_EQ(f.idle, 0);
}

// The flight law: a ball kicked without launch speed never rises; at 9810 cm/s
// it flies without gravity; the rising branch is found at the ball's height.
TEST(BallFlug, TheHeightFollowsTheTimeSinceTheKick) {
    EXPECT_DOUBLE_EQ(Spielfeld_Ball_Hoehe(100, 9810, 2), 200);
    EXPECT_DOUBLE_EQ(Spielfeld_Ball_Hoehe(1000, 0, 1), 19);
    struct Fall {
        float vz, tempo, z, zeit;
    } faelle[] = {{0, 0, 0, 0}, {1000, 0, 250, 500}, {1000, 0, 400, 500}, {1000, 9810, 250, 300}, {1000, 0, 0, 0}};
    for (const Fall& c : faelle) {
        Figur b{};
        b.ring[0].vz = c.vz;
        b.ring[0].tempo = c.tempo;
        b.pos[2] = c.z;
        b.flug_start = 777;
        Spielfeld_Ball_Flug_Steigend(&b);
        EXPECT_EQ(b.flug_zeit, c.zeit) << c.vz << " " << c.z;
        EXPECT_EQ(b.flug_start, 0);
    }
    // Back from a time on the falling branch to the height reached rising.
    Figur b{};
    b.ring[0].vz = 1000;
    b.pos[2] = 250;
    b.flug_zeit = 0;
    Spielfeld_Ball_Flug(&b, 900);
    EXPECT_EQ(b.flug_zeit, 500);
    EXPECT_FLOAT_EQ(Spielfeld_Linie_Interpolieren(0, 0, 10, 20, 5), 10);
    EXPECT_NEAR(Spielfeld_Linie_Interpolieren(5, 3, 5, 9, 5), 3, 0.01);
}

}  // namespace
}  // namespace velmora::test
