// tests/matchview/banden_test.cpp - the advertising boards: the advertiser
// of an advertising word, the roll 8000 ms of match clock after a change in
// 14 steps, only the drawn layer stepping; drawn mid-roll over the generated
// pitch with the build's boards against a reviewed picture.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/res.h"
#include "gfx/blit.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/banden.h"
#include "tests/bilder/bild_support.h"
#include "tests/support/png.h"

namespace velmora::test {
namespace {

TEST(Banden, TheAdvertisingWordGivesTheAdvertiser) {
    auto s = std::make_unique<Spielfeld_Satz>();
    const std::pair<uint8_t, int32_t> faelle[] = {{0, 1}, {1, 0}, {2, 1}, {9, 8}, {14, 13}, {15, 1}, {16, 0}, {29, 13}, {255, 1}};
    for (auto [wort, werber] : faelle) {
        s->werbung[3] = wort;
        EXPECT_EQ(Banden_Werber(*s, 3), werber) << int32_t(wort);
    }
}

class BandenBild : public ::testing::Test {
protected:
    std::unique_ptr<BildInstallation> bild;
    std::unique_ptr<Spielfeld_Satz> satz = std::make_unique<Spielfeld_Satz>();
    Rastport* welt = nullptr;
    BandenAnsicht v;

    void SetUp() override {
        bild = std::make_unique<BildInstallation>(2, 2);
        bild->Erzeugte_Datei(13, "rasen_hg.res");
        bild->Erzeugte_Datei(16, "stadion_bitmaps.res");
        welt = static_cast<Rastport*>(Res_Load_Bild(Test_Slots()[13], 0, 16));
        ASSERT_NE(welt, nullptr);
        v.spiel = satz->spiel = 11;
        v.w = 800;
        v.h = 564;
        for (int32_t j = 0; j < 14; ++j) satz->werbung[size_t(j)] = uint8_t(3 * j + 2);
        satz->spielzeit_ms = 20000;
        Ansicht_Zufall_Setzen(5);
    }
    // The views' generator is shared: what a test draws leaves it as it was.
    const uint32_t zufall = Ansicht_Zufall_Stand();
    void TearDown() override {
        Ansicht_Zufall_Setzen(zufall);
        Banden_Exit();
        if (welt) Rastport_Free(welt);
        bild.reset();
    }
    void Frame() {
        Rastport_Blit(welt, v.scroll_x, v.scroll_y, v.w, v.h, Rastport_Screen(), v.x, v.y, nullptr);
        Boards_Draw(v, *satz, 1);
        Boards_Draw(v, *satz, 2);
    }
    std::string Bild(const std::string& name) { return Png_Vergleichen(name, Rgb_Aus_565(bild->schirm.data(), 800, 600)); }
};

TEST_F(BandenBild, ABoardRollsEightSecondsAfterItsChangeInFourteenSteps) {
    Boards_Draw(v, *satz, 1);
    const Bande* b = Banden_Zustand(0);
    ASSERT_NE(b, nullptr);
    // Set up: the boards' places, slants and advertisers in pairs k, k + 1 of words 0-7.
    EXPECT_EQ(b[0].x, 117);
    EXPECT_EQ(b[6].lage, 1);
    EXPECT_EQ(b[41].y, 889);
    for (int32_t i = 0; i < BANDEN; ++i) {
        EXPECT_EQ(b[i].werber[0], Banden_Werber(*satz, i % 8)) << i;
        EXPECT_EQ(b[i].werber[1], Banden_Werber(*satz, (i + 1) % 8)) << i;
        EXPECT_GT(b[i].wechsel, 20000 - BANDEN_WECHSEL_MS) << i;
        EXPECT_LE(b[i].wechsel, 20000) << i;
    }
    const int64_t wechsel = b[3].wechsel;
    const int32_t gezeigt = b[3].gezeigt, werber = b[3].werber[gezeigt];
    satz->spielzeit_ms = uint32_t(wechsel + BANDEN_WECHSEL_MS);
    Boards_Draw(v, *satz, 2);
    EXPECT_FALSE(b[3].rollt) << "exactly 8000 ms after the change";
    satz->spielzeit_ms += 1;
    Boards_Draw(v, *satz, 2);
    EXPECT_TRUE(b[3].rollt);
    EXPECT_EQ(b[3].wechsel, int64_t(satz->spielzeit_ms));
    EXPECT_EQ(b[3].ein[0], 13) << "drawing layer 2 moves no board of layer 1";
    int32_t schritte = 0;
    while (b[3].rollt && schritte < 100) {
        Boards_Draw(v, *satz, 1);
        ++schritte;
        if (b[3].rollt) {
            EXPECT_EQ(b[3].ein[0], 13 - schritte);
            EXPECT_EQ(b[3].ein[1], 26 - 2 * schritte);
            EXPECT_EQ(b[3].aus[1], -2 * schritte);
        }
    }
    EXPECT_EQ(schritte, 14);
    EXPECT_EQ(b[3].gezeigt, 1 - gezeigt);
    EXPECT_EQ(b[3].ein[0], 13);
    EXPECT_EQ(b[3].ein[1], 26);
    EXPECT_EQ(b[3].aus[0], 0);
    EXPECT_NE(b[3].werber[b[3].gezeigt], -1);
    (void)werber;
    // A board of the other slant rolls the other way.
    satz->spielzeit_ms = uint32_t(b[8].wechsel + BANDEN_WECHSEL_MS + 1);
    Boards_Draw(v, *satz, 1);
    EXPECT_TRUE(b[8].rollt);
    EXPECT_EQ(b[8].ein[0], -13 + 1);
}

TEST_F(BandenBild, TheBoardsMidRoll) {
    Frame();
    EXPECT_EQ(Bild("banden_stehend"), "");
    satz->spielzeit_ms += BANDEN_WECHSEL_MS + 1;
    for (int32_t i = 0; i < 7; ++i) Frame();
    EXPECT_EQ(Bild("banden_rollend"), "");
}

}  // namespace
}  // namespace velmora::test
