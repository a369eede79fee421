// Feeds arbitrary bytes to the lock-step's doors from outside: the first
// 42,340 bytes as a fetched record (the check of records from outside), the
// rest as minute packets to the server's and the client's side. Every record
// the check accepts is then ticked through a few frames and minute changes:
// whatever passes the check must be safe for the tick.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/rnd.h"
#include "match/live/spielfeld_tick.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_pruefen.h"
#include "match/record/spielfeld_sync.h"

using namespace velmora;

namespace {
int32_t g_netz = 2;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool start = [] {
        Rnd_Init();
        Spielfeld_Hooks().netz_modus = [] { return g_netz; };
        return Spielfeld_Init();
    }();
    (void)start;
    if (!Spielfeld_Ist_Initialisiert()) Spielfeld_Init();
    auto satz = std::make_unique<Spielfeld_Satz>();
    std::memcpy(satz.get(), data, std::min(size, sizeof *satz));
    if (Spielfeld_Satz_Pruefen(satz.get())) return 0;
    Spielfeld_Satz* s = Spielfeld_Satz_Einsetzen(1, *satz);
    if (!s) return 0;
    size_t pos = sizeof *satz;
    Min_Signal_Block p;
    for (int32_t runde = 0; pos < size && runde < 4; ++runde) {
        std::memset(&p, 0, sizeof p);
        const size_t n = std::min(size - pos, sizeof p);
        std::memcpy(&p, data + pos, n);
        pos += n;
        g_netz = 2;
        Spielfeld_Sync_Vom_Client(&p, int32_t(s->team[runde & 1]));
        g_netz = 1;
        Spielfeld_Sync_Vom_Server(&p, int32_t(s->team[runde & 1]));
    }
    g_netz = 2;
    for (int32_t f = 0; f < 200; ++f) {
        s->bereit = 3;
        if (Spielfeld_Tick(s, 0, nullptr, 0, uint32_t(f * 45)) == TICK_ENDE) break;
    }
    return 0;
}
