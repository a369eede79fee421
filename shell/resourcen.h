// shell/resourcen.h - the list of resource files, the intro player and buffer packing.
//
// The 22 resource files are opened at start-up and named by their index
// everywhere (2 trophy pictures, 7 kit pictures, 8 crests, 10 the fonts, 18
// portrait parts, 21 menu sounds). Each name can be overridden by the setting
// "res_%d"; an empty setting is filled with the default name.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

constexpr int32_t RESOURCEN_ANZAHL = 22;
constexpr int32_t RES_FONTS = 10;

// The default file name of list entry `index`, or null.
const char* Resourcen_Standardname(int32_t index);
// Opens the list once (a second call while it is open does nothing); 1 ok,
// 0 when a file cannot be opened (after the message "Fehler: %s\\%s %i" and
// with everything closed again).
int32_t Resourcen_Oeffnen();
void Resourcen_Schliessen();
// Whether every file of the list opens, checked before the program starts:
// "" when they do, else one line naming the first that does not with the
// system's path and why ("missing", "unreadable", "not a resource file").
std::string Resourcen_Fehler();
// The slot handle of list entry `index` for Res_Load, -1 when not open.
int32_t Resourcen_Slot(int32_t index);

// Starts an external program from the installation directory and waits for it
// to end; false when it cannot be started.
bool Extern_Starten_Und_Warten(const char* programm, const char* parameter, bool warten);
// The intro and outro player "intro.exe" of the installation directory, with
// the files named by "res_23" to "res_25" (intro) and "res_22" (outro).
bool Intro_Abspielen();
bool Outro_Abspielen();

}  // namespace velmora
