// club/team_basis.h - the set-up of all teams after a build: base data and
// the per-player economy values.
#pragma once
#include <cstdint>

namespace velmora {

// Base data of a club (team -1: of every team): its number (value 27), its
// continent (value 10) taken from its nation when it has one, and its team
// value (value 2) from its squad. Country entries and the market keep theirs.
void Team_Set_Basisdaten(int32_t team, int32_t);
// Updates every player of the team: maximum strength at least the strength,
// market value (102) and salary (85) computed anew. Nothing on a client.
void Team_Spieler_Aktualisieren(int32_t team);

}  // namespace velmora
