// tests/match/spieltag_fuzz.cpp - the match day's save block from arbitrary
// bytes, in the running game of the small generated world, whose fixtures
// the blocks of the seeds name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "match/day/spieltag.h"
#include "tests/support/fuzz_welt.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static velmora::test::FuzzWelt welt;
    if (!welt.ok) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    using namespace velmora;
    if (Spieltag_Load(daten, bytes)) {
        std::vector<uint8_t> wieder;
        Spieltag_Save(wieder);
        if (!Spieltag_Load(wieder.data(), wieder.size())) __builtin_trap();
        Spieltag_Spiele_Offen();
        Spieltag_Slot_Anzahl();
    }
    Spieltag_Slots_Loeschen();
    return 0;
}
