// The save-game loader of a running game under arbitrary files: the small
// generated world with every module bound by the composition root, so a file
// reaches the modules' own loaders as a save the game wrote does. The first
// byte picks the kind of input:
//   0: the bytes are the file;
//   1: the world's save, damaged at places the bytes name and cut (its
//      checksums then mostly refuse it at once);
//   2: the world's save with one module's block damaged and every checksum
//      sealed again: the next byte picks the module, then each group of
//      eight bytes names a place in its block and the word written there;
//      bytes left over cut the block;
//   3: the world's save with one module's block (the next byte picks it)
//      replaced by the rest of the bytes, sealed again.
// Whatever the file, the loader must refuse it or load it without reading past
// a buffer; a file it takes is played on for some frames. The world's own save is
// loaded back after each input, so inputs do not pile up.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/hooks.h"
#include "core/programm.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "season/kalender.h"
#include "tests/support/fuzz_welt.h"
#include "tests/support/spielstand_umschreiben.h"

using namespace velmora;

namespace {

constexpr int32_t SPIEL_BILDER = 400;  // calendar frames played from a file that loaded

struct Pruefstand {
    test::FuzzWelt* welt = nullptr;
    std::vector<uint8_t> gut;            // the world's save
    std::vector<std::string> module;     // its modules in the file's order
};

Pruefstand* einrichten() {
    auto* p = new Pruefstand;
    p->welt = new test::FuzzWelt;
    if (!p->welt->ok || !Spielstand_Speichern_In_Bild(&p->gut)) __builtin_trap();
    p->module = test::Spielstand_Module_Der_Datei(p->gut);
    Core_Hooks().meldung = [](const char*) {};
    Core_Hooks().win_error_box = [](const char*) {};
    return p;
}

// Writes `wert` at `stelle` (taken within the block); a block shorter than a word takes what fits.
void wort_setzen(std::vector<uint8_t>& d, uint32_t stelle, uint32_t wert) {
    if (d.empty()) return;
    const size_t an = stelle % d.size();
    for (size_t i = 0; i < 4 && an + i < d.size(); ++i) d[an + i] = uint8_t(wert >> (8 * i));
}

uint32_t wort(const uint8_t* d) { return uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16 | uint32_t(d[3]) << 24; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Pruefstand* p = einrichten();
    if (size == 0) return 0;
    const uint8_t art = data[0] % 4;
    ++data;
    --size;
    std::vector<uint8_t> bild;
    if (art == 0) {
        bild.assign(data, data + size);
    } else if (art == 1) {
        bild = p->gut;
        size_t i = 0;
        for (; i + 3 <= size; i += 3) bild[(size_t(data[i]) << 8 | data[i + 1]) % bild.size()] ^= data[i + 2];
        if (i < size) bild.resize(bild.size() - data[i] % 32);
    } else {
        if (size == 0) return 0;
        const std::string& ziel = p->module[data[0] % p->module.size()];
        ++data;
        --size;
        auto schaden = [&](std::vector<uint8_t>& d) {
            if (art == 3) {
                d.assign(data, data + size);
                return;
            }
            size_t i = 0;
            for (; i + 8 <= size; i += 8) wort_setzen(d, wort(data + i), wort(data + i + 4));
            if (i < size) d.resize(d.size() - std::min(d.size(), size_t(data[i])));
        };
        if (!test::Spielstand_Umschreiben(p->gut, ziel, schaden, &bild)) __builtin_trap();
    }
    // What loads is played on for a while: the day's work and the first
    // minutes of the next match day, which read the loaded players and clubs
    // (a whole day of live matches takes far too long per input).
    if (Spielstand_Laden_Aus_Bild(std::move(bild)))
        for (int32_t b = 0; b < SPIEL_BILDER; ++b) Kalender_Main();
    Quit_State_Setzen(0);
    if (!Spielstand_Laden_Aus_Bild(p->gut)) __builtin_trap();
    return 0;
}
