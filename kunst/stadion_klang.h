// kunst/stadion_klang.h - the sounds of a watched match for mksounds
// ("stadion_sound.res" 0-34): kicks, posts, net, the keeper, whistles, a cry,
// clicks, the beam, the substitution, the crowd's two beds and four chants
// that loop without a click, fouls, whistling, clapping, a near miss, four
// reactions, the encore and the goal roar. Made from sines, filtered noise
// and many detuned voices at the mixer's rate.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora::werkzeug::stadion {

// Sound e (0-34) of "stadion_sound.res" as 16-bit mono samples at the mixer's rate.
std::vector<int16_t> Eintrag(int32_t e);

}  // namespace velmora::werkzeug::stadion
