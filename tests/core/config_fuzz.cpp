// Fuzzes the configuration reader: the input is split at the first zero byte
// into a configuration text and its alias partner, then read the way a module
// reads it, asking every item as a number and as a text.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/config.h"
#include "core/hooks.h"
#include "core/str.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Core_Hooks().meldung = [](const char*) {};
    const char* text = reinterpret_cast<const char*>(data);
    const void* null = std::memchr(data, 0, size);
    size_t text_bytes = null ? size_t(static_cast<const uint8_t*>(null) - data) : size;
    const char* alias = null ? text + text_bytes + 1 : nullptr;
    size_t alias_bytes = null ? size - text_bytes - 1 : 0;
    Read_Config_Open_Text(text, text_bytes, "fuzz.cfg", alias, alias_bytes);
    int32_t liste[16];
    while (const char* befehl = Read_Config_Next()) {
        if (befehl[0] == 'U') Read_Config_Unbekannter_Befehl(902);
        (void)Read_Config_Get_Wert();
        Zahlenliste_Lesen(Read_Config_Get_String(), liste, 16);
        for (int32_t i = -1; i <= Read_Config_Teile(); ++i) {
            (void)Read_Config_Teil_Ist_Zahl(i);
            (void)Read_Config_Teil_String(i);
        }
    }
    Read_Config_Close();
    return 0;
}
