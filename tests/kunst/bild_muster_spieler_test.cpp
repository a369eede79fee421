// The player windows' pictures as the asset tool draws them: every number the
// windows read has its picture in the size the windows lay out, the groups
// fit their files, and a sheet of them is compared with a reviewed PNG.
#include "kunst/bild_muster_spieler.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "kunst/bild_muster.h"
#include "tests/gfx/font_support.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

using MusterSpieler = test::FontSetTest;

TEST_F(MusterSpieler, EveryPictureTheWindowsReadHasItsSize) {
    struct Fall {
        int32_t von, bis, breite, hoehe;
    };
    const Fall faelle[] = {
        {8000, 8053, 44, 44}, {8054, 8107, 56, 56}, {8108, 8161, 22, 22}, {8162, 8215, 30, 30},
        {8216, 8269, 16, 16}, {8270, 8323, 40, 40}, {8324, 8330, 14, 14}, {8332, 8335, 34, 30},
        {8336, 8340, 36, 22}, {24010, 24013, 16, 16}, {24036, 24039, 16, 16}, {28000, 28000, 736, 360},
        {28004, 28005, 32, 24}, {28009, 28009, 14, 24}, {28018, 28018, 54, 54}, {28051, 28052, 800, 565},
        {28053, 28053, 676, 105}, {28054, 28054, 36, 36}, {28055, 28055, 66, 66}, {28057, 28057, 14, 24},
        {28059, 28063, 32, 24}, {28064, 28103, 72, 72}, {28104, 28104, 70, 70}, {28105, 28105, 40, 40},
        {28106, 28140, 36, 36}, {28141, 28151, 66, 66}, {28300, 28300, 246, 46}, {28301, 28303, 240, 18},
        {28304, 28305, 242, 22}, {28307, 28309, 10, 16}, {28310, 28310, 240, 18}, {28311, 28316, 15, 15},
        {28317, 28320, 14, 14},
    };
    for (const Fall& f : faelle)
        for (int32_t n = f.von; n <= f.bis; ++n) {
            if (n == 28302) continue;
            Rastport* rp = Muster_Spieler_Bild(n);
            ASSERT_NE(rp, nullptr) << n;
            EXPECT_EQ(int32_t(rp->width), f.breite) << n;
            EXPECT_EQ(int32_t(rp->height), f.hoehe) << n;
            Rastport_Free(rp);
        }
    EXPECT_EQ(Muster_Spieler_Bild(8331), nullptr) << "the requester's darkening keeps its entry";
    // Every group lies in its file without a second claim.
    MusterDatei d[8];
    for (const MusterGruppe& g : Muster_Spieler_Gruppen()) {
        ASSERT_GE(g.datei, 0);
        ASSERT_LT(g.datei, 8);
        EXPECT_EQ(Muster_Datei_Setzen(d[g.datei], g.erster, g.bilder, g.name), "");
    }
    EXPECT_EQ(Muster_Datei_Setzen(d[2], 331, {Muster_Eintrag(Muster_Spieler_Bild(8324), false)}, "the darkening"), "");
}

TEST_F(MusterSpieler, TheSheetOfPicturesLooksAsReviewed) {
    Rastport* ziel = Rastport_Create(800, 600, 16, 0, 0);
    Rastport_Fill(ziel, 0, 0, -1, -1, 0x10c4, nullptr);
    auto setzen = [&](int32_t n, int32_t x, int32_t y) {
        Rastport* rp = Muster_Spieler_Bild(n);
        ASSERT_NE(rp, nullptr) << n;
        Rastport_Blit(rp, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
        Rastport_Free(rp);
    };
    for (int32_t id = 0; id < 54; ++id) setzen(8270 + id, 4 + (id % 18) * 44, 4 + (id / 18) * 44);
    for (int32_t id = 0; id < 54; ++id) setzen(8216 + id, 4 + id * 14, 140);
    for (int32_t id = 0; id < 27; ++id) setzen(8108 + id * 2, 4 + id * 26, 160);
    for (int32_t n = 8324; n <= 8330; ++n) setzen(n, 4 + (n - 8324) * 15, 190);
    for (int32_t n = 8332; n <= 8340; ++n) setzen(n, 120 + (n - 8332) * 40, 186);
    for (int32_t n : {24010, 24011, 24012, 24013, 24036, 24037, 24038, 24039}) setzen(n, 490 + (n % 100 % 30) * 18, 190);
    for (int32_t k = 0; k < 5; ++k) setzen(28064 + k * 9, 4 + k * 76, 216);
    setzen(28104, 390, 216);
    setzen(8270 + 36, 395, 231);
    setzen(28105, 470, 216);
    setzen(28106 + 3, 472, 218);
    setzen(28141, 520, 216);
    setzen(28146, 600, 216);
    setzen(28055, 680, 216);
    setzen(28300, 4, 300);
    setzen(28303, 4, 346);
    setzen(28301, 4, 364);
    setzen(28304, 3, 382);
    setzen(28306, 260, 300);
    setzen(28298, 260, 350);
    setzen(28305, 259, 368);
    int32_t x = 520;
    for (int32_t n : {28307, 28308, 28309, 28311, 28312, 28313, 28314, 28315, 28316, 28317, 28318, 28319, 28320}) {
        setzen(n, x, 300);
        x += 18;
    }
    x = 520;
    for (int32_t n : {28004, 28009, 28005, 28063, 28057, 28062, 28059, 28061}) {
        setzen(n, x, 330);
        x += n == 28009 || n == 28057 ? 16 : 34;
    }
    setzen(28010, 520, 360);
    setzen(28018, 600, 356);
    setzen(28001, 4, 420);
    for (int32_t i = 0; i < 18; ++i) setzen(8108 + i, 4 + 9 + 26 * i, 420 + 17);
    setzen(28053, 4, 480);
    EXPECT_EQ(test::Png_Vergleichen("spieler_bilder", test::Rgb_Aus_565(Rastport_Pixels16(ziel), 800, 600)), "");
    Rastport_Free(ziel);
}

}  // namespace
}  // namespace velmora
