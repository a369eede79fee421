// The player on the ball: the rows he plays straight on from, the lob over a
// keeper who came out, rehearsed moves and the distance band of the pass choice.
#include <cmath>
#include <cstring>
#include <string>

#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ki_ballfuehrer.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

// Side 0 attacks the goal at x = 10800; slot 5 holds the ball.
class BallfuehrerTest : public OffenesSpielTest {
protected:
    static constexpr int32_t HALTER = 5;
    void SetUp() override {
        OffenesSpielTest::SetUp();
        Rnd_Init();
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        s->live_anweisung = 0;
        std::memset(s->taktik, 0, sizeof s->taktik);
        std::memset(s->linienwerte, 0, sizeof s->linienwerte);
    }
    Figur& Stellen(int32_t slot, float x, float y) {
        Figur& f = Spieler_Stellen(s, slot, x, y);
        f.torwart = 0;
        return f;
    }
    // The holder at (x, 3403) with the ball at his feet at height z.
    Figur& Halter(float x, float z = 0) {
        Figur& f = Stellen(HALTER, x, 3403);
        Spieler_Matchsatz& sm = s->spieler[HALTER];
        sm.ausdauer = 10000;
        sm.werte[18] = 400;   // technique
        sm.werte[4] = 600;    // finishing
        sm.werte[5] = 500;    // shooting
        sm.werte[1] = 500;    // passing
        sm.werte[10] = 500;   // composure
        sm.rolle[ROLLE(149)] = 0;                 // no keep-it-simple
        sm.talent_flag[TALENT_FLAG(184)] = 0;     // passes
        sm.talent_flag[TALENT_FLAG(183)] = 0;     // no shooter
        Ball_Fliegen(s, x + 10, 3403, z, 0, 0, 0);
        Ballbesitz_Setzen(s, HALTER);
        return f;
    }
    // Plays `anim` as a ball-contact order at frame `frame`.
    void Spielt(Figur& f, int32_t anim, int32_t frame) {
        SetZSA(s, HALTER, int32_t(f.pos[0]), int32_t(f.pos[1]), 0, 0, anim, 0, -1, 0, -1, 1, 1, RING_OHNE_PRUEFUNG, 0,
               0);
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        a.flags = 1;
        a.frame = int8_t(frame);
    }
    float Balltempo() { return Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL])->tempo; }
};

TEST_F(BallfuehrerTest, ARowWithBallContactIsPlayedOnOnlyWhenItAllowsIt) {
    constexpr int32_t SCHUSS_PLAZIERT = 34, VOLLEY = 131, EINWURF = 74;
    struct Fall {
        int32_t anim;
        bool am_ende;
        float hoehe;
        bool schuss;   // a shot leaves (counted for him), else the ball stays as it was
    } faelle[] = {
        {SCHUSS_PLAZIERT, false, 0, false},   // frames remain: nothing happens
        {SCHUSS_PLAZIERT, true, 0, true},     // played on first time, 1900 cm out: a shot
        {VOLLEY, false, 130, true},           // a volley reaches 140 cm and shoots at once
        {VOLLEY, false, 150, false},          // above the volley's reach: he chases
        {EINWURF, false, 0, false},           // a throw-in still playing
    };
    for (const Fall& c : faelle) {
        Figur& f = Halter(8900, c.hoehe);
        const Anim_Satz* z = Anim_Zeile(c.anim);
        ASSERT_NE(z, nullptr);
        Spielt(f, c.anim, c.am_ende ? z->letzter_frame : 0);
        Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL])->tempo = 0;
        const uint8_t vorher = s->statistik[HALTER][2];
        KI_Ballfuehrer(s, HALTER, 0);
        EXPECT_EQ(s->statistik[HALTER][2] != vorher, c.schuss) << c.anim << " " << c.am_ende << " " << c.hoehe;
        if (c.schuss) {
            EXPECT_GT(Balltempo(), 1000) << "a first-time shot leaves at half its speed or less";
            EXPECT_LT(Balltempo(), 2800) << c.anim;
        }
        EXPECT_EQ(f.situation, 0) << "a row's situation holds for this decision only";
        if (c.anim == SCHUSS_PLAZIERT && !c.am_ende) {
            EXPECT_EQ(Figur_Aktuelle_Anweisung(&f)->anim, SCHUSS_PLAZIERT) << "his order stays";
        }
    }
}

// A run with the ball: a ball already rolling at the push's speed keeps that
// speed but turns with the run; left on its old order it would roll away
// from its holder at every turn.
// A chaser 400 cm from a loose ball: an uninterruptible action he plays (a
// slide, a poke) runs on untouched with the shortest reaction delay; a running
// order, or an action that has ended (flags cleared), gives way to the chase.
TEST_F(BallfuehrerTest, AChaserInTheMiddleOfASlideSlidesOn) {
    const struct {
        int32_t anim;
        uint8_t flags;
        bool jagt;   // the chase replaces the order
    } faelle[] = {{ANIM_GRAETSCHEN, 1, false}, {Anim_Suchen("Auskicken"), 1, false}, {ANIM_GRAETSCHEN, 0, true},
                  {ANIM_LAUFEN_3, 0, true}};
    for (const auto& fall : faelle) {
        SetUp();
        ASSERT_GE(fall.anim, 0);
        Figur& f = Stellen(7, 5000, 3000);
        Ball_Fliegen(s, 5400, 3000, 0, 0, 0, 0);
        s->ballhalter = -1;
        f.jagt_ball = 1;
        SetZSA(s, 7, 4000, 3000, 0, 900, fall.anim, 0, -1, 0, -1, 1, 1, RING_OHNE_PRUEFUNG, 0, 0);
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        a.flags = fall.flags;
        a.frame = 3;
        KI_Ballfuehrer(s, 7, 0);
        const Anweisung& n = *Figur_Aktuelle_Anweisung(&f);
        const std::string was = std::to_string(fall.anim) + " flags " + std::to_string(fall.flags);
        if (fall.jagt) {
            EXPECT_NE(n.anim, ANIM_GRAETSCHEN) << was;
            EXPECT_GT(n.ziel[0], 4000.0f) << was;   // turning towards the ball
        } else {
            EXPECT_EQ(n.anim, fall.anim) << was;
            EXPECT_EQ(n.frame, 3) << was;
            EXPECT_EQ(n.ziel[0], 4000.0f) << was;
            EXPECT_FLOAT_EQ(f.entscheid_intervall, 0.001f) << was;
        }
    }
}

TEST_F(BallfuehrerTest, ARollingBallKeepsItsSpeedAndTurnsWithTheRun) {
    Figur& f = Halter(3000);   // far from goal, nobody to pass to: he runs
    Figur& b = s->figur[FIGUR_BALL];
    KI_Ballfuehrer(s, HALTER, 0);
    const float tempo = Balltempo();
    ASSERT_GT(tempo, 0.0f);
    ASSERT_GT(Figur_Aktuelle_Anweisung(&b)->ziel[0], b.pos[0]);   // towards the goal at x = 10800
    // The ball now rolls the wrong way at his feet, a little faster than the
    // push (inside its 8 % band; the launch above was truncated to whole cm/s).
    const int32_t rollt = int32_t(tempo) + 2;
    b.pos[0] = f.pos[0] + 10;
    b.pos[1] = f.pos[1];
    SetZSA(s, FIGUR_BALL, int32_t(b.pos[0] - 400), int32_t(b.pos[1]), 0, rollt, ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
    f.entscheiden = 1;
    KI_Ballfuehrer(s, HALTER, 0);
    EXPECT_GT(Figur_Aktuelle_Anweisung(&b)->ziel[0], b.pos[0]) << "the ball turns with the run";
    EXPECT_FLOAT_EQ(Balltempo(), float(rollt)) << "a ball within the band keeps its speed";
}

// Running with the ball he makes for a point 100 cm beyond the goal line he
// attacks, whichever end that is: he carries the ball on over the line (or,
// near it, into the goal) rather than stopping short of it.
TEST_F(BallfuehrerTest, HeRunsWithTheBallToAPointBeyondTheGoalLineHeAttacks) {
    struct Fall {
        int8_t gewechselt;
        float x, y;
        float ziel_x, ziel_y;
    } faelle[] = {
        {0, 3000, 3403, 10900, 3403},   // far out, in the middle
        {1, 7800, 3403, -100, 3403},    // the sides changed: towards x = 0
        {0, 10600, 1000, 10900, 3403},  // within 300 cm of the line, out wide: in towards the goal
        {1, 200, 5800, -100, 3403},
    };
    for (const Fall& c : faelle) {
        s->seiten_gewechselt = c.gewechselt;
        Spielfeld_Tore_Setzen(s);
        Figur& f = Halter(c.x);
        f.pos[1] = c.y;
        s->figur[FIGUR_BALL].pos[1] = c.y;
        KI_Ballfuehrer(s, HALTER, 0);
        const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        EXPECT_FLOAT_EQ(a.ziel[0], c.ziel_x) << c.x << " " << int32_t(c.gewechselt);
        EXPECT_FLOAT_EQ(a.ziel[1], c.ziel_y) << c.x << " " << int32_t(c.gewechselt);
        EXPECT_EQ(s->ballhalter, HALTER) << "he keeps the ball";
    }
    s->seiten_gewechselt = 0;
    Spielfeld_Tore_Setzen(s);
}

// The same first-time shot, played by either side towards either end: the
// keeper it flies at answers it the moment it is struck, though he decided
// just before and waits out his interval (as one whose turn in the frame came
// before the shooter's). Every case is the first one mirrored: his new order
// keeps the same distance from his line, the same y and the same row.
TEST_F(BallfuehrerTest, TheKeeperAnswersAShotAtOnceWhicheverSideShootsAndWhereverItPlays) {
    constexpr int32_t SCHUSS_PLAZIERT = 34;
    struct Fall {
        int32_t seite;        // the shooting side
        int8_t gewechselt;    // ends changed
    } faelle[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    float tiefe0 = 0, y0 = 0;
    int32_t anim0 = -1;
    for (const Fall& c : faelle) {
        s->seiten_gewechselt = c.gewechselt;
        Spielfeld_Tore_Setzen(s);
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        const int32_t schuetze = HALTER + c.seite * SF_SPIELER_SEITE, torwart = (1 - c.seite) * SF_SPIELER_SEITE;
        // Side 1's shooter and keeper are side 0's, slot for slot.
        if (c.seite == 1) {
            s->spieler[schuetze] = s->spieler[HALTER];
            s->spieler[torwart] = s->spieler[SF_SPIELER_SEITE];
        }
        const float ziel = float(s->tor_x[c.seite]), vor = ziel > SPIELFELD_MITTE_X ? -1.0f : 1.0f;
        Figur& f = Stellen(schuetze, ziel + vor * 1900, 3403);
        Spieler_Matchsatz& sm = s->spieler[schuetze];
        sm.ausdauer = 10000;
        sm.werte[18] = 400;
        sm.werte[4] = 600;
        sm.werte[5] = 500;
        sm.werte[10] = 500;
        sm.talent_flag[TALENT_FLAG(183)] = 0;
        Ball_Fliegen(s, f.pos[0] - vor * 10, 3403, 0, 0, 0, 0);
        Ballbesitz_Setzen(s, schuetze);
        Figur& tw = Stellen(torwart, ziel + vor * 150, 3100);
        tw.torwart = 1;
        s->spieler[torwart].werte[32] = 0;
        tw.entscheid_intervall = 0.5f;   // he decided a moment ago
        SetZSA(s, schuetze, int32_t(f.pos[0]), int32_t(f.pos[1]), 0, 0, SCHUSS_PLAZIERT, 0, -1, 0, -1, 1, 1,
               RING_OHNE_PRUEFUNG, 0, 0);
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        a.flags = 1;
        a.frame = int8_t(Anim_Zeile(SCHUSS_PLAZIERT)->letzter_frame);
        Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL])->tempo = 0;
        Rnd_Init();
        const uint8_t vorher = s->statistik[schuetze][2];
        KI_Ballfuehrer(s, schuetze, c.seite);
        ASSERT_NE(s->statistik[schuetze][2], vorher) << "a shot: side " << c.seite << " ends " << int(c.gewechselt);
        const Anweisung& antwort = *Figur_Aktuelle_Anweisung(&tw);
        const float tiefe = std::fabs(antwort.ziel[0] - ziel);
        EXPECT_GT(std::hypot(antwort.ziel[0] - tw.pos[0], antwort.ziel[1] - tw.pos[1]), 50)
            << "he moves to the shot: side " << c.seite << " ends " << int(c.gewechselt);
        EXPECT_EQ(tw.entscheid_intervall == 0.5f, false) << "his waiting interval is set anew";
        if (c.seite == 0 && c.gewechselt == 0) {
            tiefe0 = tiefe;
            y0 = antwort.ziel[1];
            anim0 = antwort.anim;
            continue;
        }
        EXPECT_NEAR(tiefe, tiefe0, 2) << "side " << c.seite << " ends " << int(c.gewechselt);
        EXPECT_NEAR(antwort.ziel[1], y0, 2) << "side " << c.seite << " ends " << int(c.gewechselt);
        EXPECT_EQ(antwort.anim, anim0) << "side " << c.seite << " ends " << int(c.gewechselt);
    }
}

// 1900 cm out, pressed from behind, with only the keeper in the lane: a keeper on his line makes
// the shot pointless (no shot from 15-30 m past one blocker); one who came
// out 600 cm towards the holder is lobbed.
TEST_F(BallfuehrerTest, AKeeperWhoCameOutIsLobbed) {
    struct Fall {
        float torwart_x;
        bool schuss;
    } faelle[] = {{10750, false}, {9500, true}, {9300, true}};
    for (const Fall& c : faelle) {
        Halter(8900);
        Stellen(SF_SPIELER_SEITE + 3, 8900 - 250, 3403);   // pressed from behind: no free man's pass first
        Figur& tw = Stellen(SF_SPIELER_SEITE, c.torwart_x, 3403);
        tw.torwart = 1;
        s->spieler[SF_SPIELER_SEITE].werte[32] = 0;
        Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL])->tempo = 0;
        KI_Ballfuehrer(s, HALTER, 0);
        EXPECT_EQ(Balltempo() > 2800, c.schuss) << c.torwart_x;
    }
}

// The rehearsed-move slot heads the side's rehearsed-move block: flag, x, y
// (16 bits each) and the receiver.
TEST_F(BallfuehrerTest, ARehearsedMoveIsTakenOnceByReceiverOrTarget) {
    struct Fall {
        int8_t empfaenger;
        int16_t x, y;
        int32_t erwartet_empfaenger;   // -1: no pass, he runs to (x, y)
    } faelle[] = {{7, 0, 0, 7}, {-1, 6000, 1000, -1}};
    for (const Fall& c : faelle) {
        Figur& f = Halter(4000);
        Stellen(7, 3000, 5000);   // behind him and wide
        Stellen(8, 6000, 3403);   // ahead and central: the pass he would choose
        uint8_t zug[8] = {1, 0};
        std::memcpy(zug + 2, &c.x, 2);
        std::memcpy(zug + 4, &c.y, 2);
        zug[6] = uint8_t(c.empfaenger);
        std::memcpy(s->spielzuege[0], zug, sizeof zug);
        s->empfaenger = -1;
        KI_Ballfuehrer(s, HALTER, 0);
        EXPECT_EQ(s->spielzuege[0][0], 0) << "the move is taken once";
        EXPECT_EQ(s->empfaenger, c.erwartet_empfaenger);
        if (c.erwartet_empfaenger < 0) {
            const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
            EXPECT_FLOAT_EQ(a.ziel[0], c.x);
            EXPECT_FLOAT_EQ(a.ziel[1], c.y);
        }
    }
    // Without the flag the same layout passes ahead.
    Halter(4000);
    Stellen(7, 3000, 5000);
    Stellen(8, 6000, 3403);
    std::memset(s->spielzuege[0], 0, 8);
    s->empfaenger = -1;
    KI_Ballfuehrer(s, HALTER, 0);
    EXPECT_EQ(s->empfaenger, 8);
}

TEST_F(BallfuehrerTest, ThePassChoiceLooksAcrossABandSetByPassingAndTheSituation) {
    struct Fall {
        int16_t passen, verteilung;
        bool torwart;
        int32_t durchgang, situation;
        float ball_z, zeit;
        int32_t band;
    } faelle[] = {
        {0, 0, false, 0, 0, 0, 1, 22},      // -5 + 27
        {0, 0, false, 1, 0, 0, 1, 7},       // sweep 1: 15 less, no floor of 8
        {0, 0, false, 0, 3, 0, 1, 52},      // after a set piece 30 more
        {0, 0, false, 1, 3, 0, 1, 37},
        {0, 0, false, 0, 3, 200, 1, 20},    // a high ball: at most 20
        {0, 0, false, 0, 0, 0, 2, 20},      // time factor 2: 2 less in sweep 0
        {1000, 0, false, 0, 3, 0, 1, 57},   // at most 57
        {0, 640, true, 0, 0, 0, 1, 47},     // a keeper by his distribution: 20 + 27
    };
    for (const Fall& c : faelle) {
        Halter(5000, c.ball_z);
        s->spieler[HALTER].werte[1] = c.passen;
        s->spieler[HALTER].werte[24] = c.verteilung;
        s->figur[HALTER].torwart = c.torwart;
        s->zeit_faktor = c.zeit;
        EXPECT_EQ(Ballfuehrer_Passband(s, HALTER, 0, c.durchgang, c.situation, false), c.band)
            << c.passen << " " << c.durchgang << " " << c.situation;
    }
}

// The wing bytes are a side's own: its flank below y 3403 is byte 0 while it
// attacks x = 10800 and byte 2 while it attacks x = 0, whichever side and
// half. End to end: two receivers mirrored about the centre line differ only
// by their flank's byte, the favoured flank's receiver gets the pass.
TEST_F(BallfuehrerTest, TheWingBytesFollowTheSideItsAttackingDirection) {
    struct Fall {
        int32_t seite;
        int8_t gewechselt;
        float y;
        int32_t byte;
    } faelle[] = {
        {0, 0, 1000, 0}, {0, 0, 5000, 2}, {1, 0, 1000, 2}, {1, 0, 5000, 0},
        {0, 1, 1000, 2}, {0, 1, 5000, 0}, {1, 1, 1000, 0}, {1, 1, 3403, 2},
    };
    for (const Fall& c : faelle) {
        s->seiten_gewechselt = c.gewechselt;
        Spielfeld_Tore_Setzen(s);
        EXPECT_EQ(Ballfuehrer_Fluegel_Byte(c.y, float(s->tor_x[c.seite])), c.byte)
            << c.seite << " " << int(c.gewechselt) << " " << c.y;
    }
    for (const Fall& c : faelle) {
        if (c.y == 3403) continue;
        s->seiten_gewechselt = c.gewechselt;
        Spielfeld_Tore_Setzen(s);
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        const int32_t basis = c.seite * SF_SPIELER_SEITE, halter = basis + HALTER;
        s->spieler[halter] = s->spieler[HALTER];
        const float ziel = float(s->tor_x[c.seite]), vor = ziel > SPIELFELD_MITTE_X ? 1.0f : -1.0f;
        const float x = SPIELFELD_MITTE_X - vor * 1400;
        Stellen(halter, x, 3403);
        Spieler_Matchsatz& sm = s->spieler[halter];
        sm.ausdauer = 10000;
        sm.werte[18] = 400;
        sm.werte[7] = 300;
        sm.werte[1] = 500;
        sm.rolle[ROLLE(149)] = 0;
        sm.talent_flag[TALENT_FLAG(184)] = 0;
        Ball_Fliegen(s, x + vor * 10, 3403, 0, 0, 0, 0);
        Ballbesitz_Setzen(s, halter);
        // Receivers 7 and 8 mirrored about y 3403; the case's flank favoured.
        Stellen(basis + 7, x + vor * 2000, 1403);
        Stellen(basis + 8, x + vor * 2000, 5403);
        // Byte 0 is the flank on the attacker's left: below y 3403 towards x = 10800.
        const float y_fuer_byte0 = vor > 0 ? 1403 : 5403;
        std::memset(s->linienwerte, 0, sizeof s->linienwerte);
        s->linienwerte[c.seite][c.byte] = 100;
        s->linienwerte[c.seite][2 - c.byte] = 0;
        s->empfaenger = -1;
        Rnd_Init();
        KI_Ballfuehrer(s, halter, c.seite);
        ASSERT_GE(s->empfaenger, 0) << c.seite << " " << int(c.gewechselt);
        const float erwartet_y = c.byte == 0 ? y_fuer_byte0 : 6806 - y_fuer_byte0;
        EXPECT_FLOAT_EQ(s->figur[s->empfaenger].pos[1], erwartet_y)
            << "side " << c.seite << " ends " << int(c.gewechselt) << " byte " << c.byte;
    }
}

// The far mark (pressed deep in his own quarter) sends a pass it refuses into
// space; the counter flag sends the first ball after winning it into space
// when the side plays on the counter; otherwise he keeps it or passes.
TEST_F(BallfuehrerTest, TheFarMarkAndTheCounterFlagPlayTheBallIntoSpace) {
    struct Weit {
        float abstand;
        int32_t druck;
        bool weit;
    } weit[] = {{8100, 1, true}, {8099, 1, false}, {9000, 0, false}, {9000, 2, true}};
    for (const Weit& c : weit) EXPECT_EQ(Ballfuehrer_Weit(c.abstand, c.druck), c.weit) << c.abstand << " " << c.druck;

    enum Ergebnis { PASS, RAUM, BEHALTEN };
    struct Fall {
        float x;
        bool gegner_nah;   // an opponent 200 cm behind him
        int8_t simpel;     // keep-it-simple byte
        uint8_t konter;
        int8_t konter_taktik;
        Ergebnis ergebnis;
    } faelle[] = {
        {1500, true, 3, 0, 0, RAUM},       // far mark, every pass below the bar
        {1500, false, 3, 0, 0, BEHALTEN},  // unpressed: no pass is good enough, he runs
        {1500, true, 0, 0, 0, PASS},       // far mark, a pass above the bar is played
        {5800, false, 0, 1, 1, RAUM},      // a counter from 5000 cm out
        {5800, false, 0, 0, 1, PASS},      // no ball won
        {5800, false, 0, 1, 0, PASS},      // the side does not counter
        {2000, false, 0, 1, 1, PASS},      // 8800 cm out: too far for a counter
    };
    for (const Fall& c : faelle) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Figur& f = Halter(c.x);
        s->spieler[HALTER].rolle[ROLLE(149)] = c.simpel;
        Stellen(8, c.x + 1500, 2403);
        if (c.gegner_nah) Stellen(SF_SPIELER_SEITE + 3, c.x - 200, 3403);
        s->konter = c.konter;
        s->taktik[0][8] = c.konter_taktik;
        s->empfaenger = -1;
        Rnd_Init();
        KI_Ballfuehrer(s, HALTER, 0);
        const Anweisung& ba = *Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL]);
        Ergebnis e = BEHALTEN;
        if (s->empfaenger == 8) e = PASS;
        else if (s->ballhalter < 0 && ba.ziel[0] > f.pos[0] + 3000) e = RAUM;
        EXPECT_EQ(e, c.ergebnis) << c.x << " " << c.gegner_nah << " " << int(c.simpel) << " " << int(c.konter);
        EXPECT_EQ(s->konter, 0) << "the flag serves one decision";
    }
}

// How a pass arrives (31259) and its speed: a pass with an opponent just
// behind the receiver leaves at 70 % of the same pass without him.
TEST_F(BallfuehrerTest, ThePassArrivalAndTheSlowerPassIntoABlockedLane) {
    struct Hinter {
        float gx, gy;
        int32_t anzahl;
    } hinter[] = {
        {3150, 3403, 1},   // beyond the receiver at 3000, on the line
        {2850, 3403, 0},   // in front of him
        {3150, 3650, 0},   // beyond, 247 cm off the line
        {3250, 3403, 0},   // 250 cm beyond him
    };
    for (const Hinter& c : hinter) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Stellen(SF_SPIELER_SEITE + 4, c.gx, c.gy);
        EXPECT_EQ(Ballfuehrer_Gegner_Hinter(s, 1000, 3403, 3000, 3403, 1), c.anzahl) << c.gx << " " << c.gy;
        EXPECT_EQ(Ballfuehrer_Gegner_Hinter(s, 1000, 3403, 3000, 3403, 0), 0) << "only the side asked for";
    }

    struct Fall {
        float x;            // the holder; the receiver 1500 cm ahead
        int16_t zweite, technik, annahme;
        int8_t ankunft;
    } faelle[] = {
        {7000, 1300, 400, 0, 1},    // near the goal: the draw below the second strength
        {7000, 0, 400, 1000, 0},    // never below 0
        {2500, 0, 400, 600, 1},     // farther: technique below his receiving value
        {2500, 1300, 700, 600, 0},
    };
    for (const Fall& c : faelle) {
        float tempo[2] = {0, 0};
        for (int32_t mit = 0; mit < 2; ++mit) {
            for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
            Halter(c.x);
            Spieler_Matchsatz& sm = s->spieler[HALTER];
            sm.werte[5] = 0;   // no shot
            sm.werte[15] = c.zweite;
            sm.werte[18] = c.technik;
            sm.werte[12] = c.annahme;
            sm.werte[7] = 300;
            Stellen(8, c.x + 1500, 3403);
            if (mit) Stellen(SF_SPIELER_SEITE + 4, c.x + 1600, 3403);
            s->empfaenger = -1;
            Rnd_Init();
            KI_Ballfuehrer(s, HALTER, 0);
            ASSERT_EQ(s->empfaenger, 8) << c.x << " " << mit;
            EXPECT_GT(Satz_Feld<uint8_t>(s, SF_PASS_COUNTDOWN), 0) << "the pass is checked later";
            if (!mit) {
                EXPECT_EQ(s->halter_beruehrungen, c.ankunft) << c.x << " " << c.zweite << " " << c.technik;
            }
            tempo[mit] = Balltempo();
        }
        EXPECT_NEAR(tempo[1], tempo[0] * 0.7f, 1.0f) << c.x;
    }
}

// 1400 cm out with only the keeper in his lane: a player nobody presses
// marks himself and takes 35 off his shot score, so he does not shoot; one
// with an opponent at his back (not in the lane) shoots.
TEST_F(BallfuehrerTest, AFreePlayerMarksHimselfAndLooksForThePassFirst) {
    struct Fall {
        float gegner_x;   // an opponent behind him, 0 none
        bool schiesst;
    } faelle[] = {{0, false}, {10800 - 1400 - 250, true}};
    for (const Fall& c : faelle) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Halter(10800 - 1400);
        Stellen(SF_SPIELER_SEITE, 10600, 3403).torwart = 1;
        if (c.gegner_x > 0) Stellen(SF_SPIELER_SEITE + 3, c.gegner_x, 3403);
        const uint8_t vorher = s->statistik[HALTER][2];
        Rnd_Init();
        KI_Ballfuehrer(s, HALTER, 0);
        EXPECT_EQ(s->statistik[HALTER][2] != vorher, c.schiesst) << c.gegner_x;
        EXPECT_EQ(s->slot_marke[HALTER], c.schiesst ? 0 : 1) << "cleared by the shot, kept while he runs";
        std::memset(s->slot_marke, 0, sizeof s->slot_marke);   // the next frame's contact pass
    }
}

// The shot: pressed and no better at shooting than at the rest he holds
// back up to 4000 cm out; close in with both pressure flags equal he places
// it with the side of the foot (aim 250 cm beside the centre, a lifted ball
// of 300-900 cm/s); a shot played first time leaves at half or less.
// A shot or a pass is seen as a kick: the player plays the row the ball
// leaves with (the placed or hard shot on the ground, the volley in the air,
// the light pass) to its end. Before, he ran on with the running row, and a
// watcher saw a runner whose ball flew off his feet.
TEST_F(BallfuehrerTest, AShotAndAPassArePlayedWithTheirKickRows) {
    constexpr int32_t SCHUSS_PLAZIERT = 34, SCHUSS_FEST = 35, VOLLEY = 131, PASSEN_LEICHT = 80;
    struct Zeile {
        float v, hoehe;
        bool torwart;
        int32_t anim;
    } zeilen[] = {{3055.0f, 0, false, SCHUSS_PLAZIERT}, {3056.0f, 0, false, SCHUSS_FEST},
                  {3100.0f, 61, false, VOLLEY},         {2000.0f, 60, false, SCHUSS_PLAZIERT},
                  {3000.0f, 0, true, 54},               {3100.0f, 0, true, 56}};
    for (const Zeile& c : zeilen)
        EXPECT_EQ(Ballfuehrer_Schuss_Anim(c.v, c.hoehe, c.torwart), c.anim) << c.v << " " << c.hoehe;

    struct Fall {
        float x, z;      // the holder, the ball's height
        bool passt;      // a receiver ahead and no shot
        int32_t anim[2];
    } faelle[] = {
        {10000, 0, false, {SCHUSS_PLAZIERT, SCHUSS_FEST}},
        {10000, 100, false, {VOLLEY, VOLLEY}},
        {7000, 0, true, {PASSEN_LEICHT, PASSEN_LEICHT}},
    };
    for (const Fall& c : faelle) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Figur& f = Halter(c.x, c.z);
        if (c.passt) {
            s->spieler[HALTER].werte[5] = 0;
            Stellen(8, c.x + 1500, 3403);
        }
        s->tore[0] = s->tore[1] = 0;
        Rnd_Init();
        KI_Ballfuehrer(s, HALTER, 0);
        ASSERT_EQ(s->ballhalter, -1) << "the ball has left: " << c.x << " " << c.z;
        const int32_t anim = Figur_Aktuelle_Anweisung(&f)->anim;
        EXPECT_TRUE(anim == c.anim[0] || anim == c.anim[1]) << c.x << " " << c.z << ": row " << anim;
        // His decision timer covers the row: asked again meanwhile, he
        // keeps kicking instead of taking the next run order.
        const Anim_Satz* z = Anim_Zeile(anim);
        ASSERT_NE(z, nullptr);
        EXPECT_GE(f.entscheid_timer, float(z->letzter_frame + 1) * z->ref_frame_zeit - 1) << anim;
        f.entscheiden = 1;
        Spielfeld_KI_Ausfuehren(s, HALTER);
        EXPECT_EQ(Figur_Aktuelle_Anweisung(&f)->anim, anim) << "the kick is not cut off";
        EXPECT_GT(Figur_Ballsperre(f), float(z->kontakt_frame + 1) * z->ref_frame_zeit)
            << "his lock-out outlasts the kick frame: the ball is not put back at his foot";
    }
}

TEST_F(BallfuehrerTest, TheShotVariantsCloseInFromFarAndFirstTime) {
    struct Fern {
        int16_t schuss, technik;
        bool schiesst;
    } fern[] = {{400, 500, false}, {500, 500, false}, {600, 500, true}};
    for (const Fern& c : fern) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Halter(10800 - 3500);
        s->spieler[HALTER].werte[5] = c.schuss;
        s->spieler[HALTER].werte[18] = c.technik;
        Stellen(SF_SPIELER_SEITE + 3, 10800 - 3500 - 200, 3403);   // pressing from behind
        Stellen(SF_SPIELER_SEITE + 4, 10800 - 1800, 3403);         // in the lane
        s->computer[0] = 0;
        s->live_anweisung = 13;   // shoot: from 4000 cm out
        const uint8_t vorher = s->statistik[HALTER][2];
        Rnd_Init();
        KI_Ballfuehrer(s, HALTER, 0);
        EXPECT_EQ(s->statistik[HALTER][2] != vorher, c.schiesst) << c.schuss << " " << c.technik;
    }
    s->live_anweisung = 0;

    struct Nah {
        float gegner_x;   // an opponent beside him, 0 none
        bool seitfuss;
    } nah[] = {{0, true}, {10000 - 200, false}, {10000 - 120, true}};
    for (const Nah& c : nah) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Halter(10000);
        s->spieler[HALTER].werte[10] = 950;   // composure
        s->tore[0] = s->tore[1] = 0;
        if (c.gegner_x > 0) Stellen(SF_SPIELER_SEITE + 3, c.gegner_x, 3403);
        Rnd_Init();
        KI_Ballfuehrer(s, HALTER, 0);
        const Anweisung& ba = *Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL]);
        ASSERT_GT(ba.tempo, 1000) << c.gegner_x;
        const float ay = s->figur[HALTER].ring[s->figur[HALTER].aktuell & 3].ziel[1];
        const bool seitfuss = std::fabs(std::fabs(ay - 3403) - 250) < 1 && ba.vz >= 300 && ba.vz <= 900 &&
                              std::fmod(ba.vz, 100.0f) != 0;
        EXPECT_EQ(seitfuss, c.seitfuss) << c.gegner_x << " aim " << ay << " vz " << ba.vz;
    }

    struct Direkt {
        int32_t ruhe;
        float teiler[2];
    } direkt[] = {{1000, {2, 2}}, {0, {2.3f, 2.8f}}};
    for (const Direkt& c : direkt) {
        for (int32_t i = 0; i < 20; ++i) {
            float vz = 0;
            const float v = Ballfuehrer_Direktschuss(4000, 1500, 1200, c.ruhe, &vz);
            const bool passt = std::fabs(v - 4000 / c.teiler[0]) < 0.01f || std::fabs(v - 4000 / c.teiler[1]) < 0.01f;
            EXPECT_TRUE(passt) << c.ruhe << " " << v;
            const float t = 2 * 1500.0f / 4000;
            EXPECT_NEAR(vz, v / 1200 * 280 + (981 - v / 10) * t, 0.01f) << c.ruhe;
        }
    }
}

}  // namespace
}  // namespace velmora::test
