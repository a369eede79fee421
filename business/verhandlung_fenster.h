// business/verhandlung_fenster.h - the negotiation window over the transfer
// screen: the bought player with his portrait, the seller's asking price and
// the manager's offer, the 30-second clock, the price bar, the money of the
// deal and the buttons (raise by 10,000 or 100,000, start the clock, leave,
// complete, the player card). Its drawing procedure runs the negotiation
// (Verhandlung_Takt) every frame; the buttons call business/verhandlung.h and
// the answers pick the message or question shown.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_VH_BRETT = 3346;
constexpr int32_t ICON_VH_PLUS_KLEIN = 3347;
constexpr int32_t ICON_VH_PLUS_GROSS = 3348;
constexpr int32_t ICON_VH_START = 3349;
constexpr int32_t ICON_VH_VERLASSEN = 3350;
constexpr int32_t ICON_VH_ABSCHLUSS = 3351;
constexpr int32_t ICON_VH_KARTE = 3352;
constexpr int32_t ICON_VH_RAHMEN = 3353;

// Shows the window for the open negotiation (nothing without one or when shown).
void Verhandlung_Fenster_Oeffnen();
// Takes the window off the screen; the negotiation stays as it is.
void Verhandlung_Fenster_Schliessen();
bool Verhandlung_Fenster_Offen();
// The buttons, as their procedures call them.
void Verhandlung_Fenster_Erhoehen(bool gross);
void Verhandlung_Fenster_Start();
void Verhandlung_Fenster_Verlassen();
void Verhandlung_Fenster_Abschluss();
// The price bar: the fill's width and the marker's x for the open negotiation
// (fill -1 and marker -1 when neither is shown yet).
void Verhandlung_Fenster_Balken(int32_t* fuellung, int32_t* marke_x);

}  // namespace velmora
