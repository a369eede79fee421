// business/stadion.h - the clubs' stadiums: one record per club with its
// name, ticket price, capacity, comfort and model, the spectators and gate
// money of every match, the upkeep after each match and the attendance
// statistics of the club's home matches.
//
// The records live in a keyed list with the team number as key. A record
// made for a club carries its statistics block directly behind it (2328
// bytes in all); a record without one is 64 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t STADION_SLOTS = 6;            // competition slots of the statistics
constexpr int32_t STADION_VERLAUF = 70;         // history entries of slot 0
constexpr int32_t STADION_FREI = 255;           // a free slot / a score not yet known

#pragma pack(push, 1)
struct Stadion_Satz {                 // 64 bytes
    int32_t team;
    char name[32];
    int32_t preis;                    // money units per spectator
    int32_t kapazitaet;               // a multiple of 1000
    int32_t komfort;                  // 0..100
    int32_t modell;                   // 0..5
    int32_t sitze;
    int32_t stehplaetze;
    uint32_t statistik_platz;         // where the block pointer was; always 0, the block follows the record
};

struct Stadion_Statistik {            // 2264 bytes
    uint8_t r0;
    uint8_t wettbewerb[STADION_SLOTS];            // 1: competition key per slot, 255 free
    uint8_t r7;
    float rekord_einnahme[STADION_SLOTS];         // 8: record home gate
    int32_t rekord_zuschauer[STADION_SLOTS];      // 32
    int32_t rekord_tag[STADION_SLOTS][2];         // 56: day of the record attendance, of the record gate
    char gegner[STADION_SLOTS][2][30];            // 104: the away side's short name at each record
    uint8_t tore[STADION_SLOTS][2][2];            // 464: home and away goals of each record match, 255 open
    uint32_t spiele[STADION_SLOTS];               // 488: matches counted
    uint32_t zuschauer_summe[STADION_SLOTS];      // 512
    uint32_t einnahmen_summe[STADION_SLOTS];      // 536: home gate
    int32_t verlauf[5][STADION_VERLAUF];          // 560: spectators, gate, price, 100, 0
    uint32_t verlauf_tag[STADION_VERLAUF];        // 1960: round (low 16 bits), matchday (high 16 bits)
    uint32_t verlauf_anzahl;                      // 2240: at most 70
    uint8_t fuellung;                             // 2244: average filling of slot 0 in per cent
    uint8_t r2245[19];
};
#pragma pack(pop)
static_assert(sizeof(Stadion_Satz) == 64);
static_assert(sizeof(Stadion_Statistik) == 2264);
static_assert(offsetof(Stadion_Statistik, rekord_einnahme) == 8);
static_assert(offsetof(Stadion_Statistik, rekord_tag) == 56);
static_assert(offsetof(Stadion_Statistik, gegner) == 104);
static_assert(offsetof(Stadion_Statistik, tore) == 464);
static_assert(offsetof(Stadion_Statistik, spiele) == 488);
static_assert(offsetof(Stadion_Statistik, verlauf) == 560);
static_assert(offsetof(Stadion_Statistik, verlauf_tag) == 1960);
static_assert(offsetof(Stadion_Statistik, verlauf_anzahl) == 2240);
static_assert(offsetof(Stadion_Statistik, fuellung) == 2244);

// The columns of the model table (Stadion_Modell_Wert of the rules).
enum StadionSpalte : int32_t {
    MODELL_MIN_KAPAZITAET = 0,
    MODELL_MAX_KAPAZITAET,
    MODELL_BAUPREIS,
    MODELL_PLATZ_BAUPREIS,
    MODELL_PLATZKOSTEN,           // running cost per 1000 places
    MODELL_GRUNDPREIS,            // basic cost per match
    MODELL_KOMFORT_BAUPREIS,
    MODELL_NORMKOMFORT
};

// The client's remote calls.
constexpr int32_t ANFRAGE_STADION_HOLEN = 1015;     // "i<Bi"
constexpr int32_t ANFRAGE_STADION_AENDERN = 1016;   // "iiiii<i"
constexpr int32_t ANFRAGE_STADION_PRUEFEN = 1017;

// At game start: the list, the model names; Free clears both. Every other
// operation before Init logs "Stadion muß initialisiert werden".
bool Stadion_Init();
// A new game: the module started and every club's ground built (on a client
// only started: the server holds the grounds).
bool Stadion_Spielstart();
void Stadion_Free();
bool Stadion_Ist_Initialisiert();

// The model's name (STADION_SCREEN text 0..5), "" when missing.
const char* Stadion_Modell_Name(int32_t modell);
// The record used for a club without a stadium.
const Stadion_Satz& Stadion_Ersatz();

// A club's record: the live one (`zeiger` 1) or a copy in a static buffer
// (with the statistics copied into a second one). Null without a record. On a
// client the record is fetched from the server first (the own club's once,
// until Stadion_Client_Sync).
Stadion_Satz* Stadion_Get(int32_t team, int32_t zeiger);
// The statistics block of the club's live record; null when it has none.
Stadion_Statistik* Stadion_Get_Statistik(int32_t team);
// Makes the club's stadium from a template (null: an empty one): capacity
// rounded down to 1000 (0 becomes 20,000), the nearest model with its norm
// comfort, the price from the club's strength. Replaces an existing record.
// Refused on a client.
bool Stadion_Team_Anlegen(int32_t team, const Stadion_Satz* vorlage);
// Every club with a STADION line in the club file gets its stadium; returns how many.
int32_t Stadion_Alle_Anlegen();

// The spectators of a match at its start, from the venue's stadium and the
// two clubs; unless `probelauf` is set the gate money (home stadium's price x
// spectators) is credited to the clubs by their shares in per cent (category
// 13) and a home match in the club's own stadium enters its statistics.
int32_t Stadion_Spiel_Einnahmen(int32_t stadion, int32_t spiel, int32_t anteil_heim, int32_t anteil_gast,
                                int32_t probelauf);
// The upkeep after each match: basic cost + capacity / 1000 x running cost
// (category 16); then the attendance percentage may move a point toward 100.
void Stadion_Unterhalt_Buchen(int32_t team);
// After the result: the score of the game goes into the open records of its competition's slot.
void Stadion_Spiel_Eintragen(int32_t spiel);

// The global attendance percentage (100 normally). Setting it works only at
// 100; the value is clamped to 25..200.
bool Stadion_Zuschauer_Prozent_Setzen(int32_t wert);
int32_t Stadion_Zuschauer_Prozent();
// The share of the crowd level each difficulty level (0-4) plays with, in
// percent: 120, 110, 100, 95, 85 (a level outside is clamped).
int32_t Stadion_Level_Zuschauer_Prozent(int32_t level);

bool Stadion_Get_Plaetze(int32_t team, int32_t* stehplaetze, int32_t* sitze);
int32_t Stadion_Get_Kapazitaet(int32_t team);   // 0 without a record

// What changing the stadium `alt` to the model, comfort and capacity costs, as
// the stadium screen prices it: the model's building price when it is the
// next one (comfort and capacity then start from its norm comfort and at
// least its minimum capacity), the comfort points added times the model's
// price per point, the places added times its price per place, or 50 per
// place given up. The ticket price is free.
int64_t Stadion_Umbau_Preis(const Stadion_Satz& alt, int32_t modell, int32_t komfort, int32_t kapazitaet);
// Client: sends the changed record of its own club (request 1016) and fetches
// it again. The server prices the change and books it (category 14, never
// forced); false when it refused the change or the club could not pay. The
// client pays nothing itself.
bool Stadion_Netz_Nachricht(int32_t team, const Stadion_Satz* satz);
// Client: the calendar's synchronisation; the own club's record is fetched again on the next read.
void Stadion_Client_Sync();
// Server: answers requests 1015-1017 of the client playing `client_team`.
bool Stadion_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                            std::vector<uint8_t>& antwort);

// Save-game block: i32 attendance percentage, then the serialised list.
// Load checks the whole block before it changes anything.
void Stadion_Save(std::vector<uint8_t>& out);
bool Stadion_Load(const uint8_t* in, size_t bytes);
// Registers the "Stadion" block of the save game (position 42).
bool Stadion_Spielstand_Anmelden();

}  // namespace velmora
