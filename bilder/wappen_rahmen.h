// bilder/wappen_rahmen.h - club crests and competition logos placed for
// others: framed with their soft shadow through the shadow cache
// (gfx/schatten.h), and the crest a marked-up text draws for "^gll".
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

// Competition logos are slave bitmaps of the menu framework, which the game's
// pictures do not include; the composition root fills the hook. Unfilled, no
// logo loads.
struct SchattenHooks {
    Rastport* (*slave_rastport)(int32_t nummer) = nullptr;   // owned by the framework
};
SchattenHooks& Schatten_Hooks();

constexpr int32_t SCHATTEN_LOGO_ERSTER = 12135;   // slave number of a competition's graphic 0

// A club crest (or, with `wettbewerb_flag`, a competition logo) scaled to w x h
// and drawn with its shadow. `datei` is the resource file of the built-in
// crests (0: the default one), `tiefe` the bitmap depth (0: dst's, or the
// screen's without dst), `nummer` the crest or competition (-1: the team's).
// w and h 0 keep the picture's size (a negative one takes the other).
// With dst the area is drawn, kept in the shadow cache and a cache hit at (x,
// y) is copied instead; the result is the cache's bitmap (never freed by the
// caller). Without dst nothing is drawn and the result is the scaled picture,
// owned by the caller. None when no picture could be loaded.
Rastport* Schatten_Rahmen(int32_t datei, Rastport* dst, int32_t tiefe, int32_t team, int32_t x, int32_t y,
                          int32_t key, int32_t w, int32_t h, int32_t wettbewerb_flag, int32_t nummer);

// The crest of "^gll" in a marked-up text, with its small shadow (the text's crest drawer).
void Bild_Wappen_Im_Text(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h);

}  // namespace velmora
