// business/bank_testing.h - a seam for tests of the bank's callers: every
// transfer the bank has made, as the caller asked for it.
#pragma once
#include <cstdint>

namespace velmora {

// Called after each transfer that moved money (Bank_Ueberweisung returned
// true on this machine); null stops the watching.
using BankUeberweisungsFaenger = void (*)(int32_t von, int32_t an, float betrag, uint8_t kategorie);
void Bank_Testing_Faenger_Setzen(BankUeberweisungsFaenger faenger);

}  // namespace velmora
