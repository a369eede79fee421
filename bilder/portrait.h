// bilder/portrait.h - composed player portraits: a face laid together from the
// portrait parts that the player's appearance code selects, the shirt tinted
// in his team's colours; a player with a negative code is shown by his photo.
//
// Appearance code (player value 65): bits 0-1 kind (2 and 3 count as 1),
// bits 2-6 part 1, 7-12 part 2, 13-19 part 3, 20-25 part 4, 26-31 part 5; each
// part is clamped to its kind's range.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t PORTRAIT_BREITE = 85;
constexpr int32_t PORTRAIT_HOEHE = 100;
constexpr int32_t PORTRAIT_SAETZE = 13;
// Entries of the portrait-part resource file: the sets lie apart, the four
// shirt masks after kind 1's part 1 (202-211), at 212-215.
constexpr int32_t PORTRAIT_TEILE = 216;

// The part sets: number of entries and first entry in the resource file.
struct PortraitSatz {
    int32_t anzahl;
    int32_t erster;
};
extern const PortraitSatz PORTRAIT_SATZ[PORTRAIT_SAETZE];

// The decoded code: kind 0 or 1 and the five clamped part indexes.
struct PortraitCode {
    int32_t art = 0;
    int32_t teil[5] = {};
};
PortraitCode Portrait_Code_Zerlegen(int32_t aussehen);
// The code of a kind and five parts (each cut to its bits).
int32_t Portrait_Code_Bauen(int32_t art, const int32_t teil[5]);

// Loads the part sets on the first call: 1 when loaded. A failed allocation
// frees everything and gives 0; an entry that fails to load stays empty.
int32_t Portrait_Teile_Laden();
void Portrait_Teile_Freigeben();

// The face of a code, composed and tinted with the two shirt colours (pixels
// at the screen depth), in a new bitmap the caller frees; none when the parts
// are missing or the code is negative.
Rastport* Portrait_Zusammensetzen(int32_t aussehen, uint16_t hemd1, uint16_t hemd2);

// Draws the player's portrait at (x, y), width below 1 as 85 and height below
// 1 as 100. Returns the drawn bitmap, owned by the generated-bitmap cache, or
// none when nothing could be drawn.
Rastport* Portrait_Zeichnen(int32_t spieler, int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite,
                            int32_t hoehe);

}  // namespace velmora
