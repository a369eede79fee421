// platform/clock.cpp - monotonic or virtual millisecond clock.
#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace velmora {
namespace {
std::atomic<bool> g_virtuell{false};
std::atomic<uint32_t> g_virtuelle_zeit{0};
}  // namespace

uint32_t Plat_Ms() {
    if (g_virtuell.load()) return g_virtuelle_zeit.load();
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return uint32_t(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void Plat_Sleep_Ms(uint32_t ms) {
    if (g_virtuell.load()) {
        g_virtuelle_zeit += ms;
        std::this_thread::yield();   // a wait loop on the virtual clock still lets other threads run
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void Plat_Uhr_Virtuell(bool an, uint32_t start) {
    g_virtuelle_zeit = start;
    g_virtuell = an;
}

bool Plat_Uhr_Ist_Virtuell() { return g_virtuell.load(); }

void Plat_Uhr_Vorstellen(uint32_t ms) { g_virtuelle_zeit += ms; }

}  // namespace velmora
