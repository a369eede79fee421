// match/live/spielfeld_ballflug.h - the ball's flight: its height from the time
// since the kick, and the searches along a flight.
//
// The height is not integrated frame by frame: after t seconds it is
// h(t) = vz t - (981 - v / 10) t², vz the launch speed and v the horizontal
// speed of the ball's current order (a faster ball drops more slowly). The
// ball keeps two flight times (ms): the reference time and the time examined.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// The height after `t` seconds of a flight with launch speed vz and horizontal speed v.
double Spielfeld_Ball_Hoehe(double vz, double v, double t);
// The height at the ball's examined flight time.
double Spielfeld_Ball_Flug_Hoehe(const Figur* ball);
// Restarts the flight on its rising branch at the ball's current height: the
// reference time becomes 0 and the time examined runs up in steps of 100 ms
// until the height reaches the ball's, or back one step at the top.
void Spielfeld_Ball_Flug_Steigend(Figur* ball);
// The reference time becomes 0 and the time examined is advanced by `delta`
// ms, then taken back in steps of 100 ms while the height keeps rising, to
// the first time at the ball's height, or one step forward at the top.
void Spielfeld_Ball_Flug(Figur* ball, float delta);
// The y at x on the line through (x0, y0) and (x1, y1) (any two coordinates:
// the z at an x, the x at a y); a vertical line is taken as x1 = x0 + 0.001.
float Spielfeld_Linie_Interpolieren(float x0, float y0, float x1, float y1, float x);

}  // namespace velmora
