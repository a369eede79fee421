// screens/kader_uebersicht.h - the squad at a glance (Team -> Kader) until
// the line-up screens take the panel's entries: the local club's twenty
// players in line-up order with kind, number, name, stars and active talents.
// A click in the talent column opens the talent list window at the pointer, a
// right click on a row the player card.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_KADER_UEBERSICHT = 4189;
constexpr int32_t KADER_X = 110, KADER_Y = 78, KADER_B = 580;
constexpr int32_t KADER_ZEILE_Y = KADER_Y + 40, KADER_ZEILE_H = 22;
constexpr int32_t KADER_TALENT_X0 = KADER_X + 444, KADER_TALENT_X1 = KADER_X + 520;   // the talent column

// The panel's opener (clears the work area first).
void Kader_Uebersicht_Oeffnen();
bool Kader_Uebersicht_Offen();

}  // namespace velmora
