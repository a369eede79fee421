#include "core/optionen.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/hooks.h"
#include "core/stoppuhr.h"
#include "core/taste.h"
#include "platform/clock.h"

using namespace velmora;

namespace {
int32_t g_manager[4];
int32_t manager_lesen(int32_t n) { return g_manager[n - 40]; }
void manager_schreiben(int32_t n, int32_t w) { g_manager[n - 40] = w; }
}  // namespace

TEST(Optionen, GlobalValuesReadAndWrite) {
    Optionen_Standard();
    EXPECT_EQ(Optionen(OPTION_AUTOSAVE, 0, 0), 1);
    EXPECT_EQ(Optionen(OPTION_ZEITLIMIT, 0, 0), 0);
    EXPECT_EQ(Optionen(3, 1, 77), 77);
    EXPECT_EQ(Optionen(3, 0, 0), 77);
    EXPECT_EQ(Option_Wert(3, 0, 0), 77);
    EXPECT_GE(Optionen(OPTION_VIEW_HALTEN, 0, 0), 1);
    // unknown numbers give the value argument back and store nothing
    EXPECT_EQ(Optionen(30, 1, 5), 5);
    EXPECT_EQ(Optionen(-1, 0, 9), 9);
    EXPECT_EQ(Optionen(202, 0, 4), 4);
    EXPECT_EQ(Optionen(39, 0, 3), 3);
}

TEST(Optionen, ViewHoldStaysAtLeastOne) {
    Optionen_Standard();
    EXPECT_EQ(Optionen(200, 1, 0), 1);
    EXPECT_EQ(Optionen(200, 1, 30), 30);
}

TEST(Optionen, ManagerOptionsGoThroughTheHookAndBitsReadAsZeroOrOne) {
    Core_Hooks().manager_option_lesen = manager_lesen;
    Core_Hooks().manager_option_schreiben = manager_schreiben;
    EXPECT_EQ(Optionen(40, 1, 200), 200);
    EXPECT_EQ(Optionen(42, 1, 5), 1);
    EXPECT_EQ(g_manager[2], 1);
    g_manager[3] = 8;
    EXPECT_EQ(Optionen(43, 0, 0), 1);
    Core_Hooks().manager_option_lesen = nullptr;
    Core_Hooks().manager_option_schreiben = nullptr;
    EXPECT_EQ(Optionen(41, 0, 0), 0);   // without a manager record
}

TEST(Optionen, BlockRoundTripAndLayout) {
    Optionen_Standard();
    Optionen(0, 1, 120000);
    Optionen(29, 1, -5);
    Optionen(201, 1, 9);
    std::vector<uint8_t> block(OPTIONEN_BLOCK_BYTES, 0xCC);
    Optionen_Block_Schreiben(block.data());
    EXPECT_EQ(block[0] | block[1] << 8 | block[2] << 16, 120000);
    EXPECT_EQ(block[116], 0xFB);   // option 29 = -5, little-endian
    EXPECT_EQ(block[124], 9);      // option 201
    for (size_t i = 128; i < OPTIONEN_BLOCK_BYTES; ++i) EXPECT_EQ(block[i], 0) << i;
    Optionen_Standard();
    ASSERT_TRUE(Optionen_Block_Lesen(block.data(), block.size()));
    EXPECT_EQ(Optionen(0, 0, 0), 120000);
    EXPECT_EQ(Optionen(29, 0, 0), -5);
    EXPECT_EQ(Optionen(201, 0, 0), 9);
    EXPECT_FALSE(Optionen_Block_Lesen(block.data(), 139));
    block[120] = 0;   // option 200 of 0 is not a valid block
    EXPECT_FALSE(Optionen_Block_Lesen(block.data(), block.size()));
    EXPECT_EQ(Optionen(0, 0, 0), 120000);
}

// On the program's virtual clock: what the watches read is what the clock
// moved, however busy the machine is.
TEST(Stoppuhr, MeasuresFromItsStartAndClampsTheSlot) {
    Plat_Uhr_Virtuell(true, 5000);
    Stoppuhr_Start(1);
    Stoppuhr_Start(99);   // clamped to slot 5
    Plat_Uhr_Vorstellen(30);
    EXPECT_EQ(Stoppuhr_Vergangen(1), 30u);
    EXPECT_EQ(Stoppuhr_Vergangen(5), 30u);
    Stoppuhr_Start(-4);   // clamped to slot 0
    EXPECT_EQ(Stoppuhr_Vergangen(0), 0u);
    Plat_Uhr_Vorstellen(7);
    EXPECT_EQ(Stoppuhr_Vergangen(0), 7u);
    EXPECT_EQ(Stoppuhr_Vergangen(1), 37u);   // other slots untouched
    EXPECT_EQ(Zeit_Ms(), 5037u);
    Plat_Uhr_Virtuell(false);
}

TEST(Taste, ResetGivesZeroAndLettersFoldToLowerCase) {
    Taste_Reset();
    EXPECT_EQ(Taste_Gedrueckt(0), 0);
    EXPECT_EQ(Taste_Get_Zeichen(), 0);
    EXPECT_EQ(Taste_Get_Code(), 0);
    Taste_Eingabe_Zeichen('Q');
    EXPECT_EQ(Taste_Gedrueckt(0), 1);
    EXPECT_EQ(Taste_Get_Zeichen(), 'q');
    Taste_Eingabe_Shift(1);
    EXPECT_EQ(Taste_Get_Zeichen(), 'Q');
    EXPECT_EQ(Taste_Shift(), 1);
    Taste_Eingabe_Zeichen('7');
    EXPECT_EQ(Taste_Get_Zeichen(), '7');
    Taste_Reset();
    EXPECT_EQ(Taste_Get_Zeichen(), 0);
    EXPECT_EQ(Taste_Shift(), 0);
    Taste_Eingabe_Code(63);
    EXPECT_EQ(Taste_Gedrueckt(0), 1);
    EXPECT_EQ(Taste_Get_Code(), 63);
}

TEST(Taste, MouseCountsOnlyWhenAskedAndWhenNewlyPressed) {
    Taste_Reset();
    Taste_Eingabe_Maus(0);
    Taste_Eingabe_Maus(1);
    EXPECT_EQ(Taste_Gedrueckt(0), 0);
    EXPECT_EQ(Taste_Gedrueckt(1), 1);
    Taste_Reset();
    Taste_Eingabe_Maus(1);   // still held: not new
    EXPECT_EQ(Taste_Gedrueckt(1), 0);
    Taste_Eingabe_Maus(2);
    EXPECT_EQ(Taste_Gedrueckt(1), 1);
    Taste_Warten();   // returns at once
}
