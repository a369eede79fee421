// Pitch geometry, possession and the shared operations of the figure AI.
#include <cmath>

#include "club/spieler.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

class BesitzTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        // Everyone off the pitch; the tests put their players on it.
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
    }
    void Stellen(int32_t slot, float x, float y) {
        s->spieler[slot].zustand = SM_AUF_PLATZ;
        SetAnim(s, slot, int32_t(x), int32_t(y), 0);
        s->figur[slot].situation = 0;
    }
};

TEST_F(BesitzTest, TheSideInPossessionAndTheRectangleEdges) {
    struct Halter {
        int8_t figur;
        int32_t seite;
    } halter[] = {{-1, 0}, {0, 0}, {16, 0}, {17, 1}, {33, 1}};
    for (const Halter& h : halter) {
        s->ballhalter = h.figur;
        EXPECT_EQ(Spielfeld_Ballbesitz_Seite(s), h.seite) << int32_t(h.figur);
    }
    Stellen(5, 1000, 1000);
    struct Rechteck {
        int32_t x1, y1, x2, y2, anzahl;
    } rechtecke[] = {{1000, 500, 2000, 2000, 0},
                     {999, 500, 2000, 2000, 1},
                     {2000, 2000, 999, 500, 1},
                     {500, 500, 1000, 1000, 0},
                     {500, 999, 1001, 1001, 1}};
    for (const Rechteck& r : rechtecke) {
        int32_t letzter = -1;
        EXPECT_EQ(Spielfeld_Spieler_Im_Rechteck(s, -1, r.x1, r.y1, r.x2, r.y2, &letzter), r.anzahl)
            << r.x1 << " " << r.y1 << " " << r.x2 << " " << r.y2;
        EXPECT_EQ(letzter, r.anzahl ? 5 : -1);
        EXPECT_EQ(Spielfeld_Spieler_Im_Rechteck(s, 5, r.x1, r.y1, r.x2, r.y2, nullptr), 0) << "never the figure itself";
    }
    // The least pressed defender in a zone, nearest the goal side's middle.
    Stellen(20, 1500, 3000);
    Stellen(21, 1200, 3300);
    s->spieler[21].druck = 3;
    int32_t beste = -2, px = 0, py = 0;
    EXPECT_EQ(Spielfeld_Deckung_Suchen(s, 0, 3000, 2000, 1000, 4000, &beste, &px, &py, 0), 2);
    EXPECT_EQ(beste, 20) << "pressed by three, the other one is left out";
    EXPECT_EQ(px, 1000);
    EXPECT_EQ(py, SPIELFELD_MITTE_Y);
}

// On the pitch and playing: the state bit and a drawn figure. A player
// carried off injured (still counted on the pitch, no longer drawn) is found
// by no search, whichever side is asked for.
TEST_F(BesitzTest, APlayerCarriedOffIsFoundByNoSearch) {
    struct Fall {
        uint32_t zustand;
        uint8_t gezeichnet;
        bool spielt;
    } faelle[] = {{SM_AUF_PLATZ, 1, true}, {SM_AUF_PLATZ, 0, false}, {SM_RESERVE, 1, false}, {SM_RESERVE, 0, false}};
    Stellen(3, 5000, 3000);
    for (const Fall& f : faelle) {
        Stellen(20, 5100, 3000);
        s->spieler[20].zustand = f.zustand;
        s->figur[20].gezeichnet = f.gezeichnet;
        EXPECT_EQ(Spielfeld_Spielt_Mit(s, 20), f.spielt) << f.zustand << " " << int32_t(f.gezeichnet);
        EXPECT_EQ(Spielfeld_Gegner_Suchen(s, 3, -1, -1, 300), f.spielt ? 20 : -1) << int32_t(f.gezeichnet);
        EXPECT_EQ(Spielfeld_Spieler_Suchen(s, 3, 5100, 3000, 50), f.spielt ? 20 : -1) << int32_t(f.gezeichnet);
    }
    EXPECT_FALSE(Spielfeld_Spielt_Mit(s, -1));
    EXPECT_FALSE(Spielfeld_Spielt_Mit(s, SF_SPIELER));
}

// The players around a figure: distances (negative for those behind it, as
// seen towards their own goal), the rows by x distance, the cumulative counts
// per 100 cm; and the weighted neighbour count with its marking.
TEST_F(BesitzTest, PlayersAroundAFigure) {
    Stellen(5, 5000, 3000);
    Stellen(6, 4850, 3050);
    Stellen(20, 5300, 3000);
    Stellen(21, 4800, 3000);
    int32_t liste[34] = {}, abstand[34] = {};
    uint8_t eimer[5 * 34] = {}, anzahl[5] = {};
    EXPECT_EQ(Spielfeld_Spieler_Umgebung(s, 500, 0, 0, 5, 0, 0, liste, abstand, eimer, anzahl, 34), 3);
    const int32_t erwartet_liste[3] = {6, 20, 21}, erwartet_abstand[3] = {-158, -300, 200};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(liste[i], erwartet_liste[i]);
        EXPECT_EQ(abstand[i], erwartet_abstand[i]) << liste[i];
    }
    const uint8_t zaehler[5] = {0, 1, 2, 3, 3};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(anzahl[i], zaehler[i]) << i;
    EXPECT_EQ(eimer[1 * 34], 0);
    EXPECT_EQ(eimer[1 * 34 + 1], 255) << "a row's list ends with 255";
    EXPECT_EQ(eimer[2 * 34], 2);
    EXPECT_EQ(eimer[3 * 34], 1);
    EXPECT_EQ(eimer[0], 255) << "an empty row";
    EXPECT_EQ(Spielfeld_Spieler_Umgebung(s, 500, 0, 1, 5, 0, 0, nullptr, nullptr, nullptr, anzahl, 34), 3);
    const uint8_t vorne[5] = {0, 0, 1, 1, 1};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(anzahl[i], vorne[i]) << "without those behind " << i;
    EXPECT_EQ(Spielfeld_Spieler_Umgebung(s, 500, 1, 0, 5, 0, 0, liste, abstand, nullptr, anzahl, 34), 1);
    EXPECT_EQ(Spielfeld_Spieler_Umgebung(s, 500, 2, 0, 5, 0, 0, liste, abstand, nullptr, anzahl, 1), 2);
    EXPECT_EQ(liste[0], 20);
    EXPECT_EQ(anzahl[4], 1) << "only the players listed are counted";

    s->figur[5].v[0] = 200;
    s->figur[21].entscheiden = 0;
    EXPECT_EQ(Spielfeld_Nachbarn_Zaehlen(s, 5, 2, 250, false, false), 4);
    EXPECT_EQ(Spielfeld_Nachbarn_Zaehlen(s, 5, 2, 250, true, true), 4);
    EXPECT_EQ(Spielfeld_Nachbarn_Zaehlen(s, 5, 1, 250, false, false), 2);
    EXPECT_EQ(s->spieler[21].deckt, 5);
    EXPECT_EQ(s->figur[21].entscheiden, 1);
}

// Taken again by its holder the ball only gets a stopped ball moving; a pass
// between team-mates gives the assist to the passer and makes the receiver
// the last to play the ball (the scorer of a goal), an interception clears
// it, sets the pass limit to 5400 and counts the passer's failed pass.
TEST_F(BesitzTest, PassesAssistsAndInterceptions) {
    for (int32_t k : {3, 4, 22}) Stellen(k, 3000 + 100 * k, 3000);
    Figur& ball = s->figur[FIGUR_BALL];
    Anweisung& ba = *Figur_Aktuelle_Anweisung(&ball);

    EXPECT_TRUE(Ballbesitz_Setzen(s, 3));
    EXPECT_EQ(s->ballhalter, 3);
    ba.tempo = 0;
    ball.v[0] = ball.v[1] = 0;
    EXPECT_FALSE(Ballbesitz_Setzen(s, 3));
    EXPECT_EQ(ba.tempo, 20);
    EXPECT_EQ(ball.v[0], 20);
    ba.tempo = 800;
    EXPECT_FALSE(Ballbesitz_Setzen(s, 3));
    EXPECT_EQ(ba.tempo, 800) << "a moving ball keeps its speed";

    s->pass_unterwegs = 1;
    s->passgeber = 3;
    s->letzter_spieler = 3;
    EXPECT_TRUE(Ballbesitz_Setzen(s, 4));
    EXPECT_EQ(s->vorletzter_spieler, 3);
    EXPECT_EQ(s->letzter_spieler, 4) << "the receiver plays the ball: a goal he dribbles in is his";
    EXPECT_EQ(s->pass_unterwegs, 0);
    EXPECT_EQ(s->statistik[4][5], 1) << "the ball contact";

    s->pass_unterwegs = 1;
    s->passgeber = 4;
    s->vorderster_x = 1234;
    EXPECT_TRUE(Ballbesitz_Setzen(s, 22));
    EXPECT_EQ(s->vorletzter_spieler, -1);
    EXPECT_EQ(s->vorderster_x, 5400);
    EXPECT_EQ(s->statistik[4][0], 1) << "the passer's pass failed";
    EXPECT_EQ(s->halter_torlinie, int32_t(s->tor_x[1]));

    EXPECT_TRUE(Ballbesitz_Setzen(s, -1));
    EXPECT_EQ(s->ballhalter, -1);
    // The loose ball's roles are given at once: the word names the player nearest to it.
    ASSERT_TRUE(s->halter_wort >= 0 && s->halter_wort < SF_SPIELER);
    EXPECT_TRUE(s->spieler[s->halter_wort].zustand & SM_AUF_PLATZ);
    s->ball_linie = 4;
    EXPECT_FALSE(Ballbesitz_Setzen(s, 3));
    EXPECT_EQ(s->ballhalter, -1) << "no new holder while the ball is out";
    EXPECT_EQ(s->ball_linie, 5) << "a ball beyond the touch line is taken out of play";
    EXPECT_FALSE(Ballbesitz_Setzen(s, 40));
    EXPECT_TRUE(Log_Enthaelt("Ballbesitz_Setzen: Spieler 40"));
}

// A point's distance from a path: the perpendicular foot must lie on the path,
// with 1/25 of it to spare beyond B; axis-parallel paths alike.
TEST(SpielfeldGeometrie, DistanceFromAPath) {
    struct Fall {
        float x0, y0, x1, y1, px, py, d, fx, fy;
    } faelle[] = {
        {0, 0, 0, 100, 30, 90, 30, 0, 90},      {0, 0, 0, 100, 5, 104, 5, 0, 104},
        {0, 0, 0, 100, 5, 105, -1, 0, 0},       {0, 0, 0, 100, 5, -1, -1, 0, 0},
        {0, 100, 0, 0, 5, -4, 5, 0, -4},        {0, 0, 100, 0, 50, -20, 20, 50, 0},
        {100, 0, 0, 0, 120, 3, -1, 0, 0},       {0, 100, 100, 200, 104, 204, 0, 104, 204},
        {0, 100, 100, 200, 105, 205, -1, 0, 0}, {0, 100, 100, 200, 0, 200, 70.710678f, 50, 150},
        {10, 10, 10, 10, 13, 14, 5, 10, 10},
    };
    for (const Fall& c : faelle) {
        float fx = -7, fy = -7;
        const float d = Spielfeld_Abstand_Strecke(c.x0, c.y0, c.x1, c.y1, c.px, c.py, &fx, &fy);
        EXPECT_NEAR(d, c.d, 0.01) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1 << " " << c.px << "," << c.py;
        if (c.d < 0) {
            EXPECT_EQ(fx, -7) << "no foot for a point off the path";
            continue;
        }
        EXPECT_NEAR(fx, c.fx, 0.01);
        EXPECT_NEAR(fy, c.fy, 0.01);
    }
    struct Winkel {
        float a, b;
        int32_t w;
    } winkel[] = {{0, 5, 156}, {1, 1, 78}, {-1, 1, -78}, {1, 0, 0}, {0, -5, 156}, {1, 1000, 156}};
    for (const Winkel& w : winkel) EXPECT_EQ(Spielfeld_Winkel(w.a, w.b), w.w) << w.a << " " << w.b;
}

// A free point lies on the circle, behind the ball for a side when asked, and
// is found even when the circle leaves the pitch; with no point at all the
// search ends after 200 draws on the pitch.
TEST_F(BesitzTest, AFreePointAroundTheBall) {
    Figur& ball = s->figur[FIGUR_BALL];
    SetAnim(s, FIGUR_BALL, 5400, 3403, 0);
    Stellen(2, 5000, 3000);
    for (int32_t i = 0; i < 20; ++i) {
        int32_t x = -1, y = -1;
        Spielfeld_Freier_Punkt(s, 2, FIGUR_BALL, 990, &x, &y, 1);
        EXPECT_LE(x, 5400);
        EXPECT_NEAR(std::hypot(x - 5400.0, y - 3403.0), 1000, 2);
        EXPECT_GE(std::hypot(x - 5000.0, y - 3000.0), 50);
    }
    int32_t x = -1, y = -1;
    Spielfeld_Freier_Punkt(s, 20, FIGUR_BALL, 990, &x, &y, 1);
    EXPECT_GE(x, 5400) << "side 1 defends the goal at x = 10800";
    SetAnim(s, FIGUR_BALL, 100, 3403, 0);
    Spielfeld_Freier_Punkt(s, 2, FIGUR_BALL, 990, &x, &y, 1);
    EXPECT_GE(x, 0) << "the circle moved back onto the pitch";
    EXPECT_LE(x, 1100);
    ball.pos[1] = -5000;
    Spielfeld_Freier_Punkt(s, 2, FIGUR_BALL, 990, &x, &y, 0);
    EXPECT_TRUE(Log_Enthaelt("Spielfeld_Freier_Punkt"));
    EXPECT_EQ(y, 50);
    EXPECT_GE(x, 50);
}

// The pass lane: players of the side in the lane, the nearest (a goalkeeper
// first), those close to the line; the close count stays 0.
TEST_F(BesitzTest, PlayersInThePassLane) {
    Stellen(3, 2000, 3000);   // the passer
    Stellen(20, 4000, 3050);  // in the lane
    Stellen(21, 5000, 3400);  // 400 off the line: outside w = 300
    Stellen(22, 5000, 2900);
    float nah = 0;
    int32_t slot = -1, dicht = -5, nahe = -5;
    EXPECT_EQ(Spielfeld_Spieler_Im_Passweg(s, 3, 8000, 3000, 1, &nah, &slot, 300, &dicht, &nahe), 2);
    EXPECT_EQ(slot, 20);
    EXPECT_NEAR(nah, 50, 0.5);
    EXPECT_EQ(dicht, 0);
    EXPECT_EQ(nahe, 2);
    s->figur[22].torwart = 1;
    slot = -1;
    Spielfeld_Spieler_Im_Passweg(s, 3, 8000, 3000, 1, &nah, &slot, 300, nullptr, nullptr);
    EXPECT_EQ(slot, 22) << "a goalkeeper in the lane is the nearest";
    EXPECT_EQ(s->figur[3].v[0], 0) << "the passer's velocity is given back";
}

TEST_F(BesitzTest, StandVariantsRefereeAndValue98) {
    Figur& f = s->figur[7];
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    a.anim = ANIM_LAUFEN_1;
    a.wiederholung = -1;
    EXPECT_EQ(Figur_Standvariante_Waehlen(&f, -1), -1) << "a running row is no stand";
    a.anim = ANIM_STEHEN;
    a.wiederholung = 3;
    EXPECT_EQ(Figur_Standvariante_Waehlen(&f, -1), -1);
    EXPECT_EQ(a.wiederholung, 3) << "a finite order stays as it is";
    a.wiederholung = -1;
    for (int32_t i = 0; i < 30; ++i) {
        a.wiederholung = -1;
        const int32_t z = Figur_Standvariante_Waehlen(&f, -1);
        ASSERT_GE(z, 0);
        ASSERT_LT(z, 7);
        EXPECT_TRUE(Anim_Zeile(z)->benutzt);
        EXPECT_EQ(a.anim, z);
        EXPECT_EQ(a.wiederholung, 10);
    }
    Figur& schiri = s->figur[FIGUR_SCHIRI];
    Anweisung& sa = *Figur_Aktuelle_Anweisung(&schiri);
    struct Fall {
        float vx, tempo;
        int32_t anim;
        uint8_t flags;
        bool bereit;
    } faelle[] = {
        {0, 0, 0, 0, true}, {100, 0, 0, 0, true}, {100, 200, 0, 0, false}, {0, 0, 88, 0, false}, {0, 0, 0, 1, false}};
    for (const Fall& c : faelle) {
        schiri.v[0] = c.vx;
        schiri.v[1] = 0;
        sa.tempo = c.tempo;
        sa.anim = c.anim;
        sa.flags = c.flags;
        EXPECT_EQ(Schiedsrichter_Bereit(s), c.bereit) << c.vx << " " << c.tempo << " " << c.anim;
    }
    const int32_t team = 2;
    int32_t sp[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, sp, TEAM_SPIELER_MAX, 0);
    ASSERT_GT(n, 0);
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(SPW_TRAINING_EINHEITEN, sp[i], 40, OP_SCHREIBEN);
    Spieler_Wert(SPW_TRAINING_EINHEITEN, sp[0] + JE_CLUB, 40, OP_SCHREIBEN);
    Spielfeld_Team_Wert98_Nullen(team);
    for (int32_t i = 0; i < n; ++i) EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, sp[i], 0, OP_LESEN), 0);
    EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, sp[0] + JE_CLUB, 0, OP_LESEN), 40) << "another club's player";
}

}  // namespace
}  // namespace velmora::test
