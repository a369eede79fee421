// tests/matchview/radar_test.cpp - the match radar: the pitch-to-panel
// mapping (mirrored when the sides changed), the ball's height pictures, the
// dot under the mouse and the pulse; drawn from live matches of a generated
// world with the build's art against reviewed pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/font.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/radar.h"
#include "season/wettbewerb.h"
#include "tests/bilder/bild_support.h"
#include "tests/match/spieltag_welt.h"
#include "tests/support/png.h"

namespace velmora::test {
namespace {

TEST(Radar, MapsThePitchOntoThePanelMirroredWhenTheSidesChanged) {
    struct Fall {
        float x, y;
        bool gewechselt;
        int32_t px, py;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Fall faelle[] = {
        {0, 0, false, 22, 111},         {10800, 6806, false, 777, 587}, {5400, 3403, false, 399, 349},
        {0, 0, true, 777, 587},         {10800, 6806, true, 22, 111},   {1000, 500, false, 22 + 69, 111 + 34},
        {1000, 500, true, 777 - 69, 587 - 34},
        {nan, nan, false, 22, 111},     // no number counts as 0
        {-1e30f, 1e30f, false, 22 - 69907, 111 + 69938},   // far off, no overflow
    };
    Spielfeld_Satz s{};
    for (const Fall& f : faelle) {
        s.seiten_gewechselt = f.gewechselt ? 1 : 0;
        const RadarPunkt p = Radar_Punkt(s, f.x, f.y);
        EXPECT_EQ(p.x, f.px) << f.x << "," << f.y << " gewechselt " << f.gewechselt;
        EXPECT_EQ(p.y, f.py) << f.x << "," << f.y << " gewechselt " << f.gewechselt;
    }
}

TEST(Radar, TheBallPictureFollowsItsHeightUpToSevenMetres) {
    const std::pair<float, int32_t> faelle[] = {{0, 0},    {22, 0},      {23, 1},   {350, 15}, {699, 30},
                                                {700, 30}, {100000, 30}, {-40, 0}, {std::numeric_limits<float>::infinity(), 0}};
    for (auto [hoehe, bild] : faelle) EXPECT_EQ(Radar_Ball_Bild(hoehe), bild) << hoehe;
}

TEST(Radar, TheDotUnderTheMouseIsFoundStrictlyWithinItsSquare) {
    Spielfeld_Satz s{};
    s.spieler[4].zustand = SM_AUF_PLATZ;
    s.figur[4].pos[0] = 5400;
    s.figur[4].pos[1] = 3403;   // dot at (399, 349)
    struct Fall {
        int32_t mx, my, figur;
    } faelle[] = {{399, 349, 4}, {390, 340, 4}, {407, 357, 4}, {389, 349, -1}, {408, 349, -1}, {399, 339, -1},
                  {399, 358, -1}};
    for (const Fall& f : faelle) EXPECT_EQ(Radar_Figur_Unter(s, f.mx, f.my), f.figur) << f.mx << "," << f.my;
    // Off the pitch, or walked off at y 0, nobody is under the mouse.
    s.figur[4].pos[1] = 0;
    EXPECT_EQ(Radar_Figur_Unter(s, 399, 111), -1);
    s.figur[4].pos[1] = 3403;
    s.spieler[4].zustand = SM_RESERVE;
    EXPECT_EQ(Radar_Figur_Unter(s, 399, 349), -1);
}

TEST(Radar, ClearingTheMatchDaySlotsFreesTheRadarsPictures) {
    static int32_t gerufen = 0;
    gerufen = 0;
    Spieltag_Hooks().radar_freigeben = [] { ++gerufen; };
    Spieltag_Slots_Loeschen();
    EXPECT_EQ(gerufen, 1);
    Spieltag_Hooks() = SpieltagHooks{};
}

int32_t Schalter_Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }

// A live match of a small generated world, some frames into the day, drawn
// on a 16-bit screen with the build's radar art and fonts.
class RadarWelt : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    std::unique_ptr<BildInstallation> bild;
    int32_t font_slot = -1;
    Spielfeld_Satz* satz = nullptr;

    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        Spielfeld_Hooks().wettbewerb_schalter = Schalter_Live;
        ASSERT_TRUE(Spieltag_Start());
        for (int32_t f = 0; f < 400; ++f) ASSERT_TRUE(Spieltag_Frame());
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s && !satz; s = Spielfeld_Naechster(s))
            if (s->live == 1) satz = s;
        ASSERT_NE(satz, nullptr);
        bild = std::make_unique<BildInstallation>(2, 2);
        bild->Erzeugte_Datei(RADAR_RES_DATEI, "menue_res.res");
        bild->Erzeugte_Datei(BILD_RES_WAPPEN, "wappen.res");
        font_slot = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/fontres.res").c_str(), 0);
        Font_Free_Set();
        ASSERT_EQ(Font_Load_Set(font_slot, 0, FONT_SET_ANZAHL), 1);
        Radar_Puls_Setzen(30, 1);
        // A fixed scene: the score, the minute, both strengths, a duel pair.
        satz->tore[0] = 2;
        satz->tore[1] = 1;
        satz->minute = 57;
        satz->team_staerke[0] = 640;
        satz->team_staerke[1] = 999;
        satz->situation_figur[0] = 9;
        satz->situation_figur[1] = 20;
        for (Spieler_Matchsatz& m : satz->spieler) m.ausdauer = 9000;
    }
    void TearDown() override {
        Radar_Freigeben();
        Font_Free_Set();
        font_slot = Res_Close(font_slot);
        bild.reset();
        Spieltag_Welt_Ende();
    }
    bool Zeichnen(int32_t mx = -100, int32_t my = -100) { return Radar_Zeichnen(*satz, Rastport_Screen(), mx, my); }
    std::string Bild(const std::string& name) { return Png_Vergleichen(name, Rgb_Aus_565(bild->schirm.data(), 800, 600)); }
    uint16_t Pixel(int32_t x, int32_t y) const { return bild->schirm[size_t(y) * 800 + size_t(x)]; }
};

TEST_F(RadarWelt, ShowsTheMatchAndMirrorsItWhenTheSidesChanged) {
    satz->seiten_gewechselt = 0;
    ASSERT_TRUE(Zeichnen());
    EXPECT_EQ(Bild("radar_normal"), "");
    const std::vector<uint16_t> normal = bild->schirm;
    satz->seiten_gewechselt = 1;
    ASSERT_TRUE(Zeichnen());
    EXPECT_FALSE(bild->schirm == normal);
    EXPECT_EQ(Bild("radar_seiten"), "");
}

TEST_F(RadarWelt, TheMouseOverAPlayerShowsHisRangesAndCard) {
    int32_t f = 5;
    while (f < SF_SPIELER && !(satz->spieler[f].zustand & SM_AUF_PLATZ)) ++f;
    ASSERT_LT(f, SF_SPIELER / 2);
    satz->figur[f].pos[0] = 3900;   // alone, away from the others
    satz->figur[f].pos[1] = 5600;
    for (int32_t i = 0; i < f; ++i) satz->figur[i].pos[1] = std::min(satz->figur[i].pos[1], 4800.0f);
    const RadarPunkt p = Radar_Punkt(*satz, satz->figur[f].pos[0], satz->figur[f].pos[1]);
    ASSERT_EQ(Radar_Figur_Unter(*satz, p.x + 3, p.y - 2), f);
    ASSERT_TRUE(Zeichnen(p.x + 3, p.y - 2));
    EXPECT_EQ(Bild("radar_maus"), "");
}

TEST_F(RadarWelt, ATiredPlayersDotPulses) {
    // Below 30 % energy the dot is blended with the pulse, 30 up to 100 and back.
    std::vector<int32_t> muede_spieler, frisch;
    for (int32_t i = 0; i < SF_SPIELER; ++i)
        if (satz->spieler[i].zustand & SM_AUF_PLATZ) (muede_spieler.size() < 3 && i % 7 == 3 ? muede_spieler : frisch).push_back(i);
    ASSERT_EQ(muede_spieler.size(), 3u);
    for (int32_t i : muede_spieler) satz->spieler[i].ausdauer = 2999;
    satz->spieler[frisch[0]].ausdauer = 3000;   // 30 % is not tired
    std::vector<int32_t> pulse;
    for (int32_t i = 0; i < 16; ++i) {
        pulse.push_back(Radar_Puls());
        ASSERT_TRUE(Zeichnen());
    }
    EXPECT_EQ(pulse, (std::vector<int32_t>{30, 40, 50, 60, 70, 80, 90, 100, 90, 80, 70, 60, 50, 40, 30, 40}));
    Radar_Puls_Setzen(30, 1);
    ASSERT_TRUE(Zeichnen());
    EXPECT_EQ(Bild("radar_muede"), "");
    // Faded at 30 %, only the tired players' dots differ from the fresh scene;
    // at the pulse's top they are drawn plainly.
    const std::vector<uint16_t> muede = bild->schirm;
    Radar_Puls_Setzen(100, -1);
    ASSERT_TRUE(Zeichnen());
    const std::vector<uint16_t> oben = bild->schirm;
    for (Spieler_Matchsatz& m : satz->spieler) m.ausdauer = 9000;
    ASSERT_TRUE(Zeichnen());
    EXPECT_TRUE(bild->schirm == oben);
    int32_t anders = 0;
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            if (muede[size_t(y) * 800 + size_t(x)] == bild->schirm[size_t(y) * 800 + size_t(x)]) continue;
            ++anders;
            bool nah = false;
            for (int32_t i : muede_spieler) {
                const RadarPunkt p = Radar_Punkt(*satz, satz->figur[i].pos[0], satz->figur[i].pos[1]);
                nah = nah || (std::abs(x - p.x) <= 10 && std::abs(y - p.y) <= 10);
            }
            EXPECT_TRUE(nah) << x << "," << y;
            if (!nah) return;
        }
    EXPECT_GT(anders, 3 * 100);
}

TEST_F(RadarWelt, TheBallShowsItsHeightAndACornerMapsMirrored) {
    Figur& ball = satz->figur[RADAR_BALL];
    ball.pos[0] = 3000;   // in free space
    ball.pos[1] = 1300;
    for (int32_t hoehe : {0, 350, 700}) {
        ball.pos[2] = float(hoehe);
        ASSERT_TRUE(Zeichnen());
        EXPECT_EQ(Bild("radar_ball_" + std::to_string(hoehe)), "");
    }
    // With the sides changed the pitch's (0, 0) lies at (777, 587): the ball
    // there covers that pixel, and nothing else changes it.
    satz->seiten_gewechselt = 1;
    ball.pos[0] = ball.pos[1] = ball.pos[2] = 0;
    ASSERT_TRUE(Zeichnen());
    const uint16_t mit = Pixel(777, 587), daneben = Pixel(777 - 12, 587 - 12);
    ball.pos[0] = 5400;
    ball.pos[1] = 3403;
    ASSERT_TRUE(Zeichnen());
    EXPECT_NE(Pixel(777, 587), mit);
    EXPECT_EQ(Pixel(777 - 12, 587 - 12), daneben);
}

TEST_F(RadarWelt, PlayersAtOrBelowTheTouchlineYAreNotDrawn) {
    const int32_t f = 7;
    satz->situation_figur[0] = satz->situation_figur[1] = -1;
    satz->figur[f].pos[1] = 0;
    ASSERT_TRUE(Zeichnen());
    const std::vector<uint16_t> auf_null = bild->schirm;
    satz->spieler[f].zustand &= ~SM_AUF_PLATZ;
    ASSERT_TRUE(Zeichnen());
    EXPECT_TRUE(bild->schirm == auf_null) << "a player at y 0 is drawn";
    satz->figur[f].pos[1] = -250;
    satz->spieler[f].zustand |= SM_AUF_PLATZ;
    ASSERT_TRUE(Zeichnen());
    EXPECT_TRUE(bild->schirm == auf_null) << "a player below y 0 is drawn";
    satz->figur[f].pos[1] = 400;
    ASSERT_TRUE(Zeichnen());
    EXPECT_FALSE(bild->schirm == auf_null) << "a player on the pitch is not drawn";
}

TEST_F(RadarWelt, WithoutItsPicturesTheRadarDrawsNothing) {
    Radar_Freigeben();
    Test_Slots()[RADAR_RES_DATEI] = Res_Close(Test_Slots()[RADAR_RES_DATEI]);
    std::fill(bild->schirm.begin(), bild->schirm.end(), uint16_t(1234));
    EXPECT_FALSE(Zeichnen());
    EXPECT_TRUE(std::all_of(bild->schirm.begin(), bild->schirm.end(), [](uint16_t p) { return p == 1234; }));
}

}  // namespace
}  // namespace velmora::test
