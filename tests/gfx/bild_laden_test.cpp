// JPEG and TGA pictures decoded into bitmap pixels.
#include "gfx/bild_laden.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/mem.h"
#include "gfx/colour.h"
#include "gfx/rastport.h"
#include "tests/gfx/bild_support.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

using test::Tga;

uint16_t P565(int r, int g, int b) { return uint16_t((r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3); }
uint16_t P555(int r, int g, int b) { return uint16_t((r >> 3) << 10 | (g >> 3) << 5 | b >> 3); }

// A 3 x 2 picture with six different colours, (r, g, b) per pixel in row order.
const int FARBEN[6][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {16, 128, 200}, {255, 255, 255}};

// The picture as TGA pixels of `bits`, rows bottom-up unless `von_oben`.
std::vector<uint8_t> Pixel(int bits, bool von_oben) {
    std::vector<uint8_t> d;
    for (int zeile = 0; zeile < 2; ++zeile) {
        const int y = von_oben ? zeile : 1 - zeile;
        for (int x = 0; x < 3; ++x) {
            const int* f = FARBEN[y * 3 + x];
            if (bits == 16) {
                const uint16_t p = uint16_t(0x8000 | P555(f[0], f[1], f[2]));   // attribute bit set
                d.push_back(uint8_t(p));
                d.push_back(uint8_t(p >> 8));
            } else {
                d.push_back(uint8_t(f[2]));
                d.push_back(uint8_t(f[1]));
                d.push_back(uint8_t(f[0]));
                if (bits == 32) d.push_back(0x77);
            }
        }
    }
    return d;
}

TEST(BildRgb, ConvertsToEachDepthByItsFormula) {
    const uint8_t rgb[6] = {0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF};
    uint16_t z[2];
    ASSERT_EQ(Bild_RGB_Konvertieren(rgb, z, 2, 1, 16), 1);
    EXPECT_EQ(z[0], 0x11AA);
    EXPECT_EQ(z[1], 0xFFFF);
    ASSERT_EQ(Bild_RGB_Konvertieren(rgb, z, 2, 1, 15), 1);
    EXPECT_EQ(z[0], 0x08CA);
    EXPECT_EQ(z[1], 0x7FFF);
    uint8_t z24[6] = {};
    ASSERT_EQ(Bild_RGB_Konvertieren(rgb, z24, 2, 1, 24), 1);
    EXPECT_EQ(std::memcmp(z24, rgb, 6), 0);
    EXPECT_EQ(Bild_RGB_Konvertieren(rgb, z, 2, 1, 8), 0);
}

struct TgaFall {
    const char* name;
    uint8_t typ, bits, beschreibung;
    int tiefe;
};

TEST(TgaLoad, ReadsEveryServedDepthPlainAndRunLengthCoded) {
    const TgaFall faelle[] = {
        {"24 bottom-up to 16", 2, 24, 0, 16},  {"24 top-down to 16", 2, 24, 0x20, 16},
        {"24 to 15", 2, 24, 0, 15},            {"32 to 16", 2, 32, 8, 16},
        {"32 top-down to 15", 2, 32, 0x28, 15}, {"16 to 15", 2, 16, 0, 15},
        {"16 to 16", 2, 16, 0, 16},            {"RLE 24 to 16", 10, 24, 0, 16},
        {"RLE 32 top-down to 16", 10, 32, 0x28, 16}, {"RLE 16 to 15", 10, 16, 0, 15},
    };
    for (const TgaFall& f : faelle) {
        SCOPED_TRACE(f.name);
        Tga t;
        t.typ = f.typ;
        t.bits = f.bits;
        t.beschreibung = f.beschreibung;
        t.breite = 3;
        t.hoehe = 2;
        t.pixel = Pixel(f.bits, (f.beschreibung & 0x20) != 0);
        if (f.typ == 10) t.pixel = test::Rle(t.pixel, f.bits / 8);
        const std::vector<uint8_t> d = t.Bytes();
        uint16_t z[6] = {};
        ASSERT_EQ(Tga_Load_Mem(d.data(), d.size(), z, f.tiefe, nullptr), 1);
        for (int i = 0; i < 6; ++i) {
            const int* c = FARBEN[i];
            uint16_t soll = f.tiefe == 15 ? P555(c[0], c[1], c[2]) : P565(c[0], c[1], c[2]);
            if (f.bits == 16 && f.tiefe == 16) {   // 5-5-5 widened: green's lowest bit stays clear
                const uint16_t p = P555(c[0], c[1], c[2]);
                soll = uint16_t((p & 0x7C00) << 1 | (p & 0x03E0) << 1 | (p & 0x1F));
            }
            EXPECT_EQ(z[i], soll) << "pixel " << i;
        }
    }
}

TEST(TgaLoad, EightBitPictureFollowsItsDescriptorAndPalette) {
    Tga t;
    t.typ = 1;
    t.bits = 8;
    t.breite = 2;
    t.hoehe = 2;
    t.palette = {0, 0, 0, 0, 0, 255, 0, 255, 0, 255, 0, 0};   // black, red, green, blue (stored b, g, r)
    t.pixel = {1, 2, 3, 0};                                    // first stored row, then the second
    for (uint8_t beschreibung : {uint8_t(0), uint8_t(0x20)}) {
        SCOPED_TRACE(int(beschreibung));
        t.beschreibung = beschreibung;
        const std::vector<uint8_t> d = t.Bytes();
        uint16_t z[4] = {9, 9, 9, 9};
        ASSERT_EQ(Tga_Load_Mem(d.data(), d.size(), z, 16, nullptr), 1);
        const uint16_t rot = P565(255, 0, 0), gruen = P565(0, 255, 0), blau = P565(0, 0, 255);
        if (beschreibung == 0x20) EXPECT_EQ(std::vector<uint16_t>(z, z + 4), (std::vector<uint16_t>{rot, gruen, blau, 0}));
        else EXPECT_EQ(std::vector<uint16_t>(z, z + 4), (std::vector<uint16_t>{blau, 0, rot, gruen}));
    }
    // Into an 8-bit target: the indices, and the palette as 6-bit values.
    t.beschreibung = 0x20;
    const std::vector<uint8_t> d = t.Bytes();
    uint8_t z8[4] = {};
    uint8_t palette[768];
    ASSERT_EQ(Tga_Load_Mem(d.data(), d.size(), z8, 8, palette), 1);
    EXPECT_EQ(std::vector<uint8_t>(z8, z8 + 4), (std::vector<uint8_t>{1, 2, 3, 0}));
    EXPECT_EQ(palette[3], 63);   // red of entry 1
    EXPECT_EQ(palette[4], 0);
    EXPECT_EQ(palette[11], 63);  // blue of entry 3
}

TEST(TgaLoad, TwentyFourBitTargetKeepsTheFilesBytesAndRows) {
    Tga t;
    t.breite = 3;
    t.hoehe = 2;
    t.pixel = Pixel(24, false);
    const std::vector<uint8_t> d = t.Bytes();
    std::vector<uint8_t> z(18, 0);
    ASSERT_EQ(Tga_Load_Mem(d.data(), d.size(), z.data(), 24, nullptr), 1);
    EXPECT_EQ(z, t.pixel);
}

TEST(TgaLoad, IdentificationFieldIsSkipped) {
    Tga t;
    t.id_laenge = 5;
    t.breite = 3;
    t.hoehe = 2;
    t.pixel = Pixel(24, false);
    const std::vector<uint8_t> d = t.Bytes();
    uint16_t z[6] = {};
    ASSERT_EQ(Tga_Load_Mem(d.data(), d.size(), z, 16, nullptr), 1);
    EXPECT_EQ(z[0], P565(255, 0, 0));
    EXPECT_EQ(z[5], P565(255, 255, 255));
}

TEST(TgaLoad, BrokenFilesAreRefusedOrLeaveTheRestUntouched) {
    Tga gut;
    gut.breite = 3;
    gut.hoehe = 2;
    gut.pixel = Pixel(24, false);
    const std::vector<uint8_t> ganz = gut.Bytes();
    uint16_t z[6];
    // Short header.
    EXPECT_EQ(Tga_Load_Mem(ganz.data(), 17, z, 16, nullptr), 0);
    // Sizes of zero or below.
    for (int16_t w : {int16_t(0), int16_t(-3)}) {
        Tga t = gut;
        t.breite = w;
        const std::vector<uint8_t> d = t.Bytes();
        EXPECT_EQ(Tga_Load_Mem(d.data(), d.size(), z, 16, nullptr), 0);
    }
    // A depth pair no reader serves.
    EXPECT_EQ(Tga_Load_Mem(ganz.data(), ganz.size(), z, 8, nullptr), 0);
    Tga zwoelf = gut;
    zwoelf.bits = 12;
    const std::vector<uint8_t> d12 = zwoelf.Bytes();
    EXPECT_EQ(Tga_Load_Mem(d12.data(), d12.size(), z, 16, nullptr), 0);
    // A colour map that runs past the end.
    Tga pal;
    pal.typ = 1;
    pal.bits = 8;
    pal.breite = 2;
    pal.hoehe = 1;
    pal.palette.assign(30, 1);
    std::vector<uint8_t> dp = pal.Bytes();
    dp.resize(18 + 20);
    EXPECT_EQ(Tga_Load_Mem(dp.data(), dp.size(), z, 16, nullptr), 0);
    // Pixels that end early: the first rows read (the bottom row first), the rest as it was.
    for (int i = 0; i < 6; ++i) z[i] = 0x1234;
    ASSERT_EQ(Tga_Load_Mem(ganz.data(), 18 + 3 * 3 + 2, z, 16, nullptr), 1);
    EXPECT_EQ(z[3], P565(255, 255, 0));
    EXPECT_EQ(z[5], P565(255, 255, 255));
    EXPECT_EQ(z[0], 0x1234);
    // A run-length packet that promises more than the data hold.
    Tga rle = gut;
    rle.typ = 10;
    rle.pixel = {0x85, 1, 2};   // a repeat packet cut inside its pixel
    const std::vector<uint8_t> dr = rle.Bytes();
    for (int i = 0; i < 6; ++i) z[i] = 0x1234;
    EXPECT_EQ(Tga_Load_Mem(dr.data(), dr.size(), z, 16, nullptr), 1);
    EXPECT_EQ(z[0], 0x1234);
    EXPECT_EQ(z[3], 0x1234);
}

TEST(TgaFile, SizeAndPixelsComeFromTheFile) {
    velmora_test::TempVerz tmp;
    Tga t;
    t.breite = 3;
    t.hoehe = 2;
    t.bits = 32;
    t.pixel = Pixel(32, false);
    test::Datei_Schreiben(tmp / "bild.tga", t.Bytes());
    int32_t bits = 0, w = 0, h = 0;
    ASSERT_EQ(Tga_Get_Size((tmp / "bild.tga").c_str(), &bits, &w, &h), 1);
    EXPECT_EQ(bits, 32);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    uint16_t z[6] = {};
    ASSERT_EQ(Tga_Load((tmp / "bild.tga").c_str(), z, 16, nullptr), 1);
    EXPECT_EQ(z[4], P565(16, 128, 200));
    EXPECT_EQ(Tga_Get_Size((tmp / "fehlt.tga").c_str(), &bits, &w, &h), 0);
    EXPECT_EQ(Tga_Load((tmp / "fehlt.tga").c_str(), z, 16, nullptr), 0);
}

TEST(TgaFile, PlaceholderSizeIsReadAtDepthSixteenAndLoadsNothing) {
    velmora_test::TempVerz tmp;
    Tga t;
    t.breite = 300;   // past one byte: both bytes of the field count
    t.hoehe = 2;
    t.bits = 24;
    for (int i = 0; i < 600; ++i) t.pixel.insert(t.pixel.end(), {1, 2, 3});
    const std::vector<uint8_t> bytes = t.Bytes();
    test::Datei_Schreiben(tmp / "dummy.tga", bytes);
    test::Datei_Schreiben(tmp / "kurz.tga", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10));
    struct Fall {
        const char* name;
        int32_t ergebnis, w, h, tiefe;
    };
    const Fall faelle[] = {{"dummy.tga", 1, 300, 2, 16}, {"fehlt.tga", 0, -1, -1, -1}, {"kurz.tga", 0, -1, -1, -1}};
    for (const Fall& f : faelle) {
        int32_t w = -1, h = -1, tiefe = -1;
        EXPECT_EQ(TGA_Groesse((tmp / f.name).c_str(), &w, &h, &tiefe), f.ergebnis) << f.name;
        EXPECT_EQ(w, f.w) << f.name;
        EXPECT_EQ(h, f.h) << f.name;
        EXPECT_EQ(tiefe, f.tiefe) << f.name;
    }
    EXPECT_EQ(TGA_Groesse(nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Dummy_Bild_Laden("spieler"), nullptr);
    EXPECT_EQ(Dummy_Bild_Laden(nullptr), nullptr);
}

// A picture encoded by the codec at full quality without subsampling.
std::vector<uint8_t> Jpeg_Von(const std::vector<uint16_t>& px, int w, int h) {
    uint32_t groesse = 0;
    uint8_t* block = Jpeg_Save_Mem(px.data(), w, h, 16, 100, 0, &groesse);
    std::vector<uint8_t> d;
    if (block) d.assign(block, block + groesse);
    Mem_Free(block);
    return d;
}

std::vector<uint16_t> Testbild(int w, int h) {
    std::vector<uint16_t> px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = P565(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1), 96);
    return px;
}

void Nahe(uint16_t ist, uint16_t soll, int toleranz) {
    EXPECT_NEAR(ist >> 11, soll >> 11, toleranz);
    EXPECT_NEAR((ist >> 5) & 63, (soll >> 5) & 63, 2 * toleranz);
    EXPECT_NEAR(ist & 31, soll & 31, toleranz);
}

TEST(JpegLoad, ThreeByTwoPictureGivesSixPixelsInRowOrder) {
    std::vector<uint16_t> px(6);
    for (int i = 0; i < 6; ++i) px[size_t(i)] = P565(FARBEN[i][0], FARBEN[i][1], FARBEN[i][2]);
    const std::vector<uint8_t> jpg = Jpeg_Von(px, 3, 2);
    ASSERT_FALSE(jpg.empty());
    int32_t bits = 0, w = 0, h = 0;
    ASSERT_EQ(Jpeg_Get_Size_Mem(jpg.data(), int32_t(jpg.size()), &bits, &w, &h), 1);
    EXPECT_EQ(bits, 24);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    uint16_t z[6] = {};
    ASSERT_EQ(Jpeg_Load_Mem(jpg.data(), int32_t(jpg.size()), z, 16), 1);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        Nahe(z[i], px[size_t(i)], 3);
    }
}

TEST(JpegLoad, FileLoadsAtBothDepths) {
    velmora_test::TempVerz tmp;
    const std::vector<uint16_t> px = Testbild(20, 12);
    test::Datei_Schreiben(tmp / "bild.jpg", Jpeg_Von(px, 20, 12));
    int32_t bits = 0, w = 0, h = 0;
    ASSERT_EQ(Jpeg_Get_Size((tmp / "bild.jpg").c_str(), &bits, &w, &h), 1);
    ASSERT_EQ(w, 20);
    ASSERT_EQ(h, 12);
    std::vector<uint16_t> z16(240), z15(240);
    ASSERT_EQ(Jpeg_Load((tmp / "bild.jpg").c_str(), z16.data(), 16), 1);
    ASSERT_EQ(Jpeg_Load((tmp / "bild.jpg").c_str(), z15.data(), 15), 1);
    for (size_t i = 0; i < px.size(); i += 37) {
        Nahe(z16[i], px[i], 2);
        Nahe(Colour_555_To_565(z15[i]), px[i], 2);
    }
    EXPECT_EQ(Jpeg_Get_Size((tmp / "fehlt.jpg").c_str(), &bits, &w, &h), 0);
}

TEST(JpegLoad, DamagedStreamIsRefused) {
    const std::vector<uint16_t> px = Testbild(16, 16);
    std::vector<uint8_t> jpg = Jpeg_Von(px, 16, 16);
    ASSERT_GT(jpg.size(), 40u);
    std::vector<uint16_t> z(256, 0x4321);
    // Not a JPEG at all.
    std::vector<uint8_t> kein(64, 0x55);
    EXPECT_EQ(Jpeg_Get_Size_Mem(kein.data(), int32_t(kein.size()), nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Jpeg_Load_Mem(kein.data(), int32_t(kein.size()), z.data(), 16), 0);
    EXPECT_EQ(z[0], 0x4321);
    // Cut behind its header.
    EXPECT_EQ(Jpeg_Load_Mem(jpg.data(), 20, z.data(), 16), 0);
    EXPECT_EQ(Jpeg_Load_Mem(nullptr, 100, z.data(), 16), 0);
    // Cut inside its data: refused; only its end marker missing: shown whole.
    EXPECT_EQ(Jpeg_Load_Mem(jpg.data(), int32_t(jpg.size()) - 20, z.data(), 16), 0);
    std::vector<uint16_t> ganz(256), ohne(256);
    ASSERT_EQ(Jpeg_Load_Mem(jpg.data(), int32_t(jpg.size()), ganz.data(), 16), 1);
    ASSERT_EQ(Jpeg_Load_Mem(jpg.data(), int32_t(jpg.size()) - 2, ohne.data(), 16), 1);
    EXPECT_EQ(ganz, ohne);
    // A frame wider or taller than 4096 pixels counts as an unreadable size.
    size_t sof = 2;
    while (sof + 9 < jpg.size() && !(jpg[sof] == 0xFF && (jpg[sof + 1] & 0xFC) == 0xC0)) ++sof;
    ASSERT_LT(sof + 9, jpg.size());
    for (int seite : {5, 7}) {
        std::vector<uint8_t> gross = jpg;
        gross[size_t(sof) + size_t(seite)] = 4097 >> 8, gross[size_t(sof) + size_t(seite) + 1] = 4097 & 255;
        EXPECT_EQ(Jpeg_Get_Size_Mem(gross.data(), int32_t(gross.size()), nullptr, nullptr, nullptr), 0) << seite;
    }
}

TEST(JpegLoad, PackedBitmapUnpacksThroughTheHooks) {
    test::GrafikLader lader;
    Rastport* rp = Rastport_Create(24, 16, 16, 0, 0);
    ASSERT_NE(rp, nullptr);
    const std::vector<uint16_t> px = Testbild(24, 16);
    std::memcpy(Rastport_Pixels16(rp), px.data(), px.size() * 2);
    rp->pixels->keep_pixels = 0;
    ASSERT_EQ(PixelBuffer_Pack(rp->pixels, PACK_JPEG), 1);
    EXPECT_EQ(rp->pixels->pixels, nullptr);
    ASSERT_EQ(Rastport_Lock(rp), 1);
    const uint16_t* p = Rastport_Pixels16(rp);
    ASSERT_NE(p, nullptr);
    for (size_t i = 0; i < px.size(); i += 29) Nahe(p[i], px[i], 2);
    Rastport_Unlock(rp);
    Rastport_Free(rp);
}

}  // namespace
}  // namespace velmora
