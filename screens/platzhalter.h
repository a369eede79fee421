// screens/platzhalter.h - the screens of the menu panel that are not built
// yet: each entry opens a card in the work area naming its screen, so every
// entry of the panel leads somewhere. A real screen replaces its card in the
// composition root's binding.
#pragma once
#include <cstdint>

#include "gui/menue_lokal.h"

namespace velmora {

constexpr int32_t ICON_PLATZHALTER = 4190;

// The opener of the card of panel button `knopf` (702..705) and `eintrag`;
// null where the panel has no screen (an empty entry, the quit question).
ScreenOeffner Platzhalter_Oeffner(int32_t knopf, int32_t eintrag);
// The button and entry of the card shown, {-1, -1} when none is.
void Platzhalter_Gezeigt(int32_t* knopf, int32_t* eintrag);

}  // namespace velmora
