// The mode sheet: every blit mode at both depths drawn into one picture per
// depth and compared pixel for pixel with the reviewed reference PNG. With
// VELMORA_UPDATE_REFERENCE=1 the references are written anew (review them!).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/mem.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/pixel.h"
#include "gfx/schatten.h"
#include "gfx/shade.h"
#include "tests/support/png.h"

namespace velmora {
namespace {

constexpr int32_t ZELLE = 48, SPALTEN = 6, ZEILEN = 4, S = 32;

// A 32 x 32 sprite: a colour gradient disc on 0, a checker mask, an alpha ramp.
Rastport* Sprite(int32_t depth) {
    Rastport* rp = Rastport_Create(S, S, depth, 0, 0);
    rp->mask = static_cast<uint8_t*>(Mem_Alloc_Fill(Rastport_Mask_Size(S, S), "test", 0));
    rp->alpha = static_cast<uint8_t*>(Mem_Alloc(S * S, "test"));
    uint16_t* p = Rastport_Pixels16(rp);
    for (int32_t y = 0; y < S; ++y)
        for (int32_t x = 0; x < S; ++x) {
            int32_t i = y * S + x, ax = 2 * x - 31, ay = 2 * y - 31;
            p[i] = ax * ax + ay * ay > 30 * 30 ? 0 : Colour_Make(depth, x * 8, y * 8, 255 - x * 8);
            if (((x / 4) + (y / 4)) % 2 == 0) rp->mask[i / 8] |= uint8_t(1 << (i % 8));
            rp->alpha[i] = uint8_t(x * 255 / 31);
        }
    return rp;
}

// Shape data of a 32 x 32 diamond, optionally mirrored (no pixel buffer).
Rastport* Raute(int32_t depth, bool gespiegelt) {
    std::vector<uint16_t> d;
    for (int32_t r = 0; r < S; ++r) {
        int32_t rand = r < 16 ? 15 - r : r - 16;
        int32_t n = S - 2 * rand;
        if (n > 8 && r % 8 == 0) n -= 4;   // some rows cut short on the right
        d.push_back(uint16_t(rand));
        d.push_back(uint16_t(0x8000 | n));
        for (int32_t k = 0; k < n; ++k) d.push_back(Colour_Make(depth, 255 - k * 8, 128, r * 8));
        d.push_back(uint16_t(S - rand - n));
    }
    Rastport* rp = Rastport_Create(S, S, depth, 3, 0);
    rp->shape_size = uint32_t(36 + 4 * S + d.size() * 2);
    rp->shape = static_cast<uint8_t*>(Mem_Alloc_Fill(rp->shape_size, "test", 0));
    Bytes_Put16(rp->shape, S);
    Bytes_Put16(rp->shape + 2, S);
    rp->shape[20] = gespiegelt ? 1 : 0;
    std::memcpy(rp->shape + 36 + 4 * S, d.data(), d.size() * 2);
    Shape_Prepare(rp->shape, rp->shape_size);
    return rp;
}

Rastport* Mode_Sheet(int32_t depth) {
    Shade_Exit();
    Shade_Init(depth);
    const int32_t w = ZELLE * SPALTEN, h = ZELLE * ZEILEN;
    Rastport* bild = Rastport_Create(w, h, depth, 0, 0);
    const uint16_t hell = Colour_Make(depth, 160, 160, 160), dunkel = Colour_Make(depth, 96, 96, 96);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) Rastport_Pixels16(bild)[y * w + x] = ((x / 8 + y / 8) % 2) ? hell : dunkel;
    Rastport* sp = Sprite(depth);
    Rastport* raute = Raute(depth, false);
    Rastport* gespiegelt = Raute(depth, true);
    const uint16_t rot = Colour_Make(depth, 255, 0, 0), gelb = Colour_Make(depth, 255, 255, 0),
                   blau = Colour_Make(depth, 0, 0, 255);
    auto zelle = [](int32_t n, int32_t& x, int32_t& y) {
        x = (n % SPALTEN) * ZELLE + 8;
        y = (n / SPALTEN) * ZELLE + 8;
    };
    auto blit = [&](int32_t n, Rastport* quelle, const BlitMode* m) {
        int32_t x, y;
        zelle(n, x, y);
        Rastport_Blit(quelle, 0, 0, -1, -1, bild, x, y, m);
    };
    BlitMode m{};
    blit(0, sp, BlitMode_Default);
    blit(1, sp, BlitMode_Key);
    blit(2, sp, BlitMode_Mask);
    m = *BlitMode_Plane_Colour;
    m.colour = rot;
    blit(3, sp, &m);
    m = *BlitMode_Text;
    m.colour = gelb;
    blit(4, sp, &m);
    blit(5, raute, BlitMode_Shape);
    blit(6, gespiegelt, BlitMode_Mask_Plane_Shape);
    blit(7, sp, BlitMode_Key_Plane);
    blit(8, sp, BlitMode_Plane);
    m = BlitMode{};
    m.grey = 1;
    blit(9, sp, &m);
    m = BlitMode{};
    m.tint = 1, m.colour = blau, m.factor = 64;
    blit(10, sp, &m);
    m = BlitMode{};
    m.key = 1, m.grey = 1;
    blit(11, sp, &m);
    m = BlitMode{};
    m.key = 1, m.tint = 1, m.colour = blau, m.factor = 64;
    blit(12, sp, &m);
    m = BlitMode{};
    m.mask = 1, m.grey = 1;
    blit(13, sp, &m);
    m = BlitMode{};
    m.mask = 1, m.tint = 1, m.colour = rot, m.factor = 96;
    blit(14, sp, &m);
    m = BlitMode{};
    m.mask = 1, m.alpha = 1;
    blit(15, sp, &m);
    int32_t x, y;
    // Half size, plain and mirrored 8-bit shapes, blended shapes.
    zelle(16, x, y);
    Blit_Key16_Half(Rastport_Pixels16(sp), 0, 0, S, S, S, Rastport_Pixels16(bild), x, y, w);
    Blit_Shape16_Half(reinterpret_cast<const uint16_t*>(raute->shape + 36 + 4 * S), Shape_Words(raute->shape, raute->shape_size), 0,
                      S, S, Rastport_Pixels16(bild), x + 16, y + 16, w);
    zelle(17, x, y);
    std::vector<uint8_t> d8;
    uint16_t tabelle[256];
    for (int32_t i = 0; i < 256; ++i) tabelle[i] = Colour_Make(depth, i, 255 - i, 128);
    for (int32_t r = 0; r < 16; ++r) {
        d8.push_back(uint8_t(r));
        d8.push_back(uint8_t(0x80 | (16 - r)));
        for (int32_t k = 0; k < 16 - r; ++k) d8.push_back(uint8_t(k * 16));
    }
    Blit_Shape8(d8.data(), uint32_t(d8.size()), 0, 16, 16, Rastport_Pixels16(bild), x, y, w, tabelle);
    Blit_Shape8_Mirror(d8.data(), uint32_t(d8.size()), 0, 16, 16, Rastport_Pixels16(bild), x + 16, y, w, tabelle);
    Blit_Shape8_Half(d8.data(), uint32_t(d8.size()), 0, 16, 16, Rastport_Pixels16(bild), x, y + 16, w, tabelle);
    Blit_Shape8_Half_Mirror(d8.data(), uint32_t(d8.size()), 0, 16, 16, Rastport_Pixels16(bild), x + 16, y + 16, w,
                            tabelle);
    zelle(18, x, y);
    const auto* rd = reinterpret_cast<const uint16_t*>(raute->shape + 36 + 4 * S);
    const uint32_t rw = Shape_Words(raute->shape, raute->shape_size);
    if (depth == 16) Blit_Shape565_Blend(rd, rw, 0, S, S, Rastport_Pixels16(bild), x, y, w, 64);
    else Blit_Shape555_Blend(rd, rw, 0, S, S, Rastport_Pixels16(bild), x, y, w, 64);
    zelle(19, x, y);
    Blit_Alpha(sp, 0, 0, -1, -1, bild, x, y, 50);   // the sprite has its own plane
    uint8_t* plane = sp->alpha;
    sp->alpha = nullptr;
    Blit_Alpha(sp, 8, 8, 16, 16, bild, x + 16, y + 16, 40);   // temporary plane at 40 %
    sp->alpha = plane;
    zelle(20, x, y);
    Rastport_Blit_Ex(sp, 0, 0, 24, 24, bild, x, y, Schatten_Parameter[0]);
    zelle(21, x, y);
    Schatten_Zeichnen(sp, 0, 0, 24, 24, bild, x, y, 2);
    Rastport_Blit(sp, 0, 0, 24, 24, bild, x, y, BlitMode_Key);
    zelle(22, x, y);
    Rastport_Fill(bild, x, y, 32, 32, gelb, BlitMode_Fill);
    Rastport_Draw_Frame(bild, x + 2, y + 2, 28, 28, blau, 3, nullptr);
    zelle(23, x, y);   // a keyed blit clipped at the sheet's right and bottom edges
    sp->pixels->key_colour = Rastport_Pixels16(sp)[16 * S + 16];
    Rastport_Blit(sp, 0, 0, -1, -1, bild, w - 20, h - 12, BlitMode_Key);
    sp->pixels->key_colour = 0;
    Schatten_Cache_Leeren();
    Rastport_Free(sp);
    Rastport_Free(raute);
    Rastport_Free(gespiegelt);
    Shade_Exit();
    return bild;
}

test::RgbBild Als_Rgb(const Rastport* rp, int32_t depth) {
    test::RgbBild b;
    b.breite = rp->width, b.hoehe = rp->height;
    b.rgb.resize(size_t(b.breite) * b.hoehe * 3);
    const uint16_t* p = Rastport_Pixels16(rp);
    for (size_t i = 0; i < size_t(b.breite) * b.hoehe; ++i) {
        int32_t r5, g, b5, gbits;
        if (depth == 16) r5 = p[i] >> 11, g = (p[i] >> 5) & 63, b5 = p[i] & 31, gbits = 6;
        else r5 = (p[i] >> 10) & 31, g = (p[i] >> 5) & 31, b5 = p[i] & 31, gbits = 5;
        b.rgb[3 * i] = uint8_t(r5 << 3 | r5 >> 2);
        b.rgb[3 * i + 1] = uint8_t(gbits == 6 ? (g << 2 | g >> 4) : (g << 3 | g >> 2));
        b.rgb[3 * i + 2] = uint8_t(b5 << 3 | b5 >> 2);
    }
    return b;
}

TEST(ModeSheet, EveryModeAtBothDepthsMatchesTheReference) {
    const char* daten = test::Testdaten();
    ASSERT_NE(daten, nullptr);
    const bool neu = std::getenv("VELMORA_UPDATE_REFERENCE") != nullptr;
    for (int32_t depth : {15, 16}) {
        Rastport* bild = Mode_Sheet(depth);
        test::RgbBild ist = Als_Rgb(bild, depth);
        Rastport_Free(bild);
        const std::string name = std::string(daten) + "/mode_sheet_" + std::to_string(depth) + ".png";
        if (neu) {
            ASSERT_TRUE(test::Png_Schreiben(name, ist));
            continue;
        }
        test::RgbBild soll;
        ASSERT_TRUE(test::Png_Lesen(name, soll)) << name;
        ASSERT_EQ(soll.breite, ist.breite);
        ASSERT_EQ(soll.hoehe, ist.hoehe);
        size_t falsch = 0, erster = 0;
        for (size_t i = 0; i < ist.rgb.size(); ++i)
            if (ist.rgb[i] != soll.rgb[i] && falsch++ == 0) erster = i / 3;
        if (falsch) {
            std::string aus = (std::filesystem::temp_directory_path() / ("mode_sheet_" + std::to_string(depth) + "_ist.png")).string();
            test::Png_Schreiben(aus, ist);
            ADD_FAILURE() << "depth " << depth << ": " << falsch << " channel values differ, first at pixel ("
                          << erster % ist.breite << ", " << erster / ist.breite << "); drawing written to " << aus;
        }
    }
}

}  // namespace
}  // namespace velmora
