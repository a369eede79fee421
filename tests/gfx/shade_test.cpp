// Shade table, drop shadow, shadow drawing, alpha blits and the pulse.
#include "gfx/shade.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/pixel.h"
#include "gfx/schatten.h"
#include "tests/gfx/font_support.h"

namespace velmora {
namespace {

struct ShadeTabelle {
    explicit ShadeTabelle(int32_t depth) { Shade_Init(depth); }
    ~ShadeTabelle() { Shade_Exit(); }
};

Rastport* Bild(int32_t w, int32_t h, uint16_t wert) {
    Rastport* rp = Rastport_Create(w, h, 16, 0, 0);
    Rastport_Fill(rp, 0, 0, -1, -1, wert, nullptr);
    return rp;
}

TEST(Shade, TableIsOneShadeStep) {
    ShadeTabelle t(16);
    EXPECT_EQ(Shade_Wert(0), 0);
    EXPECT_EQ(Shade_Wert(0xFFFF), 0xEF7D);
    EXPECT_EQ(Shade_Wert(1), 1);   // never 0
    for (uint32_t p = 0; p < 65536; p += 97) ASSERT_EQ(Shade_Wert(uint16_t(p)), Pixel_Shade565(uint16_t(p), 120));
    EXPECT_EQ(Shade_Init(15), 1);   // later calls change nothing
    EXPECT_EQ(Shade_Wert(0xFFFF), 0xEF7D);
}

TEST(Shade, KernelSizeAndStrength) {
    uint8_t k[81];
    struct Fall {
        int32_t size, k;
    } faelle[] = {{4, 5}, {1, 3}, {12, 9}, {5, 5}, {6, 7}, {-3, 3}};
    for (const Fall& f : faelle) EXPECT_EQ(Shade_Kernel(f.size, 0, k), f.k) << f.size;
    Shade_Kernel(5, -1, k);
    EXPECT_EQ(k[0], 0);
    EXPECT_EQ(k[12], 3);
    Shade_Kernel(5, 20, k);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(k[i], 15);
}

TEST(Shade, EdgePathEqualsInPlacePath) {
    ShadeTabelle t(16);
    std::vector<uint8_t> counts(6 * 4);
    for (size_t i = 0; i < counts.size(); ++i) counts[i] = uint8_t(i % 4);
    // Inside: in place. Touching the right edge: through a temporary bitmap.
    Rastport* a = Bild(20, 10, 0xFFFF);
    Rastport* b = Bild(16, 10, 0xFFFF);
    EXPECT_EQ(Shade_Apply(a, counts.data(), 10, 3, 6, 4), 1);
    EXPECT_EQ(Shade_Apply(b, counts.data(), 10, 3, 6, 4), 1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(Rastport_Pixels16(a)[y * 20 + x], Rastport_Pixels16(b)[y * 16 + x]) << x << "," << y;
    EXPECT_EQ(Rastport_Pixels16(a)[4 * 20 + 11], Shade_Wert(Shade_Wert(Shade_Wert(0xFFFF))));   // cell 7: count 3
    Rastport_Free(a);
    Rastport_Free(b);
}

TEST(Shade, DropShadowDarkensBelowRightAndKeepsTheObject) {
    ShadeTabelle t(16);
    Rastport* obj = Bild(4, 4, 0xF800);
    Rastport* dst = Bild(20, 20, 0xFFFF);
    EXPECT_EQ(Rastport_Blit_Ex(obj, 0, 0, -1, -1, dst, 5, 5, nullptr), 1);
    const uint16_t* p = Rastport_Pixels16(dst);
    EXPECT_EQ(p[5 * 20 + 5], 0xF800);    // the object
    EXPECT_LT(p[10 * 20 + 10], 0xFFFF);  // shadow beyond its bottom-right corner
    EXPECT_EQ(p[0], 0xFFFF);             // far away: untouched
    EXPECT_EQ(p[3 * 20 + 3], 0xFFFF);    // above-left: untouched
    Rastport_Free(obj);
    Rastport_Free(dst);
}

TEST(Schatten, TextShadowCopiesTextAndDarkensAround) {
    Rastport* text = Bild(6, 4, 0);
    Rastport_Fill(text, 1, 1, 2, 1, 0x07E0, nullptr);
    Rastport* dst = Bild(20, 20, 0xFFFF);
    Schatten_Text_Zeichnen(text, 0, 0, 6, 4, dst, 2, 2, 0, text);
    const uint16_t* p = Rastport_Pixels16(dst);
    EXPECT_EQ(p[3 * 20 + 3], 0x07E0);   // text copied
    // Kernel 0 of 75 88 / 88 97: the pixel right-below the text's last pixel gets 75 %.
    uint16_t weiss = 0xFFFF;
    uint16_t e = uint16_t(((weiss & 0xF800) * 75 / 100 & 0xF800) | ((weiss & 0x07C0) * 75 / 100 & 0x07C0) |
                          ((weiss & 0x1F) * 75 / 100 & 0x1F));
    EXPECT_EQ(p[(2 + 2) * 20 + 2 + 3], e);
    EXPECT_EQ(p[0], 0xFFFF);
    Schatten_Cache_Leeren();
    Rastport_Free(text);
    Rastport_Free(dst);
}

TEST(Schatten, PictureShadowIsCachedAtItsPosition) {
    Rastport* bild = Bild(5, 5, 0x001F);
    Rastport* dst = Bild(30, 30, 0xFFFF);
    Schatten_Zeichnen(bild, 0, 0, 5, 5, dst, 3, 3, 1);
    Rastport* treffer = Schatten_Cache_Suchen(0, 0, 5 + 3 + 1, 5 + 3 + 1, 3, 3);
    ASSERT_NE(treffer, nullptr);
    EXPECT_LT(Rastport_Pixels16(dst)[(3 + 6) * 30 + 3 + 6], 0xFFFF);
    // Next frame: the cached area is copied back, even onto a changed background.
    Rastport_Fill(dst, 0, 0, -1, -1, 0x1111, nullptr);
    Schatten_Zeichnen(bild, 0, 0, 5, 5, dst, 3, 3, 1);
    EXPECT_EQ(Rastport_Pixels16(dst)[(3 + 6) * 30 + 3 + 6], Rastport_Pixels16(treffer)[6 * 9 + 6]);
    EXPECT_EQ(Rastport_Pixels16(dst)[0], 0x1111);
    // An area ending at the destination's edge is cut one pixel before it.
    Schatten_Cache_Leeren();
    Schatten_Zeichnen(bild, 0, 0, 5, 5, dst, 26, 26, 2);
    EXPECT_EQ(Rastport_Pixels16(dst)[29 * 30 + 29], 0x1111);
    Schatten_Cache_Leeren();
    Rastport_Free(bild);
    Rastport_Free(dst);
}

TEST(Alpha, PercentBlendWithAndWithoutOwnPlane) {
    Rastport* src = Bild(2, 1, 0xFFFF);
    Rastport_Pixels16(src)[1] = 0;
    Rastport* dst = Bild(2, 1, 0);
    EXPECT_EQ(Blit_Alpha(src, 0, 0, -1, -1, dst, 0, 0, 50), 0);   // temporary plane: result 0
    EXPECT_EQ(src->alpha, nullptr);
    EXPECT_EQ(Rastport_Pixels16(dst)[0], Pixel_Plane565(0, 0xFFFF, 127, 256));
    EXPECT_EQ(Rastport_Pixels16(dst)[1], 0);   // 0 source pixel not drawn
    Rastport_Fill(dst, 0, 0, -1, -1, 0x1234, nullptr);
    Blit_Alpha_2(src, 0, 0, -1, -1, dst, 0, 0, 100);   // weights 255, 0 blends too
    EXPECT_EQ(Rastport_Pixels16(dst)[1], Pixel_Plane565(0x1234, 0, 255, 255));
    EXPECT_EQ(src->alpha, nullptr);
    // With its own plane the blit's result comes back.
    Rastport* eigen = Bild(2, 1, 0xFFFF);
    eigen->alpha = new uint8_t[2]{255, 0};
    uint8_t* plane = eigen->alpha;
    EXPECT_EQ(Blit_Alpha(eigen, 0, 0, -1, -1, dst, 0, 0, 10), 1);
    EXPECT_EQ(eigen->alpha, plane);
    eigen->alpha = nullptr;
    delete[] plane;
    Rastport_Free(eigen);
    Rastport_Free(src);
    Rastport_Free(dst);
}

TEST(Alpha, BltAlphaLendsThePlaneAndPutsTheOldOneBack) {
    Rastport* src = Bild(2, 2, 0xFFFF);
    Rastport* a = Rastport_Create(2, 2, 8, 0, 0);
    static_cast<uint8_t*>(a->pixels->pixels)[0] = 255;
    static_cast<uint8_t*>(a->pixels->pixels)[1] = 0;
    Rastport* dst = Bild(2, 2, 0);
    EXPECT_EQ(Blt_Alpha(src, a, 0, 0, -1, -1, dst, 0, 0), 1);
    EXPECT_EQ(Rastport_Pixels16(dst)[0], Pixel_Plane565(0, 0xFFFF, 255, 256));
    EXPECT_EQ(Rastport_Pixels16(dst)[1], 0);
    EXPECT_EQ(src->alpha, nullptr);
    EXPECT_EQ(Blt_Alpha(src, nullptr, 0, 0, -1, -1, dst, 0, 0), 0);
    Rastport* klein = Rastport_Create(1, 1, 8, 0, 0);   // too small to serve as a plane
    EXPECT_EQ(Blt_Alpha(src, klein, 0, 0, -1, -1, dst, 0, 0), 0);
    Rastport_Free(klein);
    Rastport_Free(a);
    Rastport_Free(src);
    Rastport_Free(dst);
}

TEST(Alpha, ElementWritesTheTextTranslucentlyWithItsBaselineAtY) {
    Font* font = test::Block_Font();
    Rastport* dst = Bild(40, 40, 0);
    Blt_Alpha_Element(dst, font, "AB", 5, 20, 50);
    const uint16_t* p = Rastport_Pixels16(dst);
    const uint16_t halb = Pixel_Plane565(0, 0xFFFF, 127, 256);
    // The glyphs' inked rows 2-9 stand one row above the baseline's box: rows
    // 11-18 from y - baseline = 10; columns 5 on, as wide as both glyphs.
    const int32_t breite = test::Block_Breite('A') + test::Block_Breite('B');
    struct Fall {
        int32_t x, y;
        uint16_t soll;
    };
    const Fall faelle[] = {{5, 11, halb}, {5, 18, halb}, {5 + breite - 1, 14, halb}, {5, 10, 0},
                           {5, 19, 0},    {4, 14, 0},    {5 + breite, 14, 0}};
    for (const Fall& f : faelle) EXPECT_EQ(p[f.y * 40 + f.x], f.soll) << f.x << "," << f.y;
    // Nothing to write: nothing drawn.
    Blt_Alpha_Element(dst, font, "", 5, 30, 50);
    Blt_Alpha_Element(dst, nullptr, "A", 5, 30, 50);
    for (int32_t x = 0; x < 40; ++x) EXPECT_EQ(p[25 * 40 + x], 0);
    Rastport_Free(dst);
    test::Block_Font_Frei(font);
}

TEST(Alpha, PulseClimbsAndFalls) {
    std::vector<int32_t> werte;
    uint32_t t = 1000;
    werte.push_back(Blit_Puls_Wert_Bei(7, 7, t));
    for (int i = 0; i < 60; ++i) werte.push_back(Blit_Puls_Wert_Bei(7, 7, t += 51));
    const std::vector<int32_t> anfang = {5,  10, 15, 20, 25, 30, 35, 40, 45, 50, 60, 70, 75, 80, 85, 90, 95, 100,
                                         95, 90, 85, 80, 75, 70, 60, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5,  10};
    EXPECT_EQ(std::vector<int32_t>(werte.begin(), werte.begin() + anfang.size()), anfang);
    // Within 50 ms nothing changes.
    int32_t jetzt = Blit_Puls_Wert_Bei(7, 7, t + 10);
    EXPECT_EQ(Blit_Puls_Wert_Bei(7, 7, t + 50), jetzt);
    // Ten other positions push this one out: it starts at 5 again.
    for (int i = 0; i < 10; ++i) Blit_Puls_Wert_Bei(100 + i, 0, t);
    EXPECT_EQ(Blit_Puls_Wert_Bei(7, 7, t + 200), 5);
}

}  // namespace
}  // namespace velmora
