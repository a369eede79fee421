// match/live/ki_angriff.h - a field player without the ball while his side has it
// (or while he is to receive a pass): he goes for a ball he can reach, offers
// himself in space ahead of the ball, keeps to his zone, stays onside, goes
// into the box for crosses and keeps his distance at set pieces.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Decides for field player `slot` of `seite` (0 or 1) and gives at most one order.
void KI_Angriff_Ohne_Ball(Spielfeld_Satz* satz, int32_t slot, int32_t seite);

}  // namespace velmora
