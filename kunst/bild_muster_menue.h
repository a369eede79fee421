// kunst/bild_muster_menue.h - the pictures of the menu framework, drawn by
// program in the game's palette: the main screen's background, the panel's
// menus and buttons, the requester, the darkening behind it and the option
// bar of a live match. The asset tool writes them into the resource files.
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/rastport.h"

namespace velmora {

// Entries of "global_res.res" (slaves 4000 + n): 0 background, 1 and 2 the
// badge (base nation Germany / others), 3 the panel's rail, 4 and 5 the
// menus (team: 5), 6 and 7 the entry highlight (7 the last entry), 8 and 13
// the continue button (8 pressed), 14 the requester's frame, 15 the empty
// manager picture, 16 to 19 the requester's buttons (16 and 18 pressed).
constexpr int32_t MENUE_GLOBAL_EINTRAEGE = 20;
// Entry 331 of "ulvo_res.res" (slave 8331): the darkening behind a requester.
constexpr int32_t MENUE_ABDUNKELN_EINTRAG = 331;
// Entries 0 to 19 of "pirak_res.res" (slaves 12000 + n): 0 the option bar,
// 1 to 9 the options switched on, 10 to 18 switched off, 19 the tempo button.
constexpr int32_t MENUE_OPTIONEN_EINTRAEGE = 20;

// Entries 74 to 77 of "zemo_res.res" (slaves 16074 + n): the save and load
// screen's selection marker (74) and bar under the pointer (75), its load
// window (76) and its save window (77).
constexpr int32_t MENUE_DISK_ERSTER = 74;
constexpr int32_t MENUE_DISK_EINTRAEGE = 4;

// One picture of those lists (a new depth-16 bitmap, black transparent), or
// null for an entry without one.
Rastport* Muster_Menue_Global(int32_t eintrag);
Rastport* Muster_Menue_Abdunkeln();
Rastport* Muster_Menue_Option(int32_t eintrag);
Rastport* Muster_Menue_Disk(int32_t eintrag);   // 74 to 77

// The entries as resource-file entries (index = entry number).
std::vector<ResDateiEintrag> Muster_Menue_Global_Datei();
std::vector<ResDateiEintrag> Muster_Menue_Optionen_Datei();
// Entries 74 to 77 of "zemo_res.res" in order (from index 0).
std::vector<ResDateiEintrag> Muster_Menue_Disk_Datei();

}  // namespace velmora
