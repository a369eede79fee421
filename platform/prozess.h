// platform/prozess.h - starting an external program.
#pragma once
#include <string>
#include <vector>

namespace velmora {

// Starts `programm` with `argumente` (no shell); with `warten` waits until it
// has ended. False when it could not be started.
bool Plat_Prozess_Starten(const char* programm, const std::vector<std::string>& argumente, bool warten);

}  // namespace velmora
