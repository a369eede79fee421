// screens/editor_aussehen.h - the team editor's face picker: a player's
// appearance code part by part, stepped or picked from a grid of portraits;
// closing it derives his skin and hair colours from the final code.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_AUSSEHEN_PANEL = 3796;
constexpr int32_t ICON_AUSSEHEN_FAENGER = 3808;

// Opens the picker for a player (nothing when it is open, or for a player
// shown by photo). A code whose parts exceed their choices is clamped.
void Editor_Aussehen_Oeffnen(int32_t spieler);
bool Editor_Aussehen_Offen();
void Editor_Aussehen_Schliessen();

struct EditorAussehenStand {
    int32_t spieler = -1;
    uint32_t code = 0, anfang = 0;
    int32_t teil = -1;            // the selected part, -1 none
    int32_t raster_teil = -1;     // the grid's part, -1 closed
    int32_t raster_zellen = 0;    // portraits the grid's page shows
};
EditorAussehenStand Editor_Aussehen_Stand();

}  // namespace velmora
