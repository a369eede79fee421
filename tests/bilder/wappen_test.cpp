// Trophies and crests drawn from the built-in pictures and picture files,
// scaled and kept in the generated-bitmap cache.
#include "bilder/wappen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "bilder/teamfarbe.h"
#include "bilder/wappen_rahmen.h"
#include "core/dirs.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/colour.h"
#include "gfx/schatten.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"
#include "tests/bilder/bild_support.h"
#include "tests/club/welt.h"
#include "tests/support/png.h"

namespace velmora {
namespace {

class WappenTest : public ::testing::Test {
protected:
    test::BildInstallation inst;
    test::LogFaenger faenger;
    Rastport* ziel = nullptr;
    void SetUp() override {
        ASSERT_TRUE(inst.welt.ok);
        Rastport_Cache_Clear();
        test::Welt_Bauen(4, 2);
        ziel = Rastport_Create(200, 120, 16, 0, 0);
        Rastport_Fill(ziel, 0, 0, -1, -1, 0x4208, nullptr);   // grey background
        Wappen_Statistik(nullptr, nullptr);
    }
    void TearDown() override {
        Rastport_Cache_Clear();
        Rastport_Free(ziel);
        test::Welt_Freigeben();
        Wettbewerb_Free();
    }
    uint16_t Px(int x, int y) const { return Rastport_Pixels16(ziel)[y * 200 + x]; }
    // Competitions 50-53 with graphic numbers 3, 18, 20 and none (league symbol 21).
    void Wettbewerbe() {
        std::vector<WettbewerbBeschreibung> w(4);
        const int32_t grafik[4] = {3, 18, 20, -1};
        for (int i = 0; i < 4; ++i) {
            w[size_t(i)].id = 50 + i;
            w[size_t(i)].name = "W" + std::to_string(i);
            w[size_t(i)].art = ART_POKAL;
            w[size_t(i)].grafik = grafik[i];
        }
        w[3].liga_symbol = 21;
        ASSERT_TRUE(Wettbewerb_Init(w));
    }
    void Installiertes_Bild(int32_t nummer, uint8_t r, uint8_t g, uint8_t b) {
        std::filesystem::create_directories(Dirs_Get(DIR_INSTALL_WAPPEN));
        test::Tga t;
        t.breite = 66;
        t.hoehe = 66;
        for (int i = 0; i < 66 * 66; ++i) t.pixel.insert(t.pixel.end(), {b, g, r});
        test::Datei_Schreiben(std::string(Dirs_Get(DIR_INSTALL_WAPPEN)) + "/" + std::to_string(nummer) + ".tga",
                              t.Bytes());
    }
};

TEST_F(WappenTest, CrestAtItsPictureSizeIsDrawnUnscaled) {
    Team_Wert(9, 2, 4, OP_SCHREIBEN);
    ASSERT_EQ(Wappen_Zeichnen(2, ziel, 10, 20, 0, 0, nullptr), 1);
    Rastport* soll = Muster_Wappen(4);
    int gleich = 0, gesetzt = 0;
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 66; ++x) {
            const uint16_t s = Rastport_Pixels16(soll)[y * 66 + x];
            if (!s) {
                EXPECT_EQ(Px(10 + x, 20 + y), 0x4208);   // transparent: background stays
                continue;
            }
            ++gesetzt;
            gleich += Px(10 + x, 20 + y) == s;
        }
    EXPECT_GT(gesetzt, 1000);
    EXPECT_EQ(gleich, gesetzt);
    Rastport_Free(soll);
}

TEST_F(WappenTest, CrestLargerThanItsPictureIsNotDrawn) {
    Team_Wert(9, 2, 1, OP_SCHREIBEN);
    EXPECT_EQ(Wappen_Zeichnen(2, ziel, 0, 0, 70, 70, nullptr), 0);
    EXPECT_EQ(Wappen_Zeichnen(2, ziel, 0, 0, 66, 67, nullptr), 0);
    for (int i = 0; i < 200 * 120; i += 17) ASSERT_EQ(Rastport_Pixels16(ziel)[i], 0x4208);
    EXPECT_EQ(Wappen_Zeichnen(2, nullptr, 0, 0, 30, 30, nullptr), 0);
}

TEST_F(WappenTest, SmallerCrestIsScaledAndCachedForTheNextFrame) {
    Team_Wert(9, 3, 2, OP_SCHREIBEN);
    ASSERT_EQ(Wappen_Zeichnen(3, ziel, 5, 5, 33, 33, nullptr), 1);
    // The shield's corners are transparent: the grey shows; its middle is coloured.
    EXPECT_EQ(Px(5, 5), 0x4208);
    EXPECT_NE(Px(5 + 16, 5 + 16), 0x4208);
    const std::vector<uint16_t> erst(Rastport_Pixels16(ziel), Rastport_Pixels16(ziel) + 200 * 120);
    Rastport_Fill(ziel, 0, 0, -1, -1, 0x4208, nullptr);
    ASSERT_EQ(Wappen_Zeichnen(3, ziel, 5, 5, 33, 33, nullptr), 1);
    EXPECT_EQ(std::vector<uint16_t>(Rastport_Pixels16(ziel), Rastport_Pixels16(ziel) + 200 * 120), erst);
    int32_t treffer = -1, neu = -1;
    Wappen_Statistik(&treffer, &neu);
    EXPECT_EQ(treffer, 1);
    EXPECT_EQ(neu, 1);
    Wappen_Statistik(&treffer, &neu);
    EXPECT_EQ(treffer, 0);   // counts start again each frame
    EXPECT_EQ(neu, 0);
    EXPECT_EQ(Rastport_Cache_Belegt(), 1);
    Rastport_Cache_Purge();   // used this frame: stays
    Rastport_Cache_Purge();   // not used in the next: gone
    EXPECT_EQ(Rastport_Cache_Belegt(), 0);
}

TEST_F(WappenTest, OwnCrestPictureIsPreferredAndFallsBackToTheBuiltIn) {
    Team_Wert(9, 4, 3, OP_SCHREIBEN);
    Team_Wert(7, 4, TEAM_STATUS_WAPPEN, 8);
    test::Tga t;
    t.breite = 40;
    t.hoehe = 30;
    for (int i = 0; i < 40 * 30; ++i) t.pixel.insert(t.pixel.end(), {0, 0, 255});   // red
    test::Datei_Schreiben(std::string(Dirs_Get(DIR_WAPPENBILDER)) + "/3.tga", t.Bytes());
    ASSERT_EQ(Wappen_Zeichnen(4, ziel, 0, 0, 40, 30, nullptr), 1);
    EXPECT_EQ(Px(0, 0), 0xF800);
    EXPECT_EQ(Px(39, 29), 0xF800);
    EXPECT_EQ(Wappen_Zeichnen(4, ziel, 0, 0, 0, 0, nullptr), 0);   // 66 x 66 exceeds the 40 x 30 picture
    // Without the picture file the built-in crest 3 is drawn.
    std::filesystem::remove(std::string(Dirs_Get(DIR_WAPPENBILDER)) + "/3.tga");
    Rastport_Fill(ziel, 0, 0, -1, -1, 0x4208, nullptr);
    ASSERT_EQ(Wappen_Zeichnen(4, ziel, 100, 0, 66, 66, nullptr), 1);
    Rastport* soll = Muster_Wappen(3);
    EXPECT_EQ(Px(100 + 33, 33), Rastport_Pixels16(soll)[33 * 66 + 33]);
    Rastport_Free(soll);
}

TEST_F(WappenTest, ShadowGrowsTheCachedArea) {
    Team_Wert(9, 2, 5, OP_SCHREIBEN);
    const SchattenParameter schatten{2, 3, 5, 0};
    ASSERT_EQ(Wappen_Zeichnen(2, ziel, 0, 0, 66, 66, &schatten), 1);
    const int32_t parameter[7] = {2, 66, 66, 0, 0,
                                  2 | 3 << 8 | 5 << 16, int32_t(uint32_t(reinterpret_cast<uintptr_t>(ziel)))};
    Rastport* fertig = Rastport_Cache_Find(parameter, 7, CACHE_ART_WAPPEN);
    ASSERT_NE(fertig, nullptr);
    EXPECT_EQ(fertig->width, 66u + 5 + 2 + 1);
    EXPECT_EQ(fertig->height, 66u + 5 + 3 + 1);
    // The shadow darkens the grey right of the shield.
    int dunkel = 0;
    for (int y = 10; y < 60; ++y)
        for (int x = 66; x < 73; ++x) dunkel += Px(x, y) != 0x4208;
    EXPECT_GT(dunkel, 20);
}

TEST_F(WappenTest, CrestNumberBeyondTheTableTakesTheLastEntry) {
    Team_Wert(9, 2, 1999, OP_SCHREIBEN);
    EXPECT_EQ(Wappen_Zeichnen(2, ziel, 0, 0, 0, 0, nullptr), 0);   // the small installation has no entry 1999
    test::BildInstallation gross(2000, 1);
    Team_Wert(9, 2, 2500, OP_SCHREIBEN);
    ASSERT_EQ(Wappen_Zeichnen(2, ziel, 0, 0, 0, 0, nullptr), 1);
    Rastport* soll = Muster_Wappen(1999);
    EXPECT_EQ(Px(33, 33), Rastport_Pixels16(soll)[33 * 66 + 33]);
    Rastport_Free(soll);
}

TEST_F(WappenTest, TrophySizeRules) {
    Wettbewerbe();
    EXPECT_EQ(Pokal_Zeichnen(50, 2, ziel, 0, 0, 70, 50, nullptr), 0);
    for (int i = 0; i < 200 * 120; i += 13) ASSERT_EQ(Rastport_Pixels16(ziel)[i], 0x4208);
    ASSERT_EQ(Pokal_Zeichnen(50, 2, ziel, 0, 0, 50, 50, nullptr), 1);
    ASSERT_EQ(Pokal_Zeichnen(50, 2, ziel, 100, 0, 0, 0, nullptr), 1);
    // Unscaled at 66 x 66: the built-in trophy 4135 + 3.
    Rastport* soll = Muster_Pokal(3);
    int gleich = 0, gesetzt = 0;
    for (int i = 0; i < 66 * 66; ++i) {
        const uint16_t s = Rastport_Pixels16(soll)[i];
        if (!s) continue;
        ++gesetzt;
        gleich += Px(100 + i % 66, i / 66) == s;
    }
    EXPECT_EQ(gleich, gesetzt);
    Rastport_Free(soll);
    EXPECT_EQ(Rastport_Cache_Belegt(), 2);
}

TEST_F(WappenTest, TheInstallationsTrophiesLieAtTheirMovedEntries) {
    inst.Erzeugte_Datei(BILD_RES_POKALE, "ulvo_res.res");
    for (const int32_t g : {0, 3, 195})
        EXPECT_EQ(test::Eintrag_Vergleichen(BILD_RES_POKALE, 4135 + g, Muster_Pokal(g)), "") << "graphic " << g;
}

TEST_F(WappenTest, TrophyOfGraphicEighteenDiffersBetweenTheTwoDrawers) {
    Wettbewerbe();
    Installiertes_Bild(18, 0, 0, 255);   // a blue square
    ASSERT_EQ(Pokal_Zeichnen(51, 2, ziel, 0, 0, 66, 66, nullptr), 1);
    EXPECT_NE(Px(1, 1), 0x001F);   // the built-in trophy leaves its corner transparent
    EXPECT_EQ(Px(1, 1), 0x4208);
    ASSERT_EQ(Pokal_Zeichnen_2(51, 2, ziel, 100, 0, 66, 66, nullptr), 1);
    EXPECT_EQ(Px(101, 1), 0x001F);   // the installed picture
    // Graphic 20 with an installed picture: both draw the file.
    Installiertes_Bild(20, 255, 0, 0);
    ASSERT_EQ(Pokal_Zeichnen(52, 2, ziel, 0, 50, 30, 30, nullptr), 1);
    EXPECT_EQ(Px(15, 65), 0xF800);
    // The league symbol comes first in the second drawer.
    Installiertes_Bild(21, 0, 255, 0);
    ASSERT_EQ(Pokal_Zeichnen_2(53, 2, ziel, 100, 50, 30, 30, nullptr), 1);
    EXPECT_EQ(Px(115, 65), 0x07E0);
    // Without a graphic and without a league symbol file, nothing can be drawn.
    std::filesystem::remove(std::string(Dirs_Get(DIR_INSTALL_WAPPEN)) + "/21.tga");
    EXPECT_EQ(Pokal_Zeichnen(53, 2, ziel, 0, 0, 66, 66, nullptr), 0);
    // No competition at all: the team's competition is asked.
    Team_Wert(11, 3, 50, OP_SCHREIBEN);
    EXPECT_EQ(Pokal_Zeichnen(-1, 3, ziel, 150, 60, 40, 40, nullptr), 1);
    Team_Wert(11, 3, -1, OP_SCHREIBEN);
    EXPECT_EQ(Pokal_Zeichnen(-1, 3, ziel, 150, 60, 41, 40, nullptr), 0);
}

TEST_F(WappenTest, ReferenceSheetOfCrestsAndTrophies) {
    Wettbewerbe();
    Rastport_Fill(ziel, 0, 0, -1, -1, Colour_Pack565(60, 90, 60), nullptr);
    const SchattenParameter schatten{2, 2, 5, 0};
    for (int i = 0; i < 4; ++i) {
        Team_Wert(9, 2 + i, i, OP_SCHREIBEN);
        ASSERT_EQ(Wappen_Zeichnen(2 + i, ziel, 4 + i * 48, 4, 40, 40, i % 2 ? &schatten : nullptr), 1);
    }
    ASSERT_EQ(Wappen_Zeichnen(2, ziel, 4, 50, 0, 0, &schatten), 1);
    ASSERT_EQ(Pokal_Zeichnen(50, 2, ziel, 80, 50, 0, 0, &schatten), 1);
    ASSERT_EQ(Pokal_Zeichnen(51, 2, ziel, 152, 60, 44, 44, nullptr), 1);
    const std::string fehler = test::Png_Vergleichen("wappen_pokale", test::Rgb_Aus_565(Rastport_Pixels16(ziel), 200, 120));
    EXPECT_EQ(fehler, "");
}

// The shadowed crests and logos of the screens.
class SchattenRahmenTest : public WappenTest {
protected:
    void SetUp() override {
        WappenTest::SetUp();
        Schatten_Cache_Leeren();
    }
    void TearDown() override {
        Schatten_Cache_Leeren();
        Schatten_Hooks() = SchattenHooks{};
        WappenTest::TearDown();
    }
};

TEST_F(SchattenRahmenTest, CrestIsDrawnWithItsShadowAndItsBoxIsCached) {
    Team_Wert(9, 2, 4, OP_SCHREIBEN);
    Rastport* soll = Muster_Wappen(4);
    ASSERT_EQ(Rastport_Pixels16(soll)[0], 0);   // the shield's corner is transparent
    // The key flag keeps the background in the picture's transparent pixels.
    for (int32_t key : {0, 1}) {
        Schatten_Cache_Leeren();
        Rastport_Fill(ziel, 0, 0, -1, -1, 0x4208, nullptr);
        Rastport* r = Schatten_Rahmen(0, ziel, 0, 2, 10, 20, key, 0, 0, 0, -1);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r, Schatten_Cache_Suchen(0, 0, 66 + 5, 66 + 5, 10, 20));   // 0 x 0 is looked up as 66 x 66
        EXPECT_EQ(Px(10 + 33, 20 + 33), Rastport_Pixels16(soll)[33 * 66 + 33]);
        EXPECT_EQ(Px(10, 20), key ? 0x4208 : 0) << key;
    }
    // Kind 2 for a 66-pixel picture: its shadow darkens the grey right of and below the shield.
    int dunkel = 0;
    for (int y = 20; y < 20 + 72; ++y)
        for (int x = 10 + 60; x < 10 + 72; ++x) dunkel += Px(x, y) != 0x4208 && Px(x, y) != 0;
    EXPECT_GT(dunkel, 20);
    // The next frame copies the cached box, whatever lies beneath now.
    const std::vector<uint16_t> erst(Rastport_Pixels16(ziel), Rastport_Pixels16(ziel) + 200 * 120);
    Rastport_Fill(ziel, 0, 0, -1, -1, 0x1111, nullptr);
    ASSERT_NE(Schatten_Rahmen(0, ziel, 0, 2, 10, 20, 1, 0, 0, 0, -1), nullptr);
    for (int y = 20; y < 20 + 71; ++y)
        for (int x = 10; x < 10 + 71; ++x) ASSERT_EQ(Px(x, y), erst[size_t(y) * 200 + x]) << x << "," << y;
    EXPECT_EQ(Px(0, 0), 0x1111);
    Rastport_Free(soll);
}

TEST_F(SchattenRahmenTest, ScaledCrestKeepsTheBackgroundAroundTheShield) {
    Team_Wert(9, 3, 2, OP_SCHREIBEN);
    ASSERT_NE(Schatten_Rahmen(0, ziel, 0, 3, 100, 10, 0, 33, 33, 0, -1), nullptr);
    EXPECT_NE(Schatten_Cache_Suchen(0, 0, 33 + 5, 33 + 5, 100, 10), nullptr);
    EXPECT_EQ(Px(100, 10), 0x4208);
    EXPECT_NE(Px(100 + 16, 10 + 16), 0x4208);
    // Without a destination nothing is drawn and the caller owns the picture;
    // a negative height takes the width.
    const std::vector<uint16_t> vorher(Rastport_Pixels16(ziel), Rastport_Pixels16(ziel) + 200 * 120);
    Rastport* frei = Schatten_Rahmen(0, nullptr, 0, 3, 0, 0, 0, 20, -1, 0, -1);
    ASSERT_NE(frei, nullptr);
    EXPECT_EQ(frei->width, 20u);
    EXPECT_EQ(frei->height, 20u);
    Rastport_Free(frei);
    EXPECT_EQ(std::vector<uint16_t>(Rastport_Pixels16(ziel), Rastport_Pixels16(ziel) + 200 * 120), vorher);
    // A crest the resource file does not hold: nothing.
    Team_Wert(9, 3, 500, OP_SCHREIBEN);
    EXPECT_EQ(Schatten_Rahmen(0, ziel, 0, 3, 150, 10, 0, 20, 20, 0, -1), nullptr);
    EXPECT_EQ(Px(150 + 10, 10 + 10), 0x4208);
}

Rastport*& Logo() {
    static Rastport* logo = nullptr;
    return logo;
}
std::vector<int32_t>& Logo_Nummern() {
    static std::vector<int32_t> n;
    return n;
}

TEST_F(SchattenRahmenTest, CompetitionLogoComesFromTheMenusPictures) {
    Wettbewerbe();
    // Without the menu no logo loads.
    EXPECT_EQ(Schatten_Rahmen(0, nullptr, 0, 2, 0, 0, 0, 0, 0, 1, -1), nullptr);
    EXPECT_TRUE(test::Log_Enthaelt("Schatten_Rahmen: kein Menue"));
    Logo() = Rastport_Create(24, 24, 16, 0, 0);
    Rastport_Fill(Logo(), 0, 0, -1, -1, 0x001F, nullptr);
    Logo_Nummern().clear();
    Schatten_Hooks().slave_rastport = [](int32_t nummer) {
        Logo_Nummern().push_back(nummer);
        return Logo();
    };
    // Team 2 plays in competition 50 (graphic 3); competition 51 has graphic 18.
    Rastport* kopie = Schatten_Rahmen(0, nullptr, 0, 2, 0, 0, 0, 0, 0, 1, -1);
    ASSERT_NE(kopie, nullptr);
    EXPECT_NE(kopie, Logo());   // the menu's picture stays the menu's
    EXPECT_EQ(kopie->width, 24u);
    Rastport_Free(kopie);
    Rastport* r = Schatten_Rahmen(0, ziel, 0, 2, 40, 40, 0, 0, 0, 1, 51);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r, Schatten_Cache_Suchen(0, 0, 24 + 5, 24 + 5, 40, 40));
    EXPECT_EQ(Px(40 + 12, 40 + 12), 0x001F);
    EXPECT_EQ(Logo_Nummern(), (std::vector<int32_t>{SCHATTEN_LOGO_ERSTER + 3, SCHATTEN_LOGO_ERSTER + 18}));
    // A competition without a graphic, or a team without a competition: nothing.
    EXPECT_EQ(Schatten_Rahmen(0, ziel, 0, 2, 100, 40, 0, 0, 0, 1, 53), nullptr);
    Team_Wert(11, 3, -1, OP_SCHREIBEN);
    EXPECT_EQ(Schatten_Rahmen(0, ziel, 0, 3, 100, 40, 0, 0, 0, 1, -1), nullptr);
    EXPECT_EQ(Logo_Nummern().size(), 2u);
    Logo() = Rastport_Free(Logo());
}

TEST_F(WappenTest, ManagerTextColourMarksTheLocalTeamAndForeignClubs) {
    std::vector<WettbewerbBeschreibung> w(2);
    w[0].id = 60, w[0].name = "Pokal", w[0].art = ART_POKAL;
    w[1].id = 61, w[1].name = "Europa", w[1].art = ART_INTERNATIONAL;
    ASSERT_TRUE(Wettbewerb_Init(w));
    Team_Lokal_Setzen(2);
    Team_Wert(6, 4, 5, OP_SCHREIBEN);   // team 4 abroad, team 3 at home
    struct Fall {
        int32_t lokal, team, wettbewerb;
        uint16_t soll;
    };
    const Fall faelle[] = {
        {2, 2, 61, 0xEF4D}, {2, 2, -1, 0xEF4D}, {2, 2, 60, 0xEF4D},   // the local team whatever the competition
        {2, 3, -1, 0xFFFA}, {2, 4, -1, 0xFFFA},                       // no competition
        {2, 3, 61, 0xFFFF}, {2, 3, -2, 0xFFFF},                       // same nation
        {2, 4, 61, 0xCE99}, {2, 4, -2, 0xCE99}, {2, 4, 60, 0xFFFF},   // abroad: international shaded
        {-1, 3, 61, 0xCE99}, {-1, 3, 60, 0xFFFF},                     // no local team
    };
    for (const Fall& f : faelle) {
        Team_Lokal_Setzen(f.lokal);
        EXPECT_EQ(Manager_Textfarbe(f.team, f.wettbewerb), f.soll) << f.lokal << " " << f.team << " " << f.wettbewerb;
    }
    Team_Lokal_Setzen(-1);
}

}  // namespace
}  // namespace velmora
