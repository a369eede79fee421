// kunst/bild_muster_geld.h - the pictures of the club's money screens, drawn by
// program in the game's palette. The asset tool writes them into
// "zemo_res.res", whose entries n the menu framework shows as slaves 16000 + n.
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/bildnr_geld.h"
#include "gfx/rastport.h"

namespace velmora {

// The runs of entries the money screens' pictures take: 83-139 of
// "zemo_res.res" and 107-113 of "hask_res.res".
constexpr int32_t GELD_ERSTER = 83, GELD_LETZTER = 139;
constexpr int32_t GELD_HASK_ERSTER = 107, GELD_HASK_LETZTER = 113;

// One picture of the entries of gfx/bildnr_geld.h (a new depth-16 bitmap, black transparent),
// null for an entry between them without one.
Rastport* Muster_Geld_Bild(int32_t eintrag);
// The entries GELD_ERSTER to GELD_LETZTER in order (from index 0; empty ones
// as empty blocks).
std::vector<ResDateiEintrag> Muster_Geld_Datei();
// Entries 183 and 184 of "zemo_res.res" in order.
std::vector<ResDateiEintrag> Muster_Geld_Optionen_Datei();
// The pictures of "hask_res.res" by entry, and the entries GELD_HASK_ERSTER
// to GELD_HASK_LETZTER in order.
Rastport* Muster_Geld_Hask_Bild(int32_t eintrag);
std::vector<ResDateiEintrag> Muster_Geld_Hask_Datei();

}  // namespace velmora
