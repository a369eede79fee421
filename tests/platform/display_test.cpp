#include "platform/display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/sdl_testing.h"

using namespace velmora;

TEST(PlatDisplay, HeadlessKeepsTheShownFrame) {
    ASSERT_TRUE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 8, 4, true));
    std::vector<uint16_t> pixel(32);
    for (size_t i = 0; i < pixel.size(); ++i) pixel[i] = uint16_t(i * 1000);
    Plat_Display_Zeigen(pixel.data());
    EXPECT_EQ(Plat_Headless_Bilder(), 1u);
    EXPECT_EQ(Plat_Headless_Bild(), pixel);
    Plat_Display_Zeigen(nullptr);
    EXPECT_EQ(Plat_Headless_Bilder(), 1u);
    Plat_Display_Schliessen();
    EXPECT_FALSE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 0, 4, true));
}

TEST(PlatDisplay, ScriptedEventsArriveInOrder) {
    ASSERT_TRUE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 8, 4, true));
    PlatEreignis e;
    EXPECT_FALSE(Plat_Ereignis_Holen(e));
    PlatEreignis taste;
    taste.art = PLAT_E_TASTE;
    taste.code = 'B';
    taste.ctrl = 1;
    PlatEreignis wieder = taste;
    wieder.wiederholt = 1;
    PlatEreignis rad;
    rad.art = PLAT_E_RAD;
    rad.code = -1;
    Plat_Headless_Ereignis(taste);
    Plat_Headless_Ereignis(wieder);
    Plat_Headless_Ereignis(rad);
    ASSERT_TRUE(Plat_Ereignis_Holen(e));
    EXPECT_EQ(e.art, PLAT_E_TASTE);
    EXPECT_EQ(e.code, 'B');
    EXPECT_EQ(e.ctrl, 1);
    EXPECT_EQ(e.wiederholt, 0);
    ASSERT_TRUE(Plat_Ereignis_Holen(e));
    EXPECT_EQ(e.code, 'B');
    EXPECT_EQ(e.wiederholt, 1);   // the held key's repeat keeps its mark
    ASSERT_TRUE(Plat_Ereignis_Holen(e));
    EXPECT_EQ(e.art, PLAT_E_RAD);
    EXPECT_FALSE(Plat_Ereignis_Holen(e));

    Plat_Headless_Maus(120, 300, 2);
    int32_t x = 0, y = 0;
    Plat_Maus(&x, &y);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 300);
    EXPECT_EQ(Plat_Maus_Knoepfe(), 2u);
    EXPECT_TRUE(Plat_Taste_Gehalten(VK_RBUTTON));
    EXPECT_FALSE(Plat_Taste_Gehalten(VK_SHIFT));
    Plat_Headless_Taste(VK_SHIFT, true);
    EXPECT_TRUE(Plat_Taste_Gehalten(VK_SHIFT));
    Plat_Meldungsbox("ERROR:", "Test");
    ASSERT_EQ(Plat_Headless_Meldungen().size(), 1u);
    EXPECT_EQ(Plat_Headless_Meldungen()[0].first, "ERROR:");
    Plat_Display_Schliessen();
}

TEST(PlatClock, VirtualClockMovesOnlyWhenTold) {
    Plat_Uhr_Virtuell(true, 1000);
    EXPECT_EQ(Plat_Ms(), 1000u);
    EXPECT_EQ(Plat_Ms(), 1000u);
    Plat_Uhr_Vorstellen(16);
    EXPECT_EQ(Plat_Ms(), 1016u);
    Plat_Sleep_Ms(4);
    EXPECT_EQ(Plat_Ms(), 1020u);
    Plat_Uhr_Virtuell(false);
    uint32_t a = Plat_Ms();
    Plat_Sleep_Ms(5);
    EXPECT_GE(Plat_Ms() - a, 4u);
}

// Without the SDL library (a machine that lacks it; here a name that does not
// exist) there is no display, no window and no sound device, nothing crashes,
// and the headless back-end still opens.
TEST(PlatSdl, WithoutTheLibraryThereIsNoWindowAndNoSound) {
    const char* vorher = std::getenv("DISPLAY");
    const std::string display = vorher ? vorher : "";
    setenv("DISPLAY", ":97", 1);
    Sdl_Test_Bibliothek("libvelmora-ohne-sdl.so");
    EXPECT_FALSE(Plat_Display_Vorhanden());
    EXPECT_FALSE(Plat_Display_Grund().empty());
    EXPECT_FALSE(Plat_Display_Oeffnen(PLAT_SDL, "Test", 800, 600, true));
    EXPECT_FALSE(Audio_Oeffnen(AUDIO_GERAET));
    EXPECT_TRUE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 8, 4, true));
    Plat_Display_Schliessen();
    Sdl_Test_Bibliothek(nullptr);
    if (vorher) setenv("DISPLAY", display.c_str(), 1);
    else unsetenv("DISPLAY");
}
