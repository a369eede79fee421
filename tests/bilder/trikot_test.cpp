// The kit table, storing kits, best fit, the clash rule, match kits, kit
// drawing and player colours.
#include "bilder/trikot.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "bilder/wappen.h"
#include "club/team.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "tests/bilder/bild_support.h"
#include "tests/club/welt.h"
#include "tests/support/png.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

class TrikotTest : public test::WeltTest {};

TEST(TrikotTabelle, TellingRowsAndTheRulesOfEveryRow) {
    struct Zeile {
        int32_t n;
        uint32_t f1, f2, f3, f4, bild;
    };
    const Zeile zeilen[] = {{0, 0xF0F0F0, 0xF01018, 0xD8D8D8, 0, 4016},
                            {1, 0x20B8F0, 0x0890C8, 0xD0D0D0, 0, 4029},
                            {100, 0xA50000, 0xA50000, 0xA50000, 0xA50000, 5316},
                            {239, 0x2169FF, 0x0000FF, 0xC6C3C6, 0x2169FF, 7123}};
    // The kit pictures of the build's installation, read as the game reads them.
    test::BildInstallation inst;
    inst.Erzeugte_Datei(BILD_RES_TRIKOTS, "oddo_res.res");
    for (const Zeile& z : zeilen) {
        const TrikotStructure* t = Trikot_Get_TrikotStructure(z.n);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->farbe1, z.f1);
        EXPECT_EQ(t->farbe2, z.f2);
        EXPECT_EQ(t->farbe3, z.f3);
        EXPECT_EQ(t->farbe4, z.f4);
        EXPECT_EQ(t->bild, z.bild);
        EXPECT_EQ(test::Eintrag_Vergleichen(BILD_RES_TRIKOTS, int32_t(z.bild) + 2, Muster_Trikot(z.n, 2)), "")
            << "kit " << z.n;
    }
    // Below 4000 the kit file belongs to the menus' slave numbers.
    test::LogFaenger log;
    EXPECT_EQ(Bild_Res_Laden(BILD_RES_TRIKOTS, 16), nullptr);
    EXPECT_TRUE(Log_Enthaelt("Bild_Res_Laden: Datei 7 hat keinen direkten Eintrag 16"));
    int ohne_vierte = 0;
    for (int32_t n = 0; n < TRIKOT_ANZAHL; ++n) {
        const TrikotStructure* t = Trikot_Get_TrikotStructure(n);
        EXPECT_EQ(t->leer, 0u);
        EXPECT_EQ(t->nummer, uint32_t(n));
        EXPECT_EQ(t->bild, uint32_t(4016 + 13 * n));
        ohne_vierte += t->farbe4 == 0;
    }
    EXPECT_EQ(ohne_vierte, 80);
}

TEST(TrikotTabelle, NumbersOutsideTheTableAreRefusedWithTheirMessage) {
    test::LogFaenger log;
    EXPECT_EQ(Trikot_Get_TrikotStructure(240), nullptr);
    EXPECT_TRUE(Log_Enthaelt("Trikot_Get_TrikotStructure() nTrikotNr"));
    EXPECT_EQ(Trikot_Get_TrikotStructure(-1), nullptr);
    EXPECT_FALSE(Trikot_Get_TrikotResource(240, nullptr, nullptr));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Get_TrikotResource() nTrikotNr"));
    EXPECT_EQ(Trikot_Get_RP_Bitmap(240, 0), nullptr);
    EXPECT_TRUE(Log_Enthaelt("Trikot_Get_RP_Bitmap() nTrikotNr"));
    EXPECT_FALSE(Trikot_Blt_Trikot(nullptr, 240, 0, 0, 0, 1, 0, 0));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Blt_Trikot() nTrikotNr"));
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(240, 0, 120, true));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Is_Trikot_Equal() nTrikotNr1"));
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(0, 240, 120, true));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Is_Trikot_Equal() nTrikotNr2"));
}

TEST(TrikotFarbe, MatchesWithinTheToleranceInEveryChannel) {
    struct Fall {
        uint32_t a, b;
        int32_t t;
        bool gleich;
    };
    const Fall faelle[] = {{0x102030, 0x102030, 0, true},  {0x102030, 0x112030, 0, false},
                           {0x000000, 0x787878, 120, true}, {0x000000, 0x790000, 120, false},
                           {0xFF0000, 0x870000, 120, true}, {0x0000FF, 0x000086, 120, false}};
    for (const Fall& f : faelle) EXPECT_EQ(Trikot_Farbe_Gleich(f.a, f.b, f.t), f.gleich) << std::hex << f.a << " " << f.b;
}

TEST(TrikotClash, StrictAndLooseRules) {
    EXPECT_TRUE(Trikot_Is_Trikot_Equal(0, 0, 0, true));
    EXPECT_TRUE(Trikot_Is_Trikot_Equal(0, 0, 0, false));
    // Find two kits whose colours 1, 2 and 3 all lie more than 120 apart in some channel.
    int32_t a = -1, b = -1;
    for (int32_t i = 0; i < TRIKOT_ANZAHL && a < 0; ++i)
        for (int32_t j = 0; j < TRIKOT_ANZAHL; ++j) {
            const TrikotStructure *x = Trikot_Get_TrikotStructure(i), *y = Trikot_Get_TrikotStructure(j);
            if (!Trikot_Farbe_Gleich(x->farbe1, y->farbe1, 120) && !Trikot_Farbe_Gleich(x->farbe2, y->farbe2, 120) &&
                !Trikot_Farbe_Gleich(x->farbe3, y->farbe3, 120)) {
                a = i, b = j;
                break;
            }
        }
    ASSERT_GE(a, 0);
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(a, b, 120, true));
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(a, b, 120, false));
    // Kits 0 and 1: colours 3 are both light grey, colours 1 and 2 differ.
    ASSERT_FALSE(Trikot_Farbe_Gleich(Trikot_Get_TrikotStructure(0)->farbe1, Trikot_Get_TrikotStructure(1)->farbe1, 120));
    ASSERT_FALSE(Trikot_Farbe_Gleich(Trikot_Get_TrikotStructure(0)->farbe2, Trikot_Get_TrikotStructure(1)->farbe2, 120));
    EXPECT_TRUE(Trikot_Is_Trikot_Equal(0, 1, 120, true));
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(0, 1, 120, false));
}

TEST_F(TrikotTest, StoringAKitWritesItsColoursIntoTheKindsTriples) {
    ASSERT_EQ(Trikot_Set_TrikotNr(2, 239, 1), 1);
    EXPECT_EQ(Team_Get_TrikotNr(2, 1), 239);
    EXPECT_EQ(Team_Wert(23, 2, 0, OP_LESEN), 239);
    const uint8_t* f = static_cast<const uint8_t*>(Team_Zeiger(700, 2, nullptr, OP_LESEN));
    // Colour 1, colour 2, colour 4, colour 3 as red, green, blue.
    const std::vector<uint8_t> soll = {0xFF, 0x69, 0x21, 0xFF, 0x00, 0x00, 0xFF, 0x69, 0x21, 0xC6, 0xC3, 0xC6};
    EXPECT_EQ(std::vector<uint8_t>(f + 12, f + 24), soll);
    EXPECT_TRUE(Log_Enthaelt("Trikot von Team: 2 gespeichert"));
    // Kind 3 has no triples: only the number changes.
    const std::vector<uint8_t> vorher(f, f + 36);
    ASSERT_EQ(Trikot_Set_TrikotNr(2, 5, 3), 1);
    EXPECT_EQ(Team_Get_TrikotNr(2, 3), 5);
    EXPECT_EQ(std::vector<uint8_t>(f, f + 36), vorher);
    // Bad kit, kind or team: nothing changes.
    EXPECT_EQ(Trikot_Set_TrikotNr(2, 240, 0), 0);
    EXPECT_TRUE(Log_Enthaelt("Trikot_Set_TrikotNr() nTrikotNr"));
    EXPECT_EQ(Trikot_Set_TrikotNr(2, 4, 4), 0);
    EXPECT_EQ(Trikot_Set_TrikotNr(999, 4, 0), 0);
    EXPECT_TRUE(Log_Enthaelt("Trikot_Set_TrikotNr TEAM_FARBEN = NULL"));
    EXPECT_EQ(Team_Get_TrikotNr(2, 1), 239);
    EXPECT_EQ(Team_Get_TrikotNr(2, 7), 0);
}

TEST_F(TrikotTest, BestFitFindsTheFirstKitAtTheSmallestTolerance) {
    uint8_t f[36] = {};
    // Kind 0: triple 1 exactly kit 1's colour 1, triple 3 exactly its colour 3.
    const TrikotStructure* k1 = Trikot_Get_TrikotStructure(1);
    f[0] = uint8_t(k1->farbe1), f[1] = uint8_t(k1->farbe1 >> 8), f[2] = uint8_t(k1->farbe1 >> 16);
    f[6] = uint8_t(k1->farbe3), f[7] = uint8_t(k1->farbe3 >> 8), f[8] = uint8_t(k1->farbe3 >> 16);
    Team_Zeiger(700, 2, f, OP_SCHREIBEN);
    int32_t erwartet = -1;
    for (int32_t k = 0; k < TRIKOT_ANZAHL && erwartet < 0; ++k)
        if (Trikot_Get_TrikotStructure(k)->farbe1 == k1->farbe1 && Trikot_Get_TrikotStructure(k)->farbe3 == k1->farbe3)
            erwartet = k;
    EXPECT_EQ(Berechne_TrikotArt(2, 0, 80), erwartet);
    EXPECT_EQ(Berechne_TrikotArt(2, 0, 1), erwartet);   // tolerance 0 is tried
    EXPECT_EQ(Berechne_TrikotArt(2, 0, 0), -1);         // limit 0 looks at nothing
    // Off by 4 in red: found from tolerance 6 on, not below 4.
    f[0] = uint8_t(f[0] >= 4 ? f[0] - 4 : f[0] + 4);
    Team_Zeiger(700, 2, f, OP_SCHREIBEN);
    EXPECT_EQ(Berechne_TrikotArt(2, 0, 4), -1);
    EXPECT_NE(Berechne_TrikotArt(2, 0, 7), -1);
    EXPECT_EQ(Berechne_TrikotArt(2, 3, 80), -1);   // the second keeper kit has no colours
}

// The one-pass search gives the kit the stepwise one does: the tolerance
// widened by 3 from 0 while below the limit, the first kit of the table
// within it. Colours near a kit's (off by 0-9 per channel) and random ones.
TEST_F(TrikotTest, BestFitEqualsTheStepwiseSearch) {
    auto stufenweise = [](uint32_t a, uint32_t b, int32_t limit) {
        for (int32_t t = 0; t < limit; t += 3)
            for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k)
                if (Trikot_Farbe_Gleich(Trikot_Get_TrikotStructure(k)->farbe1, a, t) &&
                    Trikot_Farbe_Gleich(Trikot_Get_TrikotStructure(k)->farbe3, b, t))
                    return k;
        return -1;
    };
    uint32_t zufall = 12345;
    auto naechste = [&] { return zufall = zufall * 1103515245u + 12345u; };
    auto verschoben = [&](uint32_t farbe) {
        uint32_t r = 0;
        for (int32_t s = 0; s < 24; s += 8) {
            const int32_t c = std::clamp(int32_t((farbe >> s) & 0xFF) + int32_t(naechste() >> 16) % 19 - 9, 0, 255);
            r |= uint32_t(c) << s;
        }
        return r;
    };
    uint8_t f[36] = {};
    for (int32_t fall = 0; fall < 400; ++fall) {
        const TrikotStructure* k = Trikot_Get_TrikotStructure(int32_t(naechste() >> 16) % TRIKOT_ANZAHL);
        const bool nah = fall % 2 == 0;
        const uint32_t a = nah ? verschoben(k->farbe1) : (naechste() >> 8) & 0xFFFFFF;
        const uint32_t b = nah ? verschoben(k->farbe3) : (naechste() >> 8) & 0xFFFFFF;
        for (int32_t i = 0; i < 3; ++i) {
            f[i] = uint8_t(a >> (8 * i));
            f[6 + i] = uint8_t(b >> (8 * i));
        }
        Team_Zeiger(700, 2, f, OP_SCHREIBEN);
        for (int32_t limit : {1, 3, 4, 7, 30, 80, 256}) {
            EXPECT_EQ(Berechne_TrikotArt(2, 0, limit), stufenweise(a, b, limit)) << fall << " limit " << limit;
        }
    }
}

TEST_F(TrikotTest, FieldPlayersAwayKitIsRedrawnOnlyOnAClashAndWornOnlyOnAClashThePitchSees) {
    // No clash: the away team's kit 1 becomes a copy of its kit 0.
    int32_t a = -1, b = -1;
    for (int32_t j = 1; j < TRIKOT_ANZAHL && b < 0; ++j)
        if (!Trikot_Is_Trikot_Equal(0, j, TRIKOT_TOLERANZ, true)) b = j;
    ASSERT_GE(b, 0);
    Team_Wert(19, 2, 0, OP_SCHREIBEN);
    Team_Wert(19, 3, b, OP_SCHREIBEN);
    int32_t h = -1;
    ASSERT_TRUE(Trikot_Team_VS_Team(2, 3, &h, &a, 0));
    EXPECT_EQ(h, 0);
    EXPECT_EQ(a, b);
    EXPECT_EQ(Team_Get_TrikotNr(3, 1), b);
    EXPECT_FALSE(Log_Enthaelt("AltSpTrikot"));
    // Same kit: a drawn kit that does not clash, which the away side wears.
    Team_Wert(19, 3, 0, OP_SCHREIBEN);
    ASSERT_TRUE(Trikot_Team_VS_Team(2, 3, &h, &a, 0));
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(a, 0, TRIKOT_TOLERANZ, true));
    EXPECT_EQ(Team_Get_TrikotNr(3, 1), a);
    EXPECT_TRUE(Log_Enthaelt("Trikot_Team_VS_Team() AltSpTrikot überschrieben"));
    // Kits alike in their hems only: the kind-1 kit is drawn anew, but the
    // away side keeps its first kit on, as the pitch shows it.
    int32_t x = -1, y = -1;
    for (int32_t i = 0; i < TRIKOT_ANZAHL && y < 0; ++i)
        for (int32_t j = 0; j < TRIKOT_ANZAHL && y < 0; ++j)
            if (Trikot_Is_Trikot_Equal(i, j, TRIKOT_TOLERANZ, true) && !Trikot_Is_Trikot_Equal(i, j, TRIKOT_TOLERANZ, false)) {
                x = i;
                y = j;
            }
    ASSERT_GE(y, 0);
    Team_Wert(19, 2, x, OP_SCHREIBEN);
    Team_Wert(19, 3, y, OP_SCHREIBEN);
    ASSERT_TRUE(Trikot_Team_VS_Team(2, 3, &h, &a, 0));
    EXPECT_EQ(h, x);
    EXPECT_EQ(a, y);
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(Team_Get_TrikotNr(3, 1), x, TRIKOT_TOLERANZ, true));
    Team_Wert(19, 2, 0, OP_SCHREIBEN);
    // Bad kits and modes.
    Team_Wert(19, 3, 240, OP_SCHREIBEN);
    if (Team_Wert(19, 3, 0, OP_LESEN) == 240) {
        EXPECT_FALSE(Trikot_Team_VS_Team(2, 3, &h, &a, 0));
        EXPECT_TRUE(Log_Enthaelt("Trikot_Team_VS_Team() nAuswTrk == NULL"));
    }
    EXPECT_FALSE(Trikot_Team_VS_Team(2, 3, &h, &a, 1));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Team_VS_Team() nModus == ???"));
}

TEST_F(TrikotTest, AwayKeeperMovesToTheSecondKeeperKitThenToADrawnOne) {
    // Home field kit x, home keeper z and away field kit y; an away keeper kit
    // w that clashes with none of them.
    const int32_t x = 0, y = 0, z = 0;
    int32_t w = -1;
    for (int32_t k = 1; k < TRIKOT_ANZAHL && w < 0; ++k)
        if (!Trikot_Is_Trikot_Equal(k, 0, TRIKOT_TOLERANZ, true)) w = k;
    ASSERT_GE(w, 0);
    Team_Wert(19, 2, x, OP_SCHREIBEN);
    Team_Wert(22, 2, z, OP_SCHREIBEN);
    Team_Wert(19, 3, y, OP_SCHREIBEN);
    Team_Wert(22, 3, w, OP_SCHREIBEN);   // no clash: kept
    int32_t hg = -1, ag = -1;
    ASSERT_TRUE(Trikot_Team_VS_Team(2, 3, &hg, &ag, 2));
    EXPECT_EQ(hg, z);
    EXPECT_EQ(ag, w);
    // The away keeper wears the home keeper's kit: kind 3 is taken.
    Team_Wert(22, 3, z, OP_SCHREIBEN);
    Team_Wert(24, 3, w, OP_SCHREIBEN);
    ASSERT_TRUE(Trikot_Team_VS_Team(2, 3, &hg, &ag, 2));
    EXPECT_EQ(ag, w);
    EXPECT_FALSE(Log_Enthaelt("AltTrwTrikot"));
    // Kind 3 clashes too: a drawn kit that does not clash with the away field kit.
    Team_Wert(24, 3, x, OP_SCHREIBEN);
    ASSERT_TRUE(Trikot_Team_VS_Team(2, 3, &hg, &ag, 2));
    EXPECT_FALSE(Trikot_Is_Trikot_Equal(ag, y, TRIKOT_TOLERANZ, true));
    EXPECT_EQ(Team_Get_TrikotNr(3, 3), ag);
    EXPECT_TRUE(Log_Enthaelt("Trikot_Team_VS_Team() AltTrwTrikot überschrieben"));
}

// A club dressed in its crest's colours wears a first kit that a new game
// keeps, its main colour the nearest such kit's to the crest's first colour;
// where none comes near the first (the crests' pink and lime), the second
// colour leads when a kit comes nearer to it.
TEST_F(TrikotTest, AClubWearsItsCrestsFirstColourOrTheSecondWhereNoKitComesNearTheFirst) {
    auto abstand = [](uint32_t a, uint32_t b) {
        int32_t d = 0;
        for (int32_t s = 0; s < 24; s += 8) d = std::max(d, std::abs(int32_t(a >> s & 0xFF) - int32_t(b >> s & 0xFF)));
        return d;
    };
    // The kits a new game keeps: stored as a team's kit, the best fit finds them again.
    std::vector<uint32_t> bleiben;
    for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k) {
        ASSERT_EQ(Trikot_Set_TrikotNr(2, k, 0), 1);
        if (Berechne_TrikotArt(2, 0, TRIKOT_LIMIT_NEUES_SPIEL) == k) bleiben.push_back(Trikot_Get_TrikotStructure(k)->farbe1);
    }
    ASSERT_FALSE(bleiben.empty());
    auto naechster = [&](uint32_t farbe) {
        int32_t d = 255;
        for (uint32_t f : bleiben) d = std::min(d, abstand(f, farbe));
        return d;
    };
    constexpr int32_t NAH = 60;
    constexpr uint32_t ROSA = 0xC080F0, LIMETTE = 0x40E0A0;
    ASSERT_GT(naechster(ROSA), NAH);
    ASSERT_GT(naechster(LIMETTE), NAH);
    std::set<uint32_t> zweite_fuehrt;   // the first colours of crests whose second colour led
    for (int32_t wappen = 0; wappen < 300; ++wappen) {
        uint32_t erste = 0, zweite = 0;
        Wappen_Farben(wappen, &erste, &zweite);
        Team_Wert(TW_WAPPEN, 2, wappen, OP_SCHREIBEN);
        ASSERT_EQ(Trikot_Vereinsfarben(2, uint32_t(wappen)), 1);
        const int32_t kit = Team_Get_TrikotNr(2, 0);
        EXPECT_EQ(Berechne_TrikotArt(2, 0, TRIKOT_LIMIT_NEUES_SPIEL), kit) << "crest " << wappen << ": a new game changes it";
        const uint32_t haupt = Trikot_Get_TrikotStructure(kit)->farbe1;
        if (naechster(erste) <= NAH || naechster(zweite) >= naechster(erste)) {
            EXPECT_EQ(abstand(haupt, erste), naechster(erste)) << "crest " << wappen;
            continue;
        }
        zweite_fuehrt.insert(erste);
        EXPECT_EQ(abstand(haupt, zweite), naechster(zweite)) << "crest " << wappen << ": kit " << kit;
    }
    EXPECT_EQ(zweite_fuehrt, (std::set<uint32_t>{ROSA, LIMETTE}));
}

TEST(SpielerFarben, SkinAndHairFollowTheAppearance) {
    Rnd_Init();
    auto kanaele = [](uint16_t p, int* r, int* g, int* b) {
        *r = (p >> 11) << 3, *g = ((p >> 5) & 63) << 2, *b = (p & 31) << 3;
    };
    for (int i = 0; i < 50; ++i) {
        uint16_t haar = 0, haut = 0;
        int r, g, b;
        Spieler_Farben_Setzen(1 | (7 << 13), &haar, &haut);   // bit 0 set: darker skin, grey-black hair
        kanaele(haut, &r, &g, &b);
        EXPECT_TRUE(r >= (147 & 0xF8) && r <= 152 && g >= (87 & 0xFC) && g <= 91 && b >= (36 & 0xF8) && b <= 40);
        kanaele(haar, &r, &g, &b);
        EXPECT_LE(r, 30);
        EXPECT_EQ(r >> 3, b >> 3);
        Spieler_Farben_Setzen(7 << 13, &haar, &haut);          // part 3 = 7: hair kind 4, grey 180-225
        kanaele(haut, &r, &g, &b);
        EXPECT_TRUE(r >= 240 && g >= (178 & 0xFC) && g <= 182 && b >= (108 & 0xF8) && b <= 111);
        kanaele(haar, &r, &g, &b);
        EXPECT_TRUE(r >= (180 & 0xF8) && r <= 225);
    }
    const int32_t haarart[][2] = {{0, 1}, {1, 2}, {3, 3}, {7, 4}, {29, 4}, {61, 3}, {100, 3}};
    for (const auto& h : haarart) EXPECT_EQ(Spieler_Haarart(h[0]), h[1]) << h[0];
}

class TrikotBildTest : public test::WeltTest {
protected:
    test::BildInstallation inst;
};

TEST_F(TrikotBildTest, DrawingModesAndTheirGuards) {
    Rastport* ziel = Rastport_Create(260, 44, 16, 0, 0);
    Rastport_Fill(ziel, 0, 0, -1, -1, Colour_Pack565(40, 110, 40), nullptr);
    const int32_t modi[][4] = {{0, 1, 0, 0}, {1, 1, 0, 0}, {2, 1, 50, 0}, {3, 1, 0, 0},
                               {4, 1, 1, 0}, {5, 4, 1, 0}, {6, 3, 60, 1}};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(Trikot_Blt_Trikot(ziel, 239 - i * 30, 4 + i * 36, 4, modi[i][1], modi[i][0], modi[i][2], modi[i][3]))
            << "mode " << modi[i][0];
    EXPECT_EQ(test::Png_Vergleichen("trikots", test::Rgb_Aus_565(Rastport_Pixels16(ziel), 260, 44)), "");
    EXPECT_FALSE(Trikot_Blt_Trikot(ziel, 1, 0, 0, 1, 2, -1, 0));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Blt_Trikot() Enter TransparentValue"));
    EXPECT_FALSE(Trikot_Blt_Trikot(ziel, 1, 0, 0, 1, 4, -1, 0));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Blt_Trikot() Enter ShadowSize"));
    EXPECT_FALSE(Trikot_Blt_Trikot(ziel, 1, 0, 0, 1, 6, 50, -1));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Blt_Trikot() Enter ShadowSize or Transp.."));
    Bild_Hooks() = BildHooks{};   // no kit file
    EXPECT_FALSE(Trikot_Blt_Trikot(ziel, 1, 0, 0, 1, 1, 0, 0));
    EXPECT_TRUE(Log_Enthaelt("Trikot_Blt_Trikot() rpTrikot"));
    Rastport_Free(ziel);
}

}  // namespace
}  // namespace velmora
