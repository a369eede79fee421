// tests/match/spieltag_fuzz.cpp - the match day's save block from arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "club/team.h"
#include "match/spieltag.h"
#include "season/spiele.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    using namespace velmora;
    static bool bereit = [] {
        Team_Init(4);
        Spiele_Init();
        Spiele_Neu(1, 1, 0, 0, 0, 1);
        Spiele_Neu(1, 1, 1, 0, 2, 3);
        return true;
    }();
    (void)bereit;
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
