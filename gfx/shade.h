// gfx/shade.h - the shade table and the soft drop shadow of trophies and crests.
//
// The shadow darkens the destination: a table maps every pixel value to one
// with each channel x 120 / 128, and a count map says how many times each
// destination pixel goes through it. The map is the object's outline dilated
// with a small bell-shaped kernel, moved down and to the right.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

struct SchattenParameter {
    int32_t offset_x;
    int32_t offset_y;
    int32_t size;       // kernel size, made odd and limited to 3...9
    int32_t strength;   // added to every kernel value
};

// The nine shadows the callers use: three of strength 0 (sizes 7, 5, 3), then
// three times (2, 2, 7, 3), then three times (2, 2, 7, -2).
extern const SchattenParameter* const Schatten_Parameter[9];

// Builds the table for the screen depth on the first call; returns the
// initialised flag.
int32_t Shade_Init(int32_t depth);
void Shade_Exit();
uint16_t Shade_Wert(uint16_t p);   // one step through the table (p itself without a table)
// Puts each pixel of (x, y, w, h) through the table as often as its count says.
int32_t Shade_Apply(Rastport* rp, const uint8_t* counts, int32_t x, int32_t y, int32_t w, int32_t h);
// Blits (sx, sy, w, h) of src to (dx, dy) of dst (0 transparent) with a soft
// drop shadow; null parameters are (2, 2, 5, 0). 1 when the shadow was made.
int32_t Rastport_Blit_Ex(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                         int32_t dy, const SchattenParameter* parameter);
// The kernel of a size after the size and strength rules: fills k x k values
// and returns k.
int32_t Shade_Kernel(int32_t size, int32_t strength, uint8_t kernel[81]);

}  // namespace velmora
