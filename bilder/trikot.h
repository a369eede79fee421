// bilder/trikot.h - the 240 kits: the kit table, kit pictures, the best-fitting
// kit for a team's colours, the clash rule and the choice of match kits, and a
// player's skin and hair colours from his appearance code.
//
// Kit colours are 0x00BBGGRR words. Every team holds four kit numbers (kinds
// 0 kit 1, 1 kit 2, 2 goalkeeper, 3 second goalkeeper) and 12 colour triples:
// kinds 0-2 own four triples each, in the order colour 1, colour 2, colour 4,
// colour 3 of the kit.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/bild.h"
#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t TRIKOT_ANZAHL = 240;
constexpr int32_t TRIKOT_VARIANTEN = 6;
// Kit n's pictures start at entry 4016 + 13 n of the kit file (its number 16 + 13 n moved past the slaves).
constexpr int32_t TRIKOT_RES_ERSTER = Bild_Res_Direkt_Eintrag(BILD_RES_TRIKOTS, 16);
constexpr int32_t TRIKOT_RES_SCHRITT = 13;
constexpr int32_t TRIKOT_TOLERANZ = 120;    // the tolerance every caller of the clash rule uses

#pragma pack(push, 1)
struct TrikotStructure {          // 28 bytes, one row of the fixed kit table
    uint32_t farbe1;              // main colour
    uint32_t farbe2;
    uint32_t leer;                // 0 in every row
    uint32_t farbe3;
    uint32_t farbe4;              // 0 in 80 rows
    uint32_t bild;                // first entry of the kit's pictures in the kit resource file
    uint32_t nummer;              // equal to the row
};
#pragma pack(pop)
static_assert(sizeof(TrikotStructure) == 28);
static_assert(offsetof(TrikotStructure, farbe3) == 12);

// The row, or none (logged) for a number outside 0-239.
const TrikotStructure* Trikot_Get_TrikotStructure(int32_t nummer);
// The kit's resource file index and first entry; false (logged) when invalid.
bool Trikot_Get_TrikotResource(int32_t nummer, int32_t* datei, int32_t* eintrag);
// The kit's bitmap of a variant 0-5, newly loaded (the caller frees it), or none.
Rastport* Trikot_Get_RP_Bitmap(int32_t nummer, int32_t variante);

// The team's kit number of a kind (0 for an unknown kind).
int32_t Team_Get_TrikotNr(int32_t team, int32_t art);
// Stores the kit as the team's kit of the kind; for kinds 0-2 also its colours
// into the kind's four triples. 1 when stored; 0 (logged, nothing changed) for
// a bad kit or kind or a team without a colour record.
int32_t Trikot_Set_TrikotNr(int32_t team, int32_t trikot, int32_t art);

// Draw modes of Trikot_Blt_Trikot.
enum TrikotModus : int32_t {
    TRIKOT_PLANE = 0,            // the mask as the bitmap's 8-bit plane
    TRIKOT_KEY = 1,              // colour-keyed
    TRIKOT_TRANSPARENT = 2,      // translucent at `wert` percent
    TRIKOT_DEFAULT = 3,          // plain copy
    TRIKOT_SCHATTEN_KEY = 4,     // shadow of size `wert`, then colour-keyed
    TRIKOT_SCHATTEN_PLANE = 5,   // shadow of size `wert`, then through the plane
    TRIKOT_SCHATTEN_TRANSP = 6,  // shadow of size `wert2`, then translucent at `wert`
};
// Draws variant 0-5 of a kit at (x, y) in its full size; true when drawn.
bool Trikot_Blt_Trikot(Rastport* ziel, int32_t trikot, int32_t x, int32_t y, int32_t variante, int32_t modus,
                       int32_t wert, int32_t wert2);

// Whether each of red, green and blue differ by at most the tolerance.
bool Trikot_Farbe_Gleich(uint32_t farbe1, uint32_t farbe2, int32_t toleranz);
// The first kit whose colour 1 and colour 3 match the kind's first and third
// team triple, at the smallest tolerance 0, 3, 6, ... below `limit`; -1 none.
int32_t Berechne_TrikotArt(int32_t team, int32_t art, int32_t limit);
// A new game's kits: every team but the transfer market wears, for kinds 0-2,
// the kit that best fits its colours (limit TRIKOT_LIMIT_NEUES_SPIEL), or a
// random kit when none fits; its colour triples then follow those kits.
constexpr int32_t TRIKOT_LIMIT_NEUES_SPIEL = 80;
void Trikot_Neues_Spiel();
// A generated club dressed in its crest's colours (bilder/wappen.h): kinds
// 0-2 get kits that a new game keeps, kind 0 in the crest's first colour (its
// second where no kit comes near the first), kinds 1 and 2 kits the pitch
// tells apart from it, chosen by `wahl` (its low byte the second kit, the
// next the keeper's; the same number, the same kits); the
// colour triples follow the kits. 1 when dressed, 0 (logged) for a team
// without a colour record.
int32_t Trikot_Vereinsfarben(int32_t team, uint32_t wahl);
// Whether two kits clash: strict, any of colours 1, 2 or 3 match; not strict,
// colour 1 or colour 2. False (logged) for a bad kit number.
bool Trikot_Is_Trikot_Equal(int32_t trikot1, int32_t trikot2, int32_t toleranz, bool streng);
// Chooses the match kits: mode 0 the field players' (the away team's kind-1
// kit is made one that does not clash with the home kit; the away side wears
// it where the first kits clash loosely, as on the pitch, else its first
// kit), mode 2 the goalkeepers' (the away keeper moves to kind 3, then to a
// drawn kit). Hands out the two kits; true on success.
bool Trikot_Team_VS_Team(int32_t heim, int32_t gast, int32_t* heim_trikot, int32_t* gast_trikot, int32_t modus);

// A player's hair and skin colours (5-6-5 pixels) drawn from his appearance:
// bit 0 chooses the skin, the hair kind follows part 3 (bits 13-19).
void Spieler_Farben_Setzen(int32_t aussehen, uint16_t* haar, uint16_t* haut);
// The hair kind 1-4 of a part-3 value (values above 61 count as 61).
int32_t Spieler_Haarart(int32_t teil3);

}  // namespace velmora
