// screens/editor_daten.cpp - the team editor's world on disk.
#include "screens/editor_daten.h"

#include <algorithm>

#include "club/club_config.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/dateisatz.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/mem.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

struct EditorDatenModul {
    bool offen = false;
    std::vector<WettbewerbBeschreibung> wettbewerbe;
};
EditorDatenModul g;

constexpr const char* BESCHREIBUNG = "test01";   // the files' first comment, as the editor has always written it

WettbewerbBeschreibung* Beschreibung(int32_t id) {
    for (WettbewerbBeschreibung& w : g.wettbewerbe)
        if (w.id == id) return &w;
    return nullptr;
}

// Teams and players from the files; the clubs' leagues from the competition file.
bool Aus_Dateien(std::vector<WettbewerbBeschreibung>& wettbewerbe) {
    uint8_t vollstaendig = 0;
    return Team(0) && Spieler(0, &vollstaendig) && Wettbewerb_Config_Lesen(wettbewerbe) && Wettbewerb_Init(wettbewerbe);
}

}  // namespace

bool Editor_Daten_Oeffnen() {
    std::vector<WettbewerbBeschreibung> liste;
    if (!Wettbewerb_Config_Lesen(liste)) {
        Debug_Printf("Editor_Daten_Oeffnen: wettbewerb.cfg nicht gelesen\n");
        return false;
    }
    g.wettbewerbe = std::move(liste);
    g.offen = true;
    return true;
}

void Editor_Daten_Schliessen() { g = EditorDatenModul{}; }

const std::vector<WettbewerbBeschreibung>& Editor_Daten_Wettbewerbe() { return g.wettbewerbe; }

bool Editor_Ligen_Tauschen(int32_t a, int32_t b) {
    const int32_t la = Team_Get_Liga(a, 1), lb = Team_Get_Liga(b, 1);
    if (a == b || la < 0 || lb < 0 || la == lb) {
        Debug_Printf("Editor_Ligen_Tauschen: Teams %d und %d nicht getauscht\n", a, b);
        return false;
    }
    WettbewerbBeschreibung* wa = Beschreibung(la);
    WettbewerbBeschreibung* wb = Beschreibung(lb);
    if (!wa || !wb || !Wettbewerb_Team_Tauschen(la, lb, a, b)) {
        Debug_Printf("Editor_Ligen_Tauschen: Ligen %d und %d nicht getauscht\n", la, lb);
        return false;
    }
    std::replace(wa->team_liste.begin(), wa->team_liste.end(), a, b);
    std::replace(wb->team_liste.begin(), wb->team_liste.end(), b, a);
    return true;
}

std::string Editor_Speichern() {
    if (!Config_Bin_Loeschen()) return Config_Bin_Pfad();
    if (!g.offen) return "0_" + Config_Datei_Name(CONFIG_WETTBEWERB);
    // The three files go in place as one set: a file that cannot be written
    // leaves the saved world as it was, not the new clubs beside the old players.
    DateisatzFehler fehler;
    const std::vector<std::pair<std::string, std::string>> dateien = {
        {"0_team.cfg", Convert_Team_Config_Text(BESCHREIBUNG)},
        {"0_spieler.cfg", Convert_Spieler_Config_Text(BESCHREIBUNG)},
        {"0_" + Config_Datei_Name(CONFIG_WETTBEWERB), Wettbewerb_Config_Text(g.wettbewerbe)}};
    if (Dateisatz_Schreiben(Dirs_Get(DIR_USER_CONFIG), dateien, &fehler)) return "";
    return fehler.datei + " (" + fehler.grund + ")";
}

bool Editor_Neu_Laden() {
    // The world as it stands, to fall back on when a file fails.
    const std::string teams = Convert_Team_Config_Text("editor"), spieler = Convert_Spieler_Config_Text("editor");
    const std::vector<WettbewerbBeschreibung> wettbewerbe = g.wettbewerbe;
    ManagerStruktur* platzhalter = Team_Markt() >= 0 ? Manager_Abnehmen(Team_Markt()) : nullptr;
    std::vector<WettbewerbBeschreibung> neu;
    const bool ok = Aus_Dateien(neu);
    if (ok) {
        g.wettbewerbe = std::move(neu);
    } else {
        uint8_t vollstaendig = 0;
        Team_Config_Lesen_Text(teams, "editor");
        Spieler_Config_Lesen_Text(spieler, "editor", &vollstaendig);
        Wettbewerb_Init(wettbewerbe);
        Debug_Printf("Editor_Neu_Laden: Dateien fehlerhaft, die Welt bleibt wie sie war\n");
    }
    if (platzhalter && (Team_Markt() < 0 || !Manager_Anhaengen(Team_Markt(), platzhalter))) Mem_Free(platzhalter);
    return ok;
}

}  // namespace velmora
