// gfx/alpha.h - bitmaps drawn at an opacity: alpha blits by percentage or by the
// source's own alpha plane, the pulsing transparency of fading panels, and the
// "*N" text references.
#pragma once
#include <cstdint>

#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

// With the source's own alpha plane: Rastport_Blit with BlitMode_Key_Plane and
// its result. Without: the source is blended at `percent` (0 pixels not drawn)
// and the result is 0.
int32_t Blit_Alpha(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                   int32_t dy, int32_t percent);
// The same through BlitMode_Plane (weights 255; 0 pixels blend too).
int32_t Blit_Alpha_2(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                     int32_t dy, int32_t percent);
// Blends the source through its alpha plane with weights 256 (5-6-5, or 5-5-5
// on a depth-15 destination), leaving the
// destination where the source pixel is 0 (w, h -1: full size).
void Blit_Alpha_Plane565(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                         int32_t dy);
// Blit_Alpha_2 / Blit_Alpha at the pulse value of (dx, dy).
int32_t Blit_Transparent(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                         int32_t dy);
int32_t Blit_Transparent_2(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                           int32_t dy);
// The pulsing opacity of a drawing position: 5 up to 100 and back, one step at
// most every 50 ms (5 to 50 by 5, to 70 by 10, to 100 by 5). Ten positions are
// remembered; a new one replaces the oldest.
int32_t Blit_Puls_Wert(int32_t x, int32_t y);
// The same with the clock reading given.
int32_t Blit_Puls_Wert_Bei(int32_t x, int32_t y, uint32_t jetzt_ms);
// Draws src with the pixel bytes of `alpha` as its plane (BlitMode_Key_Plane);
// the source's own plane is put back afterwards.
int32_t Blt_Alpha(Rastport* src, Rastport* alpha, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst,
                  int32_t dx, int32_t dy);

// Writes `text` at `percent` opacity, its baseline at y: the text is rendered
// into a bitmap of its block width and twice the font's baseline offset and
// blended with Blit_Alpha.
void Blt_Alpha_Element(Rastport* dst, Font* font, const char* text, int32_t x, int32_t y, int32_t percent);

}  // namespace velmora
