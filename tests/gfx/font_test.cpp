// The font record: reading and writing its file form, damaged entries, the
// type-17 loader with its depth conversion, the font set and the ink extent.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/mem.h"
#include "core/res.h"
#include "gfx/font.h"
#include "tests/gfx/font_support.h"
#include "tests/gfx/grafik_lader.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

TEST(FontRecord, WriteThenReadKeepsEveryField) {
    for (bool tabelle : {false, true}) {
        Font* f = test::Block_Font(16, tabelle);
        f->abstand = 2;
        f->zelle = 7;
        f->fett = 1;
        f->farbe = 0x1234;
        f->eigene_farben = 1;
        const std::vector<uint8_t> datei = Font_Write_Mem(f);
        ASSERT_FALSE(datei.empty());
        EXPECT_EQ(std::memcmp(datei.data(), "FONT", 4), 0);
        EXPECT_EQ(Bytes_Get32(datei.data() + 4 + FONT_OFS_TABELLE), tabelle ? 1u : 0u);
        size_t gelesen = 0;
        Font* g = Font_Read(datei.data(), datei.size(), &gelesen);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(gelesen, datei.size());
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(g->glyph_x[i], f->glyph_x[i]);
            EXPECT_EQ(g->glyph_breite[i], f->glyph_breite[i]);
        }
        EXPECT_EQ(g->baseline, 10);
        EXPECT_EQ(g->farbe, 0x1234);
        EXPECT_EQ(g->abstand, 2);
        EXPECT_EQ(g->zelle, 7);
        EXPECT_EQ(g->fett, 1);
        EXPECT_EQ(g->eigene_farben, 1);
        EXPECT_EQ(g->jede_tiefe, 0);
        ASSERT_EQ(g->tabelle != nullptr, tabelle);
        if (tabelle) {
            EXPECT_EQ(std::memcmp(g->tabelle, f->tabelle, FONT_TABLE_BYTES), 0);
        }
        ASSERT_NE(g->bogen, nullptr);
        EXPECT_EQ(g->bogen->width, f->bogen->width);
        EXPECT_EQ(std::memcmp(g->bogen->pixels->pixels, f->bogen->pixels->pixels, f->bogen->pixels->byte_size), 0);
        Font_Free(g);
        test::Block_Font_Frei(f);
    }
}

TEST(FontRecord, DamagedEntriesGiveNoFont) {
    Font* f = test::Block_Font(16, true);
    const std::vector<uint8_t> gut = Font_Write_Mem(f);
    test::Block_Font_Frei(f);
    const size_t vor_bogen = 4 + FONT_RECORD_BYTES + FONT_TABLE_BYTES;
    struct Fall {
        const char* was;
        std::function<void(std::vector<uint8_t>&)> aendern;
    };
    const Fall faelle[] = {
        {"wrong magic", [](std::vector<uint8_t>& d) { d[0] = 'X'; }},
        {"record cut short", [](std::vector<uint8_t>& d) { d.resize(100); }},
        {"table cut short", [](std::vector<uint8_t>& d) { d.resize(4 + FONT_RECORD_BYTES + 1000); }},
        {"sheet cut short", [&](std::vector<uint8_t>& d) { d.resize(vor_bogen + 20); }},
        {"sheet missing", [&](std::vector<uint8_t>& d) { d.resize(vor_bogen); }},
        {"glyph beyond the sheet",
         [](std::vector<uint8_t>& d) { Bytes_Put32(d.data() + 4 + FONT_OFS_GLYPH_X + 4 * 10, 100000); }},
        {"negative glyph width",
         [](std::vector<uint8_t>& d) { Bytes_Put32(d.data() + 4 + FONT_OFS_GLYPH_BREITE + 4 * 3, uint32_t(-5)); }},
        {"huge spacing", [](std::vector<uint8_t>& d) { Bytes_Put32(d.data() + 4 + FONT_OFS_ABSTAND, 70000); }},
        {"negative cell", [](std::vector<uint8_t>& d) { Bytes_Put32(d.data() + 4 + FONT_OFS_ZELLE, uint32_t(-1)); }},
    };
    const size_t bloecke = Mem_Anzahl_Bloecke();
    for (const Fall& fall : faelle) {
        std::vector<uint8_t> d = gut;
        fall.aendern(d);
        Font* gelesen = Font_Read(d.data(), d.size());
        EXPECT_EQ(gelesen, nullptr) << fall.was;
        Font_Free(gelesen);
    }
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke) << "a refused font leaves no block behind";
    EXPECT_EQ(Font_Read(nullptr, 10), nullptr);
}

TEST(FontRecord, AdvanceFollowsCellTableSpacingAndBold) {
    Font* f = test::Block_Font(16, true);
    f->abstand = 1;
    const int32_t a = 'A' - 32;
    EXPECT_EQ(Font_Advance(f, 'A', false), f->glyph_breite[a] + f->tabelle[a] + 1);
    EXPECT_EQ(Font_Advance(f, 'A', true), f->glyph_breite[a] + f->tabelle[a] + 2);
    EXPECT_EQ(Font_Advance(f, 10, false), 0) << "control characters take no room";
    f->zelle = 11;
    EXPECT_EQ(Font_Advance(f, '7', false), 11);
    EXPECT_EQ(Font_Advance(f, '.', false), Font_Char_Width(f, '.')) << "'.' keeps its own width in a cell";
    EXPECT_EQ(Font_Advance(f, ',', true), Font_Char_Width(f, ',') + 1);
    test::Block_Font_Frei(f);
}

TEST(FontRecord, InkExtentScansTheGlyphColumns) {
    Font* f = test::Block_Font(16);
    int32_t oben = 0;
    EXPECT_EQ(Glyph_Ink_Extent(f, 'A', &oben), test::BLOCK_TINTE_UNTEN - test::BLOCK_TINTE_OBEN + 6);
    EXPECT_EQ(oben, test::BLOCK_TINTE_OBEN - 2);
    EXPECT_EQ(Glyph_Ink_Extent(f, ' ', &oben), 6) << "a glyph without ink";
    EXPECT_EQ(oben, -2);
    test::Block_Font_Frei(f);
    Font* acht = test::Block_Font(8);
    EXPECT_EQ(Glyph_Ink_Extent(acht, 'A', &oben), test::BLOCK_TINTE_UNTEN - test::BLOCK_TINTE_OBEN + 6);
    test::Block_Font_Frei(acht);
}

TEST(FontLoader, SheetIsBroughtToTheScreenDepth) {
    struct Fall {
        int32_t bogen_tiefe;
        bool jede_tiefe;
        int32_t schirm;
        uint32_t erwartet;
    };
    const Fall faelle[] = {
        {16, false, 15, 15}, {16, false, 16, 16}, {8, false, 16, 16}, {8, true, 16, 8}, {8, true, 15, 8},
    };
    for (const Fall& fall : faelle) {
        Font* f = test::Block_Font(fall.bogen_tiefe);
        f->jede_tiefe = fall.jede_tiefe;
        const std::vector<uint8_t> d = Font_Write_Mem(f);
        test::Block_Font_Frei(f);
        Font* g = Font_Res_Laden(d.data(), d.size(), fall.schirm);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(Rastport_Depth(g->bogen), fall.erwartet) << fall.bogen_tiefe << " on " << fall.schirm;
        if (fall.erwartet == 15) {
            // White 5-6-5 ink becomes white 5-5-5 ink; the background stays 0.
            const uint16_t* p = Rastport_Pixels16(g->bogen);
            EXPECT_EQ(p[0], 0);
            EXPECT_EQ(p[size_t(test::BLOCK_TINTE_OBEN) * g->bogen->width + g->glyph_x['A' - 32]] & 0x7FFF, 0x7FFF);
        }
        Font_Free(g);
    }
}

class FontSet : public ::testing::Test {
protected:
    void TearDown() override { Font_Free_Set(); }
    test::GrafikLader lader;
    std::string Schreiben(int32_t anzahl, int32_t kaputt) {
        std::vector<ResDateiEintrag> e;
        for (int32_t i = 0; i < anzahl; ++i) {
            Font* f = test::Block_Font(16);
            f->baseline = 10 + i;
            ResDateiEintrag r;
            r.typ = RES_TYP_FONT;
            r.bytes = Font_Write_Mem(f);
            if (i == kaputt) r.bytes[1] = 'X';
            e.push_back(r);
            test::Block_Font_Frei(f);
        }
        const std::string pfad = dir / "fontres.res";
        EXPECT_TRUE(Res_Schreiben(pfad.c_str(), e));
        return pfad;
    }
    test::TempDir dir;
};

TEST_F(FontSet, LoadsEveryEntryAndReachesThemByNumber) {
    const int32_t slot = Res_Open(Schreiben(5, -1).c_str(), 0);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(Font_Load_Set(slot, 1, 3), 1);
    EXPECT_EQ(Font_Set_Anzahl(), 3);
    for (int32_t n = 0; n < 3; ++n) {
        ASSERT_NE(Font_Get(n), nullptr);
        EXPECT_EQ(Font_Get(n)->baseline, 11 + n) << "entry first + n";
    }
    EXPECT_EQ(Font_Get(3), nullptr) << "outside the set";
    EXPECT_EQ(Font_Get(-1), nullptr);
    EXPECT_EQ(Font_Load_Set(slot, 0, 5), 1) << "a loaded set stays as it is";
    EXPECT_EQ(Font_Set_Anzahl(), 3);
    Res_Close(slot);
    Font_Free_Set();
    EXPECT_EQ(Font_Set_Anzahl(), 0);
    EXPECT_EQ(Font_Get(0), nullptr);
}

TEST_F(FontSet, OneBrokenFontFreesTheWholeSet) {
    const size_t bloecke = Mem_Anzahl_Bloecke();
    const int32_t slot = Res_Open(Schreiben(4, 2).c_str(), 0);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(Font_Load_Set(slot, 0, 4), 0);
    EXPECT_EQ(Font_Set_Anzahl(), 0);
    EXPECT_EQ(Font_Get(0), nullptr);
    EXPECT_EQ(Font_Load_Set(slot, 0, 0), 0) << "count 0 returns the flag";
    Res_Close(slot);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke);
}

TEST_F(FontSet, TheInstallationsFontsLoadAtBothDepths) {
    const int32_t slot = Res_Open(test::Fontres_Pfad().c_str(), 0);
    ASSERT_GE(slot, 0) << test::Fontres_Pfad();
    EXPECT_EQ(Font_Load_Set(slot, 0, FONT_SET_ANZAHL), 1);
    for (int32_t n = 0; n < FONT_SET_ANZAHL; ++n) {
        const Font* f = Font_Get(n);
        ASSERT_NE(f, nullptr) << n;
        EXPECT_GT(f->glyph_breite['A' - 32], 0) << n;
        EXPECT_GT(f->glyph_breite[0xDF - 32], 0) << "sharp s in font " << n;
        EXPECT_GT(f->glyph_breite[0xFC - 32], 0) << "u umlaut in font " << n;
        EXPECT_EQ(Rastport_Depth(f->bogen), f->jede_tiefe ? 8u : 16u);
    }
    Font_Free_Set();
    for (int32_t n = 0; n < FONT_SET_ANZAHL; ++n) {
        Font* f = static_cast<Font*>(Res_Load(slot, n, 15, nullptr));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(Rastport_Depth(f->bogen), f->jede_tiefe ? 8u : 15u);
        Font_Free(f);
    }
    Res_Close(slot);
}

}  // namespace
}  // namespace velmora
