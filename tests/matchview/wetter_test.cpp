// tests/matchview/wetter_test.cpp - rain and snow: the record's weather byte
// to the view's kind, the particles a frame moves by intensity, the ones left
// still, the fall of rain and snow; drawn over the generated pitch with the
// build's shapes against reviewed pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/blit.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/wetter.h"
#include "tests/bilder/bild_support.h"
#include "tests/support/png.h"

namespace velmora::test {
namespace {

TEST(Wetter, TheRecordsWeatherByteGivesTheKindAndIntensityTheParticles) {
    const std::pair<uint8_t, int32_t> arten[] = {{0, -1}, {1, WETTER_REGEN}, {2, -1}, {3, WETTER_REGEN},
                                                 {4, WETTER_SCHNEE}, {5, WETTER_SCHNEE}, {6, WETTER_SCHNEE}, {7, -1},
                                                 {255, -1}};
    for (auto [byte, art] : arten) EXPECT_EQ(Wetter_Art(byte), art) << int32_t(byte);
    const std::pair<int32_t, int32_t> anzahl[] = {{-5, 0}, {0, 0}, {1, 40}, {10, 400}, {99, 3960}, {100, 4000}, {255, 4000}};
    for (auto [intensitaet, n] : anzahl) EXPECT_EQ(Wetter_Anzahl(intensitaet), n) << intensitaet;
}

class WetterBild : public ::testing::Test {
protected:
    std::unique_ptr<BildInstallation> bild;
    Rastport* welt = nullptr;
    WetterAnsicht v;

    void SetUp() override {
        bild = std::make_unique<BildInstallation>(2, 2);
        bild->Erzeugte_Datei(13, "rasen_hg.res");
        bild->Erzeugte_Datei(17, "stadion_sprites.res");
        welt = static_cast<Rastport*>(Res_Load_Bild(Test_Slots()[13], 0, 16));
        ASSERT_NE(welt, nullptr);
        v.ansicht = 0;
        v.spiel = 7;
        v.welt_w = int32_t(welt->width);
        v.welt_h = int32_t(welt->height);
        v.scroll_x = 1400;
        v.scroll_y = 250;
        v.w = 800;
        v.h = 564;
        Ansicht_Zufall_Setzen(99);
    }
    // The views' generator is shared: what a test draws leaves it as it was.
    const uint32_t zufall = Ansicht_Zufall_Stand();
    void TearDown() override {
        Ansicht_Zufall_Setzen(zufall);
        Wetter_Exit();
        if (welt) Rastport_Free(welt);
        bild.reset();
    }
    // Frames of the pitch window with the weather over it; the last frame's count.
    int32_t Frames(int32_t n, int32_t intensitaet, int32_t art) {
        int32_t gezeichnet = 0;
        for (int32_t i = 0; i < n; ++i) {
            Rastport_Blit(welt, v.scroll_x, v.scroll_y, v.w, v.h, Rastport_Screen(), 0, 0, nullptr);
            gezeichnet = Weather_Draw(v, intensitaet, art);
        }
        return gezeichnet;
    }
    std::string Bild(const std::string& name) { return Png_Vergleichen(name, Rgb_Aus_565(bild->schirm.data(), 800, 600)); }
};

TEST_F(WetterBild, RainAndSnowFallAtIntensityTenAndAHundred) {
    struct Fall {
        int32_t art, intensitaet;
        const char* name;
    } faelle[] = {{WETTER_REGEN, 10, "wetter_regen_10"}, {WETTER_REGEN, 100, "wetter_regen_100"},
                  {WETTER_SCHNEE, 10, "wetter_schnee_10"}, {WETTER_SCHNEE, 100, "wetter_schnee_100"}};
    for (const Fall& f : faelle) {
        Wetter_Exit();   // scattered afresh
        Ansicht_Zufall_Setzen(99);
        EXPECT_EQ(Frames(12, f.intensitaet, f.art), Wetter_Anzahl(f.intensitaet));
        EXPECT_EQ(Bild(f.name), "");
    }
}

TEST_F(WetterBild, OnlyTheFirstParticlesMoveAndRainFallsBySpeed) {
    Frames(1, 10, WETTER_REGEN);
    const std::vector<WetterTeilchen> vorher(Wetter_Teilchen(0), Wetter_Teilchen(0) + WETTER_TEILCHEN);
    EXPECT_EQ(Frames(1, 10, WETTER_REGEN), 400);
    const WetterTeilchen* t = Wetter_Teilchen(0);
    for (int32_t i = 0; i < WETTER_TEILCHEN; ++i) {
        const WetterTeilchen& a = vorher[size_t(i)];
        if (i >= 400) {
            EXPECT_TRUE(t[i].x == a.x && t[i].y == a.y && t[i].frame == a.frame) << i;
            continue;
        }
        // Rain moves 2 x speed + 3 right and 2 x speed + 8 down, or starts again at the top.
        const bool oben = t[i].y == 0;
        if (!oben) {
            EXPECT_EQ(t[i].x, a.x + 2 * a.tempo + 3) << i;
            EXPECT_EQ(t[i].y, a.y + 2 * a.tempo + 8) << i;
            EXPECT_EQ(t[i].frame, a.frame >= 8 ? 0 : a.frame + 1) << i;
        }
        EXPECT_LT(t[i].x, v.welt_w);
        EXPECT_LT(t[i].y, v.welt_h);
    }
    // Snow sinks 3 or 4 a frame and drifts at most 4 aside.
    Wetter_Exit();
    Frames(1, 100, WETTER_SCHNEE);
    const std::vector<WetterTeilchen> s0(Wetter_Teilchen(0), Wetter_Teilchen(0) + WETTER_TEILCHEN);
    EXPECT_EQ(Frames(1, 100, WETTER_SCHNEE), WETTER_TEILCHEN);
    int32_t gefallen = 0;
    for (int32_t i = 0; i < WETTER_TEILCHEN; ++i) {
        const WetterTeilchen &a = s0[size_t(i)], &b = Wetter_Teilchen(0)[i];
        if (b.y == 0) continue;   // started again at the top
        ++gefallen;
        EXPECT_TRUE(b.y == a.y + 3 || b.y == a.y + 4) << i;
        EXPECT_LE(std::abs(int32_t(b.x) - int32_t(a.x)), 4) << i;
    }
    EXPECT_GT(gefallen, WETTER_TEILCHEN * 9 / 10);
}

TEST_F(WetterBild, WithoutShapesOrIntensityNothingIsDrawn) {
    std::fill(bild->schirm.begin(), bild->schirm.end(), uint16_t(777));
    EXPECT_EQ(Weather_Draw(v, 0, WETTER_REGEN), 0);
    Test_Slots()[17] = Res_Close(Test_Slots()[17]);
    EXPECT_EQ(Weather_Draw(v, 100, WETTER_REGEN), 0);
    EXPECT_TRUE(std::all_of(bild->schirm.begin(), bild->schirm.end(), [](uint16_t p) { return p == 777; }));
}

}  // namespace
}  // namespace velmora::test
