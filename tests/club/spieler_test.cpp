// Player records: accessor operations, limits, read-only values, searches,
// injuries and the save block.
#include <gtest/gtest.h>

#include <cstring>

#include "club/spieler.h"
#include "club/spieler_testing.h"
#include "club/team.h"
#include "core/rnd.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

using SpielerTest = test::WeltTest;

TEST_F(SpielerTest, RecordsHaveTheirStoredSizes) {
    EXPECT_EQ(sizeof(SpielerStruktur), 176u);
    EXPECT_EQ(sizeof(SpielerFix), 52u);
    EXPECT_EQ(sizeof(SpielerClientEgal), 116u);
    std::vector<uint8_t> block;
    Spieler_Save(block);
    EXPECT_EQ(block.size(), 4u + size_t(Spieler_Anzahl()) * (176 + 52 + 116));
}

TEST_F(SpielerTest, WriteClampsToModeLimits) {
    struct Fall {
        int32_t modus, wert, erwartet;
        bool log;
    } faelle[] = {
        {56, 5, 5, false},     {56, 10, 9, true},        {56, -3, 0, true},   {57, 999, 999, false},
        {57, 1500, 999, true}, {58, 12001, 12000, true}, {90, 7, 6, true},    {55, 151, 150, true},
        {82, 6, 6, false},     {83, 11, 10, true},       {87, 20, 19, true},  {70, -1, -1, false},
        {0, -1, -1, false},    {0, -2, -1, true},        {101, -1, -1, false}, {72, 65535, 65535, false},
        {73, 70000, 65535, true}, {65, -123456, -123456, false}, {92, 13, 12, true},
    };
    int32_t p = 3;   // a field player
    for (const Fall& f : faelle) {
        test::Log().clear();
        EXPECT_EQ(Spieler_Wert(f.modus, p, f.wert, OP_SCHREIBEN), f.erwartet) << "modus " << f.modus;
        EXPECT_EQ(Spieler_Wert(f.modus, p, 0, OP_LESEN), f.erwartet) << "modus " << f.modus;
        EXPECT_EQ(Log_Enthaelt("Spieler_Wert: Wert nicht innerhalb der Grenzen"), f.log) << "modus " << f.modus;
    }
}

TEST_F(SpielerTest, BitOperationsWorkOnTheStatusWordOnly) {
    int32_t p = 20;
    Spieler_Wert(75, p, 0, OP_ERSETZEN);
    struct Fall {
        int32_t op, wert, erwartet;
    } faelle[] = {
        {OP_SETZEN, 16 | 64, 80}, {OP_LOESCHEN, 16, 64}, {OP_TOGGLE, 64 | 256, 256},
        {OP_ERSETZEN, 0x20000, 0x20000}, {OP_SETZEN, 0x1000, 0x21000},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Spieler_Wert(75, p, f.wert, f.op), f.erwartet) << "op " << f.op;
    test::Log().clear();
    int32_t vorher = Spieler_Wert(57, p, 0, OP_LESEN);
    EXPECT_EQ(Spieler_Wert(57, p, 8, OP_SETZEN), 0);
    EXPECT_EQ(Spieler_Wert(57, p, 0, OP_LESEN), vorher);
    EXPECT_TRUE(Log_Enthaelt("Spieler_Wert: Operation 8 ungueltig"));
}

TEST_F(SpielerTest, PercentageReadsAndIncrements) {
    int32_t p = 4;
    Spieler_Wert(58, p, 6000, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(58, p, 0, OP_PROZENT), 50);
    Spieler_Wert(55, p, 150, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(55, p, 0, OP_PROZENT), 100);
    Spieler_Wert(70, p, -1, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(70, p, 0, OP_PROZENT), 0);

    Spieler_Wert(76, p, 0, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(76, p, 0, OP_PLUS), 1);       // 0 counts one
    EXPECT_EQ(Spieler_Wert(76, p, 1, OP_PLUS), 2);
    EXPECT_EQ(Spieler_Wert(76, p, 5, OP_PLUS), 7);
    Spieler_Wert(56, p, 8, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(56, p, 1, OP_PLUS), 9);
    EXPECT_EQ(Spieler_Wert(56, p, 1, OP_PLUS), 9);       // stays at the limit
}

TEST_F(SpielerTest, ReadOnlyValuesRefuseWritesWithTheirLogLine) {
    struct Fall {
        int32_t modus;
        const char* log;
    } faelle[] = {
        {85, "Spieler_Wert: Gehalt nicht beschreibbar!"},
        {102, "Spieler_Wert: SP_MARKTWERT nicht beschreibbar!"},
        {94, "Spieler_Wert: Modus 94 nicht beschreibbar!"},
    };
    for (const Fall& f : faelle) {
        test::Log().clear();
        int32_t vorher = Spieler_Wert(f.modus, 5, 0, OP_LESEN);
        EXPECT_EQ(Spieler_Wert(f.modus, 5, 1234, OP_SCHREIBEN), 0);
        EXPECT_EQ(Spieler_Wert(f.modus, 5, 0, OP_LESEN), vorher);
        EXPECT_TRUE(Log_Enthaelt(f.log)) << f.modus;
    }
}

TEST_F(SpielerTest, BadNumbersGiveZeroAndALogLine) {
    struct Fall {
        int32_t modus, spieler;
        const char* log;
    } faelle[] = {
        {57, -1, "Spieler_Wert: Spieler -1 ungueltig"},
        {57, 100000, "Spieler_Wert: Spieler 100000 ungueltig"},
        {54, 1, "Spieler_Wert: Modus 54 ungueltig"},
        {104, 1, "Spieler_Wert: Modus 104 ungueltig"},
        {-5, 1, "Spieler_Wert: Modus -5 ungueltig"},
    };
    for (const Fall& f : faelle) {
        test::Log().clear();
        EXPECT_EQ(Spieler_Wert(f.modus, f.spieler, 3, OP_SCHREIBEN), 0);
        EXPECT_TRUE(Log_Enthaelt(f.log)) << f.log;
    }
    EXPECT_STREQ(Spieler_String(505, -1, 0, 0), "Spieler_String_Error");
    EXPECT_STREQ(Spieler_String(999, 1, 0, 0), "Spieler_String_Error");
    EXPECT_EQ(Spieler_Zeiger(511, 99999), nullptr);
}

TEST_F(SpielerTest, GoalkeeperAlwaysCarriesTheGoalkeeperCell) {
    int32_t torwart = 0;   // slot 0 of club 2
    ASSERT_EQ(Spieler_Get_Art(torwart), 0);
    EXPECT_EQ(Spieler_Wert(82, torwart, 0, OP_LESEN), 3);
    EXPECT_EQ(Spieler_Wert(83, torwart, 0, OP_LESEN), 0);
    EXPECT_EQ(Spieler_Wert(82, torwart, 5, OP_SCHREIBEN), 3);
    EXPECT_EQ(Spieler_Wert(83, torwart, 7, OP_SCHREIBEN), 0);
    // A field player made goalkeeper on the bench moves to the goalkeeper cell.
    int32_t p = 12;
    Spieler_Wert(82, p, 5, OP_SCHREIBEN);
    Spieler_Wert(83, p, 8, OP_SCHREIBEN);
    Spieler_Wert(67, p, 0, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(82, p, 0, OP_LESEN), 3);
    EXPECT_EQ(Spieler_Wert(83, p, 0, OP_LESEN), 0);
}

TEST_F(SpielerTest, LineValuesFollowTheCellInTheRecord) {
    int16_t* linie = static_cast<int16_t*>(Spieler_Zeiger(511, 7));
    auto* satz = static_cast<SpielerStruktur*>(Spieler_Zeiger(500, 7));
    ASSERT_NE(linie, nullptr);
    Spieler_Wert(82, 7, 4, OP_SCHREIBEN);
    Spieler_Wert(83, 7, 9, OP_SCHREIBEN);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(linie) - reinterpret_cast<uint8_t*>(&satz->reihe), 2);
    EXPECT_EQ(linie[-2], 4);
    EXPECT_EQ(linie[-1], 9);
}

TEST_F(SpielerTest, NamesAndTeamsAndKinds) {
    EXPECT_STREQ(Spieler_String(505, 2, 0, 0), "Vor Spieler2");
    EXPECT_STREQ(Spieler_String(508, 2, 0, 0), "Spieler2");
    EXPECT_EQ(Spieler_Get_Team(0), 2);
    EXPECT_EQ(Spieler_Get_Team(18), 3);
    EXPECT_EQ(Spieler_Get_Team(Spieler_Anzahl() - 1), 0);   // the market
    EXPECT_EQ(Spieler_Get_Team(-4), -1);
    EXPECT_EQ(Spieler_Get_Art(1), 2);
    EXPECT_EQ(Spieler_Get_Heimat_Wert(1), 3);
    Spieler_Wert(56, 1, 7, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Get_Halbe_Wert56(1), 3);
}

TEST_F(SpielerTest, RandomSearchSkipsOwnClubAndPadsTheList) {
    int32_t out[30];
    int32_t n = Spieler_Suche_Zufaellig(2, -1, out, 30);
    EXPECT_GT(n, 0);
    EXPECT_LE(n, 30);
    for (int32_t i = 0; i < n; ++i) {
        int32_t t = Spieler_Get_Team(out[i]);
        EXPECT_NE(t, 2);
        EXPECT_GT(t, 0);
    }
    for (int32_t i = n; i < 30; ++i) EXPECT_EQ(out[i], -1);
    EXPECT_EQ(Spieler_Suche_Zufaellig(2, 7, out, 30), 0);   // nobody from region 7
    EXPECT_EQ(out[0], -1);
    out[0] = 5;
    Spieler_Free();   // an empty store finds nobody, and says so in the list
    EXPECT_EQ(Spieler_Suche_Zufaellig(2, -1, out, 30), 0);
    EXPECT_EQ(out[0], -1);
}

// The week's recovery walks the whole store: the first, a middle and the last
// player heal alike; a player without the injury bit keeps his weeks.
TEST_F(SpielerTest, TheWeeksRecoveryReachesEveryInjuredPlayerOfTheStore) {
    const int32_t n = Spieler_Anzahl();
    ASSERT_GE(n, 4);
    const int32_t verletzt[3] = {0, n / 2, n - 1}, gesund = 1;
    for (int32_t p = 0; p < n; ++p) Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_VERLETZT), OP_LOESCHEN);
    for (int32_t p : verletzt) {
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
        Spieler_Wert(SPW_VERLETZUNG, p, 2, OP_SCHREIBEN);
        Spieler_Wert(SPW_VERLETZUNG_TAGE, p, 2, OP_SCHREIBEN);
    }
    Spieler_Wert(SPW_VERLETZUNG_TAGE, gesund, 5, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Genesung_Woche(), 0);
    for (int32_t p : verletzt) EXPECT_EQ(Spieler_Wert(SPW_VERLETZUNG_TAGE, p, 0, OP_LESEN), 1) << p;
    EXPECT_EQ(Spieler_Genesung_Woche(), 3);
    for (int32_t p : verletzt) {
        EXPECT_FALSE(Spieler_Status(p) & SP_STATUS_VERLETZT) << p;
        EXPECT_EQ(Spieler_Wert(SPW_VERLETZUNG, p, 0, OP_LESEN), -1) << p;
        EXPECT_EQ(Spieler_Wert(SPW_VERLETZUNG_TAGE, p, 0, OP_LESEN), 0) << p;
    }
    EXPECT_EQ(Spieler_Wert(SPW_VERLETZUNG_TAGE, gesund, 0, OP_LESEN), 5);
    EXPECT_EQ(Spieler_Genesung_Woche(), 0);
}

TEST_F(SpielerTest, InjuryPicksByWeightAndSetsTheValues) {
    Verletzungsart arten[VERLETZUNG_ARTEN] = {};
    arten[5] = {10, 14, 20};
    ASSERT_TRUE(Spieler_Verletzungsarten_Setzen(arten, VERLETZUNG_ARTEN));
    Spieler_Wert(69, 3, 50, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Verletzen(2, 3, 1), 5);
    EXPECT_EQ(Spieler_Wert(70, 3, 0, 0), 5);
    EXPECT_TRUE(Spieler_Wert(75, 3, 0, 0) & SP_STATUS_VERLETZT);
    EXPECT_EQ(Spieler_Wert(69, 3, 0, 0), 0);
    int32_t tage = Spieler_Wert(71, 3, 0, 0);
    EXPECT_GE(tage, 14 / 7 + 1);
    EXPECT_LE(tage, 20 / 7 + 1);
    // Each week of rest takes one off; the last one makes him available again.
    for (int32_t w = tage; w > 1; --w) {
        EXPECT_EQ(Spieler_Genesung_Woche(), 0);
        EXPECT_EQ(Spieler_Wert(71, 3, 0, 0), w - 1);
        EXPECT_TRUE(Spieler_Wert(75, 3, 0, 0) & SP_STATUS_VERLETZT);
    }
    EXPECT_EQ(Spieler_Genesung_Woche(), 1);
    EXPECT_FALSE(Spieler_Wert(75, 3, 0, 0) & SP_STATUS_VERLETZT);
    EXPECT_EQ(Spieler_Wert(70, 3, 0, 0), -1);
    EXPECT_EQ(Spieler_Wert(71, 3, 0, 0), 0);
    EXPECT_EQ(Spieler_Verletzen(3, 3, 1), -1);   // not his club
    Verletzungsart leer[1] = {{0, 0, 0}};
    Spieler_Verletzungsarten_Setzen(leer, 1);
    EXPECT_EQ(Spieler_Verletzen(2, 3, 1), -1);
}

TEST_F(SpielerTest, SaveAndLoadAreByteIdentical) {
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        Spieler_Wert(65, p, -p * 7777, OP_SCHREIBEN);
        Spieler_Wert(57, p, p * 13 % 1000, OP_SCHREIBEN);
        Spieler_Wert(p % 53, p, p % 50, OP_SCHREIBEN);
        static_cast<SpielerClientEgal*>(Spieler_Zeiger(502, p))->marktwert = p * 100000;
    }
    std::vector<uint8_t> eins, zwei;
    Spieler_Save(eins);
    Spieler_Free();
    EXPECT_EQ(Spieler_Wert(57, 1, 0, 0), 0);
    ASSERT_TRUE(Spieler_Load(eins.data(), eins.size()));
    Spieler_Save(zwei);
    EXPECT_EQ(eins, zwei);
    EXPECT_EQ(Spieler_Wert(102, 9, 0, 0), 900000);
}

TEST_F(SpielerTest, DamagedBlockIsRefusedAndNothingChanges) {
    std::vector<uint8_t> block;
    Spieler_Save(block);
    Spieler_Wert(57, 1, 444, OP_SCHREIBEN);
    std::vector<std::vector<uint8_t>> kaputt = {
        {}, {1, 2}, std::vector<uint8_t>(block.begin(), block.end() - 1), block,
    };
    kaputt[3][0] = 0xFF;   // a count that does not match the size
    for (const auto& k : kaputt) {
        EXPECT_FALSE(Spieler_Load(k.data(), k.size()));
        EXPECT_EQ(Spieler_Wert(57, 1, 0, 0), 444);
    }
}

// The plain read goes through a table of fields; with every byte of the three
// records random, each mode must read what the field-by-field reader reads
// (offsets, widths, signs, the half stars), and a mode without limits reads 0.
TEST_F(SpielerTest, PlainReadsGiveWhatTheFieldsHold) {
    Rnd_Set_Index(77, 0);
    const int32_t letzter = Spieler_Anzahl() - 1;
    for (int32_t p : {0, 7, letzter}) {
        for (int32_t zeiger : {SPZ_STRUKTUR, SPZ_FIX, SPZ_CLIENT_EGAL}) {
            auto* b = static_cast<uint8_t*>(Spieler_Zeiger(zeiger, p));
            ASSERT_NE(b, nullptr);
            const size_t n = zeiger == SPZ_STRUKTUR ? sizeof(SpielerStruktur)
                             : zeiger == SPZ_FIX    ? sizeof(SpielerFix)
                                                    : sizeof(SpielerClientEgal);
            for (size_t i = 0; i < n; ++i) b[i] = uint8_t(Rnd(0, 255));
        }
        for (int32_t modus = -3; modus < SPIELER_WERT_MODI + 3; ++modus) {
            const bool gueltig = Spieler_Wert_Grenzen(modus, nullptr, nullptr);
            EXPECT_EQ(Spieler_Wert(modus, p, 0, OP_LESEN), gueltig ? Spieler_Feld_Lesen(modus, p) : 0)
                << "modus " << modus << ", spieler " << p;
        }
        EXPECT_NE(Spieler_Feld_Lesen(SPW_FORM, p), 0);   // the bytes did arrive
    }
    test::Log().clear();
    EXPECT_EQ(Spieler_Wert(SPW_FORM, letzter + 1, 0, OP_LESEN), 0);
    EXPECT_TRUE(Log_Enthaelt("Spieler_Wert: Spieler " + std::to_string(letzter + 1) + " ungueltig"));
}

}  // namespace
}  // namespace velmora
