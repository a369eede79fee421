// kunst/bild_muster_training.h - the pictures of the training window and of
// the learned talent's film window, with the flip books the unit plays
// (bonus ball, bonus points, hundred-points marker), and the training camp's
// windows, drawn by program in the game's palette. The asset tool writes them
// into "oddo_res.res" (entries 278-297, 338-344 and 442-623, shown as slaves
// 28000 + entry; gfx/bildnr_training.h).
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/bildnr_training.h"
#include "gfx/rastport.h"

namespace velmora {

// The runs of entries of "oddo_res.res" the window, the flip books and the
// camp's windows take.
constexpr int32_t TRF_ERSTER = 278, TRF_LETZTER = 297, TRF_ANIM_ERSTER = 442, TRF_ANIM_LETZTER = 623;
constexpr int32_t LAGER_FENSTER_ERSTER = 338, LAGER_FENSTER_LETZTER = 344;

// Entries LAGER_FENSTER_ERSTER-LAGER_FENSTER_LETZTER of "oddo_res.res" in order.
std::vector<ResDateiEintrag> Muster_Lager_Fenster_Datei();

// Entries TRF_ERSTER-TRF_LETZTER and TRF_ANIM_ERSTER-TRF_ANIM_LETZTER of "oddo_res.res" in order.
std::vector<ResDateiEintrag> Muster_Training_Fenster_Datei();
std::vector<ResDateiEintrag> Muster_Training_Anim_Datei();
// The picture of a slave number of gfx/bildnr_training.h (a new depth-16 bitmap, black transparent), null for others.
Rastport* Muster_Training_Fenster_Bild(int32_t slave);

}  // namespace velmora
