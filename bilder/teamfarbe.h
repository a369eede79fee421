// bilder/teamfarbe.h - the colour a team's name is written in, by the local
// manager's team and nation and the competition.
#pragma once
#include <cstdint>

namespace velmora {

// The colour a team's name is written in, in a list of a competition: the
// local manager's team stands out whatever the competition; -1 (no
// competition) is pale yellow; foreign teams are shaded in international
// competitions (and with -2, any competition abroad); else white.
constexpr uint16_t FARBE_MANAGER_TEAM = 0xEF4D;
constexpr uint16_t FARBE_OHNE_WETTBEWERB = 0xFFFA;
constexpr uint16_t FARBE_AUSLAND = 0xCE99;
constexpr uint16_t FARBE_WEISS = 0xFFFF;
uint16_t Manager_Textfarbe(int32_t team, int32_t wettbewerb);

}  // namespace velmora
