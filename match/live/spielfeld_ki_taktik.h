// match/live/spielfeld_ki_taktik.h - the computer managers' changes during a live
// match: tired players replaced, and substitutions late in the match.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr int32_t KI_TAKTIK_MUEDE = 3000;   // stamina below which a field player is tired

// For each computer side with a substitution left: a tired field player on
// the pitch is replaced (his slot, any position); otherwise one substitution
// is made from 60 %, a second from 70 % and a third from 80 % of the playing
// time, preferring defence while leading and midfield otherwise. The
// substitutions are entered; the next stoppage carries them out.
void Spielfeld_KI_Taktik(Spielfeld_Satz* satz, int32_t minute, int32_t spielzeit);

}  // namespace velmora
