// The films of the generated installation, opened as the screens open them.
#include <gtest/gtest.h>

#include <filesystem>

#include "kunst/film_muster.h"
#include "media/sound.h"
#include "media/video.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "tests/core/temp_verz.h"
#include "tests/support/png.h"

using namespace velmora;

namespace {

// An installation whose film file is the one the build generated.
struct Installationsfilme : ::testing::Test {
    velmora_test::TestWelt welt;
    void SetUp() override {
        ASSERT_TRUE(welt.ok);
        std::filesystem::create_symlink(std::string(VELMORA_INSTALL_RESFILE) + "/" + BINK_RES_DATEI,
                                        welt.install + "/resfile/" + BINK_RES_DATEI);
        Plat_Uhr_Virtuell(true, 1000);
        ASSERT_TRUE(Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 16));
    }
    void TearDown() override {
        Bnk_RelAll();
        Plat_Uhr_Virtuell(false);
    }
    static BINK_VIDEO* oeffnen(int32_t eintrag) {
        return Bnk_InitV(uintptr_t(eintrag), BINK_RES_DATEI, 0, 0, 0, 0, BINK_DATEI, "TestVideo", 0);
    }
};

// The table of docs/assets.md.
TEST_F(Installationsfilme, EveryFilmOpensWithTheSizeAndFramesOfTheAssetList) {
    ASSERT_EQ(Sound_Init_Mit(AUDIO_OHNE_GERAET), 1);
    struct Zeile {
        int32_t von, bis, breite, hoehe, bilder;
        bool ton;
    };
    const Zeile zeilen[] = {
        {0, 7, 320, 240, 100, false},  {9, 9, 200, 150, 100, true},     {10, 10, 200, 150, 49, true},
        {11, 52, 200, 150, 50, false}, {53, 54, 200, 56, 50, false},    {55, 55, 800, 100, 100, false},
        {56, 58, 200, 56, 50, false},  {59, 76, 66, 66, 50, false},     {77, 77, 320, 240, 2717, false},
        {78, 106, 66, 66, 50, false},
    };
    int32_t filme = 0;
    for (const Zeile& z : zeilen)
        for (int32_t e = z.von; e <= z.bis; ++e, ++filme) {
            BINK_VIDEO* v = oeffnen(e);
            ASSERT_NE(v, nullptr) << "film " << e;
            EXPECT_EQ(v->breite, z.breite) << "film " << e;
            EXPECT_EQ(v->hoehe, z.hoehe) << "film " << e;
            EXPECT_EQ(Film_Bilder(v->video), z.bilder) << "film " << e;
            EXPECT_EQ(Film_Hat_Ton(v->video), z.ton) << "film " << e;
            if (e == FILM_ATTR) {
                EXPECT_EQ(Bnk_GotoV(v, 2717), 2717);
                EXPECT_EQ(Bnk_GotoV(v, 4000), 2717);
            }
            Bnk_RelV(v);
        }
    EXPECT_EQ(filme, 106);
    EXPECT_EQ(oeffnen(8), nullptr) << "entry 8 holds no film";
    EXPECT_EQ(oeffnen(FILM_EINTRAEGE), nullptr);
    Sound_Close();
}

// Reviewed frames: the wizard's band, a competition's cup with its glint, the
// heart monitor's beat, each as the screen shows it at its place.
TEST_F(Installationsfilme, FramesMatchTheReviewedPictures) {
    struct Fall {
        int32_t eintrag, bild, x, y;
        const char* name;
    };
    const Fall faelle[] = {
        {FILM_ASSISTENT_BAND, 40, 0, 0, "film_55_band"},
        {FILM_WETTBEWERB_ERSTER + 1, 8, 15, 5, "film_60_wettbewerb"},
        {FILM_HERZ, 30, 565, 356, "film_10_herz"},
    };
    std::vector<uint16_t> schirm(800 * 600);
    for (const Fall& f : faelle) {
        BINK_VIDEO* v = Bnk_InitV(uintptr_t(f.eintrag), BINK_RES_DATEI, 0, 0, f.x, f.y, BINK_DATEI, "TestVideo", 0);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(Bnk_GotoV(v, f.bild), f.bild);
        Bnk_PauseV(v, false);
        Plat_Uhr_Vorstellen(40);
        Bnk_DoFrameAll(schirm.data(), 800 * 2, 600);
        std::vector<uint16_t> bild;
        for (int32_t y = 0; y < v->hoehe; ++y)
            bild.insert(bild.end(), schirm.begin() + (f.y + y) * 800 + f.x, schirm.begin() + (f.y + y) * 800 + f.x + v->breite);
        EXPECT_EQ(test::Png_Vergleichen(f.name, test::Rgb_Aus_565(bild.data(), uint32_t(v->breite), uint32_t(v->hoehe))), "");
        Bnk_RelV(v);
    }
}

}  // namespace
