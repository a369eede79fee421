// gfx/pixel.h - the pixel loops: one loop per effect and pixel format, so that
// no mode is tested per pixel.
//
// Rectangle loops take (source, sx, sy, w, h, source stride, destination, dx,
// dy, destination stride, extras), strides in pixels; the rectangle must lie in
// both bitmaps (Rastport_Blit clips it). The 1-bit mask and the 8-bit plane are
// indexed like the source: i = x + y x source stride, mask bit i % 8 of byte i / 8.
//
// Shape loops take (data, number of data words or bytes, an unread word, shape
// width, shape height, destination, dx, dy, destination stride, extras). A row
// ends when its counts reach the shape width; pixels of a run past the width
// are not drawn, and the loop stops where the data ends.
//
// Loops that compute colours write 1 where the result would be 0, since 0 is
// the transparent colour of keyed blits (where each rule below says so).
// All return 1, except the two mirrored blended shape loops, which draw nothing.
#pragma once
#include <cstdint>

namespace velmora {

#define VELMORA_RECHTECK                                                                                        \
    const uint16_t *src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride, uint16_t *dst, int32_t dx, \
        int32_t dy, int32_t dstride
#define VELMORA_SHAPE(T) \
    const T *data, uint32_t anzahl, int32_t unbenutzt, int32_t sw, int32_t sh, uint16_t *dst, int32_t dx, int32_t dy, \
        int32_t dstride

// Plain copies.
int32_t Blit_Copy16(VELMORA_RECHTECK);
int32_t Blit_Copy16_Fast(VELMORA_RECHTECK);   // four pixels per 64-bit word
int32_t Blit_Copy8(const uint8_t* src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride, uint8_t* dst,
                   int32_t dx, int32_t dy, int32_t dstride);

// Keyed copies: 0 (or the key colour) is not drawn.
int32_t Blit_Key16(VELMORA_RECHTECK);
int32_t Blit_Key16_Half(VELMORA_RECHTECK);
int32_t Blit_Key16_Value(VELMORA_RECHTECK, uint16_t key);
int32_t Blit_Key16_Fast(VELMORA_RECHTECK);
int32_t Blit_Key16_Colour(VELMORA_RECHTECK, uint16_t key);
// Copies a row onto another, keeping the destination where the source is 0.
void Row_Key_Merge(const uint16_t* src, uint16_t* dst, int32_t count);

// Copy where the mask bit is set.
int32_t Blit_Mask16(VELMORA_RECHTECK, const uint8_t* mask);
int32_t Blit_Mask16_Half(VELMORA_RECHTECK, const uint8_t* mask);

// Shape data: 16-bit control words with 16-bit pixels, or 8-bit control bytes
// with 8-bit indices into a table of 256 colours.
int32_t Blit_Shape16(VELMORA_SHAPE(uint16_t));
int32_t Blit_Shape16_Half(VELMORA_SHAPE(uint16_t));
int32_t Blit_Shape16_Mirror(VELMORA_SHAPE(uint16_t));
int32_t Blit_Shape8(VELMORA_SHAPE(uint8_t), const uint16_t* table);
int32_t Blit_Shape8_Half(VELMORA_SHAPE(uint8_t), const uint16_t* table);
int32_t Blit_Shape8_Mirror(VELMORA_SHAPE(uint8_t), const uint16_t* table);
int32_t Blit_Shape8_Half_Mirror(VELMORA_SHAPE(uint8_t), const uint16_t* table);
int32_t Blit_Shape565_Blend(VELMORA_SHAPE(uint16_t), int32_t f);
int32_t Blit_Shape565_Blend_Half(VELMORA_SHAPE(uint16_t), int32_t f);
int32_t Blit_Shape555_Blend(VELMORA_SHAPE(uint16_t), int32_t f);
int32_t Blit_Shape555_Blend_Mirror(VELMORA_SHAPE(uint16_t), int32_t f);
int32_t Blit_Shape565_Blend_Mirror(VELMORA_SHAPE(uint16_t), int32_t f);

// Tints: factor f in 1/128 steps (-255...255) mixes each channel of the
// source with the colour.
int32_t Blit_Tint555(VELMORA_RECHTECK, uint16_t colour, int32_t f);
int32_t Blit_Tint565(VELMORA_RECHTECK, uint16_t colour, int32_t f);
int32_t Blit_Mask_Tint555(VELMORA_RECHTECK, uint16_t colour, int32_t f, const uint8_t* mask);
int32_t Blit_Mask_Tint565(VELMORA_RECHTECK, uint16_t colour, int32_t f, const uint8_t* mask);
int32_t Blit_Key_Tint555(VELMORA_RECHTECK, uint16_t key, uint16_t colour, int32_t f);
int32_t Blit_Key_Tint565(VELMORA_RECHTECK, uint16_t key, uint16_t colour, int32_t f);

// Greyscale: Y = (45 r + 60 g + 23 b) >> 7 of the 8-bit channels.
int32_t Blit_Grey555(VELMORA_RECHTECK);
int32_t Blit_Grey565(VELMORA_RECHTECK);
int32_t Blit_Key_Grey555(VELMORA_RECHTECK, uint16_t key);
int32_t Blit_Key_Grey565(VELMORA_RECHTECK, uint16_t key);
int32_t Blit_Mask_Grey555(VELMORA_RECHTECK, const uint8_t* mask);
int32_t Blit_Mask_Grey565(VELMORA_RECHTECK, const uint8_t* mask);

// Alpha planes: weights (255 - a) and a, or (256 - a) and a; a = 0 leaves the
// destination.
int32_t Blit_Plane555(VELMORA_RECHTECK, const uint8_t* plane);
int32_t Blit_Plane565(VELMORA_RECHTECK, const uint8_t* plane);
int32_t Blit_Plane256_555(VELMORA_RECHTECK, uint16_t key, const uint8_t* plane);
int32_t Blit_Plane256_565(VELMORA_RECHTECK, uint16_t key, const uint8_t* plane);
int32_t Blit_Mask_Plane555(VELMORA_RECHTECK, const uint8_t* mask, const uint8_t* plane);
int32_t Blit_Mask_Plane565(VELMORA_RECHTECK, const uint8_t* mask, const uint8_t* plane);
// A colour painted through a coverage plane (the plane is the "source").
int32_t Blit_Plane_Colour555(const uint8_t* plane, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride,
                             uint16_t* dst, int32_t dx, int32_t dy, int32_t dstride, uint16_t colour);
int32_t Blit_Plane_Colour565(const uint8_t* plane, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride,
                             uint16_t* dst, int32_t dx, int32_t dy, int32_t dstride, uint16_t colour);

// Shade: each channel x n / 128; a non-zero pixel never becomes 0. Source and
// destination may be the same (in-place shading).
int32_t Blit_Shade555(VELMORA_RECHTECK, int32_t n);
int32_t Blit_Shade565(VELMORA_RECHTECK, int32_t n);
int32_t Blit_Key_Shade555(VELMORA_RECHTECK, int32_t n);
int32_t Blit_Key_Shade565(VELMORA_RECHTECK, int32_t n);
int32_t Blit_Mask_Shade555(VELMORA_RECHTECK, const uint8_t* mask, int32_t n);
int32_t Blit_Mask_Shade565(VELMORA_RECHTECK, const uint8_t* mask, int32_t n);

// Single-pixel rules, shared with the colour and alpha routines.
uint16_t Pixel_Plane555(uint16_t d, uint16_t s, int32_t a, int32_t gewicht);   // gewicht 255 or 256
uint16_t Pixel_Plane565(uint16_t d, uint16_t s, int32_t a, int32_t gewicht);
uint16_t Pixel_Shade555(uint16_t p, int32_t n);
uint16_t Pixel_Shade565(uint16_t p, int32_t n);

#undef VELMORA_RECHTECK
#undef VELMORA_SHAPE

}  // namespace velmora
