// matchview/ansicht_zufall.h - the views' own random numbers.
//
// Boards, crowd, weather and the sound variants draw from this generator,
// never from the game's random source: what a view shows must not move the
// match's random sequence (a watched match plays exactly as an unwatched one,
// and the peers of a networked match day stay in lock-step).
// A linear congruential generator: state = state x 214013 + 2531011, a value
// is bits 16-30 of the state (0..32767).
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ANSICHT_ZUFALL_MAX = 32767;

void Ansicht_Zufall_Setzen(uint32_t saat);
uint32_t Ansicht_Zufall_Stand();
// The next value, 0..32767.
int32_t Ansicht_Zufall();
// lo + value mod (hi - lo + 1); lo when hi < lo.
int32_t Ansicht_Zufall(int32_t lo, int32_t hi);

}  // namespace velmora
