// screens/finanzen.h - the finance screen: the balance sheet of one period of
// the club whose manager has the turn (a period ends with each match of the
// club): four income rows and seven cost rows with their shares, the totals,
// the result with a profit or loss picture, and the match that closed the
// period. Two buttons step through the periods that still have bookings.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_FINANZ_FENSTER = 1731;
constexpr int32_t ICON_FINANZ_ZURUECK = 1732;
constexpr int32_t ICON_FINANZ_VOR = 1733;
constexpr const char* FINANZ_TEXTE = "FINANZ_SCREEN";

constexpr int32_t FINANZ_ZEILEN = 11;          // rows 0-3 income, 4-10 costs
constexpr int32_t FINANZ_EINNAHME_ZEILEN = 4;

// One period's sheet: each row's amount (the category's sum, costs positive),
// and the match that closed the period. Without a recorded match the teams
// are the club and its current opponent (the club first unless it plays
// away) and `tore_heim` is -1.
struct FinanzWerte {
    int32_t wert[FINANZ_ZEILEN] = {};
    int32_t heim = -1, gast = -1;
    int32_t tore_heim = -1, tore_gast = 0, zuschauer = 0;
};

// The booking category of a row (income rows as asked for, with the income bit).
uint8_t Finanz_Zeile_Kategorie(int32_t zeile);
// The row's label (its FINANZ_SCREEN text; "" when missing), for the finance page after a match.
const char* Finanz_Zeile_Text(int32_t zeile);
// Computes the sheet of `team` for the period `versatz` (0 the open one, -1
// the last closed one). `gegner` and `auswaerts` name the current match,
// shown when the period recorded none.
FinanzWerte Finanz_Werte_Berechnen(int32_t team, int32_t versatz, int32_t gegner, bool auswaerts);

// Panel button 704, entry 3: nothing when the screen is open; otherwise it
// clears the work area and shows the last closed period (the open one when
// that has no bookings).
void Finanz_Screen_Oeffnen();
void Finanz_Screen_Schliessen();
// The period shown (meaningful while the screen is open).
int32_t Finanz_Screen_Versatz();

}  // namespace velmora
