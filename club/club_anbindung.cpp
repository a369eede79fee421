// club/club_anbindung.cpp - connects the club data to the network and the save game.
#include "club/club_anbindung.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/transfer.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "core/str.h"
#include "net/internet.h"
#include "net/net.h"

namespace velmora {
namespace {

constexpr int32_t CLUB_ANFRAGEN[] = {
    ANFRAGE_SPIELER_WERT,   ANFRAGE_TEAM_WERT,      ANFRAGE_TEAM_ZEIGER,   ANFRAGE_MANAGER_ICON,
    ANFRAGE_SPIELER_ANZAHL, ANFRAGE_SPIELER_BLOCK,  ANFRAGE_SPIELER_TEAM,  ANFRAGE_TEAM_STARTINFO,
    ANFRAGE_TEAM_BLOCK,     ANFRAGE_TEAM_OWN,       ANFRAGE_STARTTEAMS,    ANFRAGE_MANAGER_STARTINFO,
    ANFRAGE_MANAGER_RECORD, ANFRAGE_MARKT_LISTE,    ANFRAGE_TRANSFER,
};
constexpr uint32_t ARGUMENTE_MAX = 64 * 1024;        // the largest argument block of a club request
constexpr uint32_t ANTWORT_MAX = 8 * 1024 * 1024;    // the largest answer (the market list, player blocks)

bool client_lesen(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    if (argumente.size() > ARGUMENTE_MAX) {
        Debug_Printf("Club_Anbindung: Argumente von Anfrage %d zu gross (%zu)\n", anfrage, argumente.size());
        return false;
    }
    char typ[32];
    std::snprintf(typ, sizeof typ, "vC%zuC<=0", argumente.size());
    Internet_Block block;
    int32_t ok = Internet_Client_Read(anfrage, typ, 0, 0, argumente.data(), &block);
    if (!ok) {
        if (block.daten) Mem_Free(block.daten);
        return false;
    }
    const auto* d = static_cast<const uint8_t*>(block.daten);
    antwort.assign(d, d + block.laenge);
    if (block.daten) Mem_Free(block.daten);
    return true;
}

int32_t server_handler(Internet_Aufruf& aufruf) {
    uint32_t laenge = 0;
    const uint8_t* daten = aufruf.Block(0, &laenge);
    std::vector<uint8_t> antwort;
    if (!Club_Server_Anfrage(aufruf.id, Client_Team(), daten, laenge, antwort)) return 0;
    return aufruf.Ergebnis_Frei(1, antwort.data(), uint32_t(antwort.size())) ? 1 : 0;
}

// The save driver calls plain functions; each club block gets its own pair.
struct Block {
    const char* name = nullptr;
    ClubSaveFn save = nullptr;
    ClubLoadFn load = nullptr;
};
Block g_bloecke[3];

template <int N>
bool speichern(SpielstandDatei* datei) {
    std::vector<uint8_t> daten;
    g_bloecke[N].save(daten);
    uint32_t laenge = uint32_t(daten.size());
    return Spielstand_Schreiben(datei, &laenge, 4) && Spielstand_Schreiben_Gepackt(datei, daten.data(), laenge);
}

template <int N>
bool laden(SpielstandDatei* datei) {
    uint32_t laenge = 0;
    if (!Spielstand_Lesen(datei, &laenge, 4)) return false;
    std::vector<uint8_t> daten(laenge);
    uint32_t gelesen = 0;
    if (!Spielstand_Lesen_Gepackt(datei, daten.data(), laenge, &gelesen) || gelesen != laenge) {
        Debug_Printf("Club_Anbindung: Block %s hat %u statt %u Bytes\n", g_bloecke[N].name, gelesen, laenge);
        return false;
    }
    return g_bloecke[N].load(daten.data(), daten.size());
}

void registrieren(const char* name, ClubSaveFn save, ClubLoadFn load) {
    static const int32_t positionen[3] = {SPIELSTAND_POS_SPIELER, SPIELSTAND_POS_TEAM, SPIELSTAND_POS_MANAGER};
    static SpielstandSpeichern s[3] = {speichern<0>, speichern<1>, speichern<2>};
    static SpielstandLaden l[3] = {laden<0>, laden<1>, laden<2>};
    for (int i = 0; i < 3; ++i) {
        if (g_bloecke[i].name && std::strcmp(g_bloecke[i].name, name) != 0) continue;
        g_bloecke[i] = {name, save, load};
        Spielstand_Modul_Anmelden(positionen[i], name, s[i], l[i]);
        return;
    }
    Debug_Printf("Club_Anbindung: kein Platz fuer Block %s\n", name);
}

}  // namespace

void Club_Anbinden() {
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = Netzwerk_Modus;
    h.client_team = Client_Team;
    h.client_read = client_lesen;
    h.speicher_registrieren = registrieren;
    char vorlage[32];
    std::snprintf(vorlage, sizeof vorlage, "vC%uC<=0", ARGUMENTE_MAX);
    for (int32_t id : CLUB_ANFRAGEN) Internet_Server_Anmelden(id, vorlage, server_handler, ANTWORT_MAX);
    NetHooks& n = Net_Hooks();
    n.spieler_holen = [] { Spieler_Internet_Client_Refresh(); };
    n.team_holen = [] { Team_Internet_Client_Refresh(); };
    n.manager_holen = [] { Manager_Internet_Client_Refresh(); };
    Club_Registrieren();
}

void Club_Abbinden() {
    for (int32_t id : CLUB_ANFRAGEN) Internet_Server_Abmelden(id);
    for (Block& b : g_bloecke) {
        if (b.name) Spielstand_Modul_Abmelden(b.name);
        b = Block{};
    }
    Club_Hooks() = ClubHooks{};
    NetHooks& n = Net_Hooks();
    n.spieler_holen = nullptr;
    n.team_holen = nullptr;
    n.manager_holen = nullptr;
}

}  // namespace velmora
