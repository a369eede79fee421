// tests/business/stadion_test.cpp - stadiums: creation, gate money, upkeep,
// attendance percentage and statistics.
#include <gtest/gtest.h>

#include <cstring>

#include "club/club_config.h"
#include "club/team_suche.h"
#include "core/rnd.h"
#include "season/rangliste.h"
#include "tests/business/stadion_welt.h"
#include "tests/support/rnd_vorgabe.h"

namespace velmora {
namespace {

using test::Bank;
using test::LIGA;
using test::POKAL;

class StadionTest : public test::StadionWelt {};

TEST_F(StadionTest, CreationRoundsTheCapacityAndTakesTheNearestModel) {
    struct Fall {
        int32_t eingabe, kapazitaet, modell;
    } faelle[] = {
        {23456, 23000, 2},    // middle 22,000
        {0, 20000, 2},        // no capacity: 20,000
        {1000, 1000, 0},
        {7750, 7000, 0},      // 7,000 lies nearer to 5,000 than to 10,500
        {7999, 7000, 0},
        {45000, 45000, 4},    // 52,500 is nearer than 35,000
        {100000, 100000, 5},
        {-5, 20000, 2},
    };
    for (const Fall& f : faelle) {
        Stadion_Satz* s = Bauen(2, f.eingabe);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->kapazitaet, f.kapazitaet) << f.eingabe;
        EXPECT_EQ(s->modell, f.modell) << f.eingabe;
        EXPECT_EQ(s->komfort, Stadion_Modell_Wert(f.modell, MODELL_NORMKOMFORT)) << f.eingabe;
        EXPECT_STREQ(s->name, "Arena 2");
    }
    EXPECT_EQ(Stadion_Get(2, 1)->komfort, 50);
    // The price follows the club's strength: (20 + x / 20) x 100 / 100 + 1.
    int32_t st = Team_Berechne_Staerke(2, 16);
    EXPECT_EQ(Stadion_Get(2, 1)->preis, 20 + (st + st * 120 / 100) / 20 + 1);
}

TEST_F(StadionTest, TheStadiumLinesOfTheClubFileBuildEveryStadium) {
    ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(3, "Waldstadion", 12000, 11456));
    ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(5, "Am Bach", 800, 0));
    EXPECT_EQ(Stadion_Alle_Anlegen(), 2);
    int32_t steh = 0, sitze = 0;
    ASSERT_TRUE(Stadion_Get_Plaetze(3, &steh, &sitze));
    EXPECT_EQ(sitze, 12000);
    EXPECT_EQ(steh, 11456);
    EXPECT_EQ(Stadion_Get_Kapazitaet(3), 23000);
    EXPECT_STREQ(Stadion_Get(3, 0)->name, "Waldstadion");
    // 800 places round down to nothing, which counts as 20,000.
    EXPECT_EQ(Stadion_Get_Kapazitaet(5), 20000);
    EXPECT_EQ(Stadion_Get_Kapazitaet(2), 0);
    EXPECT_EQ(Stadion_Get(2, 0), nullptr);
}

TEST_F(StadionTest, ACopyIsNotTheLiveRecord) {
    Bauen(2, 30000);
    Stadion_Satz* kopie = Stadion_Get(2, 0);
    kopie->preis = 999;
    EXPECT_NE(Stadion_Get(2, 1)->preis, 999);
}

TEST_F(StadionTest, TheGateMoneyIsBookedByTheShares) {
    Bauen(2, 30000);
    Bauen(3, 30000);
    struct Fall {
        int32_t heim, gast;
    } faelle[] = {{100, 0}, {50, 50}, {0, 0}};
    for (const Fall& f : faelle) {
        Bank() = test::Bankbuch{};
        Spiel_Lock s = Spiel(2, 3);
        int32_t zuschauer = Stadion_Spiel_Einnahmen(2, s, f.heim, f.gast, 0);
        ASSERT_GT(zuschauer, 0);
        EXPECT_LE(zuschauer, 30000);
        float g = float(int64_t(Stadion_Get(2, 1)->preis) * zuschauer);
        EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_EINTRITT), g * float(f.heim) / 100);
        EXPECT_FLOAT_EQ(Bank().summe(3, BUCHUNG_EINTRITT), g * float(f.gast) / 100);
        for (const test::Buchung& b : Bank().buchungen) EXPECT_EQ(b.von, -1);
    }
    // A dry run books nothing and leaves the statistics alone.
    Bank() = test::Bankbuch{};
    uint32_t spiele = Stadion_Get_Statistik(2)->spiele[0];
    EXPECT_GT(Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1), 0);
    EXPECT_TRUE(Bank().buchungen.empty());
    EXPECT_EQ(Stadion_Get_Statistik(2)->spiele[0], spiele);
}

TEST_F(StadionTest, ACrowdIsNeverAboveTheCapacity) {
    Bauen(2, 1000);
    for (int32_t i = 0; i < 20; ++i) EXPECT_EQ(Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1), 1000);
    // A venue without a stadium uses the record of 20,000 places.
    int32_t z = Stadion_Spiel_Einnahmen(4, Spiel(4, 5), 100, 0, 1);
    EXPECT_GT(z, 0);
    EXPECT_LE(z, 20000);
}

TEST_F(StadionTest, AGameWithoutBothClubsHasNoCrowd) {
    Bauen(2, 30000);
    EXPECT_EQ(Stadion_Spiel_Einnahmen(2, 9999, 100, 0, 0), 0);
    EXPECT_TRUE(Bank().buchungen.empty());
}

TEST_F(StadionTest, ACrowdBelow300BecomesARandom250To350BeforeTheMoneyEffect) {
    ASSERT_TRUE(Global_Config_Lesen_Text("STADION_ZUSCHAUER_LEVEL 0\n", "test"));
    Bauen(2, 120000)->preis = 60;   // far above the reference price: the crowd is driven below 0
    test::Konto_Setzen(2, 0);            // the money effect draws 0..10
    for (int32_t i = 0; i < 200; ++i) {
        int32_t z = Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1);
        EXPECT_GE(z, 250 * 75 / 100);
        EXPECT_LE(z, 350 * 85 / 100);
    }
}

// The crowd of the same draw at two ticket prices: the reference price r is
// 20 + P / 20 in this world (no ranking, league percentage 100, norm comfort).
TEST_F(StadionTest, TheTicketPriceAgainstTheReferenceMovesTheCrowd) {
    Stadion_Satz* s = Bauen(2, 120000);
    test::Konto_Setzen(2, 6000000);   // the money effect draws 0..6
    int64_t P = Team_Berechne_Staerke(2, 16) + int64_t(Team_Berechne_Staerke(3, 16)) * 120 / 100;
    int32_t r = int32_t(20 + P / 20);
    ASSERT_GT(r, 20);
    struct Fall {
        int32_t preis;
        double min, max;   // ratio to the crowd at the reference price
    } faelle[] = {
        {r, 75.0 / 81, 81.0 / 75},
        // 11 % above: 11 to 13 per cent less per money unit of difference.
        {r * 111 / 100 + 1, (100.0 - (r * 111 / 100 + 1 - r) * 13) / 100 * 75 / 81,
         (100.0 - (r * 111 / 100 + 1 - r) * 11) / 100 * 81 / 75},
        // Half the reference: at most 50 % more.
        {r / 2, 1.35 * 75 / 81, 1.5 * 81 / 75},
    };
    for (const Fall& f : faelle) {
        for (int32_t i = 0; i < 30; ++i) {
            s->preis = r;
            Rnd_Set_Index(i * 37, 0);
            double basis = Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1);
            s->preis = f.preis;
            Rnd_Set_Index(i * 37, 0);
            double z = Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1);
            EXPECT_GE(z / basis, f.min - 0.01) << f.preis;
            EXPECT_LE(z / basis, f.max + 0.01) << f.preis;
        }
    }
}

// The crowd of club 2's home match, one row per branch of the demand. In this
// world both clubs have strength 55 and no crowd pullers: P = 55 + 55 x 120 /
// 100 = 121; crowd level 500 x 120 / 100 = 600 at level 0, A = 121 x (600 x
// 125 / 100) + 2000 = 92750; without ranking the table weighs nothing (W = 30
// - 15 - 15), so D = A. Reference price (20 + 121 / 20) x 100 / 100 = 26.
// Every table entry is 41: Rnd(11,13) = 13, Rnd(7,10) = 8, Rnd(0,10) = 8,
// Rnd(0,6) = 6, Rnd(6,12) = 12, Rnd(250,350) = 291.
TEST_F(StadionTest, TheCrowdFollowsDemandPriceComfortMoneyAndTable) {
    ASSERT_EQ(Team_Berechne_Staerke(2, 16), 55);
    ASSERT_EQ(Team_Berechne_Staerke(5, 16), 55);
    struct Fall {
        const char* fall;
        int32_t gast, kapazitaet, komfort, preis, konto, level;
        bool rangliste;
        int32_t zuschauer;
    } faelle[] = {
        // 27 x 100 / 26 - 100 = 3: no price effect; 108,000 (60,000 + 80 x 60,000 / 100) holds D.
        {"plain", 3, 120000, -1, 27, 0, 0, false, 92750 * 83 / 100},                    // 76982
        // e = 3000 / 26 - 100 = 15 > 10, d = 4: 92750 x (100 - 4 x 13) / 100 = 44520.
        {"dear", 3, 120000, -1, 30, 0, 0, false, 44520 * 83 / 100},                     // 36951
        // e = 76 - 100 < -10, d = -6 raised to -5: (100 + 5 x 8) x 92750 / 100 = 129850.
        {"cheap", 3, 120000, -1, 20, 0, 0, false, 129850 * 83 / 100},                   // 107775
        // d = 34 drives the crowd below 300: Rnd(250,350) = 291.
        {"far too dear", 3, 120000, -1, 60, 0, 0, false, 291 * 83 / 100},               // 241
        // Model 4, m = 35,000 + 60 x 35,000 / 100 = 56,000 < D: g = ((165 - 90) / 10)^2 + 100 = 149,
        // 92750 x 100 / 149 = 62248.
        {"band", 3, 52000, -1, 27, 0, 0, false, 62248 * 83 / 100},                      // 51665
        // Comfort 45 of norm 90: k = 50, r = 26 x (12 + 75) / 100 = 22; e = 22, d = 5:
        // 92750 x 35 / 100 = 32462; comfort not above 50 leaves m = 60,000 < D:
        // g = ((154 - 90) / 10)^2 + 100 = 136, 32462 x 100 / 136 = 23869; a rich club draws 0..6.
        {"poor comfort, rich club", 3, 120000, 45, 27, 6000000, 0, false, 23869 * 81 / 100},   // 19333
        {"poor club", 3, 120000, -1, 27, -600000, 0, false, 92750 * 87 / 100},          // 80692
        // Level 4: 500 x 85 / 100 = 425, 425 x 125 / 100 = 531, A = 121 x 531 + 2000 = 66251.
        {"level 4", 3, 120000, -1, 27, 0, 4, false, 66251 * 83 / 100},                  // 54988
        // Ranked first and second of 4: rH = 100, rA = 75, W = 30; R = 90 + 82 / 2 = 131,
        // B = 171 x 466 + 2000 = 81686, D = (92750 x 70 + 81686 x 30) / 100 = 89430;
        // rH + rA = 175 > 170: r = 26 x 105 / 100 = 27; price 30: e = 11, d = 3,
        // 89430 x 61 / 100 = 54552.
        {"first against second", 3, 120000, -1, 30, 0, 0, true, 54552 * 83 / 100},     // 45278
        // Against the last: rA = 25 kept at 40; R = 90 + 44 / 2 = 112, B = 125 x 466 + 2000 = 60250,
        // D = (6492500 + 1807500) / 100 = 83000; rA < 50: r = 26 x 90 / 100 = 23, e = 17, d = 4:
        // 83000 x 48 / 100 = 39840.
        {"first against last", 5, 120000, -1, 27, 0, 0, true, 39840 * 83 / 100},       // 33067
    };
    for (const Fall& f : faelle) {
        Stadion_Satz* s = Bauen(2, f.kapazitaet);
        s->preis = f.preis;
        if (f.komfort >= 0) s->komfort = f.komfort;
        test::Konto_Setzen(2, f.konto);
        Team_Spielstand_Setzen(Team_Spiel_Laeuft(), f.level);
        if (f.rangliste) {
            ASSERT_TRUE(Rangliste_Init());
            Rangliste_Tag();   // no points yet: the clubs in team order
        }
        test::Rnd_Alle(41);
        EXPECT_EQ(Stadion_Spiel_Einnahmen(2, Spiel(2, f.gast), 100, 0, 1), f.zuschauer) << f.fall;
        if (f.rangliste) Rangliste_Free();
    }
    Team_Spielstand_Setzen(Team_Spiel_Laeuft(), 0);
}

TEST_F(StadionTest, TheAttendancePercentageScalesEveryCrowdAndDriftsBack) {
    Bauen(2, 120000);
    Rnd_Set_Index(100, 0);
    int32_t normal = Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1);
    ASSERT_TRUE(Stadion_Zuschauer_Prozent_Setzen(10));
    EXPECT_EQ(Stadion_Zuschauer_Prozent(), 25);
    // Setting it while it is not 100 is refused.
    EXPECT_FALSE(Stadion_Zuschauer_Prozent_Setzen(50));
    EXPECT_EQ(Stadion_Zuschauer_Prozent(), 25);
    Rnd_Set_Index(100, 0);
    EXPECT_EQ(Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 1), normal / 4);
    // The upkeep moves it a point toward 100 now and then, and it stays there.
    int32_t vorher = 25;
    for (int32_t i = 0; i < 20000 && Stadion_Zuschauer_Prozent() != 100; ++i) {
        Stadion_Unterhalt_Buchen(2);
        EXPECT_GE(Stadion_Zuschauer_Prozent(), vorher);
        EXPECT_LE(Stadion_Zuschauer_Prozent(), vorher + 1);
        vorher = Stadion_Zuschauer_Prozent();
    }
    EXPECT_EQ(Stadion_Zuschauer_Prozent(), 100);
    EXPECT_TRUE(Stadion_Zuschauer_Prozent_Setzen(300));
    EXPECT_EQ(Stadion_Zuschauer_Prozent(), 200);
}

TEST_F(StadionTest, UpkeepIsBasicCostPlusRunningCostPerThousandPlaces) {
    struct Fall {
        int32_t kapazitaet;
        float kosten;
    } faelle[] = {{100000, 120000}, {9000, 1350}, {23000, 6900}, {45000, 36000}};
    for (const Fall& f : faelle) {
        Bank() = test::Bankbuch{};
        Bauen(2, f.kapazitaet);
        Stadion_Unterhalt_Buchen(2);
        ASSERT_EQ(Bank().buchungen.size(), 1u);
        EXPECT_EQ(Bank().buchungen[0].von, 2);
        EXPECT_EQ(Bank().buchungen[0].an, -1);
        EXPECT_EQ(Bank().buchungen[0].kategorie, BUCHUNG_STADION_UNTERHALT);
        EXPECT_FLOAT_EQ(Bank().buchungen[0].betrag, f.kosten);
    }
    // A club without a stadium pays nothing.
    Bank() = test::Bankbuch{};
    Stadion_Unterhalt_Buchen(4);
    EXPECT_TRUE(Bank().buchungen.empty());
}

TEST_F(StadionTest, HomeMatchesEnterTheStatisticsOfTheirCompetitionSlot) {
    Bauen(2, 30000);
    Spiel_Lock liga = Spiel(2, 3);
    int32_t z = Stadion_Spiel_Einnahmen(2, liga, 100, 0, 0);
    const Stadion_Statistik* st = Stadion_Get_Statistik(2);
    ASSERT_NE(st, nullptr);
    EXPECT_EQ(st->wettbewerb[0], LIGA);
    EXPECT_EQ(st->spiele[0], 1u);
    EXPECT_EQ(st->zuschauer_summe[0], uint32_t(z));
    EXPECT_EQ(st->rekord_zuschauer[0], z);
    EXPECT_STREQ(st->gegner[0][0], "C3");
    EXPECT_EQ(st->tore[0][0][0], STADION_FREI);
    EXPECT_EQ(st->verlauf_anzahl, 1u);
    EXPECT_EQ(st->verlauf[0][0], z);
    EXPECT_EQ(st->verlauf[2][0], Stadion_Get(2, 1)->preis);
    EXPECT_EQ(st->verlauf[3][0], 100);
    EXPECT_EQ(st->fuellung, uint8_t(z * 100 / 30000));
    // The result fills the open scores.
    Spiele_Set_Ergebnis(liga, 3, 1, 0);
    Stadion_Spiel_Eintragen(liga);
    EXPECT_EQ(st->tore[0][0][0], 3);
    EXPECT_EQ(st->tore[0][0][1], 1);
    EXPECT_EQ(st->tore[0][1][0], 3);
    // A cup match takes the first free slot.
    Stadion_Spiel_Einnahmen(2, Spiel(2, 4, POKAL), 100, 0, 0);
    EXPECT_EQ(st->wettbewerb[1], POKAL);
    EXPECT_EQ(st->spiele[1], 1u);
    EXPECT_EQ(st->spiele[0], 1u);
    EXPECT_EQ(st->verlauf_anzahl, 1u);
    EXPECT_STREQ(st->gegner[1][0], "C4");
    // A match of the club's at another venue counts nowhere.
    Bauen(5, 30000);
    Stadion_Spiel_Einnahmen(5, Spiel(2, 3), 100, 0, 0);
    EXPECT_EQ(st->spiele[0], 1u);
    EXPECT_EQ(Stadion_Get_Statistik(5)->spiele[0], 0u);
}

TEST_F(StadionTest, TheHistoryKeepsTheLatest70Matches) {
    Bauen(2, 30000);
    for (int32_t i = 0; i < 75; ++i) Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 0);
    const Stadion_Statistik* st = Stadion_Get_Statistik(2);
    EXPECT_EQ(st->verlauf_anzahl, 70u);
    EXPECT_EQ(st->spiele[0], 75u);
    // The oldest five went; the entries stay in order of their rounds.
    for (int32_t i = 1; i < 70; ++i) EXPECT_LT(st->verlauf_tag[i - 1] & 0xFFFF, st->verlauf_tag[i] & 0xFFFF);
}

TEST_F(StadionTest, EveryOperationBeforeInitIsRefusedWithItsLogLine) {
    Stadion_Free();
    EXPECT_EQ(Stadion_Get(2, 1), nullptr);
    EXPECT_FALSE(Stadion_Team_Anlegen(2, nullptr));
    EXPECT_EQ(Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 0), 0);
    Stadion_Unterhalt_Buchen(2);
    EXPECT_FALSE(Stadion_Zuschauer_Prozent_Setzen(50));
    EXPECT_EQ(Stadion_Get_Kapazitaet(2), 0);
    EXPECT_TRUE(Bank().buchungen.empty());
    EXPECT_TRUE(test::Log_Enthaelt("Stadion muß initialisiert werden"));
}

TEST_F(StadionTest, CreationIsRefusedOnAClientAndForABadTeam) {
    EXPECT_FALSE(Stadion_Team_Anlegen(-1, nullptr));
    EXPECT_FALSE(Stadion_Team_Anlegen(Team_Anzahl(), nullptr));
    Club_Hooks().netzwerk_modus = [] { return 1; };
    Club_Hooks().client_team = [] { return 2; };
    EXPECT_FALSE(Stadion_Team_Anlegen(2, nullptr));
    EXPECT_TRUE(test::Log_Enthaelt("Stadion_Team_Anlegen: CLIENT-WRITE!"));
}

// ---- save block ----

TEST_F(StadionTest, SaveAndLoadGiveTheSameBytes) {
    Bauen(2, 30000);
    Bauen(3, 100000);
    for (int32_t i = 0; i < 5; ++i) Stadion_Spiel_Einnahmen(2, Spiel(2, 3), 100, 0, 0);
    ASSERT_TRUE(Stadion_Zuschauer_Prozent_Setzen(140));
    std::vector<uint8_t> a;
    Stadion_Save(a);
    Stadion_Free();
    ASSERT_TRUE(Stadion_Load(a.data(), a.size()));
    EXPECT_EQ(Stadion_Zuschauer_Prozent(), 140);
    EXPECT_EQ(Stadion_Get_Statistik(2)->spiele[0], 5u);
    EXPECT_EQ(Stadion_Get_Kapazitaet(3), 100000);
    std::vector<uint8_t> b;
    Stadion_Save(b);
    EXPECT_EQ(a, b);
}

TEST_F(StadionTest, ADamagedBlockIsRefusedAndChangesNothing) {
    Bauen(2, 30000);
    std::vector<uint8_t> gut;
    Stadion_Save(gut);
    ASSERT_EQ(gut.size(), 4u + 4u + 8u + 2328u);
    auto geaendert = [&](size_t pos, uint32_t wert) {
        std::vector<uint8_t> b = gut;
        std::memcpy(b.data() + pos, &wert, 4);
        return b;
    };
    const size_t satz = 16;   // the record behind percentage, count, key and size
    std::vector<std::vector<uint8_t>> kaputt = {
        std::vector<uint8_t>(gut.begin(), gut.end() - 1),          // short
        geaendert(0, 500),                                          // percentage out of range
        geaendert(4, 2),                                            // more records than there are
        geaendert(8, 3),                                            // key not the record's team
        geaendert(12, 100),                                         // a size no record has
        geaendert(satz + 48, 6),                                    // model 6
        geaendert(satz + 44, 101),                                  // comfort 101
        geaendert(satz + 40, uint32_t(-1000)),                      // negative capacity
        geaendert(satz + 64 + 2240, 71),                            // 71 history entries
    };
    Bauen(3, 45000);
    for (const auto& b : kaputt) {
        EXPECT_FALSE(Stadion_Load(b.data(), b.size()));
        EXPECT_EQ(Stadion_Get_Kapazitaet(3), 45000);
    }
    std::vector<uint8_t> zweimal = gut;
    zweimal[4] = 2;
    zweimal.insert(zweimal.end(), gut.begin() + 8, gut.end());
    EXPECT_FALSE(Stadion_Load(zweimal.data(), zweimal.size()));
    EXPECT_FALSE(Stadion_Load(nullptr, 0));
}

}  // namespace
}  // namespace velmora
