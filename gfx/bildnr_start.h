// gfx/bildnr_start.h - the numbers of the start screen's and the new-game
// wizard's pictures in "pirak_res.res" (slaves 12000 + entry) and the
// geometry the screens place their icons and texts by. The pictures are drawn
// at build time (kunst/bild_muster_start.h).
#pragma once
#include <cstdint>

namespace velmora {

// Entries of "pirak_res.res" (slave 12000 + entry).
constexpr int32_t START_BILD_HINTERGRUND = 23;   // the start screen, 800 x 600, plates of 891-894
constexpr int32_t START_BILD_ZIFFERN = 24;       // scoreboard digits 0-6, strips 70 x 46
constexpr int32_t START_BILD_PLUS = 25;          // 887 "+", 50 x 60
constexpr int32_t START_BILD_MINUS = 26;         // 888 "-", 50 x 60
constexpr int32_t START_BILD_HOVER_LISTE = 31;   // a country's or league's row under the mouse
constexpr int32_t START_BILD_HOVER_VEREIN = 32;  // a club's row under the mouse
constexpr int32_t START_BILD_HOVER_LEVEL = 33;   // a level's row under the mouse
constexpr int32_t START_BILD_HOVER_KADER = 34;   // the new-squad switch under the mouse
constexpr int32_t START_BILD_BALKEN_LISTE = 35;  // the scroll bar of the country and league lists
constexpr int32_t START_BILD_BALKEN_BILD = 36;   // of the portraits
constexpr int32_t START_BILD_BALKEN_VEREIN = 37; // of the clubs
constexpr int32_t START_BILD_KNAUF = 38;         // the scroll bar's knob
constexpr int32_t START_BILD_BILDRAHMEN = 40;    // the frame of the chosen portrait
constexpr int32_t START_BILD_NETZ_TAFEL = 45;    // a client's network set-up over the lower three plates
constexpr int32_t START_BILD_PANEL_LEVEL = 42;   // the list panels: levels, portraits, clubs
constexpr int32_t START_BILD_PANEL_BILD = 43;
constexpr int32_t START_BILD_PANEL_VEREIN = 44;
constexpr int32_t START_BILD_PANEL_LISTE = 51;   // countries and leagues
constexpr int32_t START_BILD_MARKE = 52;         // the mark of the chosen row
constexpr int32_t START_BILD_HAKEN = 54;         // the new-squad switch set
constexpr int32_t START_BILD_WIZARD = 57;        // the wizard's background (58: not the German badge)
constexpr int32_t START_BILD_WIZARD_2 = 58;
constexpr int32_t START_BILD_WAPPENRAHMEN = 63;  // the frame of a crest in the summary
constexpr int32_t START_BILD_LEVEL = 65;         // 65 + level 0-4: the level's medal
constexpr int32_t START_BILD_PORTRAIT = 70;      // 70 + portrait 0-11
constexpr int32_t START_BILD_LIGA = 82;          // 82 + league symbol 0-17
constexpr int32_t START_BILD_LIGEN = 18;

// Geometry the screens place their icons and texts by.
constexpr int32_t START_PLATTE_X = 285, START_PLATTE_Y = 176, START_PLATTE_ABSTAND = 86;
constexpr int32_t START_PLATTE_B = 280, START_PLATTE_H = 80;
constexpr int32_t START_NETZ_X = 140, START_NETZ_Y = 250, START_NETZ_B = 520, START_NETZ_H = 269;
constexpr int32_t START_ZIFFER_B = 70, START_ZIFFER_H = 46, START_ZIFFERN = 7;
constexpr int32_t START_BALKEN_LISTE_H = 212, START_BALKEN_BILD_H = 224;
constexpr int32_t START_KNAUF_H = 14, START_BALKEN_KAPPE = 9;
// The wizard's bed of the list panels and the pages' films.
constexpr int32_t START_BETT_X = 414, START_BETT_Y = 160, START_BETT_B = 380, START_BETT_H = 324;

// The wizard's title band, 800 x 100 at the top, its two lines in fonts 4
// and 14 (gfx/start_band.h).
constexpr int32_t START_BAND_H = 100, START_BAND_SCHRIFT_TITEL = 4, START_BAND_SCHRIFT_NAME = 14;

}  // namespace velmora
