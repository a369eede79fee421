// app/verdrahtung_screens.cpp - the menu screens of screens/ in the window's
// game: the panel entries and option icons that open them, and what the save
// driver asks of the save screen.
#include "app/verdrahtung_intern.h"
#include "business/news_anfrage.h"
#include "core/prioritaeten.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "screens/bank_screen.h"
#include "screens/disk_screen.h"
#include "screens/finanzen.h"
#include "screens/menue_panel.h"
#include "screens/optionen.h"
#include "screens/stadion_screen.h"
#include "screens/werbung_screen.h"

namespace velmora::verdrahtung {
namespace {

// The club's money: bank (button 704, entry 0), advertising (1), stadium (2), finances (3);
// the news' event requests set the stadium notice's sample; the options.
void Binden_Geld_Screens(MenuePanelHooks& p) {
    const int32_t verein = 704 - ICON_PANEL_TEAM;
    Besetzen(p.screens[verein][0], Bank_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[verein][1], Werbung_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[verein][2], Stadion_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(News_Hooks().hinweis_sound, Stadion_Screen_Hinweis_Sound, "News.hinweis_sound");
    // System: options (button 705, entry 2, and the option bar's icon).
    Besetzen(p.screens[ICON_PANEL_SYSTEM - ICON_PANEL_TEAM][2], Optionen_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(p.optionen_screen, Optionen_Screen_Oeffnen, "MenuePanel.optionen_screen");
    Besetzen(p.screens[verein][3], Finanz_Screen_Oeffnen, "MenuePanel.screens");
}

}  // namespace

void Binden_Menue_Screens() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    Binden_Geld_Screens(p);
    // System: load (entry 0) and save (entry 1), also from the option bar of a live match.
    const int32_t system = ICON_PANEL_SYSTEM - ICON_PANEL_TEAM;
    Besetzen(p.screens[system][0], Disk_Screen_Laden_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[system][1], Disk_Screen_Speichern_Oeffnen, "MenuePanel.screens");
    Besetzen(p.disk_laden, Disk_Screen_Laden_Oeffnen, "MenuePanel.disk_laden");
    Besetzen(p.disk_speichern, Disk_Screen_Speichern_Oeffnen, "MenuePanel.disk_speichern");
    SpielstandHooks& s = Spielstand_Hooks();
    Besetzen(s.slot_name, Disk_Screen_Slot_Name, "Spielstand.slot_name");
    Besetzen(s.disk_text, Disk_Screen_Text, "Spielstand.disk_text");
    Besetzen(s.optionen_text, [](int32_t nummer) { return Text_Get("OPTIONEN_SCREEN", nummer); },
             "Spielstand.optionen_text");
    Besetzen(s.nach_speichern, Disk_Screen_Koepfe_Lesen, "Spielstand.nach_speichern");
    // The system pages are windows over the screen, the panel stays usable
    // under their catchers: another page or screen opened from the panel
    // takes the place of the open one (the options stood over the load
    // page's list and took its clicks).
    Abonnieren(Menue_Spiel_Hooks().screen_wechsel, "MenueSpiel.screen_wechsel", prio::SCREEN_WECHSEL_SYSTEMSEITEN, [] {
        Optionen_Screen_Schliessen();
        Disk_Screen_Schliessen();
    });
    Beim_Abbinden(Disk_Screen_Free);
}

}  // namespace velmora::verdrahtung
