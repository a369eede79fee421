// tests/gfx/text_pruefung_test.cpp - the text layer's check of texts that do
// not fit (past an edge, into a neighbour, off their plate, cut with room to
// spare), and the fitting of a text into a field with the installation's
// fonts: a smaller font of the set when the text fits in it, else a mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "gfx/text_pruefung.h"
#include "tests/gfx/font_support.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

class TextPruefung : public test::FontSetTest {
protected:
    void SetUp() override {
        test::FontSetTest::SetUp();
        rp = Rastport_Create(200, 60, 16, 0, 0);
        Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
    }
    void TearDown() override {
        Text_Pruefung_Beenden();
        Rastport_Free(rp);
        test::FontSetTest::TearDown();
    }
    Rastport* rp = nullptr;
};

// One drawing of a case: text, x, y; a fill (text empty) paints (x, y, 60, 20) over.
struct Zug {
    const char* text;
    int32_t x, y;
    bool bild_ende = false;   // the frame ends before this drawing
};

TEST_F(TextPruefung, RecordsTextsPastTheEdgeIntoTheNextColumnOrIntoANeighbourAndNothingElse) {
    Font* f9 = Font_Get(9);
    ASSERT_NE(f9, nullptr);
    const int32_t w = Text_Width(f9, "Mittelfeld");
    const struct {
        const char* name;
        std::vector<Zug> zuege;
        std::string erwartet;   // "art:text" of each finding, joined by "|"
    } faelle[] = {
        {"apart", {{"Mittelfeld", 10, 20}, {"Ryan", 10 + w + 6, 20}}, ""},
        {"joined", {{"Mittelfeld", 10, 20}, {"Ryan", 10 + w, 20}}, "Nachbar:Mittelfeld"},
        {"crossing", {{"Mittelfeld", 10, 20}, {"Ryan", 30, 20}}, "Nachbar:Mittelfeld"},
        {"next line", {{"Mittelfeld", 10, 20}, {"Ryan", 30, 34}}, ""},
        {"shadow", {{"Mittelfeld", 10, 20}, {"Mittelfeld", 11, 21}}, ""},
        {"past the right edge", {{"Mittelfeld", 200 - w / 2, 20}}, "Rand:Mittelfeld"},
        {"past the left edge", {{"Mittelfeld", -4, 20}}, "Rand:Mittelfeld"},
        {"columns that cross", {{"^tl0000Mittelfeld^tl0020Ryan", 10, 20}}, "Spalte:Mittelfeld"},
        {"columns that join", {{"^tr0030 4^tl0030. Min.", 10, 20}}, ""},
        {"painted over", {{"Mittelfeld", 10, 20}, {"", 0, 0}, {"Ryan", 30, 20}}, ""},
        {"another frame", {{"Mittelfeld", 10, 20}, {"Ryan", 30, 20, true}}, ""},
    };
    for (const auto& fall : faelle) {
        Text_Pruefung_Starten();
        Text_Pruefung_Screen(fall.name);
        for (const Zug& z : fall.zuege) {
            if (z.bild_ende) Text_Pruefung_Bild_Ende();
            if (!*z.text) Rastport_Fill(rp, z.x, z.y, 200, 40, 0, nullptr);
            else Text_Printf(rp, f9, "%s", z.x, z.y, z.text);
        }
        std::string gefunden;
        for (const TextBefund& b : Text_Pruefung_Befunde()) {
            EXPECT_EQ(b.screen, fall.name);
            gefunden += (gefunden.empty() ? "" : "|") + b.art + ":" + b.text;
        }
        EXPECT_EQ(gefunden, fall.erwartet) << fall.name;
        Text_Pruefung_Beenden();
    }
    // Off, nothing is recorded.
    Text_Pruefung_Starten();
    Text_Pruefung_Beenden();
    Text_Printf(rp, f9, "%s", 190, 20, "Mittelfeld");
    EXPECT_TRUE(Text_Pruefung_Befunde().empty());
}

// Pictures painted and texts drawn on them in one frame: a fill (x, y, w, h),
// or a text at (x, y), cut by Str_Auf_Breite to `breite` when it is above 0.
struct Schicht {
    const char* text;
    int32_t x, y, w = 0, h = 0, breite = 0;
};

TEST_F(TextPruefung, RecordsATextCutWhereItHadRoomAndATextThatRunsOffItsPlate) {
    Font* f9 = Font_Get(9);
    ASSERT_NE(f9, nullptr);
    const char* lang = "Mittelfeldspieler";
    const struct {
        const char* name;
        std::vector<Schicht> schichten;
        std::string erwartet;   // "art" of each finding, joined by "|"
    } faelle[] = {
        {"cut with room", {{"", 0, 0, 200, 60}, {lang, 10, 30, 0, 0, 40}}, "Gekuerzt"},
        {"cut before a neighbour", {{"", 0, 0, 200, 60}, {lang, 10, 30, 0, 0, 40}, {"Ryan", 54, 30}}, ""},
        {"cut at its plate's end", {{"", 0, 0, 200, 60}, {"", 0, 15, 56, 30}, {lang, 10, 30, 0, 0, 40}}, ""},
        {"cut at a column's line", {{"", 0, 0, 200, 60}, {"", 60, 10, 1, 40}, {lang, 10, 30, 0, 0, 40}}, ""},
        {"cut at the target's edge", {{"", 0, 0, 200, 60}, {lang, 150, 30, 0, 0, 40}}, ""},
        {"whole", {{"", 0, 0, 200, 60}, {lang, 10, 30, 0, 0, 190}}, ""},
        {"runs off its plate", {{"", 0, 0, 200, 60}, {"", 0, 15, 40, 30}, {lang, 10, 30}}, "Flaeche"},
        {"on its plate", {{"", 0, 0, 200, 60}, {"", 0, 15, 190, 30}, {lang, 10, 30}}, ""},
        {"on the pieces of a band", {{"", 0, 0, 200, 60}, {"", 0, 15, 40, 30}, {"", 40, 15, 150, 30}, {lang, 10, 30}}, ""},
        {"beside an icon", {{"", 0, 0, 200, 60}, {"", 0, 15, 12, 30}, {lang, 10, 30}}, ""},
    };
    for (const auto& fall : faelle) {
        Text_Pruefung_Starten();
        Text_Pruefung_Screen(fall.name);
        for (const Schicht& z : fall.schichten) {
            if (!*z.text) {
                Rastport_Fill(rp, z.x, z.y, z.w, z.h, 0, nullptr);
                continue;
            }
            char kurz[128];
            Text_Printf(rp, f9, "%s", z.x, z.y, z.breite > 0 ? Str_Auf_Breite(z.text, kurz, sizeof kurz, f9, z.breite) : z.text);
        }
        std::string gefunden;
        for (const TextBefund& b : Text_Pruefung_Befunde()) gefunden += (gefunden.empty() ? "" : "|") + b.art;
        EXPECT_EQ(gefunden, fall.erwartet) << fall.name;
        // The cut text is judged once, at the frame's end or when the findings are read.
        Text_Pruefung_Bild_Ende();
        EXPECT_EQ(Text_Pruefung_Befunde().size(), fall.erwartet.empty() ? 0u : 1u) << fall.name;
        Text_Pruefung_Beenden();
    }
}

TEST_F(TextPruefung, ATextTooWideTakesTheNextSmallerFontOfTheSetWhenItFitsThere) {
    Font* f9 = Font_Get(9);
    Font* f0 = Font_Get(0);
    ASSERT_TRUE(f9 && f0);
    const char* text = "Mittelfeldspieler";
    const int32_t gross = Text_Width(f9, text), klein = Text_Width(f0, text);
    ASSERT_LT(klein, gross);
    char out[128];
    Str_Auf_Breite(text, out, sizeof out, f9, klein);
    EXPECT_EQ(std::string(out).substr(0, 2), "^x") << "the smaller font is switched to";
    EXPECT_EQ(std::string(out).substr(12, std::strlen(text)), text) << "the whole text stays";
    EXPECT_EQ(Text_Width(f9, out), klein) << "measured in the font it is drawn in";
    // What follows in the same line is in the text's own font again.
    EXPECT_EQ(Text_Width(f9, (std::string(out) + "12. Min.").c_str()), klein + Text_Width(f9, "12. Min."));
    // Drawn, its ink stays within the field.
    Text_Printf(rp, f9, "%s", 0, 20, out);
    int32_t rechts = -1;
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 200; ++x)
            if (Rastport_Pixels16(rp)[y * 200 + x]) rechts = std::max(rechts, x);
    EXPECT_GE(rechts, klein / 2);
    EXPECT_LT(rechts, klein);
    // Narrower still: the first font with the mark.
    Str_Auf_Breite(text, out, sizeof out, f9, klein - 10);
    EXPECT_EQ(std::string(out).back(), '\x85');
    EXPECT_LE(Text_Width(f9, out), klein - 10);
}

}  // namespace
}  // namespace velmora
