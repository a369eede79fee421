// bilder/wappen.h - trophies and club crests drawn at any size up to 66 x 66
// (crests up to their picture's size), kept finished in the generated-bitmap
// cache so that the next frames only copy them.
#pragma once
#include <cstdint>

#include "gfx/bild.h"
#include "gfx/rastport.h"
#include "gfx/shade.h"

namespace velmora {

constexpr int32_t WAPPEN_GROESSE = 66;
// The built-in trophy of graphic number g is entry 4135 + g of the trophy file
// (its number 135 + g moved past the slaves); the installation holds 0 to 195.
constexpr int32_t POKAL_RES_ERSTER = Bild_Res_Direkt_Eintrag(BILD_RES_POKALE, 135);
constexpr int32_t POKAL_RES_ANZAHL = 196;
constexpr int32_t WAPPEN_RES_ANZAHL = 2000;

// Draws the trophy of a competition (or of the team's competition when the
// competition has none) at (x, y); width or height below 1 is 66. Above 66 in
// either direction nothing is drawn. 1 when drawn.
int32_t Pokal_Zeichnen(int32_t wettbewerb, int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite,
                       int32_t hoehe, const SchattenParameter* schatten);
// The same, preferring the competition's league symbol, and the installed
// picture from graphic number 18 on.
int32_t Pokal_Zeichnen_2(int32_t wettbewerb, int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite,
                         int32_t hoehe, const SchattenParameter* schatten);
// Draws the team's crest: its own picture when the team's status has bit 3,
// else the built-in crest. Exactly the picture's size is drawn unscaled,
// smaller is scaled down, larger is not drawn. 1 when drawn.
int32_t Wappen_Zeichnen(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite, int32_t hoehe,
                        const SchattenParameter* schatten);
// The two colours (0x00BBGGRR) of the built-in club crest `nummer`, as the
// installation draws it: the first covers most of the shield, the second its
// stripes, half, bar or diagonal; never one colour twice. The world
// generator dresses a club in them.
void Wappen_Farben(int32_t nummer, uint32_t* erste, uint32_t* zweite);

// Hands out the crest drawing's cache hits and misses of this frame, writes
// them into the strip below the screen's visible rows and resets them.
void Wappen_Statistik(int32_t* treffer, int32_t* neu);

}  // namespace velmora
