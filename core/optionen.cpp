// core/optionen.cpp - the game options.
#include "core/optionen.h"

#include <cstring>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/hooks.h"

namespace velmora {
namespace {

constexpr int32_t GLOBAL_ANZAHL = 30;

struct OptionenModul {
    int32_t global[GLOBAL_ANZAHL];
    int32_t sonder[2];   // options 200 and 201
    bool bereit = false;
};
OptionenModul g;

void sicher_bereit() {
    if (!g.bereit) Optionen_Standard();
}


}  // namespace

void Optionen_Standard() {
    std::memset(g.global, 0, sizeof g.global);
    g.global[4] = 1;    // announcement pages
    g.global[5] = 1;
    g.global[OPTION_AUTOSAVE] = 1;
    g.global[8] = 1;    // quick-look defaults come back after a break
    g.global[OPTION_LIVE_ANSEHEN] = 1;
    g.global[11] = 1;
    g.global[12] = 1;
    g.global[13] = 1;   // job and national-team offers
    g.global[14] = 1;
    g.global[OPTION_MENUE_GLEITEN] = 1;
    g.sonder[0] = 50;   // a view stays 50 frames after a watched match
    g.sonder[1] = 0;
    g.bereit = true;
}

int32_t Optionen(int32_t nummer, int32_t schreiben, int32_t wert) {
    sicher_bereit();
    if (nummer >= 0 && nummer < GLOBAL_ANZAHL) {
        if (schreiben) g.global[nummer] = wert;
        return g.global[nummer];
    }
    if (nummer == 200 || nummer == 201) {
        int32_t& o = g.sonder[nummer - 200];
        if (schreiben) o = (nummer == 200 && wert < 1) ? 1 : wert;
        return o;
    }
    if (nummer >= 40 && nummer <= 43) {
        CoreHooks& h = Core_Hooks();
        if (schreiben) {
            if (h.manager_option_schreiben) h.manager_option_schreiben(nummer, nummer >= 42 ? (wert != 0) : wert);
            else Debug_Printf("Optionen: kein Manager fuer Option %d\n", nummer);
        }
        if (!h.manager_option_lesen) return 0;
        int32_t v = h.manager_option_lesen(nummer);
        return nummer >= 42 ? (v != 0) : v;
    }
    return wert;
}

int32_t Option_Wert(int32_t nummer, int32_t schreiben, int32_t wert) { return Optionen(nummer, schreiben, wert); }

void Optionen_Block_Schreiben(uint8_t out[OPTIONEN_BLOCK_BYTES]) {
    sicher_bereit();
    std::memset(out, 0, OPTIONEN_BLOCK_BYTES);
    for (int32_t i = 0; i < GLOBAL_ANZAHL; ++i) Bytes_Put32(out + 4 * i, uint32_t(g.global[i]));
    Bytes_Put32(out + 120, uint32_t(g.sonder[0]));
    Bytes_Put32(out + 124, uint32_t(g.sonder[1]));
}

bool Optionen_Block_Lesen(const uint8_t* in, size_t bytes) {
    if (!in || bytes < OPTIONEN_BLOCK_BYTES) {
        Debug_Printf("Optionen_Block_Lesen: Block zu kurz (%zu)\n", bytes);
        return false;
    }
    if (int32_t(Bytes_Get32(in + 120)) < 1) {
        Debug_Printf("Optionen_Block_Lesen: Option 200 ungueltig (%d)\n", int32_t(Bytes_Get32(in + 120)));
        return false;
    }
    for (int32_t i = 0; i < GLOBAL_ANZAHL; ++i) g.global[i] = int32_t(Bytes_Get32(in + 4 * i));
    g.sonder[0] = int32_t(Bytes_Get32(in + 120));
    g.sonder[1] = int32_t(Bytes_Get32(in + 124));
    g.bereit = true;
    return true;
}

}  // namespace velmora
