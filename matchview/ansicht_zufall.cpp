// matchview/ansicht_zufall.cpp - the views' own random numbers.
#include "matchview/ansicht_zufall.h"

namespace velmora {
namespace {
uint32_t g_stand = 1;
}  // namespace

void Ansicht_Zufall_Setzen(uint32_t saat) { g_stand = saat; }
uint32_t Ansicht_Zufall_Stand() { return g_stand; }

int32_t Ansicht_Zufall() {
    g_stand = g_stand * 214013u + 2531011u;
    return int32_t((g_stand >> 16) & 0x7FFFu);
}

int32_t Ansicht_Zufall(int32_t lo, int32_t hi) {
    if (hi <= lo) return lo;
    // In 64 bits: a span of the whole int32 range does not overflow.
    const int64_t spanne = int64_t(hi) - int64_t(lo) + 1;
    return int32_t(int64_t(lo) + int64_t(Ansicht_Zufall()) % spanne);
}

}  // namespace velmora
