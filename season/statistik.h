// season/statistik.h - the player statistics: games, goals, assists, cards
// and minutes of every player, for the season running and for his career.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "season/spiele.h"

namespace velmora {

// Kinds of Spieler_Get_Spieler_Statistik (the ranking screen's modes 3-8).
constexpr int32_t STATISTIK_SPIELE = 0;
constexpr int32_t STATISTIK_TORE = 1;
constexpr int32_t STATISTIK_VORLAGEN = 2;
constexpr int32_t STATISTIK_GELB = 22;
constexpr int32_t STATISTIK_PLATZVERWEISE = 23;
constexpr int32_t STATISTIK_MINUTEN = 24;

// Flag bits of a statistics record.
constexpr uint8_t STATISTIK_FLAG_SPIEL = 0x01;     // a match played (minutes count)
constexpr uint8_t STATISTIK_FLAG_TOR = 0x02;       // a goal
constexpr uint8_t STATISTIK_FLAG_VORLAGE = 0x04;   // an assist
constexpr uint8_t STATISTIK_FLAG_GELB = 0x08;      // a booking
constexpr uint8_t STATISTIK_FLAG_ROT = 0x10;       // a sending-off

#pragma pack(push, 1)
struct StatistikEintrag {        // 8 bytes: what the match day hands in
    int16_t wettbewerb;
    int16_t team;
    uint8_t flags;               // STATISTIK_FLAG_*
    uint8_t minuten;             // minutes played, with STATISTIK_FLAG_SPIEL
    uint8_t note = 0;            // the match grade rounded to tens (10 best .. 60), 0 none
    uint8_t reserve = 0;
};
struct StatistikWerte {          // 24 bytes
    int32_t spiele, tore, vorlagen, gelb, platzverweise, minuten;
};
#pragma pack(pop)
static_assert(sizeof(StatistikEintrag) == 8);
static_assert(sizeof(StatistikWerte) == 24);

bool Statistik_Init();
void Statistik_Free();
bool Statistik_Ist_Initialisiert();

// Enters a match, a goal, an assist or a card of a player (`anzahl` times,
// at least 1); false for a bad player or record.
bool Statistik_Spieler_Eintragen(int32_t spieler, const StatistikEintrag* eintrag, int32_t anzahl);
// The player's statistic of a kind: `karriere` 0 the season, 1 his career. 0
// for a bad player or kind.
int32_t Spieler_Get_Spieler_Statistik(int32_t art, int32_t spieler, int32_t karriere);
// The season ends: the season's values stay in the career, the season starts at 0.
void Statistik_Saison_Ende();

// The team's next unplayed game by date from today on: its handle (locked;
// the caller unlocks it), the opponent, the competition and the day index.
// 0 when the team has none.
Spiel_Lock Statistik_Spiele_Von_Team(int32_t team, int32_t, int32_t, int32_t* gegner, int32_t* wettbewerb,
                                     int32_t* tag);

// The head-to-head summary of a match-day page, two lines of at most
// STATISTIK_ZEILE - 1 characters: line 1 the league places and points of
// both teams (each in its own league; a team without one is left out), line
// 2 their earlier meeting this season (the latest played game between them,
// in any competition) or that they meet for the first time. The first and
// last arguments are unused (-1, 0).
constexpr size_t STATISTIK_ZEILE = 96;
void Statistik_Zusammenfassung_Text(int32_t, int32_t heim, int32_t gast, char* zeile1, char* zeile2, int32_t);
// Up to `max` lines "name: count kind" ("Meier: 3 Tore") of the team's best
// players this season by `art`: STATISTIK_TABELLE_TORE goals,
// STATISTIK_TABELLE_VORLAGEN assists, STATISTIK_TABELLE_ALLE (any other value)
// the table of all kinds, the goals first, then the assists, then the games.
// Within a kind the highest first (equal counts by player number); counts of
// 0 are left out. Their number.
constexpr int32_t STATISTIK_TABELLE_ALLE = 0;
constexpr int32_t STATISTIK_TABELLE_TORE = 1;
constexpr int32_t STATISTIK_TABELLE_VORLAGEN = 2;
int32_t Statistik_Tabelle_Erstellen(int32_t, int32_t team, int32_t, int32_t art, int32_t,
                                    char (*zeilen)[STATISTIK_ZEILE], int32_t max);

// Save-game block: u32 magic "STAT", u32 count, per player the season's and the career's values.
void Statistik_Save(std::vector<uint8_t>& out);
bool Statistik_Load(const uint8_t* in, size_t bytes);
// Registers the "Statistik" block of the save game (position 26).
bool Statistik_Spielstand_Anmelden();

}  // namespace velmora
