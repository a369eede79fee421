// business/trainingslager_screen.h - the camp booking page: one of the eight
// training camps at a time with its picture, name, price, the three bars of
// what it does (morale, recovery, strength) and its description; two buttons
// browse the camps, a third books the one shown (business/trainingslager.h).
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_LAGER_SEITE = 3537;
constexpr int32_t ICON_LAGER_ZURUECK = 3538, ICON_LAGER_WEITER = 3539;
constexpr int32_t ICON_LAGER_BUCHEN = 3540;

// Panel button 702, entry 5; nothing when the page is open.
void Trainingslager_Screen_Oeffnen();
bool Trainingslager_Screen_Offen();
// The book button: on for a configured camp while none runs.
bool Trainingslager_Screen_Buchbar();

}  // namespace velmora
