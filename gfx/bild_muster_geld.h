// gfx/bild_muster_geld.h - the pictures of the club's money screens, drawn by
// program in the game's palette. The asset tool writes them into
// "zemo_res.res", whose entries n the menu framework shows as slaves 16000 + n.
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/rastport.h"

namespace velmora {

// Entries of "zemo_res.res": the finance screen's result pictures (97 a
// profit or an even result, 98 a loss), its window (100) and its two period
// buttons (101 back, 102 pressed; 103 forward, 104 pressed).
constexpr int32_t GELD_BILD_GEWINN = 97, GELD_BILD_VERLUST = 98;
constexpr int32_t GELD_FINANZ_FENSTER = 100, GELD_FINANZ_ZURUECK = 101, GELD_FINANZ_VOR = 103;
constexpr int32_t GELD_ERSTER = 97, GELD_LETZTER = 104;

// One picture of those entries (a new depth-16 bitmap, black transparent),
// null for an entry between them without one.
Rastport* Muster_Geld_Bild(int32_t eintrag);
// The entries GELD_ERSTER to GELD_LETZTER in order (from index 0; empty ones
// as empty blocks).
std::vector<ResDateiEintrag> Muster_Geld_Datei();

}  // namespace velmora
