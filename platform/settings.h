// platform/settings.h - the settings file that stands in for the registry.
//
// Values live in an INI-style file, "$XDG_CONFIG_HOME/velmora/settings.ini"
// (default "~/.config"), one section per key path ("Software\\Brannik\\Velmora\\a_value")
// and one "name=value" line per value. Every write replaces the file atomically.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

std::string Plat_Settings_File();   // the path of the settings file now in use

// Reads a string value; false (and `out` untouched) when the key or the value is absent.
bool Plat_Settings_Read(const char* key_path, const char* name, std::string& out);
// False when the file cannot be written; the first such failure of the
// process is also one line on stderr.
bool Plat_Settings_Write(const char* key_path, const char* name, const char* value);
bool Plat_Settings_Read_U32(const char* key_path, const char* name, uint32_t& out);
bool Plat_Settings_Write_U32(const char* key_path, const char* name, uint32_t value);

}  // namespace velmora
