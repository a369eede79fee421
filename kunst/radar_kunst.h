// kunst/radar_kunst.h - the radar's pictures for mkassets ("menue_res.res"):
// the 800 x 600 background with the header (crest frames, name plates, the
// score box) and the pitch seen from above on the panel's 755 x 476 pixels
// from (22, 111); the home and away dots; the ball at 31 heights; the two goals.
#pragma once
#include <vector>

#include "core/res.h"

namespace radar_kunst {

// Entries 31 (background) and 33-67 of "menue_res.res", as two groups.
std::vector<velmora::ResDateiEintrag> Hintergrund_Datei();
std::vector<velmora::ResDateiEintrag> Punkte_Datei();

}  // namespace radar_kunst
