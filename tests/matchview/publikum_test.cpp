// tests/matchview/publikum_test.cpp - the crowd: seats by the stands' kinds
// and fill (at most 934, every seat of a sold-out stand, nearly none of an
// empty one, none of a stand without kind), the mood setting still
// spectators in motion; drawn over the generated stands with the build's
// crowd animations at 0, 50 and 100 % fill against reviewed pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <string>

#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/publikum.h"
#include "matchview/spielansicht_figuren.h"
#include "tests/bilder/bild_support.h"
#include "tests/support/png.h"

namespace velmora::test {
namespace {

int32_t Besetzt(int32_t ansicht) {
    int32_t n = 0, besetzt = 0;
    const Zuschauer* z = Publikum(ansicht, &n);
    for (int32_t i = 0; i < n; ++i) besetzt += z[i].art != 0 ? 1 : 0;
    return besetzt;
}

TEST(Publikum, SeatsFollowTheStandsKindsAndFill) {
    const uint32_t zufall = Ansicht_Zufall_Stand();
    Ansicht_Zufall_Setzen(3);
    auto s = std::make_unique<Spielfeld_Satz>();
    struct Fall {
        std::array<uint8_t, 6> kinds;
        uint32_t fill;
        int32_t plaetze;
        int32_t besetzt_min, besetzt_max;
    } faelle[] = {
        {{1, 1, 1, 1, 1, 1}, 100, 934, 934, 934},   // every stand of kind 1: the most seats
        {{2, 2, 2, 2, 2, 2}, 100, 394, 394, 394},
        {{4, 3, 2, 4, 3, 2}, 100, 394, 394, 394},
        {{1, 1, 1, 1, 1, 1}, 0, 934, 1, 30},         // only where the draw is 0
        {{1, 1, 1, 1, 1, 1}, 50, 934, 380, 560},
        {{2, 0, 0, 0, 0, 0}, 100, 42, 42, 42},       // block 0 alone
        {{0, 255, 5, 0, 255, 0}, 100, 0, 0, 0},      // no kind, -1, or one outside
    };
    for (const Fall& f : faelle) {
        for (int32_t i = 0; i < 6; ++i) {
            s->tribuene[size_t(i)] = f.kinds[size_t(i)];
            s->belegung[size_t(i)] = f.fill;
        }
        EXPECT_EQ(Crowd_Setup(0, *s), f.plaetze) << int32_t(f.kinds[0]) << " fill " << f.fill;
        const int32_t b = Besetzt(0);
        EXPECT_GE(b, f.besetzt_min) << int32_t(f.kinds[0]) << " fill " << f.fill;
        EXPECT_LE(b, f.besetzt_max) << int32_t(f.kinds[0]) << " fill " << f.fill;
    }
    // Blocks 0, 1, 6, 7 wear the home side's colours or the crowd's, 2-5 the away side's.
    int32_t n = 0;
    std::fill(std::begin(s->tribuene), std::end(s->tribuene), uint8_t(1));
    Crowd_Setup(0, *s);
    const Zuschauer* z = Publikum(0, &n);
    for (int32_t i = 0; i < n; ++i) {
        const bool menge = z[i].farbe >= 57 && z[i].farbe <= 61;
        if (z[i].gruppe == 0) EXPECT_TRUE(menge || (z[i].farbe >= 3 && z[i].farbe <= 17)) << i;
        else EXPECT_TRUE(menge || (z[i].farbe >= 20 && z[i].farbe <= 34)) << i;
    }
    Publikum_Exit();
    Ansicht_Zufall_Setzen(zufall);
}

std::array<std::array<uint16_t, 256>, FARBTABELLEN> g_farben;
const uint16_t* Tabelle(int32_t, int32_t slot) { return g_farben[size_t(slot)].data(); }

class PublikumBild : public ::testing::Test {
protected:
    const uint32_t zufall = Ansicht_Zufall_Stand();
    std::unique_ptr<BildInstallation> bild;
    std::unique_ptr<Spielfeld_Satz> satz = std::make_unique<Spielfeld_Satz>();
    Rastport* welt = nullptr;
    AnsichtFenster v;

    void SetUp() override {
        bild = std::make_unique<BildInstallation>(2, 2);
        bild->Erzeugte_Datei(12, "stadion_gfx.res");
        bild->Erzeugte_Datei(13, "rasen_hg.res");
        welt = static_cast<Rastport*>(Res_Load_Bild(Test_Slots()[13], 0, 16));
        ASSERT_NE(welt, nullptr);
        for (int32_t slot = 0; slot < FARBTABELLEN; ++slot) {
            const uint32_t f[6] = {Farbe_RGB(224, 184, 150), Farbe_RGB(60, 40, 20),
                                   slot < 20 ? Farbe_RGB(200, 30, 40) : Farbe_RGB(30, 60, 190), Farbe_RGB(240, 240, 240),
                                   Farbe_RGB(40, 40, 40), Farbe_RGB(20, 20, 20)};
            Figuren_Tabelle_Figur(g_farben[size_t(slot)].data(), f);
        }
        satz->spiel = 3;
        std::fill(std::begin(satz->tribuene), std::end(satz->tribuene), uint8_t(3));
        satz->tribuene[1] = 1;
        satz->spielzeit_ms = 1000;
        v.w = 800;
        v.h = 564;
        v.scroll_x = 400;
        Ansicht_Zufall_Setzen(8);
    }
    void TearDown() override {
        Publikum_Exit();
        if (welt) Rastport_Free(welt);
        bild.reset();
        Ansicht_Zufall_Setzen(zufall);
    }
    void Frame() {
        Rastport_Blit(welt, v.scroll_x, v.scroll_y, v.w, v.h, Rastport_Screen(), v.x, v.y, nullptr);
        Crowd_Draw(v, *satz, Tabelle);
    }
    std::string Bild(const std::string& name) { return Png_Vergleichen(name, Rgb_Aus_565(bild->schirm.data(), 800, 600)); }
};

TEST_F(PublikumBild, TheStandsFillByAttendance) {
    struct Fall {
        uint32_t fill;
        int32_t scroll_x;   // 400 the seated stand, 1700 the standing terrace
        const char* bild;
    };
    const Fall faelle[] = {{0, 400, "publikum_0"}, {50, 400, "publikum_50"}, {100, 400, "publikum_100"},
                           {100, 1700, "publikum_stehend_100"}};
    for (const Fall& f : faelle) {
        std::fill(std::begin(satz->belegung), std::end(satz->belegung), f.fill);
        satz->spiel = 3 + f.fill + uint32_t(f.scroll_x);   // another game: seated afresh
        v.scroll_x = f.scroll_x;
        Frame();
        EXPECT_EQ(Bild(f.bild), "") << f.bild;
    }
}

TEST_F(PublikumBild, TheMoodSetsStillSpectatorsMoving) {
    std::fill(std::begin(satz->belegung), std::end(satz->belegung), 100u);
    Frame();
    int32_t n = 0;
    const Zuschauer* z = Publikum(0, &n);
    ASSERT_GT(n, 0);
    auto bewegt = [&] {
        int32_t k = 0;
        for (int32_t i = 0; i < n; ++i) k += z[i].art && z[i].anim == 0 && z[i].frame != 0 ? 1 : 0;
        return k;
    };
    for (int32_t i = 0; i < 20; ++i) {
        satz->spielzeit_ms += 400;
        Frame();
    }
    EXPECT_EQ(bewegt(), 0) << "without mood animation 0 stands still";
    satz->stimmung[0] = satz->stimmung[1] = 100;
    int32_t gesehen = 0;
    for (int32_t i = 0; i < 20; ++i) {
        satz->spielzeit_ms += 400;
        Frame();
        gesehen = std::max(gesehen, bewegt());
    }
    int32_t null_anim = 0;
    for (int32_t i = 0; i < n; ++i) null_anim += z[i].art && z[i].anim == 0 ? 1 : 0;
    EXPECT_EQ(null_anim > 0, gesehen > 0);
}

}  // namespace
}  // namespace velmora::test
