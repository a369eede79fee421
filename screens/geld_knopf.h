// screens/geld_knopf.h - the labelled buttons of the club's money screens and
// the options: a picture with its pressed picture, a centred caption that
// lights up while pressed, a help text and a click procedure.
#pragma once
#include <cstdint>

#include "gui/icon.h"

namespace velmora {

// Fills `text` (kept by the caller while the icon is on screen) with the
// caption and returns the button's record at (x, y).
s_icon Geld_Knopf(int32_t nummer, int32_t x, int32_t y, int32_t bild, int32_t bild_gedrueckt, s_icon_text* text,
                  const char* beschriftung, int8_t font, IconMainP klick, const char* hilfe, int8_t pri);

}  // namespace velmora
