// The players without the ball: going for a pass, staying onside, the
// set-piece distances, the shoot-out circle, tackles, marking and the
// offside trap's line.
#include <cmath>
#include <cstring>

#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ki_abwehr.h"
#include "match/live/ki_angriff.h"
#include "match/live/ki_ohne_ball.h"
#include "match/live/spielfeld_ki.h"
#include "match/record/spielfeld.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t ANIM_AUSKICKEN = 71;
constexpr int32_t ANIM_EINWURF = 74;

// Side 0 attacks the goal at x = 10800 and defends the one at x = 0; only the
// players a test places are on the pitch.
class OhneBallTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        for (Spieler_Matchsatz& sm : s->spieler) {
            sm.zustand = SM_RESERVE;
            sm.deckt = sm.partner = sm.rueck = 0xFF;
        }
        s->ballhalter = -1;
        s->naechster0 = s->naechster1 = -1;
        s->abfaenger[0] = s->abfaenger[1] = -1;
        s->wetter_init = 1;
        s->w25126 = 0;
        Ohne_Ball_Laeufer_Setzen(s, 0, -1);
        Ohne_Ball_Laeufer_Setzen(s, 1, -1);
        Ohne_Ball_Empfaenger_Zeit_Setzen(s, -1);
        Abseitslinie(0);
        Ball(5400, 3403, 0, 0, 0);
    }
    // Places a field player with his zone and home positions around (x, y).
    void Stellen(int32_t slot, float x, float y) {
        Spieler_Matchsatz& sm = s->spieler[slot];
        sm.zustand = SM_AUF_PLATZ;
        sm.bereich[0] = int32_t(x) - 1000;
        sm.bereich[1] = int32_t(x) + 1000;
        sm.bereich[2] = int32_t(y) - 1000;
        sm.bereich[3] = int32_t(y) + 1000;
        for (int32_t i = 0; i < 2; ++i) sm.linie[i] = int32_t(x);
        for (int32_t i = 2; i < 4; ++i) sm.linie[i] = int32_t(y);
        SetAnim(s, slot, int32_t(x), int32_t(y), 0);
        Figur& f = s->figur[slot];
        f.situation = 0;
        f.torwart = 0;
        f.v[0] = f.v[1] = 0;
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        a.flags = 0;
        a.tempo = 0;
        a.ziel[0] = x;
        a.ziel[1] = y;
    }
    void Ball(float x, float y, float z, float vx, float vy) {
        Figur& b = s->figur[FIGUR_BALL];
        b.pos[0] = x;
        b.pos[1] = y;
        b.pos[2] = z;
        b.v[0] = vx;
        b.v[1] = vy;
        b.v[2] = 0;
        Anweisung& a = *Figur_Aktuelle_Anweisung(&b);
        a.tempo = std::hypot(vx, vy);
        a.vz = 0;
        s->ball_ziel[0] = x + vx;
        s->ball_ziel[1] = y + vy;
    }
    void Abseitslinie(float l) { std::memcpy(reinterpret_cast<uint8_t*>(s) + 25016, &l, sizeof l); }
    const Anweisung& Befehl(int32_t slot) { return *Figur_Aktuelle_Anweisung(&s->figur[slot]); }
    float Zum_Ball(float x, float y) {
        const Figur& b = s->figur[FIGUR_BALL];
        return std::hypot(x - b.pos[0], y - b.pos[1]);
    }
};

TEST_F(OhneBallTest, ThePassReceiverGoesForTheBallFromAnyDistance) {
    struct Fall {
        float x, y;   // receiver
    } faelle[] = {{5000, 3403}, {9000, 1000}, {500, 6500}, {10500, 300}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.x);
        Stellen(5, c.x, c.y);
        Ball(3000, 2000, 0, 800, 300);
        s->empfaenger = 5;
        KI_Angriff_Ohne_Ball(s, 5, 0);
        EXPECT_EQ(s->empfaenger, 5);
        EXPECT_GT(Befehl(5).tempo, 0);
        // He runs towards the ball's path, not away from it.
        const float vorher = Zum_Ball(c.x, c.y);
        EXPECT_LT(Zum_Ball(Befehl(5).ziel[0], Befehl(5).ziel[1]), vorher + 1);
    }
}

TEST_F(OhneBallTest, AnAttackerBeyondTheLineIsSentBackOnside) {
    // side, player x, home x, line, the x he is sent to (150 cm on the safe side)
    struct Fall {
        int32_t slot, seite;
        float x, heim_x, linie, ziel_x;
    } faelle[] = {
        {5, 0, 9800, 10400, 1500, 10800 - 1650},
        {5, 0, 9000, 10000, 2000, 10800 - 2150},
        {22, 1, 1000, 400, 1500, 1650},
        {22, 1, 1500, 700, 2500, 2650},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.x);
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Stellen(c.slot, c.x, 3403);
        s->spieler[c.slot].linie[1] = int32_t(c.heim_x);
        s->ballhalter = int8_t(c.seite == 0 ? 3 : 20);
        Stellen(s->ballhalter, c.seite == 0 ? 6000 : 4800, 3403);
        Ball(c.seite == 0 ? 6000 : 4800, 3403, 0, 0, 0);
        Abseitslinie(c.linie);
        KI_Angriff_Ohne_Ball(s, c.slot, c.seite);
        EXPECT_NEAR(Befehl(c.slot).ziel[0], c.ziel_x, 1);
    }
}

TEST_F(OhneBallTest, AtAFreeKickNobodyOfTheAttackersStaysNearTheBall) {
    s->spielzustand = SZ_FREISTOSS;
    s->ballhalter = -1;
    Ball(6000, 3000, 0, 0, 0);
    const float punkte[][2] = {{6100, 3000}, {6000, 3400}, {5500, 2600}, {6800, 3100}, {7200, 3000}, {4000, 1000}};
    int32_t slot = 1;
    for (const auto& p : punkte) Stellen(slot++, p[0], p[1]);
    for (int32_t k = 1; k < slot; ++k) {
        KI_Angriff_Ohne_Ball(s, k, 0);
        const Anweisung& a = Befehl(k);
        const Figur& f = s->figur[k];
        if (Zum_Ball(f.pos[0], f.pos[1]) < 915) {
            EXPECT_GE(Zum_Ball(a.ziel[0], a.ziel[1]), 915) << k;
            EXPECT_GT(a.tempo, 0) << k;
        } else {
            EXPECT_EQ(a.ziel[0], f.pos[0]) << "far enough: he stays, " << k;
            EXPECT_EQ(f.v[0], 0) << k;
        }
    }
}

TEST_F(OhneBallTest, InTheShootOutEveryFieldPlayerGoesToTheCentreCircle) {
    s->spielzustand = SZ_ELFMETERSCHIESSEN;
    Ball(1100, 3403, 0, 0, 0);
    const float punkte[][2] = {{200, 200}, {10000, 6000}, {5400, 3000}, {3000, 3403}, {8000, 1000}, {5900, 3800}};
    int32_t slot = 1;
    for (const auto& p : punkte) {
        Stellen(slot, p[0], p[1]);
        Stellen(slot + SF_SPIELER_SEITE, p[0], p[1] + 1);
        ++slot;
    }
    for (int32_t k = 1; k < slot; ++k) {
        for (int32_t slot_k : {k, k + SF_SPIELER_SEITE}) {
            if (slot_k < SF_SPIELER_SEITE) KI_Angriff_Ohne_Ball(s, slot_k, 0);
            else KI_Abwehr(s, slot_k, 1);
            const Anweisung& a = Befehl(slot_k);
            EXPECT_LE(std::hypot(a.ziel[0] - 5400, a.ziel[1] - 3403), 915) << slot_k;
        }
    }
}

TEST_F(OhneBallTest, ADefenderInAnUninterruptibleOrderOnlyMarksItsRepeatCount) {
    Stellen(20, 3000, 3403);
    Ball(3100, 3403, 0, 0, 0);
    s->ballhalter = 5;
    Stellen(5, 3100, 3403);
    Anweisung& a = *Figur_Aktuelle_Anweisung(&s->figur[20]);
    a.flags = 1;
    a.wiederholung = 7;
    a.ziel[0] = 1234;
    a.tempo = 55;
    s->figur[20].entscheiden = 1;
    KI_Abwehr(s, 20, 1);
    EXPECT_EQ(a.wiederholung, 1);
    EXPECT_EQ(a.ziel[0], 1234);
    EXPECT_EQ(a.tempo, 55);
    EXPECT_EQ(s->figur[20].entscheiden, 0);
}

TEST_F(OhneBallTest, TacklesOnlyOnAGroundBallAndNeverAtAThrowIn) {
    // Side 1 defends the goal at x = 10800 against holder 5 of side 0.
    struct Fall {
        float ball_z, abstand;
        bool einwurf;
        int32_t anim;   // the tackle row, -1 none
    } faelle[] = {
        {0, 200, false, ANIM_GRAETSCHEN},
        {0, 100, false, ANIM_AUSKICKEN},   // right at the ball he pokes it away
        {20, 200, false, ANIM_AUSKICKEN},  // a bouncing ball is poked too
        {50, 200, false, -1},
        {120, 200, false, -1},
        {0, 200, true, -1},
        {0, 600, false, -1},               // out of his reach
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << c.ball_z << " " << c.abstand << " " << c.einwurf);
        Stellen(5, 8000, 3403);
        s->ballhalter = 5;
        s->spieler[5].druck = 0;
        Figur_Aktuelle_Anweisung(&s->figur[5])->anim = c.einwurf ? ANIM_EINWURF : ANIM_LAUF_NACH_TEMPO;
        Ball(8000, 3403, c.ball_z, 0, 0);
        Stellen(20, 8000 + c.abstand, 3403);
        Spieler_Matchsatz& d = s->spieler[20];
        d.werte[19] = 0;
        d.basis = 0;
        d.rolle[0] = 0;
        d.talent_flag[TALENT_FLAG(186)] = 0;
        s->pressing[1] = 90;
        s->naechster1 = 20;
        KI_Abwehr(s, 20, 1);
        const Anweisung& a = Befehl(20);
        const bool tackelt = a.anim == ANIM_GRAETSCHEN || a.anim == ANIM_AUSKICKEN;
        if (c.anim < 0) {
            EXPECT_FALSE(tackelt) << a.anim;
        } else {
            EXPECT_EQ(a.anim, c.anim);
            EXPECT_EQ(a.wiederholung, 1) << "a tackle is played once";
        }
    }
}

TEST_F(OhneBallTest, TheTrapBoundsHoldOnBothGoals) {
    // own goal x, foremost attacker x, ball x -> running, lower, upper
    struct Fall {
        float tor, ax, bx;
        bool laeuft;
        float unten, oben;
    } faelle[] = {
        {0, 3000, 4000, true, 3100, 5100},
        {0, 3000, 3100, false, 0, 0},     // the ball behind the attacker breaks it
        {0, 6000, 7000, false, 0, 0},     // an attacker in his own half
        {0, 4000, 4250, true, 3900, 5100},  // the line kept 350 cm behind the ball
        {0, 5300, 9000, true, 5100, 5100},
        {10800, 7000, 6000, true, 5700, 6900},
        {10800, 6000, 5900, true, 6150, 5900},  // the upper bound below the lower one
        {10800, 5000, 3000, false, 0, 0},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << c.tor << " " << c.ax << " " << c.bx);
        Abwehr_Fallengrenzen g{-1, -1};
        ASSERT_EQ(Abwehr_Fallengrenzen_Berechnen(c.tor, c.ax, c.bx, &g), c.laeuft);
        if (c.laeuft) {
            EXPECT_FLOAT_EQ(g.unten, c.unten);
            EXPECT_FLOAT_EQ(g.oben, c.oben);
        }
    }
    // In the match: with the trap running no defender of the goal at 0 aims
    // beyond 5100, none of the goal at 10800 short of 5700.
    s->w25126 = 1;
    s->ballhalter = -1;
    for (int32_t seite = 0; seite < 2; ++seite) {
        const float ax = seite == 0 ? 3000 : 7800;
        s->vorderster_x = ax;
        Ball(seite == 0 ? 4000 : 6800, 3403, 0, 0, 0);
        const float heim[] = {1500, 4000, 6500, 9000};
        for (float hx : heim) {
            const int32_t slot = seite == 0 ? 3 : 20;
            // Away from his home he is called back to it, into the trap's bounds.
            Stellen(slot, hx, 1000);
            s->spieler[slot].linie[2] = 2000;
            s->w25126 = 1;
            if (seite == 0) KI_Abwehr(s, slot, 0);
            else KI_Abwehr(s, slot, 1);
            const float x = Befehl(slot).ziel[0];
            if (seite == 0) {
                EXPECT_LE(x, 5100) << hx;
            } else {
                EXPECT_GE(x, 5700) << hx;
            }
        }
    }
}

TEST_F(OhneBallTest, AWingerIsNotMarkedManToMan) {
    // Defender 3 of side 0 (goal at x = 0) is assigned attacker 25.
    struct Fall {
        float mann_y;
        bool gedeckt;
    } faelle[] = {{3403, true}, {3403 + 2000, true}, {3403 - 2200, true}, {3403 + 2269, false},
                  {3403 - 2400, false}, {6500, false}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.mann_y);
        s->ballhalter = 22;
        Stellen(22, 6000, 3403);
        Ball(6000, 3403, 0, 0, 0);
        Stellen(25, 2500, c.mann_y);
        Stellen(3, 1500, 3403);
        // His zone lies away from the wing so the zone's search finds nobody.
        Spieler_Matchsatz& sm = s->spieler[3];
        sm.bereich[2] = 2400;
        sm.bereich[3] = 4400;
        sm.partner = 25;
        KI_Abwehr(s, 3, 0);
        const Anweisung& a = Befehl(3);
        const bool am_mann = std::fabs(a.ziel[0] - (2500 - 110)) < 2 && std::fabs(a.ziel[1] - c.mann_y) < 2;
        EXPECT_EQ(am_mann, c.gedeckt) << a.ziel[0] << " " << a.ziel[1];
        EXPECT_EQ(s->spieler[3].deckt, 0xFF) << "the current man is cleared after the decision";
    }
}

TEST_F(OhneBallTest, TheNearestDefenderChasesTheBall) {
    // A loose ball rolling towards defender 20's goal: the side's nearest runs
    // at full speed, another man stays with his zone.
    Ball(8000, 3000, 0, 300, 0);
    Stellen(20, 8800, 3100);
    Stellen(21, 9500, 5500);
    s->naechster1 = 20;
    KI_Abwehr(s, 20, 1);
    KI_Abwehr(s, 21, 1);
    EXPECT_FLOAT_EQ(Befehl(20).tempo, int32_t(Spieler_Sprinttempo(s, 20)));
    EXPECT_LT(Zum_Ball(Befehl(20).ziel[0], Befehl(20).ziel[1]), 1000);
    EXPECT_GT(Zum_Ball(Befehl(21).ziel[0], Befehl(21).ziel[1]), 2000);
}

TEST_F(OhneBallTest, AMarkerCutsOffHisMansRunGoalSide) {
    // Defender 3 of side 0 (goal at x = 0) marks attacker 25; the man runs
    // along y 3403 towards the goal or stands. A running man is met on his
    // run, ahead of where he is; a standing one 110 cm goal-side of him.
    struct Fall {
        float tempo;   // the man's run, 0 stands
        float max_x;   // the marker's target x at most
        float min_x;   // and at least
    } faelle[] = {{700, 2500, 1000}, {0, 2890, 2890}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.tempo);
        s->ballhalter = 22;
        Stellen(22, 6000, 3403);
        Ball(6000, 3403, 0, 0, 0);
        Stellen(25, 3000, 3403);
        if (c.tempo > 0) {
            SetZSA(s, 25, 1000, 3403, 0, int32_t(c.tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
                   RING_OHNE_PRUEFUNG, 0, 0);
            Figur_Geschwindigkeit_Setzen(&s->figur[25], c.tempo);
        }
        Stellen(3, 2000, 3800);
        s->spieler[3].partner = 25;
        KI_Abwehr(s, 3, 0);
        const Anweisung& a = Befehl(3);
        EXPECT_LE(a.ziel[0], c.max_x + 1);
        EXPECT_GE(a.ziel[0], c.min_x - 1);
        EXPECT_NEAR(a.ziel[1], 3403, 2);
    }
}

TEST_F(OhneBallTest, TheZoneSearchTakesOnlyMenInTheGoalSidePartOfHisZone) {
    // Defender 3 of side 0 (goal at x = 0), zone x 1000-5000, no man of his
    // own. The threshold 76 - 10 (4 - range) - T2 / 3 cuts the zone's far end
    // by that percentage: range 2 and T2 30 leave x 1000-3160, range 4 and
    // T2 0 leave x 1000-1960.
    struct Fall {
        int8_t weite;
        uint8_t t2;
        float mann_x;
        bool gedeckt;
    } faelle[] = {{2, 30, 3000, true}, {2, 30, 3400, false}, {4, 0, 1800, true}, {4, 0, 2200, false}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.mann_x);
        s->ballhalter = 22;
        Stellen(22, 9000, 3403);
        Ball(9000, 3403, 0, 0, 0);
        Stellen(25, c.mann_x, 3000);
        s->spieler[25].druck = 0;
        Stellen(3, 1200, 3403);
        Spieler_Matchsatz& sm = s->spieler[3];
        sm.bereich[0] = 1000;
        sm.bereich[1] = 5000;
        sm.bereich[2] = 2000;
        sm.bereich[3] = 4800;
        sm.rolle[ROLLE(144)] = uint8_t(c.weite);
        s->taktik[0][5] = c.t2;
        s->deckung[0] = 2;
        KI_Abwehr(s, 3, 0);
        const Anweisung& a = Befehl(3);
        const bool am_mann = std::fabs(a.ziel[0] - (c.mann_x - 110)) < 2 && std::fabs(a.ziel[1] - 3000) < 2;
        EXPECT_EQ(am_mann, c.gedeckt) << a.ziel[0] << " " << a.ziel[1];
    }
}

TEST_F(OhneBallTest, AtAFreeKickWithAWallDefendersKeepOutOfTheTakersBand) {
    // Side 1 defends x = 10800; side 0 has a free kick with a wall 1500 cm
    // out. The taker waits while an opponent stands within 415 cm of the ball
    // along x, so no defender ends his run there, and one who stands in his
    // box clear of the ball and the band stays.
    s->spielzustand = SZ_FREISTOSS;
    s->freistoss_variante = 1;
    s->ballhalter = 5;
    Stellen(5, 9100, 3403);
    Ball(9300, 3403, 0, 0, 0);
    struct Fall {
        float x, y;    // the defender
        bool bleibt;   // stands where he is
    } faelle[] = {{9300, 1800, false}, {9600, 5200, false}, {10000, 2200, true}, {6000, 3403, false}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.x);
        for (int32_t runde = 0; runde < 20; ++runde) {
            Stellen(20, c.x, c.y);
            Anweisung& a = *Figur_Aktuelle_Anweisung(&s->figur[20]);
            a.dauer = 0;
            KI_Abwehr(s, 20, 1);
            const Anweisung& b = Befehl(20);
            EXPECT_GE(std::fabs(b.ziel[0] - 9300), ABWEHR_FREISTOSS_GASSE) << b.ziel[0];
            if (c.bleibt) {
                EXPECT_NEAR(b.ziel[0], c.x, 1);
                EXPECT_NEAR(b.ziel[1], c.y, 1);
            }
        }
    }
}

TEST_F(OhneBallTest, AtAKickOffAPlayerNearTheBallRunsClearBeforeHeIsAskedAgain) {
    // The ball on the centre spot; a player of either side standing inside
    // the kick-off's distance goes to a point 950 cm or more away and keeps a
    // reaction delay, so the contact pass cannot ask him again every frame.
    s->spielzustand = SZ_ANSTOSS;
    s->ballhalter = -1;
    Ball(SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0, 0, 0);
    struct Fall {
        int32_t slot, seite;
        float x, y;
    } faelle[] = {{5, 0, 5000, 3000}, {5, 0, 4800, 3900}, {22, 1, 5900, 3100}, {22, 1, 5700, 3900}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.slot);
        Stellen(c.slot, c.x, c.y);
        s->figur[c.slot].entscheiden = 1;
        if (c.seite == 0) KI_Angriff_Ohne_Ball(s, c.slot, 0);
        else KI_Abwehr(s, c.slot, 1);
        const Figur& f = s->figur[c.slot];
        EXPECT_GE(Zum_Ball(Befehl(c.slot).ziel[0], Befehl(c.slot).ziel[1]), 950);
        EXPECT_FLOAT_EQ(f.entscheid_intervall, OHNE_BALL_ANSTOSS_LAUF);
        EXPECT_EQ(f.entscheiden, 0);
    }
}

}  // namespace
}  // namespace velmora::test
