// gfx/colour.cpp
#include "gfx/colour.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/mem.h"

namespace velmora {

int32_t Colour_Clamp255(int32_t v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

uint16_t Colour_Pack565(int32_t r, int32_t g, int32_t b) {
    r = Colour_Clamp255(r), g = Colour_Clamp255(g), b = Colour_Clamp255(b);
    return uint16_t(((r << 8) & 0xF800) + ((g * 8) & 0x07E0) + ((b >> 3) & 0x1F));
}

uint16_t Colour_Pack555(int32_t r, int32_t g, int32_t b) {
    r = Colour_Clamp255(r), g = Colour_Clamp255(g), b = Colour_Clamp255(b);
    return uint16_t(((r << 7) & 0x7C00) | ((g << 2) & 0x03E0) | (b >> 3));
}

uint16_t Colour_Make(int32_t depth, int32_t r, int32_t g, int32_t b) {
    if (depth == 8 || depth == 16) return Colour_Pack565(r, g, b);
    if (depth == 15) return Colour_Pack555(r, g, b);
    return 0;
}

uint16_t Colour_Make16(int32_t depth, int32_t r, int32_t g, int32_t b) { return Colour_Make(depth, r, g, b); }

uint16_t Colour_From_RGB24(uint32_t rgb) {
    int32_t depth = Rastport_Screen_Depth();
    if (depth != 15 && depth != 16) return 0;
    return Colour_Make(depth, int32_t((rgb >> 16) & 0xFF), int32_t((rgb >> 8) & 0xFF), int32_t(rgb & 0xFF));
}

void Colour_Split(uint16_t p, int32_t depth, int32_t* r, int32_t* g, int32_t* b) {
    int32_t rr, gg, bb;
    if (depth == 16) {
        rr = (p & 0xF800) >> 8, gg = (p & 0x07E0) >> 3, bb = (p & 0x1F) * 8;
    } else if (depth == 15) {
        rr = (p & 0x7C00) >> 7, gg = (p & 0x03E0) >> 2, bb = (p & 0x1F) * 8;
    } else {
        return;
    }
    if (r) *r = rr;
    if (g) *g = gg;
    if (b) *b = bb;
}

uint16_t Colour_565_To_555(uint16_t p) { return uint16_t(((p & 0xF800) >> 1) | (((p & 0x07E0) >> 1) & 0x03E0) | (p & 0x1F)); }
uint16_t Colour_555_To_565(uint16_t p) { return uint16_t(((p & 0x7C00) * 2) | ((p & 0x03E0) * 2) | (p & 0x1F)); }

// Bit 15 of the result repeats bit 15 of the source; 5-5-5 surfaces ignore it.
void Row_565_To_555(const uint16_t* src, uint16_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i) dst[i] = uint16_t(((int16_t(src[i]) >> 1) & ~0x1F) | (src[i] & 0x1F));
}

void Pixel_565_Nach_555(uint16_t* dst, const uint16_t* src, int32_t count) { Row_565_To_555(src, dst, count); }

void Row_555_To_565(const uint16_t* src, uint16_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i) dst[i] = uint16_t(((src[i] & 0xFFE0) * 2) | (src[i] & 0x1F));
}

void Colour_Palette_To_555(const uint8_t* src, uint16_t* dst, int32_t width, int32_t height, const uint8_t* pal) {
    const int32_t n = width * height;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t* e = pal + 3 * src[i];
        dst[i] = uint16_t((e[0] >> 1) << 10 | (e[1] >> 1) << 5 | (e[2] >> 1));
    }
}

void Colour_Palette_To_565(const uint8_t* src, uint16_t* dst, int32_t width, int32_t height, const uint8_t* pal) {
    const int32_t n = width * height;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t* e = pal + 3 * src[i];
        dst[i] = uint16_t((e[0] >> 1) << 11 | e[1] << 5 | (e[2] >> 1));
    }
}

int32_t Colour_Luma_Pixel(uint16_t p, int32_t depth) {
    int32_t r = 0, g = 0, b = 0;
    Colour_Split(p, depth, &r, &g, &b);
    return (45 * r + 60 * g + 23 * b) / 100;
}

int32_t Colour_Luma_RGB(int32_t r, int32_t g, int32_t b) {
    return (45 * Colour_Clamp255(r) + 60 * Colour_Clamp255(g) + 23 * Colour_Clamp255(b)) / 100;
}

uint16_t Colour_Contrast_Text(uint16_t p, int32_t depth) { return Colour_Luma_Pixel(p, depth) < 181 ? 65535 : 1; }

uint16_t Colour_Set_Brightness(int32_t target, uint16_t p, int32_t depth) {
    int32_t r = 0, g = 0, b = 0;
    Colour_Split(p, depth, &r, &g, &b);
    int32_t l = (35 * r + 47 * g + 18 * b) / 100;
    int32_t d = (target - l) / 3;
    return Colour_Make(depth, Colour_Clamp255(r + d), Colour_Clamp255(g + d), Colour_Clamp255(b + d));
}

int32_t Colour_Palette_Nearest(uint16_t p, int32_t depth, const uint8_t* pal) {
    int32_t r = 0, g = 0, b = 0;
    Colour_Split(p, depth, &r, &g, &b);
    int32_t best = 10000000, ergebnis = 1;
    for (int32_t k = 1; k < 256; ++k) {
        const uint8_t* e = pal + 3 * k;
        int32_t d = 35 * std::abs(r - e[0]) + 47 * std::abs(g - e[1]) + 18 * std::abs(b - e[2]);
        if (d < best) {
            best = d, ergebnis = k;
            if (best < 400) break;
        }
    }
    return ergebnis;
}

void Colour_RGB_To_YIQ(int32_t r, int32_t g, int32_t b, int32_t* y, int32_t* i, int32_t* q) {
    double rr = r / 255.0, gg = g / 255.0, bb = b / 255.0;
    if (y) *y = int32_t((0.299 * rr + 0.587 * gg + 0.114 * bb) * 10000.0);
    if (i) *i = int32_t((0.596 * rr - 0.275 * gg - 0.321 * bb) * 10000.0);
    if (q) *q = int32_t((0.212 * rr - 0.523 * gg + 0.311 * bb) * 10000.0);
}

void Colour_YIQ_To_RGB(int32_t y, int32_t i, int32_t q, int32_t* r, int32_t* g, int32_t* b) {
    double yy = y / 10000.0, ii = i / 10000.0, qq = q / 10000.0;
    *r = Colour_Clamp255(int32_t((yy + 0.956 * ii + 0.621 * qq) * 255.0));
    *g = Colour_Clamp255(int32_t((yy - 0.272 * ii - 0.647 * qq) * 255.0));
    *b = Colour_Clamp255(int32_t((yy - 1.105 * ii + 1.702 * qq) * 255.0));
}

void Colour_Recolour_Palette(int32_t r, int32_t g, int32_t b, const uint8_t* pal, const uint8_t* list,
                             int32_t reference, int32_t count, uint16_t* table) {
    if (!pal || !list || !table || reference < 0 || count < 0) return;
    int32_t yt, it, qt, yref;
    Colour_RGB_To_YIQ(r, g, b, &yt, &it, &qt);
    const uint8_t* e = pal + 3 * list[reference];
    Colour_RGB_To_YIQ(e[0] * 4, e[1] * 4, e[2] * 4, &yref, nullptr, nullptr);
    const int32_t d = yt - yref;
    const int32_t depth = Rastport_Screen_Depth();
    for (int32_t j = 0; j < count; ++j) {
        const int32_t k = list[j];
        int32_t yk, rr, gg, bb;
        Colour_RGB_To_YIQ(pal[3 * k] * 4, pal[3 * k + 1] * 4, pal[3 * k + 2] * 4, &yk, nullptr, nullptr);
        Colour_YIQ_To_RGB(yk + d, it, qt, &rr, &gg, &bb);
        table[k] = Colour_Make16(depth, rr, gg, bb);
    }
}

void Colour_Tint_Row(uint16_t* pixels, const uint8_t* mask, uint16_t colour, int32_t depth, int32_t count) {
    if (!pixels || !mask) return;
    int32_t r = 0, g = 0, b = 0, ic, qc;
    Colour_Split(colour, depth, &r, &g, &b);
    Colour_RGB_To_YIQ(r, g, b, nullptr, &ic, &qc);
    for (int32_t i = 0; i < count; ++i) {
        if (!((mask[i >> 3] >> (i & 7)) & 1)) continue;
        int32_t pr = 0, pg = 0, pb = 0, y;
        Colour_Split(pixels[i], depth, &pr, &pg, &pb);
        Colour_RGB_To_YIQ(pr, pg, pb, &y, nullptr, nullptr);
        Colour_YIQ_To_RGB(y, ic, qc, &pr, &pg, &pb);
        pixels[i] = Colour_Make16(depth, pr, pg, pb);
    }
}

uint16_t Colour_Screen_Pixel(int32_t r, int32_t g, int32_t b) {
    // Compared as unsigned values: anything outside 0...255, negatives included, is 255.
    if (uint32_t(r) > 255) r = 255;
    if (uint32_t(g) > 255) g = 255;
    if (uint32_t(b) > 255) b = 255;
    Rastport* s = Rastport_Screen();
    int32_t depth = (s && s->pixels) ? int32_t(s->pixels->depth) : 16;
    if (depth == 15) return Colour_Pack555(r, g, b);
    if (depth == 8 || depth == 16) return Colour_Pack565(r, g, b);
    return 0;
}

PixelBuffer* PixelBuffer_Convert(PixelBuffer* pb, int32_t depth, uint8_t* palette) {
    if (!pb) return nullptr;
    if (!pb->pixels && !PixelBuffer_Unpack(pb)) return nullptr;
    const int32_t von = int32_t(pb->depth);
    const bool ist16 = von == 15 || von == 16;
    const bool moeglich = (von == 8 && (depth == 15 || depth == 16) && palette) || (von == 15 && depth == 16) ||
                          (von == 16 && depth == 15) || (ist16 && depth == 8 && palette);
    if (!moeglich) return nullptr;
    PixelBuffer* neu = PixelBuffer_Create(int32_t(pb->width), int32_t(pb->height), depth, 0);
    if (!neu) return nullptr;
    const int32_t w = int32_t(pb->width), h = int32_t(pb->height), n = w * h;
    const auto* s8 = static_cast<const uint8_t*>(pb->pixels);
    const auto* s16 = static_cast<const uint16_t*>(pb->pixels);
    auto* d16 = static_cast<uint16_t*>(neu->pixels);
    if (von == 8) {
        if (depth == 15) Colour_Palette_To_555(s8, d16, w, h, palette);
        else Colour_Palette_To_565(s8, d16, w, h, palette);
    } else if (depth == 16) {
        Row_555_To_565(s16, d16, n);
    } else if (depth == 15) {
        Row_565_To_555(s16, d16, n);
    } else {
        auto* d8 = static_cast<uint8_t*>(neu->pixels);
        std::memset(d8, 0, neu->byte_size);
        uint8_t acht[768];
        for (int32_t i = 0; i < 768; ++i) acht[i] = uint8_t(palette[i] * 4);
        for (int32_t i = 0; i < n; ++i) d8[i] = s16[i] ? uint8_t(Colour_Palette_Nearest(s16[i], von, acht)) : 0;
    }
    return neu;
}

uint32_t Farbe_RGB(int32_t r, int32_t g, int32_t b) { return uint32_t(r + (g << 8) + (b << 16)); }

void Farbe_Zerlegen(uint32_t farbe, int32_t* r, int32_t* g, int32_t* b) {
    if (r) *r = int32_t(farbe & 0xFF);
    if (g) *g = int32_t((farbe >> 8) & 0xFF);
    if (b) *b = int32_t((farbe >> 16) & 0xFF);
}

void Colour_RGB_To_HSL(uint32_t farbe, float* hue, float* lightness, float* saturation) {
    int32_t r, g, b;
    Farbe_Zerlegen(farbe, &r, &g, &b);
    const float mx = float(std::max(r, std::max(g, b))), mn = float(std::min(r, std::min(g, b)));
    const float l = (mx + mn) / 510.0f;
    float h = 0, s = 0;
    if (mx != mn) {
        const float d = mx - mn;
        s = l < 0.5f ? d / (mx + mn) : d / (510.0f - mx - mn);
        if (float(r) == mx) h = 60.0f * (6.0f + (mx - float(b)) / d - (mx - float(g)) / d);
        if (float(g) == mx) h = 60.0f * (2.0f + (mx - float(r)) / d - (mx - float(b)) / d);
        if (float(b) == mx) h = 60.0f * (4.0f + (mx - float(g)) / d - (mx - float(r)) / d);
        if (h >= 360.0f) h -= 360.0f;
    }
    if (hue) *hue = h;
    if (lightness) *lightness = l;
    if (saturation) *saturation = s;
}

namespace {
float HSL_Hue_Value(float m1, float m2, float h) {
    h = std::fmod(h, 360.0f);
    if (h < 0) h += 360.0f;
    if (h < 60.0f) return m1 + (m2 - m1) * h / 60.0f;
    if (h < 180.0f) return m2;
    if (h < 240.0f) return m1 + (m2 - m1) * (240.0f - h) / 60.0f;
    return m1;
}
}  // namespace

void Colour_HSL_To_RGB(float hue, float l, float s, int32_t* r, int32_t* g, int32_t* b) {
    if (s == 0) {
        *r = *g = *b = int32_t(l * 255.0f);
        return;
    }
    const float m2 = l < 0.5f ? l * (1 + s) : l + s - l * s;
    const float m1 = 2 * l - m2;
    *r = int32_t(HSL_Hue_Value(m1, m2, hue + 120.0f) * 255.0f);
    *g = int32_t(HSL_Hue_Value(m1, m2, hue) * 255.0f);
    *b = int32_t(HSL_Hue_Value(m1, m2, hue - 120.0f) * 255.0f);
}

}  // namespace velmora
