// The blitter: clipping, mode selection, the pixel rules of every loop, fill and frame.
#include "gfx/blit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/bytes.h"
#include "core/mem.h"
#include "gfx/pixel.h"

namespace velmora {
namespace {

Rastport* Bild(int32_t w, int32_t h, int32_t depth, uint16_t wert = 0) {
    Rastport* rp = Rastport_Create(w, h, depth, 0, 0);
    uint16_t* p = Rastport_Pixels16(rp);
    for (int32_t i = 0; i < w * h; ++i) p[i] = wert;
    return rp;
}

uint16_t& Px(Rastport* rp, int32_t x, int32_t y) { return Rastport_Pixels16(rp)[y * int32_t(rp->width) + x]; }

TEST(BlitClip, EveryEdge) {
    struct Fall {
        const char* was;
        int32_t sx, sy, w, h, dx, dy;
        int32_t ok, esx, esy, ew, eh, edx, edy;
    } faelle[] = {
        // source 20 x 10, destination 30 x 15
        {"inside", 2, 3, 5, 4, 6, 7, 1, 2, 3, 5, 4, 6, 7},
        {"dest left", 0, 0, 20, 10, -5, 0, 1, 5, 0, 15, 10, 0, 0},
        {"dest top", 0, 0, 20, 10, 0, -4, 1, 0, 4, 20, 6, 0, 0},
        {"dest right", 0, 0, 20, 10, 25, 0, 1, 0, 0, 5, 10, 25, 0},
        {"dest bottom", 0, 0, 20, 10, 0, 12, 1, 0, 0, 20, 3, 0, 12},
        {"source left", -3, 0, 10, 5, 0, 0, 1, 0, 0, 7, 5, 3, 0},
        {"source top", 0, -2, 10, 5, 0, 0, 1, 0, 0, 10, 3, 0, 2},
        {"source right", 15, 0, 10, 5, 0, 0, 1, 15, 0, 5, 5, 0, 0},
        {"source bottom", 0, 8, 10, 5, 0, 0, 1, 0, 8, 10, 2, 0, 0},
        {"dest right edge", 0, 0, 5, 5, 30, 0, 0, 0, 0, 0, 0, 0, 0},
        {"dest bottom edge", 0, 0, 5, 5, 0, 15, 0, 0, 0, 0, 0, 0, 0},
        {"all left of dest", 0, 0, 5, 5, -5, 0, 0, 0, 0, 0, 0, 0, 0},
        {"source past width", 20, 0, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"source before start", -5, 0, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"zero width", 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"zero height", 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"huge width", 0, 0, 0x7FFFFFFF, 5, 0, 0, 1, 0, 0, 20, 5, 0, 0},
        {"both sides", -2, -2, 40, 40, -3, -1, 1, 1, 0, 19, 10, 0, 1},
    };
    for (const Fall& f : faelle) {
        int32_t sx = f.sx, sy = f.sy, w = f.w, h = f.h, dx = f.dx, dy = f.dy;
        int32_t ok = Blit_Clip(&sx, &sy, &w, &h, 20, 10, &dx, &dy, 30, 15);
        EXPECT_EQ(ok, f.ok) << f.was;
        if (ok && f.ok) {
            EXPECT_EQ(sx, f.esx) << f.was;
            EXPECT_EQ(sy, f.esy) << f.was;
            EXPECT_EQ(w, f.ew) << f.was;
            EXPECT_EQ(h, f.eh) << f.was;
            EXPECT_EQ(dx, f.edx) << f.was;
            EXPECT_EQ(dy, f.edy) << f.was;
            // The clipped rectangle lies within both bitmaps.
            EXPECT_LE(sx + w, 20);
            EXPECT_LE(dy + h, 15);
        }
    }
}

TEST(RastportBlit, NegativeDestinationDrawsLaterColumns) {
    Rastport* src = Bild(20, 1, 16);
    for (int x = 0; x < 20; ++x) Px(src, x, 0) = uint16_t(100 + x);
    Rastport* dst = Bild(20, 1, 16, 7);
    EXPECT_EQ(Rastport_Blit(src, 0, 0, -1, -1, dst, -5, 0, nullptr), 1);
    for (int x = 0; x < 15; ++x) EXPECT_EQ(Px(dst, x, 0), 105 + x);
    for (int x = 15; x < 20; ++x) EXPECT_EQ(Px(dst, x, 0), 7);
    Rastport_Free(src);
    Rastport_Free(dst);
}

TEST(RastportBlit, DepthsNoLoopServesDrawNothing) {
    struct Fall {
        int32_t sd, dd;
        const BlitMode* mode;
        int32_t ergebnis;
    } faelle[] = {
        {24, 16, nullptr, 0}, {16, 24, nullptr, 0}, {16, 8, nullptr, 0},       {8, 16, nullptr, 0},
        {8, 16, BlitMode_Key, 0}, {8, 8, nullptr, 1},  {15, 16, nullptr, 1}, {16, 15, BlitMode_Key, 1},
    };
    for (const Fall& f : faelle) {
        Rastport* s = Rastport_Create(4, 4, f.sd, 0, 0);
        Rastport* d = Rastport_Create(4, 4, f.dd, 0, 0);
        std::memset(s->pixels->pixels, 3, s->pixels->byte_size);
        std::memset(d->pixels->pixels, 5, d->pixels->byte_size);
        EXPECT_EQ(Rastport_Blit(s, 0, 0, -1, -1, d, 0, 0, f.mode), f.ergebnis) << f.sd << "->" << f.dd;
        EXPECT_EQ(static_cast<uint8_t*>(d->pixels->pixels)[0], f.ergebnis ? 3 : 5);
        Rastport_Free(s);
        Rastport_Free(d);
    }
    Rastport* a = Bild(2, 2, 16);
    EXPECT_EQ(Rastport_Blit(nullptr, 0, 0, -1, -1, a, 0, 0, nullptr), 0);
    EXPECT_EQ(Rastport_Blit(a, 0, 0, -1, -1, nullptr, 0, 0, nullptr), 0);
    Rastport* leer = Rastport_Create(2, 2, 16, 1, 0);   // no pixel buffer
    EXPECT_EQ(Rastport_Blit(leer, 0, 0, -1, -1, a, 0, 0, nullptr), 0);
    EXPECT_EQ(Rastport_Blit(a, 0, 0, -1, -1, leer, 0, 0, nullptr), 0);
    Rastport_Free(leer);
    Rastport_Free(a);
}

TEST(RastportBlit, KeyedCopiesSkipZeroOrTheBufferKey) {
    Rastport* src = Bild(5, 1, 16);
    const uint16_t werte[5] = {0, 9, 0x1234, 0, 4};
    std::memcpy(Rastport_Pixels16(src), werte, 10);
    Rastport* dst = Bild(5, 1, 16, 77);
    Rastport_Blit(src, 0, 0, -1, -1, dst, 0, 0, BlitMode_Key);
    const uint16_t mit_null[5] = {77, 9, 0x1234, 77, 4};
    EXPECT_EQ(std::memcmp(Rastport_Pixels16(dst), mit_null, 10), 0);
    src->pixels->key_colour = 0x1234;
    Rastport_Fill(dst, 0, 0, -1, -1, 77, nullptr);
    Rastport_Blit(src, 0, 0, -1, -1, dst, 0, 0, BlitMode_Key);
    const uint16_t mit_key[5] = {0, 9, 77, 0, 4};
    EXPECT_EQ(std::memcmp(Rastport_Pixels16(dst), mit_key, 10), 0);
    Rastport_Free(src);
    Rastport_Free(dst);
}

TEST(PixelLoops, FastKeyedCopyEqualsPerPixelRule) {
    std::mt19937 rnd(7);
    for (int32_t w : {1, 3, 4, 5, 8, 13, 64, 67}) {
        for (uint16_t key : {uint16_t(0), uint16_t(0x8001), uint16_t(0xFFFF)}) {
            std::vector<uint16_t> src(w * 3), a(w * 3), b;
            for (auto& v : src) v = (rnd() % 3 == 0) ? key : uint16_t(rnd());
            // values that differ from the key in a single bit catch a lane test
            // that compares only part of the 16 bits
            for (int i = 0; i < w * 3; i += 5) src[i] = uint16_t(key ^ (1u << (i % 16)));
            for (auto& v : a) v = uint16_t(rnd());
            b = a;
            Blit_Key16_Colour(src.data(), 0, 0, w, 3, w, a.data(), 0, 0, w, key);
            Blit_Key16_Value(src.data(), 0, 0, w, 3, w, b.data(), 0, 0, w, key);
            EXPECT_EQ(a, b) << w << " " << key;
            if (key == 0) {
                std::vector<uint16_t> c = a;
                Blit_Key16_Fast(src.data(), 0, 0, w, 3, w, c.data(), 0, 0, w);
                EXPECT_EQ(c, b);
            }
        }
    }
    std::vector<uint16_t> src(64), a(64), b(64);
    for (int i = 0; i < 64; ++i) src[i] = uint16_t(i * 977);
    Blit_Copy16_Fast(src.data(), 1, 1, 7, 5, 8, a.data(), 0, 2, 8);
    Blit_Copy16(src.data(), 1, 1, 7, 5, 8, b.data(), 0, 2, 8);
    EXPECT_EQ(a, b);
}

TEST(PixelLoops, ZeroToOneRule) {
    uint16_t s = 0, d = 0x5555;
    Blit_Tint565(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0, 64);   // black tinted with black
    EXPECT_EQ(d, 1);
    d = 0x5555;
    Blit_Tint555(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0, 0);
    EXPECT_EQ(d, 1);
    // Shade: a non-zero pixel never becomes 0, 0 stays 0.
    EXPECT_EQ(Pixel_Shade565(0x0001, 120), 1);
    EXPECT_EQ(Pixel_Shade565(0, 120), 0);
    EXPECT_EQ(Pixel_Shade565(0xFFFF, 120), 0xEF7D);
    EXPECT_EQ(Pixel_Shade555(0x7FFF, 120), (29 << 10) | (29 << 5) | 29);
    // The masked shade turns even a 0 pixel into 1.
    uint8_t maske[5] = {1};
    d = 0x4444;
    Blit_Mask_Shade565(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, maske, 120);
    EXPECT_EQ(d, 1);
}

TEST(PixelLoops, TintRules) {
    struct Fall {
        uint16_t s, c;
        int32_t f;
    } faelle[] = {{0xFFFF, 0, 128}, {0x8410, 0xF800, 64}, {0x07E0, 0x001F, 0}, {0x1234, 0xFFFF, -100},
                  {0xFFFF, 0xFFFF, 255}};
    for (const Fall& f : faelle) {
        uint16_t d = 0;
        Blit_Tint565(&f.s, 0, 0, 1, 1, 1, &d, 0, 0, 1, f.c, f.f);
        uint32_t erwartet = 0;
        for (int32_t m : {0xF800, 0x07E0, 0x001F}) {
            int32_t v = ((f.s & m) * f.f >> 7) + ((((f.c & m) * (128 - f.f)) / 128) & m);
            erwartet |= uint32_t((v > m ? m : v) & m);
        }
        EXPECT_EQ(d, erwartet ? erwartet : 1) << f.s << " " << f.c << " " << f.f;
    }
    // Factor 128 is the source itself, factor 0 the colour.
    uint16_t s = 0xABCD, d = 0;
    Blit_Tint565(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0x1111, 128);
    EXPECT_EQ(d, 0xABCD);
    Blit_Tint565(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0x1111, 0);
    EXPECT_EQ(d, 0x1111);
}

TEST(PixelLoops, KeyedTintFactorZeroPaintsTheKeyColourToo) {
    const uint16_t src[3] = {0, 0x0042, 0x7777};
    uint16_t dst[3] = {5, 5, 5};
    Blit_Key_Tint565(src, 0, 0, 3, 1, 3, dst, 0, 0, 3, 0x0042, 0xF00F, 0);
    EXPECT_EQ(dst[0], 5);
    EXPECT_EQ(dst[1], 0xF00F);
    EXPECT_EQ(dst[2], 0xF00F);
    // With a factor the key colour is skipped.
    uint16_t dst2[3] = {5, 5, 5};
    Blit_Key_Tint565(src, 0, 0, 3, 1, 3, dst2, 0, 0, 3, 0x0042, 0xF00F, 128);
    EXPECT_EQ(dst2[1], 5);
    EXPECT_EQ(dst2[2], 0x7777);
    EXPECT_EQ(dst2[0], 0);   // 0 is not the key here: drawn, no 0-to-1 step
}

TEST(RastportBlit, TextModeDrawsEveryGlyphPixelInTheColour) {
    Rastport* glyph = Bild(4, 1, 16);
    const uint16_t g[4] = {0, 1, 0x8000, 0xFFFF};
    std::memcpy(Rastport_Pixels16(glyph), g, 8);
    Rastport* dst = Bild(4, 1, 16, 0x2222);
    BlitMode text = *BlitMode_Text;
    text.colour = 0xC0DE;
    ASSERT_EQ(Rastport_Blit(glyph, 0, 0, -1, -1, dst, 0, 0, &text), 1);
    const uint16_t e[4] = {0x2222, 0xC0DE, 0xC0DE, 0xC0DE};
    EXPECT_EQ(std::memcmp(Rastport_Pixels16(dst), e, 8), 0);
    EXPECT_EQ(text.colour, 0xC0DE);   // the caller's record is never changed
    Rastport_Free(glyph);
    Rastport_Free(dst);
}

TEST(PixelLoops, AlphaPlaneWeights255And256) {
    struct Fall {
        uint16_t s, d;
        uint8_t a;
    } faelle[] = {{0xFFFF, 0x0000, 255}, {0x0000, 0xFFFF, 255}, {0xF81F, 0x07E0, 128}, {0x1234, 0x4321, 1},
                  {0xFFFF, 0x1234, 0}};
    for (const Fall& f : faelle) {
        for (int32_t gewicht : {255, 256}) {
            uint16_t d = f.d;
            if (gewicht == 255) Blit_Plane565(&f.s, 0, 0, 1, 1, 1, &d, 0, 0, 1, &f.a);
            else Blit_Plane256_565(&f.s, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0, &f.a);
            if (f.a == 0) {
                EXPECT_EQ(d, f.d);
                continue;
            }
            auto k = [&](int32_t d8, int32_t s8, int32_t shift, int32_t max) {
                int32_t out = (d8 * (gewicht - f.a) >> 8) + (s8 * f.a >> 8);
                return std::min(out >> shift, max);
            };
            uint16_t e = uint16_t(k((f.d & 0xF800) >> 8, (f.s & 0xF800) >> 8, 3, 31) << 11 |
                                  k((f.d & 0x7E0) >> 3, (f.s & 0x7E0) >> 3, 2, 63) << 5 |
                                  k((f.d & 0x1F) << 3, (f.s & 0x1F) << 3, 3, 31));
            EXPECT_EQ(d, e) << f.s << " " << f.d << " " << int(f.a) << " " << gewicht;
        }
    }
    // 255 with weights 255: floor(s8 x 255 / 256) per channel: white is not quite white.
    uint16_t s = 0xFFFF, d = 0;
    uint8_t a = 255;
    Blit_Plane565(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, &a);
    EXPECT_EQ(d, (30 << 11) | (62 << 5) | 30);
    d = 0;
    Blit_Plane256_565(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0, &a);
    EXPECT_EQ(d, (30 << 11) | (62 << 5) | 30);
    d = 0;
    Blit_Plane555(&s, 0, 0, 1, 1, 1, &d, 0, 0, 1, &a);
    EXPECT_EQ(d, (30 << 10) | (30 << 5) | 30);
}

TEST(PixelLoops, PlaneColourThresholds) {
    for (int32_t a = 0; a < 256; ++a) {
        uint8_t plane = uint8_t(a);
        uint16_t d = 0x1234;
        Blit_Plane_Colour565(&plane, 0, 0, 1, 1, 1, &d, 0, 0, 1, 0xFFFF);
        if (a <= 2) EXPECT_EQ(d, 0x1234) << a;
        else if (a >= 240) EXPECT_EQ(d, 0xFFFF) << a;
        else EXPECT_EQ(d, Pixel_Plane565(0x1234, 0xFFFF, a, 255)) << a;
    }
}

TEST(PixelLoops, GreyscaleRule) {
    for (uint16_t p : {uint16_t(0), uint16_t(0xFFFF), uint16_t(0xF800), uint16_t(0x07E0), uint16_t(0x001F),
                       uint16_t(0x8410)}) {
        uint16_t d = 0x5A5A;
        Blit_Grey565(&p, 0, 0, 1, 1, 1, &d, 0, 0, 1);
        int32_t y = (45 * ((p & 0xF800) >> 8) + 60 * ((p & 0x7E0) >> 3) + 23 * ((p & 0x1F) << 3)) >> 7;
        EXPECT_EQ(d, (y >> 3) << 11 | (y >> 2) << 5 | (y >> 3)) << p;
    }
    uint16_t p = 0x7FFF, d = 0;
    Blit_Grey555(&p, 0, 0, 1, 1, 1, &d, 0, 0, 1);
    EXPECT_EQ(d, 0x7FFF);   // (45 + 60 + 23) x 248 >> 7 = 248
}

TEST(PixelLoops, HalfSizeTakesOddColumnsOfEvenRows) {
    std::vector<uint16_t> src(16);
    for (int i = 0; i < 16; ++i) src[i] = uint16_t(100 + i);   // (x, y) = 100 + x + 4 y
    std::vector<uint16_t> dst(4, 9);
    Blit_Key16_Half(src.data(), 0, 0, 4, 4, 4, dst.data(), 0, 0, 2);
    EXPECT_EQ(dst, (std::vector<uint16_t>{101, 103, 109, 111}));
    std::vector<uint16_t> dst2(4, 9);
    uint8_t maske[6] = {0xFF, 0xFF, 0, 0, 0, 0};
    Blit_Mask16_Half(src.data(), 0, 0, 4, 4, 4, dst2.data(), 0, 0, 2, maske);
    EXPECT_EQ(dst2, (std::vector<uint16_t>{101, 103, 109, 111}));
    maske[1] = 0;   // rows 2 and 3 not drawn
    std::vector<uint16_t> dst3(4, 9);
    Blit_Mask16_Half(src.data(), 0, 0, 4, 4, 4, dst3.data(), 0, 0, 2, maske);
    EXPECT_EQ(dst3, (std::vector<uint16_t>{101, 103, 9, 9}));
}

// Shape data of a 4 x 2 sprite: row 0 = skip 1, draw 3 (a b c); row 1 = draw 2 (d e), skip 2.
std::vector<uint16_t> Shape_Daten() { return {1, 0x8003, 11, 12, 13, 0x8002, 14, 15, 2}; }

TEST(PixelLoops, ShapesPlainMirroredAndHalf) {
    std::vector<uint16_t> d = Shape_Daten();
    std::vector<uint16_t> ziel(8, 0);
    Blit_Shape16(d.data(), uint32_t(d.size()), 0, 4, 2, ziel.data(), 0, 0, 4);
    EXPECT_EQ(ziel, (std::vector<uint16_t>{0, 11, 12, 13, 14, 15, 0, 0}));
    std::fill(ziel.begin(), ziel.end(), 0);
    Blit_Shape16_Mirror(d.data(), uint32_t(d.size()), 0, 4, 2, ziel.data(), 0, 0, 4);
    EXPECT_EQ(ziel, (std::vector<uint16_t>{13, 12, 11, 0, 0, 0, 15, 14}));
    std::fill(ziel.begin(), ziel.end(), 0);
    Blit_Shape16_Half(d.data(), uint32_t(d.size()), 0, 4, 2, ziel.data(), 0, 0, 4);
    EXPECT_EQ(ziel, (std::vector<uint16_t>{11, 13, 0, 0, 0, 0, 0, 0}));
    // 8-bit shape data through a colour table.
    std::vector<uint8_t> d8 = {1, 0x83, 1, 2, 3, 0x82, 4, 5, 2};
    uint16_t tabelle[256];
    for (int i = 0; i < 256; ++i) tabelle[i] = uint16_t(1000 + i);
    std::fill(ziel.begin(), ziel.end(), 0);
    Blit_Shape8_Mirror(d8.data(), uint32_t(d8.size()), 0, 4, 2, ziel.data(), 0, 0, 4, tabelle);
    EXPECT_EQ(ziel, (std::vector<uint16_t>{1003, 1002, 1001, 0, 0, 0, 1005, 1004}));
    std::fill(ziel.begin(), ziel.end(), 0);
    Blit_Shape8_Half_Mirror(d8.data(), uint32_t(d8.size()), 0, 4, 2, ziel.data(), 0, 0, 4, tabelle);
    EXPECT_EQ(ziel, (std::vector<uint16_t>{1003, 1001, 0, 0, 0, 0, 0, 0}));
    // Mirrored blends draw nothing.
    EXPECT_EQ(Blit_Shape565_Blend_Mirror(d.data(), uint32_t(d.size()), 0, 4, 2, ziel.data(), 0, 0, 4, 64), 0);
}

TEST(PixelLoops, ShapeDataNeverReadOrDrawnPastItsBounds) {
    // A run longer than the row is cut at the width; data that ends early stops.
    std::vector<uint16_t> d = {0x8006, 1, 2, 3, 4, 5, 6, 0x8002, 7};
    std::vector<uint16_t> ziel(12, 0);
    Blit_Shape16(d.data(), uint32_t(d.size()), 0, 4, 2, ziel.data(), 0, 0, 6);
    EXPECT_EQ(ziel, (std::vector<uint16_t>{1, 2, 3, 4, 0, 0, 7, 0, 0, 0, 0, 0}));
    Blit_Shape16(d.data(), 0, 0, 4, 2, ziel.data(), 0, 0, 6);   // no data: nothing
}

TEST(PixelLoops, ShapeBlend) {
    std::vector<uint16_t> d = {0x8001, 0xF800};
    uint16_t ziel = 0x001F;
    Blit_Shape565_Blend(d.data(), 2, 0, 1, 1, &ziel, 0, 0, 1, 64);
    EXPECT_EQ(ziel, (0x7C00 & 0xF800) | 0x000F);   // half red, half blue
}

Rastport* Shape_Bild(bool gespiegelt) {
    std::vector<uint16_t> d = Shape_Daten();
    Rastport* rp = Rastport_Create(4, 2, 16, 3, 0);
    rp->shape_size = uint32_t(36 + 4 * 2 + d.size() * 2);
    rp->shape = static_cast<uint8_t*>(Mem_Alloc_Fill(rp->shape_size, "test", 0));
    Bytes_Put16(rp->shape, 4);
    Bytes_Put16(rp->shape + 2, 2);
    rp->shape[20] = gespiegelt ? 1 : 0;
    std::memcpy(rp->shape + 44, d.data(), d.size() * 2);
    Shape_Prepare(rp->shape, rp->shape_size);
    return rp;
}

TEST(RastportBlit, ShapeOnlyWhenWhollyInside) {
    Rastport* s = Shape_Bild(false);
    Rastport* dst = Bild(6, 4, 16, 0);
    EXPECT_EQ(Rastport_Blit(s, 0, 0, -1, -1, dst, 2, 2, BlitMode_Shape), 1);
    EXPECT_EQ(Px(dst, 3, 2), 11);
    EXPECT_EQ(Px(dst, 2, 3), 14);
    Rastport_Fill(dst, 0, 0, -1, -1, 0, nullptr);
    EXPECT_EQ(Rastport_Blit(s, 0, 0, -1, -1, dst, 3, 2, BlitMode_Shape), 0);   // one pixel out
    EXPECT_EQ(Rastport_Blit(s, 0, 0, -1, -1, dst, 2, 3, BlitMode_Mask_Plane_Shape), 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(Px(dst, x, y), 0);
    Rastport* m = Shape_Bild(true);
    EXPECT_EQ(Rastport_Blit(m, 0, 0, -1, -1, dst, 0, 0, BlitMode_Mask_Plane_Shape), 1);
    EXPECT_EQ(Px(dst, 0, 0), 13);
    // A header that claims more than the bitmap draws nothing.
    Bytes_Put16(m->shape, 5);
    EXPECT_EQ(Rastport_Blit(m, 0, 0, -1, -1, dst, 0, 0, BlitMode_Shape), 0);
    Rastport_Free(m);
    Rastport_Free(s);
    Rastport_Free(dst);
}

TEST(RastportBlit, ModeCheckDropsWhatTheSourceLacks) {
    Rastport* src = Bild(3, 1, 16, 0);
    Px(src, 1, 0) = 0x1111;
    Rastport* dst = Bild(3, 1, 16, 0x2222);
    BlitMode m = *BlitMode_Mask;   // no mask on the source: a plain copy
    EXPECT_EQ(Rastport_Blit(src, 0, 0, -1, -1, dst, 0, 0, &m), 1);
    EXPECT_EQ(Px(dst, 0, 0), 0);
    BlitMode check{};
    check.mask = check.alpha = check.shape = check.alternate = 1;
    check.factor = 1000;
    check.factor2 = -1000;
    Blit_Mode_Check(src, &check);
    EXPECT_EQ(check.mask + check.alpha + check.shape + check.alternate, 0);
    EXPECT_EQ(check.factor, 255);
    EXPECT_EQ(check.factor2, -255);
    // Greyscale or tint with an alpha plane draws nothing.
    src->alpha = static_cast<uint8_t*>(Mem_Alloc_Fill(3, "test", 200));
    BlitMode grau{};
    grau.alpha = grau.grey = 1;
    EXPECT_EQ(Rastport_Blit(src, 0, 0, -1, -1, dst, 0, 0, &grau), 0);
    Rastport_Free(src);
    Rastport_Free(dst);
}

TEST(RastportBlit, MaskModesFollowTheBits) {
    for (int32_t depth : {15, 16}) {
        Rastport* src = Rastport_Create(10, 1, depth, 0, 1);
        src->pixels = PixelBuffer_Create(10, 1, depth, 0);
        for (int x = 0; x < 10; ++x) Px(src, x, 0) = uint16_t(0x0C63 + x);
        src->mask[0] = 0b10100101;
        src->mask[1] = 0b10;
        Rastport* dst = Bild(10, 1, depth, 0x0101);
        EXPECT_EQ(Rastport_Blit(src, 0, 0, -1, -1, dst, 0, 0, BlitMode_Mask), 1);
        for (int x = 0; x < 10; ++x) {
            bool gesetzt = (src->mask[x / 8] >> (x % 8)) & 1;
            EXPECT_EQ(Px(dst, x, 0), gesetzt ? Px(src, x, 0) : 0x0101) << depth << " " << x;
        }
        Rastport_Free(src);
        Rastport_Free(dst);
    }
}

TEST(RastportFill, ClipsAndFillsOnlySixteenBit) {
    struct Fall {
        int32_t x, y, w, h;
        int32_t gefuellt;   // pixels expected in the colour
    } faelle[] = {{0, 0, -1, -1, 50}, {10, 0, 3, 3, 0}, {9, 4, 5, 5, 1}, {-2, -2, 4, 4, 4},
                  {0, 5, 3, 3, 0},    {-3, 0, 3, 5, 0}, {3, 1, 4, 2, 8}, {-100, -100, 200, 200, 50}};
    for (const Fall& f : faelle) {
        Rastport* rp = Bild(10, 5, 16, 0);
        EXPECT_EQ(Rastport_Fill(rp, f.x, f.y, f.w, f.h, 0xABCD, BlitMode_Fill), 0);
        int32_t n = 0;
        for (int i = 0; i < 50; ++i) n += Rastport_Pixels16(rp)[i] == 0xABCD;
        EXPECT_EQ(n, f.gefuellt) << f.x << "," << f.y << " " << f.w << "x" << f.h;
        Rastport_Free(rp);
    }
    Rastport* acht = Rastport_Create(4, 4, 8, 0, 0);
    std::memset(acht->pixels->pixels, 0, 16);
    Rastport_Fill(acht, 0, 0, -1, -1, 0xFFFF, nullptr);
    EXPECT_EQ(static_cast<uint8_t*>(acht->pixels->pixels)[0], 0);
    Rastport_Free(acht);
}

TEST(RastportFill, FrameIsFourBands) {
    Rastport* rp = Bild(8, 6, 16, 0);
    EXPECT_EQ(Rastport_Draw_Frame(rp, 1, 1, 6, 4, 7, 1, nullptr), 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            bool rand = x >= 1 && x <= 6 && y >= 1 && y <= 4 && (x == 1 || x == 6 || y == 1 || y == 4);
            EXPECT_EQ(Px(rp, x, y), rand ? 7 : 0) << x << "," << y;
        }
    Rastport_Free(rp);
}

TEST(Lines, EndPointsAndMajorAxis) {
    std::vector<uint16_t> p(100, 0);
    Line_Draw(p.data(), 1, 1, 8, 4, 10, 5);
    int n = 0;
    for (auto v : p) n += v == 5;
    EXPECT_EQ(n, 8);   // one pixel per column of the longer axis
    EXPECT_EQ(p[1 * 10 + 1], 5);
    EXPECT_EQ(p[4 * 10 + 8], 5);
    std::fill(p.begin(), p.end(), 0);
    Line_Draw(p.data(), 2, 9, 0, 0, 10, 3);
    n = 0;
    for (auto v : p) n += v == 3;
    EXPECT_EQ(n, 10);
    EXPECT_EQ(p[9 * 10 + 2], 3);
    EXPECT_EQ(p[0], 3);
    std::fill(p.begin(), p.end(), 0);
    Line_Vertical(p.data(), 3, 2, 5, 10, 1);
    Line_Horizontal(p.data(), 0, 2, 0, 10, 1);
    n = 0;
    for (auto v : p) n += v;
    EXPECT_EQ(n, 5);
    EXPECT_EQ(p[4 * 10 + 3], 1);
    EXPECT_EQ(p[5 * 10 + 3], 0);
}

TEST(PixelLoops, RowKeyMerge) {
    const uint16_t s[4] = {0, 5, 0, 6};
    uint16_t d[4] = {1, 2, 3, 4};
    Row_Key_Merge(s, d, 4);
    EXPECT_EQ(d[0], 1);
    EXPECT_EQ(d[1], 5);
    EXPECT_EQ(d[2], 3);
    EXPECT_EQ(d[3], 6);
}

}  // namespace
}  // namespace velmora
