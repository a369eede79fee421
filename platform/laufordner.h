// platform/laufordner.h - a program run's own directory in the temporary
// folder, and the removal of those whose run ended without removing them.
//
// A run's directory "<prefix>XXXXXX" holds the lock file ".lauf", locked
// (flock) for as long as the run lives; the kernel lets go of the lock when
// the process ends, however it ends (a kill included). A run directory whose
// lock anyone can take belongs to a run that is gone. A directory without
// the lock file is never taken for one: an older program's, one kept on
// purpose, or one whose run is still making it.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// Makes a fresh directory "<basis>/<praefix>XXXXXX" for this run and holds its
// lock until the process ends. Its path, or "" with the reason in `fehler`.
std::string Plat_Laufordner_Anlegen(const std::string& basis, const char* praefix, std::string* fehler);

// Keeps this run's directory `pfad` beyond its end: it loses its lock file,
// so no later clean-up takes it.
void Plat_Laufordner_Behalten(const std::string& pfad);

// Removes the run directories "<praefix>..." in `basis` whose run is gone:
// directories of this user (not links) holding a lock file no one holds.
// A live run's directory, and every other entry, stays. Returns how many
// were removed.
int32_t Plat_Laufordner_Aufraeumen(const std::string& basis, const char* praefix);

}  // namespace velmora
