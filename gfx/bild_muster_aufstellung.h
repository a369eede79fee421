// gfx/bild_muster_aufstellung.h - the pictures of the line-up and tactics
// screens, drawn by program in the game's palette: the list screen's window,
// row shades and highlights, fitness gauges, buttons and shirt markers; the
// second screen's cards, small stars and miniature dots; the tactics screen's
// window, switches, steppers and markers; and the two generated pitches. The
// asset tool writes them into the resource files.
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/bild_muster_spieler.h"
#include "gfx/rastport.h"

namespace velmora {

// Slave numbers the screens name.
constexpr int32_t AUFSTELLUNG_FENSTER = 24041;     // the list screen's window, 600 x 440
constexpr int32_t AUFSTELLUNG_KNOPF = 24047;       // a button plate, 150 x 34; 24048 lit
constexpr int32_t AUFSTELLUNG_KNOPF_AN = 24048;
constexpr int32_t AUFSTELLUNG_PLATZ = 24200;       // the small pitch, 189 x 287
constexpr int32_t AUFSTELLUNG_PLATZ_GROSS = 24201; // the second screen's field, 794 x 428
constexpr int32_t AUFSTELLUNG_PLATZ_B = 189, AUFSTELLUNG_PLATZ_H = 287;

// The picture of slave number `slave` among those above, as a new depth-16
// bitmap (black transparent), or null for a number that has none.
Rastport* Muster_Aufstellung_Bild(int32_t slave);

// Its groups for the asset tool.
std::vector<MusterGruppe> Muster_Aufstellung_Gruppen();

}  // namespace velmora
