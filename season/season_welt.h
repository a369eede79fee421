// season/season_welt.h - the competitions of a generated world.
#pragma once
#include <string>

namespace velmora {

struct WeltgenWelt;

// Writes "wettbewerb.cfg" and "zeitplan.cfg" of a generated world into its
// configuration directory: per country its league pyramid and cup, the
// continental cup and the friendlies, and the dates of their rounds.
bool Season_Weltgen_Wettbewerbe(const WeltgenWelt& welt, const std::string& config_verz);

}  // namespace velmora
