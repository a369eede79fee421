// tests/business/spieler_zeile_test.cpp - the squad rows of the transfer and
// training lists on a client: the shirt numbers live on the server and are
// asked once per list refresh, so drawing frames makes no remote call.
#include "business/spieler_zeile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "core/res.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

constexpr int32_t SPIELER = 12, ZEILEN = 10;
int32_t g_modus = 0, g_aufrufe = 0;

// The server: answers a player's shirt number with 40 + his number.
bool Server(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    ++g_aufrufe;
    ClubLeser l{argumente.data(), argumente.size()};
    const int32_t modus = l.i32(), spieler = l.i32();
    if (anfrage != ANFRAGE_SPIELER_WERT || modus != SPW_RUECKENNUMMER || l.fehler) return false;
    ClubPacker{antwort}.i32(40 + spieler);
    return true;
}

class SpielerZeile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Spieler_Init(SPIELER));
        for (int32_t p = 0; p < SPIELER; ++p) Spieler_Wert(SPW_RUECKENNUMMER, p, p + 1, OP_SCHREIBEN);
        Rastport_Screen_Setup(800, 600, schirm.data());
        Rastport_Set_Target(nullptr);
        font_slot = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/fontres.res").c_str(), 0);
        Font_Free_Set();
        ASSERT_EQ(Font_Load_Set(font_slot, 0, FONT_SET_ANZAHL), 1);
        vorher = Club_Hooks();
        Club_Hooks().netzwerk_modus = [] { return g_modus; };
        Club_Hooks().client_team = [] { return 0; };
        Club_Hooks().client_read = Server;
    }
    void TearDown() override {
        Club_Hooks() = vorher;
        Spieler_Zeile_Auffrischen();
        Font_Free_Set();
        font_slot = Res_Close(font_slot);
        Rastport_Screen_Setup(0, 0, nullptr);
        Spieler_Free();
    }
    // One frame of a list: every row drawn.
    static void Bild() {
        for (int32_t z = 0; z < ZEILEN; ++z) Spieler_Zeile_Malen(z, 20, 100 + 17 * z, "MF", false);
    }
    test::GrafikLader lader;
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600, 0);
    int32_t font_slot = -1;
    ClubHooks vorher;
};

TEST_F(SpielerZeile, AFrameOfTheListsMakesNoRemoteCallTheRefreshAsksOncePerRow) {
    struct Fall {
        const char* was;
        int32_t modus;
        int32_t erste_frames, weitere_frames, nach_auffrischen;   // remote calls
        int32_t nummer_zeile_3;
    };
    const Fall faelle[] = {
        {"a single machine", 0, 0, 0, 0, 4},
        {"a client: one call per row at the list's refresh", 1, ZEILEN, 0, ZEILEN, 43},
    };
    for (const Fall& f : faelle) {
        g_modus = f.modus;
        Spieler_Zeile_Auffrischen();
        g_aufrufe = 0;
        Bild();
        EXPECT_EQ(g_aufrufe, f.erste_frames) << f.was;
        g_aufrufe = 0;
        for (int32_t i = 0; i < 5; ++i) Bild();
        EXPECT_EQ(g_aufrufe, f.weitere_frames) << f.was;
        EXPECT_EQ(Spieler_Zeile_Nummer(3), f.nummer_zeile_3) << f.was;
        // A transfer or a training change fills the lists again: asked afresh.
        Spieler_Zeile_Auffrischen();
        g_aufrufe = 0;
        Bild();
        Bild();
        EXPECT_EQ(g_aufrufe, f.nach_auffrischen) << f.was;
    }
    // No player, no call and no number.
    g_aufrufe = 0;
    EXPECT_EQ(Spieler_Zeile_Nummer(-1), 0);
    EXPECT_EQ(Spieler_Zeile_Nummer(SPIELER), 0);
    EXPECT_EQ(g_aufrufe, 0);
}

// A row's click: the right button wins over the left, only the left one reads
// the pointer, and an event of neither button is nothing for the row.
TEST(SpielerZeileKlick, RightButtonWinsAndOnlyTheLeftReadsThePointer) {
    const MenueHooks vorher = Menue_Hooks();
    Menue_Hooks().maus_x = [] { return 123; };
    Menue_Hooks().maus_y = [] { return 45; };
    struct Fall {
        int32_t ereignis;
        ZeilenKlickArt art;
        int32_t x, y;
    } faelle[] = {{EV_RECHTS, ZeilenKlickArt::RECHTS, -1, -1},
                  {EV_LINKS | EV_RECHTS, ZeilenKlickArt::RECHTS, -1, -1},
                  {EV_LINKS, ZeilenKlickArt::LINKS, 123, 45},
                  {EV_BETRETEN, ZeilenKlickArt::KEIN, -1, -1},
                  {0, ZeilenKlickArt::KEIN, -1, -1}};
    for (const Fall& f : faelle) {
        const ZeilenKlick k = Spieler_Zeile_Klick(f.ereignis);
        EXPECT_EQ(k.art, f.art) << f.ereignis;
        EXPECT_EQ(k.x, f.x) << f.ereignis;
        EXPECT_EQ(k.y, f.y) << f.ereignis;
    }
    Menue_Hooks() = vorher;
}

}  // namespace
}  // namespace velmora
