// match/live/ki_torwart.h - the goalkeeper's decisions: where he stands, when he
// comes off his line, how he reacts to a ball flying at his goal and how he
// releases a ball he holds.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Decides for the keeper in `slot`: with the ball in his hands he releases it
// (punt or throw), otherwise he positions, comes out or saves.
void KI_Torwart(Spielfeld_Satz* satz, int32_t slot);
// The release kind of a keeper holding the ball: 0 punt, 2 throw. With an
// opponent in his penalty area he always punts (release byte 0); without one
// the kind is drawn from 0..2, 1 counting as a throw. Release byte 1 never
// punts; byte 0 never throws a kind-2 ball.
int32_t KI_Torwart_Abwurf_Art(const Spielfeld_Satz* satz, int32_t slot, int32_t abwurf_byte);

}  // namespace velmora
