// season/season_anbindung.h - connects the season to the network, the save game
// and the world generator.
#pragma once
#include <string>

namespace velmora {

struct WeltgenWelt;

// Registers the season's save blocks and its requests (through the club data's
// bridge), and makes the world generator write the competitions.
void Season_Anbinden();

// Writes "wettbewerb.cfg" and "zeitplan.cfg" of a generated world into its
// configuration directory: per country its league pyramid and cup, the
// continental cup and the friendlies, and the dates of their rounds.
bool Season_Weltgen_Wettbewerbe(const WeltgenWelt& welt, const std::string& config_verz);

}  // namespace velmora
