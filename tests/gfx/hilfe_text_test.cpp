// Help boxes drawn with the installation's fonts on a plain screen: lines,
// the box's size and place, the first call that only prepares, and the log
// lines of a box too wide for the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/debug.h"
#include "core/res.h"
#include "gfx/hilfe_text.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "platform/display.h"
#include "tests/gfx/font_support.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

constexpr uint16_t GRUND = 0x0010;

struct HilfeTextTest : ::testing::Test {
    static inline std::vector<std::string> log;
    test::GrafikLader lader;
    void SetUp() override {
        slot = Res_Open(test::Fontres_Pfad().c_str(), 0);
        ASSERT_GE(slot, 0);
        ASSERT_EQ(Font_Load_Set(slot, 0, FONT_SET_ANZAHL), 1);
        schirm.assign(800 * 600, GRUND);
        Rastport_Screen_Setup(800, 600, schirm.data());
        Rastport_Set_Target(nullptr);
        Hilfe_Text_Free();
        log.clear();
        Debug_Faenger_Setzen([](uint32_t, const char* t) { log.emplace_back(t); });
    }
    void TearDown() override {
        Debug_Faenger_Setzen(nullptr);
        Hilfe_Text_Free();
        Font_Free_Set();
        Res_Close(slot);
    }
    // The rectangle of pixels that differ from the plain screen: x, y, w, h.
    std::vector<int32_t> Box() const {
        int32_t x0 = 800, y0 = 600, x1 = -1, y1 = -1;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = 0; x < 800; ++x)
                if (schirm[size_t(y) * 800 + x] != GRUND) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        if (x1 < 0) return {};
        return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    }
    int32_t slot = -1;
    std::vector<uint16_t> schirm;
};

TEST_F(HilfeTextTest, LinesAreTheLineBreakCodes) {
    const struct {
        const char* text;
        int32_t zeilen;
    } faelle[] = {{"", 0}, {"Weiter", 0}, {"Eins^lZwei", 1}, {"a^lb^lc", 2}, {"^l^l^l", 3}, {"^", 0}, {"^^l", 1},
                  {"^L", 0}};
    for (const auto& f : faelle) EXPECT_EQ(Hilfe_Text_Zeilen(f.text), f.zeilen) << f.text;
    EXPECT_EQ(Hilfe_Text_Zeilen(nullptr), 0);
}

TEST_F(HilfeTextTest, TheFirstCallPreparesTheNextOnesDrawTheBox) {
    const char* text = "Spieltag^lTabelle^lFinanzen";
    Hilfe_Text_Ausgabe(text, 200, 100);
    EXPECT_TRUE(Hilfe_Text_Gezeigt());
    EXPECT_TRUE(Box().empty()) << "the first call only prepares the box";
    Hilfe_Text_Ausgabe(text, 200, 100);
    const std::vector<int32_t> box = Box();
    ASSERT_EQ(box.size(), 4u);
    EXPECT_EQ(box[0], 200);
    EXPECT_EQ(box[1], 108);   // the box's top is y + 8
    EXPECT_EQ(box[2], Text_Block_Size(Font_Get(HILFE_FONT), text) + 7);
    EXPECT_EQ(box[3], 33);    // two line breaks: 2 x 10 + 13
    Hilfe_Text_Free();
    EXPECT_FALSE(Hilfe_Text_Gezeigt());
    std::fill(schirm.begin(), schirm.end(), GRUND);
    Hilfe_Text_Ausgabe(text, 200, 100);
    EXPECT_TRUE(Box().empty()) << "after the free the box is prepared anew";
}

TEST_F(HilfeTextTest, TheBoxGoesUnderTheMouseAndStaysOnTheScreen) {
    Font* font = Font_Get(HILFE_FONT);
    const int32_t w = Text_Block_Size(font, "Hilfe") + 7;
    const struct {
        int32_t x, y;        // -1: at the mouse
        int32_t mx, my;
        int32_t box_x, box_y;
    } faelle[] = {
        {-1, -1, 300, 200, 296, 228},        // 4 left, 20 below, top 8 lower
        {-1, 50, 300, 570, 296, 558},        // near the bottom 40 higher
        {-1, -1, 300, 555, 296, 583},        // 575 stays
        {790, 100, 0, 0, 800 - 4 - w, 108},  // kept on the screen, clear of its edge
        {-30, 596, 0, 0, 0, 600 - 4 - 13},
    };
    Hilfe_Text_Ausgabe("Hilfe", 0, 0);
    for (const auto& f : faelle) {
        std::fill(schirm.begin(), schirm.end(), GRUND);
        Plat_Headless_Maus(f.mx, f.my, 0);
        Hilfe_Text_Ausgabe("Hilfe", f.x, f.y);
        const std::vector<int32_t> box = Box();
        ASSERT_EQ(box.size(), 4u);
        EXPECT_EQ(box[0], f.box_x) << f.x << "," << f.y;
        EXPECT_EQ(box[1], f.box_y) << f.x << "," << f.y;
        EXPECT_EQ(box[2], w);
        EXPECT_EQ(box[3], 13);
    }
    Plat_Headless_Maus(-100, -100, 0);
}

TEST_F(HilfeTextTest, ALongSentenceIsBrokenAtItsBlanksIntoLinesOfAtMost400Pixels) {
    Font* font = Font_Get(HILFE_FONT);
    const char* satz = "Zwei Spieler nacheinander anklicken oder einen auf den anderen ziehen, um sie zu tauschen";
    ASSERT_GT(Text_Width(font, satz), 400);
    Hilfe_Text_Ausgabe(satz, 100, 100);
    Hilfe_Text_Ausgabe(satz, 100, 100);
    const std::vector<int32_t> box = Box();
    ASSERT_EQ(box.size(), 4u);
    EXPECT_EQ(box[3], 23) << "two lines";
    EXPECT_LE(box[2], 400 + 7);
    EXPECT_GE(box[2], 300) << "the first line is filled";
    EXPECT_EQ(box[0], 100);
    // A text with its own line breaks keeps them, however wide.
    const std::string eigen = std::string(satz) + "^lzwei";
    std::fill(schirm.begin(), schirm.end(), GRUND);
    Hilfe_Text_Ausgabe(eigen.c_str(), 0, 100);
    const std::vector<int32_t> breit = Box();
    ASSERT_EQ(breit.size(), 4u);
    EXPECT_EQ(breit[2], Text_Block_Size(font, eigen.c_str()) + 7);
    EXPECT_EQ(breit[3], 23);
}

TEST_F(HilfeTextTest, ABoxWiderThanTheScreenIsLoggedAndDrawnFromItsLeftEdge) {
    const std::string lang(400, 'W');
    Hilfe_Text_Ausgabe(lang.c_str(), 100, 100);
    Hilfe_Text_Ausgabe(lang.c_str(), 100, 100);
    bool gemeldet = false;
    for (const auto& l : log) gemeldet |= l.find("Hilfe_Text: zu lang!!") != std::string::npos;
    EXPECT_TRUE(gemeldet);
    const std::vector<int32_t> box = Box();
    ASSERT_EQ(box.size(), 4u);
    EXPECT_EQ(box[0], 0);
    EXPECT_EQ(box[2], 800);
    log.clear();
    Hilfe_Text_Ausgabe(nullptr, 0, 0);
    ASSERT_FALSE(log.empty());
}

}  // namespace
}  // namespace velmora
