// Drawing and measuring marked-up text with the block font, whose glyphs are
// solid blocks, so every position and width can be read off the pixels.
#include <gtest/gtest.h>

#include <string>

#include "core/mem.h"
#include "gfx/blit.h"
#include "gfx/text_markup.h"
#include "tests/gfx/font_support.h"

namespace velmora {
namespace {

constexpr int32_t W = 400, H = 80;

struct Zeichnung : ::testing::Test {
    Rastport* rp = Rastport_Create(W, H, 16, 0, 0);
    Font* f = test::Block_Font(16);
    Zeichnung() { Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr); }
    ~Zeichnung() override {
        Rastport_Free(rp);
        test::Block_Font_Frei(f);
    }
    uint16_t Pixel(int32_t x, int32_t y) const { return Rastport_Pixels16(rp)[y * W + x]; }
    // The inked columns [links, rechts] over the rows y0..y1; -1 when nothing.
    void Spalten(int32_t& links, int32_t& rechts, int32_t y0 = 0, int32_t y1 = H - 1) const {
        links = rechts = -1;
        for (int32_t x = 0; x < W; ++x)
            for (int32_t y = y0; y <= y1; ++y)
                if (Pixel(x, y)) {
                    if (links < 0) links = x;
                    rechts = x;
                    break;
                }
    }
    int32_t Erste_Zeile() const {
        for (int32_t y = 0; y < H; ++y)
            for (int32_t x = 0; x < W; ++x)
                if (Pixel(x, y)) return y;
        return -1;
    }
    void Leeren() { Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr); }
};

// Ink of row y: baseline 10 at y 20 puts the glyph's top at 10, ink from row 12.
constexpr int32_t Y = 20, TINTE = Y - 10 + test::BLOCK_TINTE_OBEN;

using TextPrintf = Zeichnung;

TEST_F(TextPrintf, RefusesWhatItCannotDraw) {
    EXPECT_EQ(Text_Printf(nullptr, f, "A", 0, Y), 0);
    EXPECT_EQ(Text_Printf(rp, nullptr, "A", 0, Y), 0);
    EXPECT_EQ(Text_Printf(rp, f, nullptr, 0, Y), 0);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
#pragma GCC diagnostic ignored "-Wformat-security"
    EXPECT_EQ(Text_Printf(rp, f, "", 0, Y), 0);
#pragma GCC diagnostic pop
    Rastport* bogen = f->bogen;
    f->bogen = nullptr;
    EXPECT_EQ(Text_Printf(rp, f, "A", 0, Y), 0) << "font without sheet";
    f->bogen = bogen;
    Rastport* fuenfzehn = Rastport_Create(50, 30, 15, 0, 0);
    EXPECT_EQ(Text_Printf(fuenfzehn, f, "A", 0, Y), 0) << "a 16-bit sheet on a 15-bit target";
    Font* acht = test::Block_Font(8);
    EXPECT_EQ(Text_Printf(fuenfzehn, acht, "A", 0, Y), 1) << "an any-depth font draws on any depth";
    test::Block_Font_Frei(acht);
    Rastport_Free(fuenfzehn);
    int32_t l, r;
    Spalten(l, r);
    EXPECT_EQ(l, -1) << "nothing was drawn";
    EXPECT_EQ(Text_Printf(rp, f, "%s=%d", 5, Y, "A", 7), 1);
    Spalten(l, r);
    EXPECT_EQ(l, 5);
    EXPECT_EQ(r, 5 + Text_Width(f, "A=7") - 1) << "formatted before drawing";
}

TEST_F(TextPrintf, OverlongTextIsCutAt1023Characters) {
    const std::string lang(3000, 'i');
    EXPECT_EQ(Text_Printf(rp, f, "%s", 0, Y, lang.c_str()), 1);
}

TEST_F(TextPrintf, ColourCodesFollowTheCallColourRules) {
    struct Fall {
        const char* text;
        uint16_t farbe;   // of the glyph "A" at x 0
    };
    const Fall faelle[] = {
        {"A", 0xFFFF},
        {"^c12345A", 12345},
        {"^c00000A", 1},                                 // the previous colour starts as 1
        {"^c00100^c00200^c00000A", 100},
        {"^ic12345^c00001A", 12345},                     // fixed against ^c
        {"^ic12345^c00001^y0000A", 1},                   // ^y takes the last ^c
        {"^ic12345^c00000A", 1},                         // ^c00000 also when fixed
    };
    for (const Fall& fall : faelle) {
        Leeren();
        f->farbe = 0xFFFF;
        Text_Printf(rp, f, "%s", 0, Y, fall.text);
        EXPECT_EQ(Pixel(0, TINTE), fall.farbe) << fall.text;
        EXPECT_EQ(f->farbe, fall.farbe) << fall.text << ": the colour stays in the font";
    }
}

TEST_F(TextPrintf, TabStopsPlaceTheRestOfTheLine) {
    struct Fall {
        const char* text;
        int32_t links;
    };
    const int32_t w = Text_Width(f, "Wort");
    const Fall faelle[] = {
        {"^tr0100Wort", 10 + 100 - w},
        {"^tz0100Wort", 10 + 100 - w / 2},
        {"^tl0100Wort", 10 + 100},
        {"^ta0030Wort", 10 + 30},
        {"^tr0100Wort^tl0200x", 10 + 100 - w},           // the measure stops at the next tab
    };
    for (const Fall& fall : faelle) {
        Leeren();
        Text_Printf(rp, f, "%s", 10, Y, fall.text);
        int32_t l, r;
        Spalten(l, r, TINTE, TINTE);
        EXPECT_EQ(l, fall.links) << fall.text;
    }
    Leeren();
    Text_Printf(rp, f, "^tr0100Wort", 10, Y);
    int32_t l, r;
    Spalten(l, r);
    EXPECT_EQ(r, 10 + 100 - 1) << "right edge at start + 100";
}

TEST_F(TextPrintf, FixedCellCentresDigitsButNotPoints) {
    Text_Printf(rp, f, "^fb00111.2", 0, Y);
    const int32_t w1 = test::Block_Breite('1');
    int32_t l, r;
    Spalten(l, r);
    EXPECT_EQ(l, 11 / 2 - w1 / 2) << "the digit sits in the middle of its cell";
    EXPECT_EQ(Pixel(11, TINTE), 0xFFFF) << "'.' starts right after the cell";
    EXPECT_EQ(Pixel(11 + test::Block_Breite('.') - 1, TINTE), 0xFFFF);
    const int32_t w2 = test::Block_Breite('2');
    EXPECT_EQ(r, 11 + test::Block_Breite('.') + 11 / 2 - w2 / 2 + w2 - 1);
    EXPECT_EQ(f->zelle, 11) << "the cell stays in the font";
    Text_Printf(rp, f, "^fe", 0, Y);
    EXPECT_EQ(f->zelle, 0);
}

TEST_F(TextPrintf, UnknownAndMalformedCodesAreDrawnAsText) {
    struct Fall {
        const char* text;
        const char* wie;   // the plain text drawn the same way
    };
    const Fall faelle[] = {
        {"^qA", "qA"},          {"A^", "A"},           {"^bxA", "xA"},        {"^uxA", "A"},
        {"^c12a45", "12a45"},   {"^tr01", "01"},       {"^fb9z", "9z"},       {"^gn", ""},
        {"^gnk00zz", "k00zz"},  {"^icxyz", "xyz"},     {"^z12", "12"},        {"^x1", "1"},
    };
    for (const Fall& fall : faelle) {
        Leeren();
        Text_Printf(rp, f, "%s", 0, Y, fall.text);
        int32_t l, r;
        Spalten(l, r);
        const int32_t w = Text_Width(f, fall.wie);
        EXPECT_EQ(r + 1, w) << fall.text;
    }
}

TEST_F(TextPrintf, LineCodesMoveDown) {
    Text_Printf(rp, f, "^l^lA", 7, Y);
    EXPECT_EQ(Erste_Zeile(), TINTE + 20) << "^l moves 10 pixels whatever the font's height";
    int32_t l, r;
    Spalten(l, r);
    EXPECT_EQ(l, 7) << "back to the start x";
    Leeren();
    Text_Printf(rp, f, "^z0025A", 0, Y);
    EXPECT_EQ(Erste_Zeile(), TINTE + 25);
}

TEST_F(TextPrintf, BoldDrawsTwiceAndStaysInTheFont) {
    Text_Printf(rp, f, "^bbA", 0, Y);
    int32_t l, r;
    Spalten(l, r);
    EXPECT_EQ(r, test::Block_Breite('A')) << "one pixel wider";
    EXPECT_EQ(f->fett, 1);
    Leeren();
    Text_Printf(rp, f, "AA", 0, Y);
    Spalten(l, r);
    EXPECT_EQ(r, 2 * (test::Block_Breite('A') + 1) - 1) << "bold from the last call still holds";
    Text_Printf(rp, f, "^be", 0, Y);
    EXPECT_EQ(f->fett, 0);
    Font* acht = test::Block_Font(8);
    Text_Printf(rp, acht, "^bbA", 0, Y);
    EXPECT_EQ(acht->fett, 0) << "an any-depth font is never bold";
    test::Block_Font_Frei(acht);
}

TEST_F(TextPrintf, PicturesAreReachedOnlyThroughHandles) {
    Rastport* bild = Rastport_Create(5, 4, 16, 0, 0);
    Rastport_Fill(bild, 0, 0, -1, -1, 0xF800, nullptr);
    const uint32_t h = Text_Handle_Bild(bild);
    ASSERT_NE(h, 0u);
    int32_t oben = 0;
    Glyph_Ink_Extent(f, 'A', &oben);
    Text_Printf(rp, f, "^gnk00%08xA", 0, Y, h);
    EXPECT_EQ(Pixel(0, Y - 10 + oben + 1), 0xF800);
    EXPECT_EQ(Pixel(5 + test::Block_Breite(' '), TINTE), 0xFFFF) << "the text goes on after picture and space";
    Leeren();
    Text_Printf(rp, f, "^gnk00%08xA", 0, Y, h ^ 0x100);
    EXPECT_EQ(Pixel(0, TINTE), 0xFFFF) << "an unknown handle draws nothing and takes no room";
    Font* nicht_bild = f;
    const uint32_t fh = Text_Handle_Font(nicht_bild);
    Leeren();
    Text_Printf(rp, f, "^gnk00%08xA", 0, Y, fh);
    EXPECT_EQ(Pixel(0, TINTE), 0xFFFF) << "a font handle is no picture";
    Text_Handle_Loeschen(fh);
    const size_t bloecke = Mem_Anzahl_Bloecke();
    Text_Printf(rp, f, "^gul00%08x", 0, Y, h);
    EXPECT_EQ(Text_Handle_Bild_Holen(h), nullptr) << "l frees the picture and its handle";
    EXPECT_LT(Mem_Anzahl_Bloecke(), bloecke);
}

TEST_F(TextPrintf, FontSwitchByHandleMovesToTheNewBaseline) {
    Font* zweiter = test::Block_Font(16);
    zweiter->baseline = 4;
    const uint32_t h = Text_Handle_Font(zweiter);
    f->farbe = 777;
    Text_Printf(rp, f, "A^x00%08xA", 0, Y, h);
    const int32_t x2 = Font_Advance(f, 'A', false);
    EXPECT_EQ(Pixel(x2, TINTE + 6), 777) << "6 pixels lower, in the call colour";
    EXPECT_EQ(Pixel(x2, TINTE + 5), 0);
    Text_Handle_Loeschen(h);
    test::Block_Font_Frei(zweiter);
}

TEST_F(TextPrintf, CrestPlaceholderIsAsHighAsTheInkOfA) {
    Text_Printf(rp, f, "^gll0007A", 3, Y);
    int32_t oben = 0;
    const int32_t h = Glyph_Ink_Extent(f, 'A', &oben);
    EXPECT_EQ(Pixel(3, Y - 10 + oben), 0xFFFF);
    EXPECT_EQ(Pixel(3 + h - 1, Y - 10 + oben + h - 1), 0xFFFF);
    EXPECT_EQ(Pixel(3 + h, TINTE), 0) << "the space after the crest";
    EXPECT_EQ(Pixel(3 + h + test::Block_Breite(' '), TINTE), 0xFFFF);
}

TEST_F(TextPrintf, MeasuringAgreesWithDrawing) {
    const char* texte[] = {
        "Hallo Welt",
        "^bbFett^be normal",
        "^fb0009123^fe45",
        "^c12345Farbe^c00000 und mehr",
        "Zeile^lzweite l\xE4ngere Zeile^lkurz",
        "^ub^hbMarker^he^ue",
        "M\xFC" "ller ^ic01234Stra\xDF" "e",
        "^qx^uyz",
    };
    for (const char* t : texte) {
        Leeren();
        f->fett = 0;
        f->zelle = 0;
        Text_Printf(rp, f, "%s", 10, Y, t);
        int32_t l, r;
        Spalten(l, r);
        EXPECT_EQ(r + 1 - 10, Text_Block_Size(f, t)) << t;
        f->fett = 0;
        const std::string s = t;
        if (s.find("^l") == std::string::npos) {
            EXPECT_EQ(Text_Width(f, t), Text_Block_Size(f, t)) << t;
        }
    }
}

TEST_F(TextPrintf, ATextTooWideForItsFieldEndsWithAVisibleMarkAndKeepsCodesWhole) {
    char out[64];
    Str_Auf_Breite("^c12345Langer Name", out, sizeof out, f, 20);
    const std::string kurz = out;
    EXPECT_EQ(kurz.substr(0, 7), "^c12345");
    ASSERT_GE(kurz.size(), 9u);
    EXPECT_EQ(kurz.back(), '\x85') << "a cut text ends with the ellipsis";
    EXPECT_LE(Text_Width(f, out), 20);
    std::string mehr = kurz;
    mehr.insert(mehr.size() - 1, 1, "Langer Name"[kurz.size() - 8]);
    EXPECT_GT(Text_Width(f, mehr.c_str()), 20) << "no character more would fit before the mark";
    Str_Auf_Breite("kurz", out, sizeof out, f, 200);
    EXPECT_STREQ(out, "kurz") << "a text that fits is copied as it is";
    Str_Auf_Breite("abcdefghijklmnopqrstuvwxyz", out, 5, f, 1000);
    EXPECT_STREQ(out, "abc\x85") << "the buffer's size bounds the copy, and the cut shows";
}

}  // namespace
}  // namespace velmora
