// Feeds arbitrary bytes to the match module's save-block loader: it must refuse
// or accept without a crash, and an accepted block saves back identically.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/rnd.h"
#include "match/record/spielfeld.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool start = [] {
        Rnd_Init();
        return Spielfeld_Init();
    }();
    (void)start;
    if (Spielfeld_Load(data, size) && size > 0 && data[0] == 1) {
        std::vector<uint8_t> wieder;
        Spielfeld_Save(wieder);
        // The random index is the one thing the module takes from outside.
        if (wieder.size() != size) __builtin_trap();
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s)) Spielfeld_Checksumme(s);
    }
    if (!Spielfeld_Ist_Initialisiert()) Spielfeld_Init();
    return 0;
}
