// club/spieler.h - players: the player records and their accessors.
//
// Every player has three records in parallel arrays indexed by his number: the
// main record, the fixed data and the data a client does not receive. They are
// read and changed only through Spieler_Wert, Spieler_String, Spieler_Zeiger
// and Spieler_Zeiger_Lesen. Every change moves the store's version
// (Spieler_Fassung), by which the server tells a client that asks again
// whether the records changed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

struct ClubLeser;

constexpr int32_t SPIELER_MAX = 65000;       // team lists hold 16-bit numbers
constexpr int32_t SPIELER_TALENTE = 54;      // values 0-53
constexpr int32_t SPIELER_WERT_MODI = 104;   // modes 0-103

// Modes of Spieler_Wert. Modes 0-53 are the talents (the talent id is the
// mode, see club/talente.h); the numbers of the others are those the save
// files, the network requests and the configuration readers carry.
constexpr int32_t SPW_WERT55 = 55;             // 0-150; the scouts read it as his readiness to come
constexpr int32_t SPW_EINSAETZE = 56;          // appearances in a row 0-9, they tire him
constexpr int32_t SPW_FORM = 57;               // 0-999
constexpr int32_t SPW_STAERKE = 58;            // 0-12000
constexpr int32_t SPW_ALTER = 63;
constexpr int32_t SPW_GROESSE = 64;            // height in cm
constexpr int32_t SPW_AUSSEHEN = 65;           // appearance code, negative = shown by photo
constexpr int32_t SPW_ART = 67;                // 0 goalkeeper, 1 defender, 2 midfielder, 3 forward
constexpr int32_t SPW_NATION = 68;             // the country entry's team number
constexpr int32_t SPW_WERT69 = 69;             // 0-100, cleared by an injury
constexpr int32_t SPW_VERLETZUNG = 70;         // injury kind, -1 none
constexpr int32_t SPW_VERLETZUNG_TAGE = 71;    // time out left: days / 7 + 1 when he is hurt
constexpr int32_t SPW_HAAR = 72;               // 16-bit colour
constexpr int32_t SPW_HAUT = 73;               // 16-bit colour
constexpr int32_t SPW_DATEI_NUMMER = 74;       // number in the team file, 1-50
constexpr int32_t SPW_STATUS = 75;             // the status word, SP_STATUS_* bits
constexpr int32_t SPW_BALLGEWINNE = 76;
constexpr int32_t SPW_BALLGEWINNE_2 = 77;
constexpr int32_t SPW_SPALTE = 82;             // formation column 0-6
constexpr int32_t SPW_REIHE = 83;              // formation row 0-10
constexpr int32_t SPW_RUECKENNUMMER = 84;      // server data
constexpr int32_t SPW_GEHALT = 85;             // server data, read only
constexpr int32_t SPW_SLOT = 87;               // 0-10 starting eleven, 11-16 bench, 17-19 reserve
constexpr int32_t SPW_MORAL = 90;              // 0-6
constexpr int32_t SPW_STERNE = 92;             // the strength in half stars 0-12 (value 58 / 1000)
constexpr int32_t SPW_TRAININGSGELD = 93;      // server data: 0-9,000,000
constexpr int32_t SPW_SPIEL_STERNE = 94;       // the same half stars, read only: what the match sums
constexpr int32_t SPW_MAX_STERNE = 97;         // the highest strength in half stars 0-12
constexpr int32_t SPW_TRAINING_EINHEITEN = 98; // 0-100
constexpr int32_t SPW_WERT99 = 99;             // server data
constexpr int32_t SPW_START_WERT100 = 100;
constexpr int32_t SPW_PARTNER = 101;           // a team-mate, -1 none
constexpr int32_t SPW_MARKTWERT = 102;         // server data, read only
constexpr int32_t SPW_VEREIN_GEZEIGT = 103;    // a player whose club is shown, -1 none

// Modes of Spieler_String.
constexpr int32_t SPS_NAME = 505;              // first name and surname
constexpr int32_t SPS_NACHNAME = 508;          // the surname, for info texts
constexpr int32_t SPS_NAME_FELD = 63;          // the surname (NAME), at most 20 characters
constexpr int32_t SPS_VORNAME = 64;            // the first name (VORNAME), at most 16 characters

// Modes of Spieler_Zeiger.
constexpr int32_t SPZ_STRUKTUR = 500;          // SpielerStruktur, the main record
constexpr int32_t SPZ_FIX = 501;               // SpielerFix, the fixed data
constexpr int32_t SPZ_CLIENT_EGAL = 502;       // SpielerClientEgal, the server data
constexpr int32_t SPZ_LINIE = 511;             // the eight line values

// Status word (value 75).
constexpr uint32_t SP_STATUS_START = 16;           // starting eleven
constexpr uint32_t SP_STATUS_BANK = 32;            // bench
constexpr uint32_t SP_STATUS_VERLETZT = 64;
constexpr uint32_t SP_STATUS_GELB = 256;
constexpr uint32_t SP_STATUS_ROT = 512;
constexpr uint32_t SP_STATUS_NICHT_VERFUEGBAR = 0x7c0;  // any reason he cannot play
constexpr uint32_t SP_STATUS_FREISTOSS = 0x1000;        // takes the free kicks
constexpr uint32_t SP_STATUS_ELFMETER = 0x2000;         // takes the penalties
constexpr uint32_t SP_STATUS_ECKE = 0x4000;             // takes the corners
// The club tasks a player gives up when he changes clubs: bit 0x800 and the set pieces.
constexpr uint32_t SP_STATUS_AUFGABEN = 0x800 | SP_STATUS_FREISTOSS | SP_STATUS_ELFMETER | SP_STATUS_ECKE;
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
// change is made locally and sent to the server, and the server data the
// client does not hold (SPW_RUECKENNUMMER, SPW_GEHALT, SPW_TRAININGSGELD,
// SPW_WERT99, SPW_MARKTWERT) are read from the server.
int32_t Spieler_Wert(int32_t modus, int32_t spieler, int32_t wert, int32_t op);
// The values read most often, by name.
inline int32_t Spieler_Staerke(int32_t spieler) { return Spieler_Wert(SPW_STAERKE, spieler, 0, OP_LESEN); }
inline int32_t Spieler_Sterne(int32_t spieler) { return Spieler_Wert(SPW_STERNE, spieler, 0, OP_LESEN); }
inline int32_t Spieler_Form(int32_t spieler) { return Spieler_Wert(SPW_FORM, spieler, 0, OP_LESEN); }
inline uint32_t Spieler_Status(int32_t spieler) { return uint32_t(Spieler_Wert(SPW_STATUS, spieler, 0, OP_LESEN)); }
// A player of the game who may play: none of the unavailability bits
// (injured, suspended, ...) in his status.
inline bool Spieler_Verfuegbar(int32_t spieler) {
    return spieler >= 0 && spieler < Spieler_Anzahl() && !(Spieler_Status(spieler) & SP_STATUS_NICHT_VERFUEGBAR);
}
// The lower and upper limit of a mode; false for a mode without a value.
bool Spieler_Wert_Grenzen(int32_t modus, int32_t* unten, int32_t* oben);

// Texts: SPS_NAME the full name, SPS_NACHNAME the surname for info texts,
// SPS_NAME_FELD and SPS_VORNAME the two name fields as stored; anything else "Spieler_String_Error". The text lives in a temporary buffer.
const char* Spieler_String(int32_t modus, int32_t spieler, int32_t wert, int32_t op);
// Sets a player's names (the builders and the team editor); false on a bad number or a client.
bool Spieler_Namen_Setzen(int32_t spieler, const char* vorname, const char* name);
// Pointers (SPZ_*): the main record, the fixed data, the server data, the
// eight line values; null on error (and for the server data of another club's
// player on a client). Spieler_Zeiger is for writing: every call moves the
// store's version, so the records are written at once and the pointer is not
// kept past the function that took it (a write after the server answered a
// request would not be told to the clients). Reads take Spieler_Zeiger_Lesen.
void* Spieler_Zeiger(int32_t modus, int32_t spieler);
const void* Spieler_Zeiger_Lesen(int32_t modus, int32_t spieler);
// The store's version: moves on with every change of a player record through
// the functions here (a value written, even as it was, a pointer for writing
// taken, a new or loaded store) and never goes back in a process.
uint64_t Spieler_Fassung();

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
// A week of rest (the calendar calls it every Monday, server or single machine
// only): every injured player's weeks out (value 71) drop by one; with none
// left the injury bit and kind are cleared and he is available again.
// Returns how many players healed; 0 and nothing changed on a client.
int32_t Spieler_Genesung_Woche();

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
// Client: the first request of Get_Alle and of Refresh sent ahead without
// waiting (Club_Remote_Vorab), so that a refresh's reads travel together.
void Spieler_Internet_Client_Get_Alle_Vorab();
void Spieler_Internet_Client_Refresh_Vorab();
// Client: forgets the own players' records as the server holds them (from
// the refresh on, they answer reads of server values and tell which writes
// leave the server's value as it is); until the next refresh those calls go
// to the server again. Called for every request that may change the server's
// data in ways the copy does not follow.
void Spieler_Server_Stand_Vergessen();
// Client: the reads answered and the writes not sent thanks to that copy.
struct SpielerStandZaehler {
    uint32_t gelesen = 0;
    uint32_t nicht_gesendet = 0;
};
SpielerStandZaehler Spieler_Server_Stand_Zaehler();

// The server's handler of the player requests; false for another id.
bool Spieler_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort);

}  // namespace velmora
