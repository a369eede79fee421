// business/markt_statistik.h - a developer screen that sums up the balance of
// the game world: the clubs' strengths per competition, the market's players
// by stars (with and without the scouts' prospects), the talents per player
// and the clubs short of players for a line. It changes nothing. With
// VELMORA_DEBUG=1, Ctrl+F7 during a manager's turn opens it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int32_t ICON_MARKT_STATISTIK = 867;

struct MarktStatistikHooks {
    // The competitions of the manager's team, as the competition screens list them (the list's length).
    int32_t (*wettbewerbe)(int32_t* puffer) = nullptr;
};
MarktStatistikHooks& Markt_Statistik_Hooks();

// Opens the screen: nothing when it is on screen.
void Transfermarkt_Statistik_Screen();

// The figures the screen shows.
struct WettbewerbStaerke {
    int32_t wettbewerb = -1, clubs = 0;
    int32_t schnitt = 0, min = 0, max = 0, max_schnitt = 0;   // all 0 for a competition without clubs
};
WettbewerbStaerke Markt_Statistik_Wettbewerb(int32_t wettbewerb);
// The market's players (with `nur_scouts` only the prospects, else without
// them) counted by whole stars: 0-5, a strength outside 0-12 in the nearest bucket.
std::vector<int32_t> Markt_Statistik_Sterne(bool nur_scouts);
// The normal clubs short of players for a line (at least 2 goalkeepers, 4
// defenders, 5 midfielders, 4 forwards), every club of the game checked.
std::vector<int32_t> Markt_Statistik_Not_Teams();

}  // namespace velmora
