// app/verdrahtung_spieler.cpp - the composition root's binding of the player
// windows (talent list window, talents screen, player card, talent panels),
// part of the screens' binding: who closes the talent list, when the windows
// close, the developer keys, and the panel entry that shows the squad.
#include <cstdlib>
#include <cstring>

#include "app/verdrahtung_intern.h"
#include "business/spielerliste.h"
#include "business/talente_screen.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/prioritaeten.h"
#include "core/taste.h"
#include "gui/menue_panel.h"
#include "platform/display.h"
#include "screens/kader_uebersicht.h"
#include "screens/spielerinfo.h"
#include "screens/talent_panel.h"
#include "season/kalender.h"

namespace velmora::verdrahtung {
namespace {

constexpr int32_t TASTE_F11 = VK_F1 + 10;

// The windows lying over a screen close before another one opens: the talent
// list (and the developer panel), the talents screen and the card, whose
// counter block goes with it.
void Spielerfenster_Schliessen() {
    Screen_Zurueck();
    Talente_Schliessen();
    Spielerinfo_Schliessen();
}

// With VELMORA_DEBUG=1, F11 in the menu phase runs the developer talent action.
void Entwickler_Tasten() {
    if (Taste_Get_Code() == TASTE_F11 && !Taste_Wiederholt()) Attribute_Tag();
}

bool Entwickler_An() {
    const char* v = std::getenv("VELMORA_DEBUG");
    return v && std::strcmp(v, "1") == 0;
}

}  // namespace

void Binden_Spielerfenster() {
    Besetzen(Talent_Hooks().liste_schliessen, [] { Screen_Zurueck(); }, "Talent.liste_schliessen");
    SpielerlisteHooks& l = Spielerliste_Hooks();
    Besetzen(l.entwickler_oeffnen, Screen_Talente_Oeffnen, "Spielerliste.entwickler_oeffnen");
    Besetzen(l.entwickler_schliessen, Screen_Talente_Schliessen, "Spielerliste.entwickler_schliessen");
    MenuePanelHooks& p = Menue_Panel_Hooks();
    Abonnieren(p.screen_wechsel, "MenuePanel.screen_wechsel", prio::SCREEN_WECHSEL_SPIELERFENSTER,
               Spielerfenster_Schliessen);
    // Until the line-up screens land, Team -> Kader shows the squad with the player windows' openers.
    Besetzen(p.screens[0][1], Kader_Uebersicht_Oeffnen, "MenuePanel.screens");
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.tag_ereignisse, "Kalender.tag_ereignisse", prio::TAG_SPIELERLISTE, [] { Screen_Zurueck(); });
    // A turn begins: the club of the manager at the screen is the local club of
    // the modules below (the training unit, the scouts), and the last turn's
    // windows are gone.
    Abonnieren(k.zug_beginnt, "Kalender.zug_beginnt", prio::ZUG_BEGINN_LOKAL, [](int32_t team) {
        Team_Lokal_Setzen(team);
        Spielerfenster_Schliessen();
    });
    if (Entwickler_An()) Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_ENTWICKLER, Entwickler_Tasten);
}

}  // namespace velmora::verdrahtung
