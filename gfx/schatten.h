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

}  // namespace velmora
