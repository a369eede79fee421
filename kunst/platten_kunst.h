// kunst/platten_kunst.h - the plates several screens' pictures share, each
// drawn once here: a list row lit or plain, a row selected, lit or plain, and
// a key raised or pressed. Every plate is a new depth-16 bitmap (the caller
// frees it), drawn in the game's palette.
#pragma once
#include <cstdint>

#include "gfx/bild_leinwand.h"
#include "gfx/rastport.h"

namespace velmora {

// A list row of w x h: lit, the selection's blue band edged in `rand`; plain,
// a band from `oben` to `unten` without an edge.
Rastport* Platten_Zeile(int32_t w, int32_t h, bool an, Rgb rand, Rgb oben, Rgb unten);

// A row of a list with a choice, w x h: art 0 plain (a dark band with a faint
// gold line at its foot), 1 selected (a gold-edged blue plate), 2 lit under the
// pointer (a bright band with a gold line at its foot).
Rastport* Platten_Wahlzeile(int32_t w, int32_t h, int32_t art);

// A key of w x h in `grund` with a shine along its top: raised behind a gold
// edge, or pressed (darker, a dim edge, the shine faint).
Rastport* Platten_Knopf(int32_t w, int32_t h, bool gedrueckt, Rgb grund);

// A key of w x h from `oben` to `unten` behind a gold edge, with a shine of
// `oben`; pressed, the gradient turns round and darkens and the shine goes.
Rastport* Platten_Knopf_Verlauf(int32_t w, int32_t h, Rgb oben, Rgb unten, bool gedrueckt);

}  // namespace velmora
