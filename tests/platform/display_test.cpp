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
    EXPECT_EQ(Plat_Display_Zeigen(pixel.data()), PLAT_GEAENDERT);
    EXPECT_EQ(Plat_Headless_Bilder(), 1u);
    EXPECT_EQ(Plat_Headless_Bild(), pixel);
    EXPECT_EQ(Plat_Display_Zeigen(pixel.data()), PLAT_GLEICH) << "the same picture again is no change";
    // A film's rectangle set apart: a change inside it only is told apart from one elsewhere.
    const PlatRechteck film{6, 2, 2, 2};
    pixel[31] ^= 1;   // (7, 3)
    EXPECT_EQ(Plat_Display_Zeigen(pixel.data(), &film, 1), PLAT_NUR_IN_BEREICHEN);
    EXPECT_EQ(Plat_Headless_Bild(), pixel);
    pixel[31] ^= 1;
    pixel[0] ^= 1;    // (0, 0)
    EXPECT_EQ(Plat_Display_Zeigen(pixel.data(), &film, 1), PLAT_GEAENDERT);
    EXPECT_EQ(Plat_Display_Zeigen(nullptr), PLAT_GLEICH);
    EXPECT_EQ(Plat_Headless_Bilder(), 4u);
    // What the window takes: the changed pixels' hull only. A frame that drew
    // its films alone is compared inside them only, and kept for the screenshot.
    struct Schritt {
        std::vector<int> aendern;   // indices flipped before the frame
        bool nur_bereiche;
        PlatAenderung aenderung;
        PlatRechteck zuletzt;
    } schritte[] = {
        {{}, false, PLAT_GLEICH, {}},
        {{31}, false, PLAT_NUR_IN_BEREICHEN, {7, 3, 1, 1}},
        {{30, 22}, true, PLAT_NUR_IN_BEREICHEN, {6, 2, 1, 2}},
        {{9, 30}, false, PLAT_GEAENDERT, {1, 1, 6, 3}},
        {{}, true, PLAT_GLEICH, {}},
    };
    for (const Schritt& s : schritte) {
        for (int i : s.aendern) pixel[size_t(i)] ^= 3;
        EXPECT_EQ(Plat_Display_Zeigen(pixel.data(), &film, 1, s.nur_bereiche), s.aenderung);
        const PlatRechteck z = Plat_Display_Zuletzt();
        EXPECT_EQ(std::vector<int>({z.x, z.y, z.b, z.h}), std::vector<int>({s.zuletzt.x, s.zuletzt.y, s.zuletzt.b, s.zuletzt.h}));
        EXPECT_EQ(Plat_Headless_Bild(), pixel);
    }
    Plat_Display_Schliessen();
    EXPECT_FALSE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 0, 4, true));
}

// A rectangle of the picture in a window of another size covers exactly the
// window pixels whose nearest picture pixel lies inside it (checked pixel by
// pixel against that mapping), so a scaled window takes all of a change and no more.
TEST(PlatDisplay, APictureRectangleCoversExactlyItsWindowPixels) {
    struct Fall {
        PlatRechteck bild;
        PlatRechteck bereich;
    } faelle[] = {
        {{0, 0, 80, 60}, {15, 5, 16, 16}},      // 1:1
        {{24, 0, 144, 108}, {15, 5, 16, 16}},   // larger, with a border
        {{0, 3, 64, 48}, {15, 5, 16, 16}},      // smaller
        {{0, 0, 103, 77}, {79, 59, 5, 5}},      // the corner, cut to the picture
        {{0, 0, 103, 77}, {0, 0, 80, 60}},      // the whole picture
        {{0, 0, 103, 77}, {10, 10, 0, 4}},      // empty
    };
    for (const Fall& f : faelle) {
        const PlatRechteck z = Plat_Bereich_Im_Fenster(f.bereich, f.bild, 80, 60);
        for (int32_t y = f.bild.y; y < f.bild.y + f.bild.h; ++y)
            for (int32_t x = f.bild.x; x < f.bild.x + f.bild.b; ++x) {
                const int32_t sx = (x - f.bild.x) * 80 / f.bild.b, sy = (y - f.bild.y) * 60 / f.bild.h;
                const bool soll = sx >= f.bereich.x && sx < f.bereich.x + f.bereich.b && sy >= f.bereich.y &&
                                  sy < f.bereich.y + f.bereich.h;
                const bool ist = x >= z.x && x < z.x + z.b && y >= z.y && y < z.y + z.h;
                ASSERT_EQ(ist, soll) << "window pixel " << x << "," << y << " in a picture of " << f.bild.b << "x"
                                     << f.bild.h;
            }
    }
}

// Full screen and a resized window show the whole picture with its aspect and
// a border; the pointer maps from window points into the picture, a border
// holds to the picture's edge, and a high-density window's points are scaled.
TEST(PlatDisplay, ThePictureKeepsItsAspectInsideABorderAndThePointerFindsIt) {
    struct Flaeche {
        int32_t b, h;
        PlatRechteck r;
    } flaechen[] = {{800, 600, {0, 0, 800, 600}},     {1024, 768, {0, 0, 1024, 768}},  {1920, 1080, {240, 0, 1440, 1080}},
                    {1280, 1024, {0, 32, 1280, 960}}, {640, 600, {0, 60, 640, 480}},   {0, 600, {0, 0, 0, 0}}};
    for (const Flaeche& f : flaechen) {
        const PlatRechteck r = Plat_Bild_Rechteck(f.b, f.h, 800, 600);
        EXPECT_EQ(r.x, f.r.x) << f.b << "x" << f.h;
        EXPECT_EQ(r.y, f.r.y) << f.b << "x" << f.h;
        EXPECT_EQ(r.b, f.r.b) << f.b << "x" << f.h;
        EXPECT_EQ(r.h, f.r.h) << f.b << "x" << f.h;
    }
    struct Zeiger {
        int32_t fx, fy, fenster_b, fenster_h, flaeche_b, flaeche_h, x, y;
    } zeiger[] = {
        {0, 0, 800, 600, 800, 600, 0, 0},                // a window of the picture's size
        {799, 599, 800, 600, 800, 600, 799, 599},
        {512, 384, 1024, 768, 1024, 768, 400, 300},      // full screen 1024 x 768: the centre stays the centre
        {1023, 767, 1024, 768, 1024, 768, 799, 599},
        {128, 12, 1024, 768, 1024, 768, 100, 9},         // the title's corner
        {240, 0, 1920, 1080, 1920, 1080, 0, 0},          // 16:9: the picture begins after the left border
        {1679, 1079, 1920, 1080, 1920, 1080, 799, 599},
        {100, 500, 1920, 1080, 1920, 1080, 0, 277},      // on the border: the picture's edge
        {1900, 500, 1920, 1080, 1920, 1080, 799, 277},
        {480, 270, 960, 540, 1920, 1080, 400, 300},      // high density: points are half the pixels
    };
    for (const Zeiger& z : zeiger) {
        int32_t x = -1, y = -1;
        Plat_Fenster_Zu_Bild(z.fx, z.fy, z.fenster_b, z.fenster_h, z.flaeche_b, z.flaeche_h, 800, 600, &x, &y);
        EXPECT_EQ(x, z.x) << z.fx << "," << z.fy << " in " << z.flaeche_b << "x" << z.flaeche_h;
        EXPECT_EQ(y, z.y) << z.fx << "," << z.fy << " in " << z.flaeche_b << "x" << z.flaeche_h;
    }
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

// What reaches a terminal is UTF-8: the game's Latin-1 becomes UTF-8, UTF-8
// (a path, a typed name) stays, and a damaged file's control bytes and stray
// bytes come out as '?'.
TEST(PlatTerminal, TextReachesTheTerminalAsUtf8) {
    const struct {
        const char *ein, *aus;
    } faelle[] = {
        {"T\xfcrkei", "T\xc3\xbcrkei"},
        {"T\xc3\xbcrkei", "T\xc3\xbcrkei"},
        {"Stra\xdf" "e \xe4\xf6 \xa0\xff", "Stra\xc3\x9f" "e \xc3\xa4\xc3\xb6 \xc2\xa0\xc3\xbf"},
        {"\xf0\x9f\x98\x80 ok", "\xf0\x9f\x98\x80 ok"},
        {"a\x01" "b\x1b[31m\x7f", "a?b?[31m?"},
        {"\x85\x9f", "??"},
        {"zeile\nnoch\teine", "zeile\nnoch\teine"},
        {"\xc3", "\xc3\x83"},                       // a lead byte at the end is Latin-1
        {"\xe0\x80\xaf", "\xc3\xa0?\xc2\xaf"},       // an overlong form is no UTF-8
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0?"},      // nor is a surrogate
        {"\xf4\x90\x80\x80", "\xc3\xb4??" "?"},    // nor anything past U+10FFFF
    };
    for (const auto& f : faelle) EXPECT_EQ(Plat_Terminal_Text(f.ein), f.aus) << f.ein;
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
    EXPECT_TRUE(Plat_Display_Gesetzt()) << "a display is set: the window is wanted";
    // The reason names the library, the loader's words and the package.
    const std::string grund = Plat_Display_Grund();
    EXPECT_NE(grund.find("libvelmora-ohne-sdl.so"), std::string::npos) << grund;
    EXPECT_NE(grund.find(SDL_PAKET), std::string::npos) << grund;
    EXPECT_FALSE(Plat_Display_Oeffnen(PLAT_SDL, "Test", 800, 600, true));
    EXPECT_FALSE(Audio_Oeffnen(AUDIO_GERAET));
    EXPECT_TRUE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 8, 4, true));
    Plat_Display_Schliessen();
    Sdl_Test_Bibliothek(nullptr);
    if (vorher) setenv("DISPLAY", display.c_str(), 1);
    else unsetenv("DISPLAY");
}
