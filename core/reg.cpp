// core/reg.cpp - the game's settings.
#include "core/reg.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/settings.h"

namespace velmora {

const char* const REG_SCHLUESSEL = "Software\\Brannik\\Velmora\\a_value";
const char* const REG_PRODUKT_SCHLUESSEL = "Software\\Brannik\\Velmora";

bool Reg_Read_Key_String(const char* schluessel, const char* name, char* puffer, int32_t groesse) {
    if (!puffer || groesse <= 0) return false;
    std::string wert;
    if (!Plat_Settings_Read(schluessel, name, wert)) return false;
    size_t n = std::min(wert.size(), size_t(groesse - 1));
    std::memcpy(puffer, wert.data(), n);
    puffer[n] = 0;
    return true;
}

bool Reg_Write_Key_String(const char* schluessel, const char* name, const char* text) {
    return Plat_Settings_Write(schluessel, name, text ? text : "");
}

bool Reg_Read_String(const char* name, char* puffer, int32_t groesse) {
    return Reg_Read_Key_String(REG_SCHLUESSEL, name, puffer, groesse);
}

bool Reg_Write_String(const char* name, const char* text) { return Reg_Write_Key_String(REG_SCHLUESSEL, name, text); }

}  // namespace velmora
