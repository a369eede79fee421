// The save-game loader under arbitrary files. Three kinds of input:
//   0: the bytes are the file;
//   1: a sound file of three modules, damaged at places the bytes name and cut;
//   2: a file with sound checksums whose three module blocks hold the bytes, so
//      the packed-block and list readers see hostile contents.
// Whatever the file, the loader must refuse or load without reading past a buffer.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/hooks.h"
#include "core/liste.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"

using namespace velmora;

namespace {

struct FuzzWelt {
    bool gueltig = true;                 // the save functions write sound contents
    std::vector<uint8_t> roh[3];         // else these bytes, one block per module
    uint32_t wert = 0;
    uint8_t gepackt[256] = {};
    Listen_Element liste{};
};
FuzzWelt w;

bool a_speichern(SpielstandDatei* d) {
    if (!w.gueltig) return Spielstand_Schreiben(d, w.roh[0].data(), uint32_t(w.roh[0].size()));
    return Spielstand_Schreiben(d, &w.wert, 4);
}
bool a_laden(SpielstandDatei* d) { return Spielstand_Lesen(d, &w.wert, 4); }

bool b_speichern(SpielstandDatei* d) {
    if (!w.gueltig) return Spielstand_Schreiben(d, w.roh[1].data(), uint32_t(w.roh[1].size()));
    return Spielstand_Schreiben_Gepackt(d, w.gepackt, sizeof w.gepackt);
}
bool b_laden(SpielstandDatei* d) { return Spielstand_Lesen_Gepackt(d, w.gepackt, sizeof w.gepackt); }

bool c_speichern(SpielstandDatei* d) {
    if (!w.gueltig) return Spielstand_Schreiben(d, w.roh[2].data(), uint32_t(w.roh[2].size()));
    return Liste_Write(d, &w.liste);
}
bool c_laden(SpielstandDatei* d) { return Liste_Read(d, &w.liste); }

bool einrichten() {
    Rnd_Init();
    Core_Hooks().meldung = [](const char*) {};
    Core_Hooks().win_error_box = [](const char*) {};
    Liste_Anlegen(&w.liste);
    Spielstand_Modul_Anmelden(1, "A", a_speichern, a_laden);
    Spielstand_Modul_Anmelden(2, "B", b_speichern, b_laden);
    Spielstand_Modul_Anmelden(3, "C", c_speichern, c_laden);
    return true;
}

// A sound state for the modules to save.
void zuruecksetzen() {
    w.gueltig = true;
    w.wert = 77;
    for (size_t i = 0; i < sizeof w.gepackt; ++i) w.gepackt[i] = uint8_t(i / 16);
    Liste_Delete_All(&w.liste);
    Liste_Insert(&w.liste, nullptr, "Velmora", 7, 3);
    Liste_Insert(&w.liste, nullptr, nullptr, 40, -1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool bereit = einrichten();
    (void)bereit;
    if (size == 0) return 0;
    zuruecksetzen();
    const uint8_t art = data[0] % 3;
    ++data;
    --size;
    std::vector<uint8_t> bild;
    if (art == 0) {
        bild.assign(data, data + size);
    } else if (art == 1) {
        Spielstand_Speichern_In_Bild(&bild);
        size_t i = 0;
        for (; i + 3 <= size; i += 3) bild[(size_t(data[i]) << 8 | data[i + 1]) % bild.size()] ^= data[i + 2];
        if (i < size) bild.resize(bild.size() - data[i] % 32);
    } else {
        size_t drittel = size / 3;
        w.roh[0].assign(data, data + drittel);
        w.roh[1].assign(data + drittel, data + 2 * drittel);
        w.roh[2].assign(data + 2 * drittel, data + size);
        w.gueltig = false;
        Spielstand_Speichern_In_Bild(&bild);
    }
    Spielstand_Laden_Aus_Bild(std::move(bild));
    return 0;
}
