// match/live/spielfeld_standard.h - stoppages and set pieces of a live match: the
// ball placed, the taking side fixed, the wall formed, the substitutions
// entered carried out, and the players around the ball given their roles
// before the scripted situations take over.
//
// Stored takers are player numbers; the roles handed out here are player
// slots (0-33) with their situation codes (the figure's byte `situation`).
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr float STANDARD_ABSTAND = 915.0f;          // opponents keep this far from a set piece's ball
constexpr int32_t ELFMETERSCHUSS_MAX_FRAMES = 341;  // 15 s of match time: a shoot-out kick ends as missed

// The decision state of every player is cleared before a placement: decision
// timer, chase flag and the situation code (substitution codes 36-39 and 46,
// and 48, stay).
void Spielfeld_Situationen_Loeschen(Spielfeld_Satz* satz);
// A penalty for the side attacking the goal in the ball's half.
void Spielfeld_Elfmeter_Setzen(Spielfeld_Satz* satz);
// A free kick for `seite` at (x, y), with a wall of one to four defenders
// (situation codes 29-32 in order of nearness).
void Spielfeld_Freistoss_Setzen(Spielfeld_Satz* satz, int32_t x, int32_t y, int32_t seite);
// The whistle after a foul or a flagged infringement: a penalty when (x, y)
// lies in the penalty area the side `seite` attacks, else a free kick there.
void Spielfeld_Pfiff(Spielfeld_Satz* satz, int32_t x, int32_t y, int32_t seite);
// Prepares the current stoppage once (the tick, every frame outside open
// play): substitutions carried out, roles given, every figure decides and is
// put straight at its target. 2 when a player stands within 915 cm of the
// centre spot, 1 when figures were moved, 0 when nothing was done.
int32_t Spielfeld_Auswechslung_Pruefen(Spielfeld_Satz* satz);
// Carries out the entered substitution pairs of both sides. A pair with a
// slot outside -1..33, an incoming player already on the pitch, an outgoing
// one not on it, or a pair with no substitution left is dropped with a debug
// line. At a kick-off the players change at once; otherwise both walk (codes
// 36 and 38) while the play state waits.
void Spielfeld_Auswechslungen_Ausfuehren(Spielfeld_Satz* satz);
// Gives the players around the ball their set-piece roles: per side the two
// quickest to reach the ball; the first of the side to take the set piece
// gets its situation code and the ball; in open play both firsts chase it.
void Spielfeld_Spieler_Um_Ball(Spielfeld_Satz* satz);
// One kick of a penalty shoot-out computed live: `schuetze` is the player
// number of side `seite` (the first player of the side on the pitch when he
// is not there).
void Spielfeld_Elfmeterschiessen_Schuss(Spielfeld_Satz* satz, int32_t seite, int32_t schuetze);
// False while the shoot-out kick of the game's record is still running; true
// otherwise, also for an unknown game. A struck ball that no longer heads for
// the goal, or a kick still running after ELFMETERSCHUSS_MAX_FRAMES frames,
// ends the kick as missed.
bool Spielfeld_Schuss_Erledigt(int32_t spiel);
// Where a player without a script stands at a stoppage: the point (x, y) he
// wants is moved to keep the set-piece distances (915 cm from the other
// side's free kick, corner and throw-in; out of the penalty area at a goal
// kick and a penalty; own half outside the centre circle at a kick-off;
// beside the centre circle during a shoot-out).
void Spielfeld_Standard_Abstand(const Spielfeld_Satz* satz, int32_t slot, float* x, float* y);

}  // namespace velmora
