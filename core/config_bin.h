// core/config_bin.h - the binary configuration cache "%d_config.bin".
//
// Once the world's configuration files were read whole, the modules' data is
// written into one file in the cache directory ("$XDG_CACHE_HOME/velmora",
// core/dirs.h), so that a later start (with "-d", which keeps the file) loads
// it at once. Each module registers a region when the program binds it: its
// name, a save and a load callback, and the source files (names within a set,
// as "spieler.cfg" or "te.cfg") whose path, size and time make the cache
// stale; each source's alias partner ("spieler_alias.cfg") counts as a source
// too.
//
// Layout (little-endian):
//   0   "<!-BIN-!conf00>" and a zero byte (16 bytes)
//   16  i32 set number
//   20  u32 source count; per source: u32 length + name, u32 length + path
//       found, u64 size, i64 time (-1 when missing)
//   ..  u32 region count; per region: u32 length + name, u32 length + data
//   end u32 CRC-32 of every byte before it
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

using ConfigBinSpeichern = bool (*)(std::vector<uint8_t>& out);          // appends the module's data
using ConfigBinLaden = bool (*)(const uint8_t* daten, size_t bytes);     // false: the data does not fit

// Registers (or replaces, by name) a region. False for a missing name or callback.
bool Config_Bin_Region_Anmelden(const char* name, ConfigBinSpeichern speichern, ConfigBinLaden laden,
                                const std::vector<std::string>& quellen);
void Config_Bin_Region_Abmelden(const char* name);
// The registered regions' names, in the order they are saved and loaded.
std::vector<std::string> Config_Bin_Regionen();

// The cache file of the current set.
std::string Config_Bin_Pfad();
// The sources of every registered region as they stand now (paths found,
// sizes, times), in the form the cache records them.
std::vector<uint8_t> Config_Bin_Quellen();
// Loads every registered region from the cache. False when there is none, or
// it is foreign, damaged, stale, of another set, holds other regions than
// those registered, or a region refuses its data; such a file is deleted
// (one debug line says why), so the files are read and the cache rebuilt.
bool Config_Bin_Laden();
// Writes the cache from every registered region, recording `quellen` (taken
// with Config_Bin_Quellen before the files were read, so a file changed
// while it was read leaves the cache stale) or, without it, the sources as
// they stand now. False when nothing is registered, a region cannot save or
// the file cannot be written.
bool Config_Bin_Schreiben(const std::vector<uint8_t>* quellen = nullptr);
// Deletes the cache file; true when none is left.
bool Config_Bin_Loeschen();

}  // namespace velmora
