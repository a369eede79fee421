// platform/clock.h - the millisecond clock of frames, timers and stopwatches.
//
// The clock is the real monotonic time, or, for headless runs and tests, a
// virtual clock that only moves when told to, so frames are reproducible.
#pragma once
#include <cstdint>

namespace velmora {

uint32_t Plat_Ms();              // milliseconds since an arbitrary start; wraps after 49 days
void Plat_Sleep_Ms(uint32_t ms); // on the virtual clock: advances it instead of sleeping

void Plat_Uhr_Virtuell(bool an, uint32_t start = 0);
bool Plat_Uhr_Ist_Virtuell();
void Plat_Uhr_Vorstellen(uint32_t ms);

}  // namespace velmora
