// gfx/bildnr_seiten.h - where the pictures of the match-day pages and the
// competition screens lie, and the sizes of the pre-match picture's layers
// and strips the pages compose at run time. The pictures are drawn at build
// time (kunst/bild_muster_seiten.h).
#pragma once
#include <cstdint>

namespace velmora {

// Where the pictures lie: entries the code reads by number sit at 4000 + the
// number (docs/decisions.md, "Resource numbers"); the others are the menu's
// slave pictures (slave 4000 x file + entry).
constexpr int32_t SEITEN_RES_GLOBAL = 1, SEITEN_RES_PIRAK = 3, SEITEN_RES_ZEMO = 4, SEITEN_RES_TROBE = 5,
                  SEITEN_RES_ODDO = 7;

// The pre-match picture (oddo_res.res, read at 4000 + n): 0 the page, 2 the
// badge and 3 its mask, the back-number strips 4, 6, 7, 8, 9 (50 cells each,
// number n's cell from the top at (50 - n) x cell height), and the shared
// head-and-legs layers 10-15 of the figures (10 far keeper, 11 near outfield,
// 12-15 the depth bands far to near), whose torso area is left clear for the kit.
constexpr int32_t VORSPIEL_SEITE = 0, VORSPIEL_ABZEICHEN = 2, VORSPIEL_MASKE = 3;
constexpr int32_t VORSPIEL_NUMMERN = 50;
constexpr int32_t VORSPIEL_SEITE_B = 800, VORSPIEL_SEITE_H = 600;
// The panels behind the two squads' plates on the pre-match page.
constexpr int32_t VORSPIEL_TAFEL_X[2] = {12, 564}, VORSPIEL_TAFEL_Y = 140, VORSPIEL_TAFEL_B = 224, VORSPIEL_TAFEL_H = 206;
struct VorspielStreifen {
    int32_t eintrag, breite, hoehe;   // the cell
};
constexpr VorspielStreifen VORSPIEL_STREIFEN[5] = {{4, 11, 11}, {6, 13, 12}, {7, 17, 15}, {8, 19, 17}, {9, 20, 19}};
struct VorspielFigur {
    int32_t eintrag, breite, hoehe;
    int32_t torso_x, torso_y, torso_b, torso_h;   // where the kit is drawn
};
constexpr VorspielFigur VORSPIEL_FIGUREN[6] = {
    {10, 26, 40, 6, 8, 14, 13},  {11, 56, 84, 12, 20, 32, 30}, {12, 30, 46, 7, 10, 16, 15},
    {13, 36, 54, 9, 12, 18, 18}, {14, 40, 62, 8, 15, 24, 22},  {15, 48, 72, 10, 17, 28, 26}};

// The pages of pirak_res.res (4000 + n): 165 "VOR DEM MENUE", 168-170 the
// three "NACH DEM SPIEL" pages (the whole screen, so nothing of the live view
// stays around them), 171 the goal digits (cells of 56 x 30, the
// home digits left, the away digits at x 56, goals 0-15 from the top).
constexpr int32_t SEITE_VOR_MENUE_B = 736, SEITE_VOR_MENUE_H = 450;
constexpr int32_t SEITE_NACH_SPIEL_B = 800, SEITE_NACH_SPIEL_H = 600;

}  // namespace velmora
