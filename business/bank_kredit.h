// business/bank_kredit.h - loans from the bank or between managers' clubs, the
// loan-rate table and the period close after each match of a club.
//
// A loan runs for a number of periods (one ends with each match of the club)
// and is paid back with interest when its countdown runs out. The bank keeps
// every loan as an item under the holding club: the borrower's item with a
// negative principal, and when a club lends, the lender's mirror item.
#pragma once
#include <cstdint>

#include "net/richter.h"

namespace velmora {

#pragma pack(push, 1)
struct alignas(4) Bank_Kredit_Posten {   // 24 bytes, stored raw in the save game
    int32_t partei;                // the other party (the lender id when the bank lends)
    float gesamt;                  // principal plus interest: negative on the borrower's item
    float betrag;                  // principal: negative for a loan, positive for money lent out
    int32_t perioden;              // periods remaining
    int32_t start_tag;             // the day the loan was made
    float zins;                    // percent per ten periods
};
#pragma pack(pop)
static_assert(sizeof(Bank_Kredit_Posten) == 24);

constexpr int32_t BANK_STUFEN = 7;
constexpr int32_t BANK_LAUFZEITEN[BANK_STUFEN] = {1, 3, 6, 12, 24, 36, 48};
// The terms the bank screen offers, in periods. A client's loan, and a loan a
// client asks of another club, with a term outside them is refused.
constexpr int32_t BANK_KREDIT_LAUFZEIT_MIN = 10, BANK_KREDIT_LAUFZEIT_MAX = 50;
constexpr float BANK_KREDITRAHMEN = 12000000.0f;   // what the bank lends a club at most
constexpr int32_t BANK_POSTEN_MAX = 4;              // a club with this many items gets no further loan
constexpr float BANK_KAPPUNG = 600000000.0f;        // balances above are taxed at the period close
constexpr float BANK_RUECKSETZEN = 700000000.0f;    // and above this set to 0
constexpr float BANK_STUETZE_GRENZE = 10000000.0f;  // level 0: poorer clubs get this much

// News flags of the bank's messages.
constexpr uint32_t BANK_NEWS_FLAGS = 4;
constexpr uint32_t BANK_NEWS_FLAGS_WICHTIG = 0x1004;

// Makes a loan of `betrag` for `laufzeit` periods from `verleiher` (-1 the
// bank) to `schuldner`. Rate -1 takes the table rate of the term. No deposits
// are offered: a deposit flag other than 0 is refused. False when refused
// (too many items, over the limit; the offer value then holds the limit).
bool Bank_Kredit(int32_t verleiher, int32_t schuldner, float betrag, int32_t laufzeit, uint8_t anlage, float zins,
                 int32_t verleiher_id);
// The request processor's part for a loan one manager's club asks of
// another's (request kind 5; header word 1 the borrower, 2 the lender, 3 the
// deadline, 4 the amount, 5 the rate in per cent per ten periods, 6 the term,
// 9 the answer). A yes before the deadline books the loan from the lender's
// money and tells the borrower; a no, a yes the bank refuses, and a request
// left unanswered until its deadline are reported to the borrower as well.
void Bank_Kredit_Anfrage_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall);

// The period close of a club: its loans count down and fall due, balances above
// the cap are taxed, overdrafts pay interest and on the easiest level poor
// clubs get the support payment. Called when the club's period is booked.
void Bank_Periode_Schliessen(int32_t team);

// 12,000,000 minus the principals the club owes, at least 0.
float Bank_Kreditrahmen(int32_t team);
int32_t Bank_Anzahl_Posten(int32_t team);
// The club's items one by one: the cursor starts at 0; after the last item the
// result is null and the cursor 0 again.
const Bank_Kredit_Posten* Bank_Posten_Holen(int32_t team, int32_t* cursor);
bool Bank_Hat_Kredit(int32_t team);
// amount + term x (rate / 10) x amount / 100.
float Bank_Zins_Endbetrag(float betrag, int32_t laufzeit, float zins);
// The index of the largest term step not above the term.
int32_t Bank_Stufe(int32_t laufzeit);
// The loan rate of a term step (0 for a bad step or before the bank starts).
float Bank_Kreditzins(int32_t stufe);
// The bank screen's offer: what a refused loan could have been.
float Bank_Kredit_Angebot();

// Moves the loan rates once at random (1 in 10), from the game's random
// table seeded by the clock, and restores the table's index afterwards.
void Bank_Zinsen_Schwanken();

}  // namespace velmora
