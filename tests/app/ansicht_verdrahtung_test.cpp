// tests/app/ansicht_verdrahtung_test.cpp - the live match views as the window
// binds them: a press over an icon of the menu framework (the option bar, a
// panel lying over the pitch) belongs to the icon, so the view beneath does
// not take it as well; a switch of the panel's club redraws the score plates.
// The simulator's pictures are a module of the root: its hooks carry their
// owner, a failed start leaves no file open and no hook filled.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "match/day/spieltag_hooks.h"
#include "core/hooks.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "match/record/spielfeld_anzeige.h"
#include "matchview/spielansicht.h"
#include "net/net.h"
#include "screens/einwechseln.h"
#include "screens/menue_optionen.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "shell/maus.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

TEST(AnsichtVerdrahtung, APressOverAMenuIconBelongsToTheIconAndAClubSwitchRedrawsThePlates) {
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(Betrieb::FENSTER, &fehler)) << fehler;
    ASSERT_NE(MatchView_Hooks().maus_ueber_icon, nullptr) << "the views would take clicks meant for the panels";
    EXPECT_EQ(Einwechseln_Hooks().namen_neu, &MatchView_Name_Plates);
    Menue_Init_Tabellen();
    // A panel window over the pitch, an option icon under it, a passive
    // picture and a hidden icon.
    s_icon fenster = Menue_Icon_Neu(4101, 350, 120, -1, 0, 5);
    fenster.br = 386;
    fenster.ho = 357;
    s_icon option = Menue_Icon_Neu(4102, 501, 565, -1, 0, 12);
    option.br = 50;
    option.ho = 35;
    s_icon bild = Menue_Icon_Neu(4103, 0, 0, -1, ICON_TYP_PASSIV, 1);
    bild.br = 300;
    bild.ho = 100;
    s_icon versteckt = Menue_Icon_Neu(4104, 20, 300, -1, 0, 5);
    versteckt.br = 100;
    versteckt.ho = 100;
    versteckt.Status |= ICON_ST_VERSTECKT;
    for (s_icon* i : {&fenster, &option, &bild, &versteckt}) Menue_Screen_Icon_Hinzufuegen(i);
    struct Fall {
        int32_t x, y;
        bool ueber;
    };
    const Fall faelle[] = {
        {350, 120, true},  {735, 476, true},  {349, 200, false}, {736, 200, false}, {500, 477, false},
        {520, 580, true},  {510, 564, false}, {100, 50, false},  {50, 350, false},  {-100, -100, false},
    };
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(4101));
    for (const Fall& f : faelle) {
        Maus_Frame_Position_Setzen(f.x, f.y);
        EXPECT_EQ(MatchView_Hooks().maus_ueber_icon(), f.ueber) << f.x << "," << f.y;
    }
    Menue_Alles_Loeschen();
    Spiel_Entdrahten();
    EXPECT_EQ(MatchView_Hooks().maus_ueber_icon, nullptr);
    EXPECT_EQ(Einwechseln_Hooks().namen_neu, nullptr);
    Kalender_Hooks() = KalenderHooks{};
    Core_Hooks().meldung = nullptr;
    Maus_Frame_Position_Setzen(-100, -100);
}

// The option bar's pause and fast icons reach the live view's flags, which
// the match's frame and the display's clock read; the disk pages hold the
// match while they are open.
TEST(AnsichtVerdrahtung, TheOptionBarsPauseAndFastReachTheLiveView) {
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(Betrieb::FENSTER, &fehler)) << fehler;
    Spielfeld_Set_Pause(0);
    Spielfeld_Set_Fast(0);
    s_icon icon;
    struct Schritt {
        int32_t icon;       // clicked icon, or -1: the disk pages lock (1) or free (0) the bar
        int32_t sperre;
        int32_t pause, fast;
    };
    const Schritt schritte[] = {
        {ICON_OPTION_PAUSE, 0, 1, 0},
        {ICON_OPTION_FAST, 0, 0, 1},   // fast forward ends a pause
        {-1, 1, 1, 1},                 // a disk page opens over the match
        {-1, 0, 0, 1},                 // and closes: the bar's own pause state again
    };
    for (const Schritt& s : schritte) {
        if (s.icon >= 0) {
            icon.nummer = int16_t(s.icon);
            Menue_Optionen_Klick(&icon, EV_LINKS);
        } else {
            Menue_Optionen_Sperren(s.sperre);
        }
        EXPECT_EQ(Spielfeld_Get_Pause(), s.pause) << "after " << s.icon << "/" << s.sperre;
        EXPECT_EQ(Spielfeld_Get_Fast(), s.fast) << "after " << s.icon << "/" << s.sperre;
    }
    Spiel_Entdrahten();
    EXPECT_EQ(Menue_Panel_Hooks().set_pause, nullptr);
    EXPECT_EQ(Menue_Panel_Hooks().set_fast, nullptr);
    Spielfeld_Set_Pause(0);
    Spielfeld_Set_Fast(0);
    Kalender_Hooks() = KalenderHooks{};
    Core_Hooks().meldung = nullptr;
}

// The wait for the other side ends: on a server the match day follows, so
// the main screen kept for the wait goes (its header stood over the match's
// score bar); on a client the next turn follows, which builds it anew.
TEST(AnsichtVerdrahtung, TheServersWaitEndsIntoTheMatchDayWithoutTheMainScreen) {
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(Betrieb::FENSTER, &fehler)) << fehler;
    Menue_Init_Tabellen();
    ASSERT_NE(Kalender_Hooks().netz_warten, nullptr);
    for (const int32_t modus : {2, 1}) {
        s_icon kopf = Menue_Icon_Neu(4105, 0, 0, -1, ICON_TYP_PASSIV, 1);   // the kept screen's header
        kopf.br = 800;
        kopf.ho = 90;
        Menue_Screen_Icon_Hinzufuegen(&kopf);
        Netzwerk_Modus_Setzen(modus);
        Kalender_Hooks().netz_warten(0);
        EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(4105), modus == 1) << "network mode " << modus;
        Netzwerk_Modus_Setzen(0);
        Menue_Alles_Loeschen();
    }
    Spiel_Entdrahten();
    Kalender_Hooks() = KalenderHooks{};
    Core_Hooks().meldung = nullptr;
}

namespace fs = std::filesystem;

// How many resource files can still be opened: a file left open takes one.
int32_t Freie_Res_Slots(const std::string& datei) {
    std::vector<int32_t> offen;
    for (int32_t s; (s = Res_Open(datei.c_str(), 0)) >= 0;) offen.push_back(s);
    for (int32_t s : offen) Res_Close(s);
    return int32_t(offen.size());
}

bool Gebunden(const char* modul) {
    const std::vector<std::string> g = Verdrahtung_Gebunden();
    return std::find(g.begin(), g.end(), modul) != g.end();
}

void Bild_Verwerfen(const uint16_t*, int32_t, int32_t, uint32_t) {}

TEST(AnsichtVerdrahtung, TheSimulatorsPicturesAreBoundAndUndoneByTheRoot) {
    velmora_test::TempVerz tmp;
    const std::string art = std::string(VELMORA_INSTALL_DIR) + "/resfile";
    const std::string font = art + "/fontres.res";
    // Art of the views without the fonts, and an empty directory.
    const std::string ohne_fonts = (tmp.pfad / "ohne_fonts").string(), leer = (tmp.pfad / "leer").string();
    fs::create_directories(ohne_fonts);
    fs::create_directories(leer);
    for (const char* n : {"stadion_gfx.res", "rasen_hg.res", "stadion_menue.res", "stadion_sprites.res", "menue_res.res",
                          "wappen.res"})
        fs::copy_file(art + "/" + n, ohne_fonts + "/" + n);
    const int32_t frei = Freie_Res_Slots(font);
    ASSERT_GT(frei, 6);
    struct Fall {
        const char* was;
        Betrieb betrieb;
        std::string resfile;
        bool radar;
        const char* fehler;   // null: it starts
    } faelle[] = {
        {"the views", Betrieb::SIM, art, false, nullptr},
        {"the radar", Betrieb::SIM, art, true, nullptr},
        {"no art", Betrieb::SIM, leer, false, "stadion_gfx.res: not a resource file"},
        {"no fonts", Betrieb::SIM, ohne_fonts, false, "fontres.res: the fonts cannot be loaded"},
        {"no fonts for the radar", Betrieb::SIM, ohne_fonts, true, "fontres.res: the fonts cannot be loaded"},
        {"the window's views bound", Betrieb::FENSTER, art, false, "wird von Grafik und SimAnsicht gefuellt"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(f.betrieb, &fehler)) << fehler;
        void (*vorher)() = Spieltag_Hooks().ansicht_frame;
        const bool ok = f.radar ? Radar_Sim_Einrichten(f.resfile, Bild_Verwerfen, &fehler)
                                : Ansicht_Sim_Einrichten(f.resfile, Bild_Verwerfen, &fehler);
        if (!f.fehler) {
            ASSERT_TRUE(ok) << fehler;
            EXPECT_TRUE(Gebunden("SimAnsicht"));
            EXPECT_NE(Spieltag_Hooks().ansicht_frame, nullptr);
            EXPECT_NE(Bild_Hooks().res_slot, nullptr);
            EXPECT_LT(Freie_Res_Slots(font), frei);
            Ansicht_Sim_Beenden();
        } else {
            EXPECT_FALSE(ok);
            EXPECT_NE(fehler.find(f.fehler), std::string::npos) << fehler;
            // What was bound before stays as it was.
            EXPECT_EQ(Spieltag_Hooks().ansicht_frame, vorher);
        }
        // Nothing of the pictures stays: no module, no hook, no file.
        EXPECT_FALSE(Gebunden("SimAnsicht"));
        EXPECT_EQ(Freie_Res_Slots(font), frei);
        if (f.betrieb == Betrieb::SIM) {
            EXPECT_EQ(Spieltag_Hooks().ansicht_frame, nullptr);
            EXPECT_EQ(Bild_Hooks().res_slot, nullptr);
            EXPECT_EQ(Res_Loader_Hooks().bitmap, nullptr);
        }
        Spiel_Entdrahten();
        EXPECT_EQ(Spieltag_Hooks().ansicht_frame, nullptr) << "the root's undo leaves no function of the pictures";
        Kalender_Hooks() = KalenderHooks{};
        Core_Hooks().meldung = nullptr;
    }
}

}  // namespace
}  // namespace velmora
