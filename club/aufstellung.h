// club/aufstellung.h - line-ups: slots, status bits and cells of a club's
// players, the automatic line-up of the assistant, swaps, shirt numbers and the
// formation line values the match reads.
//
// Line-up slot (player value 87): 0-10 the starting eleven in descending order
// of 10 x row + column of their cells (the goalkeeper slot 10), 11-16 the
// bench, 17-19 the reserve. Status bit 16 marks an available starter, 32 an
// available substitute; a player with any bit of 0x7c0 is not available.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t SLOT_STARTELF = 11;     // slots 0-10
constexpr int32_t SLOT_BANK_ENDE = 17;    // slots 11-16
constexpr int32_t SLOT_TORWART = 10;

// The assistant's automatic line-up (slots, cells and status bits of all the
// club's players; for a club without a human manager also its formation).
// Returns the number of starters: 11, fewer when the club has fewer than 11
// available players or fewer than 10 available field players (a log line says
// so), -1 when refused (a bad club, or on a
// client another club's). The rule is written at the top of aufstellung.cpp.
int32_t Team_Auto_Aufstellung(int32_t club);

// Check mode of the automatic line-up: while on, every line-up on a machine
// that holds the records is first worked out the long way (each value read
// through the player functions, each built-in system searched on its own,
// the shirt numbers' order worked out, each player's line values asked for),
// then undone and worked out the usual way. A line-up counts as a difference
// when its decision (system, value, keeper, groups) or what it leaves in the
// records (the players' records and server data, the formation and its byte)
// differs; the line-ups that took the club's last search again (nothing the
// search reads had changed) are checked too. Switching it on clears the counts.
struct AufstellungPruefung {
    int64_t aufstellungen = 0;
    int64_t abweichungen = 0;
    int64_t wiederverwendet = 0;   // line-ups whose search was skipped
};
void Aufstellung_Pruefen_Setzen(bool an);
AufstellungPruefung Aufstellung_Pruefung();

// Completes a line-up before a match or a screen: a club without manager gets
// the automatic line-up unless exactly 11 available starters and 6 available
// substitutes are set; a manager's club with the assistant flag gets the
// automatic line-up; otherwise every player in slots 0-16 gets status 16
// (0-10) or 32 (11-16) when available, the others lose both. Refused on a
// client for another club ("Check_Und_Set_Aa: CLIENT-WRITE!").
bool Check_Und_Set_Aa(int32_t club);

// The assistant's work against an opponent: every opponent player's partner
// (value 101) becomes -1; with percent above 0 up to percent / 20 opponent
// players whose strength exceeds twice the opponent's average are paired with
// the club's available starting defenders, strongest with strongest. Nothing
// happens when the opponent is -1 or has no players. Returns the pairs made.
// With `paare_behalten` nothing is cleared first: the match start clears both
// squads once (Assi_Paare_Loeschen) and the two sides' calls keep each
// other's pairs.
int32_t Assi_Mannschaftsaufstellung(int32_t club, int32_t gegner, int32_t prozent, bool paare_behalten = false);
// Value 101 of every player of the club becomes -1.
void Assi_Paare_Loeschen(int32_t club);

// Moves a starter to a cell: the cell of his slot in the club's current
// formation becomes (column, row), then the starters are re-sorted by cell and
// their slots renumbered 0-10 in that order. Refused (false, nothing changed)
// for a player outside the starting eleven, a cell outside the grid or held by
// another starter, the goalkeeper's cell for a field slot or a field cell for
// the goalkeeper's slot, and on a client for another club.
bool Spieler_Setze_Formationsposition(int32_t spieler, int32_t spalte, int32_t reihe);

// Swaps the line-up slots of two players of one club; each gets the status
// of his new slot (16 starters, 32 bench, none for the reserve or an
// unavailable player) and, as a starter, the cell of his slot. Refused with a
// message to the manager when an unavailable player would enter the starting
// eleven; refused for players of different clubs and on a client for another
// club ("Spieler_Tauschen_Intern: CLIENT-WRITE!").
bool Spieler_Tauschen_Intern(int32_t spieler1, int32_t spieler2, int32_t club1, int32_t club2);

// Gives every starter the cell of his slot in the current formation, and
// every player of the club without a shirt number of his own (0 or one a
// team-mate wears) the lowest free number, the goalkeeper 1 when it is free.
void Team_Rueckennummern(int32_t club);

// Refreshes the eight formation line values of the team's players from their
// cells (the match's line geometry, through the hook); `spieler` -1 for all
// of them, else only that one. Nothing for team -1.
void Team_Spieler_Positionen_Setzen(int32_t team, int32_t spieler);

// Makes the club's slots a sound line-up again after players came or went:
// every player a slot of his own, the vacant starting slots taken by the
// first available players from the bench and reserve, the rest numbered from
// 11 in their old order; status bits and cells follow the slots.
void Team_Aufstellung_Ordnen(int32_t club);

// Line-ups of a team (-1 all teams) after a build or a load: a sound current
// formation; a club without manager gets the assistant flag and the automatic
// line-up, as does a manager's club with the flag or without a sound line-up;
// then shirt numbers and formation line values.
void Team_Aufstellung_Initialisieren(int32_t team);

// After two players changed clubs (the exchange of the player lists is done,
// their slots are still the old clubs'): the incoming player takes the
// leaving one's slot, a club the assistant runs lines up anew, and a player
// who went to the transfer market loses his line-up marks.
void Team_Aufstellung_Nach_Wechsel(int32_t team, int32_t anderes, int32_t spieler, int32_t anderer);

// True when the club's line-up is sound: different slots 0-19, exactly the
// available players of slots 0-10 and 11-16 carrying status 16 and 32, every
// available field player of slots 0-10 in the cell of his slot. The first fault goes to the debug log.
bool Team_Aufstellung_Pruefen(int32_t club);

// The half stars a player loses at a line position: `linie_x` is the pitch
// x (0-10800, goals at both ends) he plays at; `gespiegelt` says his side
// plays mirrored, attacking towards x = 0 (its own goal at 10800) as the
// match's mirrored line values do. The pitch is cut into 11
// bands from his own goal: a goalkeeper loses nothing in the first band and 80 %
// of his strength (value 94) elsewhere; a field player loses 2 per step between
// his type (1 defender, 2 midfielder, 3 forward) and the band's class (bands
// 0-3 defence, 4-7 midfield, 8-10 attack). 0 for a bad player. The match
// subtracts it from his strength, the substitution panel draws its stars with it.
int32_t Spieler_Positionsstaerke(int32_t spieler, int32_t linie_x, bool gespiegelt);

}  // namespace velmora
