// business/bank_intern.h - what the bank's loan and remote-call files share
// with the accounts: the bank's state lives in bank.cpp, these reach it.
// Not for modules outside the bank.
#pragma once
#include <cstdint>
#include <string>

#include "business/bank.h"
#include "core/liste.h"

namespace velmora {

// Null while the bank is not initialised.
Bank_Global* Bank_Intern_Global();
Bank_Konto* Bank_Intern_Konto(int32_t team);
Listen_Element* Bank_Intern_Kredite();
Listen_Element* Bank_Intern_Zweite_Liste();
float* Bank_Intern_Waehrungen();     // the three currency factors
// Logs "Bank muß initialisiert werden" and returns false when not initialised.
bool Bank_Intern_Bereit(const char* wer);
bool Bank_Intern_Team_Gueltig(int32_t team);

// A text of the finance screen, or `ersatz` when the screen texts lack it.
const char* Bank_Intern_Text(int32_t nummer, const char* ersatz);
// A news item through the bank's hook (logged when the news are missing).
void Bank_Intern_News(int32_t team, uint32_t flags, const std::string& text);
// The team whose manager has the turn on this machine.
int32_t Bank_Intern_Am_Zug();

// The period close and the loan rates' movement (bank_kredit.cpp).
void Bank_Periode_Schliessen(int32_t team);
void Bank_Zinsen_Schwanken();
// The client's side of transfers and loans (bank_netz.cpp).
bool Bank_Client_Ueberweisung(int32_t von, int32_t an, float betrag, uint8_t kategorie, int8_t zwingend,
                              int32_t waehrung);
bool Bank_Client_Kredit(float betrag, int32_t verleiher, int32_t schuldner, int32_t laufzeit);
// Marks the client's booking copy stale / clears both client flags.
void Bank_Client_Flags_Loeschen();

}  // namespace velmora
