// season/spielstart.cpp - the world of a new game and the game-running flag.
#include "season/spielstart.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "club/aufstellung.h"
#include "club/club_config.h"
#include "club/club_hooks.h"
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
#include "season/wettbewerb.h"
#include "season/zeitplan.h"

namespace velmora {
namespace {

struct SpielstartModul {
    bool erster_aufruf = true;
    uint8_t spielerdaten = 0;
    bool cache_behalten = false;
    std::vector<std::string> cache_regionen;   // the world's regions this module registered
    bool cache_angemeldet = false;
};
SpielstartModul g;

// The clubs, players, competitions and schedule from the files. Once every
// file was read whole the configuration cache is written from them, with
// the sources as they stood before the reading (a file changed meanwhile
// leaves the cache stale).
bool Aus_Dateien() {
    const bool cache = g.cache_angemeldet;
    const std::vector<uint8_t> quellen = cache ? Config_Bin_Quellen() : std::vector<uint8_t>();
    bool ganz = Global_Config_Lesen();
    if (!ganz) Debug_Printf("Spielstart_Welt_Aufbauen: global.cfg nicht gelesen\n");
    if (!Team(0)) {
        Debug_Printf("Spielstart_Welt_Aufbauen: team.cfg nicht gelesen\n");
        return false;
    }
    if (!Spieler(0, &g.spielerdaten)) {
        Debug_Printf("Spielstart_Welt_Aufbauen: spieler.cfg nicht gelesen\n");
        return false;
    }
    if (!Wettbewerb_Spielstart_Lesen()) return false;
    if (!Zeitplan_Welt_Lesen()) {
        Debug_Printf("Spielstart_Welt_Aufbauen: zeitplan.cfg nicht gelesen\n");
        ganz = false;
    }
    // A cache of a world read in part would load as if it were whole.
    if (!cache) return true;
    if (ganz && g.spielerdaten == 1) Config_Bin_Schreiben(&quellen);
    else Debug_Printf("Spielstart_Welt_Aufbauen: nicht alles gelesen, kein Cache geschrieben\n");
    return true;
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

bool Spielstart_Cache_Anmelden() {
    Spielstart_Cache_Abmelden();
    const std::vector<std::string> vorher = Config_Bin_Regionen();
    const bool ok = Global_Config_Bin_Anmelden() && Club_Config_Bin_Anmelden() && Wettbewerb_Cache_Anmelden() &&
                    Zeitplan_Cache_Anmelden();
    for (const std::string& name : Config_Bin_Regionen())
        if (std::find(vorher.begin(), vorher.end(), name) == vorher.end()) g.cache_regionen.push_back(name);
    if (!ok) {
        Debug_Printf("Spielstart_Cache_Anmelden: Regionen der Welt nicht angemeldet\n");
        Spielstart_Cache_Abmelden();
        return false;
    }
    g.cache_angemeldet = true;
    return true;
}

void Spielstart_Cache_Abmelden() {
    for (const std::string& name : g.cache_regionen) Config_Bin_Region_Abmelden(name.c_str());
    g.cache_regionen.clear();
    g.cache_angemeldet = false;
}

namespace {

// Whether the file holds nothing but blanks: read until its first other
// byte, which a real file shows in its first block.
bool nur_leerraum(const std::string& pfad, bool* lesbar) {
    const int32_t h = Plat_File_Open(pfad.c_str(), PLAT_READ);
    *lesbar = h >= 0;
    if (h < 0) return false;
    uint8_t block[65536];
    bool leer = true;
    int64_t n;
    while (leer && (n = Plat_File_Read(h, block, sizeof block)) > 0)
        leer = std::all_of(block, block + n, [](uint8_t c) { return std::isspace(c); });
    if (n < 0) *lesbar = false;
    Plat_File_Close(h);
    return leer;
}

// Why the world's files cannot make a world: one of them missing, unreadable
// or empty, named by its path; "" when all three are there.
std::string dateien_fehler() {
    for (int32_t datei : {CONFIG_TEAM, CONFIG_SPIELER, CONFIG_WETTBEWERB}) {
        std::string name = Config_Datei_Name(datei);
        std::string pfad = Config_Pfad(Config_Satz(), name.c_str());
        const std::string anzeige = Config_Pfad_Anzeige(Config_Satz(), name.c_str());
        if (pfad.empty()) return anzeige + ": missing";
        bool lesbar = false;
        // A file with nothing but blanks holds no club, player or competition.
        const bool leer = nur_leerraum(Plat_Path(pfad.c_str()), &lesbar);
        if (!lesbar) return anzeige + ": unreadable";
        if (leer) return anzeige + ": empty";
    }
    return "";
}

}  // namespace

std::string Spielstart_Welt_Fehler() {
    if (std::string f = dateien_fehler(); !f.empty()) return f;
    return Str_Format("the world could not be built from the configuration files in %s (VELMORA_DEBUG=1 names the fault)",
                      Dirs_Get(DIR_INSTALL_CONFIG));
}

bool Spielstart_Welt_Aufbauen() {
    // The world of the files is this machine's, also on a client that is back
    // at its start screen: each of its writes was refused as a client's write
    // into another's club (thousands of lines) and the world stayed half built.
    const Club_Eigene_Welt eigene;
    // The market's manager record holds the start screens' state; it outlives the rebuild.
    ManagerStruktur* platzhalter = Team_Anzahl() > 0 && Team_Markt() >= 0 ? Manager_Abnehmen(Team_Markt()) : nullptr;
    if (!g.cache_behalten) Config_Bin_Loeschen();
    bool ok = true;
    if (g.cache_angemeldet && Config_Bin_Laden()) {
        g.spielerdaten = 1;
        Team_Netzwerk_Flags_Setzen();
    } else {
        g.spielerdaten = 0;
        // A world file missing or empty is refused before any is read: reading
        // the others against it only fills the log with what they lack.
        ok = dateien_fehler().empty() && Aus_Dateien();
    }
    // Both ways hold the competitions as read, without fixtures: the first season's are made here.
    ok = ok && Wettbewerb_Spielstart_Spielplaene();
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
