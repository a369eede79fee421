// club/club_anbindung.cpp - the club data's side of the remote calls: the
// client's call to the server and the server's request handlers.
#include "club/club_anbindung.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "club/club_netz.h"
#include "club/team.h"
#include "club/transfer.h"
#include "core/debug.h"
#include "core/mem.h"
#include "net/internet.h"
#include "net/net.h"

namespace velmora {
namespace {

constexpr int32_t CLUB_ANFRAGEN[] = {
    ANFRAGE_SPIELER_WERT,   ANFRAGE_TEAM_WERT,      ANFRAGE_TEAM_ZEIGER,   ANFRAGE_MANAGER_ICON,
    ANFRAGE_SPIELER_ANZAHL, ANFRAGE_SPIELER_BLOCK,  ANFRAGE_SPIELER_TEAM,  ANFRAGE_TEAM_STARTINFO,
    ANFRAGE_TEAM_BLOCK,     ANFRAGE_TEAM_OWN,       ANFRAGE_STARTTEAMS,    ANFRAGE_MANAGER_STARTINFO,
    ANFRAGE_MANAGER_RECORD, ANFRAGE_MARKT_LISTE,    ANFRAGE_TRANSFER,      ANFRAGE_MANAGER_SENDEN,
    ANFRAGE_MANAGER_LAGER,  ANFRAGE_TEAMS_ABGLEICH, ANFRAGE_STARTTEAMS_ABGLEICH,
    ANFRAGE_SPIELER_ABGLEICH,
};
constexpr uint32_t ARGUMENTE_MAX = 64 * 1024;        // the largest argument block of a club request
constexpr uint32_t ANTWORT_MAX = 8 * 1024 * 1024;    // the largest answer (the market list, player blocks)

// The type string every club request travels with; false when the arguments are too large.
bool typ_bauen(int32_t anfrage, const std::vector<uint8_t>& argumente, char (&typ)[32]) {
    if (argumente.size() > ARGUMENTE_MAX) {
        Debug_Printf("Club_Anbindung: Argumente von Anfrage %d zu gross (%zu)\n", anfrage, argumente.size());
        return false;
    }
    std::snprintf(typ, sizeof typ, "vC%zuC<=0", argumente.size());
    return true;
}

bool client_lesen(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    char typ[32];
    if (!typ_bauen(anfrage, argumente, typ)) return false;
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
    const int32_t nr = Internet_Server_Slot();
    const Net_Client_Slot* slot = nr >= 0 ? Net_Slot(nr) : nullptr;
    Club_Verbindung_Setzen(slot ? slot->verbindung : 0, slot ? slot->adresse : 0);
    const bool ok = Club_Server_Anfrage(aufruf.id, Client_Team(), daten, laenge, antwort);
    Club_Verbindung_Setzen(0);
    if (!ok) return 0;
    return aufruf.Ergebnis_Frei(1, antwort.data(), uint32_t(antwort.size())) ? 1 : 0;
}

// Request 1036: a client takes a club. The slot is the requesting
// connection's; the slot value sent is only echoed. Refused (answer 0) for a
// slot that holds a team already, a club not offered or taken meanwhile, and
// when the six places of joined clients are full.
int32_t nehmen_handler(Internet_Aufruf& aufruf) {
    uint32_t laenge = 0;
    const uint8_t* daten = aufruf.Block(0, &laenge);
    ClubLeser l{daten, laenge};
    const int32_t slotwert = l.i32(), team = l.i32();
    char name[20] = {};
    l.block(name, sizeof name);
    const int32_t portrait = l.i32();
    if (l.fehler || l.pos != laenge) return 0;
    name[sizeof name - 1] = 0;
    const int32_t slot = Internet_Server_Slot();
    Net_Client_Slot* s = slot >= 0 ? Net_Slot(slot) : nullptr;
    int32_t ok = 0;
    if (!s || s->team >= 0) {
        Debug_Printf("Club_Anbindung: Platz %d hat schon Team %d, Team %d verweigert\n", slot, s ? s->team : -1, team);
    } else if (Team_Client_Nehmen(team, name, portrait)) {
        if (Net_Slot_Team_Setzen(slot, team)) ok = 1;
        else Team_Client_Freigeben(team);
    }
    std::vector<uint8_t> antwort;
    ClubPacker p{antwort};
    p.i32(ok);
    p.i32(slotwert);
    return aufruf.Ergebnis_Frei(1, antwort.data(), uint32_t(antwort.size())) ? 1 : 0;
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

bool Club_Anfrage_Anmelden(int32_t anfrage, ClubServerFn fn) {
    if (!fn) return false;
    g_anfragen[anfrage] = fn;
    return vorlage_anmelden(anfrage, modul_handler);
}

void Club_Anfrage_Abmelden(int32_t anfrage) {
    if (g_anfragen.erase(anfrage)) Internet_Server_Abmelden(anfrage);
}

bool Club_Client_Lesen(int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                       std::vector<uint8_t>& antwort) {
    return client_lesen(anfrage, typ, argumente, antwort);
}

bool Club_Client_Vorab(int32_t anfrage, const std::vector<uint8_t>& argumente) {
    char typ[32];
    if (!typ_bauen(anfrage, argumente, typ)) return false;
    Internet_Block unbenutzt;   // the answer goes to the later call
    return Internet_Client_Vorab(anfrage, typ, 0, 0, argumente.data(), &unbenutzt) != 0;
}

void Club_Anfragen_Anmelden() {
    for (int32_t id : CLUB_ANFRAGEN) vorlage_anmelden(id, server_handler);
    vorlage_anmelden(ANFRAGE_TEAM_NEHMEN, nehmen_handler);
}

void Club_Anfragen_Abmelden() {
    for (int32_t id : CLUB_ANFRAGEN) Internet_Server_Abmelden(id);
    Internet_Server_Abmelden(ANFRAGE_TEAM_NEHMEN);
    for (const auto& [id, fn] : g_anfragen) Internet_Server_Abmelden(id);
    g_anfragen.clear();
}

}  // namespace velmora
