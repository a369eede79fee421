// business/finanzen.h - the balance sheet of one period of a club: four
// income rows and seven cost rows summed from the bank's categories, their
// totals, and the match that closed the period. The finance screen and the
// finance page after a match show it.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t FINANZ_ZEILEN = 11;
constexpr int32_t FINANZ_EINNAHME_ZEILEN = 4;   // rows 0-3 income, 4-10 costs
constexpr const char* FINANZ_TEXTE = "FINANZ_SCREEN";

// One row of the sheet: its label (a text of FINANZ_SCREEN), the bank's
// category, and whether it is income.
struct FinanzZeile {
    int32_t text;
    uint8_t kategorie;
    bool einnahme;
};
extern const FinanzZeile FINANZ_TABELLE[FINANZ_ZEILEN];

struct FinanzWerte {
    int32_t wert[FINANZ_ZEILEN] = {};   // whole amounts, costs positive
    int32_t einnahmen = 0, ausgaben = 0;
    // The match of the period: both teams (-1 unknown), the goals (home -1:
    // none recorded) and the crowd.
    int32_t heim = -1, gast = -1, tore_heim = -1, tore_gast = 0, zuschauer = 0;
};

// The sheet of `team` for the period `versatz` (0 the open one, -1 the last
// closed one, ...). When the period recorded no match, the teams are the club
// and its next opponent (the club first unless it plays away) and the home
// goals -1.
void Finanz_Werte_Berechnen(int32_t team, int32_t versatz, FinanzWerte* out);
// The row's label: its screen text, or the built-in German one when missing.
const char* Finanz_Zeile_Text(int32_t zeile);

}  // namespace velmora
