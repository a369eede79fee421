// Orders: the running animation by speed, the keeper's rows, the stride and a full ring.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "match/live/anim.h"
#include "match/live/anweisung.h"
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

// Every row the simulation names by number stands there, in use, with its name.
TEST(AnimTabelle, NamedRowsAreInUseWithTheirNames) {
    struct Fall {
        int32_t zeile;
        const char* name;
    } faelle[] = {
        {0, "STEHEN 1"}, {7, "GEHEN KOPF VORNE"}, {8, "LAUFEN 1"}, {9, "SPRINT"}, {11, "BALL BODEN"},
        {13, "ECK FAHNE 0/0"}, {16, "ECK FAHNE 68/108"}, {17, "V-TOR OBEN"}, {24, "H-TOR RECHTS"},
        {25, "V-TOR OBEN"}, {32, "H-TOR RECHTS"}, {36, "TORWART abwehr Faus oben"}, {37, "TORW STEHEN O BALL"},
        {39, "TORW GEHEN O BALL"}, {41, "TORW BALL FANGEN OBEN"}, {42, "TORW BALL AUFNEHMEN"},
        {43, "!! TORW STEHEN O BALL GSPNT"}, {44, "TORW SPRINT O BALL"}, {45, "TORW BALL FANGEN IM STEHEN"},
        {55, "TORWART Abschlag"}, {57, "TORWART KLEINE SCHRITTE"}, {58, "TORWART ABWURF"},
        {59, "TORWART Ball aufticken"}, {63, "GRAETSCHEN"}, {64, "KOPFBALL"}, {68, "AUFSTEHEN"}, {69, "HINFALLEN"},
        {70, "WAELZEN"}, {72, "BRUSTANNAHME"}, {74, "EINWURF"}, {75, "FLUGKOPFBALL"}, {76, "DRIBBLING 1"},
        {88, "! SCHIEDRICHTER PFEIFT"}, {90, "! SCHIEDRICHTER GELB"}, {91, "! SCHIEDRICHTER ROT"},
        {97, "! BEAM ME UP SCOTTY"}, {98, "ERSATZSPIELER SITZT"}, {99, "BETREUER SITZT"}, {100, "TRAINER SITZT"},
        {101, "! BEAM ME UP SCOTTY TW"}, {114, "TORWART SITZT"}, {115, "! AUFWAERMEN 1"}, {117, "! AUFWAERMEN 3"},
        {118, "! BANK TORWART JUBEL"}, {119, "! BANK JUBEL TRAINER"}, {120, "! BANK JUBEL ASSISTENT"},
        {121, "! BANK JUBEL SPIELER"}, {124, "STEHEN IN DER MAUER"}, {126, "LAUFEN 2"}, {127, "LAUFEN 3"},
        {131, "VOLLEY"}, {134, "Fallrückzieher"}, {137, "Foul hinten aufstehen"}, {138, "Foul hinten hinfallen"},
        {139, "Foul hinten wälzen"}, {140, "Dribbling"}, {141, "Dribbling Link Ball Anim"}, {153, "TORW LAUFEN 1"},
        {166, "xTORWART Fangen tief rechts"}, {170, "TORWART Fangen tief rechts"},
        {174, "xTORWART Fangen hoch rechts"}, {178, "TORWART Fangen sehr_hoch rechts"},
        {182, "TORWART Fangen weit tief rechts"}, {186, "TORWART Fangen weit tief rechts"},
        {190, "TORWART Fangen weit hoch rechts"}, {194, "TORWART Fangen weit sehr_hoch rechts"},
        {198, "xTORWART abwehr flach tief rechts"}, {200, "TORWART abwehr flach tief rechts"},
        {202, "xTORWART abwehr flach hoch rechts"}, {204, "TORWART abwehr flach sehr_hoch rechts"},
        {206, "TORWART abwehr flach sehr hoch weit rechts"}, {222, "! Linienrichter Link Anim Fahne gehen"},
        {226, "! Linienrichter Link Anim Fahne sprint"},
    };
    for (const Fall& c : faelle) {
        const Anim_Satz* z = Anim_Zeile(c.zeile);
        ASSERT_NE(z, nullptr);
        EXPECT_TRUE(z->benutzt) << c.zeile;
        EXPECT_STREQ(z->name, c.name) << c.zeile;
    }
    EXPECT_FALSE(Anim_Zeile(1)->benutzt) << "STEHEN 1 SCHAU LINKS has no frames";
    EXPECT_EQ(Anim_Zeile(-1), nullptr);
    EXPECT_EQ(Anim_Zeile(ANIM_ZEILEN), nullptr);
    for (const char* name : {"SCHUSS PLAZIERT", "Auskicken", "Stolpern", "LAUFEN STOP", "STEHEN MUEDE",
                             "FUSSANNAHME HOCH", "PASSEN Leicht", "TORWART PASSEN", "Überspringen",
                             "! LINIENRICHTER FAHNE HOCH", "! SCHIEDRICHTER WEITER", "TORW LAUFEN 3"})
        EXPECT_GE(Anim_Suchen(name), 0) << name;
}

// Every row in use is consistent: frames, contact and brake inside the row,
// a timing, links to rows in use with a colour slot.
TEST(AnimTabelle, RowsInUseAreConsistent) {
    int32_t benutzt = 0;
    for (int32_t i = 0; i < ANIM_ZEILEN; ++i) {
        const Anim_Satz& z = *Anim_Zeile(i);
        if (!z.benutzt) continue;
        ++benutzt;
        EXPECT_GE(z.letzter_frame, 0) << i;
        EXPECT_LT(z.letzter_frame, 128) << i;
        EXPECT_TRUE(z.kontakt_frame == -9 || (z.kontakt_frame >= 0 && z.kontakt_frame <= z.letzter_frame)) << i;
        EXPECT_TRUE(z.brems_frame == 0 || (z.brems_frame > 0 && z.brems_frame <= z.letzter_frame)) << i;
        if (z.brems_frame) {
            EXPECT_GT(z.brems_divisor, 1.0f) << i;
        }
        EXPECT_GT(z.ref_frame_zeit, 0) << i;
        EXPECT_GT(z.ref_tempo, 0) << i;
        EXPECT_TRUE(z.richtungen == 1 || z.richtungen == 16) << i;
        if (z.link >= 0) {
            const Anim_Satz* l = Anim_Zeile(z.link);
            ASSERT_NE(l, nullptr) << i;
            EXPECT_TRUE(l->benutzt) << i;
            EXPECT_EQ(l->letzter_frame, z.letzter_frame) << "a linked row runs frame by frame with " << i;
            EXPECT_GE(z.link_farbe, 0) << i;
        }
        // Kicks, throws, headers and saves touch the ball 150-300 ms after
        // they start. The slide is timed at its 500 cm/s reference: run at a
        // defender's sprint (the frames shrink with speed, and the timer
        // steps twice a frame) it reaches the ball about 0.4 s after he
        // goes to ground, which its reference time makes 1.4 s.
        if (z.kontakt_frame >= 0) {
            const float ms = z.kontakt_frame * z.ref_frame_zeit;
            EXPECT_GE(ms, 150) << i;
            EXPECT_LE(ms, i == ANIM_GRAETSCHEN ? 1500 : 300) << i;
        }
    }
    EXPECT_GT(benutzt, 100);
}

// The constants the behaviours rely on.
TEST(AnimTabelle, MotionConstantsKeepTheirValues) {
    struct Reichweite {
        const char* name;
        float hoehe, seite;
    } reichweiten[] = {{"TORWART abwehr flach sehr_hoch rechts", 300, 220}, {"FLUGKOPFBALL", 150, 190},
                       {"KOPFBALL", 310, 0}, {"VOLLEY", 70, 0}};
    for (const Reichweite& r : reichweiten) {
        const Anim_Satz& z = *Anim_Zeile(Anim_Suchen(r.name));
        EXPECT_EQ(z.reichweite_hoehe, r.hoehe) << r.name;
        EXPECT_EQ(z.reichweite_seite, r.seite) << r.name;
    }
    EXPECT_EQ(Anim_Zeile(ANIM_GRAETSCHEN)->brems_frame, 10);
    EXPECT_EQ(Anim_Zeile(ANIM_GRAETSCHEN)->brems_divisor, 2.5f);
    EXPECT_EQ(Anim_Zeile(ANIM_HINFALLEN)->brems_frame, 5);
    EXPECT_EQ(Anim_Zeile(ANIM_HINFALLEN)->brems_divisor, 100.0f);
    EXPECT_EQ(Anim_Zeile(ANIM_DRIBBLING)->link, ANIM_DRIBBLING_LINK_BALL);
    // A running cycle covers the same ground at any speed: the walk about 1.5 m, the sprint about 4 m.
    auto zyklus = [](int32_t zeile) {
        const Anim_Satz& z = *Anim_Zeile(zeile);
        return float(z.letzter_frame + 1) * z.ref_frame_zeit * z.ref_tempo / 1000;
    };
    EXPECT_NEAR(zyklus(ANIM_GEHEN), 150, 15);
    EXPECT_NEAR(zyklus(ANIM_SPRINT), 400, 40);
    EXPECT_EQ(Anim_Zeile(ANIM_GEHEN)->letzter_frame, 9);
    EXPECT_EQ(Anim_Zeile(ANIM_SPRINT)->letzter_frame, 19);
    // A dive's mirror is the next row: the same reach on the other side.
    for (int32_t zeile : {166, 170, 174, 178, 182, 186, 190, 194, 198, 200, 202, 204, 206}) {
        const Anim_Satz &r = *Anim_Zeile(zeile), &l = *Anim_Zeile(zeile + 1);
        EXPECT_GT(r.reichweite_seite, 1) << zeile;
        EXPECT_EQ(l.reichweite_seite, -r.reichweite_seite) << zeile;
        EXPECT_EQ(l.reichweite_hoehe, r.reichweite_hoehe) << zeile;
        EXPECT_EQ(l.kontakt_frame, r.kontakt_frame) << zeile;
    }
}

// Every running row of a group has the group's frames; a change of gait keeps
// the phase: there and back lands within one frame of the start, and the
// stand starts each group at its start frame.
TEST(AnimTabelle, TheStrideKeepsThePhase) {
    int32_t frames[ANIM_GRUPPEN] = {};
    for (int32_t i = 0; i < ANIM_ZEILEN; ++i) {
        const Anim_Satz& z = *Anim_Zeile(i);
        if (!z.benutzt || z.lauf_gruppe < 0) continue;
        ASSERT_LT(z.lauf_gruppe, ANIM_GRUPPEN);
        int32_t& n = frames[z.lauf_gruppe];
        if (z.lauf_gruppe > 0 && n) {
            EXPECT_EQ(z.letzter_frame + 1, n) << i;
        }
        n = z.letzter_frame + 1;
    }
    const int32_t start[ANIM_GRUPPEN] = {0, 7, 7, 2, 5, 4};
    for (int32_t h = 0; h < ANIM_GRUPPEN; ++h) {
        EXPECT_EQ(Anim_Gruppen_Start(h), start[h]);
        EXPECT_EQ(Anim_Schritt_Uebergang(0, h, 0), start[h]);
        EXPECT_EQ(Anim_Schritt_Uebergang(h, 2, 25), start[2]) << "a frame outside the cycle";
    }
    const int32_t beispiel[10] = {4, 7, 11, 13, 14, 15, 18, 19, 1, 3};
    for (int32_t f = 0; f < 10; ++f) EXPECT_EQ(Anim_Schritt_Uebergang(1, 3, f), beispiel[f]);
    EXPECT_EQ(Anim_Schritt_Uebergang(-3, 3, 0), start[3]);
    EXPECT_EQ(Anim_Schritt_Uebergang(1, 7, 0), 0);
    for (int32_t g = 1; g < ANIM_GRUPPEN; ++g)
        for (int32_t h = 1; h < ANIM_GRUPPEN; ++h) {
            if (g == 1 && h == 3) continue;   // the hand-made walk-to-sprint row
            if (g == 3 && h == 1) continue;
            for (int32_t f = 0; f < frames[g]; ++f) {
                const int32_t hin = Anim_Schritt_Uebergang(g, h, f);
                ASSERT_GE(hin, 0);
                ASSERT_LT(hin, frames[h]);
                const int32_t zurueck = Anim_Schritt_Uebergang(h, g, hin);
                const int32_t abstand = std::abs(zurueck - f) % frames[g];
                const int32_t toleranz = (frames[g] + frames[h] - 1) / frames[h];
                EXPECT_LE(std::min(abstand, frames[g] - abstand), toleranz) << g << " " << h << " " << f;
            }
        }
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

// An order for figure k: target (x, y), speed, animation, frame duration, repeats.
Anweisung& Befehl(Spielfeld_Satz* s, int32_t k, int32_t x, int32_t y, int32_t tempo, int32_t anim, float dauer,
                  int32_t wiederholung, int32_t ring = 0) {
    EXPECT_TRUE(SetZSA(s, k, x, y, 0, tempo, anim, 0, dauer, 0, -1, 1, wiederholung, ring, 0, 0));
    Figur& f = s->figur[k];
    return f.ring[(f.aktuell + ring) & 3];
}

// Stamina is used up above 700 cm/s and comes back below, and never leaves
// 0..10000; a walk with no fatigue gains trunc(12 x |f| x (fitness + 6)) per
// frame, f = (speed - 700) / 180.
TEST_F(AnweisungTest, StaminaStaysInRangeAndTheWalkGainsByTheFormula) {
    struct Fall {
        int32_t tempo, fitness, ausdauer, frische;
    } faelle[] = {{300, 0, 5000, 0},  {300, 5, 5000, 0},  {100, 2, 9990, 0},  {0, 0, 0, 0},
                  {1200, 0, 20, 999}, {1200, -1, 100, 0}, {900, 5, 10000, 0}, {300, 4, 5000, 1000}};
    s->ausdauer_timer = 0;
    for (const Fall& c : faelle) {
        Spieler_Matchsatz& sm = s->spieler[4];
        sm.fitness = int8_t(c.fitness);
        sm.ausdauer = c.ausdauer;
        sm.frische = int16_t(c.frische);
        SetAnim(s, 4, 3000, 3000, 0);
        Befehl(s, 4, 9000, 3000, c.tempo, ANIM_GEHEN, 20, -1);
        s->figur[4].anim_timer = 0;
        Figur_Anim_Schritt(s, 4, &s->figur[4], 20);   // one frame step
        if (c.tempo > 0 && c.tempo < 700 && c.frische == 0) {
            const double gewinn = std::trunc(12.0 * (700.0 - c.tempo) / 180.0 * (c.fitness + 6));
            EXPECT_EQ(sm.ausdauer, std::min(c.ausdauer + int32_t(gewinn), 10000)) << c.tempo << " " << c.fitness;
        }
        for (int32_t i = 0; i < 300; ++i) Figur_Anim_Schritt(s, 4, &s->figur[4], 20);
        EXPECT_GE(sm.ausdauer, 0) << c.tempo;
        EXPECT_LE(sm.ausdauer, 10000) << c.tempo;
        if (c.tempo >= 1200) {
            EXPECT_LT(sm.ausdauer, c.ausdauer + 1) << "a sprint uses stamina";
        }
        EXPECT_LE(sm.frische, 1000);
    }
}

// From its brake frame on a player's velocity is divided, in frames whose
// stamina timer ran out; the referee never brakes.
TEST_F(AnweisungTest, ABrakeFrameDividesThePlayersVelocity) {
    struct Fall {
        int32_t figur, frame;
        float timer, vx;
    } faelle[] = {{5, 9, 0, 200}, {5, 8, 0, 500}, {5, 12, 0, 200}, {5, 9, 1, 500}, {FIGUR_SCHIRI, 9, 0, 500}};
    for (const Fall& c : faelle) {
        Figur& f = s->figur[c.figur];
        SetAnim(s, c.figur, 3000, 3000, 0);
        Anweisung& a = Befehl(s, c.figur, 9000, 3000, 500, ANIM_GRAETSCHEN, 40, 1);
        a.frame = int8_t(c.frame);
        f.v[0] = 500;
        f.v[1] = 250;
        f.dreh_geplant = 0;
        s->ausdauer_timer = c.timer;
        f.anim_timer = 0;
        Figur_Anim_Schritt(s, c.figur, &f, 40);
        EXPECT_FLOAT_EQ(f.v[0], c.vx) << c.figur << " " << c.frame;
        EXPECT_FLOAT_EQ(f.v[1], c.vx / 2) << c.figur << " " << c.frame;
        EXPECT_EQ(a.frame, c.frame + 1);
    }
}

// At the end of its cycle an endless order wraps; a finite one hands over to
// the queued order; with nothing queued the figure stops and asks its AI.
TEST_F(AnweisungTest, TheEndOfACycleWrapsHandsOverOrStops) {
    Figur& f = s->figur[6];
    const float dauer = 40;
    SetAnim(s, 6, 2000, 2000, 0);
    Anweisung& endlos = Befehl(s, 6, 8000, 2000, 400, ANIM_LAUFEN_1, dauer, -1);
    endlos.frame = endlos.letztes;
    f.anim_timer = 0;
    Figur_Anim_Schritt(s, 6, &f, dauer);
    EXPECT_EQ(endlos.frame, 0) << "wraps";
    EXPECT_EQ(Figur_Aktuelle_Anweisung(&f), &endlos);

    const int32_t vorher = f.aktuell & 3;
    Anweisung& schuss = Befehl(s, 6, 8000, 2000, 300, 34, dauer, 1);
    schuss.frame = schuss.letztes;
    Anweisung& danach = Befehl(s, 6, 9000, 2500, 900, ANIM_LAUF_NACH_TEMPO, -1, -1, 1);
    ASSERT_EQ(danach.anim, ANIM_SPRINT);
    f.anim_timer = 0;
    Figur_Anim_Schritt(s, 6, &f, 1);
    EXPECT_EQ(f.aktuell & 3, (vorher + 1) & 3) << "hands over";
    EXPECT_EQ(s->figur[6].ring[vorher].anim, -1) << "the old slot is free";
    EXPECT_EQ(danach.frame, Anim_Gruppen_Start(3));
    EXPECT_GT(std::hypot(f.v[0], f.v[1]), 0.0f);

    danach.wiederholung = 1;
    danach.frame = danach.letztes;
    f.entscheiden = 0;
    f.anim_timer = 0;
    Figur_Anim_Schritt(s, 6, &f, 1);
    EXPECT_EQ(f.aktuell & 3, (vorher + 1) & 3) << "nothing queued: no hand-over";
    EXPECT_EQ(f.entscheiden, 1);
    EXPECT_EQ(f.v[0], 0);
    EXPECT_EQ(danach.tempo, 0);
    EXPECT_EQ(danach.dauer, 0);
    EXPECT_EQ(danach.wiederholung, -1);
}

// A stationary order makes no frame step (its duration could never bring the
// timer back), a damaged row counts as the stand and the order index is taken
// modulo 4.
TEST_F(AnweisungTest, StationaryOrdersAndDamagedRowsNeverHang) {
    Figur& f = s->figur[8];
    Anweisung& a = Befehl(s, 8, 5000, 5000, 0, ANIM_STEHEN, 0, -1);
    a.frame = 2;
    f.anim_timer = -1e9f;
    Figur_Anim_Schritt(s, 8, &f, 30);
    EXPECT_EQ(a.frame, 2);
    EXPECT_EQ(f.anim_timer, 0);

    a.dauer = 1e-6f;
    f.anim_timer = 0;
    Figur_Anim_Schritt(s, 8, &f, 30);   // would take 30 million frame steps
    EXPECT_TRUE(Log_Enthaelt("Figur_Anim_Schritt: Figur 8"));

    f.aktuell = 7;
    Anweisung& b = f.ring[3];
    b.anim = 999;
    b.dauer = 30;
    b.frame = 0;
    b.letztes = 5;
    b.wiederholung = -1;
    b.frame_schritt = 1;
    f.anim_timer = 0;
    Figur_Anim_Schritt(s, 8, &f, 30);
    EXPECT_EQ(b.frame, 1);
    EXPECT_TRUE(Log_Enthaelt("Animation 999"));
}

}  // namespace
}  // namespace velmora::test
