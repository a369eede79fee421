// tests/app/ansicht_verdrahtung_test.cpp - the live match views as the window
// binds them: a press over an icon of the menu framework (the option bar, a
// panel lying over the pitch) belongs to the icon, so the view beneath does
// not take it as well; a switch of the panel's club redraws the score plates.
#include <gtest/gtest.h>

#include <string>

#include "app/verdrahtung.h"
#include "core/hooks.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "matchview/spielansicht.h"
#include "screens/einwechseln.h"
#include "season/kalender.h"
#include "shell/maus.h"

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

}  // namespace
}  // namespace velmora
