// Team lines: the zone rule with its worked examples, mirroring and the per-minute step.
#include <cstring>

#include "match/live/spielfeld_linie.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

TEST(SpielfeldZelle, GridCellsToPitchPoints) {
    struct Fall {
        int32_t spalte, reihe, x, y;
    } faelle[] = {{0, 0, 1620, 1020}, {3, 0, 1620, 3402}, {3, 5, 5400, 3402}, {6, 10, 9180, 5784}, {0, 1, 2376, 1020}};
    for (const Fall& c : faelle) {
        int32_t x = 0, y = 0;
        Spielfeld_Zelle_Zu_Punkt(c.spalte, c.reihe, &x, &y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
    Spielfeld_Zelle_Zu_Punkt(1, 1, nullptr, nullptr);   // no crash without out values
}

struct LinieFall {
    int32_t spalte, reihe, t5;
    int16_t erwartet[8];   // line x, line y, second x, second y, x low, y low, x high, y high
};

TEST(SpielfeldTaktikLinie, WorkedExamplesOfTheFormationValues) {
    Fake_Hooks_Setzen();
    const LinieFall faelle[] = {
        // Centre midfield at d = 50.
        {3, 5, 3, {4100, 3402, 6900, 3402, 3400, 2002, 7600, 4802}},
        // Central defender: pulled to 3403, deep central; line x clamped to 1100.
        {3, 1, 3, {1100, 3403, 2476, 3403, 376, 1203, 3176, 5603}},
        // Left back: y 1020 pulled to 3403 - 1334 = 2069, so deep central as well.
        {0, 1, 3, {1100, 2069, 2476, 2069, 376, 0, 3176, 4269}},
    };
    for (const LinieFall& c : faelle) {
        Fake().taktik[7] = {0, 0, 0, 0, 0, int8_t(c.t5), 0};
        int16_t out[8] = {};
        Spielfeld_Taktik_Linie(7, out, c.spalte, c.reihe);
        for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(out[i], c.erwartet[i]) << "cell " << c.spalte << "," << c.reihe << " value " << i;
    }
    Spielfeld_Hooks() = SpielfeldHooks{};
}

// The rule written out once more: the cell's point, drawn towards the middle
// in the own half, through the zone rule at depth t5 x 100 / 6.
void Zelle_Nach_Regel(int32_t t5, int32_t spalte, int32_t reihe, int16_t out[8]) {
    int32_t x = 0, y = 0;
    Spielfeld_Zelle_Zu_Punkt(spalte, reihe, &x, &y);
    if (x < 4320) y = 3403 + (y - 3403) * 70 / 100 * (x < 2700 ? 80 : 100) / 100;
    SpielfeldZone z = Spielfeld_Zonenregel(x, y, t5 * 100 / 6, LINIE_FORMATION);
    const int32_t w[8] = {z.linie_x, z.linie_y, z.linie_x2, z.linie_y2, z.x_von, z.y_von, z.x_bis, z.y_bis};
    for (int32_t i = 0; i < 8; ++i) out[i] = int16_t(w[i]);
}

TEST(SpielfeldTaktikLinie, EveryDepthAndCellGivesTheRulesValuesWithOrWithoutTheTeam) {
    Fake_Hooks_Setzen();
    // Depths and cells a tactic and a formation can hold, and some they cannot.
    for (int32_t t5 = -2; t5 <= 9; ++t5)
        for (int32_t spalte = -1; spalte <= 7; ++spalte)
            for (int32_t reihe = -1; reihe <= 11; ++reihe) {
                int16_t regel[8], fuer[8], team[8];
                Zelle_Nach_Regel(t5, spalte, reihe, regel);
                const int8_t taktik[7] = {1, 0, 9, 1, 4, int8_t(t5), 4};
                Spielfeld_Taktik_Linie_Fuer(taktik, fuer, spalte, reihe);
                Fake().taktik[7] = {1, 0, 9, 1, 4, int8_t(t5), 4};
                Spielfeld_Taktik_Linie(7, team, spalte, reihe);
                for (int32_t i = 0; i < 8; ++i) {
                    ASSERT_EQ(fuer[i], regel[i]) << "depth " << t5 << " cell " << spalte << "," << reihe << " value " << i;
                    ASSERT_EQ(team[i], regel[i]) << "depth " << t5 << " cell " << spalte << "," << reihe << " value " << i;
                }
            }
    Spielfeld_Hooks() = SpielfeldHooks{};
}

TEST(SpielfeldZonenregel, DepthChangesReachAtTheFiftyBoundary) {
    struct Fall {
        int32_t d;
        int32_t x_von, x_bis;
    } faelle[] = {
        {49, 5400 - 2090, 5400 + 2200 - 15},   // r = 2090, q = 2185
        {50, 5400 - 2000, 5400 + 2200},
        {51, 5400 - 2000, 5400 + 2910},
        {100, 5400 - 2000, 5400 + 3400},
    };
    for (const Fall& c : faelle) {
        SpielfeldZone z = Spielfeld_Zonenregel(5400, 3402, c.d, LINIE_FELDSPIELER);
        EXPECT_EQ(z.x_von, c.x_von) << c.d;
        EXPECT_EQ(z.x_bis, c.x_bis) << c.d;
        EXPECT_EQ(z.y_von, 2002);
    }
    // Off the pitch: every value stays inside the bounds.
    SpielfeldZone z = Spielfeld_Zonenregel(-20000, 90000, 50, LINIE_FELDSPIELER);
    EXPECT_EQ(z.linie_x, 1100);
    EXPECT_EQ(z.linie_x2, 1200);
    EXPECT_EQ(z.x_von, 0);
    EXPECT_EQ(z.y_bis, 6806);
    EXPECT_EQ(z.linie_y, 6806);
}

TEST_F(MatchTest, PanelMoveTowardsZeroMirrorsTheZoneOfTheOtherDirection) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    s->taktik[0][5] = s->taktik[1][5] = 50;
    s->seiten_gewechselt = 0;   // side 1 (team 3) plays towards x = 0
    const int32_t slot = 17 + 5;
    ASSERT_FALSE(s->figur[slot].torwart);
    Spielfeld_Linie_Setzen_Lokal(s, 3, slot, 3000, 2000);
    Spieler_Matchsatz links = s->spieler[slot];
    s->seiten_gewechselt = 1;   // now team 3 attacks towards 10800
    Spielfeld_Linie_Setzen_Lokal(s, 3, slot, 10800 - 3000, 6806 - 2000);
    const Spieler_Matchsatz& rechts = s->spieler[slot];
    EXPECT_EQ(links.bereich[0], 10800 - rechts.bereich[1]);
    EXPECT_EQ(links.bereich[1], 10800 - rechts.bereich[0]);
    EXPECT_EQ(links.bereich[2], 6806 - rechts.bereich[3]);
    EXPECT_EQ(links.bereich[3], 6806 - rechts.bereich[2]);
    for (int32_t i = 0; i < 2; ++i) EXPECT_EQ(links.linie[i], 10800 - rechts.linie[i]);
    for (int32_t i = 2; i < 4; ++i) EXPECT_EQ(links.linie[i], 6806 - rechts.linie[i]);
    // The line position reads back from the stored values.
    EXPECT_EQ(Spielfeld_Linie_X(s, slot), 10800 - 3000);
}

TEST_F(MatchTest, ComputerGoalkeeperGetsTheWideZoneAfterTheFirstMinute) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    ASSERT_TRUE(s->computer[0]);
    s->seiten_gewechselt = 0;
    s->spieler[0].linie[0] = 0;
    s->spieler[0].linie[1] = 550;
    s->spieler[0].linie[2] = s->spieler[0].linie[3] = 3403;
    ASSERT_TRUE(s->figur[0].torwart);
    Spielfeld_Taktik_Aktualisieren(s);
    EXPECT_EQ(s->taktik[0][5], 100);
    const Spieler_Matchsatz& tw = s->spieler[0];
    EXPECT_EQ(tw.linie[0], 0);
    EXPECT_EQ(tw.linie[1], 550);
    EXPECT_EQ(tw.bereich[0], 0);
    EXPECT_EQ(tw.bereich[1], 1250);
    EXPECT_EQ(tw.bereich[2], 1203);
    EXPECT_EQ(tw.bereich[3], 5603);
}

TEST_F(MatchTest, MinuteStepDerivesFlagsAndRoleBytes) {
    Manager_Neuer_Mitspieler(2, "A", 1);
    Manager_Neuer_Mitspieler(3, "B", 1);
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    ASSERT_FALSE(s->computer[0]);
    struct Fall {
        int8_t t5, t2;
        uint8_t pressing;
        uint8_t r141, r144, r146, b9, b7;
    } faelle[] = {
        {0, 51, 12, 0, 0, 1, 1, 1}, {13, 50, 13, 1, 1, 2, 0, 0}, {62, 0, 63, 3, 2, 2, 0, 0}, {100, 100, 100, 4, 4, 3, 0, 1},
    };
    for (const Fall& c : faelle) {
        s->taktik[0][5] = c.t5;
        s->taktik[0][2] = c.t2;
        s->pressing[0] = c.pressing;
        Spielfeld_Taktik_Aktualisieren(s);
        EXPECT_EQ(s->taktik[0][9], c.b9);
        EXPECT_EQ(s->taktik[0][7], c.b7);
        EXPECT_EQ(s->taktik[0][8], c.b7);
        for (int32_t slot = 0; slot < 17; ++slot) {
            EXPECT_EQ(s->spieler[slot].rolle[ROLLE(141)], c.r141);
            EXPECT_EQ(s->spieler[slot].rolle[ROLLE(144)], c.r144);
            EXPECT_EQ(s->spieler[slot].rolle[ROLLE(145)], c.r144);
            EXPECT_EQ(s->spieler[slot].rolle[ROLLE(146)], c.r146);
        }
    }
}

TEST_F(MatchTest, NetworkPanelMoveChangesOnlyTheEditCopy) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    s->seiten_gewechselt = 1;    // team 2 plays towards x = 0
    s->e_taktik[0][5] = 50;
    Spieler_Matchsatz vorher = s->spieler[5];
    Fake().netz = 2;
    Spielfeld_Linie_Setzen(s, 2, 5, 10800 - 5400, 6806 - 3402);
    EXPECT_EQ(std::memcmp(&vorher, &s->spieler[5], sizeof vorher), 0);
    EXPECT_EQ(s->e_linie[5][0], 10800 - 4100);
    EXPECT_EQ(s->e_linie[5][1], 10800 - 6900);
    EXPECT_EQ(s->e_linie[5][2], 6806 - 3402);
    Fake().netz = 0;
    Spielfeld_Linie_Setzen(s, 2, 5, 10800 - 5400, 6806 - 3402);
    EXPECT_NE(std::memcmp(&vorher, &s->spieler[5], sizeof vorher), 0);
    Spielfeld_Linie_Setzen(nullptr, 2, 5, 0, 0);
    Spielfeld_Linie_Setzen(s, 2, 34, 0, 0);
}

}  // namespace
}  // namespace velmora::test
