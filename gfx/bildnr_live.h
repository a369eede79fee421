// gfx/bildnr_live.h - the numbers of the pictures of the panels laid over a
// live match: the substitution panel's windows, rows and marks, the tactics
// panel's window, switches, buttons and slider. The pictures are drawn at
// build time (kunst/bild_muster_live.h) into "hask_res.res" (file 6).
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t LIVE_ZEILE = 24003;          // a row, 382 x 16; 24004 selected
constexpr int32_t LIVE_ZEILE_AN = 24004;
constexpr int32_t LIVE_RAUS = 24007;           // substituted off, 14 x 14
constexpr int32_t LIVE_REIN = 24008;           // substituted on
constexpr int32_t LIVE_STERN_LEER = 24009;     // an empty star slot, 10 x 10
constexpr int32_t LIVE_BALKEN = 24016;         // a slider bar, 44 x 12
constexpr int32_t LIVE_KNAUF = 24017;          // its knob, 9 x 12
constexpr int32_t LIVE_LISTE = 24210;          // the list window, 386 x 357
constexpr int32_t LIVE_FELD = 24211;           // the pitch window, 182 x 280
constexpr int32_t LIVE_REGLER = 24212;         // the tactics window, 246 x 160
constexpr int32_t LIVE_SCHALTER = 24213;       // the play-out switch, 17 x 17; 24214 on
constexpr int32_t LIVE_SCHALTER_AN = 24214;
constexpr int32_t LIVE_TASTE = 24215;          // a tactics switch, 46 x 16; 24216 on
constexpr int32_t LIVE_TASTE_AN = 24216;
constexpr int32_t LIVE_MINUS = 24217;          // minus and plus, 16 x 16
constexpr int32_t LIVE_PLUS = 24218;

}  // namespace velmora
