// Ball contact, duels, fouls and the player on the ball, on a record in open
// play.
#include <cmath>
#include <cstring>
#include <string>

#include "club/spieler.h"
#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ki_ballfuehrer.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_zweikampf.h"
#include "match/record/spielfeld_pruefen.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

class KontaktTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        Figur& b = s->figur[FIGUR_BALL];
        b.v[0] = b.v[1] = b.v[2] = 0;
        Figur_Aktuelle_Anweisung(&b)->tempo = 0;
        s->ballhalter = -1;
        s->wetter_init = 1;
        s->w26469 = 0;   // flipped to 1 by the pass: the list is walked forwards
    }
    void Stellen(int32_t slot, float x, float y) {
        s->spieler[slot].zustand = SM_AUF_PLATZ;
        SetAnim(s, slot, int32_t(x), int32_t(y), 0);
        Figur& f = s->figur[slot];
        f.situation = 0;
        f.gezeichnet = 1;
        f.v[0] = f.v[1] = 0;
        Figur_Ballsperre_Setzen(&f, 0);
    }
    void Ball(float x, float y, float z = 0) {
        Figur& b = s->figur[FIGUR_BALL];
        b.pos[0] = x;
        b.pos[1] = y;
        b.pos[2] = z;
    }
    float Abseitslinie() {
        float v;
        std::memcpy(&v, reinterpret_cast<uint8_t*>(s) + 25016, 4);
        return v;
    }
};

TEST(Ballkontakt, TheKeepChanceFollowsTheTableAndItsBounds) {
    struct Fall {
        int32_t vh, vc;
        bool c_groesser;
        float t;
        int32_t k;
    } faelle[] = {
        {1001, 1000, false, 1.0f, 1251},   // one point stronger
        {999, 1000, true, 1.0f, 1095},     // one point weaker
        {800, 1000, true, 1.0f, 700},      // 2 x -200 + 900 = 500, raised to 700
        {800, 1000, false, 1.0f, 800},     // raised to 800 when the base was not stronger
        {1600, 1000, false, 1.0f, 1500},   // capped
        {1600, 1000, true, 1.0f, 1200},    // capped lower
        {1010, 1000, false, 2.0f, 1080},   // (6 - 2) x 10 + 1100 - 60
        {1100, 1000, false, 2.0f, 1220},   // 100 + 1200 - 80
        {980, 1000, false, 2.0f, 920},     // (6 - 2) x -20 + 1000
        {900, 1000, false, 2.0f, 800},     // -100 + 700 + 100 = 700, raised
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Ballkontakt_Haltechance(f.vh, f.vc, f.c_groesser, f.t), f.k) << f.vh << " " << f.vc << " " << f.t;
}

TEST(Ballkontakt, SpecialAbilitiesDecideTheContest) {
    Spieler_Matchsatz h{}, p{};
    EXPECT_EQ(Ballkontakt_Faehigkeiten(h, p), 0);
    h.talent_flag[TALENT_FLAG(181)] = 1;
    EXPECT_EQ(Ballkontakt_Faehigkeiten(h, p), 2);   // the holder keeps it: K = 1700
    h = {};
    p.talent_flag[TALENT_FLAG(181)] = 1;
    EXPECT_EQ(Ballkontakt_Faehigkeiten(h, p), -2);  // he loses it: K = 0
}

TEST_F(KontaktTest, RadiiShrinkForAFastBallAndDuringASetPiece) {
    Stellen(3, 1000, 1000);
    Stellen(20, 1200, 1000);
    EXPECT_EQ(Ballkontakt_Radius(s, 3), 60);
    Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL])->tempo = 3301;
    for (int8_t n : {0, 1, 2}) {
        s->halter_beruehrungen = n;
        EXPECT_FLOAT_EQ(Ballkontakt_Radius(s, 3), 60.0f / float(n + 1));
        EXPECT_FLOAT_EQ(Ballkontakt_Radius(s, 20), 60.0f / float(n + 1));
    }
    Figur_Aktuelle_Anweisung(&s->figur[FIGUR_BALL])->tempo = 0;
    s->halter_beruehrungen = 0;
    s->ballhalter = 3;
    s->standard_marker[1] = 1;
    EXPECT_EQ(Ballkontakt_Radius(s, 20), 6);   // the side without the ball
    EXPECT_EQ(Ballkontakt_Radius(s, 3), 60);
    // A loose ball is the home side's by the possession rule: its players
    // reach it as ever, the away side's within 6 cm. Counted as nobody's,
    // no field player reached it but for 6 cm.
    s->ballhalter = -1;
    EXPECT_EQ(Ballkontakt_Radius(s, 3), 60);
    EXPECT_EQ(Ballkontakt_Radius(s, 20), 6);
    s->ballhalter = 20;
    EXPECT_EQ(Ballkontakt_Radius(s, 3), 6);
    EXPECT_EQ(Ballkontakt_Radius(s, 20), 60);
}

TEST_F(KontaktTest, WithoutAHolderTheFirstInReachTakesItAndTheOffsideLineStays) {
    const float linie = 1234.0f;
    std::memcpy(reinterpret_cast<uint8_t*>(s) + 25016, &linie, 4);
    Ball(5000, 3000);
    Stellen(20, 5000, 3050);
    Stellen(3, 5000, 2955);
    Ballkontakt_Liste l;
    Spielfeld_Ballkontakt(s, &l);
    EXPECT_EQ(s->ballhalter, 3);   // first in the list, though farther
    EXPECT_EQ(s->letzte_beruehrung, 0);
    EXPECT_FLOAT_EQ(Abseitslinie(), linie);
    // With a holder the line is the second-last defender's distance.
    Stellen(21, 9000, 3000);
    Stellen(22, 8000, 2000);
    Spielfeld_Ballkontakt(s, &l);
    EXPECT_FLOAT_EQ(Abseitslinie(), 2800.0f);
}

// A raised flag keeps its player until the whistle; the foremost attacker
// (beyond the halfway line, towards the goal the holder attacks) has a byte of
// his own.
TEST_F(KontaktTest, ARaisedFlagKeepsItsPlayerAndTheForemostAttackerHasHisOwnByte) {
    struct Fall {
        int32_t halter;
        float x;              // the holder's x; his team-mates stand 1000 and 2500 cm ahead
        int32_t vorderster;
    } faelle[] = {{3, 6000, 5}, {20, 4800, 22}};
    for (const Fall& c : faelle) {
        for (Spieler_Matchsatz& sm : s->spieler) sm.zustand = SM_RESERVE;
        const float vor = c.halter < SF_SPIELER_SEITE ? 1.0f : -1.0f;
        Stellen(c.halter, c.x, 3000);
        Stellen(c.halter + 1, c.x + vor * 1000, 2000);
        Stellen(c.halter + 2, c.x + vor * 2500, 4000);
        Ball(c.x + vor * 10, 3000);
        Ballbesitz_Setzen(s, c.halter);
        Satz_Feld_Setzen<int32_t>(s, SF_FAHNE_SPIELER, 9);
        Satz_Feld_Setzen<int8_t>(s, 25127, 1);   // a linesman's flag is up
        Ballkontakt_Liste l;
        Spielfeld_Ballkontakt(s, &l);
        EXPECT_EQ(Satz_Feld<int32_t>(s, SF_FAHNE_SPIELER), 9) << c.halter;
        EXPECT_EQ(s->vorderster_spieler, c.vorderster) << c.halter;
        EXPECT_FLOAT_EQ(s->vorderster_x, c.x + vor * 2500) << c.halter;
    }
}

TEST_F(KontaktTest, ABallJustOverTheGoalLineIsPutBackAndStaysInPlay) {
    Figur& b = s->figur[FIGUR_BALL];
    Ball(10815, 3000);
    b.v[0] = 500;   // one step ago it lay at 10800
    s->ball_linie = 2;
    Stellen(5, 10790, 3000);
    Ballkontakt_Liste l;
    Spielfeld_Ballkontakt(s, &l);
    EXPECT_EQ(s->ballhalter, 5);
    EXPECT_EQ(s->ball_linie, 0);
    EXPECT_LE(b.pos[0], 10800.0f);
    // Off the post and behind the line nobody touches it; back inside the
    // pitch it is in play and taken.
    Ballbesitz_Setzen(s, -1);
    s->ballhalter = -1;
    b.v[0] = 0;
    s->ball_linie = 3;
    Ball(10850, 3000);
    Stellen(5, 10830, 3000);
    Spielfeld_Ballkontakt(s, &l);
    EXPECT_EQ(s->ballhalter, -1);
    EXPECT_EQ(s->ball_linie, 3);
    Ball(10780, 3000);
    Spielfeld_Ballkontakt(s, &l);
    EXPECT_EQ(s->ball_linie, 0);
    EXPECT_EQ(s->ballhalter, 5);
}

TEST_F(KontaktTest, AWonContestCountsForWinnerAndLoser) {
    Ball(5000, 3000);
    Stellen(3, 4990, 3000);
    Stellen(20, 5030, 3000);
    Ballbesitz_Setzen(s, 3);
    s->letzte_beruehrung = 0;
    s->spieler[20].talent_flag[TALENT_FLAG(181)] = 1;   // K = 0
    s->w26469 = 1;   // walked backwards: the challenger first
    const int32_t nr[2] = {s->spieler[3].nummer, s->spieler[20].nummer};
    const int32_t vorher[2] = {Spieler_Wert(SPW_BALLGEWINNE, nr[0], 0, OP_LESEN),
                               Spieler_Wert(SPW_BALLGEWINNE_2, nr[1], 0, OP_LESEN)};
    Rnd_Set_Index(10, 0);
    Ballkontakt_Liste l;
    Spielfeld_Ballkontakt(s, &l);
    ASSERT_EQ(s->ballhalter, 20);
    EXPECT_EQ(s->statistik[20][4], 1);
    EXPECT_EQ(s->statistik[3][4], 1);
    EXPECT_EQ(s->statistik[3][3], 1);
    EXPECT_EQ(s->statistik[20][3], 0);
    EXPECT_EQ(Spieler_Wert(SPW_BALLGEWINNE, nr[0], 0, OP_LESEN), vorher[0] + 1);
    EXPECT_EQ(Spieler_Wert(SPW_BALLGEWINNE_2, nr[1], 0, OP_LESEN), vorher[1] + 1);
    EXPECT_GT(Figur_Ballsperre(s->figur[3]), 0.0f);   // the loser is locked out
}

// A dribbler's ball rolls on with him: only a new touch (or a keeper's)
// stops it. A ball stopped at every touch of its holder would leave a tackle
// aimed ahead of the ball's path where the ball lay, behind the runner.
TEST_F(KontaktTest, TheHoldersOwnTouchKeepsTheBallRollingANewTouchStopsIt) {
    struct Fall {
        const char* was;
        bool halter_schon;   // the toucher already holds the ball
        bool torwart;
        bool rollt;          // the ball keeps its velocity and launch speed
    } faelle[] = {
        {"the dribbler's own touch", true, false, true},
        {"a new holder", false, false, false},
        {"a keeper holding it", true, true, false},
    };
    bool erster = true;
    for (const Fall& fall : faelle) {
        if (!erster) {
            TearDown();
            SetUp();
        }
        erster = false;
        const float v = 800;   // he and the ball run along x at 800 cm/s
        Stellen(3, 5000, 3000);
        s->figur[3].v[0] = v;
        s->figur[3].torwart = fall.torwart ? 1 : 0;
        Ball(5015, 3000);
        Figur& b = s->figur[FIGUR_BALL];
        SetZSA(s, FIGUR_BALL, 5415, 3000, 0, int32_t(v + 64), ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0,
               0);
        b.v[0] = v + 64;
        b.v[1] = 0;
        if (fall.halter_schon) {
            Ballbesitz_Setzen(s, 3);
            s->figur[3].v[0] = v;   // taking the ball stopped him; he runs on
        }
        Ballkontakt_Liste l;
        Spielfeld_Ballkontakt(s, &l);
        ASSERT_EQ(s->ballhalter, 3) << fall.was;
        EXPECT_NEAR(std::hypot(b.pos[0] - 5000, b.pos[1] - 3000), 20.0f, 0.5f) << fall.was;   // at his feet
        if (fall.rollt) {
            EXPECT_FLOAT_EQ(b.v[0], v + 64) << fall.was;
            EXPECT_FLOAT_EQ(Figur_Aktuelle_Anweisung(&b)->tempo, v + 64) << fall.was;
        } else {
            EXPECT_EQ(b.v[0], 0.0f) << fall.was;
            EXPECT_EQ(Figur_Aktuelle_Anweisung(&b)->tempo, 0.0f) << fall.was;
        }
    }
}

// The defence's tackle on a holder who runs at the tackler: a slide towards
// the ball 0.3 s ahead at 170 % of the tackler's speed, one cycle. A slide
// has no linked row: reaching its contact frame with the ball not yet in
// reach does not make him miss; he keeps his uninterruptible order and slides
// on to the row's last frame (or into the ball). A keeper's catch (a row with
// a linked row) that reaches its contact frame far from the ball has missed
// and gives up its order.
TEST_F(KontaktTest, ASlideReachingItsContactFrameShortOfTheBallSlidesOn) {
    const struct {
        float abstand, quer;   // tackler ahead of the holder along x, and aside in y
        float halter_tempo, tempo;
    } faelle[] = {{250, 10, 800, 1190}, {300, 20, 800, 1190}, {340, 0, 700, 1300}, {380, 15, 900, 1300}};
    for (const auto& fall : faelle) {
        SetUp();
        const std::string was = "from " + std::to_string(int32_t(fall.abstand)) + " cm";
        const int32_t h = 9, t = 20;
        Stellen(h, 5000, 3000);
        Stellen(t, 5000 - fall.abstand, 3000 + fall.quer);
        Ball(4980, 3000);
        Ballbesitz_Setzen(s, h);
        SetZSA(s, h, 0, 3000, 0, int32_t(fall.halter_tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
               RING_OHNE_PRUEFUNG, 0, 0);
        Figur& b = s->figur[FIGUR_BALL];
        SetZSA(s, FIGUR_BALL, 0, 3000, 0, int32_t(fall.halter_tempo), ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1,
               RING_OHNE_PRUEFUNG, 0, 0);
        b.v[0] = -fall.halter_tempo;
        b.v[1] = 0;
        SetZSA(s, t, int32_t(b.pos[0] + 0.3f * b.v[0]), int32_t(b.pos[1]), 0, int32_t(fall.tempo), ANIM_GRAETSCHEN, 0,
               -1, 0, -1, 1, 1, RING_OHNE_PRUEFUNG, 0, 0);
        Figur& ft = s->figur[t];
        const int32_t kontakt = Anim_Zeile(ANIM_GRAETSCHEN)->kontakt_frame;
        int32_t letzter = 0;
        bool kontakt_fern = false;   // at or past the contact frame with the ball beyond 140 cm
        // The duel's dice pinned, so every case reaches its contact frame
        // without the tackle taking the ball early.
        Rnd_Set_Index(10, 0);
        for (int32_t frame = 0; frame < 40; ++frame) {
            Figuren_Frame(s);
            const Anweisung& a = *Figur_Aktuelle_Anweisung(&ft);
            if (a.anim != ANIM_GRAETSCHEN || a.flags == 0 || s->ballhalter == t) break;
            kontakt_fern = kontakt_fern || (a.frame >= kontakt && std::hypot(ft.pos[0] - b.pos[0],
                                                                              ft.pos[1] - b.pos[1]) > 140);
            Spielfeld_Zweikampf(s);
            ASSERT_EQ(ft.verfehlt, 0) << was << ", frame " << frame;
            letzter = std::max<int32_t>(letzter, Figur_Aktuelle_Anweisung(&ft)->frame);
        }
        EXPECT_TRUE(kontakt_fern) << was;
        EXPECT_GT(letzter, kontakt + 2) << was << ": the slide went on past its contact window";
    }

    // A keeper's low catch to his left, 300 cm from a ball passing by.
    SetUp();
    const int32_t k = 0;
    Stellen(k, 800, 3000);
    s->figur[k].torwart = 1;
    const int32_t fang = Anim_Suchen("TORWART Fangen tief links");
    ASSERT_GE(fang, 0);
    ASSERT_GE(Anim_Zeile(fang)->link, 0);
    SetZSA(s, k, 800, 2900, 0, 300, fang, 0, -1, 0, -1, 1, 1, RING_OHNE_PRUEFUNG, 0, 0);
    Anweisung& fa = *Figur_Aktuelle_Anweisung(&s->figur[k]);
    fa.frame = int8_t(Anim_Zeile(fang)->kontakt_frame);
    Ball_Fliegen(s, 500, 3300, 0, 0, 500, 0);
    Ballkontakt_Liste l;
    Spielfeld_Ballkontakt(s, &l);
    EXPECT_EQ(s->figur[k].verfehlt, 1);
    EXPECT_EQ(s->torwart_verfehlt, -1);
    EXPECT_EQ(s->ballhalter, -1);
}

TEST_F(KontaktTest, TeamMatesAreOnlyPushedApartAndPairsFiftyApartAreLeftAlone) {
    Ball(1000, 1000);
    Stellen(3, 5000, 3000);
    Stellen(4, 5030, 3000);
    Stellen(6, 7000, 3000);
    Stellen(7, 7050, 3000);   // 50 cm on x: not a pair
    Ballkontakt_Liste l;
    Spielfeld_Ballkontakt(s, &l);
    Spielfeld_Zweikampf_Paare(s, l);
    EXPECT_GT(std::fabs(s->figur[3].pos[0] - s->figur[4].pos[0]) + std::fabs(s->figur[3].pos[1] - s->figur[4].pos[1]),
              30.0f);
    EXPECT_EQ(s->figur[6].pos[0], 7000.0f);
    EXPECT_EQ(s->figur[7].pos[0], 7050.0f);
    EXPECT_EQ(s->fouls, 0);
    EXPECT_EQ(s->foul_countdown, 0);
}

// Outside open play a pair in contact is stopped on the stand row: each
// order's frames lie within that row, whatever row he ran before, and the
// record passes the save checker.
TEST_F(KontaktTest, APairStoppedOutsideOpenPlayKeepsItsFramesInTheStandRow) {
    const int32_t letzter = Anim_Zeile(0)->letzter_frame;
    for (uint32_t zustand : {uint32_t(SZ_EINWURF), uint32_t(SZ_ECKE), uint32_t(SZ_FREISTOSS)}) {
        SetUp();
        ASSERT_EQ(Spielfeld_Satz_Pruefen(s), nullptr) << Spielfeld_Satz_Pruefen(s);
        Ball(1000, 1000);
        Stellen(3, 5000, 3000);
        Stellen(20, 5020, 3000);
        s->spielzustand = zustand;
        for (int32_t k : {3, 20}) {
            Anweisung& a = *Figur_Aktuelle_Anweisung(&s->figur[k]);
            a.anim = ANIM_LAUFEN_3;
            a.erstes = 0;
            a.letztes = a.letztes_anim = int8_t(Anim_Zeile(ANIM_LAUFEN_3)->letzter_frame);
            a.frame = 9;
            a.wiederholung = 2;   // a counted run: no stand variant replaces the row
            a.flags = 0;
        }
        Ballkontakt_Liste l;
        l.anzahl = 2;
        l.slot[0] = 3;
        l.slot[1] = 20;
        Spielfeld_Zweikampf_Paare(s, l);
        for (int32_t k : {3, 20}) {
            const Anweisung& a = *Figur_Aktuelle_Anweisung(&s->figur[k]);
            EXPECT_EQ(a.anim, 0) << k;
            EXPECT_EQ(a.frame, 0) << k;
            EXPECT_LE(a.letztes, letzter) << k;
            EXPECT_LE(a.letztes_anim, letzter) << k;
            EXPECT_EQ(a.tempo, 0.0f) << k;
        }
        EXPECT_EQ(Spielfeld_Satz_Pruefen(s), nullptr) << zustand << ": " << Spielfeld_Satz_Pruefen(s);
    }
}

TEST_F(KontaktTest, RefereeInjuryAndDiveRules) {
    Stellen(3, 5000, 3000);
    Stellen(20, 5000, 3000);
    Stellen(21, 5000, 3000);
    s->strenge[1] = uint8_t(int8_t(-99));
    s->spieler[3].werte[32] = 0;   // does not conceal
    for (int32_t i = 0; i < 50; ++i) EXPECT_TRUE(Zweikampf_Foul_Gesehen(s, 3, false));
    s->spieler[3].werte[32] = 1300;   // conceals: even a diver's fall goes unseen
    EXPECT_FALSE(Zweikampf_Foul_Gesehen(s, 3, true));
    s->spieler[20].talent_flag[TALENT_FLAG(187)] = 1;
    for (int32_t i = 0; i < 20; ++i) EXPECT_TRUE(Zweikampf_Verletzt(s, 20, false, nullptr));
    s->figur[20].torwart = 1;
    for (int32_t i = 0; i < 20; ++i) EXPECT_FALSE(Zweikampf_Verletzt(s, 20, false, nullptr));
    EXPECT_FALSE(Zweikampf_Verletzt(s, -1, false, nullptr));
}

// A holder of the away side who dives in the home side's area is tackled
// from behind: over a range of start indices fouls are whistled, each filling
// the foul record, and none happens while the stoppage countdown runs.
TEST_F(KontaktTest, AFoulInTheAreaFillsTheFoulRecordAndNoneWhileTheCountdownRuns) {
    int32_t gepfiffen = 0;
    for (int32_t index = 0; index < 200; ++index) {
        SetUp();
        Ball(900, 3000);
        Stellen(3, 920, 3000);
        Stellen(20, 900, 3000);
        s->figur[20].v[0] = -300;
        Ballbesitz_Setzen(s, 20);
        s->ballkontrolle = 1;
        s->taktik[1][3] = 100;   // always ready to dive
        s->spieler[20].werte[33] = 0;
        s->spieler[3].werte[32] = 0;
        s->strenge[1] = uint8_t(int8_t(-99));
        const bool sperre = index % 2 == 1;
        if (sperre) s->foul_countdown = 5;
        Rnd_Set_Index(index, 0);
        Ballkontakt_Liste l;
        l.anzahl = 2;
        l.slot[0] = 3;
        l.slot[1] = 20;
        l.abstand[0] = 20;
        l.abstand[1] = 0;
        s->ballkontrolle = 1;
        Spielfeld_Zweikampf_Paare(s, l);
        if (sperre) {
            EXPECT_EQ(s->fouls, 0) << index;
            continue;
        }
        if (s->fouls == 0) continue;
        ++gepfiffen;
        EXPECT_EQ(s->foul_countdown, s->spielzustand == SZ_VERLETZUNG ? 2 : 10);
        EXPECT_EQ(s->situation_figur[0] == 3 || s->situation_figur[0] == 20, true);
        float x;
        std::memcpy(&x, reinterpret_cast<uint8_t*>(s) + 25044, 4);
        EXPECT_NEAR(x, 920.0f, 60.0f);
        if (s->situation_figur[1] == -1) {
            EXPECT_EQ(s->freistoss_seite, 0);   // the dive punished: no injury test
            EXPECT_NE(s->spielzustand, SZ_VERLETZUNG);
        } else {
            EXPECT_EQ(s->freistoss_seite, 1);
        }
    }
    EXPECT_GT(gepfiffen, 3);
}

TEST_F(KontaktTest, TheHolderEntryAndTheKeeperHandOver) {
    Stellen(3, 5000, 3000);
    Ball(5000, 3000);
    Ballbesitz_Setzen(s, 3);
    Figur_Aktuelle_Anweisung(&s->figur[3])->flags = 2;
    EXPECT_FALSE(KI_Ballfuehrer(s, 3, 0));
    EXPECT_FLOAT_EQ(s->figur[3].entscheid_intervall, 0.5f);
    EXPECT_EQ(Figur_Aktuelle_Anweisung(&s->figur[3])->flags, 0);
    Stellen(17, 600, 3000);
    s->figur[17].torwart = 1;
    Ball(1200, 3000);
    Ballbesitz_Setzen(s, 17);
    EXPECT_TRUE(KI_Ballfuehrer(s, 17, 1));
    EXPECT_EQ(s->ballhalter, -1);
}

TEST(Ballfuehrer, InstructionSectorsPassChoiceSpeedsAndWidth) {
    struct Sektor {
        int32_t anweisung, grad, bonus;
    } sektoren[] = {{7, 45, 10000}, {7, 22, 0}, {7, 23, 10000}, {7, 68, 0}, {8, 90, 10000}, {12, 203, 10000},
                    {11, 300, 0},   {14, 45, -10000}, {17, 0, -10000}, {0, 45, 0}, {3, 45, 0}};
    for (const Sektor& t : sektoren)
        EXPECT_EQ(Ballfuehrer_Sektor_Bonus(t.anweisung, t.grad), t.bonus) << t.anweisung << " " << t.grad;
    // The angle from the x axis, + 180 towards smaller x, + 90 in the two
    // quadrants named by the rule.
    EXPECT_EQ(Ballfuehrer_Peilung(100, 0), 0);
    EXPECT_EQ(Ballfuehrer_Peilung(0, -100), 89);
    EXPECT_EQ(Ballfuehrer_Peilung(100, 100), 44 + 90);   // 78 hundredths: 44 degrees
    EXPECT_EQ(Ballfuehrer_Peilung(-100, -100), 44 + 180 + 90);

    struct Pass {
        float s, p;
        int32_t situation;
        bool passt;
    } paesse[] = {{74, 7000.0f, 0, false}, {74, 7000.5f, 0, true}, {75, 9000, 0, false}, {10, 0, 3, true},
                  {80, 0, 3, false}};
    for (const Pass& t : paesse) EXPECT_EQ(Ballfuehrer_Passt(t.s, t.p, t.situation), t.passt) << t.s << " " << t.p;

    Rnd_Init();
    for (int32_t i = 0; i < 200; ++i) {
        const float v = Ballfuehrer_Passtempo(499, 50);
        EXPECT_GE(v, 15 * 1000.0f / 36 - 0.01f);
        EXPECT_LE(v, 25 * 1000.0f / 36 + 0.01f);
    }

    struct Breite {
        float y;
        int32_t taktik, w;
        float ziel;
    } breiten[] = {{3403 + 500, 50, 50, 3403},           // inside the 1300 - 6w band: the goal centre
                   {3403 + 1100, 50, 50, 3403 + 550},    // nearer than 1500 - 6 x 50: cuts in halfway
                   {3403 + 1400, 50, 50, 3403 + 1400},   // farther: keeps his lane
                   {3403 + 1400, 10, 10, 3403 + 700},    // a narrow tactic pulls him in
                   {500, 90, 90, 500}};
    for (const Breite& t : breiten) EXPECT_FLOAT_EQ(Ballfuehrer_Ziel_Y(t.y, t.taktik, t.w, 3403), t.ziel) << t.y;
}

TEST_F(KontaktTest, ABouncingBallBelowThirtyCanBeLaidDead) {
    Figur& b = s->figur[FIGUR_BALL];
    b.pos[2] = 29.9f;
    EXPECT_TRUE(Ballfuehrer_Ball_Beruhigen(s, 1000));
    EXPECT_EQ(b.pos[2], 0.0f);
    b.pos[2] = 30.0f;
    EXPECT_FALSE(Ballfuehrer_Ball_Beruhigen(s, 1000));
}

// Value 101 names the opponent to mark; a team-mate named there leaves the
// partner bytes at -1.
TEST_F(MatchTest, MarkingPairsOnlyAcrossTheSides) {
    int32_t heim[TEAM_SPIELER_MAX], gast[TEAM_SPIELER_MAX];
    ASSERT_GT(Teamspieler_Ins_Array(2, heim, TEAM_SPIELER_MAX, 0), 3);
    ASSERT_GT(Teamspieler_Ins_Array(3, gast, TEAM_SPIELER_MAX, 0), 3);
    Spieler_Wert(SPW_PARTNER, heim[1], gast[2], OP_SCHREIBEN);
    Spieler_Wert(SPW_PARTNER, heim[2], heim[3], OP_SCHREIBEN);   // a team-mate after a transfer
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    auto slot_von = [&](int32_t nr) {
        for (int32_t i = 0; i < SF_SPIELER; ++i)
            if (s->spieler[i].nummer == nr) return i;
        return -1;
    };
    const int32_t a = slot_von(heim[1]), b = slot_von(gast[2]), c = slot_von(heim[2]);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, SF_SPIELER_SEITE);
    ASSERT_GE(c, 0);
    EXPECT_EQ(s->spieler[a].partner, b);
    EXPECT_EQ(s->spieler[b].rueck, a);
    EXPECT_EQ(s->spieler[c].partner, 0xFF);
}

}  // namespace
}  // namespace velmora::test
