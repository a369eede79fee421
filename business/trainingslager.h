// business/trainingslager.h - training camp booking: a human manager sends his
// whole squad to one of eight camps, at most as often as his camps left this
// season allow (manager value 308, set to 2 on the season change day).
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t TL_LAGER = 8;                 // the camps on offer
constexpr int32_t TL_BLAETTERN_MS = 300;        // browsing acts only after more than this

// Results of Trainingslager_Buchen.
constexpr int32_t TL_GEBUCHT = 0;               // paid; the camp runs
constexpr int32_t TL_KEINE_MEHR = 1;            // no camps left this season (the manager is told)
constexpr int32_t TL_ABGELEHNT = 2;             // the bank refused the payment
constexpr int32_t TL_FEHLER = -1;               // no local club, no such camp, or a camp runs

// The message when no camp is left this season.
extern const char* const TL_TEXT_KEINE_MEHR;

// Books camp `lager` (0..7) for the local human club: charges its price
// (Trainingslager_Kosten, BUCHUNG_TRAINING, may be refused), counts one camp
// off the season's allowance and starts the camp run at `jetzt`.
int32_t Trainingslager_Buchen(int32_t lager, uint32_t jetzt);
// The camps the local club may still book this season (0 without a manager).
int32_t Trainingslager_Uebrig();

// The booking page's selection, kept for the program run: the remembered camp
// (0 when none was remembered); browse -1 back or +1 forward, wrapping around
// the eight camps, only when more than 300 ms passed since the last step.
int32_t Trainingslager_Oeffnen();
int32_t Trainingslager_Auswahl();
// The selection as at the program's start (camp 0, no browse step yet).
void Trainingslager_Auswahl_Zuruecksetzen();
bool Trainingslager_Blaettern(int32_t richtung, uint32_t jetzt);
// The width of a camp bar (morale, recovery, strength) on the booking page:
// value x 179 / 100 to the nearest integer, 179 from 100 on, 0 below 0.
int32_t Trainingslager_Balken_Breite(int32_t wert);

}  // namespace velmora
