// core/stoppuhr.h - six stopwatches on the millisecond clock.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t STOPPUHR_ANZAHL = 6;

uint32_t Zeit_Ms();                           // the runtime's millisecond clock
void Stoppuhr_Start(int32_t slot);            // slots outside 0-5 are clamped to that range
uint32_t Stoppuhr_Vergangen(int32_t slot);    // ms since that slot's start

}  // namespace velmora
