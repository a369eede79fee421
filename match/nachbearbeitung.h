// match/nachbearbeitung.h - after a competition's match day: appearances, form
// and the statistics game of every player who took part.
#pragma once
#include <cstdint>

namespace velmora {

// Runs over every game of the competition in today's table, live or diced. A
// cancelled game and a game without result change nothing. Per side the
// nominated players are the live record's slots with role byte 143 set, or,
// without a live record, the starters and the bench; a player played when his
// slot's byte 18 is set, or, without a live record, when he started.
void Spielfeld_Nachbearbeitung(int32_t wettbewerb);

// After each match of a club: every goal it scored (own goals not) goes into
// its scorer's statistics. A game computed live is left out: its goals were
// entered as they fell. The players' games are entered once, by the
// competition's pass above.
void Spielfeld_Tore_Eintragen(int32_t team, int32_t spiel);

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
