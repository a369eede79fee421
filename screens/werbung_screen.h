// screens/werbung_screen.h - the advertising screen: the club's nine places
// with their sponsors, values and remaining matches, the replacement
// partner's payments, the pending offer to accept, the agency to hire for a
// fresh one, and automatic filling. The rules are the advertising module's;
// on a client each action is its remote call.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_WERBUNG_FENSTER = 1734;
constexpr int32_t ICON_WERBUNG_ANNEHMEN = 1735;
constexpr int32_t ICON_WERBUNG_AGENTUR = 1736;
constexpr int32_t ICON_WERBUNG_AUTOMATIK = 1737;   // its icon value mirrors the switch
constexpr const char* WERBUNG_TEXTE = "WERBUNG_SCREEN";

// Panel button 704, entry 1: nothing when the screen is open.
void Werbung_Screen_Oeffnen();
void Werbung_Screen_Schliessen();
// Whether the agency's button takes clicks (it rests while the agency's news
// is on its way and after the strain's last step).
bool Werbung_Screen_Agentur_Frei();

}  // namespace velmora
