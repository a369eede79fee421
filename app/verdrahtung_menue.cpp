// app/verdrahtung_menue.cpp - the composition root's binding of what the menu
// framework shows of the game, part of the screen's binding: the clubs, the
// managers, the calendar and the competitions as the panel, the requester,
// the option bar and the header's film read them. The framework includes none
// of these modules; each hook here hands one question on unchanged.
#include "app/verdrahtung_intern.h"
#include "bilder/wappen.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "gui/menue_panel.h"
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

bool Heute(MenueDatum* datum) {
    TagDatensatz d;
    if (!Kalender_Tag_Datensatz(-1, &d)) return false;
    datum->tag_index = d.tag_index;
    datum->tag = d.tag;
    datum->monat = d.monat;
    datum->jahr = d.jahr;
    datum->saisonjahr = Kalender_Saisonjahr();
    datum->text_lang = d.text_lang;
    datum->text_kurz = d.text_kurz;
    return true;
}

}  // namespace

void Binden_Menue_Spiel() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    Besetzen(p.team_markt, Team_Markt, "MenuePanel.team_markt");
    Besetzen(
        p.team_text, [](MenueTeamText art, int32_t team) { return Team_String(Team_Text_Modus(art), team, 0, 0); },
        "MenuePanel.team_text");
    Besetzen(p.team_portrait, [](int32_t team) { return Team_Wert(TW_PORTRAIT, team, 0, 0); }, "MenuePanel.team_portrait");
    Besetzen(p.team_ist_normal, [](int32_t team) { return Team_Ist_Normal(team, 0); }, "MenuePanel.team_ist_normal");
    Besetzen(p.team_hat_manager, Team_Hat_Manager, "MenuePanel.team_hat_manager");
    Besetzen(
        p.team_spieler,
        [](int32_t team) {
            int32_t spieler[TEAM_SPIELER_MAX];
            return Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
        },
        "MenuePanel.team_spieler");
    // The header shows the strength and attributes of the available starters.
    Besetzen(p.team_staerke, [](int32_t team) { return Team_Berechne_Staerke(team, 16); }, "MenuePanel.team_staerke");
    Besetzen(p.staerke_text, Team_Staerke_Text, "MenuePanel.staerke_text");
    Besetzen(p.team_attribute, [](int32_t team) { return Team_Berechne_Attribute(team, 16); }, "MenuePanel.team_attribute");
    Besetzen(p.wappen_zeichnen, Wappen_Zeichnen, "MenuePanel.wappen_zeichnen");
    Besetzen(p.pokal_zeichnen, Pokal_Zeichnen, "MenuePanel.pokal_zeichnen");
    Besetzen(
        p.auswahl_lesen,
        [](int32_t team, int32_t paar[2]) { return Team_Zeiger(TZ_PANEL, team, paar, OP_ZEIGER_LESEN) != nullptr; },
        "MenuePanel.auswahl_lesen");
    Besetzen(
        p.auswahl_schreiben,
        [](int32_t team, const int32_t paar[2]) {
            int32_t kopie[2] = {paar[0], paar[1]};
            Team_Zeiger(TZ_PANEL, team, kopie, OP_SCHREIBEN);
        },
        "MenuePanel.auswahl_schreiben");
    Besetzen(
        p.manager_am_zug,
        [] {
            int32_t liste[TEAM_MAX];
            return Manager_Ist_Dran(liste, 0, 0);
        },
        "MenuePanel.manager_am_zug");
    Besetzen(p.aktives_team, Kalender_Aktives_Team, "MenuePanel.aktives_team");
    Besetzen(p.naechster_zug, Kalender_Naechster_Zug, "MenuePanel.naechster_zug");
    Besetzen(p.tag_fertig, [] { K_NEUER_TAG(K_FERTIG, 0); }, "MenuePanel.tag_fertig");
    Besetzen(p.heute, Heute, "MenuePanel.heute");
    Besetzen(p.wartefenster, Kalender_Get_Wartefenster, "MenuePanel.wartefenster");
    Besetzen(p.tempo_setzen, Kalender_Set_Tempo, "MenuePanel.tempo_setzen");
    Besetzen(p.naechstes_spiel, Naechstes_Spiel, "MenuePanel.naechstes_spiel");
    Besetzen(
        p.wettbewerb_grafik, [](int32_t wettbewerb) { return Wettbewerb_Get_Grafik(wettbewerb, nullptr); },
        "MenuePanel.wettbewerb_grafik");
    Besetzen(
        p.wettbewerb_pokal, [](int32_t wettbewerb) { return Wettbewerb_Get_Liga_Symbol(wettbewerb) >= 0; },
        "MenuePanel.wettbewerb_pokal");
}

}  // namespace velmora::verdrahtung
