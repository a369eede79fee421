// club/formation.h - formations: the built-in systems, a club's current and
// stored formations, the line-up slot order of the cells and the tactics.
//
// A formation is 11 grid cells, column 0-6 across the pitch and row 0-10 along
// it: row 0 the goalkeeper's (always column 3, row 0), rows 1-3 defence, 4-7
// midfield, 8-10 attack. The starting eleven's slots follow the cells: slot k
// is the k-th cell in descending order of 10 x row + column, so the most
// advanced player has slot 0 and the goalkeeper slot 10.
#pragma once
#include <cstdint>

#include "club/team.h"

namespace velmora {

constexpr int32_t FORMATION_ZELLEN = 11;
constexpr int32_t FORMATION_SPALTEN = 7;
constexpr int32_t FORMATION_REIHEN = 11;
constexpr int32_t FORMATION_STANDARD_ANZAHL = 16;   // one built-in system per stored formation
constexpr int32_t FORMATION_TW_SPALTE = 3;

// The formation byte (team value 8): low bits the formation index, bit 128
// while the assistant sets the line-up.
constexpr int32_t FORMATION_BYTE_ASSI = 128;
constexpr int32_t FORMATION_BYTE_INDEX = 0x7f;

// Row groups of a cell.
constexpr int32_t GRUPPE_TOR = 0;
constexpr int32_t GRUPPE_ABWEHR = 1;
constexpr int32_t GRUPPE_MITTELFELD = 2;
constexpr int32_t GRUPPE_ANGRIFF = 3;

constexpr int32_t TAKTIK_BYTES = 7;

// The row group of a row (0 goal, 1 defence, 2 midfield, 3 attack); -1 outside 0-10.
int32_t Formation_Gruppe(int32_t reihe);
// The key that orders the starters: 10 x row + column.
inline int32_t Formation_Schluessel(int32_t spalte, int32_t reihe) { return 10 * reihe + spalte; }

// Built-in formation `index` (0..FORMATION_STANDARD_ANZAHL-1) into `out`;
// false (and `out` untouched) for a bad index.
bool Formation_Standard(int32_t index, Formation* out);
// Its name, "4-4-2" and so on; "" for a bad index.
const char* Formation_Name(int32_t index);

// True when the formation is sound: 11 different cells inside the grid, the
// first one the goalkeeper's cell (3, 0) and no other cell in row 0.
bool Formation_Pruefen(const Formation& f);
// The cell that line-up slot `slot` (0-10) occupies; false for a bad slot.
bool Formation_Zelle_Von_Slot(const Formation& f, int32_t slot, int32_t* spalte, int32_t* reihe);
// Cells per row group: out[0] attack, out[1] midfield, out[2] defence, out[3] goal.
void Formation_Gruppen_Zaehlen(const Formation& f, int32_t out[4]);

// The club's formation index (the low bits of its formation byte, 0 when they
// name no built-in formation) and its assistant flag.
int32_t Team_Formation_Index(int32_t team);
bool Team_Formation_Assi(int32_t team);
// Sets the formation index, keeping bit 128; the current formation becomes the
// built-in formation of that index. False for a bad team or index, or on a
// client for another club.
bool Team_Formation_Waehlen(int32_t team, int32_t index);

// Sets the default formation arrays of every team: its 16 stored formations
// the built-in ones and its current formation the built-in one of its index.
void Team_Formation_Standard();
// Resets the club's current formation to the built-in formation of the same
// index; refused on a client for another club ("...: CLIENT-WRITE!").
bool Trobe_Spieler_Formation_Zuruecksetzen(int32_t club);
// Clears bit 128 of the formation byte, keeping the formation index.
void Team_Formation_Flag_Loeschen(int32_t club);
// Cells of the club's current formation per row group into out[4] (out[2],
// out[1], out[0] are shown as defence - midfield - attack, out[3] the goal).
// Returns the number of cells counted (11 for a sound formation), 0 on error.
int32_t Formation_Zaehle_Reihen(int32_t team, int32_t out[4]);

// The club's current tactics t0..t6. t0, t1 and t3 are switches (0/1); t2 has
// 10 steps (0-9), t4 5 (0-4), t5 7 (0-6), t6 5 (0-4). The reader gives zeros
// for a bad club; the writer clamps every byte to its range (to the nearest
// bound) and is refused on a client for another club.
bool Team_Get_Aktuelle_Taktik(int32_t club, int8_t out[TAKTIK_BYTES]);
bool Team_Set_Aktuelle_Taktik(int32_t club, const int8_t taktik[TAKTIK_BYTES]);
// On a client: sends the club's current formation and tactics to the server
// (Team_Zeiger 704), after every change made here; nothing elsewhere.
void Team_Aufstellung_Senden(int32_t club);

// A new game's human club's tactics: the switches off and every bar at the
// step nearest the preset the computer sides play with (hardness 5 of 0-9,
// passing 2 of 0-4, orientation 3 of 0-6 "Ausgewogen", tempo 3 of 0-4), so
// that it neither starts on the lowest steps ("Mauern") nor tires otherwise
// than its computer opponent. Computer clubs keep their bytes at 0: their
// formation lines are drawn from the orientation byte (0, the deep lines).
inline constexpr int8_t TAKTIK_START[TAKTIK_BYTES] = {0, 0, 5, 0, 2, 3, 3};

// The highest value of tactic byte `i` (0-6), -1 for a bad index.
int32_t Taktik_Hoechstwert(int32_t i);

}  // namespace velmora
