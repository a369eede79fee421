// business/angebot.h - requests about a player (request kind 12): a computer
// club's offer for a player of a human manager's club, and a player's request
// to extend his contract; their answers and their end when the player leaves.
//
// Header of such a request (the request layout of business/news_anfrage.h):
// word 1 the human manager's club, 2 the offering club (-1 for an extension),
// 3 the deadline, 4 the player, 5 the player the offering club gives in
// exchange (-1 for an extension), 6 the price (the extension's cost), 7 what
// it is (ANGEBOT_KAUF or ANGEBOT_VERLAENGERUNG), 8 the exchanged player's
// proceeds the offer names (0 for an extension), 9 the answer.
//
// The answers are acted on where the game is held, from the stored request
// (a client names only the request and its answer), and every value of the
// header is checked again: the player must still be with the club, the
// offering club a computer club holding the exchanged player of his kind.
#pragma once
#include <cstdint>

#include "net/richter.h"

namespace velmora {

constexpr int32_t ANGEBOT_KAUF = 0;
constexpr int32_t ANGEBOT_VERLAENGERUNG = 1;
constexpr int32_t ANGEBOT_FRIST = 7;               // days an offer stands
constexpr int32_t VERLAENGERUNG_FRIST = 14;        // days an extension request stands
constexpr int32_t VERLAENGERUNG_CHANCE = 20;       // a player asks with chance 1 in 20 a season

// The cost of extending the player's contract: a season's salary times
// FAKTOR_0_100_VERLAENGERUNG_KOSTEN x 1.4 / 100, rounded down to 10,000.
int32_t Angebot_Verlaengerung_Kosten(int32_t spieler);

// A computer club near the human manager's club (the partner rule of the
// computer clubs' rounds) offers the demand of one of his players and its own
// weakest player of that kind in exchange, when it can pay. None while an
// offer to the club is still open. True when the offer went out.
bool Angebot_Machen(int32_t mensch);

// The season update: each player of a normal club asks for an extension with
// chance 1 in VERLAENGERUNG_CHANCE. A computer club agrees when it can pay
// (category 26), else the player's morale drops by one; a human manager is
// asked.
void Angebot_Verlaengerungen();

// The request processor's handler of kind 12. A yes to an offer sells the
// player through the transfer execution at the offered price and proceeds (an
// offer stored without proceeds books the exchanged player's of the day); a yes to an
// extension pays its cost (26). A no declines: an extension refused costs the
// player one step of morale. An expired request is only dropped.
void Angebot_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall);

// A player left his club: the open requests about him (or offering him in
// exchange) go with him.
void Angebot_Spieler_Gegangen(int32_t spieler, int32_t team);

}  // namespace velmora
