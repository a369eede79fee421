// match/spielfeld_zweikampf.h - duels, fouls and injuries after the figures
// moved.
//
// A stand-in until the duels are built: it keeps the nearest player per side
// and lets the first player who may touch the ball take a loose one. No
// duels, no fouls.
#pragma once

#include "match/spielfeld_satz.h"

namespace velmora {

// The nearest player of each side to the ball (24920, 24928 with their
// distances); with nobody holding the ball, the first player (slot order) on
// the pitch, not locked out (decision timer 0), within 60 cm of a ball below
// 210 cm takes it, the ball stops and he decides at once. Taking the ball at
// a restart releases open play.
void Spielfeld_Zweikampf(Spielfeld_Satz* satz);

}  // namespace velmora
