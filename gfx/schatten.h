// gfx/schatten.h - soft shadows of captions and pictures, and the 90-slot cache
// of finished shadowed areas.
//
// Shadows are costly, so every finished area is kept with the background it was
// drawn on and copied back on the next frame; screens empty the cache with
// Schatten_Cache_Leeren when they are built. A screen that changes what lies
// under a cached area must clear the cache (or the entry at that position).
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t SCHATTEN_CACHE_ANZAHL = 90;

// The shadow of a picture: (sx, sy, w, h) of src is the outline whose shadow
// darkens dst from (dx, dy); kind 0, 1 or 2 selects a 2-, 3- or 5-pixel kernel.
// The finished area is taken from and stored in the shadow cache.
void Schatten_Zeichnen(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                       int32_t dy, int32_t kind);
// The shadow of a text: `mask` holds the text alone on 0; where it has a pixel,
// src's pixel is copied, elsewhere the shadow darkens dst.
void Schatten_Text_Zeichnen(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                            int32_t dy, int32_t kind, Rastport* mask);

// The bitmap stored for that rectangle and position, or none.
Rastport* Schatten_Cache_Suchen(int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t x, int32_t y);
// Keeps a copy of dst's (x, y, w, h) under those keys; returns the copy's blit
// result, 0 when no bitmap could be made. A full cache drops its last slot.
int32_t Schatten_Cache_Speichern(Rastport* dst, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t x, int32_t y);
// Drops every area stored at (x, y).
void Schatten_Cache_Entfernen(int32_t x, int32_t y);
// Drops everything, the Rastport cache included.
void Schatten_Cache_Leeren();
// The bitmap in a slot (for inspection), or none.
Rastport* Schatten_Cache_Slot(int32_t slot);

// Competition logos are slave bitmaps of the menu framework, which lives above
// the graphics; the composition root fills the hook. Unfilled, no logo loads.
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

}  // namespace velmora
