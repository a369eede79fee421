// platform/clock.cpp - monotonic millisecond clock.
#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace velmora {

uint32_t Plat_Ms() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return uint32_t(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void Plat_Sleep_Ms(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace velmora
