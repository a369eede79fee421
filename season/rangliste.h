// season/rangliste.h - the ranking list of the clubs: ranking points from
// every match (Nach_Spiel_Team), the last ten matches of each club, its
// places in the two orders, and its titles.
//
// A match gives 3 points for a win and 1 for a draw, weighted by the
// competition's importance: points x (100 + importance) / 50. The first rank
// field is the season's points, the second the points of the last ten
// matches; the summary value adds every season's points and 50 per title.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "season/spiele.h"

namespace velmora {

constexpr int32_t RANGLISTE_SPIELE = 10;
constexpr int32_t RANGLISTE_TITEL_MAX = 256;
constexpr int32_t RANGLISTE_TITEL_PUNKTE = 50;

#pragma pack(push, 1)
struct RanglisteSpiel {              // 8 bytes
    int16_t gegner;                  // -1: an empty entry
    int8_t gegner_heim;              // 1 when the opponent was the home side
    int8_t tore_heim;
    int8_t tore_gast;
    int8_t reserve;
    int16_t punkte;
};
struct RanglisteSatz {               // 1,144 bytes
    int32_t team;                    // 0
    int32_t wert[2];                 // 4: the rank fields: season points, last ten matches
    int32_t platz[2];                // 12: place in each order (0-based), -1 none
    int32_t platz_vorher[2];         // 20: the places the day before
    int32_t gesamt;                  // 28: the summary value
    int32_t punkte_frueher;          // 32: the points of the seasons before
    RanglisteSpiel spiele[RANGLISTE_SPIELE];   // 36: newest first
    int16_t titel[RANGLISTE_TITEL_MAX][2];     // 116: (competition, count); filled by Rangliste_Team
    int32_t titel_anzahl;            // 1140: the titles in all
};
#pragma pack(pop)
static_assert(sizeof(RanglisteSpiel) == 8);
static_assert(offsetof(RanglisteSatz, spiele) == 36);
static_assert(sizeof(RanglisteSatz) == 1144);

// One entry per club (every team that is a club, not a country or the market).
bool Rangliste_Init();
void Rangliste_Free();
bool Rangliste_Ist_Initialisiert();

// Enters a played match for a team (called through Nach_Spiel_Team).
void Rangliste_Spiel_Eintragen(int32_t team, Spiel_Lock spiel);
// After each match of a team: the club management's work (stadium upkeep,
// advertising week, bank period) and the ranking points.
void Nach_Spiel_Team(int32_t team, Spiel_Lock spiel);
// The daily update: summary values and places in both orders.
void Rangliste_Tag();
// The season change: the season's points go into the summary, the season starts at 0.
void Rangliste_Saison_Ende();

// The club's record with its titles; false when the club has none.
bool Rangliste_Team(int32_t team, RanglisteSatz* out);
// The club's place in the order of rank field `modus` (0 or 1), 0-based, as
// Rangliste_Team gives it, without the titles; -1 without a record or place.
int32_t Rangliste_Platz(int32_t team, int32_t modus);
// `anzahl` records from place `start` in the order of rank field `modus` (0
// or 1) into `out`; their number.
int32_t Rangliste_Get_Seite(int32_t start, int32_t anzahl, RanglisteSatz* out, int32_t modus);
// The first ten clubs by summary value into `out` (room for 10); their number.
int32_t Rangliste_Top10(RanglisteSatz* out);
int32_t Rangliste_Anzahl();

// Save-game block: u32 magic "RANG", u32 count, the records without their titles.
void Rangliste_Save(std::vector<uint8_t>& out);
bool Rangliste_Load(const uint8_t* in, size_t bytes);
// Registers the "Rangliste" block of the save game (position 25).
bool Rangliste_Spielstand_Anmelden();

// Network play: a client takes the server's season tallies as far as they
// changed, by request 1021 ("i<B", club/abgleich.h), whenever the server's
// day moves on. The block is three save blocks, each with its u32 length:
// the ranking list, the players' statistics (season and career) and the
// titles. A block that does not fit is refused whole (logged): the client's
// tallies stay as they were. False then or when the server did not answer.
constexpr int32_t ANFRAGE_RANGLISTE_ABGLEICH = 1021;
void Rangliste_Client_Holen_Vorab();
bool Rangliste_Client_Holen();
// Server: the answer to request 1021; false for another request or bad arguments.
bool Rangliste_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort);
// Takes a block as request 1021 carries it: all three parts or none.
bool Rangliste_Stand_Laden(const uint8_t* in, size_t bytes);

}  // namespace velmora
