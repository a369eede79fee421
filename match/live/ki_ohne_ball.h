// match/live/ki_ohne_ball.h - what the two behaviours of the players without the
// ball share: the working fields of the record they read and write, where a
// player meets the ball, the run the decision ends in (target, speed,
// priority) and the order that carries it out.
//
// Priorities rank the rules of a decision: 0 none (no order), 1 a small step,
// 50 zone, 60-80 marking and support, 90 a chase, 100 the ball or the box,
// 101 a set-piece position nothing may override.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr float OHNE_BALL_KMH = 27.7778f;   // km/h to cm/s
constexpr float OHNE_BALL_SCHRITT = 111.11f;   // 4 km/h: the last few cm to a target
constexpr float OHNE_BALL_ANSTOSS_LAUF = 0.5f;  // s: a run clear of the kick-off circle before the next decision

// Working fields of the record: the offside line (distance of the defending
// side's second-last player from its goal line, at most 5400), the pass
// receiver's meeting distance (-1 none), each side's runner to the ball (-1
// none) and the offside trap (running while non-zero).
float Ohne_Ball_Abseitslinie(const Spielfeld_Satz* satz);
float Ohne_Ball_Empfaenger_Zeit(const Spielfeld_Satz* satz);
void Ohne_Ball_Empfaenger_Zeit_Setzen(Spielfeld_Satz* satz, float t);
int32_t Ohne_Ball_Laeufer(const Spielfeld_Satz* satz, int32_t seite);
void Ohne_Ball_Laeufer_Setzen(Spielfeld_Satz* satz, int32_t seite, int32_t slot);

// The side's tactic bytes the decisions read: T1 pressing, T2 line height.
int32_t Ohne_Ball_T1(const Spielfeld_Satz* satz, int32_t seite);
int32_t Ohne_Ball_T2(const Spielfeld_Satz* satz, int32_t seite);

// A slot byte naming a player (marker, marked man): 0..33, anything else none (-1).
int32_t Ohne_Ball_Slot(uint8_t byte);

// Players of `seite` on the pitch within the square of half-side r around
// (x, y), the slot `ohne` left out.
int32_t Ohne_Ball_Zaehlen(const Spielfeld_Satz* satz, int32_t seite, float x, float y, float r, int32_t ohne);

// Where the player meets the ball (the shared interception of
// match/spielfeld_abfangen) when he runs at `tempo` and the ball is nearer
// than `grenze`: t his running distance to the point (-1 none), the point,
// the ball's height there and the speed at which he arrives in time. A ball
// at another player's feet has none (he is tackled or chased instead).
struct Ohne_Ball_Treffen {
    int32_t t = -1;
    float x = 0, y = 0, h = 0;
    float tempo = 0;
};
Ohne_Ball_Treffen Ohne_Ball_Treffpunkt(Spielfeld_Satz* satz, int32_t slot, float tempo, float grenze);

// The run a decision ends in.
struct Ohne_Ball_Ziel {
    float x, y;          // target
    float tempo;         // cm/s; 0 stands
    bool tempo_gesetzt;  // a rule chose a speed
    int32_t anim;        // ANIM_LAUF_NACH_TEMPO or an action row
    int32_t p;           // priority, 0 none
    float reaktion;      // reaction delay written at the end
    int32_t wiederholung;   // -1 runs until told otherwise, 1 an action played once
};

// A run to (x, y) at `tempo` with priority p.
void Ohne_Ball_Laufen(Ohne_Ball_Ziel& z, float x, float y, float tempo, int32_t p);
// (x, y) inside the player's zone (edges included).
bool Ohne_Ball_In_Zone(const Spieler_Matchsatz& sm, float x, float y);

// The play-state rules both sides share. Throw-in and corner: a player
// between `nah` and `fern` from the ball does not move; when he runs and his
// target (with `auch_er` also he himself) lies within `radius` of the ball he
// goes to a free point `radius` from it (`hinten`: on his own goal's side) at
// 60 % of v, priority p_neu, reaction 0.
void Ohne_Ball_Abstand_Halten(Spielfeld_Satz* satz, int32_t slot, float v, float nah, float fern, float radius,
                              bool hinten, int32_t p_neu, bool auch_er, Ohne_Ball_Ziel& z);
// Free kick: a player 915 cm or more from the ball stops where he is; a nearer
// one goes to a free point 915 cm away at `anteil` of v, priority 101.
void Ohne_Ball_Freistoss(Spielfeld_Satz* satz, int32_t slot, float v, float anteil, Ohne_Ball_Ziel& z);
// Shoot-out: everybody gathers in the centre circle, in its half away from
// the kick (Ohne_Ball_Kreis_Abseits).
void Ohne_Ball_Elfmeterschiessen(Spielfeld_Satz* satz, int32_t slot, float v, Ohne_Ball_Ziel& z);
// The x of a waiting place in the centre circle during a shoot-out, moved to
// the circle's half away from the ball: the taker waits while two players
// stand between the centre line and 1000 cm from it towards the spot, and a
// circle full of players on that side would keep every kick waiting until
// its time ran out. A point on the far half keeps its x; one on the ball's
// side is mirrored across the centre line (the same draws, still in the circle).
float Ohne_Ball_Kreis_Abseits(const Spielfeld_Satz* satz, float x);
// Kick-off: a target in the opponents' half becomes (5400, his y) when he
// stands there, else his own position; one within 950 cm of the ball goes to
// a free point 950 cm away when he stands that near or in the opponents' half
// (or `immer`), else he does not move.
void Ohne_Ball_Anstoss(Spielfeld_Satz* satz, int32_t slot, float v, bool immer, Ohne_Ball_Ziel& z);
// Goal kick and penalty: a target inside the penalty area of the ball's half
// moves to the area's front line at his own y.
void Ohne_Ball_Strafraum_Raeumen(const Spielfeld_Satz* satz, int32_t slot, float v, Ohne_Ball_Ziel& z);

// The box position at free kicks and corners in front of the goal line gx
// (dir points from it into the pitch): 800-1800 cm out, y 1603-5203.
void Ohne_Ball_Strafraum_Position(float gx, float dir, float v, Ohne_Ball_Ziel& z);

// Gives the order of a decision with p != 0 (the target kept on the pitch
// and, at a stoppage other than the shoot-out, clear of the restart's
// distances; within 50 cm a walk of 4 km/h, within 10 cm a stand), writes
// the reaction delay and clears decide-now.
void Ohne_Ball_Befehl(Spielfeld_Satz* satz, int32_t slot, Ohne_Ball_Ziel& z);

}  // namespace velmora
