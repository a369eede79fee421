// tests/matchview/ankuendigung_ton_test.cpp - what the match-day pages sound
// like in a running game (the headless mixer, whose voices stand still until
// the test mixes them): a day whose only page is the winner's window plays its
// opening sound while the window stands.
#include <gtest/gtest.h>

#include "matchview/ankuendigung.h"
#include "media/sound.h"
#include "platform/audio.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "tests/support/seiten_welt.h"

namespace velmora::test {
namespace {

// The sample slots whose voice plays now.
int32_t Slots_Hoerbar() {
    int32_t n = 0;
    for (int32_t i = 0; i < SOUND_SAMPLE_SLOTS; ++i)
        if (const Sound_Handle* h = Sound_Slot_Handle(i)) n += Audio_Kanal_Aktiv(h->channel) ? 1 : 0;
    return n;
}

class AnkuendigungTon : public SeitenWelt {};

struct SiegerStand {
    int32_t hoerbar = -1;
    int32_t modus = -1;
} g_sieger;

TEST_F(AnkuendigungTon, AWinnerPageAloneSoundsWhileItStands) {
    g_sieger = SiegerStand{};
    erster_zug = [](int32_t team) {
        const int32_t w = Team_Get_Liga(team, 1);
        Ankuendigung_Setzen(w, team, -1, Wettbewerb_Get_Info(w)->modus, 0, 0, nullptr);
        ASSERT_TRUE(Ankuendigung_In_Buffer(ANK_SIEGER, 900));
    };
    plan.push_back({[] { return Ankuendigung_Aktiv() && Kalender_Get_Runmodus() == KALENDER_SIEGER; }, 3000, -100,
                    -100, 0, false, "sieger"});
    // A few frames later the window still stands, and so does its sound.
    plan.push_back({[] {
                        g_sieger.hoerbar = Slots_Hoerbar();
                        g_sieger.modus = Kalender_Get_Runmodus();
                        return true;
                    },
                    3, -100, -100, 0, false, "steht"});
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(g_sieger.modus, KALENDER_SIEGER);
    EXPECT_EQ(g_sieger.hoerbar, 1) << "the winner's window stands silent";
}

}  // namespace
}  // namespace velmora::test
