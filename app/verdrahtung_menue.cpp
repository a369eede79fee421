// app/verdrahtung_menue.cpp - the composition root's binding of what the menu
// framework shows of the game, part of the screen's binding: the clubs, the
// managers, the calendar and the competitions as the requester, the header's
// film and the screen change read them (MenueSpielHooks; the framework
// includes none of these modules), and the game panel's next fixture. Each
// hook here hands one question on unchanged.
#include "app/verdrahtung_intern.h"
#include "bilder/wappen.h"
#include "club/team.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora::verdrahtung {
namespace {

int32_t Team_Text_Modus(MenueTeamText art) {
    switch (art) {
    case MenueTeamText::NAME_KURZ: return TS_NAME_KURZ;
    case MenueTeamText::MANAGER: return TS_MANAGER;
    default: return TS_NAME;
    }
}

// The next fixture of a club on a day without a match, with its side.
bool Naechstes_Spiel(int32_t team, int32_t* gegner, int32_t* wettbewerb, int32_t* seite) {
    int32_t tag = -1;
    Spiel_Lock s = Statistik_Spiele_Von_Team(team, -1, -1, gegner, wettbewerb, &tag);
    if (!s) return false;
    const SpielDatensatz* sp = Spiele_Get_Spiel(s, 0);
    *seite = sp && sp->gast == team && Wettbewerb_Hat_Heimrecht(*wettbewerb) ? 1 : 0;
    Spiele_Unlock(s);
    return true;
}

}  // namespace

void Binden_Menue_Spiel() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    MenueSpielHooks& m = Menue_Spiel_Hooks();
    Besetzen(m.team_markt, Team_Markt, "MenueSpiel.team_markt");
    Besetzen(
        m.team_text, [](MenueTeamText art, int32_t team) { return Team_String(Team_Text_Modus(art), team, 0, 0); },
        "MenueSpiel.team_text");
    Besetzen(m.team_portrait, [](int32_t team) { return Team_Wert(TW_PORTRAIT, team, 0, 0); }, "MenueSpiel.team_portrait");
    Besetzen(m.team_ist_normal, [](int32_t team) { return Team_Ist_Normal(team, 0); }, "MenueSpiel.team_ist_normal");
    Besetzen(m.team_hat_manager, Team_Hat_Manager, "MenueSpiel.team_hat_manager");
    Besetzen(m.wappen_zeichnen, Wappen_Zeichnen, "MenueSpiel.wappen_zeichnen");
    Besetzen(m.aktives_team, Kalender_Aktives_Team, "MenueSpiel.aktives_team");
    Besetzen(p.naechstes_spiel, Naechstes_Spiel, "MenuePanel.naechstes_spiel");
    Besetzen(
        m.wettbewerb_grafik, [](int32_t wettbewerb) { return Wettbewerb_Get_Grafik(wettbewerb, nullptr); },
        "MenueSpiel.wettbewerb_grafik");
}

}  // namespace velmora::verdrahtung
