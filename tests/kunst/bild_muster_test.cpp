// Resource files put together from groups of pictures, as the asset tool
// writes the installation.
#include "kunst/bild_muster.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>

#include "bilder/trikot.h"
#include "gfx/colour.h"
#include "tests/gfx/bild_support.h"

namespace velmora {
namespace {

TEST(MusterDatei, TwoPicturesClaimingOneEntryAreRefusedNamingBoth) {
    auto bild = [] { return Muster_Eintrag(Muster_Pokal(0), false); };
    const ResDateiEintrag leer = Res_Datenblock(nullptr, 0);
    MusterDatei d;
    EXPECT_EQ(Muster_Datei_Setzen(d, 0, {leer, bild(), bild()}, "the trophies"), "");
    // An empty entry claims nothing; a group behind the end grows the file.
    EXPECT_EQ(Muster_Datei_Setzen(d, 0, {bild()}, "the darkening"), "");
    EXPECT_EQ(Muster_Datei_Setzen(d, 5, {bild()}, "the logo"), "");
    ASSERT_EQ(d.eintraege.size(), 6u);
    EXPECT_EQ(d.eintraege[3].typ, RES_TYP_DATEN);
    EXPECT_EQ(d.eintraege[5].typ, RES_TYP_BITMAP);
    EXPECT_EQ(Muster_Datei_Setzen(d, 2, {bild(), bild()}, "the kits"), "entry 2: the trophies and the kits claim it");
    EXPECT_EQ(d.gruppen[2], "the trophies");   // the first picture stays
    EXPECT_EQ(d.gruppen[3], "the kits");
    EXPECT_EQ(Muster_Datei_Setzen(d, -1, {bild()}, "the kits"), "entry -1 lies before the file: the kits");
}

// A striped kit reads as its main colour: on the shirt's body the main colour
// covers at least twice as many pixels as the stripes, so a purple kit with
// yellow stripes and a yellow one with purple stripes are told apart at a glance.
TEST(MusterTrikot, TheMainColourLeadsTheStripesOnEveryKit) {
    for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k) {
        const TrikotStructure* t = Trikot_Get_TrikotStructure(k);
        ASSERT_NE(t, nullptr);
        if (!t->farbe4 || t->farbe4 == t->farbe1) continue;
        for (int32_t v = 0; v < 3; ++v) {
            Rastport* rp = Muster_Trikot(k, v);
            ASSERT_NE(rp, nullptr);
            const uint16_t* p = Rastport_Pixels16(rp);
            const int32_t w = int32_t(rp->width);
            const uint16_t haupt = p[10 * w + 9], streifen = p[10 * w + 12];
            ASSERT_NE(haupt, streifen) << "kit " << k;
            int32_t n_haupt = 0, n_streifen = 0;
            for (int32_t y = 7; y < 33; ++y)
                for (int32_t x = 8; x < 24; ++x) {
                    n_haupt += p[y * w + x] == haupt;
                    n_streifen += p[y * w + x] == streifen;
                }
            EXPECT_GE(n_haupt, 2 * n_streifen) << "kit " << k << " variant " << v;
            Rastport_Free(rp);
        }
    }
}

// The clubs' crests draw their two colours from one palette: any two colours
// the crests show differ clearly (two reds and two yellows that were hard to
// tell apart on a small crest are gone).
TEST(MusterWappen, AnyTwoColoursOfTheClubsCrestsAreToldApart) {
    std::set<uint16_t> farben;
    for (int32_t nummer = 1; nummer < 300; ++nummer) {
        Rastport* rp = Muster_Wappen(nummer);
        ASSERT_NE(rp, nullptr);
        // The middle row crosses both colours of every pattern but the bar, whose column shows them.
        for (int32_t x = 8; x < 58; ++x) farben.insert(Rastport_Pixels16(rp)[33 * 66 + x]);
        for (int32_t y = 8; y < 50; ++y) farben.insert(Rastport_Pixels16(rp)[y * 66 + 20]);
        Rastport_Free(rp);
    }
    farben.erase(0);                                      // beside the shield
    farben.erase(uint16_t(Colour_Pack565(0xD0, 0xD0, 0xD0)));   // its rim
    ASSERT_GE(farben.size(), 10u);
    auto rgb = [](uint16_t p) { return std::array<int32_t, 3>{(p >> 11) << 3, (p >> 5 & 63) << 2, (p & 31) << 3}; };
    for (uint16_t a : farben)
        for (uint16_t b : farben) {
            if (a >= b) continue;
            const auto x = rgb(a), y = rgb(b);
            EXPECT_GE(std::abs(x[0] - y[0]) + std::abs(x[1] - y[1]) + std::abs(x[2] - y[2]), 100)
                << std::hex << a << " and " << b << " are too alike";
        }
}

}  // namespace
}  // namespace velmora
