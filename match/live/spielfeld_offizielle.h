// match/live/spielfeld_offizielle.h - the referee and the linesmen: the referee
// follows the ball at a distance, the linesmen follow the offside line along
// their touch lines.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// The referee (figure 34): within 700 cm of where the ball will be in one
// second he stops; farther away he runs to a point 400 cm behind and 1000 cm
// beside it, outside both penalty areas in x. Decides again after 0.5 s.
void KI_Schiedsrichter(Spielfeld_Satz* satz);
// A linesman (figure 35 on the touch line y = -20 in the left half, 36 and 38
// on y = 6826 in the right half) runs along his line to the offside line, or
// without one to x 0 (35) and 4400 (the others), within his half. Decides
// again after 0.1 s.
void KI_Linienrichter(Spielfeld_Satz* satz, int32_t figur);

}  // namespace velmora
