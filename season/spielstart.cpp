// season/spielstart.cpp - the world of a new game and the game-running flag.
#include "season/spielstart.h"

#include <vector>

#include "club/aufstellung.h"
#include "club/club_config.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_basis.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/str.h"
#include "platform/files.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

struct SpielstartModul {
    bool erster_aufruf = true;
    uint8_t spielerdaten = 0;
    bool cache_behalten = false;
};
SpielstartModul g;

// The clubs, players and competitions from the files.
bool Aus_Dateien() {
    if (!Global_Config_Lesen()) Debug_Printf("Spielstart_Welt_Aufbauen: global.cfg nicht gelesen\n");
    if (!Team(0)) {
        Debug_Printf("Spielstart_Welt_Aufbauen: team.cfg nicht gelesen\n");
        return false;
    }
    if (!Spieler(0, &g.spielerdaten)) {
        Debug_Printf("Spielstart_Welt_Aufbauen: spieler.cfg nicht gelesen\n");
        return false;
    }
    return Wettbewerb_Spielstart_Pruefen(0, 0);
}

}  // namespace

int32_t Spielstart_Pruefen(int32_t, uint8_t* spielerdaten) {
    if (g.erster_aufruf) g.erster_aufruf = false;
    if (spielerdaten) *spielerdaten = g.spielerdaten;
    return Spielstart_Spiel_Laeuft();
}

int32_t Spielstart_Spiel_Laeuft() { return Team_Anzahl() > 0 && Team_Spiel_Laeuft() ? 1 : 0; }

void Spielstart_Set_Spiel_Laeuft() { Team_Spielstand_Setzen(1, Team_Spiel_Level()); }

uint8_t Spielstart_Spielerdaten() { return g.spielerdaten; }

void Spielstart_Cache_Behalten(bool behalten) { g.cache_behalten = behalten; }

bool Spielstart_Regeln_Lesen() {
    if (Global_Config_Lesen()) return true;
    Debug_Printf("Spielstart_Regeln_Lesen: global.cfg nicht gelesen, es gelten die Standardregeln\n");
    return false;
}

std::string Spielstart_Welt_Fehler() {
    for (int32_t datei : {CONFIG_TEAM, CONFIG_SPIELER, CONFIG_WETTBEWERB}) {
        std::string name = Config_Datei_Name(datei);
        std::string pfad = Config_Pfad(Config_Satz(), name.c_str());
        if (pfad.empty())
            return Str_Format("%s/%d_%s: missing", Dirs_Get(DIR_INSTALL_CONFIG), Config_Satz(), name.c_str());
        std::vector<uint8_t> inhalt;
        if (!Plat_Read_All(pfad.c_str(), inhalt)) return Plat_Path(pfad.c_str()) + ": unreadable";
    }
    return Str_Format("the world could not be built from the configuration files in %s (VELMORA_DEBUG=1 names the fault)",
                      Dirs_Get(DIR_INSTALL_CONFIG));
}

bool Spielstart_Welt_Aufbauen() {
    // The market's manager record holds the start screens' state; it outlives the rebuild.
    ManagerStruktur* platzhalter = Team_Anzahl() > 0 && Team_Markt() >= 0 ? Manager_Abnehmen(Team_Markt()) : nullptr;
    if (!g.cache_behalten) Config_Bin_Loeschen();
    bool ok = true;
    if (Config_Bin_Laden()) {
        g.spielerdaten = 1;
        Team_Netzwerk_Flags_Setzen();
        // The cache holds the competitions but no fixtures: the first season's are made here.
        Spiele_Init();
        Tabelle_Free();
        Saison_Free();
        ok = Wettbewerb_Saison_Start();
    } else {
        g.spielerdaten = 0;
        ok = Aus_Dateien();
    }
    if (platzhalter) {
        if (Team_Markt() < 0 || !Manager_Anhaengen(Team_Markt(), platzhalter)) {
            Debug_Printf("Spielstart_Welt_Aufbauen: Platzhalter-Manager ohne Transfermarkt\n");
            Mem_Free(platzhalter);
        }
    }
    if (!ok || Team_Anzahl() <= 0) {
        Debug_Printf("Spielstart_Welt_Aufbauen: Welt nicht aufgebaut\n");
        return false;
    }
    Team_Set_Basisdaten(-1, -1);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (t == Team_Markt()) continue;
        Team_Aufstellung_Initialisieren(t);
        Team_Spieler_Aktualisieren(t);
    }
    return true;
}

}  // namespace velmora
