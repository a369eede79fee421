// kunst/bild_muster_transfer.h - the pictures of the transfer screen, its
// negotiation window, the training screen and the camp booking page, drawn by
// program in the game's palette. The asset tool writes them into
// "oddo_res.res" (entries 19-50, 254-268 and 321-337, shown as slaves 28000 +
// entry; gfx/bildnr_transfer.h).
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/bildnr_transfer.h"
#include "gfx/rastport.h"

namespace velmora {

// The runs of entries of "oddo_res.res" the pictures take: the transfer
// screen's and the negotiation window's, the training screen's and the camp
// booking page's.
constexpr int32_t TRANSFER_ERSTER = 19, TRANSFER_LETZTER = 50;
constexpr int32_t TRAINING_ERSTER = 254, TRAINING_LETZTER = 268;
constexpr int32_t LAGER_ERSTER = 321, LAGER_LETZTER = 337;

// The picture of slave number `slave` of gfx/bildnr_transfer.h (a new
// depth-16 bitmap, black transparent), null for a number without one.
Rastport* Muster_Transfer_Bild(int32_t slave);
// Entries TRANSFER_ERSTER to TRANSFER_LETZTER in order (empty blocks between
// the pictures), TRAINING_ERSTER to TRAINING_LETZTER and LAGER_ERSTER to
// LAGER_LETZTER.
std::vector<ResDateiEintrag> Muster_Transfer_Datei();
std::vector<ResDateiEintrag> Muster_Training_Datei();
std::vector<ResDateiEintrag> Muster_Lager_Datei();

}  // namespace velmora
