// tests/support/spielstand_umschreiben.h - a save game's file image written
// anew with one module's data changed, every checksum sound again: what a
// module's loader gets when a file was damaged inside its block and sealed
// again. Used by the save tests, the save fuzz target and its seed writer.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/rnd.h"
#include "core/spielstand_datei.h"

namespace velmora::test {

// `aendern` gets module `ziel`'s data: the random table's plain bytes, or a
// declared block's unpacked bytes (saved with its length in front and packed).
// False when `gut` is no sound file.
inline bool Spielstand_Umschreiben(const std::vector<uint8_t>& gut, const std::string& ziel,
                                   const std::function<void(std::vector<uint8_t>&)>& aendern,
                                   std::vector<uint8_t>* aus) {
    SpielstandDatei ein;
    if (!Spielstand_Datei_Oeffnen(&ein, gut)) return false;
    SpielstandDatei neu;
    Spielstand_Datei_Neu(&neu, ein.kopf);
    for (const SpielstandRahmen& r : std::vector<SpielstandRahmen>(ein.rahmen)) {
        if (!Spielstand_Modul_Betreten(&ein, r.name.c_str()) || !Spielstand_Modul_Beginnen(&neu, r.name.c_str()))
            return false;
        std::vector<uint8_t> daten;
        if (r.name == "Rnd") {
            daten.resize(RND_ZUSTAND_BYTES);
            if (!Spielstand_Lesen(&ein, daten.data(), uint32_t(daten.size()))) return false;
            if (r.name == ziel) aendern(daten);
            if (!Spielstand_Schreiben(&neu, daten.data(), uint32_t(daten.size()))) return false;
        } else {
            uint32_t laenge = 0;
            if (!Spielstand_Lesen(&ein, &laenge, 4)) return false;
            daten.resize(laenge);
            if (!Spielstand_Lesen_Gepackt(&ein, daten.data(), laenge)) return false;
            if (r.name == ziel) aendern(daten);
            laenge = uint32_t(daten.size());
            if (!Spielstand_Schreiben(&neu, &laenge, 4) || !Spielstand_Schreiben_Gepackt(&neu, daten.data(), laenge))
                return false;
        }
        if (!Spielstand_Modul_Verlassen(&ein) || !Spielstand_Modul_Beenden(&neu)) return false;
    }
    if (!Spielstand_Datei_Abschliessen(&neu)) return false;
    *aus = std::move(neu.bild);
    return true;
}

// The names of a sound file's modules in their order, empty for no sound file.
inline std::vector<std::string> Spielstand_Module_Der_Datei(const std::vector<uint8_t>& bild) {
    SpielstandDatei d;
    std::vector<std::string> namen;
    if (!Spielstand_Datei_Oeffnen(&d, bild)) return namen;
    for (const SpielstandRahmen& r : d.rahmen) namen.push_back(r.name);
    return namen;
}

}  // namespace velmora::test
