// core/stoppuhr.cpp - six stopwatches.
#include "core/stoppuhr.h"

#include "core/zahlen.h"
#include "platform/clock.h"

namespace velmora {
namespace {
uint32_t g_start[STOPPUHR_ANZAHL];
}

uint32_t Zeit_Ms() { return Plat_Ms(); }

void Stoppuhr_Start(int32_t slot) { g_start[Clamp(slot, 0, STOPPUHR_ANZAHL - 1, -1)] = Plat_Ms(); }

uint32_t Stoppuhr_Vergangen(int32_t slot) { return Plat_Ms() - g_start[Clamp(slot, 0, STOPPUHR_ANZAHL - 1, -1)]; }

}  // namespace velmora
