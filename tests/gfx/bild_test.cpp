// Picture folders, pictures by number and the three scalers.
#include "gfx/bild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/dirs.h"
#include "core/mem.h"
#include "gfx/bild_laden.h"
#include "gfx/demobild.h"
#include "gfx/blit.h"
#include "tests/gfx/bild_support.h"
#include "tests/support/dateigrenze.h"

namespace velmora {
namespace {

std::vector<uint8_t> Tga_Bild(int16_t w, int16_t h, uint8_t r, uint8_t g, uint8_t b) {
    test::Tga t;
    t.breite = w;
    t.hoehe = h;
    for (int i = 0; i < w * h; ++i) t.pixel.insert(t.pixel.end(), {b, g, r});
    return t.Bytes();
}

std::vector<uint8_t> Jpeg_Bild(int w, int h) {
    std::vector<uint16_t> px(size_t(w) * h, 0x07E0);
    uint32_t n = 0;
    uint8_t* block = Jpeg_Save_Mem(px.data(), w, h, 16, 90, 0, &n);
    std::vector<uint8_t> d(block, block + n);
    Mem_Free(block);
    return d;
}

TEST(BildOrdner, CountsAndListsNumberedPictures) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    const std::string d = Dirs_Get(DIR_WAPPENBILDER);
    test::Datei_Schreiben(d + "/12345678.jpg", Jpeg_Bild(8, 8));
    test::Datei_Schreiben(d + "/7.jpg", Jpeg_Bild(8, 8));
    test::Datei_Schreiben(d + "/42.tga", Tga_Bild(2, 2, 1, 2, 3));
    test::Datei_Schreiben(d + "/liesmich.txt", {1, 2, 3});
    EXPECT_EQ(Bild_Anzahl(BILD_WAPPEN), 3);
    EXPECT_EQ(Bild_Anzahl(BILD_SPIELER), 0);
    EXPECT_EQ(Bild_Anzahl(9), 0);
    int32_t nummern[8] = {};
    ASSERT_EQ(Bild_Liste(8, nummern, BILD_WAPPEN), 3);
    std::vector<int32_t> jpg(nummern, nummern + 2);
    std::sort(jpg.begin(), jpg.end());
    EXPECT_EQ(jpg, (std::vector<int32_t>{7, 12345}));   // eight digits read as their first five
    EXPECT_EQ(nummern[2], 42);                          // the TGA names come after the JPEG names
    EXPECT_EQ(Bild_Liste(2, nummern, BILD_WAPPEN), 2);
    EXPECT_EQ(Bild_Liste(0, nummern, BILD_WAPPEN), 0);
}

TEST(BildLaden, JpegFirstThenTgaAtTheScreenDepth) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    std::vector<uint16_t> schirm(800 * 600);
    Rastport_Screen_Setup(800, 600, schirm.data());
    const std::string d = Dirs_Get(DIR_SPIELERBILDER);
    test::Datei_Schreiben(d + "/5.jpg", Jpeg_Bild(10, 6));
    test::Datei_Schreiben(d + "/5.tga", Tga_Bild(3, 3, 255, 0, 0));
    test::Datei_Schreiben(d + "/6.tga", Tga_Bild(4, 2, 255, 0, 0));
    test::Datei_Schreiben(d + "/8.tga", {1, 2, 3});   // header cut short
    Rastport* a = Bild_Laden(5, 0, BILD_SPIELER);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->width, 10u);
    EXPECT_EQ(a->height, 6u);
    EXPECT_EQ(Rastport_Depth(a), 16u);
    Rastport* b = Bild_Laden(6, 0, BILD_SPIELER);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->width, 4u);
    EXPECT_EQ(Rastport_Pixels16(b)[7], 0xF800);
    EXPECT_EQ(Bild_Laden(7, 0, BILD_SPIELER), nullptr);
    EXPECT_EQ(Bild_Laden(8, 0, BILD_SPIELER), nullptr);
    EXPECT_EQ(Bild_Laden(5, 0, 4), nullptr);
    Rastport_Free(a);
    Rastport_Free(b);
}

// The demo world's photo and crest picture, written by the codec's encoder into
// the user's picture folders, come back through the picture loader as drawn,
// within the codec's tolerance (mean and largest difference per 8-bit channel).
TEST(BildLaden, DemoPicturesLoadAsDrawn) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    std::vector<uint16_t> schirm(800 * 600);
    Rastport_Screen_Setup(800, 600, schirm.data());
    const uint8_t farben[6] = {200, 30, 36, 240, 240, 240};
    struct Fall {
        Rastport* (*malen)(int32_t, const uint8_t*);
        int32_t ordner, verz, nummer;
    } faelle[] = {{Demobild_Foto, BILD_SPIELER, DIR_SPIELERBILDER, 7}, {Demobild_Wappen, BILD_WAPPEN, DIR_WAPPENBILDER, 25}};
    for (const Fall& f : faelle) {
        Rastport* quelle = f.malen(f.nummer, farben);
        ASSERT_NE(quelle, nullptr);
        const std::vector<uint16_t> soll(Rastport_Pixels16(quelle), Rastport_Pixels16(quelle) + quelle->width * quelle->height);
        const uint32_t w = quelle->width, h = quelle->height;
        ASSERT_TRUE(Demobild_Schreiben(quelle, Dirs_Get(f.verz), f.nummer));
        Rastport* ist = Bild_Laden(f.nummer, 0, f.ordner);
        ASSERT_NE(ist, nullptr);
        ASSERT_EQ(ist->width, w);
        ASSERT_EQ(ist->height, h);
        double summe = 0;
        int groesste = 0;
        for (size_t i = 0; i < soll.size(); ++i) {
            uint8_t a[3], b[3];
            Row_565_To_RGB(&soll[i], &a[0], &a[1], &a[2], 1);
            Row_565_To_RGB(&Rastport_Pixels16(ist)[i], &b[0], &b[1], &b[2], 1);
            for (int c = 0; c < 3; ++c) {
                summe += std::abs(a[c] - b[c]);
                groesste = std::max(groesste, std::abs(a[c] - b[c]));
            }
        }
        // Measured: mean 3.6 and 3.1, largest 40 (grain and 5-6-5 steps included).
        EXPECT_LT(summe / double(soll.size() * 3), 5.0) << f.nummer;
        EXPECT_LE(groesste, 48) << f.nummer;
        Rastport_Free(ist);
    }
}

// A demo picture that finds no room (a full disk; here a file-size limit
// below its size) fails with its file and the system's reason and leaves
// nothing under its name, no cut picture the game would copy and keep, and
// no temporary file. With room it is written whole.
TEST(BildLaden, ADemoPictureWithoutRoomFailsWithItsReasonAndLeavesNoFile) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    const std::string ordner = std::string(Dirs_Get(DIR_TEMP)) + "/demobilder";
    const uint8_t farben[6] = {200, 30, 36, 240, 240, 240};
    EXPECT_EQ(test::Unter_Dateigrenze(512, [&] {
                  std::string grund;
                  const bool ok = Demobild_Schreiben(Demobild_Foto(3760, farben), ordner, 3760, &grund);
                  return !ok && grund == ordner + "/3760.jpg: cannot be written (File too large)";
              }),
              0);
    ASSERT_TRUE(std::filesystem::is_directory(ordner));
    for (const auto& e : std::filesystem::directory_iterator(ordner)) ADD_FAILURE() << "left behind: " << e.path();
    ASSERT_TRUE(Demobild_Schreiben(Demobild_Foto(3760, farben), ordner, 3760));
    EXPECT_GT(std::filesystem::file_size(ordner + "/3760.jpg"), 512u);
}

TEST(BildLaden, InstalledTrophyPictureIsFoundByNumber) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    std::filesystem::create_directories(Dirs_Get(DIR_INSTALL_WAPPEN));
    test::Datei_Schreiben(std::string(Dirs_Get(DIR_INSTALL_WAPPEN)) + "/20.tga", Tga_Bild(66, 66, 0, 0, 255));
    EXPECT_EQ(Wappen_Datei_Existiert(20), 1);
    EXPECT_EQ(Wappen_Datei_Existiert(21), 0);
}

Rastport* Flaeche(int w, int h, uint16_t farbe) {
    Rastport* rp = Rastport_Create(w, h, 16, 0, 0);
    std::fill(Rastport_Pixels16(rp), Rastport_Pixels16(rp) + w * h, farbe);
    return rp;
}

void Rgb(uint16_t p, int* r, int* g, int* b) {
    uint8_t rr, gg, bb;
    Row_565_To_RGB(&p, &rr, &gg, &bb, 1);
    *r = rr, *g = gg, *b = bb;
}

TEST(BildSkalieren, BlackBorderLetsTheBackgroundShowThrough) {
    // 4 x 4 source: a black border round a red 2 x 2 centre.
    Rastport* q = Flaeche(4, 4, 0);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x) Rastport_Pixels16(q)[y * 4 + x] = 0xF800;
    Rastport* z = Flaeche(2, 2, 0x07E0);   // green background
    ASSERT_EQ(Bild_Skalieren(q, z), 1);
    int rr, rg, rb, gr, gg, gb;
    Rgb(0xF800, &rr, &rg, &rb);
    Rgb(0x07E0, &gr, &gg, &gb);
    // Each 2 x 2 block holds one red and three black pixels: the black ones take green.
    uint16_t soll;
    uint8_t r = uint8_t((rr + 3 * gr) / 4), g = uint8_t((rg + 3 * gg) / 4), b = uint8_t((rb + 3 * gb) / 4);
    Row_RGB_To_565(&r, &g, &b, &soll, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Rastport_Pixels16(z)[i], soll);
    // The same by plain averaging: black counts as black.
    std::fill(Rastport_Pixels16(z), Rastport_Pixels16(z) + 4, 0x07E0);
    ASSERT_EQ(Bild_Skalieren_Mittel(q, z), 1);
    r = uint8_t(rr / 4), g = uint8_t(rg / 4), b = uint8_t(rb / 4);
    Row_RGB_To_565(&r, &g, &b, &soll, 1);
    EXPECT_EQ(Rastport_Pixels16(z)[0], soll);
    // A block with nothing but black stays black (transparent).
    Rastport* schwarz = Flaeche(4, 4, 0);
    std::fill(Rastport_Pixels16(z), Rastport_Pixels16(z) + 4, 0x07E0);
    ASSERT_EQ(Bild_Skalieren(schwarz, z), 1);
    EXPECT_EQ(Rastport_Pixels16(z)[3], 0);
    Rastport_Free(schwarz);
    Rastport_Free(q);
    Rastport_Free(z);
}

TEST(BildSkalieren, AveragingRefusesToGrowOrOversize) {
    Rastport* q = Flaeche(8, 8, 0x1234);
    Rastport* gross = Flaeche(9, 4, 0);
    Rastport* riesig_q = Flaeche(1100, 10, 0x1234);
    Rastport* riesig_z = Flaeche(1024, 5, 0);
    EXPECT_EQ(Bild_Skalieren(q, gross), 0);
    EXPECT_EQ(Bild_Skalieren_Mittel(q, gross), 0);
    EXPECT_EQ(Bild_Skalieren(riesig_q, riesig_z), 0);
    EXPECT_EQ(Bild_Skalieren(nullptr, gross), 0);
    EXPECT_EQ(Rastport_Pixels16(gross)[0], 0);
    Rastport* gleich = Flaeche(8, 8, 0);
    ASSERT_EQ(Bild_Skalieren_Mittel(q, gleich), 1);   // the same size is a copy
    EXPECT_EQ(Rastport_Pixels16(gleich)[63], 0x1234);
    for (Rastport* rp : {q, gross, riesig_q, riesig_z, gleich}) Rastport_Free(rp);
}

TEST(BildSkalieren, NearestNeighbourUpAndDownAtBothWidths) {
    Rastport* q = Rastport_Create(2, 2, 16, 0, 0);
    const uint16_t px[4] = {1, 2, 3, 4};
    std::copy(px, px + 4, Rastport_Pixels16(q));
    Rastport* z = Flaeche(4, 4, 0);
    ASSERT_EQ(Bild_Skalieren_Punkt(q, z, 4, 4), 1);
    const std::vector<uint16_t> soll = {1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4};
    EXPECT_EQ(std::vector<uint16_t>(Rastport_Pixels16(z), Rastport_Pixels16(z) + 16), soll);
    // Down: every second pixel of every second row.
    Rastport* klein = Flaeche(2, 2, 0);
    ASSERT_EQ(Bild_Skalieren_Punkt(z, klein, 2, 2), 1);
    EXPECT_EQ(std::vector<uint16_t>(Rastport_Pixels16(klein), Rastport_Pixels16(klein) + 4), (std::vector<uint16_t>{1, 2, 3, 4}));
    // 8-bit bitmaps by bytes.
    Rastport* q8 = Rastport_Create(2, 1, 8, 0, 0);
    Rastport* z8 = Rastport_Create(4, 1, 8, 0, 0);
    static_cast<uint8_t*>(q8->pixels->pixels)[0] = 7;
    static_cast<uint8_t*>(q8->pixels->pixels)[1] = 9;
    ASSERT_EQ(Bild_Skalieren_Punkt(q8, z8, 4, 1), 1);
    const uint8_t* p8 = static_cast<const uint8_t*>(z8->pixels->pixels);
    EXPECT_EQ(std::vector<uint8_t>(p8, p8 + 4), (std::vector<uint8_t>{7, 7, 9, 9}));
    // Sizes out of range and a target too small are refused.
    EXPECT_EQ(Bild_Skalieren_Punkt(q, z, 0, 4), 0);
    EXPECT_EQ(Bild_Skalieren_Punkt(q, z, 1025, 4), 0);
    EXPECT_EQ(Bild_Skalieren_Punkt(q, klein, 4, 4), 0);
    EXPECT_EQ(Bild_Skalieren_Punkt(q, z8, 4, 1), 0);   // depths differ
    for (Rastport* rp : {q, z, klein, q8, z8}) Rastport_Free(rp);
}

}  // namespace
}  // namespace velmora
