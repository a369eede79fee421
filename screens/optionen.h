// screens/optionen.h - the options screen: a scrolled list of the game's
// options under three headings. A click switches an option; the time-limit
// row steps a turn's limit by a minute up to ten and back to off; the network
// row makes this machine the server of a network game or ends that.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_OPTIONEN_BALKEN = 1744;
constexpr int32_t ICON_OPTIONEN_KNAUF = 1745;    // its icon value: the knob's y
constexpr int32_t ICON_OPTIONEN_FENSTER = 1746;
constexpr int32_t ICON_OPTIONEN_SCHLIESSEN = 1747;
constexpr int32_t ICON_OPTIONEN_FAENGER = 1748;
constexpr const char* OPTIONEN_TEXTE = "OPTIONEN_SCREEN";

constexpr int32_t OPTIONEN_ZEILEN = 20, OPTIONEN_SICHTBAR = 10;
constexpr int32_t OPTIONEN_ZEITLIMIT_SCHRITT = 60000, OPTIONEN_ZEITLIMIT_MAX = 600000;
constexpr int32_t OPTIONEN_SERVER_AN = 3;

// Panel button 705, entry 2 (and the option bar's icon): nothing when open.
void Optionen_Screen_Oeffnen();
void Optionen_Screen_Schliessen();
// The first row shown.
int32_t Optionen_Screen_Versatz();
// The option of a list row, -1 for a heading or an empty row or a row past the list.
int32_t Optionen_Zeile_Option(int32_t zeile);

// Makes this machine the server of a network game for the manager of `team`:
// true when it listens; otherwise the machine stays single and the manager
// hears why. Ends it again (every network club a local one once more).
bool Optionen_Server_Starten(int32_t team);
void Optionen_Server_Beenden();

}  // namespace velmora
