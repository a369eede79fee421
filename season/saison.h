// season/saison.h - the yearly competition work the calendar runs at the
// season change: titles, promotion and relegation, qualification for the
// continental cup, the national cups' entries and the new fixtures.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

#pragma pack(push, 1)
struct Titel {                   // 8 bytes
    int16_t team;
    int16_t wettbewerb;
    int16_t jahr;
    int16_t platz;               // 0 champion or cup winner
};
#pragma pack(pop)
static_assert(sizeof(Titel) == 8);

// The end of a season: records the champions and cup winners, moves the
// relegated and promoted clubs between the levels (the clubs' league, team
// value 11, follows), enters the top places of each qualifying league into
// the continental cup (spread over its groups in order of the places) and
// every club of a country into its cup. Tables are taken before anything moves.
void Wettbewerb_Saison_Ende();
// The start of a season: the store's games, table snapshots and cards of the
// season before are dropped and every competition gets its fixtures (a stage
// fed by groups waits for them). False when a game is still locked.
bool Wettbewerb_Saison_Start();

// The club's titles (newest last) into `out` (room for `max`); their count.
int32_t Spiele_Get_Titel_Von_Team(int32_t team, Titel* out, int32_t max);
int32_t Saison_Titel_Anzahl();

void Saison_Free();
void Saison_Save(std::vector<uint8_t>& out);
bool Saison_Load(const uint8_t* in, size_t bytes);
// Registers the "Saison" block of the save game (position 23).
bool Saison_Spielstand_Anmelden();

}  // namespace velmora
