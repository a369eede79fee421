// tests/screens/einwechseln_bild_test.cpp - the live match panels drawn over
// a live match of a generated world, with the build's generated pictures and
// fonts, against reviewed pictures: the substitution panel with a pending
// pair and the refusal "too many pending", and the tactics panel.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "club/club_hooks.h"
#include "club/manager.h"
#include "core/res.h"
#include "core/text.h"
#include "gfx/font.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "match/day/spieltag.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "matchview/spielansicht.h"
#include "platform/display.h"
#include "screens/einwechseln.h"
#include "screens/menue_panel.h"
#include "screens/regler.h"
#include "season/wettbewerb.h"
#include "shell/maus.h"
#include "tests/bilder/bild_support.h"
#include "tests/match/spieltag_welt.h"
#include "tests/support/png.h"

namespace velmora::test {
namespace {

int32_t Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }
Spielfeld_Satz* g_satz = nullptr;

class PanelBild : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        ASSERT_TRUE(Text_Laden());
        Spielfeld_Hooks().wettbewerb_schalter = Live;
        ASSERT_TRUE(Spieltag_Start());
        for (int32_t f = 0; f < 400; ++f) ASSERT_TRUE(Spieltag_Frame());
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s && !g_satz; s = Spielfeld_Naechster(s))
            if (s->live == 1) g_satz = s;
        ASSERT_NE(g_satz, nullptr);
        team = int32_t(g_satz->team[0]);
        ASSERT_NE(Manager_Neuer_Mitspieler(team, "Hanna", 0), nullptr);
        bild = std::make_unique<BildInstallation>(2, 2);
        for (auto [i, name] : {std::pair{12, "stadion_gfx.res"}, {13, "rasen_hg.res"}, {17, "stadion_sprites.res"},
                               {19, "stadion_menue.res"}, {6, "hask_res.res"}, {2, "ulvo_res.res"}})
            bild->Erzeugte_Datei(i, name);
        font_slot = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/fontres.res").c_str(), 0);
        Font_Free_Set();
        ASSERT_EQ(Font_Load_Set(font_slot, 0, FONT_SET_ANZAHL), 1);
        Menue_Hooks().resourcen_slot = [](int32_t i) { return i >= 0 && i < 22 ? Test_Slots()[i] : -1; };
        Menue_Init_Tabellen();
        Menue_Set_Eigenes_Team(team);
        Einwechseln_Hooks().satz = [] { return g_satz; };
        anzeige.frame_intervall = 45;
        Plat_Headless_Maus(-100, -100, 0);
    }
    void TearDown() override {
        if (Screen_Spielerliste_Offen()) Screen_Spielerliste_Schliessen();
        if (Screen_Regler_Offen()) Screen_Regler_Schliessen();
        Einwechseln_Hooks() = EinwechselnHooks{};
        Menue_Alles_Loeschen();
        Menue_Hooks() = MenueHooks{};
        MatchView_Exit();
        Font_Free_Set();
        font_slot = Res_Close(font_slot);
        bild.reset();
        Manager_Entfernen(team);
        Spieltag_Welt_Ende();
        Text_Free();
        g_satz = nullptr;
    }
    // The match view, then the panels' icons over it.
    void Zeigen() {
        for (int32_t i = 0; i < 3; ++i) {
            Maus_Frame_Position_Setzen(-100, -100);
            Maus_Tasten_Latch();
            MatchView_Frame(&g_satz, 1, anzeige, false);
        }
        Menue_Screen_Refresh();
    }
    void Klick(int32_t nummer) {
        s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_NE(i, nullptr) << nummer;
        i->Main_P(i, EV_LINKS);
    }
    std::string Bild(const std::string& name) { return Png_Vergleichen(name, Rgb_Aus_565(bild->schirm.data(), 800, 600)); }

    velmora_test::TestWelt dirs;
    std::unique_ptr<BildInstallation> bild;
    int32_t font_slot = -1, team = -1;
    Spielfeld_Ansicht_Einstellung anzeige{};
};

TEST_F(PanelBild, TheSubstitutionPanelWithAPendingPairAndTheRefusal) {
    g_satz->wechsel_gemacht[0] = 2;
    for (int32_t i = 0; i < SF_WECHSEL; ++i) g_satz->wechsel_ein[0][i] = g_satz->wechsel_aus[0][i] = -1;
    Screen_Spielerliste_Oeffnen();
    ASSERT_TRUE(Screen_Spielerliste_Offen());
    EXPECT_EQ(Screen_Team_Wechseln(-1), team);
    Zeigen();
    Klick(ICON_SPL_ZEILE + 4);
    Klick(ICON_SPL_ZEILE + 12);
    const EinwechselnStand& st = Einwechseln_Stand();
    ASSERT_NE(g_satz->wechsel_ein[0][0], -1);
    Klick(ICON_SPL_ZEILE + 13);
    EXPECT_EQ(st.meldung, SPL_ZU_VIELE);
    Zeigen();
    EXPECT_EQ(Bild("panel_einwechseln"), "");
    // Option 721 again closes both windows.
    Screen_Spielerliste_Oeffnen();
    EXPECT_FALSE(Screen_Spielerliste_Offen());
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_SPL_LISTE));
}

TEST_F(PanelBild, TheTacticsPanel) {
    Screen_Regler_Oeffnen();
    ASSERT_TRUE(Screen_Regler_Offen());
    g_satz->taktik[0][12] = 0;
    g_satz->taktik[0][6] = 1;
    g_satz->taktik[0][3] = 0;
    g_satz->pressing[0] = 65;
    g_satz->taktik[0][0] = 30;
    g_satz->taktik[0][5] = 100;
    g_satz->taktik[0][2] = 70;
    Zeigen();
    // The window opens clear of the ticker's two lines at the view's foot:
    // the goal's sentence below it stays readable.
    const s_icon* fenster = Menue_Screen_Icon_Aus_Nummer(ICON_REGLER_FENSTER);
    ASSERT_NE(fenster, nullptr);
    const MatchViewLage lage = MatchView_Lage(0);
    ASSERT_TRUE(lage.visible);
    EXPECT_LE(fenster->y + 160, lage.y + lage.h - 22 - 14) << "the window covers the ticker";
    EXPECT_NE(MatchView_Ticker(0, nullptr), "");
    EXPECT_EQ(Bild("panel_regler"), "");
    // Plus on slider 2 at 100 leaves T5 at 100.
    Klick(ICON_REGLER_MINUS + 5);
    EXPECT_EQ(g_satz->taktik[0][5], 100);
    EXPECT_EQ(g_satz->taktik[0][9], 0);
}

// A window place stored by the manager that lies off the screen is brought
// back onto it when the panel opens; none stored (a zero) gives the default.
TEST_F(PanelBild, AStoredWindowPlaceOffTheScreenIsBroughtBackOnOpening) {
    struct Fall {
        int32_t x, y;                                   // stored for every window
        int32_t liste[2], feld[2], regler[2];           // the places on opening (the tactics window 160 high)
    };
    const Fall faelle[] = {
        {5000, 9000, {758, 565 - 357}, {758, 565 - 280}, {760, 565 - 160}},
        {-9000, -9000, {-345, 31}, {-142, 31}, {-206, 32}},
        {0, 400, {350, 120}, {150, 120}, {466, 353}},
        {200, 300, {200, 208}, {200, 285}, {200, 300}},
    };
    for (const Fall& f : faelle) {
        for (int32_t icon : {ICON_SPL_LISTE, ICON_SPL_FELD, ICON_REGLER_FENSTER}) {
            Manager_Icon_Button_An_Aus(team, icon, f.x);
            Manager_Icon_Word_Data_Schreiben(team, icon, f.y);
        }
        Screen_Spielerliste_Oeffnen();
        Screen_Regler_Oeffnen();
        ASSERT_TRUE(Screen_Spielerliste_Offen() && Screen_Regler_Offen());
        const std::pair<int32_t, const int32_t*> fenster[] = {
            {ICON_SPL_LISTE, f.liste}, {ICON_SPL_FELD, f.feld}, {ICON_REGLER_FENSTER, f.regler}};
        for (const auto& [icon, lage] : fenster) {
            const s_icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
            ASSERT_NE(i, nullptr);
            EXPECT_EQ(i->x, lage[0]) << icon << " stored " << f.x << "," << f.y;
            EXPECT_EQ(i->y, lage[1]) << icon << " stored " << f.x << "," << f.y;
        }
        Screen_Spielerliste_Schliessen();
        Screen_Regler_Schliessen();
    }
}

int32_t g_aufrufe = 0;

// On a client the substitution panel asks the server for its players' shirt
// numbers once when it opens; the frames that follow, with the tactics panel
// open too, make no remote call, so the match never waits on the network for
// a drawing.
TEST_F(PanelBild, ThePanelsOnAClientMakeNoRemoteCallPerFrame) {
    const ClubHooks vorher = Club_Hooks();
    Club_Hooks().netzwerk_modus = [] { return 1; };
    Club_Hooks().client_read = [](int32_t, const char*, const std::vector<uint8_t>&, std::vector<uint8_t>& antwort) {
        ++g_aufrufe;
        antwort.assign(4, 7);
        return true;
    };
    Club_Hooks().client_team = [] { return int32_t(g_satz->team[0]); };
    g_aufrufe = 0;
    Screen_Spielerliste_Oeffnen();
    Screen_Regler_Oeffnen();
    ASSERT_TRUE(Screen_Spielerliste_Offen() && Screen_Regler_Offen());
    Zeigen();
    const int32_t beim_oeffnen = g_aufrufe;
    // The numbers come from the server: the squad's copy in one call or,
    // when it does not come (this fake's answer is no squad), one call a row.
    EXPECT_GT(beim_oeffnen, 0) << "the numbers come from the server";
    EXPECT_LE(beim_oeffnen, SPL_ZEILEN + 1);
    for (int32_t i = 0; i < 4; ++i) Zeigen();
    EXPECT_EQ(g_aufrufe, beim_oeffnen) << "a frame made a remote call";
    Club_Hooks() = vorher;
}

}  // namespace
}  // namespace velmora::test
