// club/spieler.h - players: the player records and their accessors.
//
// Every player has three records in parallel arrays indexed by his number: the
// main record, the fixed data and the data a client does not receive. They are
// read and changed only through Spieler_Wert, Spieler_String and Spieler_Zeiger.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

struct ClubLeser;

constexpr int32_t SPIELER_MAX = 65000;       // team lists hold 16-bit numbers
constexpr int32_t SPIELER_TALENTE = 54;      // values 0-53
constexpr int32_t SPIELER_WERT_MODI = 104;   // modes 0-103

// Status word (value 75).
constexpr uint32_t SP_STATUS_START = 16;           // starting eleven
constexpr uint32_t SP_STATUS_BANK = 32;            // bench
constexpr uint32_t SP_STATUS_VERLETZT = 64;
constexpr uint32_t SP_STATUS_GELB = 256;
constexpr uint32_t SP_STATUS_ROT = 512;
constexpr uint32_t SP_STATUS_NICHT_VERFUEGBAR = 0x7c0;  // any reason he cannot play
constexpr uint32_t SP_STATUS_SCOUT = 0x20000;           // a scout's prospect on the market

// Operations of the accessors.
constexpr int32_t OP_LESEN = 0;
constexpr int32_t OP_SCHREIBEN = 1;       // after clamping to the mode's limits
constexpr int32_t OP_TOGGLE = 2;
constexpr int32_t OP_LOESCHEN = 4;
constexpr int32_t OP_SETZEN = 8;
constexpr int32_t OP_ERSETZEN = 16;       // replaces a bit word
constexpr int32_t OP_ZEIGER_LESEN = 32;   // pointer modes: copy out
constexpr int32_t OP_PROZENT = 64;        // read as a percentage of the mode's range
constexpr int32_t OP_PLUS = 128;          // adds the value (1 when it is 0)

#pragma pack(push, 1)
struct SpielerStruktur {             // 176 bytes, the main player record
    int16_t talent[SPIELER_TALENTE]; // values 0-53: -1 blocked, 0 none, points, requirement = learnt
    int16_t spalte;                  // 82: formation column 0-6
    int16_t reihe;                   // 83: formation row 0-10
    int16_t linie[8];                // 511: line x, y, second line x, y, x low, y low, x high, y high
    int32_t staerke;                 // 58: 0-12000
    int32_t max_staerke;             // 97 in steps of 1000
    uint32_t status;                 // 75
    int32_t form;                    // 57: 0-999
    int32_t partner;                 // 101: a team-mate, -1 none
    int32_t verein_gezeigt;          // 103: a player whose club is shown, -1 none
    int16_t wert55;                  // 55: 0-150
    int8_t einsaetze;                // 56: appearances in a row 0-9
    int8_t slot;                     // 87: 0-10 starting eleven, 11-16 bench, 17-19 reserve
    int8_t moral;                    // 90: 0-6
    int8_t verletzung;               // 70: injury kind, -1 none
    int16_t verletzung_tage;         // 71
    int16_t ballgewinne;             // 76
    int16_t ballgewinne_2;           // 77
    int8_t training_einheiten;       // 98: 0-100
    int8_t wert69;                   // 69: 0-100, cleared by an injury
    int16_t start_wert100;           // 100
    int32_t reserve_b[2];
};
static_assert(sizeof(SpielerStruktur) == 176);
static_assert(offsetof(SpielerStruktur, spalte) == 108);
static_assert(offsetof(SpielerStruktur, linie) == 112);

struct SpielerFix {                  // 52 bytes, the fixed player data
    char name[20];
    char vorname[16];
    int16_t nation;                  // 68: the country entry's team number
    uint8_t groesse;                 // 64: height in cm
    uint8_t alter;                   // 63
    int32_t aussehen;                // 65: appearance code, negative = shown by photo
    int8_t lieblingsposition;
    int8_t art;                      // 67: 0 goalkeeper, 1 defender, 2 midfielder, 3 forward
    int16_t datei_nummer;            // 74: number in the team file, 1-50
    uint16_t haar;                   // 72: 16-bit colour
    uint16_t haut;                   // 73: 16-bit colour
};
static_assert(sizeof(SpielerFix) == 52);
static_assert(offsetof(SpielerFix, aussehen) == 40);

struct SpielerClientEgal {           // 116 bytes, kept on the server only
    int32_t rueckennummer;           // 84
    int32_t gehalt;                  // 85, read only
    int32_t marktwert;               // 102, read only
    int32_t trainingsgeld;           // 93: 0-9,000,000
    int32_t wert99;                  // 99
    int32_t statistik[24];
};
static_assert(sizeof(SpielerClientEgal) == 116);
#pragma pack(pop)

// Allocates `anzahl` zeroed players (partner and shown club -1, no injury);
// false for a count outside 0..SPIELER_MAX. A running set is freed first.
bool Spieler_Init(int32_t anzahl);
void Spieler_Free();
int32_t Spieler_Anzahl();   // 0 before Spieler_Init

// Reads or changes one value of a player (see the modes on the records above).
// Returns the value after the operation, or 0 with a log line when the player,
// the mode or the operation is out of range. On a client a change to a player
// of another club is refused ("Spieler_Wert: CLIENT-WRITE!"); a permitted
// change is made locally and sent to the server, and values the client does
// not hold (84, 85, 93, 99, 102) are read from the server.
int32_t Spieler_Wert(int32_t modus, int32_t spieler, int32_t wert, int32_t op);
// The lower and upper limit of a mode; false for a mode without a value.
bool Spieler_Wert_Grenzen(int32_t modus, int32_t* unten, int32_t* oben);

// Texts: 505 the full name, 508 the surname for info texts; anything else
// "Spieler_String_Error". The text lives in a temporary buffer.
const char* Spieler_String(int32_t modus, int32_t spieler, int32_t wert, int32_t op);
// Sets a player's names (the builders and the team editor); false on a bad number or a client.
bool Spieler_Namen_Setzen(int32_t spieler, const char* vorname, const char* name);
// Pointers: 500 main record, 501 fixed data, 502 server data, 511 the eight
// line values; null on error (and for 502 on a client).
void* Spieler_Zeiger(int32_t modus, int32_t spieler);

// The team whose list holds the player, -1 none.
int32_t Spieler_Get_Team(int32_t spieler);
// 0 goalkeeper, 1 defender, 2 midfielder, 3 forward; -1 for a bad number.
int32_t Spieler_Get_Art(int32_t spieler);
// The home region: the continent (team value 10) of his nation.
int32_t Spieler_Get_Heimat_Wert(int32_t spieler);
int32_t Spieler_Get_Halbe_Wert56(int32_t spieler);
// Maximum strength back to the current strength.
void Spieler_Set_Maxstaerke(int32_t spieler);

// Up to `max` players not of `club` (and of a club above 0) from `region` (-1
// any), walked from a random start; after two takes from one club the walk
// skips Rnd(2, 10) places. Shuffled, padded with -1 to `max`; returns the count.
int32_t Spieler_Suche_Zufaellig(int32_t club, int32_t region, int32_t* out, int32_t max);

// One of the 42 injury kinds: relative weight and days out from..to.
struct Verletzungsart {
    int32_t gewicht;
    int32_t tage_von;
    int32_t tage_bis;
};
constexpr int32_t VERLETZUNG_ARTEN = 42;
// The injury table (filled by the configuration reader); false for a bad count.
bool Spieler_Verletzungsarten_Setzen(const Verletzungsart* arten, int32_t anzahl);
// Injures a player (server or single machine): picks an injury by weight, sets
// status bit 64, value 71 = random days / 7 + 1, value 69 = 0 and value 70 =
// the injury; returns the injury. Kinds other than 1 (the match's 4 and 16,
// training's 2) use the same draw.
// -1 on a client ("Spieler_Verletzen: CLIENT-AUFRUF!"), for a bad number or without a table.
int32_t Spieler_Verletzen(int32_t team, int32_t spieler, int32_t art);

// The player block of the save game: u32 count, the main records, the fixed
// data, the server data. Load checks the whole block before it changes anything.
void Spieler_Save(std::vector<uint8_t>& out);
bool Spieler_Load(const uint8_t* in, size_t bytes);
// Registers the "Spieler" block of the save game (position 10).
bool Spieler_Spielstand_Anmelden();

// Client start-up and refresh (network mode 1): fetch the count and allocate,
// fetch every player's main and fixed records, fetch all of them again, fetch
// the own club's players with their server data. False when the server failed.
bool Spieler_Internet_Client_Get_Anzahl();
bool Spieler_Internet_Client_Init();
bool Spieler_Internet_Client_Get_Alle();
bool Spieler_Internet_Client_Refresh();

// The server's handler of the player requests; false for another id.
bool Spieler_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort);

}  // namespace velmora
