// kunst/bild_muster_scout.h - the pictures of the scout screen, drawn by program
// in the game's palette: the boards of the region choice and of the search,
// the world map with a pixel-exact button per region, the scouts' portraits,
// the progress bar, the dialogue and prospect panels, the buttons and the
// turning globe. The asset tool writes them into "oddo_res.res" (entries
// 152-249 and 625-674, shown as slaves 28000 + entry).
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/bildnr_scout.h"
#include "gfx/rastport.h"

namespace velmora {

// The runs of entries of "oddo_res.res" the pictures and the globe take.
constexpr int32_t SCOUT_ERSTER = 152, SCOUT_LETZTER = 249, SCOUT_ANIM_ERSTER = 625, SCOUT_ANIM_LETZTER = 674;

// Entries SCOUT_ERSTER-SCOUT_LETZTER and SCOUT_ANIM_ERSTER-SCOUT_ANIM_LETZTER in order.
std::vector<ResDateiEintrag> Muster_Scout_Datei();
std::vector<ResDateiEintrag> Muster_Scout_Anim_Datei();
// The picture of a slave number of gfx/bildnr_scout.h (a new depth-16 bitmap, black transparent), null for others.
Rastport* Muster_Scout_Bild(int32_t slave);
// The region whose land lies at map pixel (x, y), -1 for the sea.
int32_t Muster_Scout_Region_An(int32_t x, int32_t y);

}  // namespace velmora
