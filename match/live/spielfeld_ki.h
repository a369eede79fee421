// match/live/spielfeld_ki.h - the figures' decisions: which behaviour a figure
// runs when it is asked to decide, the heat map and the running speeds.
//
// The keeper decides in match/ki_torwart, the player on the ball in
// match/ki_ballfuehrer, the players without it in match/ki_angriff (their
// side has the ball) and match/ki_abwehr (the other side has it). At a period
// end everybody walks off.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Runs the decision of a figure (0-52) that was asked to decide.
void Spielfeld_KI_Ausfuehren(Spielfeld_Satz* satz, int32_t figur);
// Counts the player's heat-map cell (10 x 10 cells of 1080 x 680 cm) once
// each time he enters a new one; a cell's counter stops at 3.
// Whether the ball lies in the penalty area of the keeper's side of `slot`:
// the only loose ball a keeper goes for in open play.
bool Spielfeld_Ball_Beim_Torwart(const Spielfeld_Satz* satz, int32_t slot);
void Spielfeld_Heatmap(Spielfeld_Satz* satz, int32_t slot);
// Running and sprinting speed of a player slot in cm/s (at least 10 km/h).
float Spieler_Lauftempo(const Spielfeld_Satz* satz, int32_t slot);
float Spieler_Sprinttempo(const Spielfeld_Satz* satz, int32_t slot);
// Sends every player on the pitch off over the nearer touch line (the walk-off).
void KI_Rauslaufen(Spielfeld_Satz* satz);
// One player of the walk-off; nothing for a player already on his way.
void KI_Rauslaufen_Spieler(Spielfeld_Satz* satz, int32_t slot);

}  // namespace velmora
