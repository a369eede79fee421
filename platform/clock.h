// platform/clock.h - the millisecond clock of frames, timers and stopwatches.
#pragma once
#include <cstdint>

namespace velmora {

uint32_t Plat_Ms();              // monotonic milliseconds since an arbitrary start; wraps after 49 days
void Plat_Sleep_Ms(uint32_t ms);

}  // namespace velmora
