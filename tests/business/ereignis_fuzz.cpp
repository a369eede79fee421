// Fuzz target: the "ereignis.cfg" reader. Any text reads to a catalogue whose
// every event can be fetched and picked, with texts of at most 299 characters
// and known categories; event texts format safely with any arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "business/ereignis.h"
#include "core/hooks.h"
#include "core/rnd.h"
#include "core/text_format.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static bool bereit = [] {
        Rnd_Init();
        Core_Hooks().meldung = [](const char*) {};
        return true;
    }();
    (void)bereit;
    if (!Ereignis_Lesen_Text(reinterpret_cast<const char*>(daten), uint32_t(groesse), "ereignis.cfg")) return 0;
    const TextArg args[] = {TextArg("Name"), TextArg(42), TextArg(-7)};
    int32_t anzahl = Ereignis_Anzahl();
    for (int32_t n = 0; n < anzahl; ++n) {
        const Ereignis_Ansicht* v = Ereignis_Holen(n);
        if (!v || v->nummer != n || v->kategorie < 0 || v->kategorie >= EREIGNIS_KATEGORIEN) std::abort();
        for (const char* t : {v->text, v->ja_text, v->nein_text})
            if (std::strlen(t) > size_t(EREIGNIS_TEXT_MAX)) std::abort();
        std::string text = v->text;
        Text_Format(text.c_str(), args, 3);
    }
    if (Ereignis_Holen(anzahl) != nullptr) std::abort();
    for (int32_t k = 0; k < EREIGNIS_KATEGORIEN; ++k) {
        const Ereignis_Ansicht* v = Ereignis_Zufall(k);
        if (v && v->kategorie != k) std::abort();
    }
    return 0;
}
