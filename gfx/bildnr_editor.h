// gfx/bildnr_editor.h - the numbers of the team editor's pictures and the
// sizes its screens lay out by. The pictures are drawn at build time
// (kunst/bild_muster_editor.h) into "oddo_res.res" (entries 346-376, 388-393,
// 405-410 and 434-441, shown as slaves 28000 + entry).
#pragma once
#include <cstdint>

namespace velmora {

// The main screen: its background (28347 for a base nation other than the
// home one), the selected club row, the marked player row, the market button
// lit, the rows under the pointer, the market button under the pointer and plain.
constexpr int32_t EDITOR_BILD_HINTERGRUND = 28346, EDITOR_BILD_TEAM_AN = 28348, EDITOR_BILD_SPIELER_AN = 28349;
constexpr int32_t EDITOR_BILD_MARKT_AN = 28350, EDITOR_BILD_TEAM_LICHT = 28351, EDITOR_BILD_SPIELER_LICHT = 28352;
constexpr int32_t EDITOR_BILD_MARKT_LICHT = 28353, EDITOR_BILD_MARKT = 28354;
// The bar's buttons (90 x 24, lit next), the type pictures 28357 + type, the
// sort buttons (100 x 16, lit next), the scroll knob (8 x 24), the small
// square buttons (20 x 20, lit next) and the pages' buttons (84 x 24, lit next).
constexpr int32_t EDITOR_BILD_KNOPF = 28355, EDITOR_BILD_ART = 28357, EDITOR_BILD_SORTIEREN = 28361;
constexpr int32_t EDITOR_BILD_KNAUF = 28363, EDITOR_BILD_KLEIN = 28364, EDITOR_BILD_SEITENKNOPF = 28366;
// The face picker's part label lit (its plain plate is 28390).
constexpr int32_t EDITOR_BILD_TEIL_AN = 28368;
// The marks of a waiting row and of the others; the fields being edited:
// surname, initial, a number (shirt, strength, maximum), club name, type, value.
constexpr int32_t EDITOR_BILD_MARKE = 28369, EDITOR_BILD_MARKE_ANDERE = 28370;
constexpr int32_t EDITOR_BILD_FELD_NAME = 28371, EDITOR_BILD_FELD_INITIAL = 28372, EDITOR_BILD_FELD_ZAHL = 28373;
constexpr int32_t EDITOR_BILD_FELD_CLUB = 28374, EDITOR_BILD_FELD_ART = 28375, EDITOR_BILD_FELD_WERT = 28376;
// The face picker: its panel, the grid's board, a part's label plate, the
// board while the grid is closed, the grid's shade and frame.
constexpr int32_t EDITOR_BILD_PICKER = 28388, EDITOR_BILD_PICKER_RASTER = 28389, EDITOR_BILD_TEIL = 28390;
constexpr int32_t EDITOR_BILD_ZU = 28391, EDITOR_BILD_SCHATTEN = 28392, EDITOR_BILD_RASTER_RAHMEN = 28393;
// The picker's part marker, a face cell under the pointer and a face cell; the
// club page, its grid's board and a column's frame.
constexpr int32_t EDITOR_BILD_TEIL_MARKE = 28405, EDITOR_BILD_GESICHT_LICHT = 28406, EDITOR_BILD_GESICHT_ZELLE = 28407;
constexpr int32_t EDITOR_BILD_SEITE = 28408, EDITOR_BILD_SEITE_RASTER = 28409, EDITOR_BILD_SPALTE = 28410;
// The selected column's frame, a cell under the pointer, kit and crest cells,
// the step buttons (28 x 20, lit next), a field lit and the portrait's frame.
constexpr int32_t EDITOR_BILD_SPALTE_AN = 28434, EDITOR_BILD_ZELLE_LICHT = 28435, EDITOR_BILD_TRIKOT_ZELLE = 28436;
constexpr int32_t EDITOR_BILD_WAPPEN_ZELLE = 28437, EDITOR_BILD_SCHRITT = 28438, EDITOR_BILD_FELD_LICHT = 28440;
constexpr int32_t EDITOR_BILD_PORTRAIT = 28441;

// Sizes the screens lay out by.
constexpr int32_t EDITOR_ZEILE_BILD_H = 16, EDITOR_TEAMS_B = 355, EDITOR_SPIELER_B = 390;
constexpr int32_t EDITOR_FELD_H = 17, EDITOR_SEITENFELD_B = 280, EDITOR_SEITENFELD_H = 20;

}  // namespace velmora
