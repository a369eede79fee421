// kunst/bild_muster_live.h - the pictures of the panels laid over a live match:
// the substitution panel's list and pitch windows, its rows (plain and
// selected), the marks of a player substituted off and on, the empty star
// slot and the play-out switch; the tactics panel's window, switches, minus
// and plus buttons, slider bar and knob. Drawn by program in the game's
// palette; the asset tool writes them into "hask_res.res" (file 6).
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/bildnr_live.h"
#include "gfx/rastport.h"
#include "kunst/bild_muster_spieler.h"

namespace velmora {

// The picture of one of the slave numbers of gfx/bildnr_live.h as a new depth-16 bitmap, or
// null for a number that has none.
Rastport* Muster_Live_Bild(int32_t slave);
// Its groups for the asset tool.
std::vector<MusterGruppe> Muster_Live_Gruppen();

}  // namespace velmora
