// gfx/bildnr_aufstellung.h - the numbers of the line-up and tactics screens'
// pictures that the screens show: the list screen's window and buttons and
// the two pitches. The pictures are drawn at build time
// (kunst/bild_muster_aufstellung.h).
#pragma once
#include <cstdint>

namespace velmora {

// Slave numbers the screens name.
constexpr int32_t AUFSTELLUNG_FENSTER = 24041;     // the list screen's window, 600 x 440
constexpr int32_t AUFSTELLUNG_KNOPF = 24047;       // a button plate, 150 x 34; 24048 lit
constexpr int32_t AUFSTELLUNG_KNOPF_AN = 24048;
constexpr int32_t AUFSTELLUNG_PLATZ = 24200;       // the small pitch, 189 x 287
constexpr int32_t AUFSTELLUNG_PLATZ_GROSS = 24201; // the second screen's field, 794 x 428
constexpr int32_t AUFSTELLUNG_PLATZ_B = 189, AUFSTELLUNG_PLATZ_H = 287;

}  // namespace velmora
