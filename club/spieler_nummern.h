// club/spieler_nummern.h - the shirt numbers a screen draws, read once per
// filling of the screen. On a network client a shirt number is the server's:
// read for every row of every frame it made the squad screens wait on dozens
// of answers a frame and drop the clicks that came meanwhile.
#pragma once
#include <array>
#include <cstdint>
#include <utility>

#include "club/team.h"

namespace velmora {

struct SpielerNummern {
    std::array<std::pair<int32_t, int32_t>, 2 * TEAM_SPIELER_MAX> eintrag{};   // player, number
    size_t anzahl = 0;
};

// Forgets every number read: the screen refills, a line-up changed.
void Spieler_Nummern_Vergessen(SpielerNummern& merker);
// The player's shirt number, read from the club data the first time.
int32_t Spieler_Nummer(SpielerNummern& merker, int32_t spieler);

}  // namespace velmora
