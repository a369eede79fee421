// business/werbung.h - advertising: every managed club sells nine places (a
// TV partner, a main sponsor, six boards and a replacement partner) to the
// sponsors of a table of twenty. Sponsors make one offer at a time; the
// manager accepts it, hires the agency for a fresh one or lets the places
// fill automatically. Contracts pay after every match of the club and run out
// after a number of matches. Computer clubs have no record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t WERBUNG_PLAETZE = 9;
constexpr int32_t WERBUNG_ERSATZ_PLATZ = 8;     // the replacement partner's place, category 3
constexpr int32_t WERBUNG_SPONSOREN = 20;
constexpr int32_t WERBUNG_KATEGORIEN = 4;       // 0 TV partner, 1 main sponsor, 2 boards, 3 replacement partner

#pragma pack(push, 1)
struct Werbung_Datensatz {            // 176 bytes, one per managed club
    uint8_t sponsor[WERBUNG_PLAETZE]; // 0: sponsor row 0..19 per place
    uint8_t r9[3];
    int32_t wert[WERBUNG_PLAETZE];    // 12: value per match, 0 = a free place
    int32_t spiele[WERBUNG_PLAETZE];  // 48: matches left
    int32_t sperre[WERBUNG_PLAETZE];  // 84: matches the contract cannot be replaced
    int32_t ersatz[3];                // 120: the replacement partner's payment per empty place of categories 0..2
    int32_t angebot_sponsor;          // 132
    int32_t angebot_kategorie;        // 136
    int32_t angebot_wert;             // 140: 0 = no offer
    int32_t angebot_ersatz[3];        // 144
    int32_t angebot_dauer;            // 156
    int32_t angebot_sperre;           // 160
    int32_t angebot_aufpreis;         // 164: surcharge percentage
    uint16_t automatisch;             // 168: automatic filling
    uint8_t belastung;                // 170: agency strain 0..100
    uint8_t anfragen;                 // 171: agency requests since the last match
    uint8_t countdown;                // 172: matches until the agency's news
    uint8_t r173[3];
};

struct Sponsor_Zeile {                // 12 bytes
    uint32_t name_platz;              // the name text's place; 0 in the file, the name is resolved at start
    int32_t grundwert;
    int32_t preisbasis;               // the current price base
};
#pragma pack(pop)
static_assert(sizeof(Werbung_Datensatz) == 176);
static_assert(offsetof(Werbung_Datensatz, wert) == 12);
static_assert(offsetof(Werbung_Datensatz, ersatz) == 120);
static_assert(offsetof(Werbung_Datensatz, angebot_sponsor) == 132);
static_assert(offsetof(Werbung_Datensatz, angebot_aufpreis) == 164);
static_assert(offsetof(Werbung_Datensatz, automatisch) == 168);
static_assert(offsetof(Werbung_Datensatz, countdown) == 172);
static_assert(sizeof(Sponsor_Zeile) == 12);

constexpr int32_t ANFRAGE_WERBUNG = 1022;       // "iiii<iiiB"

// At game start: the sponsor table and its names; Free clears the flag.
// Every other operation before Init logs "Werbung muß initialisiert werden".
bool Werbung_Init();
// A new game: the module started and every human manager's club given its
// first offers (on a client only started).
bool Werbung_Spielstart();
void Werbung_Free();
bool Werbung_Ist_Initialisiert();

const char* Werbung_Sponsor_Name(int32_t zeile);        // WERBUNG_SCREEN text 27 + row, "" when missing
const char* Werbung_Kategorie_Name(int32_t kategorie);  // text 47 + category
const Sponsor_Zeile* Werbung_Sponsor(int32_t zeile);
int32_t Werbung_Kategorie_Von(int32_t platz);           // 0, 1, 2 (places 2..7) or 3

// The record of a managed club (created empty on first use); null for a
// computer club. On a client the own club's record is fetched from the
// server first, once until Werbung_Client_Sync or the next request.
Werbung_Datensatz* Werbung_Get_Team(int32_t team);
// Clears the record; unless `voll` is 0 on a level above 0, fills it nine
// times over (forced) and clears all locks; then a fresh offer.
void Werbung_Team_Reset(int32_t team, int32_t voll);
// After each match: contracts pay (category 4) and count down, the
// replacement partner pays for the empty places, a fresh offer, automatic
// filling, the agency's news and strain.
void Werbung_Team_Woche(int32_t team);
// A fresh offer; the agency is paid (category 8) when asked for or when no
// place could take an offer. On a client: request 1022.
void Werbung_Angebot_Erzeugen(int32_t team, int32_t mit_agentur);
// Puts the pending offer into a free place of its kind or in place of the
// cheapest unlocked contract. On a client: request 1022.
bool Werbung_Angebot_Annehmen(int32_t team);
// Accepts attractive offers into free places (2 rounds, 400 when forced). Not on a client.
void Werbung_Slots_Fuellen(int32_t team, int32_t erzwungen);
// The agency's strain rises: 1, 2 or 3 when the strain crosses 6, 14 or 22, else 0.
int32_t Werbung_Altern(int32_t team);
int32_t Werbung_Agentur_Preis(int32_t team);
int32_t Werbung_Attraktivitaet(int32_t team);
// Switches automatic filling; switching on fills the places at once (forced).
// On a client: request 1022.
bool Werbung_Automatik_Setzen(int32_t team, int32_t an);
// At game set-up: a fresh offer for every managed club.
void Werbung_Alle_Teams();
// The sponsor rows + 1 of places 0..5 (0 for a free place) for the pitch
// boards; a club without record shows random sponsors 0..15 drawn without
// moving the game's random sequence. False for a bad argument.
bool Werbung_Sponsoren_Banden(int32_t team, int32_t* out, int32_t anzahl);

void Werbung_Client_Sync();
// Server: request 1022 of the client playing `client_team`.
bool Werbung_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                            std::vector<uint8_t>& antwort);

// Save-game block: the 240-byte sponsor table, u32 count, then per managed
// club i32 team and its 176-byte record. Load checks the whole block first.
void Werbung_Save(std::vector<uint8_t>& out);
bool Werbung_Load(const uint8_t* in, size_t bytes);
// Registers the "Werbung" block of the save game (position 43).
bool Werbung_Spielstand_Anmelden();

}  // namespace velmora
