// business/talente_screen.h - the talents screen: a player's talents as a map
// of talent pictures (those he has framed, those he cannot learn greyed), with
// the name, description, price, prerequisites and effects of the talent under
// the pointer. For a player of the local human club (mode 0) a click on a
// talent he may learn starts its training unit. The player card opens it in
// four modes, the training screen in mode 0.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_TALENTE_FENSTER = 3414;
constexpr int32_t ICON_TALENTE_INFO = 3415;
constexpr int32_t ICON_TALENTE_SCHLIESSEN = 3416;
constexpr int32_t ICON_TALENTE_ERSTES = 3417;          // field talents 0-39: 3417-3456
constexpr int32_t ICON_TALENTE_ZURUECK = 3457;
constexpr int32_t ICON_TALENTE_WEITER = 3458;
constexpr int32_t ICON_TALENTE_TORWART = 3459;         // goalkeeper talents 47-52: 3459-3464
constexpr uint32_t TALENTE_PFEIL_MS = 200;

// Modes: 0 the local club by line-up slot, 1 another club (read only), 2 the
// transfer screen's right list, 3 one player alone (no stepping).
constexpr int32_t TALENTE_EIGENER = 0, TALENTE_ANDERER = 1, TALENTE_RECHTE_LISTE = 2, TALENTE_EINZELN = 3;

struct TalenteScreenHooks {
    // The attribute training screen, opened for the unit Training2_Oeffnen set up.
    void (*training_oeffnen)(int32_t spieler, int32_t talent) = nullptr;
};
TalenteScreenHooks& Talente_Screen_Hooks();

// Opens the screen for the player (-1: none) in a mode; nothing when it is
// open. An open talent list window is closed first.
void Talente_Oeffnen(int32_t spieler, int32_t modus);
void Talente_Schliessen();
bool Talente_Offen();

// The click on a talent (mode 0): for a player who may learn it, refused with
// a message when he is injured or has used this round's training units,
// opening the training unit when he learns nothing or this very talent, and
// asking first when he learns another one (yes drops that one's points and the
// money spent). Other modes only log.
void Talente_Klick(int32_t talent);
// Whether the talent can be started now (the help text): he may learn it, he
// is available, has units left, and the local club can pay one unit.
bool Talente_Jetzt_Startbar(int32_t spieler, int32_t talent);

// The transfer screen's right list as the card and this screen step through
// it: the transfer market's players in slots 0-10 sorted by kind (forwards
// first, goalkeepers last), then the local club's scout prospect; empty slots
// left out. Returns the count (at most 12) written into `out`.
int32_t Talente_Rechte_Liste(int32_t* out);

// The screen as it stands.
struct TalenteStand {
    int32_t spieler = -1, modus = -1, slot = -1, team = -1;
    int32_t zeige = -1;   // the talent under the pointer, -1 none
};
TalenteStand Talente_Stand();

}  // namespace velmora
