// kunst/bild_muster_aufstellung.h - the pictures of the line-up and tactics
// screens, drawn by program in the game's palette: the list screen's window,
// row shades and highlights, fitness gauges, buttons and shirt markers; the
// second screen's cards, small stars and miniature dots; the tactics screen's
// window, switches, steppers and markers; and the two generated pitches. The
// asset tool writes them into the resource files.
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/bildnr_aufstellung.h"
#include "gfx/rastport.h"
#include "kunst/bild_muster_spieler.h"

namespace velmora {

// The picture of slave number `slave` (gfx/bildnr_aufstellung.h and the
// others of the line-up screens), as a new depth-16 bitmap (black
// transparent), or null for a number that has none.
Rastport* Muster_Aufstellung_Bild(int32_t slave);

// Its groups for the asset tool.
std::vector<MusterGruppe> Muster_Aufstellung_Gruppen();

}  // namespace velmora
