// core/rnd.h - the game's one random source.
//
// A table of 6000 values in 0..2^31-1, made from a fixed seed so it is the same
// on every machine (network play in lock-step relies on it), and a cycling
// index that every draw advances first. Table and index are part of the save game.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int32_t RND_TABELLE = 6000;
constexpr size_t RND_ZUSTAND_BYTES = RND_TABELLE * 4 + 4;   // table, then the index, little-endian

// Fills the table from the fixed seed and sets the index to 0.
void Rnd_Init();
// lo..hi inclusive: the index advances first (wrapping at 6000), then
// table value mod (hi - lo + 1) + lo. lo when hi is below lo.
int32_t Rnd(int32_t lo, int32_t hi);
// The same for any range: hi below lo is logged and gives 0; spans of 10000 and
// more are drawn as units and hundreds until the value lies in the range.
int32_t Rnd_Bereich(int32_t lo, int32_t hi);
// With `zufall` set the index becomes a value drawn from the table itself;
// otherwise |wert| mod 6000.
void Rnd_Set_Index(int32_t wert, int32_t zufall);
int32_t Rnd_Get_Index();
// Saves the index on a small stack and restores it (daily-stable draws).
void Rnd_Push();
void Rnd_Pop();

// Draws from an index of its own for the guard's life: the table's index
// becomes `index` (taken mod 6000), and at the end the index reached goes
// back into `index` and the game's index is what it was. So a stream kept in
// a record (a live match) draws the same numbers on every machine that holds
// the record, whatever else each machine drew. A guard of the same index
// inside another does nothing.
class Rnd_Eigener_Index {
public:
    explicit Rnd_Eigener_Index(uint32_t& index);
    ~Rnd_Eigener_Index();
    Rnd_Eigener_Index(const Rnd_Eigener_Index&) = delete;
    Rnd_Eigener_Index& operator=(const Rnd_Eigener_Index&) = delete;

private:
    uint32_t* index_ = nullptr;        // null: an enclosing guard holds the same index
    uint32_t* vorher_ = nullptr;       // the enclosing guard's index
    int32_t spiel_index_ = 0;          // the game's index, restored at the end
};
// Inside a record's guard, draws from the game's own index for its life: what
// only one machine draws (club data the server alone writes) leaves the
// record's stream alone. Outside any guard it does nothing.
class Rnd_Spiel_Index {
public:
    Rnd_Spiel_Index();
    ~Rnd_Spiel_Index();
    Rnd_Spiel_Index(const Rnd_Spiel_Index&) = delete;
    Rnd_Spiel_Index& operator=(const Rnd_Spiel_Index&) = delete;

private:
    uint32_t* eigener_ = nullptr;      // the guard's index in force, null: nothing to do
    int32_t satz_index_ = 0;           // the record's index reached, restored at the end
};
// Shuffles a u32 array in place with Rnd.
void Misch_U32(uint32_t* array, int32_t count);

// The state as stored in the save game: 6000 u32 and the u32 index, little-endian.
void Rnd_Zustand_Schreiben(uint8_t out[RND_ZUSTAND_BYTES]);
// False (state unchanged) when the index is out of range or a value exceeds 2^31-1.
bool Rnd_Zustand_Lesen(const uint8_t* in, size_t bytes);

}  // namespace velmora
