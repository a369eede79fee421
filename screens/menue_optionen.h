// screens/menue_optionen.h - the option bar under a live match: display, pause,
// fast, the two result pages, substitutions, tactics, load, save and the
// tempo button. Each toggle's state is the local manager's icon state.
#pragma once
#include <cstdint>

namespace velmora {

struct s_icon;

constexpr int32_t ICON_OPTION_ERSTE = 716;   // 716 display .. 724 save
constexpr int32_t ICON_OPTION_PAUSE = 717;
constexpr int32_t ICON_OPTION_FAST = 718;
constexpr int32_t ICON_OPTION_SPIELER = 721;
constexpr int32_t ICON_OPTION_TEMPO = 725;
constexpr int32_t ICON_OPTION_LEISTE = 726;

// Each frame of the live-match screen: shows the bar unless it is shown or
// locked, and applies the stored states.
void Menue_Optionen_Screen();
void Menue_Optionen_Klick(s_icon* icon, int32_t ereignis);
void Menue_Optionen_Sperren(int32_t sperre);
int32_t Menue_Optionen_Gesperrt();
// Locks, then switches pause and the player list on.
void Menue_Optionen_Standard();
// Every state 0, everything cleared (the end of the day).
void Menue_Optionen_Zuruecksetzen();

}  // namespace velmora
