// season/tabelle.h - league tables from the fixtures store, and their snapshots.
//
// A table counts the played games of a league or group up to a round: 3
// points for a win, 1 for a draw; the order is points, goal difference, goals
// scored, then the games among the clubs still level (points, goal
// difference, goals), then the order of the team slots. The English table
// (MODUS_ENGLISCHE_TABELLE) counts points minus 3 for every home game.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t TABELLE_TEAMS_MAX = 40;
constexpr int32_t TABELLE_RUNDEN_MAX = 80;

// Columns of a row.
constexpr int32_t TABELLE_GESAMT = 0;
constexpr int32_t TABELLE_HEIM = 1;
constexpr int32_t TABELLE_AUSWAERTS = 2;

// Mask bits of Spiele_Statistik (31 everything).
constexpr int32_t TABELLE_MIT_HEIM = 1;        // home games count
constexpr int32_t TABELLE_MIT_AUSWAERTS = 2;   // away games count
constexpr int32_t TABELLE_MIT_DIREKT = 4;      // the games among level clubs decide
constexpr int32_t TABELLE_MIT_TREND = 8;       // places after the round before
constexpr int32_t TABELLE_MIT_VERLAUF = 16;    // result of every round

// Result codes of a round in `verlauf`: 0 win, 1 draw, 2 defeat, 3 no game; +4 at home.
#pragma pack(push, 1)
struct TabellenZeile {                 // 128 bytes, so every row starts on an even offset
    int16_t team;
    int16_t spiele[3];                 // columns TABELLE_GESAMT / _HEIM / _AUSWAERTS
    int16_t siege[3];
    int16_t unentschieden[3];
    int16_t niederlagen[3];
    int16_t punkte[3];
    int16_t tore[3];
    int16_t gegentore[3];
    int16_t vorher;                    // place after the round before (0-based), -1
    int8_t trend;                      // places won since then
    uint8_t reserve;
    uint8_t verlauf[TABELLE_RUNDEN_MAX];
};
struct TabellenPuffer {                // 5,224 bytes; snapshots store it packed
    int32_t wettbewerb;
    int32_t anzahl;                    // rows
    int32_t bis_runde;
    int32_t englisch;
    int32_t maske;
    int32_t spalte;                    // the column the order follows
    int16_t reihenfolge[TABELLE_TEAMS_MAX];   // row of each place
    TabellenZeile zeile[TABELLE_TEAMS_MAX];   // rows in team-slot order
};
#pragma pack(pop)
static_assert(sizeof(TabellenZeile) == 128);
static_assert(sizeof(TabellenPuffer) == 24 + 80 + 40 * 128);

// Computes the table of a league or group over rounds 1..bis_runde (-1 all)
// into `puffer`, ordered by column `spalte`. The number of rows; 0 for an
// unknown competition, a knock-out one or one of more than 40 clubs.
int32_t Spiele_Statistik(int32_t wettbewerb, int32_t bis_runde, int32_t englisch, int32_t maske, int32_t spalte,
                         TabellenPuffer* puffer);
// The whole table as the competition's rules say (its English mode, mask 31).
int32_t Wettbewerb_Tabelle_Vorbereiten(int32_t wettbewerb, TabellenPuffer* puffer);
// The club's 0-based place in the current table, -1 when not in it.
int32_t Wettbewerb_Get_Tabellenplatz(int32_t wettbewerb, int32_t team, int32_t, int32_t, int32_t, int32_t);
// The teams in table order into `out` (room for 40); their count.
int32_t Tabelle_Reihenfolge(int32_t wettbewerb, int32_t* out);
// The marking of a place: 30 none, 31 champion, 32 promotion or qualification, 33 relegation.
int32_t Wettbewerb_Get_Platz_Markierung(int32_t wettbewerb, int32_t platz);
// The 16-bit text colour of a 0-based place by its marking: white (none),
// gold (champion), green (promotion or qualification), red (relegation).
constexpr uint16_t PLATZ_FARBE_KEINE = 0xFFFF, PLATZ_FARBE_MEISTER = 0xEE07, PLATZ_FARBE_AUFSTIEG = 0x6E4C,
                   PLATZ_FARBE_ABSTIEG = 0xE228;
uint16_t Wettbewerb_Get_Platz_Farbe(int32_t wettbewerb, int32_t platz);

// Snapshots: the table after a day, kept per competition and day; packed
// when the save game first takes them.
bool Tabelle_Schnappschuss(int32_t wettbewerb, int32_t tag);
bool Statistik_Eintrag_Entpacken(TabellenPuffer* puffer, int32_t wettbewerb, int32_t tag);
void Spiele_Tabellen_Cache_Loeschen(int32_t wettbewerb);   // -1: all
int32_t Tabelle_Schnappschuss_Anzahl();

void Tabelle_Free();
void Tabelle_Save(std::vector<uint8_t>& out);
bool Tabelle_Load(const uint8_t* in, size_t bytes);
// Registers the "Tabellen" block of the save game (position 22).
bool Tabelle_Spielstand_Anmelden();

}  // namespace velmora
