// The automatic line-up over the generated full demo world, read back through
// the game's own configuration readers, under injuries and suspensions.
#include <gtest/gtest.h>

#include "club/aufstellung.h"
#include "club/club_config.h"
#include "club/global_config.h"
#include "club/kader_hooks.h"
#include "club/weltgen.h"
#include "core/config.h"
#include "core/rnd.h"
#include "tests/club/kader_welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

TEST(DemoWelt, EveryClubOfTheFullWorldLinesUpSoundly) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    test::LogFaenger log;
    Kader_Hooks() = KaderHooks{};
    Rnd_Init();
    Config_Satz_Setzen(0);
    WeltgenOptionen o;
    o.seed = 11;
    WeltgenWelt welt;
    ASSERT_TRUE(Weltgen_Erzeugen(o, welt));
    ASSERT_TRUE(Weltgen_Schreiben(welt, dirs.install));
    Spieler_Free();
    Team_Free(0);
    uint8_t vollstaendig = 0;
    ASSERT_TRUE(Global_Config_Lesen() && Team(0) && Spieler(0, &vollstaendig));
    ASSERT_EQ(vollstaendig, 1);

    test::TestZufall z(5);
    int32_t clubs = 0, voll = 0;
    for (const WeltgenLand& land : welt.laender)
        for (const auto& liga : land.ligen)
            for (int32_t club : liga) {
                test::Ausfaelle_Setzen(club, z);   // up to a third of the squad out
                int32_t starter = Team_Auto_Aufstellung(club);
                ASSERT_EQ(test::Auto_Aufstellung_Fehler(club, starter), "") << "club " << club;
                ++clubs;
                voll += starter == 11;
            }
    EXPECT_GE(clubs, 320);
    // Every generated club has two goalkeepers and 18 field players, so a third
    // of the squad out still leaves eleven.
    EXPECT_EQ(voll, clubs);
    Team_Free(0);
    Spieler_Free();
}

}  // namespace
}  // namespace velmora
