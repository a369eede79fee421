// kunst/publikum_kunst.h - the crowd's 15 animations for mkassets
// ("stadion_gfx.res" 189-203, the figure frames' format): spectators, not
// players. Seen from the camera a spectator is a small stocky figure about 10
// pixels wide, 14 tall seated and 20 standing: a jacket in his club's shirt
// colour, the club's scarf in its trim colour, dark trousers and shoes, some
// with a cap. Seated ones sit still, wave both arms or hold the scarf up;
// standing ones stand, cheer with a hop, or stretch the scarf above their
// heads. Posed by the figure frames' poser in all 16 directions, in the
// figure palette's lists (so the views recolour them by club).
#pragma once
#include <vector>

#include "core/res.h"

namespace publikum_kunst {

// Entries 0 to PUBLIKUM_RES[1] + PUBLIKUM_ANIMATIONEN - 1 of "stadion_gfx.res":
// the 15 animations at their entries, empty blocks elsewhere.
std::vector<velmora::ResDateiEintrag> Datei();

}  // namespace publikum_kunst
