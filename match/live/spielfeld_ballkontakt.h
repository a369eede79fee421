// match/live/spielfeld_ballkontakt.h - who touches the ball this frame.
//
// Once per frame of a live match, after the figures moved: the picture of
// the ball (nearest player of each side, offside line, foremost attacker),
// then for every player on the pitch whether the ball is within his reach and
// whether he takes it, wins it from the holder, controls it, deflects it,
// saves it or misses it; the wake-ups of players who must react and the
// crowd's excitement every fourth frame. The duels (spielfeld_zweikampf) run
// after it on the same list of players.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// The players on the pitch this frame, in slot order, and each one's distance
// to the ball (10800 for a player whose state is not exactly "on the pitch").
struct Ballkontakt_Liste {
    int32_t anzahl = 0;
    int8_t slot[SF_SPIELER] = {};
    float abstand[SF_SPIELER] = {};
};

// The bookkeeping pass, the contact pass, the wake-ups and the crowd step.
// Fills `liste` for the duels.
void Spielfeld_Ballkontakt(Spielfeld_Satz* satz, Ballkontakt_Liste* liste);

// The holder's keep chance per 1700 in a contest: vh, vc the holder's and
// challenger's values after their adjustments, basis_c_groesser when the
// challenger's base value exceeded the holder's, t the time factor.
int32_t Ballkontakt_Haltechance(int32_t vh, int32_t vc, bool basis_c_groesser, float t);

// The special-ability sum of a contest: positive, the holder keeps the ball;
// negative, he loses it. Draws Rnd only for the challenger's byte 186.
int32_t Ballkontakt_Faehigkeiten(const Spieler_Matchsatz& halter, const Spieler_Matchsatz& p);

// The contact radius of a field player or keeper before his animation's reach
// applies: 6 for a player of the side without the ball during a set piece,
// 60 / (touches + 1) for a fast ball or the holder's opponent once the holder
// touched it, else 60.
float Ballkontakt_Radius(const Spielfeld_Satz* satz, int32_t slot);

// A player's match strength on the scale of his match values: the median of
// his 37 values (his base strength +64 is kept before the team factor, the
// values after it, so the two do not compare).
int32_t Spieler_Matchstaerke(const Spieler_Matchsatz& sm);

// A debug block about a figure (32: the ball) to the debug sink.
void Spielfeld_Debug_Info(Spielfeld_Satz* satz, int32_t figur);

// The ball lock-out of a figure (+44, ms; while not 0 he cannot take the ball).
float Figur_Ballsperre(const Figur& f);
void Figur_Ballsperre_Setzen(Figur* f, float ms);

}  // namespace velmora
