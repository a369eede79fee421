// Where a figure meets the ball: the meeting point, the ball's height there,
// the point where a high ball has come down, the reach rows and the offside
// trap, each against cases worked out by hand from the flight law
// h(t) = vz t - (981 - s / 10) t².
#include <cmath>

#include "core/rnd.h"
#include "match/live/anweisung.h"
#include "match/live/spielfeld_abfangen.h"
#include "match/record/spielfeld.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

class AbfangenTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
    }
    Figur& Spieler(int32_t slot, float x, float y) { return Spieler_Stellen(s, slot, x, y); }
    // The ball at (x, y, z) flying at speed |v| along v with launch speed vz,
    // its flight clock at 0, its order aimed at (zx, zy), its destination too.
    Figur& Ball(float x, float y, float z, float vx, float vy, float vz, float zx, float zy) {
        Figur& b = Ball_Fliegen(s, x, y, z, vx, vy, vz);
        Anweisung& a = *Figur_Aktuelle_Anweisung(&b);
        a.ziel[0] = zx;
        a.ziel[1] = zy;
        s->ball_ziel[0] = zx;
        s->ball_ziel[1] = zy;
        return b;
    }
};

// Ball from (0, 0) at 1000 cm/s along x, launched at 1000 cm/s: g' = 881; it
// passes 200 cm rising at 0.259181 s and falling at 0.875893 s.
TEST_F(AbfangenTest, AHighBallIsMetWhereItHasComeDown) {
    struct Fall {
        float figur_x, t;
        int32_t tempo;
        float ergebnis;   // -1: too late; t: the time stands
        float x;
        int32_t tempo_nach;
    } faelle[] = {
        {1000, 0.5f, 500, 0.875893f, 875.893f, 141},   // 124.1 cm to run in 0.876 s: 141.7 cm/s
        {900, 0.5f, 500, 0.875893f, 875.893f, 139},    // 24.1 cm: never slower than 5 km/h
        {2000, 0.5f, 500, -1, 0, 500},                 // 1124 cm at 500 cm/s: too late
        {1000, 0.2f, 500, 0.2f, 0, 500},               // before it rose through 200 cm
        {1000, 0.9f, 500, 0.9f, 0, 500},               // already below 200 cm
    };
    const Figur& b = Ball(0, 0, 0, 1000, 0, 1000, 5000, 0);
    for (const Fall& c : faelle) {
        Figur& f = Spieler(1, c.figur_x, 0);
        int32_t tempo = c.tempo;
        float x = 0, y = 0, zeit = -5;
        const float r = Ball_Abfang_Loesen(&b, &f, c.t, 0, 200, &tempo, &x, &y, &zeit);
        EXPECT_NEAR(r, c.ergebnis, 1e-4) << c.figur_x << " " << c.t;
        EXPECT_EQ(tempo, c.tempo_nach) << c.figur_x << " " << c.t;
        if (c.ergebnis > c.t) {
            EXPECT_NEAR(x, c.x, 0.05);
            EXPECT_NEAR(zeit, c.ergebnis, 1e-4);
        }
    }
}

TEST_F(AbfangenTest, TheHeightAtTheMeetingMovesThePointOnlyWhenTheBallIsTooHigh) {
    struct Fall {
        float lauf, hoehe_vorher, reichweite;
        float x, hoehe;
        int32_t tempo;
    } faelle[] = {
        {300, 0, 300, 777, 220.71f, 1000},        // t = 0.3: 300 - 881 x 0.09, within reach
        {300, 0, 200, 875.893f, 200, 141},        // above 200: met where it came down
        {50, 250, 300, 150, 130.1775f, 1000},     // above a head, 0.05 s away: 0.15 s on
        {5000, 0, 300, 777, 0, 1000},             // t = 5 s: back on the ground
    };
    Ball(0, 0, 0, 1000, 0, 1000, 5000, 0);
    for (const Fall& c : faelle) {
        Figur& f = Spieler(1, 1000, 0);
        int32_t tempo = 1000;
        float x = 777, y = 0, h = c.hoehe_vorher;
        Ball_Hoehe_Nach_Zeit(s, &f, c.lauf, &tempo, c.reichweite, &x, &y, &h);
        EXPECT_NEAR(x, c.x, 0.05) << c.lauf << " " << c.reichweite;
        EXPECT_NEAR(h, c.hoehe, 0.01) << c.lauf << " " << c.reichweite;
        EXPECT_EQ(tempo, c.tempo) << c.lauf << " " << c.reichweite;
    }
}

TEST_F(AbfangenTest, TheMeetingPointOfABallOnTheGround) {
    // A ball at rest: the runner's distance to the ball itself.
    Ball(5000, 3000, 0, 0, 0, 0, 5000, 3000);
    Figur& f = Spieler(1, 4000, 3000);
    float abstand = 1000, x = 0, y = 0, h = -1;
    int32_t tempo = 500;
    EXPECT_EQ(KI_Abfangpunkt(s, 1, &f, &abstand, &tempo, &x, &y, &h, 2500), 1000);
    EXPECT_FLOAT_EQ(x, 5000);
    EXPECT_FLOAT_EQ(y, 3000);
    EXPECT_FLOAT_EQ(h, 0);

    // Rolling at him: 1000 cm/s from x 6000 towards 2000, he runs at 500 from
    // 4000; he is in time anywhere from the destination up to x 4666. The
    // distance given (3000) is lowered to his distance to the destination (2000).
    Ball(6000, 3000, 0, -1000, 0, 0, 2000, 3000);
    abstand = 3000;
    const int32_t r = KI_Abfangpunkt(s, 1, &f, &abstand, &tempo, &x, &y, &h, 2500);
    ASSERT_GE(r, 0);
    EXPECT_GE(x, 2000);
    EXPECT_LE(x, 4667);
    EXPECT_FLOAT_EQ(y, 3000);
    EXPECT_EQ(r, int32_t(std::fabs(x - 4000)));
    EXPECT_FLOAT_EQ(abstand, 2000);
    EXPECT_FLOAT_EQ(h, 0);

    // Beyond the limit nothing is searched and the outputs stay.
    Ball(9000, 3000, 0, 1000, 0, 0, 10000, 3000);
    abstand = 3000;
    x = y = h = -7;
    EXPECT_EQ(KI_Abfangpunkt(s, 1, &f, &abstand, &tempo, &x, &y, &h, 2500), -1);
    EXPECT_FLOAT_EQ(x, -7);
    // A bad figure index is refused.
    EXPECT_EQ(KI_Abfangpunkt(s, 40, &f, &abstand, &tempo, &x, &y, &h, 2500), -1);
}

TEST_F(AbfangenTest, TheKeeperTakesTheFirstSaveRowThatFits) {
    struct Fall {
        float seite, hoehe, zeit, tempo;
        int32_t row;
    } faelle[] = {
        {30, 100, 0.16f, 4000, 45},    // standing catch at its contact frame
        {30, 100, 0.16f, 4700, -1},    // too fast to catch, too low for the fist
        {0, 30, 0.16f, 3000, 42},      // at his feet: picked up
        {100, 50, 0.24f, 3000, 166},   // the low dive of 120 cm
        {100, 100, 0.24f, 3000, 170},
        {180, 150, 0.24f, 3000, 190},  // the far dive, high
        {250, 250, 0.2f, 4500, 206},   // the far punch
        {150, 250, 0.2f, 4500, 204},   // too fast for a dive: the flat parry
        {150, 10, 0.03f, 3000, 198},   // no time left: a parry that needs none
        {100, 50, 0.4f, 3000, -1},     // too early for any row
    };
    for (const Fall& c : faelle) {
        Ball(2000, 3403, 0, -c.tempo, 0, 0, 0, 3403);
        Figur& f = Spieler(0, 300, 3403);
        s->torwart_getaeuscht = 1;
        EXPECT_EQ(KI_Torwart_Anim_Waehlen(s, &f, 0, c.seite, c.hoehe, c.zeit), c.row) << c.seite << " " << c.hoehe;
        // A catch unmasks a wrong-footed keeper; a parry does not.
        const bool faengt = c.row == 45 || c.row == 42 || c.row == 166 || c.row == 170 || c.row == 190;
        EXPECT_EQ(s->torwart_getaeuscht, faengt ? 0 : 1) << c.row;
    }
}

TEST_F(AbfangenTest, AFieldPlayerReachesWithHeadOrFootWhenTheTimingFits) {
    struct Fall {
        float seite, hoehe, zeit;
        int16_t wert17;
        bool fallrueck, markiert, gegner_nah;
        int32_t row;
    } faelle[] = {
        {0, 300, 0.2f, 0, true, true, false, 64},      // header
        {0, 230, 0.2f, 0, false, true, false, -1},     // 80 below the header's reach
        {0, 230, 0.2f, 900, false, true, false, 64},   // a jumper reaches 30 further
        {180, 160, 0.2f, 0, false, false, false, 75},  // diving header
        {0, 80, 0.2f, 0, false, true, false, 131},     // volley
        {0, 80, 0.2f, 0, false, false, false, -1},     // volley not allowed
        {0, 200, 0.24f, 0, true, true, false, 134},    // overhead kick
        {0, 200, 0.24f, 0, true, true, true, -1},      // not with an opponent near
        {0, 200, 0.24f, 0, false, true, false, -1},
    };
    for (const Fall& c : faelle) {
        Ball(4000, 3000, 0, 0, 0, 0, 4000, 3000);
        Figur& f = Spieler(5, 5000, 3000);
        s->spieler[5].werte[17] = c.wert17;
        s->spieler[SF_SPIELER_SEITE + 3].zustand = SM_RESERVE;
        if (c.gegner_nah) Spieler(SF_SPIELER_SEITE + 3, 5150, 3100);
        EXPECT_EQ(KI_Spieler_Anim_Waehlen(s, &f, 5, c.seite, c.hoehe, c.zeit, c.fallrueck, c.markiert), c.row)
            << c.seite << " " << c.hoehe << " " << c.zeit;
    }
}

TEST_F(AbfangenTest, TheOffsideTrapWakesTheDefendersNearTheirGoal) {
    struct Fall {
        int8_t linie;
        uint8_t deckung;
        bool nah, weit, ziel_nah, beschaeftigt;   // who decides now
    } faelle[] = {
        {90, 0, true, false, false, false},
        {90, 4, true, false, true, false},   // zone marking: also one running to a point near it
        {-1, 4, false, false, false, false}, // line value below every draw: nobody
    };
    Rnd_Init();
    s->vorderster_x = 3000;   // side 0 defends x = 0
    for (const Fall& c : faelle) {
        s->linienwerte[0][6] = c.linie;
        s->deckung[0] = c.deckung;
        s->w25126 = 0;
        Figur& nah = Spieler(2, 2000, 3000);
        Figur& weit = Spieler(3, 6000, 3000);
        Figur_Aktuelle_Anweisung(&weit)->ziel[0] = 6000;
        Figur& ziel = Spieler(4, 6000, 2000);
        Figur_Aktuelle_Anweisung(&ziel)->ziel[0] = 1500;
        Figur& besetzt = Spieler(5, 1000, 3000);
        besetzt.situation = 20;
        KI_Abseitsfalle(s, 0);
        EXPECT_EQ(nah.entscheiden, c.nah);
        EXPECT_EQ(weit.entscheiden, c.weit);
        EXPECT_EQ(ziel.entscheiden, c.ziel_nah);
        EXPECT_EQ(besetzt.entscheiden, c.beschaeftigt);
        EXPECT_EQ(s->w25126, 1);
    }
}

// The trap's near test counts from the goal each side defends: at either end,
// and after the change of ends, the defender between his goal line and the
// foremost attacker steps up, the one beyond him does not.
TEST_F(AbfangenTest, TheOffsideTrapMeasuresFromTheOwnGoalAtBothEnds) {
    struct Fall {
        int32_t seite;
        uint8_t gewechselt;
    } faelle[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << "side " << c.seite << " changed " << int32_t(c.gewechselt));
        s->seiten_gewechselt = c.gewechselt;
        Spielfeld_Tore_Setzen(s);
        const float g = float(s->tor_x[1 - c.seite]);
        const float dir = g < SPIELFELD_MITTE_X ? 1.0f : -1.0f;   // from the goal into the pitch
        s->vorderster_x = g + dir * 3000;
        s->linienwerte[c.seite][6] = 90;
        s->deckung[c.seite] = 0;
        s->w25126 = 0;
        const int32_t erster = c.seite * SF_SPIELER_SEITE;
        Figur& nah = Spieler(erster + 2, g + dir * 2000, 3000);
        Figur& weit = Spieler(erster + 3, g + dir * 5000, 3000);
        KI_Abseitsfalle(s, c.seite);
        EXPECT_EQ(nah.entscheiden, 1);
        EXPECT_EQ(weit.entscheiden, 0);
        EXPECT_EQ(s->w25126, 1);
    }
}

}  // namespace
}  // namespace velmora::test
