// match/day/nachbearbeitung.h - the players' match grades, and after a
// competition's match day: appearances, form, the statistics game of every
// player who took part, the team of the round and the fine-donation news.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr int32_t ELF_DER_RUNDE = 11;   // goalkeeper 0, defenders 1-3, midfielders 4-7, forwards 8-10

// The grade of a live-simulated player from his statistics counters, on the
// school scale 10 (best) to 60 in steps of 5; the thresholds move with the
// record's time factor. -1 when the match module is not running, the
// arguments are bad (with a debug line) or the player has no statistics
// (no pass, duel, shot, ball won, and for a keeper no save or shot faced).
// `punkte` (optional) gets the raw score 0-100, higher better; 0 first. The
// grade is kept in the record's grade array.
int32_t Spielfeld_Get_Spielernote(Spielfeld_Satz* satz, int32_t slot, float* punkte);

// The team of the round the last after-match pass built for a competition:
// per position the player (-1 none) and his score. False when the pass saw
// no live game of the competition.
bool Spielfeld_Elf_Der_Runde(int32_t wettbewerb, int32_t spieler[ELF_DER_RUNDE], float punkte[ELF_DER_RUNDE]);

// The fine-donation news of one side of a finished live match: sent when the
// side's fine rate is set and it lost; `spieler` the number of its players
// who played. True when sent.
bool Spielfeld_Strafe_Spende_News(const Spielfeld_Satz* satz, int32_t seite, int32_t spieler);

// Runs over every game of the competition in today's table, live or diced. A
// cancelled game and a game without result change nothing. Per side the
// nominated players are the live record's slots with role byte 143 set, or,
// without a live record, the starters and the bench; a player played when his
// slot's minutes counter (byte 18) is set, or, without a live record, when he
// started. A live record also gives each player's grade for the form step
// (40 without one), his minutes and his grade to his statistics game, value
// 15 its rise, the competition's team of the round (built afresh) and the
// fine-donation news of a side that lost.
void Spielfeld_Nachbearbeitung(int32_t wettbewerb);

// After each match of a club: every goal it scored (own goals not) goes into
// its scorer's statistics, the goal's second player's assist into his, and
// every card of its players into the carded player's: a booking as a booking,
// a second booking or a red card as a sending-off. A game computed live is
// left out: its goals, assists and cards were entered as they fell. The
// players' games are entered once, by the competition's pass above.
void Spielfeld_Ereignisse_Eintragen(int32_t team, int32_t spiel);

// Resets the player's appearances in a row (value 56) to 0.
void Spielfeld_Spieler_Wert56(int32_t spieler);

// One more appearance in a row (at most 9); with a chance of one in
// 31 - 3 x difficulty (4 less on difficulty 4) a minor injury (kind 4),
// never for a player with attribute 32.
void Spielfeld_Einsatz_Zaehlen(int32_t team, int32_t spieler);

// The form (value 57) after a match with the given grade (10 best, 60 worst;
// 40 without a rating): 50 towards 500, then the random steps of very good
// and very bad grades; each step kept within 0-999.
void Spielfeld_Form_Nach_Note(int32_t spieler, int32_t note);

}  // namespace velmora
