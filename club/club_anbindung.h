// club/club_anbindung.h - connects the club data to the network and the save game.
#pragma once
#include <cstdint>

namespace velmora {

// The save-game positions of the club data's blocks: players, then teams, then
// managers, the order a load needs.
constexpr int32_t SPIELSTAND_POS_SPIELER = 10;
constexpr int32_t SPIELSTAND_POS_TEAM = 11;
constexpr int32_t SPIELSTAND_POS_MANAGER = 12;

// Fills the club data's hooks with the real network mode, client team and
// remote call, registers the server's handlers of the club requests, and
// registers the player, team and manager blocks with the save driver.
// Each club request travels as one argument block and one answer block of the
// server's size ("vC%dC<=0"); the packing inside follows docs/protocol.md.
void Club_Anbinden();
// Takes the handlers and the save registration back.
void Club_Abbinden();

}  // namespace velmora
