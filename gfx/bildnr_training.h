// gfx/bildnr_training.h - the numbers of the pictures of the training
// window, of the learned talent's film window with its flip books and of the
// training camp's windows, and the sizes the windows lay out by. The pictures
// are drawn at build time (kunst/bild_muster_training.h) into "oddo_res.res"
// (entries 278-297, 338-344 and 442-623, shown as slaves 28000 + entry).
#pragma once
#include <cstdint>

namespace velmora {

// The window at (82, 88), 690 x 430; the progress plate (at 267, 309); the
// strain gauge (24 x 220, drawn from a row); safe mode off and on (40 x 40).
constexpr int32_t TRF_BILD_FENSTER = 28278, TRF_BILD_FORTSCHRITT = 28279, TRF_BILD_PEGEL = 28280;
constexpr int32_t TRF_BILD_SICHER_AUS = 28281, TRF_BILD_SICHER_AN = 28282;
// The talent's bar full and empty, the points bar full and empty (183 x 12).
constexpr int32_t TRF_BILD_BALKEN = 28283, TRF_BILD_PUNKTE = 28285;
constexpr int32_t TRF_BALKEN_B = 183, TRF_PEGEL_H = 220;
// The buttons, each followed by its pressed picture: safe-mode switch (66 wide),
// start/stop (146), close (120), apply (76); all 32 high.
// The top of the unit's films (200 x 150 at x 565), clear of the buttons' rail at y 438.
constexpr int32_t TRF_FILM_Y = 236;
constexpr int32_t TRF_BILD_SCHALTER = 28287, TRF_BILD_START = 28289, TRF_BILD_SCHLIESSEN = 28291,
                  TRF_BILD_ANWENDEN = 28293;
// The result panel (at 246, 268), the crash panel (at 246, 297), the coin.
constexpr int32_t TRF_BILD_ERGEBNIS = 28295, TRF_BILD_ABSTURZ = 28296, TRF_BILD_MUENZE = 28297;
// The film window (at 233, 128), its close button pressed and plain.
constexpr int32_t TRF_BILD_FILM_FENSTER = 28442, TRF_BILD_FILM_ZU_DRUCK = 28443, TRF_BILD_FILM_ZU = 28444;
// The flip books: the bonus ball (56 pictures), the bonus points +25, +50,
// +75 (30 each) and +100, which is also the hundred-points marker (33).
constexpr int32_t TRF_ANIM_BONUS = 28445, TRF_ANIM_25 = 28501, TRF_ANIM_50 = 28531, TRF_ANIM_75 = 28561,
                  TRF_ANIM_100 = 28591;
constexpr int32_t TRF_ANIM_BONUS_N = 56, TRF_ANIM_TEXT_N = 30, TRF_ANIM_100_N = 33;

// The camp window (at 66, 87, 664 x 404), a bar full and its cover (360 x 16),
// its end button pressed and plain, the results window (at 65, 79, 670 x 440).
constexpr int32_t LAGER_BILD_FENSTER = 28338, LAGER_BILD_BALKEN = 28339, LAGER_BILD_DECKEL = 28340,
                  LAGER_BILD_ENDE_DRUCK = 28341, LAGER_BILD_ENDE = 28342, LAGER_BILD_ERGEBNIS = 28343;
// The news rail under the bars, shown while it holds a line (28344, 648 x 46).
constexpr int32_t LAGER_BILD_NACHRICHT = 28344;

}  // namespace velmora
