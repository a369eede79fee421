// gfx/start_band.h - the lines of the new-game wizard's title band (800 x
// 100 at the top of the screen; gfx/bildnr_start.h). The band's ground is a
// picture drawn at build time; its two lines are written over it wherever the
// band shows: by its film into each frame, and by the wizard under the film,
// so the band reads alike with its film playing, paused or closed (under the
// last question).
#pragma once

#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

// Writes "VELMORA" in `titel` and "Neues Spiel" in `name`, centred, each with
// its shadow, into the band at the top of `ziel`. A missing font or bitmap
// writes nothing.
void Start_Band_Titel(Rastport* ziel, Font* titel, Font* name);

}  // namespace velmora
