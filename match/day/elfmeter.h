// match/day/elfmeter.h - the penalty shoot-out of a drawn knock-out tie.
//
// One record per game keeps who kicks, in which order, how many rounds remain
// and when the shoot-out is decided: five kicks each, decided early as soon as
// one side cannot catch up, then sudden death one round at a time, at most
// ELFMETER_STECHEN_MAX level rounds before a lot decides. Shoot-out
// goals are the game's goals less those it had when the shoot-out began.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

#pragma pack(push, 1)
struct Elfmeter_Satz {           // 104 bytes, saved with the match day
    int32_t start_tore[2];       // 0: the game's goals when the shoot-out began
    int32_t schuetzen[2][11];    // 8: player numbers in kicking order
    uint8_t anzahl[2];           // 96: takers per side, at most 11
    uint8_t naechster[2];        // 98: index of the next taker
    uint8_t seite;               // 100: side to kick
    uint8_t erste_seite;         // 101
    uint8_t phase_schuesse;      // 102: 5 in the first phase, 1 in sudden death
    uint8_t runden;              // 103: rounds still to come in the phase
};
#pragma pack(pop)
static_assert(sizeof(Elfmeter_Satz) == 104);
static_assert(offsetof(Elfmeter_Satz, schuetzen) == 8);
static_assert(offsetof(Elfmeter_Satz, schuetzen) + 44 == 52);
static_assert(offsetof(Elfmeter_Satz, anzahl) == 96);
static_assert(offsetof(Elfmeter_Satz, naechster) == 98);
static_assert(offsetof(Elfmeter_Satz, seite) == 100);
static_assert(offsetof(Elfmeter_Satz, erste_seite) == 101);
static_assert(offsetof(Elfmeter_Satz, phase_schuesse) == 102);
static_assert(offsetof(Elfmeter_Satz, runden) == 103);

bool Elfmeter_Init();
void Elfmeter_Freigeben();
// Creates the shoot-out of a game: takers from its match record (the players
// on the pitch, shuffled), or without one from the teams' starting elevens.
// False when the game is unknown or the record cannot be made.
bool Elfmeter_Vorbereiten(int32_t spiel);
// Level sudden-death rounds after which the tie goes by lot.
constexpr int32_t ELFMETER_STECHEN_MAX = 20;
// One kick; true when the shoot-out is decided. `los` (optional) is -1 when the
// kicks decided, else the side that won the lot (0 home, 1 away): still level
// after ELFMETER_STECHEN_MAX sudden-death rounds, Rnd(0,1) decides.
bool Elfmeter_Schuss(int32_t spiel, int32_t* los = nullptr);
const Elfmeter_Satz* Elfmeter_Get(int32_t spiel);
// The shoot-out goals of each side so far; false without a shoot-out.
bool Elfmeter_Tore(int32_t spiel, int32_t* heim, int32_t* gast);

// The list as a block (the list's serialised form); loading checks every record.
void Elfmeter_Save(std::vector<uint8_t>& out);
bool Elfmeter_Load(const uint8_t* in, size_t bytes);

}  // namespace velmora
