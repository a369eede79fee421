// business/sterne.h - the game's one star row: a player's strength as stars
// over his maximum as empty slots, with the deduction a screen shows for him
// (out of position, unavailable). Every window that rates a player draws
// through here: the card, the talents screen, the scout screen, the line-up
// screens with their deductions.
#pragma once
#include <cstdint>

namespace velmora {

// The pictures of the row, 15 pixels apart.
constexpr int32_t STERN_VOLL = 8324;
constexpr int32_t STERN_HALB = 8325;
constexpr int32_t STERN_LEER_GEWAEHLT = 8326;
constexpr int32_t STERN_LEER = 8327;
constexpr int32_t STERN_HALB_ABZUG = 8328;
constexpr int32_t STERN_VOLL_ABZUG = 8329;
constexpr int32_t STERN_HALB_HALB = 8330;   // half kept, half taken
constexpr int32_t STERN_ABSTAND = 15;
constexpr int32_t STERNE_MAX_BILDER = 16;   // pictures a row may lay (slots and stars)

// One picture of a row: its x offset from the row's start and its number.
struct SternBild {
    int32_t dx;
    int32_t bild;
    bool operator==(const SternBild&) const = default;
};

// The pictures of a row, in drawing order: `max_halbe` / 2 empty slots, then
// over them `halbe` / 2 stars of which the deduction (half stars, clamped to
// 0..halbe) takes the last ones, then for an odd strength one empty slot with
// a half star over it (reduced when the deduction takes at least one half).
// Returns the count written into `out` (room for STERNE_MAX_BILDER).
int32_t Sterne_Planen(int32_t max_halbe, int32_t halbe, int32_t abzug, bool gewaehlt, SternBild* out);

// Draws the player's value list at (x, y) on the current target. Kind 0, the
// only one: his maximum strength (value 97) as empty slots under his strength
// (value 92) as stars, `abzug` half stars of it shown as taken (0 for none),
// the slots lit when `gewaehlt`. A bad player or kind draws nothing.
void Liste_Fuellen(int32_t spieler, int32_t art, int32_t x, int32_t y, int32_t abzug, bool gewaehlt);
// The strength stars alone (kind 0): value 92 / 2 full stars and a half one
// for an odd value, 15 pixels apart.
void Spieler_Sterne_Zeichnen(int32_t spieler, int32_t x, int32_t y, int32_t art);

}  // namespace velmora
