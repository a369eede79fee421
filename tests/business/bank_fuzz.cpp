// Fuzz target: the bank's save block. Any bytes either load completely (and
// then save back to the same bytes) or are refused without a change.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "business/bank.h"
#include "core/rnd.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static bool bereit = [] {
        Rnd_Init();
        return true;
    }();
    (void)bereit;
    Bank_Init();
    Bank_Waehrung_Umrechnen(2, 5000, 0);
    std::vector<uint8_t> vorher;
    Bank_Save(vorher);
    // Small inputs patch a sound block, larger ones stand as a whole block.
    std::vector<uint8_t> block(daten, daten + groesse);
    if (groesse < 64) {
        block = vorher;
        for (size_t i = 0; i + 4 < groesse; i += 5) {
            size_t pos = (size_t(daten[i]) | size_t(daten[i + 1]) << 8 | size_t(daten[i + 2]) << 16) % block.size();
            block[pos] = daten[i + 3];
        }
    }
    std::vector<uint8_t> nachher;
    if (Bank_Load(block.data(), block.size())) {
        Bank_Save(nachher);
        if (!block.empty() && nachher.size() != block.size()) __builtin_trap();
        Bank_Ueberweisung(-1, 2, 10.0f, BUCHUNG_EINTRITT, 0, -1);
        Bank_Kategorie_Summe(2, 0, 0x80);
        Bank_Periode_Buchen(2, nullptr);
    } else {
        Bank_Save(nachher);
        if (nachher != vorher) __builtin_trap();
    }
    Bank_Exit();
    return 0;
}
