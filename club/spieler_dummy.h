// club/spieler_dummy.h - drawing a new player in place of an old one.
#pragma once
#include <cstdint>

namespace velmora {

// Gives the player a newly drawn identity and strength for a league level
// (percent, 100 the top level): a name of his nation's style, age 18-31,
// strength random(level x 70, level x 105) clamped to 1000..12000, maximum
// strength up to 2000 above it, talents, morale, form and injuries cleared.
// Kind, nation, club and line-up slot stay. False for a bad player or on a client.
bool Spieler_Init_Start_Dummies(int32_t spieler, int32_t niveau);

}  // namespace velmora
