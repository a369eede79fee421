// screens/einsetzen2.h - the second line-up screen: the starting eleven as
// cards on a large field of 7 columns x 11 rows, beside the miniatures of the
// manager's three formations. Two cards clicked or one dragged onto the other
// swap their players, a card dropped on a free cell moves there, a miniature
// chooses the formation; the opponent's formation shows read-only. It shares
// the club's line-up data and the opponent switch with the list screen.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_E2_FELD = 2437;
constexpr int32_t ICON_E2_FORMATION = 2438;   // 2438-2440: formations 0-2
constexpr int32_t ICON_E2_KARTE = 2442;       // 2442-2452
constexpr int32_t ICON_E2_MINI = 2462;        // 2462 + 11 f + slot
constexpr int32_t ICON_E2_LISTE = 2495;
constexpr int32_t ICON_E2_ZURUECKSETZEN = 2497;
constexpr int32_t E2_FORMATIONEN = 3;

// The panel's opener.
void E2_Screen_Oeffnen();
bool E2_Screen_Offen();
// With the screen open: its cards show the club's eleven as they stand now
// (after a transfer took one of them away).
void E2_Screen_Aktualisieren();
// Pointer to formation cell on the large field (clamped into it; row 0 only
// in the goal's column).
void E2_Screen_Pixel_Zu_Feld(int32_t x, int32_t y, int32_t* spalte, int32_t* reihe);
bool E2_Screen_Maus_Im_Feld(int32_t x, int32_t y);
// The deduction this screen shows: as the list screen's, but a field player
// two groups off loses 4 half stars whatever his strength.
int32_t E2_Screen_Positions_Abzug(int32_t spieler, int32_t reihe);
// The formation the toggles show: the formation byte's index, 0 when it names none of the three.
int32_t E2_Formation_Gezeigt(int32_t club);

struct E2Stand {
    int32_t club = -1;
    bool gegner = false;
    int32_t karten = 0;
    int32_t spieler[11] = {};
};
E2Stand E2_Screen_Stand();

}  // namespace velmora
