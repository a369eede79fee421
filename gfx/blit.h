// gfx/blit.h - the blitter: the one drawing entry Rastport_Blit with its
// BlitMode records, clipping, rectangle fill and frame, and the line routines.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

// A blit effect. A flag word counts as set when non-zero.
struct BlitMode {
    int32_t key = 0;            // source pixels equal to the key colour are not drawn
    int32_t mask = 0;           // draw where the source's mask bit is set
    int32_t alpha = 0;          // weight by the source's alpha plane
    int32_t alternate = 0;      // checked against the source's third buffer; nothing draws from it
    int32_t tint = 0;           // mix each pixel with the colour by the factor
    int32_t shape = 0;          // draw the source's shape data
    int32_t grey = 0;           // draw the grey value
    int32_t reserved8 = 0;
    int32_t reserved9 = 0;
    int32_t plane_colour = 0;   // paint the colour through an 8-bit plane
    int32_t factor2 = 0;        // clamped with the factor; not read further
    int32_t reserved12 = 0;
    int32_t factor = 0;         // tint factor in 1/128 steps, -255...255
    int32_t reserved14 = 0;
    uint16_t colour = 0;        // tint colour or painted colour
    uint16_t key_colour = 0;    // transparent value of the combined key modes
};
static_assert(sizeof(BlitMode) == 60);
static_assert(offsetof(BlitMode, colour) == 56);

// The predefined modes (static records; the text renderer writes the colour of
// BlitMode_Text before each run).
extern BlitMode* const BlitMode_Default;
extern BlitMode* const BlitMode_Key;
extern BlitMode* const BlitMode_Mask;
extern BlitMode* const BlitMode_Plane_Colour;
extern BlitMode* const BlitMode_Text;
extern BlitMode* const BlitMode_Shape;
extern BlitMode* const BlitMode_Mask_Plane_Shape;
extern BlitMode* const BlitMode_Key_Plane;
extern BlitMode* const BlitMode_Plane;
extern BlitMode* const BlitMode_Fill;

// Copies the rectangle (sx, sy, w, h) of `src` to (dx, dy) of `dst`, clipped to
// both; w or h of -1 is the source's full size, a null mode the plain copy.
// 1 when a pixel loop ran, else 0 (nothing left after clipping, a lock that
// failed, a depth no loop serves).
int32_t Rastport_Blit(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                      int32_t dy, const BlitMode* mode);
int32_t Blit_Clip(int32_t* sx, int32_t* sy, int32_t* w, int32_t* h, int32_t src_w, int32_t src_h, int32_t* dx,
                  int32_t* dy, int32_t dst_w, int32_t dst_h);
// Drops the requests the source cannot satisfy and clamps the two factors.
int32_t Blit_Mode_Check(const Rastport* src, BlitMode* mode);

// Fills a rectangle of a depth-15 or -16 bitmap (w or h -1: full size); the
// mode is ignored. Always 0.
int32_t Rastport_Fill(Rastport* rp, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, const BlitMode* mode);
// Four fills of `thickness`; always 1.
int32_t Rastport_Draw_Frame(Rastport* rp, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour,
                            int32_t thickness, const BlitMode* mode);
int32_t Fill_Rect16(uint16_t* pixels, int32_t x, int32_t y, int32_t w, int32_t h, int32_t stride, uint16_t colour);
// One-pixel lines from the first coordinate up to but excluding the second; a
// Bresenham line that sets both end points.
void Line_Vertical(uint16_t* pixels, int32_t x, int32_t y1, int32_t y2, int32_t stride, uint16_t colour);
void Line_Horizontal(uint16_t* pixels, int32_t x1, int32_t x2, int32_t y, int32_t stride, uint16_t colour);
void Line_Draw(uint16_t* pixels, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t stride, uint16_t colour);

}  // namespace velmora
