// Colour arithmetic: packing, splitting, palettes, luminance, YIQ recolouring, depth conversion.
#include "gfx/colour.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/mem.h"

namespace velmora {
namespace {

TEST(Colour, MakeAndSplitAtEveryDepth) {
    struct Fall {
        int32_t depth, r, g, b;
        uint16_t pixel;
    } faelle[] = {{15, 255, 255, 255, 0x7FFF}, {16, 255, 255, 255, 0xFFFF}, {24, 255, 255, 255, 0},
                  {8, 255, 0, 0, 0xF800},     {16, 0, 255, 0, 0x07E0},      {15, 0, 255, 0, 0x03E0},
                  {16, -20, 300, 8, 0x07E1},  {15, 8, 8, 8, 0x0421}};
    for (const Fall& f : faelle) EXPECT_EQ(Colour_Make(f.depth, f.r, f.g, f.b), f.pixel) << f.depth;
    int32_t r = -1, g = -1, b = -1;
    Colour_Split(0x7FFF, 15, &r, &g, &b);
    EXPECT_EQ(r, 248);
    EXPECT_EQ(g, 248);
    EXPECT_EQ(b, 248);
    Colour_Split(0x07E0, 16, &r, nullptr, nullptr);
    EXPECT_EQ(r, 0);
    r = 5;
    Colour_Split(0xFFFF, 24, &r, &g, &b);
    EXPECT_EQ(r, 5);   // other depths write nothing
    // Every 5-6-5 value survives split and pack.
    for (uint32_t p = 0; p < 65536; p += 7) {
        Colour_Split(uint16_t(p), 16, &r, &g, &b);
        ASSERT_EQ(Colour_Pack565(r, g, b), p);
        if (p < 0x8000) {
            Colour_Split(uint16_t(p), 15, &r, &g, &b);
            ASSERT_EQ(Colour_Pack555(r, g, b), p);
        }
    }
}

TEST(Colour, DepthConversions) {
    EXPECT_EQ(Colour_565_To_555(0xFFFF), 0x7FFF);
    EXPECT_EQ(Colour_555_To_565(0x7FFF), 0xFFDF);
    const uint16_t src[4] = {0xFFFF, 0xF800, 0x07E0, 0x001F};
    uint16_t d[4];
    Row_565_To_555(src, d, 4);
    EXPECT_EQ(d[0], 0xFFFF);   // bit 15 repeats the source's
    EXPECT_EQ(d[1], 0xFC00);
    EXPECT_EQ(d[2], 0x03E0);
    EXPECT_EQ(d[3], 0x001F);
    uint16_t e[4];
    Pixel_565_Nach_555(e, src, 4);
    EXPECT_EQ(std::vector<uint16_t>(e, e + 4), std::vector<uint16_t>(d, d + 4));
    const uint16_t s555[2] = {0x7FFF, 0x0421};
    Row_555_To_565(s555, d, 2);
    EXPECT_EQ(d[0], 0xFFDF);
    EXPECT_EQ(d[1], 0x0841);
}

TEST(Colour, PalettesTo555And565) {
    std::vector<uint8_t> pal(768, 0);
    const uint8_t eintraege[][3] = {{63, 63, 63}, {63, 0, 0}, {0, 63, 0}, {0, 0, 63}, {2, 4, 6}};
    for (int i = 0; i < 5; ++i)
        for (int c = 0; c < 3; ++c) pal[3 * (i + 1) + c] = eintraege[i][c];
    const uint8_t src[6] = {0, 1, 2, 3, 4, 5};
    uint16_t d5[6], d6[6];
    Colour_Palette_To_555(src, d5, 3, 2, pal.data());
    Colour_Palette_To_565(src, d6, 3, 2, pal.data());
    const uint16_t e5[6] = {0, 0x7FFF, 0x7C00, 0x03E0, 0x001F, (1 << 10) | (2 << 5) | 3};
    const uint16_t e6[6] = {0, 0xFFFF, 0xF800, 0x07E0, 0x001F, (1 << 11) | (4 << 5) | 3};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(d5[i], e5[i]) << i;
        EXPECT_EQ(d6[i], e6[i]) << i;
    }
}

TEST(Colour, ScreenPixelTreatsOutOfRangeAs255) {
    EXPECT_EQ(Colour_Screen_Pixel(-1, 0, 0), 0xF800);
    EXPECT_EQ(Colour_Screen_Pixel(0, 256, 0), 0x07E0);
    EXPECT_EQ(Colour_Screen_Pixel(8, 4, 8), 0x0821);
}

TEST(Colour, LumaContrastAndBrightness) {
    EXPECT_EQ(Colour_Luma_Pixel(0xFFFF, 16), (45 * 248 + 60 * 252 + 23 * 248) / 100);
    EXPECT_EQ(Colour_Luma_RGB(255, 255, 255), 326);
    EXPECT_EQ(Colour_Luma_RGB(-5, 0, 0), 0);
    EXPECT_EQ(Colour_Contrast_Text(0, 16), 65535);
    EXPECT_EQ(Colour_Contrast_Text(0xFFFF, 16), 1);
    // Black brought towards 90: d = 30 on every channel.
    EXPECT_EQ(Colour_Set_Brightness(90, 0, 16), Colour_Pack565(30, 30, 30));
}

TEST(Colour, PaletteNearestNeverZero) {
    std::vector<uint8_t> pal(768, 200);
    pal[0] = pal[1] = pal[2] = 0;   // entry 0 is black
    EXPECT_EQ(Colour_Palette_Nearest(0, 16, pal.data()), 1);
    pal[3 * 7] = pal[3 * 7 + 1] = pal[3 * 7 + 2] = 10;
    EXPECT_EQ(Colour_Palette_Nearest(0, 16, pal.data()), 7);
    // The search stops at the first entry below distance 400, not the best one.
    pal[3 * 3] = pal[3 * 3 + 1] = pal[3 * 3 + 2] = 3;
    EXPECT_EQ(Colour_Palette_Nearest(0, 16, pal.data()), 3);
    pal[3 * 2] = 11;
    pal[3 * 2 + 1] = pal[3 * 2 + 2] = 0;   // distance 385: taken, entry 3 (distance 300) never looked at
    EXPECT_EQ(Colour_Palette_Nearest(0, 16, pal.data()), 2);
}

TEST(Colour, YiqRoundTripAndRecolouring) {
    for (int32_t v : {0, 40, 128, 255}) {
        int32_t y, i, q, r, g, b;
        Colour_RGB_To_YIQ(v, 255 - v, v / 2, &y, &i, &q);
        Colour_YIQ_To_RGB(y, i, q, &r, &g, &b);
        EXPECT_NEAR(r, v, 2);
        EXPECT_NEAR(g, 255 - v, 2);
        EXPECT_NEAR(b, v / 2, 2);
    }
    int32_t y;
    Colour_RGB_To_YIQ(255, 255, 255, &y, nullptr, nullptr);
    EXPECT_EQ(y, 9999);   // 0.299 + 0.587 + 0.114 falls just short of 1 in doubles; truncated
    // Grey steps recoloured to red keep their order of brightness.
    std::vector<uint8_t> pal(768, 0);
    for (int k = 0; k < 4; ++k) pal[3 * k] = pal[3 * k + 1] = pal[3 * k + 2] = uint8_t(10 + 15 * k);
    const uint8_t liste[4] = {0, 1, 2, 3};
    uint16_t tabelle[256] = {};
    Colour_Recolour_Palette(200, 0, 0, pal.data(), liste, 1, 4, tabelle);
    int32_t vorher = -1;
    for (int k = 0; k < 4; ++k) {
        int32_t r, g, b;
        Colour_Split(tabelle[k], 16, &r, &g, &b);
        EXPECT_GT(r, g) << k;
        EXPECT_GE(r, vorher) << k;
        vorher = r;
    }
    // Tinting a row changes only the masked pixels.
    uint16_t row[3] = {0xFFFF, 0x8410, 0x8410};
    const uint8_t maske[1] = {0b110};
    Colour_Tint_Row(row, maske, 0x001F, 16, 3);
    EXPECT_EQ(row[0], 0xFFFF);
    int32_t r, g, b;
    Colour_Split(row[1], 16, &r, &g, &b);
    EXPECT_GT(b, r);
    EXPECT_EQ(row[1], row[2]);
}

TEST(Colour, PixelBufferConvert) {
    PixelBuffer* p16 = PixelBuffer_Create(2, 1, 16, 0);
    uint16_t* px = static_cast<uint16_t*>(p16->pixels);
    px[0] = 0xFFFF;
    px[1] = 0;
    PixelBuffer* p15 = PixelBuffer_Convert(p16, 15, nullptr);
    ASSERT_NE(p15, nullptr);
    EXPECT_EQ(p15->depth, 15u);
    EXPECT_EQ(static_cast<uint16_t*>(p15->pixels)[0] & 0x7FFF, 0x7FFF);
    PixelBuffer* zurueck = PixelBuffer_Convert(p15, 16, nullptr);
    EXPECT_EQ(static_cast<uint16_t*>(zurueck->pixels)[0], 0xFFDF);
    std::vector<uint8_t> pal(768, 0);
    pal[3 * 9] = pal[3 * 9 + 1] = pal[3 * 9 + 2] = 63;
    PixelBuffer* p8 = PixelBuffer_Convert(p16, 8, pal.data());
    ASSERT_NE(p8, nullptr);
    EXPECT_EQ(static_cast<uint8_t*>(p8->pixels)[0], 9);
    EXPECT_EQ(static_cast<uint8_t*>(p8->pixels)[1], 0);   // 0 stays 0
    PixelBuffer* wieder = PixelBuffer_Convert(p8, 16, pal.data());
    EXPECT_EQ(static_cast<uint16_t*>(wieder->pixels)[0], 0xFFFF);
    EXPECT_EQ(PixelBuffer_Convert(p16, 16, nullptr), nullptr);
    EXPECT_EQ(PixelBuffer_Convert(p8, 16, nullptr), nullptr);
    for (PixelBuffer* pb : {p16, p15, zurueck, p8, wieder}) PixelBuffer_Free(pb);
}

TEST(Colour, PackedAndHsl) {
    EXPECT_EQ(Farbe_RGB(1, 2, 3), 0x030201u);
    int32_t r, g, b;
    Farbe_Zerlegen(0x00332211, &r, &g, &b);
    EXPECT_EQ(r, 0x11);
    EXPECT_EQ(g, 0x22);
    EXPECT_EQ(b, 0x33);
    float h, l, s;
    Colour_RGB_To_HSL(Farbe_RGB(255, 0, 0), &h, &l, &s);
    EXPECT_FLOAT_EQ(h, 0);
    EXPECT_FLOAT_EQ(l, 0.5f);
    EXPECT_FLOAT_EQ(s, 1);
    Colour_RGB_To_HSL(Farbe_RGB(0, 0, 255), &h, &l, &s);
    EXPECT_FLOAT_EQ(h, 240);
    Colour_HSL_To_RGB(240, 0.5f, 1, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
    Colour_HSL_To_RGB(0, 0.4f, 0, &r, &g, &b);
    EXPECT_EQ(r, 102);
    EXPECT_EQ(b, 102);
}

}  // namespace
}  // namespace velmora
