// kunst/bild_muster_menue.h - the pictures of the menu framework, drawn by
// program in the game's palette: the main screen's background, the panel's
// menus and buttons, the requester, the darkening behind it and the option
// bar of a live match. The asset tool writes them into the resource files.
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/bildnr_menue.h"
#include "gfx/rastport.h"

namespace velmora {

// One picture of the lists of gfx/bildnr_menue.h (a new depth-16 bitmap, black transparent), or
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
