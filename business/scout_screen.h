// business/scout_screen.h - the scout screen, over the transfer screen's work
// area: page 1 chooses a region on the world map, page 2 confirms and pays
// the scout, page 3 follows the search (business/scout.h) as a dialogue with
// a progress bar and shows the prospect the scout talks to, who can be sent
// away or, once persuaded, signed. Leaving the search or signing returns to
// the transfer screen; so does the back button of page 1.
//
// A paid search that is still running comes back on page 3 when the screen is
// opened again (after a change of screen), with the scout who runs it.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_SCOUT_SEITE = 3355;        // the canvas of pages 1 and 2
constexpr int32_t ICON_SCOUT_SUCHE = 3394;        // the canvas of page 3
constexpr int32_t ICON_SCOUT_BEZAHLEN = 3356, ICON_SCOUT_ZURUECK = 3357;
constexpr int32_t ICON_SCOUT_REGION = 3362;       // regions 0-13 at 3362-3375, region 14 at 3391
constexpr int32_t ICON_SCOUT_REGION_14 = 3391;
constexpr int32_t ICON_SCOUT_KANDIDAT = 3398, ICON_SCOUT_KARTE = 3403, ICON_SCOUT_VERPFLICHTEN = 3407;
constexpr int32_t ICON_SCOUT_VERLASSEN = 3411, ICON_SCOUT_WEGSCHICKEN = 3412;
constexpr const char* SCOUT_TEXTE = "SPIELER_SUCHE_SCREEN";
constexpr uint32_t SCOUT_SCREEN_SCHRITT_MS = 10;   // the search steps at most every 10 ms

// What the screen reaches above it, filled by the composition root.
struct ScoutScreenHooks {
    // The player card (mode 2: a market player alone).
    void (*karte_oeffnen)(int32_t spieler, int32_t club, int32_t modus) = nullptr;
};
ScoutScreenHooks& Scout_Screen_Hooks();

// Opens the screen for a scout (0-3); nothing when it is open.
void Scout_Screen_Oeffnen(int32_t scout);
bool Scout_Screen_Offen();
// The page shown: 1 region, 2 confirmation, 3 search; 0 when closed.
int32_t Scout_Screen_Seite();
// Whether region 14's button is on page 1.
bool Scout_Screen_Region_Gezeigt(int32_t region);
// The prospect buttons follow the search (the scout module's `kandidat` hook).
void Scout_Screen_Kandidat(int32_t zustand, int32_t spieler);

// The clicks, as the buttons make them (the tests drive them here): a region
// of page 1; pay on page 2 (false, page 2 kept, when the bank refuses); back
// (page 2 to 1, page 1 to the transfer screen); leave the search (asks below
// 100 %); send the prospect away; sign him (asks first).
void Scout_Screen_Region_Klick(int32_t region);
bool Scout_Screen_Bezahlen();
void Scout_Screen_Zurueck();
void Scout_Screen_Verlassen();
void Scout_Screen_Wegschicken();
void Scout_Screen_Verpflichten();

}  // namespace velmora
