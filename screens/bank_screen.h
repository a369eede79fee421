// screens/bank_screen.h - the bank screen: the club's running loans and the
// money it has lent out, and the application for a new loan, from the bank
// (which lends at once within the credit limit) or from another human
// manager's club (which receives a yes/no request in its news).
//
// The four inputs live in the manager's icon values 2500-2503, so they survive
// between visits and in the save game; they are clamped into their ranges
// whenever the screen opens.
#pragma once
#include <cstdint>

#include "business/bank_kredit.h"

namespace velmora {

constexpr int32_t ICON_BANK_FENSTER = 2499;
constexpr int32_t ICON_BANK_GEBER = 2500;     // value: 0 the bank, else the lending club
constexpr int32_t ICON_BANK_BETRAG = 2501;
constexpr int32_t ICON_BANK_LAUFZEIT = 2502;
constexpr int32_t ICON_BANK_ZINS = 2503;
constexpr int32_t ICON_BANK_ANTRAG = 2504;
constexpr const char* BANK_TEXTE = "BANK_SCREEN";
constexpr const char* BANK_HILFE_TEXTE = "ZUSATZTEXTE_TROBE";

constexpr int32_t BANK_BETRAG_MIN = 100000, BANK_BETRAG_MAX = 12000000, BANK_BETRAG_SCHRITT = 100000;
constexpr int32_t BANK_LAUFZEIT_MIN = BANK_KREDIT_LAUFZEIT_MIN, BANK_LAUFZEIT_MAX = BANK_KREDIT_LAUFZEIT_MAX;
constexpr int32_t BANK_ZINS_MIN = 1, BANK_ZINS_MAX = 100;
constexpr int32_t BANK_ANFRAGE_ART = 5;          // the request kind of a loan between clubs
constexpr int32_t BANK_ANFRAGE_FRIST = 40;       // days the lender has to answer

// Panel button 704, entry 0: nothing when the screen is open.
void Bank_Screen_Oeffnen();
void Bank_Screen_Schliessen();

// The inputs as the screen holds them (meaningful while it is open).
struct BankEingaben {
    int32_t geber = 0, betrag = 0, laufzeit = 0, zins = 0;
};
BankEingaben Bank_Screen_Eingaben();
// The spinner step of a click `dx` pixels right of a spinner's left edge: -10, -1, 1 or 10.
int32_t Bank_Screen_Schritt(int32_t dx);

}  // namespace velmora
