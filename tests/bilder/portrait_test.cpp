// Portraits composed from the appearance code, tinted, scaled and cached.
#include "bilder/portrait.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/dirs.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/colour.h"
#include "kunst/bild_muster.h"
#include "tests/bilder/bild_support.h"
#include "tests/club/welt.h"
#include "tests/support/png.h"

namespace velmora {
namespace {

TEST(PortraitSaetze, SetsLieApartWithinTheFileAndEveryEyePartHasEyes) {
    std::vector<int32_t> belegt(PORTRAIT_TEILE, -1);
    for (int32_t s = 0; s < PORTRAIT_SAETZE; ++s)
        for (int32_t i = 0; i < PORTRAIT_SATZ[s].anzahl; ++i) {
            const int32_t e = PORTRAIT_SATZ[s].erster + i;
            ASSERT_LT(e, PORTRAIT_TEILE) << "set " << s;
            EXPECT_EQ(belegt[size_t(e)], -1) << "entry " << e << " in sets " << belegt[size_t(e)] << " and " << s;
            belegt[size_t(e)] = s;
        }
    // Part 1 of both kinds (sets 1 and 6) is the eyes: each entry inks row 40.
    for (int32_t s : {1, 6})
        for (int32_t i = 0; i < PORTRAIT_SATZ[s].anzahl; ++i) {
            Rastport* teil = Muster_Portrait_Teil(PORTRAIT_SATZ[s].erster + i);
            ASSERT_NE(teil, nullptr);
            int32_t tinte = 0;
            for (int32_t x = 0; x < PORTRAIT_BREITE; ++x) tinte += teil->alpha[40 * PORTRAIT_BREITE + x] != 0;
            EXPECT_GT(tinte, 4) << "set " << s << ", part " << i;
            Rastport_Free(teil);
        }
}

TEST(PortraitCode, FieldsAreDecodedAndClampedByKind) {
    struct Fall {
        int32_t art;
        int32_t teil[5];
        int32_t soll_art;
        int32_t soll[5];
    };
    const Fall faelle[] = {
        {0, {0, 0, 0, 0, 0}, 0, {0, 0, 0, 0, 0}},
        {3, {0, 5, 0, 0, 0}, 1, {0, 1, 0, 0, 0}},       // kind 3 counts as 1, part 2 of kind 1 has two entries
        {0, {0, 0, 100, 0, 0}, 0, {0, 0, 61, 0, 0}},
        {0, {31, 63, 127, 63, 31}, 0, {11, 30, 61, 30, 31}},
        {2, {31, 63, 127, 63, 31}, 1, {9, 1, 9, 9, 9}},
        {1, {4, 1, 8, 2, 7}, 1, {4, 1, 8, 2, 7}},
    };
    for (const Fall& f : faelle) {
        const PortraitCode c = Portrait_Code_Zerlegen(Portrait_Code_Bauen(f.art, f.teil));
        EXPECT_EQ(c.art, f.soll_art);
        for (int t = 0; t < 5; ++t) EXPECT_EQ(c.teil[t], f.soll[t]) << "part " << t + 1;
    }
}

class PortraitTest : public test::WeltTest {
protected:
    test::BildInstallation inst;
    Rastport* ziel = nullptr;
    void SetUp() override {
        WeltTest::SetUp();
        Rastport_Cache_Clear();
        ziel = Rastport_Create(400, 220, 16, 0, 0);
        Rastport_Fill(ziel, 0, 0, -1, -1, 0x39E7, nullptr);
        // Team 2's kit colours: triples 1 and 2 red and white, 9 and 10 green and black.
        uint8_t f[36] = {};
        const uint8_t rot[3] = {220, 20, 20}, weiss[3] = {240, 240, 240}, gruen[3] = {20, 200, 20}, schwarz[3] = {30, 30, 30};
        std::copy(rot, rot + 3, f);
        std::copy(weiss, weiss + 3, f + 3);
        std::copy(gruen, gruen + 3, f + 24);
        std::copy(schwarz, schwarz + 3, f + 27);
        Team_Zeiger(700, 2, f, OP_SCHREIBEN);
    }
    void TearDown() override {
        Rastport_Cache_Clear();
        Rastport_Free(ziel);
        WeltTest::TearDown();
    }
    // Player 1 of team 2 plays in the field, player 0 is its goalkeeper.
    Rastport* Komponiert(int32_t code, bool torwart) {
        const int32_t i = torwart ? 8 : 0;
        uint8_t f[36];
        std::copy(static_cast<const uint8_t*>(Team_Zeiger(700, 2, nullptr, OP_LESEN)),
                  static_cast<const uint8_t*>(Team_Zeiger(700, 2, nullptr, OP_LESEN)) + 36, f);
        return Portrait_Zusammensetzen(code, Colour_Make(16, f[i * 3], f[i * 3 + 1], f[i * 3 + 2]),
                                       Colour_Make(16, f[i * 3 + 3], f[i * 3 + 4], f[i * 3 + 5]));
    }
    std::vector<uint16_t> Bereich(int x, int y, int w, int h) const {
        std::vector<uint16_t> v;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) v.push_back(Rastport_Pixels16(ziel)[(y + j) * 400 + x + i]);
        return v;
    }
};

TEST_F(PortraitTest, StandardSizeIsDrawnUnscaledAndCached) {
    const int32_t teile[5] = {3, 4, 5, 6, 7};
    const int32_t code = Portrait_Code_Bauen(0, teile);
    Spieler_Wert(65, 1, code, OP_SCHREIBEN);
    ASSERT_EQ(Spieler_Wert(65, 1, 0, OP_LESEN), code);
    Rastport* bild = Portrait_Zeichnen(1, 2, ziel, 10, 10, 0, 0);
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(bild->width, 85u);
    EXPECT_EQ(bild->height, 100u);
    Rastport* soll = Komponiert(code, false);
    ASSERT_NE(soll, nullptr);
    EXPECT_EQ(Bereich(10, 10, 85, 100), std::vector<uint16_t>(Rastport_Pixels16(soll), Rastport_Pixels16(soll) + 8500));
    EXPECT_EQ(Portrait_Zeichnen(1, 2, ziel, 200, 10, 85, 100), bild);   // the cached one
    EXPECT_EQ(Rastport_Cache_Belegt(), 1);
    Rastport_Free(soll);
}

TEST_F(PortraitTest, LargerIsScaledByNearestNeighbourSmallerByAveraging) {
    Spieler_Wert(65, 1, 0, OP_SCHREIBEN);
    Rastport* soll = Komponiert(0, false);
    ASSERT_NE(Portrait_Zeichnen(1, 2, ziel, 0, 0, 170, 200), nullptr);
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 85; x += 5)
            ASSERT_EQ(Rastport_Pixels16(ziel)[2 * y * 400 + 2 * x], Rastport_Pixels16(soll)[y * 85 + x]) << x << "," << y;
    Rastport* klein = Rastport_Create(42, 50, 16, 0, 0);
    ASSERT_EQ(Bild_Skalieren_Mittel(soll, klein), 1);
    ASSERT_NE(Portrait_Zeichnen(1, 2, ziel, 200, 0, 42, 50), nullptr);
    EXPECT_EQ(Bereich(200, 0, 42, 50), std::vector<uint16_t>(Rastport_Pixels16(klein), Rastport_Pixels16(klein) + 2100));
    Rastport_Free(klein);
    Rastport_Free(soll);
}

TEST_F(PortraitTest, ShirtTakesTheFieldOrGoalkeeperColours) {
    Spieler_Wert(65, 0, 0, OP_SCHREIBEN);   // the goalkeeper
    Spieler_Wert(65, 1, 0, OP_SCHREIBEN);
    ASSERT_EQ(Spieler_Wert(67, 0, 0, OP_LESEN), 0);
    ASSERT_NE(Portrait_Zeichnen(0, 2, ziel, 0, 0, 0, 0), nullptr);
    ASSERT_NE(Portrait_Zeichnen(1, 2, ziel, 100, 0, 0, 0), nullptr);
    const std::vector<uint16_t> torwart = Bereich(0, 0, 85, 100), feld = Bereich(100, 0, 85, 100);
    // Same face, different shirts.
    EXPECT_EQ(std::vector<uint16_t>(torwart.begin(), torwart.begin() + 60 * 85),
              std::vector<uint16_t>(feld.begin(), feld.begin() + 60 * 85));
    int32_t r, g, b;
    // Column 48 lies in a stripe of the first shirt mask.
    Colour_Split(feld[95 * 85 + 48], 16, &r, &g, &b);
    EXPECT_GT(r, g + 40);   // red shirt
    Colour_Split(torwart[95 * 85 + 48], 16, &r, &g, &b);
    EXPECT_GT(g, r + 40);   // green goalkeeper shirt
    // A team without colours (a bad number) keeps the grey default.
    Rastport* grau = Portrait_Zusammensetzen(0, Colour_Make(16, 180, 180, 180), Colour_Make(16, 240, 240, 240));
    ASSERT_NE(Portrait_Zeichnen(1, 9999, ziel, 200, 0, 0, 0), nullptr);
    EXPECT_EQ(Bereich(200, 0, 85, 100), std::vector<uint16_t>(Rastport_Pixels16(grau), Rastport_Pixels16(grau) + 8500));
    Rastport_Free(grau);
}

TEST_F(PortraitTest, NegativeCodeShowsThePhoto) {
    Spieler_Wert(65, 3, -1, OP_SCHREIBEN);
    ASSERT_LT(Spieler_Wert(65, 3, 0, OP_LESEN), 0);
    EXPECT_EQ(Portrait_Zeichnen(3, 2, ziel, 0, 0, 0, 0), nullptr);   // no photo yet
    test::Tga t;
    t.breite = 85;
    t.hoehe = 100;
    for (int i = 0; i < 8500; ++i) t.pixel.insert(t.pixel.end(), {255, 0, 0});   // blue
    test::Datei_Schreiben(std::string(Dirs_Get(DIR_SPIELERBILDER)) + "/3.tga", t.Bytes());
    ASSERT_NE(Portrait_Zeichnen(3, 2, ziel, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(Rastport_Pixels16(ziel)[50 * 400 + 40], 0x001F);
}

TEST_F(PortraitTest, WithoutThePartsNothingIsDrawn) {
    Portrait_Teile_Freigeben();
    const BildHooks alt = Bild_Hooks();
    Bild_Hooks() = BildHooks{};
    EXPECT_EQ(Portrait_Teile_Laden(), 0);
    EXPECT_EQ(Portrait_Zeichnen(1, 2, ziel, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(Rastport_Pixels16(ziel)[50 * 400 + 40], 0x39E7);
    Bild_Hooks() = alt;
    EXPECT_EQ(Portrait_Teile_Laden(), 1);
}

TEST_F(PortraitTest, ReferenceSheetOfFaces) {
    const int32_t codes[4][6] = {{0, 0, 0, 0, 0, 0}, {0, 5, 1, 12, 4, 9}, {1, 3, 1, 6, 2, 5}, {0, 9, 2, 40, 8, 20}};
    for (int i = 0; i < 4; ++i) {
        const int32_t code = Portrait_Code_Bauen(codes[i][0], codes[i] + 1);
        Spieler_Wert(65, 1 + i, code, OP_SCHREIBEN);
        ASSERT_NE(Portrait_Zeichnen(1 + i, 2, ziel, 4 + i * 90, 4, 0, 0), nullptr);
    }
    ASSERT_NE(Portrait_Zeichnen(1, 2, ziel, 4, 110, 42, 50), nullptr);
    ASSERT_NE(Portrait_Zeichnen(2, 2, ziel, 60, 110, 127, 105), nullptr);
    EXPECT_EQ(test::Png_Vergleichen("portraits", test::Rgb_Aus_565(Rastport_Pixels16(ziel), 400, 220)), "");
}

// Every choice of a part draws another face, and the picker's step to the
// next choice (also from the last back to the first) changes it visibly.
TEST_F(PortraitTest, EveryChoiceOfAPartDrawsAnotherFaceAndEachStepAVisibleChange) {
    constexpr int32_t SICHTBAR = 10;   // pixels that change at least with one step
    for (int32_t art : {0, 1}) {
        for (int32_t t = 0; t < 5; ++t) {
            const int32_t n = PORTRAIT_SATZ[1 + 5 * art + t].anzahl;
            std::vector<std::vector<uint16_t>> bilder;
            for (int32_t i = 0; i < n; ++i) {
                int32_t teile[5] = {1, 0, 1, 1, 1};   // no beard over the mouth
                teile[t] = i;
                Rastport* b = Komponiert(Portrait_Code_Bauen(art, teile), false);
                ASSERT_NE(b, nullptr);
                bilder.emplace_back(Rastport_Pixels16(b), Rastport_Pixels16(b) + PORTRAIT_BREITE * PORTRAIT_HOEHE);
                Rastport_Free(b);
            }
            for (int32_t i = 0; i < n; ++i) {
                for (int32_t j = 0; j < i; ++j)
                    EXPECT_NE(bilder[size_t(i)], bilder[size_t(j)]) << "kind " << art << ", part " << t + 1 << ": " << j << " and " << i;
                const auto& naechstes = bilder[size_t((i + 1) % n)];
                int32_t anders = 0;
                for (size_t k = 0; k < naechstes.size(); ++k) anders += naechstes[k] != bilder[size_t(i)][k];
                EXPECT_GE(anders, SICHTBAR) << "kind " << art << ", part " << t + 1 << ": step from " << i;
            }
        }
    }
}

}  // namespace
}  // namespace velmora
