// gfx/bildnr_scout.h - the numbers of the scout screen's pictures and the
// map's geometry the screen lays out by. The pictures are drawn at build time
// (kunst/bild_muster_scout.h) into "oddo_res.res" (entries 152-249 and
// 625-674, shown as slaves 28000 + entry).
#pragma once
#include <cstdint>

namespace velmora {

// The board of pages 1 and 2 at (3, 86) with the map's frame; the pay button
// (and pressed), the back button (and pressed), the two button sockets, the
// four scouts' portraits (28159 + scout, at 233, 115) and an info line's plate.
constexpr int32_t SCOUT_BILD_SEITE = 28152, SCOUT_BILD_BEZAHLEN = 28153, SCOUT_BILD_ZURUECK = 28155;
constexpr int32_t SCOUT_BILD_SOCKEL_1 = 28157, SCOUT_BILD_SOCKEL_2 = 28158, SCOUT_BILD_SCOUT = 28159;
constexpr int32_t SCOUT_BILD_INFO = 28163;
// The world map's region buttons: a picture as large as the map per region
// holding only that region's land (normal, then lit); the pairs from 28164
// in the order of SCOUT_REGION_BILD.
constexpr int32_t SCOUT_BILD_REGION_KNOPF = 28164;
// The map with one region marked (28194 + region, at 35, 186) and the region
// alone, enlarged (28210 + region, at 570, 189).
constexpr int32_t SCOUT_BILD_KARTE = 28194, SCOUT_BILD_REGION = 28210;
// The progress bar's cover and the full bar (211 wide), the finished banner,
// the finished picture over the region's.
constexpr int32_t SCOUT_BILD_BALKEN_LEER = 28225, SCOUT_BILD_BALKEN = 28226, SCOUT_BILD_FERTIG = 28227,
                  SCOUT_BILD_HEIMKEHR = 28228;
// The search page's board, the dialogue panel, the prospect panel, the wide
// button (and pressed), the player card button, the sign button pressed and plain.
constexpr int32_t SCOUT_BILD_SUCHE = 28241, SCOUT_BILD_DIALOG = 28242, SCOUT_BILD_KANDIDAT = 28243,
                  SCOUT_BILD_KNOPF = 28245, SCOUT_BILD_KARTE_KNOPF = 28247, SCOUT_BILD_VERPFLICHTEN = 28249;
// The turning globe: 50 pictures from 28625.
constexpr int32_t SCOUT_ANIM_GLOBUS = 28625, SCOUT_ANIM_GLOBUS_N = 50;

constexpr int32_t SCOUT_KARTE_X = 35, SCOUT_KARTE_Y = 186, SCOUT_KARTE_B = 620, SCOUT_KARTE_H = 160;
constexpr int32_t SCOUT_BALKEN_B = 211;
// The normal picture of each region's button (its lit picture follows it).
constexpr int32_t SCOUT_REGION_BILD[15] = {28190, 28188, 28186, 28164, 28166, 28170, 28168, 28172,
                                           28174, 28182, 28192, 28184, 28176, 28180, 28178};

}  // namespace velmora
