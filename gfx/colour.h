// gfx/colour.h - colour arithmetic: 16-bit pixels (5-5-5 at depth 15, 5-6-5 at
// depth 16), 8-bit channels, packed 0x00BBGGRR colours, 6-bit palettes, luminance,
// recolouring through YIQ (values scaled by 10,000) and depth conversion.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

int32_t Colour_Clamp255(int32_t v);
uint16_t Colour_Pack565(int32_t r, int32_t g, int32_t b);
uint16_t Colour_Pack555(int32_t r, int32_t g, int32_t b);
// Depth 8 or 16: 5-6-5; 15: 5-5-5; any other depth 0.
uint16_t Colour_Make(int32_t depth, int32_t r, int32_t g, int32_t b);
uint16_t Colour_Make16(int32_t depth, int32_t r, int32_t g, int32_t b);
uint16_t Colour_From_RGB24(uint32_t rgb);   // 0x00RRGGBB at the screen depth
// Splits a pixel into 8-bit channels; any output may be null; other depths write nothing.
void Colour_Split(uint16_t p, int32_t depth, int32_t* r, int32_t* g, int32_t* b);
uint16_t Colour_565_To_555(uint16_t p);
uint16_t Colour_555_To_565(uint16_t p);
void Row_565_To_555(const uint16_t* src, uint16_t* dst, int32_t count);
void Pixel_565_Nach_555(uint16_t* dst, const uint16_t* src, int32_t count);
void Row_555_To_565(const uint16_t* src, uint16_t* dst, int32_t count);
// 8-bit pixels through a palette of 256 x (R, G, B) entries of 0...63.
void Colour_Palette_To_555(const uint8_t* src, uint16_t* dst, int32_t width, int32_t height, const uint8_t* palette);
void Colour_Palette_To_565(const uint8_t* src, uint16_t* dst, int32_t width, int32_t height, const uint8_t* palette);
int32_t Colour_Luma_Pixel(uint16_t p, int32_t depth);   // (45 r + 60 g + 23 b) / 100
int32_t Colour_Luma_RGB(int32_t r, int32_t g, int32_t b);
uint16_t Colour_Contrast_Text(uint16_t p, int32_t depth);   // white on dark, 1 on light
uint16_t Colour_Set_Brightness(int32_t target, uint16_t p, int32_t depth);
// Nearest palette entry (8-bit entries) by weighted distance; never entry 0.
int32_t Colour_Palette_Nearest(uint16_t p, int32_t depth, const uint8_t* palette);
void Colour_RGB_To_YIQ(int32_t r, int32_t g, int32_t b, int32_t* y, int32_t* i, int32_t* q);
void Colour_YIQ_To_RGB(int32_t y, int32_t i, int32_t q, int32_t* r, int32_t* g, int32_t* b);
// Recolours `count` palette entries named by `list` to the hue of (r, g, b),
// keeping their brightness steps from the entry at list[reference]; results go
// to table[list entry] at the screen depth.
void Colour_Recolour_Palette(int32_t r, int32_t g, int32_t b, const uint8_t* palette, const uint8_t* list,
                             int32_t reference, int32_t count, uint16_t* table);
// Gives every pixel whose mask bit is set the hue of `colour`, keeping its brightness.
void Colour_Tint_Row(uint16_t* pixels, const uint8_t* mask, uint16_t colour, int32_t depth, int32_t count);
uint16_t Colour_Screen_Pixel(int32_t r, int32_t g, int32_t b);
// A new buffer of the same size at `depth` (8 needs a palette to write into).
PixelBuffer* PixelBuffer_Convert(PixelBuffer* pb, int32_t depth, uint8_t* palette);
uint32_t Farbe_RGB(int32_t r, int32_t g, int32_t b);
void Farbe_Zerlegen(uint32_t farbe, int32_t* r, int32_t* g, int32_t* b);
void Colour_RGB_To_HSL(uint32_t farbe, float* hue, float* lightness, float* saturation);
void Colour_HSL_To_RGB(float hue, float lightness, float saturation, int32_t* r, int32_t* g, int32_t* b);

}  // namespace velmora
