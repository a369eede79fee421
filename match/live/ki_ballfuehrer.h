// match/live/ki_ballfuehrer.h - the player on the ball: chase it, or shoot, pass,
// evade or run with it.
//
// Asked whenever the decision of the ball holder or of a field player
// chasing the ball is due. The options are rated as scores; the winner
// becomes the player's order and the ball's launch. All draws come from Rnd.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Decides for player `slot` of `seite`. True when the keeper AI must take
// over (a keeper more than 500 cm from the ball; the holder is then none).
bool KI_Ballfuehrer(Spielfeld_Satz* satz, int32_t slot, int32_t seite);

// The distance band (rows of 100 cm in x) a pass choice of sweep `durchgang`
// (0 ahead, 1 behind) looks across: from the passing value (a keeper's
// distribution), the set-piece bonus, the risk and through-ball tactics and
// the time factor; at least 8 in sweep 0, at most 57, at most 20 for a ball
// above 150 cm. Draws Rnd.
int32_t Ballfuehrer_Passband(Spielfeld_Satz* satz, int32_t slot, int32_t seite, int32_t durchgang,
                             int32_t situation, bool flanken_bonus);
// The bearing of (dx, dy) from the player in degrees 0..360 (the instruction
// sectors measure with it).
int32_t Ballfuehrer_Peilung(float dx, float dy);
// +10000 for a receiver strictly inside the sector of pass instruction 7-12,
// 0 outside it, -10000 for any other instruction but 0.
int32_t Ballfuehrer_Sektor_Bonus(int32_t anweisung, int32_t grad);
// The shooter's row for a shot struck from the feet at launch speed v with
// the ball `hoehe` cm high: from 110 km/h the hard shot, below it the placed
// one, the volley above 60 cm, the keeper's own rows for a keeper.
int32_t Ballfuehrer_Schuss_Anim(float v, float hoehe, bool torwart);
// True when the pass is played: shot score below 75 and (situation 3 or best
// pass score above 7000).
bool Ballfuehrer_Passt(float schuss, float pass, int32_t situation);
// The pass speed in cm/s before the cap of 2800, for a pass of p cm with
// pass-length tactic t (draws Rnd).
float Ballfuehrer_Passtempo(float p, int32_t t);
// A shot played first time at launch speed v over e cm, g cm from the goal:
// the new launch speed (v halved for a calm player, Rnd(0, 999) below his
// calmness `ruhe`, else divided by 2.8 or 2.3) and, in vz, the vertical
// speed (speed / g) x 280 + (981 - speed / 10) x t with t = 2e / v. Draws Rnd.
float Ballfuehrer_Direktschuss(float v, float e, float g, int32_t ruhe, float* vz);
// The line value (0 or 2) holding the wing byte of the flank at y for a side
// attacking the goal line at tor_x: 0 is the flank below y 3403 while the
// side attacks x = 10800, the flank above while it attacks x = 0.
int32_t Ballfuehrer_Fluegel_Byte(float y, float tor_x);
// The opponents of `seite` in the lane from (x0, y0) just behind the
// receiver at (x1, y1): their foot on the line lies beyond him, less than
// 200 cm from him and from the line. Such a pass leaves at 70 % speed.
int32_t Ballfuehrer_Gegner_Hinter(const Spielfeld_Satz* satz, float x0, float y0, float x1, float y1,
                                  int32_t seite);
// The far mark: a player pressed (`druck` opponents close) at least 8100 cm
// from the goal line he attacks, deep in his own quarter.
bool Ballfuehrer_Weit(float linie_abstand, int32_t druck);
// A ball in the air below 200 cm with a control value of `kontrolle`: true
// (and the ball laid dead) when the draw is below the value and the ball is
// lower than 30 cm.
bool Ballfuehrer_Ball_Beruhigen(Spielfeld_Satz* satz, int32_t kontrolle);
// The run target y of the width rules for a player at y with the team's
// width tactic and its w (100 for a player whose technique is below his width
// value, else the tactic), centre y `mitte`.
float Ballfuehrer_Ziel_Y(float y, int32_t breite_taktik, int32_t w, float mitte);

}  // namespace velmora
