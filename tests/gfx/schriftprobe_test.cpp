// Schriftprobe screens drawn headless with the installation's fonts and compared
// pixel for pixel with reviewed reference PNGs (VELMORA_UPDATE_REFERENCE=1
// writes them anew: review them!).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/schatten.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "tests/gfx/font_support.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

struct Schriftprobe : ::testing::Test {
    test::GrafikLader lader;
    void SetUp() override {
        slot = Res_Open(test::Fontres_Pfad().c_str(), 0);
        ASSERT_GE(slot, 0);
        ASSERT_EQ(Font_Load_Set(slot, 0, FONT_SET_ANZAHL), 1);
        Schatten_Cache_Leeren();
    }
    void TearDown() override {
        Schatten_Cache_Leeren();
        Font_Free_Set();
        Res_Close(slot);
    }
    // A dark blue-green gradient, so that shadows and colours show.
    static Rastport* Hintergrund(int32_t w, int32_t h) {
        Rastport* rp = Rastport_Create(w, h, 16, 0, 0);
        uint16_t* p = Rastport_Pixels16(rp);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) p[y * w + x] = Colour_Pack565(20 + x / 10, 60 + y / 6, 90 + x / 12);
        return rp;
    }
    int32_t slot = -1;
};

constexpr uint16_t WEISS = 65535, GELB = 65504, ROT = 63488, HELLBLAU = 0x867F;

TEST_F(Schriftprobe, MarkupCodesTabsCellsColoursAndCrests) {
    Rastport* rp = Hintergrund(640, 360);
    Font* f9 = Font_Get(9);
    Font* f1 = Font_Get(1);
    Font* f11 = Font_Get(11);
    f9->farbe = f1->farbe = f11->farbe = WEISS;
    int32_t y = 16;
    Text_Printf(rp, f9, "^c%05dFarbe ^c%05drot^c00000 wieder gelb, ^ic%05dfest ^c%05dbleibt ^y0000jetzt rot", 10, y,
                GELB, ROT, HELLBLAU, WEISS);
    y += 18;
    f9->farbe = WEISS;
    Text_Printf(rp, f9, "Normal ^bbFett und ^befein, ^hbMarke^he ^ubunsichtbar^ue, ^qunbekannt, ^c12a45", 10, y);
    y += 18;
    // A table with left, right and centred tab stops.
    const char* zeilen[][4] = {{"Platz", "Verein", "Tore", "Punkte"},
                               {"1.", "FC M\xFCnchenstadt", "54:21", "61"},
                               {"2.", "Borussia Nordhafen", "48:30", "55"},
                               {"17.", "SV Gr\xFCnwei\xDF Essenbach", "22:57", "19"}};
    for (const auto& z : zeilen) {
        Text_Printf(rp, f9, "^tr0030%s^tl0040%s^tz0260%s^tr0340%s", 10, y, z[0], z[1], z[2], z[3]);
        y += 14;
    }
    y += 6;
    Text_Printf(rp, f11, "^c%05d^fb0013^tr0090%d^fe", 10, y + 4, GELB, 12345);
    Text_Printf(rp, f11, "^fb0013%d.%d^fe^tl0060%d", 110, y + 4, 7, 5, 42);
    Text_Printf(rp, f9, "Wappen ^gll0001 FC M\xFCnchenstadt ^gll0002 Borussia", 240, y);
    y += 26;
    Rastport* bild = Rastport_Create(12, 8, 16, 0, 0);
    Rastport_Fill(bild, 0, 0, -1, -1, ROT, nullptr);
    Rastport_Fill(bild, 3, 2, 6, 4, GELB, nullptr);
    const uint32_t h = Text_Handle_Bild(bild);
    Text_Printf(rp, f9, "Bild ^gnk00%08x im Text, tiefer ^guk00%08x und frei ^gnl00%08xEnde", 10, y, h, h, h);
    y += 18;
    Text_Printf(rp, f9, "Zeile eins^lZeile zwei^z0016Zeile drei, 16 Pixel tiefer", 10, y);
    y += 46;
    f1->farbe = WEISS;
    Text_Printf(rp, f1, "\xC4\xD6\xDC \xE4\xF6\xFC \xDF \x80 \xA9 \xBD \xE9\xE8\xEA \xF1 \x84Zitat\x93 \x96 \x85", 10, y);
    y += 20;
    Font* f5 = Font_Get(5);
    Font* f16 = Font_Get(16);
    f5->farbe = f16->farbe = GELB;
    Text_Printf(rp, f16, "Jede Tiefe: glatte Kanten", 10, y);
    Text_Printf(rp, f5, "auch klein", 260, y);
    y += 24;
    // Shadowed captions of the three shadow kinds.
    Font* f4 = Font_Get(4);
    Font* f14 = Font_Get(14);
    f4->farbe = f14->farbe = WEISS;
    EXPECT_EQ(Text_Schatten_Print(rp, f4, "Tabelle", 10, y + 22), 1);
    EXPECT_EQ(Text_Schatten_Print(rp, f14, "Borussia Nordhafen", 200, y + 14), 1);
    EXPECT_EQ(Text_Schatten_Print(rp, f9, "^c%05dSpieltag 12", 420, y + 10, GELB), 1);
    EXPECT_EQ(test::Mit_Referenz_Vergleichen(rp, "schriftprobe_markup"), "");
    Rastport_Free(rp);
}

TEST_F(Schriftprobe, WrappedGermanParagraphWithHyphenation) {
    Rastport* rp = Hintergrund(480, 300);
    const char* text =
        "Der Vorstand des Fu\xDF" "ballvereins hat nach langen Verhandlungen die Vertragsverl\xE4ngerung mit dem "
        "Cheftrainer bekannt gegeben. Die Mannschaft steht vor einer schwierigen Meisterschaftsrunde, denn die "
        "Konkurrenz hat kr\xE4" "ftig investiert !^lIm Zuckerb\xE4" "ckerstadion wurden au\xDF" "erdem neue "
        "Flutlichtmasten errichtet; die Zuschauerzahlen stiegen um 12 %.";
    Font* f = Font_Get(1);
    const uint8_t flags = TEXTSATZ_BLOCKSATZ | TEXTSATZ_TRENNEN;
    // Shadow first, one pixel lower and to the right, then the text.
    Textsatz_Box(rp, f, text, 11, 231, 11, 291, 1, flags, -1);
    const int32_t y = Textsatz_Box(rp, f, text, 10, 230, 10, 290, WEISS, flags, -1);
    EXPECT_GT(y, 100);
    Textsatz_Box(rp, Font_Get(9), text, 250, 470, 10, 150, GELB, TEXTSATZ_ZENTRIERT | TEXTSATZ_TRENNEN, -1);
    Textsatz_Box(rp, Font_Get(9), "#Nicht zentriert, obwohl das Flag gesetzt ist.", 250, 470, 160, 200, WEISS,
                 TEXTSATZ_ZENTRIERT, -1);
    EXPECT_EQ(test::Mit_Referenz_Vergleichen(rp, "schriftprobe_wrapped"), "");
    Rastport_Free(rp);
}

TEST_F(Schriftprobe, EveryFontOfTheInstallation) {
    Rastport* rp = Hintergrund(640, 560);
    int32_t y = 4;
    for (int32_t n = 0; n < FONT_SET_ANZAHL; ++n) {
        Font* f = Font_Get(n);
        f->farbe = WEISS;
        y += f->baseline;
        Text_Printf(rp, f, "%d: Velmora 0123456789 \xC4\xD6\xDC\xE4\xF6\xFC\xDF \x80 ^bbfett^be", 6, y, n);
        y += int32_t(f->bogen->height) - f->baseline + 3;
    }
    EXPECT_LT(y, 560);
    EXPECT_EQ(test::Mit_Referenz_Vergleichen(rp, "schriftprobe_fonts"), "");
    Rastport_Free(rp);
}

TEST_F(Schriftprobe, ShadowedCaptionIsCachedWithItsBackground) {
    Rastport* rp = Hintergrund(300, 60);
    Font* f = Font_Get(14);
    f->farbe = WEISS;
    Text_Schatten_Print(rp, f, "Tor 1:0", 10, 30);
    Rastport* erstes = Rastport_Create(300, 60, 16, 0, 0);
    Rastport_Blit(rp, 0, 0, -1, -1, erstes, 0, 0, nullptr);
    // Same box size, other text: the cached area comes back.
    Rastport* rp2 = Hintergrund(300, 60);
    Text_Schatten_Print(rp2, f, "Tor 0:1", 10, 30);
    Rastport* rp3 = Hintergrund(300, 60);
    Text_Schatten_Print(rp3, f, "#Tor 0:1", 10, 30);
    EXPECT_NE(std::memcmp(Rastport_Pixels16(rp3), Rastport_Pixels16(erstes), 300 * 60 * 2), 0)
        << "a leading # draws the new text";
    Rastport* rp4 = Hintergrund(300, 60);
    Text_Schatten_Print(rp4, f, "Tor 0:1", 10, 30);
    EXPECT_EQ(std::memcmp(Rastport_Pixels16(rp4), Rastport_Pixels16(rp3), 300 * 60 * 2), 0)
        << "after a # caption the new picture is the cached one";
    EXPECT_EQ(std::memcmp(Rastport_Pixels16(rp2), Rastport_Pixels16(erstes), 300 * 60 * 2), 0)
        << "same box, other text: the cached caption comes back";
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
#pragma GCC diagnostic ignored "-Wformat-security"
    EXPECT_EQ(Text_Schatten_Print(rp, f, "", 10, 30), 0);
#pragma GCC diagnostic pop
    EXPECT_EQ(Text_Schatten_Print(nullptr, f, "x", 10, 30), 0);
    for (Rastport* r : {rp, rp2, rp3, rp4, erstes}) Rastport_Free(r);
}

}  // namespace
}  // namespace velmora
