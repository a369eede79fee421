// The player on the ball: the rows he plays straight on from, the lob over a
// keeper who came out, rehearsed moves and the distance band of the pass choice.
#include <cmath>
#include <cstring>

#include "core/rnd.h"
#include "match/anim.h"
#include "match/anweisung.h"
#include "match/ki_ballfuehrer.h"
#include "match/spielfeld_ballkontakt.h"
#include "match/spielfeld_besitz.h"
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
        bool schuss;   // a shot leaves (faster than any pass), else the ball stays as it was
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
        KI_Ballfuehrer(s, HALTER, 0);
        EXPECT_EQ(Balltempo() > 2800, c.schuss) << c.anim << " " << c.am_ende << " " << c.hoehe;
        EXPECT_EQ(f.situation, 0) << "a row's situation holds for this decision only";
        if (c.anim == SCHUSS_PLAZIERT && !c.am_ende) {
            EXPECT_EQ(Figur_Aktuelle_Anweisung(&f)->anim, SCHUSS_PLAZIERT) << "his order stays";
        }
    }
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
        KI_Ballfuehrer(s, schuetze, c.seite);
        ASSERT_GT(Balltempo(), 2800) << "a shot: side " << c.seite << " ends " << int(c.gewechselt);
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

// 1900 cm out with only the keeper in the lane: a keeper on his line makes
// the shot pointless (no shot from 15-30 m past one blocker); one who came
// out 600 cm towards the holder is lobbed.
TEST_F(BallfuehrerTest, AKeeperWhoCameOutIsLobbed) {
    struct Fall {
        float torwart_x;
        bool schuss;
    } faelle[] = {{10750, false}, {9500, true}, {9300, true}};
    for (const Fall& c : faelle) {
        Halter(8900);
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

}  // namespace
}  // namespace velmora::test
