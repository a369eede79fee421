// kunst/wetter_kunst.h - the weather's shapes for mkassets
// ("stadion_sprites.res"): nine raindrop streaks (12-20) falling steeply to
// the right at the rain's slant, and nine snowflakes (21-29), small soft
// crystals of three sizes.
#pragma once
#include <vector>

#include "core/res.h"

namespace wetter_kunst {

// The nine raindrop streaks and the nine snowflakes, each in order.
std::vector<velmora::ResDateiEintrag> Regen_Datei();
std::vector<velmora::ResDateiEintrag> Schnee_Datei();

}  // namespace wetter_kunst
