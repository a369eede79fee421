// screens/editor_nation.h - the team editor's nation chooser: the continents
// (those shown as lists of their countries, or all of them for a scout
// player, with his continent's count of scout players), and beside the one
// under the pointer its countries, the player's own ticked. A click on a
// country makes it his nation; a right click closes the chooser.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t ICON_NATION_LISTE = 3730;
constexpr int32_t ICON_NATION_FAENGER = 3731;

void Editor_Nation_Oeffnen(int32_t spieler);
bool Editor_Nation_Offen();
void Editor_Nation_Schliessen();

// The continents the chooser lists for a player, and a continent's countries
// (for a continent not shown as a list: the country named like it).
std::vector<int32_t> Editor_Nation_Kontinente(int32_t spieler);
std::vector<int32_t> Editor_Nation_Laender(int32_t kontinent);

}  // namespace velmora
