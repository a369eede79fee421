// app/verdrahtung_spieler.cpp - the composition root's binding of the player
// windows (talent list window, talents screen, player card, talent panels)
// and the line-up screens, part of the screens' binding: who closes the
// talent list, when the windows close, the developer keys, the team panel's
// line-up entries and the line-up checks that refresh the list screen.
#include <cstdlib>
#include <cstring>

#include "app/verdrahtung_intern.h"
#include "business/news_anfrage.h"
#include "business/spielerliste.h"
#include "business/talente_screen.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/transfer.h"
#include "core/prioritaeten.h"
#include "core/taste.h"
#include "platform/display.h"
#include "screens/einsetzen1.h"
#include "screens/einsetzen2.h"
#include "screens/menue_panel.h"
#include "screens/spielerinfo.h"
#include "screens/taktik.h"
#include "screens/talent_panel.h"
#include "season/kalender.h"

namespace velmora::verdrahtung {
namespace {

constexpr int32_t TASTE_F11 = VK_F1 + 10, TASTE_F12 = VK_F1 + 11;

// The windows lying over a screen close before another one opens: the talent
// list (and the developer panel), the talents screen and the card, whose
// counter block goes with it.
void Spielerfenster_Schliessen() {
    Screen_Zurueck();
    Talente_Schliessen();
    Spielerinfo_Schliessen();
}

// With VELMORA_DEBUG=1, F11 in the menu phase runs the developer talent
// action, F12 lets the assistant line the local club up anew.
void Entwickler_Tasten() {
    if (Taste_Wiederholt()) return;
    if (Taste_Get_Code() == TASTE_F11) Attribute_Tag();
    if (Taste_Get_Code() == TASTE_F12) Screen_Team_Neu(Menue_Lokal().team);
}

bool Entwickler_An() {
    const char* v = std::getenv("VELMORA_DEBUG");
    return v && std::strcmp(v, "1") == 0;
}

// The team panel's line-up entries and the checks that refresh the list screen.
void Binden_Aufstellung() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    Besetzen(p.screens[0][0], E1_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[0][1], E2_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[0][2], Taktik_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(Spielerliste_Hooks().aufstellung_blinken, [] {
        if (E1_Screen_Offen()) E1_Screen_Aufbauen();
    }, "Spielerliste.aufstellung_blinken");
    Abonnieren(Kalender_Hooks().aufstellung_pruefen, "Kalender.aufstellung_pruefen", prio::RANGLISTE_TAG_AUFSTELLUNG,
               Screen_Aufstellung_Pruefen);
    Besetzen(News_Hooks().server_vorbereiten, Screen_Aufstellung_Pruefen, "News.server_vorbereiten");
    // A transfer made while a line-up screen is open (an offer accepted, a
    // sale to the market) shows there at once.
    Abonnieren(Transfer_Hooks().kader_geaendert, "Transfer.kader_geaendert", prio::KADER_AUFSTELLUNG_SCREEN,
               [](int32_t, int32_t) {
                   Screen_Aufstellung_Pruefen();
                   E2_Screen_Aktualisieren();
               });
}

}  // namespace

void Binden_Spielerfenster() {
    Besetzen(Talent_Hooks().liste_schliessen, [] { Screen_Zurueck(); }, "Talent.liste_schliessen");
    SpielerlisteHooks& l = Spielerliste_Hooks();
    Besetzen(l.entwickler_oeffnen, Screen_Talente_Oeffnen, "Spielerliste.entwickler_oeffnen");
    Besetzen(l.entwickler_schliessen, Screen_Talente_Schliessen, "Spielerliste.entwickler_schliessen");
    Abonnieren(Menue_Spiel_Hooks().screen_wechsel, "MenueSpiel.screen_wechsel", prio::SCREEN_WECHSEL_SPIELERFENSTER,
               Spielerfenster_Schliessen);
    Binden_Aufstellung();
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
