// season/wettbewerb.h - competitions: the records read from "wettbewerb.cfg",
// their team slots, rounds and groups, and the accessors the rest of the game reads.
//
// A competition is one stage: a league, a group of a continental cup, a
// knock-out competition (a cup, the continental cup's final rounds) or the
// friendlies. Stages of one competition are chained: the groups of a
// continental cup through NAECHSTE_GRUPPE, the stage after them through
// NAECHSTE_RUNDE; the first record of a chain is its root (`Stamm`). Games
// live in the fixtures store (season/spiele.h) under the stage's own id.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "season/wettbewerb_cfg.h"

namespace velmora {

// Team slot states.
constexpr uint8_t SLOT_AUSGESCHIEDEN = 1;   // knocked out
constexpr uint8_t SLOT_WEITER = 2;          // through to the next stage

#pragma pack(push, 1)
struct WettbewerbSatz {               // 10,644 bytes, stored raw in the save game and the cache
    int32_t id;                       // 0: 0 for an empty record
    char name[64];                    // 4
    char kurzname[16];                // 68
    int32_t modus;                    // 84
    int32_t teams;                    // 88: TEAMS
    int32_t spieltage;                // 92: SPIELTAGE (rounds)
    int32_t grafik;                   // 96
    int32_t kalender_position;        // 100
    int32_t liga_symbol;              // 104
    int32_t land;                     // 108
    int32_t stufe;                    // 112
    int32_t art;                      // 116
    int32_t stamm;                    // 120: root of the chain
    int32_t naechste_runde;           // 124
    int32_t naechste_gruppe;          // 128
    int32_t rueckspiel;               // 132: legs per tie, 2 = double round robin
    int32_t verlaengerung;            // 136
    int32_t elfmeter;                 // 140
    int32_t auswaertstore;            // 144
    int32_t golden_goal;              // 148
    int32_t spielzeit;                // 152
    int32_t aufsteiger;               // 156
    int32_t absteiger;                // 160
    int32_t liga_oben;                // 164
    int32_t liga_unten;               // 168
    int32_t quali_ziel;               // 172
    int32_t quali_plaetze;            // 176
    int32_t weiter_plaetze;           // 180
    int32_t wichtigkeit;              // 184
    int32_t punkt_praemie;            // 188
    int32_t schalter;                 // 192
    int32_t gastgeber;                // 196
    int32_t gelb_sperre;              // 200
    int32_t sperre_gelbrot;           // 204
    int32_t sperre_rot;               // 208
    int32_t preis_prozent;            // 212
    int32_t aktuelle_runde;           // 216: the round being played (from 1), 0 before the start
    int32_t aktueller_spieltag;       // 220: its leg
    int32_t ausgelost;                // 224: rounds whose games exist
    int32_t team_anzahl;              // 228: slots filled
    int32_t sieger;                   // 232: the winner once decided, -1
    int32_t saison;                   // 236: seasons played
    uint8_t reserve1[272];            // 240
    int16_t team[WETTBEWERB_TEAMS_MAX];        // 512: -1 free
    uint8_t slot_status[WETTBEWERB_TEAMS_MAX]; // 768
    uint8_t reserve2[9748];           // 896
};
#pragma pack(pop)
static_assert(sizeof(WettbewerbSatz) == 10644);
static_assert(offsetof(WettbewerbSatz, team) == 512);
static_assert(offsetof(WettbewerbSatz, aktuelle_runde) == 216);

// What the match and the screens read of a competition in one record.
struct WettbewerbInfo {
    int8_t zuschauer;                 // negative: played without a crowd
    uint8_t spezial;                  // 1 friendlies, 2 a tournament with a host
    int16_t reserve;
    int32_t modus;                    // MODUS bits (MODUS_*)
    int32_t teams;
    int32_t spieltage;
    int32_t aktuelle_runde;
    int32_t aktueller_spieltag;
    int32_t halbzeit_minute;
    int32_t gastgeber;                // the host club, -1
    int32_t gastgeber_stadion;        // the club whose stadium hosts, -1
};

// Payments and other upward calls; filled by the bank and the calendar.
struct WettbewerbHooks {
    // Books `betrag` onto the club's account; unfilled: logged and dropped.
    void (*bank_buchen)(int32_t team, float betrag, int32_t kategorie, const char* text) = nullptr;
    // The current year, for titles; unfilled: the number of seasons played.
    int32_t (*jahr)() = nullptr;
    // A competition has its winner: a knock-out competition's final is
    // decided, or a league that is no group has played its last round (the
    // winner then leads its table). Unfilled: nothing more happens.
    void (*beendet)(int32_t wettbewerb, int32_t sieger) = nullptr;
    // The computer's tactics during a live match: `satz` is the match record,
    // handed on unread. Unfilled: nothing changes.
    void (*ki_taktik)(void* satz, int32_t minute, int32_t spielzeit) = nullptr;
};
WettbewerbHooks& Wettbewerb_Hooks();
constexpr int32_t BUCHUNG_PRAEMIE = 7;      // booking category of bonuses

// Builds the records from descriptions (fixtures are not made here); sets the
// clubs' league (team value 11) on a server or single machine.
bool Wettbewerb_Init(const std::vector<WettbewerbBeschreibung>& liste);
// Reads "wettbewerb.cfg" of the current set and builds the records.
bool Wettbewerb_Config_Laden();
void Wettbewerb_Free();
bool Wettbewerb_Ist_Initialisiert();

// The record of an id (null for an unknown id, with no log line) for the season modules.
WettbewerbSatz* Wettbewerb_Satz(int32_t id);
// The ids of all competitions in ascending order.
std::vector<int32_t> Wettbewerb_Alle();

const WettbewerbInfo* Wettbewerb_Get_Info(int32_t id);
int32_t Wettbewerb_Get_Grafik(int32_t id, int32_t* kalender_position);
int32_t Wettbewerb_Get_Liga_Symbol(int32_t id);
int32_t Wettbewerb_Get_Schalter(int32_t id, int32_t schalter);
const char* Wettbewerb_Get_Landespokal(int32_t id, int32_t, int32_t);   // display name
const char* Wettbewerb_Get_Gruppenname(int32_t id);
int32_t Wettbewerb_Get_Land(int32_t id);
// The name of the competition's country (its LAND club), "" when it has none.
const char* Wettbewerb_Get_Land_Name(int32_t id);
// A league of a country's pyramid with no league below it; and such a league
// that is split into parallel groups.
bool Wettbewerb_Ist_Basisliga(int32_t id);
bool Wettbewerb_Ist_Geteilte_Basisliga(int32_t id);
int32_t Wettbewerb_Get_Stamm_Id(int32_t id);
int32_t Wettbewerb_Erste_Runde(int32_t id);         // the first stage of id's chain (its root)
int32_t Wettbewerb_Naechste_Runde(int32_t id);      // -1 at the end
int32_t Wettbewerb_Erste_Gruppe(int32_t id);        // the first group of id's stage
int32_t Wettbewerb_Naechste_Gruppe(int32_t id);
bool Wettbewerb_Ist_International(int32_t id);
bool Wettbewerb_Ist_Kontinental(int32_t id);
bool Wettbewerb_Ist_Freundschaft(int32_t id);
bool Wettbewerb_Hat_Heimrecht(int32_t id);
bool Wettbewerb_Ist_KO(int32_t id);
bool Wettbewerb_Ist_Liga(int32_t id);              // a league or a group: played as a table

// Team slots.
int32_t Wettbewerb_Get_Teams(int32_t id, int32_t* out);   // room for 128; the count
int32_t Wettbewerb_Get_Team_Slot(int32_t id, int32_t team);   // -1 when not in it
int32_t Wettbewerb_Get_Teams_Hierarchie(int32_t id, int32_t* out);   // every stage under id's root
bool Wettbewerb_Team_Noch_Dabei(int32_t id, int32_t team, int32_t, int32_t);
// Puts `team` into the first free slot; false when full or already in.
bool Wettbewerb_Team_Eintragen(int32_t id, int32_t team);
void Wettbewerb_Teams_Leeren(int32_t id);
// Swaps team_a of competition a with team_b of competition b: their slots,
// their games not yet played, and (for leagues) their team value 11. With a
// = -1 team_a, in no competition, takes team_b's place and team_b leaves b.
bool Wettbewerb_Team_Tauschen(int32_t a, int32_t b, int32_t team_a, int32_t team_b);
bool Wettbewerb_Team_Wettbewerb_Wechsel(int32_t team, int32_t von, int32_t nach);
// The competitions of a club this season (club -1: all); with flag 1 only
// the leagues a manager may choose at the start. Their count.
int32_t Wettbewerb_Liste_Team(int32_t team, int32_t* out, int32_t flag);
int32_t Team_Get_Liga(int32_t team, int32_t);
bool Wettbewerb_Hat_Menschliches_Team(int32_t id);
// Levels of the country's pyramid and the level percentage of a club's league.
int32_t Wettbewerb_Team_Niveau(int32_t team);
int32_t Wettbewerb_Betrag_Nach_Niveau(int32_t team, int32_t betrag, int32_t p);

// Competition editing mode: while it is open no game may start.
bool Config_Modify_Init(int32_t, int32_t);
void Config_Modify_Free();
bool Config_Modify_Aktiv();

// Save-game block (every record, raw) and the binary cache region.
void Wettbewerb_Save(std::vector<uint8_t>& out);
// Network play: a client takes the server's records (the rounds reached, the
// clubs a draw entered, who is out, the winner, a new season's leagues) as far
// as they changed, by request 1020 ("i<B", club/abgleich.h, the block being
// the save block). False when the server did not answer or its block does not fit.
constexpr int32_t ANFRAGE_WETTBEWERB_ABGLEICH = 1020;
bool Wettbewerb_Client_Holen();
// Client: its request sent ahead without waiting (Club_Remote_Vorab).
void Wettbewerb_Client_Holen_Vorab();
// Server: the answer to request 1020; false for another request or bad arguments.
bool Wettbewerb_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort);
bool Wettbewerb_Load(const uint8_t* in, size_t bytes);
// Registers the "Wettbewerb" block of the save game (position 20).
bool Wettbewerb_Spielstand_Anmelden();
// Registers the "Wettbewerb" region of the configuration cache.
bool Wettbewerb_Cache_Anmelden();


}  // namespace velmora
