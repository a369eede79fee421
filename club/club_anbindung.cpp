// club/club_anbindung.cpp - connects the club data to the network and the save game.
#include "club/club_anbindung.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>
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

// The save driver calls plain functions; each registered block gets its own pair.
constexpr int BLOECKE_MAX = 32;
constexpr uint32_t BLOCK_MAX = 256u << 20;   // far above the largest block of the full world
struct Block {
    const char* name = nullptr;
    ClubSaveFn save = nullptr;
    ClubLoadFn load = nullptr;
};
Block g_bloecke[BLOECKE_MAX];

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
    if (laenge > BLOCK_MAX) {
        // A stated length no module ever writes: refused before anything is allocated.
        Debug_Printf("Club_Anbindung: Block %s mit %u Bytes zu gross\n", g_bloecke[N].name, laenge);
        return false;
    }
    std::vector<uint8_t> daten(laenge);
    uint32_t gelesen = 0;
    if (!Spielstand_Lesen_Gepackt(datei, daten.data(), laenge, &gelesen) || gelesen != laenge) {
        Debug_Printf("Club_Anbindung: Block %s hat %u statt %u Bytes\n", g_bloecke[N].name, gelesen, laenge);
        return false;
    }
    return g_bloecke[N].load(daten.data(), daten.size());
}

template <int... N>
constexpr std::array<SpielstandSpeichern, sizeof...(N)> speicher_tabelle(std::integer_sequence<int, N...>) {
    return {speichern<N>...};
}
template <int... N>
constexpr std::array<SpielstandLaden, sizeof...(N)> lade_tabelle(std::integer_sequence<int, N...>) {
    return {laden<N>...};
}
constexpr auto SPEICHERN = speicher_tabelle(std::make_integer_sequence<int, BLOECKE_MAX>{});
constexpr auto LADEN = lade_tabelle(std::make_integer_sequence<int, BLOECKE_MAX>{});

void registrieren(const char* name, ClubSaveFn save, ClubLoadFn load) {
    if (!name) return;
    for (int i = 0; i < BLOECKE_MAX; ++i) {
        if (g_bloecke[i].name && std::strcmp(g_bloecke[i].name, name) != 0) continue;
        g_bloecke[i] = {name, save, load};
        Spielstand_Modul_Anmelden(Spielstand_Position_Von(name), name, SPEICHERN[size_t(i)], LADEN[size_t(i)]);
        return;
    }
    Debug_Printf("Club_Anbindung: kein Platz fuer Block %s\n", name);
}

// The requests of modules above the club data, by id.
std::map<int32_t, ClubServerFn> g_anfragen;

int32_t modul_handler(Internet_Aufruf& aufruf) {
    auto it = g_anfragen.find(aufruf.id);
    if (it == g_anfragen.end()) return 0;
    uint32_t laenge = 0;
    const uint8_t* daten = aufruf.Block(0, &laenge);
    std::vector<uint8_t> antwort;
    if (!it->second(aufruf.id, Client_Team(), daten, laenge, antwort)) return 0;
    return aufruf.Ergebnis_Frei(1, antwort.data(), uint32_t(antwort.size())) ? 1 : 0;
}

bool vorlage_anmelden(int32_t id, Internet_Handler handler) {
    char vorlage[32];
    std::snprintf(vorlage, sizeof vorlage, "vC%uC<=0", ARGUMENTE_MAX);
    return Internet_Server_Anmelden(id, vorlage, handler, ANTWORT_MAX);
}

}  // namespace

int32_t Spielstand_Position_Von(const char* name) {
    static const struct {
        const char* name;
        int32_t position;
    } POSITIONEN[] = {{"Spieler", 10}, {"Team", 11},     {"Manager", 12}, {"Wettbewerb", 20},
                      {"Spiele", 21},  {"Tabellen", 22}, {"Saison", 23},
                      {"Kalender", 24}, {"Rangliste", 25}, {"Statistik", 26}, {"Spieltag", 30},
                      {"Spielfeld", 31}, {"News", 40},     {"Bank", 41},      {"Stadion", 42},
                      {"Werbung", 43}, {"Ereignis", 44}, {"Training", 45}, {"Trainingslager", 46},
                      {"Scout", 47},   {"Verhandlung", 48}};
    for (const auto& p : POSITIONEN)
        if (name && std::strcmp(p.name, name) == 0) return p.position;
    Debug_Printf("Spielstand_Position_Von: Block %s ohne feste Position\n", name ? name : "?");
    return 200;
}

bool Club_Anfrage_Anmelden(int32_t anfrage, ClubServerFn fn) {
    if (!fn) return false;
    g_anfragen[anfrage] = fn;
    return vorlage_anmelden(anfrage, modul_handler);
}

void Club_Anbinden() {
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = Netzwerk_Modus;
    h.client_team = Client_Team;
    h.client_read = client_lesen;
    h.speicher_registrieren = registrieren;
    for (int32_t id : CLUB_ANFRAGEN) vorlage_anmelden(id, server_handler);
    NetHooks& n = Net_Hooks();
    n.spieler_holen = [] { Spieler_Internet_Client_Refresh(); };
    n.team_holen = [] { Team_Internet_Client_Refresh(); };
    n.manager_holen = [] { Manager_Internet_Client_Refresh(); };
    Club_Registrieren();
}

void Club_Abbinden() {
    for (int32_t id : CLUB_ANFRAGEN) Internet_Server_Abmelden(id);
    for (const auto& [id, fn] : g_anfragen) Internet_Server_Abmelden(id);
    g_anfragen.clear();
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
