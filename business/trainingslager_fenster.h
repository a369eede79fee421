// business/trainingslager_fenster.h - the window in which a booked camp runs
// (business/trainingslager_lauf.h): the camp's film, its name, the three bars
// (morale, recovery, strength), the news lines, the exhaustion warning and
// the button that ends the camp; after it the results list of the squad.
// The window's drawing procedure drives the run (Lager_Frame); what the run
// reports through LagerHooks::anzeige becomes film, samples and windows here.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_LF_HINTERGRUND = 3606, ICON_LF_FENSTER = 3607, ICON_LF_ENDE = 3608, ICON_LF_ERGEBNIS = 3609;

// Shows the running camp's window, or the results while they are open
// (nothing when neither is, or when shown already).
void Lager_Fenster_Zeigen();
bool Lager_Fenster_Offen();
bool Lager_Ergebnis_Fenster_Offen();
// What the run reports (LagerHooks::anzeige, filled by the root).
void Lager_Fenster_Anzeige(int32_t was, int32_t wert);

}  // namespace velmora
