// Word wrapping: the word scanner, cutting and hyphenation, paragraph breaks,
// centring and justification, and boxes that are never overrun.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/res.h"
#include "core/rnd.h"
#include "gfx/blit.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "tests/gfx/font_support.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

constexpr int32_t W = 300, H = 200;

struct Satz : ::testing::Test {
    Rastport* rp = Rastport_Create(W, H, 16, 0, 0);
    Font* f = test::Block_Font(16);
    Satz() { Leeren(); }
    ~Satz() override {
        Rastport_Free(rp);
        test::Block_Font_Frei(f);
    }
    void Leeren() { Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr); }
    uint16_t Pixel(int32_t x, int32_t y) const { return Rastport_Pixels16(rp)[y * W + x]; }
    // The inked columns of the ink band of line k (line height lh from `top`).
    void Zeile(int32_t top, int32_t lh, int32_t k, int32_t& l, int32_t& r) const {
        l = r = -1;
        const int32_t y = top + k * lh + test::BLOCK_TINTE_OBEN;
        for (int32_t x = 0; x < W; ++x)
            if (Pixel(x, y)) {
                if (l < 0) l = x;
                r = x;
            }
    }
    int32_t Zeilen(int32_t top, int32_t lh) const {
        int32_t n = 0;
        for (int32_t k = 0; top + k * lh + test::BLOCK_TINTE_OBEN < H; ++k) {
            int32_t l, r;
            Zeile(top, lh, k, l, r);
            if (l >= 0) n = k + 1;
        }
        return n;
    }
};

constexpr int32_t LH = test::BLOCK_HOEHE - 1;   // line height -1: sheet height - 1

TEST_F(Satz, SpaceBeforeExclamationStaysInTheWord) {
    // The box fits "Tor !" but not "Tor !" and a further word; "!" never starts a line.
    const int32_t w = Text_Width(f, "Tor !");
    Textsatz_Box(rp, f, "Tor ! Tor !", 0, w + 6, 0, H, 0xFFFF, 0, -1);
    EXPECT_EQ(Zeilen(0, LH), 2);
    int32_t l, r;
    Zeile(0, LH, 0, l, r);
    EXPECT_EQ(r + 1, w) << "the first line holds the word with its sign";
}

TEST_F(Satz, UncuttableWordIsCutAfterItsMiddle) {
    const char* wort = "Brrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr";   // no vowel after the B
    const int32_t breite = Text_Width(f, "Brrrrrrrrrrrrrrrrrrrrrrrr-") + 8;
    Textsatz_Box(rp, f, wort, 0, breite, 0, H, 0xFFFF, TEXTSATZ_TRENNEN, -1);
    const std::string erste = std::string(wort, std::strlen(wort) / 2) + "-";
    int32_t l, r;
    Zeile(0, LH, 0, l, r);
    EXPECT_EQ(r + 1, Text_Width(f, erste.c_str()));
    Zeile(0, LH, 1, l, r);
    EXPECT_EQ(r + 1, Text_Width(f, wort + std::strlen(wort) / 2));
}

TEST(Trennung, SplitsAtSyllablesOnly) {
    Font* f = test::Block_Font(16);
    struct Fall {
        const char* wort;
        int32_t max;      // in characters of width ~4 px
        const char* erster_teil;
    };
    const Fall faelle[] = {
        {"Fenster", 100, "Fen"},        // never inside "st"
        {"Tasche", 100, "Ta"},          // never inside "sch"
        {"verstehen", 100, "verste"},
        {"verstehen", 5, "ver"},        // a narrower line takes an earlier point
        {"Zucker", 100, "Zuk"},         // "ck" becomes "k-k"
        {"Rhythmus", 100, "Rhyth"},     // "y" counts as a vowel; never inside "th"
        {"Bl\xFC" "ten", 100, "Bl\xFC"},
        {"Strrr", 100, ""},             // no vowel after the cut: no point
        {"abc", 100, ""},               // too short
    };
    for (const Fall& fall : faelle) {
        char wort[64];
        std::strcpy(wort, fall.wort);
        const int32_t n = int32_t(std::strlen(wort));
        const int32_t p = Textsatz_Trennstelle(f, wort, n, fall.max * 4, 0);
        EXPECT_EQ(std::string(wort, size_t(p + 1)), fall.erster_teil) << fall.wort;
        if (p >= 0) {
            EXPECT_EQ(std::strchr("AEIOUaeiou\xE4\xF6\xFC\xC4\xD6\xDCy", wort[p + 1]), nullptr)
                << fall.wort << ": never before a vowel";
        }
    }
    char zucker[] = "Zucker";
    Textsatz_Trennstelle(f, zucker, 6, 400, 0);
    EXPECT_STREQ(zucker, "Zukker");
    test::Block_Font_Frei(f);
}

TEST_F(Satz, HyphenatedCkLineEndsWithKAndHyphen) {
    const int32_t breite = Text_Width(f, "Der Zuk-") + 8 + 1;
    Textsatz_Box(rp, f, "Der Zucker", 0, breite, 0, H, 0xFFFF, TEXTSATZ_TRENNEN, -1);
    int32_t l, r;
    Zeile(0, LH, 0, l, r);
    EXPECT_EQ(r + 1, Text_Width(f, "Der Zuk-"));
    Zeile(0, LH, 1, l, r);
    EXPECT_EQ(r + 1, Text_Width(f, "ker"));
}

TEST_F(Satz, DoubleLineBreakLeavesAnEmptyLine) {
    const int32_t y1 = Textsatz_Box(rp, f, "A^lB", 0, W, 0, H, 0xFFFF, 0, -1);
    Leeren();
    const int32_t y2 = Textsatz_Box(rp, f, "A^l^lB", 0, W, 0, H, 0xFFFF, 0, -1);
    EXPECT_EQ(y2 - y1, LH);
    int32_t l, r;
    Zeile(0, LH, 1, l, r);
    EXPECT_EQ(l, -1) << "the second line is empty";
    Zeile(0, LH, 2, l, r);
    EXPECT_EQ(l, 0) << "B on the third";
    Leeren();
    Textsatz_Box(rp, f, "A\rB", 0, W, 0, H, 0xFFFF, 0, -1);
    EXPECT_EQ(Zeilen(0, LH), 2) << "a carriage return breaks the paragraph too";
}

TEST_F(Satz, HashMarkedTextIsNeverCentred) {
    const int32_t w = Text_Width(f, "Hallo");
    Textsatz_Box(rp, f, "Hallo", 10, 210, 0, H, 0xFFFF, TEXTSATZ_ZENTRIERT, -1);
    int32_t l, r;
    Zeile(0, LH, 0, l, r);
    const int32_t a = 200 - 2;
    EXPECT_EQ(l, (10 + 10 + a) / 2 - w / 2);
    Leeren();
    Textsatz_Box(rp, f, "#Hallo", 10, 210, 0, H, 0xFFFF, TEXTSATZ_ZENTRIERT, -1);
    Zeile(0, LH, 0, l, r);
    EXPECT_EQ(l, 10);
    EXPECT_EQ(r + 1 - 10, w) << "the # itself is not drawn";
}

TEST_F(Satz, JustifiedLinesReachTheRightEdge) {
    const char* text = "ab cd ef gh ij kl mn op qr st uv wx yz ab cd ef gh ij kl mn op";
    const int32_t breite = 100, a = breite - 2;
    Textsatz_Box(rp, f, text, 0, breite, 0, H, 0xFFFF, TEXTSATZ_BLOCKSATZ, -1);
    const int32_t n = Zeilen(0, LH);
    ASSERT_GE(n, 3);
    for (int32_t k = 0; k < n - 1; ++k) {
        int32_t l, r;
        Zeile(0, LH, k, l, r);
        EXPECT_GE(r + 1, a - 3) << "line " << k << " is widened to the edge";
        EXPECT_LE(r + 1, a + 2);
    }
    int32_t l, r;
    Zeile(0, LH, n - 1, l, r);
    EXPECT_LT(r + 1, a - 10) << "the last line is not justified";
}

TEST_F(Satz, BoxRunningOutOfHeightStopsDrawing) {
    const char* text = "eins zwei drei vier f\xFC" "nf sechs sieben acht neun zehn elf zw\xF6lf";
    const int32_t unten = 3 * LH + 2;
    const int32_t y = Textsatz_Box(rp, f, text, 0, 60, 0, unten, 0xFFFF, 0, -1);
    EXPECT_EQ(Zeilen(0, LH), 3);
    for (int32_t yy = unten + 1; yy < H; ++yy)
        for (int32_t x = 0; x < W; ++x) ASSERT_EQ(Pixel(x, yy), 0) << "ink below the box at " << x << "," << yy;
    EXPECT_EQ(y, 10 + 3 * LH) << "the y reached";
}

TEST_F(Satz, PercentSignsAreDrawnAsText) {
    Textsatz_Box(rp, f, "50 %s %n %d", 0, W, 0, H, 0xFFFF, 0, -1);
    int32_t l, r;
    Zeile(0, LH, 0, l, r);
    EXPECT_EQ(r + 1, Text_Width(f, "50 %s %n %d"));
}

// The requester's fixed-cell font (set entry 11) and a 700 x 200 picture.
struct ZellenSatz : ::testing::Test {
    void SetUp() override {
        slot = Res_Open(test::Fontres_Pfad().c_str(), 0);
        ASSERT_GE(slot, 0);
        f = static_cast<Font*>(Res_Load(slot, 11, 16, nullptr));
        ASSERT_NE(f, nullptr);
        rp = Rastport_Create(700, 200, 16, 0, 0);
    }
    void TearDown() override {
        Rastport_Free(rp);
        Font_Free(f);
        Res_Close(slot);
    }
    int32_t slot = -1;
    test::GrafikLader lader;
    Font* f = nullptr;
    Rastport* rp = nullptr;
};

// Justifying with the wide spaces of a fixed-cell font never pushes a line
// past the box, where it would not be drawn: every line of the requester's
// message shows.
TEST_F(ZellenSatz, AJustifiedLineOfAFixedCellFontIsDrawn) {
    const char* texte[] = {"Ihr Kader ist komplett. Das Training beginnt morgen um 10 Uhr (100 %).",
                           "Alle Pl\xe4tze sind belegt. Bitte w\xe4hlen Sie den Platz, der \xfc" "berschrieben werden soll."};
    for (const char* text : texte) {
        Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
        const int32_t unten = Textsatz_Box(rp, f, text, 18, 645, 0, 160, 0xFFFF, TEXTSATZ_BLOCKSATZ, 33);
        const int32_t zeilen = (unten - f->baseline) / 33;
        ASSERT_GE(zeilen, 2) << text;
        const uint16_t* p = Rastport_Pixels16(rp);
        for (int32_t k = 0; k < zeilen; ++k) {
            int32_t tinte = 0;
            for (int32_t y = 33 * k; y < 33 * k + 20; ++y)
                for (int32_t x = 0; x < 700; ++x) tinte += p[y * 700 + x] != 0;
            EXPECT_GT(tinte, 100) << "line " << k << " of: " << text;
        }
    }
}

// The room a justified line has left is spread evenly: with a fixed-cell
// font every gap between two words is as wide as the others or a pixel
// wider (blanks put in made some gaps a whole cell wider than the rest).
TEST_F(ZellenSatz, AJustifiedLinesGapsDifferByAPixelAtMost) {
    Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
    // Words of one letter, so that the blank columns between them measure the gaps alone.
    Textsatz_Box(rp, f, "mmm mm mmmm m mmmmm mm mmm mmmm mm mmmmmm mmm mm mmmm mmm mm mmmmm mmm", 18, 645, 0, 160,
                 0xFFFF, TEXTSATZ_BLOCKSATZ, 33);
    const uint16_t* p = Rastport_Pixels16(rp);
    std::vector<int32_t> luecken;
    int32_t leer = 0, erste = -1, letzte = -1;
    for (int32_t x = 0; x < 700; ++x) {
        bool tinte = false;
        for (int32_t y = 0; y < 25; ++y) tinte |= p[y * 700 + x] != 0;
        if (tinte) {
            if (erste >= 0 && leer >= 6) luecken.push_back(leer);
            if (erste < 0) erste = x;
            letzte = x;
            leer = 0;
        } else if (erste >= 0) {
            ++leer;
        }
    }
    ASSERT_GE(luecken.size(), 5u);
    EXPECT_LE(*std::max_element(luecken.begin(), luecken.end()) - *std::min_element(luecken.begin(), luecken.end()), 1);
    EXPECT_GE(letzte + 1, 645 - 18 - 2 - 3 - 4) << "the first line reaches the right edge";
}

TEST(SatzMitFonts, WrappingNeverLeavesItsBox) {
    const int32_t slot = Res_Open(test::Fontres_Pfad().c_str(), 0);
    ASSERT_GE(slot, 0);
    const char* woerter[] = {"Mannschaft", "Vereinsvorsitzender", "Stadionausbau", "gewinnt", "^c63488rot^c00000",
                             "Meisterschaft", "\xDC" "bertragung", "Abl\xF6sesumme", "Tor !", "ist", "der",
                             "Sch\xE4" "tzung", "Zuckerbrot", "^bbfett^be", "Stra\xDF" "enbahn", "Fu\xDF" "ball",
                             "Bundesligatabellenf\xFChrer", "und", "50 %", "Wettbewerbsbedingungen"};
    Rastport* rp = Rastport_Create(400, 300, 16, 0, 0);
    Rnd_Init();
    test::GrafikLader lader;
    for (int32_t fall = 0; fall < 60; ++fall) {
        Font* f = static_cast<Font*>(Res_Load(slot, fall % FONT_SET_ANZAHL, 16, nullptr));
        ASSERT_NE(f, nullptr);
        std::string text;
        for (int32_t i = Rnd(5, 40); i > 0; --i) {
            text += woerter[Rnd(0, int32_t(std::size(woerter)) - 1)];
            text += Rnd(0, 9) == 0 ? "^l" : " ";
        }
        const int32_t left = Rnd(0, 100), right = left + Rnd(30, 290), top = Rnd(0, 50), bottom = top + Rnd(20, 240);
        const uint8_t flags = uint8_t(Rnd(0, 15) & ~TEXTSATZ_HOCH_94);
        Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
        Textsatz_Box(rp, f, text.c_str(), left, right, top, bottom, 0xFFFF, flags, -1);
        const uint16_t* p = Rastport_Pixels16(rp);
        for (int32_t y = 0; y < 300; ++y)
            for (int32_t x = 0; x < 400; ++x)
                if (p[y * 400 + x] && (x < left || x >= right || y < top || y > bottom))
                    FAIL() << "ink at " << x << "," << y << " outside (" << left << "," << top << ")-(" << right << ","
                           << bottom << ") font " << fall % FONT_SET_ANZAHL << " flags " << int(flags) << ": " << text;
        Font_Free(f);
    }
    Rastport_Free(rp);
    Res_Close(slot);
}

}  // namespace
}  // namespace velmora
