// match/live/figur_bewegen.h - one frame of a figure's movement, and the ball's
// football between two decisions.
//
// A figure follows its current order: position, a turn spread over frames,
// the flight in height, arrival at the target. The ball also slows down,
// bounces, is carried by its holder, is taken by the receiver of a pass, hits
// the posts and the crossbar, goes into the net or out over a line, and the
// restarts (goal, corner, goal kick, throw-in) and a requested period end
// follow once it is dead.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Line states of the ball (Spielfeld_Satz::ball_linie).
enum : int32_t {
    BALL_IM_SPIEL = 0,
    BALL_TOR = 1,            // crossed the goal line inside the frame: in the net
    BALL_TORAUS = 2,         // behind a goal line outside the goal
    BALL_ABPRALLER = 3,      // off a post or the crossbar, not yet back in the field
    BALL_SEITENAUS = 4,      // beyond a touch line
    BALL_HERAUSGENOMMEN = 5  // taken out of play by the possession step: a throw-in follows
};

// One frame (`schritt` ms) for the figure `index`; `ist_ball` for figure 37.
void Figur_Bewegen(Spielfeld_Satz* satz, int32_t index, Figur* f, float schritt, bool ist_ball);
// The net of a goal (0: at x = 0, 1: at x = 10800) shakes: its four figures
// play their moving rows once and come to rest again. Nothing while they
// still shake.
void Spielfeld_Netz_Wackeln(Spielfeld_Satz* satz, int32_t tor);

}  // namespace velmora
