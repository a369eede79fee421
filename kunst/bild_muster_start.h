// kunst/bild_muster_start.h - the pictures of the start screen and the new-game
// wizard, drawn by program in the menus' palette: the start screen with its
// four button plates, the wizard's background, the list panels with their
// row highlights, scroll bars, marks and frames, the scoreboard digits, the
// level medals, the managers' portraits and the league badges. The asset tool
// writes them into "pirak_res.res" (slaves 12000 + entry, gfx/bildnr_start.h).
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/bildnr_start.h"
#include "gfx/rastport.h"

namespace velmora {

struct Leinwand;

// The ground of the wizard's title band, drawn into the wizard's background
// and under each frame of the band's film; its lines are written over it at
// run time (gfx/start_band.h).
void Start_Band_Grund(Leinwand& l);

// One picture of gfx/bildnr_start.h (a new depth-16 bitmap, black transparent), or null for an
// entry of "pirak_res.res" that is not one of these.
Rastport* Muster_Start_Bild(int32_t eintrag);
// The entries of "pirak_res.res" these pictures take.
std::vector<int32_t> Muster_Start_Eintraege();

}  // namespace velmora
