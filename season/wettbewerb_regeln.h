// season/wettbewerb_regeln.h - what the match day asks the competition rules:
// periods and their end minutes, the final whistle, extra time, shoot-outs,
// importance and stakes, and the point bonus.
//
// Periods: 0 and 1 the halves of SPIELZEIT minutes, 2 and 3 the halves of
// extra time in a knock-out competition with VERLAENGERUNG, then the
// shoot-out as a last period where ELFMETERSCHIESSEN is set.
#pragma once
#include <cstdint>

namespace velmora {

// Answers of Wettbewerb_Abpfiff_Pruefen.
constexpr int32_t ABPFIFF_WEITER = 2;
constexpr int32_t ABPFIFF_ABSCHNITT = 4;
constexpr int32_t ABPFIFF_SPIELENDE = 8;

int32_t Wettbewerb_Anz_Spielabschnitte(int32_t wettbewerb);
int32_t Wettbewerb_Spielzeit(int32_t wettbewerb, int32_t);
// The end minute of `abschnitt` once `minute` has reached it, else -1.
int32_t Wettbewerb_Halbzeit_Ende(int32_t wettbewerb, int32_t minute, int32_t abschnitt);
// True in extra time of a competition with golden goal.
bool Wettbewerb_Ist_Sudden_Death(int32_t wettbewerb, int32_t abschnitt);
// 2 play on, 4 end of the period, 8 end of the match (the match day then asks
// whether the pairing has a winner); `erzwingen` ends the period now.
int32_t Wettbewerb_Abpfiff_Pruefen(int32_t wettbewerb, int32_t minute, int32_t abschnitt, int32_t erzwingen,
                                   int32_t sofort);
// True when the last leg of the pairing is level after the periods played
// (extra time, if any, included) and the competition has a shoot-out.
bool Wettbewerb_Elfmeterschiessen_Noetig(int32_t wettbewerb, int32_t runde, int32_t paarung, int32_t minute,
                                         int32_t abschnitt, int32_t, int32_t, int32_t);
// Importance 0-100 of the competition's games in a round (-1: the current one).
int32_t Wettbewerb_Spiel_Wichtigkeit(int32_t wettbewerb, int32_t runde);
// The stake of each club in percent (80 by default; 100 for clubs fighting
// for the title, promotion, qualification or against relegation, and for
// knock-out ties from the semi-finals on; 20 in friendlies).
void Wettbewerb_Spiel_Bedeutung_Teams(int32_t wettbewerb, const int32_t* teams, int32_t* out, int32_t anzahl);
// Pays the competition's point bonus: 3 points for a win (1), 1 for a draw
// (0), through the bank hook. The amount paid.
int32_t Wettbewerb_Zahle_Punkt_U(int32_t wettbewerb, int32_t team, int32_t sieg);
// The computer managers' tactics in a live match at a minute change: hands
// the match record to the hook that changes them (WettbewerbHooks::ki_taktik)
// with the minute and the competition's playing time.
void Wettbewerb_KI_Taktik_Anpassen(int32_t wettbewerb, int32_t heim, int32_t gast, int32_t team0, int32_t team1,
                                   int32_t minute, int32_t spielzeit, void* satz);

}  // namespace velmora
