// club/club_anbindung.h - connects the club data (and the modules built on it)
// to the network and the save game.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// The save-game positions of the blocks registered through the club data's
// seam, in the order a load needs them: players, teams, managers, then the
// season's competitions, fixtures, tables and season state, the calendar, the
// ranking list and the player statistics, the match day, the news, the bank,
// the stadiums, the advertising, the scout search and the transfer negotiation.
int32_t Spielstand_Position_Von(const char* name);

// Fills the club data's hooks with the real network mode, client team and
// remote call, registers the server's handlers of the club requests, and
// registers the player, team and manager blocks with the save driver.
// Each request travels as one argument block and one answer block of the
// server's size ("vC%dC<=0"); the packing inside follows docs/protocol.md.
void Club_Anbinden();
// Takes the handlers, hooks and save registrations back.
void Club_Abbinden();

// The server's answer to one request of a module above the club data, packed
// as its client sent it (see club/club_netz.h). False for a malformed request.
using ClubServerFn = bool (*)(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                              std::vector<uint8_t>& antwort);
// Registers such a module's request with the network's request switch.
bool Club_Anfrage_Anmelden(int32_t anfrage, ClubServerFn fn);

}  // namespace velmora
