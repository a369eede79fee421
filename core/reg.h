// core/reg.h - settings of the game (in place of the registry).
//
// String values under the key "Software\\Brannik\\Velmora\\a_value":
// "Work_dir", "Work_dir2", "USER_DIR", "verz_%d", "conf_%d", "res_%d", "Gme";
// "Installation" under the product key "Software\\Brannik\\Velmora".
#pragma once
#include <cstdint>

namespace velmora {

extern const char* const REG_SCHLUESSEL;          // "Software\\Brannik\\Velmora\\a_value"
extern const char* const REG_PRODUKT_SCHLUESSEL;  // "Software\\Brannik\\Velmora"

// Reads a value under the game's key into `puffer`; leaves it unchanged when the
// value is absent, so callers empty it first. True when the value was found.
bool Reg_Read_String(const char* name, char* puffer, int32_t groesse);
bool Reg_Write_String(const char* name, const char* text);
// The same under any key path.
bool Reg_Read_Key_String(const char* schluessel, const char* name, char* puffer, int32_t groesse);
bool Reg_Write_Key_String(const char* schluessel, const char* name, const char* text);

}  // namespace velmora
