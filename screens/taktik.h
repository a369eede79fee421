// screens/taktik.h - the club's tactics page: three on/off tactics (each
// with a lamp switch and a slide), four stepped tactics with their displays
// and arrows, and the starting eleven with four duty markers per player
// (corners, free kicks, penalties, and the captain, whom one player at most
// carries). It changes the local club's seven tactic bytes and four status
// bits of its players, nothing else.
#pragma once
#include <cstdint>

#include "club/formation.h"

namespace velmora {

constexpr int32_t ICON_TAKTIK_FENSTER = 2505;
constexpr int32_t ICON_TAKTIK_T0 = 2507;          // 2507-2513: t0 .. t6 (switches and displays)
constexpr int32_t ICON_TAKTIK_SCHIEBER_T0 = 2514, ICON_TAKTIK_SCHIEBER_T1 = 2515, ICON_TAKTIK_SCHIEBER_T3 = 2518;
constexpr int32_t ICON_TAKTIK_T2_AB = 2516, ICON_TAKTIK_T2_AUF = 2517, ICON_TAKTIK_T4_AB = 2519, ICON_TAKTIK_T4_AUF = 2520;
constexpr int32_t ICON_TAKTIK_T5_AB = 2521, ICON_TAKTIK_T5_AUF = 2522, ICON_TAKTIK_T6_AB = 2523, ICON_TAKTIK_T6_AUF = 2524;
constexpr int32_t ICON_TAKTIK_ZEILE = 2525;       // rows 2525-2535
constexpr int32_t ICON_TAKTIK_MARKE = 2536;       // 2536 + 4 x row + column
constexpr int32_t TAKTIK_ZEILEN = 11;
constexpr uint32_t TAKTIK_SCHRITT_MS = 150;       // a stepper steps at most every 150 ms
// The status bits of the four duty columns; column 3 (the captain) is unique in the club.
constexpr uint32_t TAKTIK_MARKE_BIT[4] = {0x4000, 0x1000, 0x2000, 0x800};

// The panel's opener: builds the page unless it is open.
void Taktik_Screen_Oeffnen();
bool Taktik_Screen_Offen();

// A stepped tactic one step down or up, wrapping at both ends (t5: below 0 is 6, above 6 is 0).
int32_t Taktik_Schritt(int32_t byte, int32_t wert, bool auf);

}  // namespace velmora
