// screens/editor_wappen.h - the team editor's club page: the crest and the
// three kits (first, second, goalkeeper), each stepped, reset or picked from
// a grid, and the club's names, stadium, capacity and city typed in place.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_WAPPEN_SEITE = 3830;
constexpr int32_t ICON_WAPPEN_FAENGER = 3831;

// Opens the page for a club (nothing when it is open).
void Editor_Wappen_Oeffnen(int32_t team);
bool Editor_Wappen_Offen();
// Ends any edit and takes the page off; the changes stay with the club.
void Editor_Wappen_Schliessen();

// The page as it stands (the tests).
struct EditorWappenStand {
    int32_t team = -1;
    int32_t spalte = -1;          // the selected column: 0 crest, 1-3 the kits
    int32_t wert[4] = {};         // the columns' current values
    bool raster = false;          // the grid is open
    int32_t seite = 0;            // the grid's first row
    int32_t edit_feld = -1;       // the field being typed in, -1 none
};
EditorWappenStand Editor_Wappen_Stand();

}  // namespace velmora
