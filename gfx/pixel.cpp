// gfx/pixel.cpp
#include "gfx/pixel.h"

#include <cstddef>
#include <cstring>

namespace velmora {
namespace {

// The two 16-bit layouts: channel masks and the 8-bit expansion of a pixel
// (a 5-bit channel x 8, a 6-bit channel x 4) and its packing back (clamped).
struct F555 {
    static constexpr int32_t M[3] = {0x7C00, 0x03E0, 0x001F};
    static int32_t r8(uint16_t p) { return (p & 0x7C00) >> 7; }
    static int32_t g8(uint16_t p) { return (p & 0x03E0) >> 2; }
    static int32_t b8(uint16_t p) { return (p & 0x1F) << 3; }
    static uint16_t pack8(int32_t r, int32_t g, int32_t b) {
        r >>= 3, g >>= 3, b >>= 3;
        return uint16_t((r > 31 ? 31 : r) << 10 | (g > 31 ? 31 : g) << 5 | (b > 31 ? 31 : b));
    }
};
struct F565 {
    static constexpr int32_t M[3] = {0xF800, 0x07E0, 0x001F};
    static int32_t r8(uint16_t p) { return (p & 0xF800) >> 8; }
    static int32_t g8(uint16_t p) { return (p & 0x07E0) >> 3; }
    static int32_t b8(uint16_t p) { return (p & 0x1F) << 3; }
    static uint16_t pack8(int32_t r, int32_t g, int32_t b) {
        r >>= 3, g >>= 2, b >>= 3;
        return uint16_t((r > 31 ? 31 : r) << 11 | (g > 63 ? 63 : g) << 5 | (b > 31 ? 31 : b));
    }
};

inline int32_t Klemmen(int32_t v, int32_t m) { return (v > m ? m : v) & m; }

inline bool Maske_Gesetzt(const uint8_t* mask, ptrdiff_t i) { return (mask[i >> 3] >> (i & 7)) & 1; }

// The rectangle walk shared by every per-pixel loop: the destination pixel
// becomes op(destination, source, source index).
template <typename S, class Op>
inline int32_t Rechteck(const S* src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride, uint16_t* dst,
                        int32_t dx, int32_t dy, int32_t dstride, Op op) {
    for (int32_t y = 0; y < h; ++y) {
        ptrdiff_t si = ptrdiff_t(sy + y) * sstride + sx;
        const S* s = src + si;
        uint16_t* d = dst + ptrdiff_t(dy + y) * dstride + dx;
        for (int32_t x = 0; x < w; ++x) d[x] = op(d[x], s[x], si + x);
    }
    return 1;
}

// Half size: even source rows into consecutive destination rows, odd columns
// 2j + 1 into column j.
template <class Op>
inline int32_t Rechteck_Halb(const uint16_t* src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride,
                             uint16_t* dst, int32_t dx, int32_t dy, int32_t dstride, Op op) {
    for (int32_t y = 0; 2 * y < h; ++y) {
        ptrdiff_t si = ptrdiff_t(sy + 2 * y) * sstride + sx;
        uint16_t* d = dst + ptrdiff_t(dy + y) * dstride + dx;
        for (int32_t j = 0; 2 * j + 1 < w; ++j) d[j] = op(d[j], src[si + 2 * j + 1], si + 2 * j + 1);
    }
    return 1;
}

template <class F>
uint16_t Tint(uint16_t s, uint16_t c, int32_t f) {
    int32_t out = 0;
    for (int32_t m : F::M) out |= Klemmen(((s & m) * f >> 7) + ((((c & m) * (128 - f)) / 128) & m), m);
    return out ? uint16_t(out) : 1;
}

template <class F>
uint16_t Key_Tint(uint16_t s, uint16_t c, int32_t f) {
    int32_t out = 0;
    for (int32_t m : F::M) out |= Klemmen(((((c & m) * (128 - f)) >> 7) & m) + (((s & m) * f) >> 7), m);
    return uint16_t(out);
}

template <class F>
uint16_t Shape_Blend(uint16_t d, uint16_t s, int32_t f) {
    int32_t out = 0;
    for (int32_t m : F::M) out |= Klemmen(((((d & m) * (128 - f)) >> 7) & m) + ((((s & m) * f) >> 7) & m), m);
    return uint16_t(out);
}

template <class F>
uint16_t Shade(uint16_t p, int32_t n) {
    int32_t out = 0;
    for (int32_t m : F::M) out |= (((p & m) * n) >> 7) & m;
    return (p && !out) ? 1 : uint16_t(out);
}

template <class F>
uint16_t Grey(uint16_t p) {
    int32_t y = (45 * F::r8(p) + 60 * F::g8(p) + 23 * F::b8(p)) >> 7;
    return F::pack8(y, y, y);
}

// out = d8 x (g - a) / 256 + s8 x a / 256 per channel, g being 255 or 256.
template <class F>
uint16_t Plane(uint16_t d, uint16_t s, int32_t a, int32_t g) {
    return F::pack8((F::r8(d) * (g - a) >> 8) + (F::r8(s) * a >> 8), (F::g8(d) * (g - a) >> 8) + (F::g8(s) * a >> 8),
                    (F::b8(d) * (g - a) >> 8) + (F::b8(s) * a >> 8));
}

template <class F>
uint16_t Plane_Colour(uint16_t d, uint16_t c, int32_t a) {
    if (a <= 2) return d;
    if (a >= 240) return c;
    return Plane<F>(d, c, a, 255);
}

// Walks shape data row by row; `zeichnen(destination pixel, value)` draws.
template <typename T, bool Halb, bool Spiegel, class Zeichnen>
int32_t Shape(const T* data, uint32_t anzahl, int32_t sw, int32_t sh, uint16_t* dst, int32_t dx, int32_t dy,
              int32_t dstride, Zeichnen zeichnen) {
    constexpr uint32_t FLAG = T(1) << (sizeof(T) * 8 - 1);
    if (!data || !dst) return 1;
    uint32_t pos = 0;
    const int32_t breite = Halb ? sw / 2 : sw;
    for (int32_t r = 0; r < sh; ++r) {
        const bool zeile = !Halb || (r % 2) == 0;
        uint16_t* d = dst + ptrdiff_t(dy + (Halb ? r / 2 : r)) * dstride + dx;
        int32_t x = 0;
        while (x < sw) {
            if (pos >= anzahl) return 1;
            uint32_t c = data[pos++];
            int32_t n = int32_t(c & (FLAG - 1));
            if (c & FLAG) {
                for (int32_t k = 0; k < n; ++k, ++x) {
                    if (pos >= anzahl) return 1;
                    T v = data[pos++];
                    if (!zeile || x >= sw || (Halb && (x % 2) == 0)) continue;
                    int32_t spalte = Halb ? x / 2 : x;
                    if (Spiegel) spalte = breite - 1 - spalte;
                    zeichnen(d[spalte], v);
                }
            } else {
                x += n;
            }
        }
    }
    return 1;
}

inline uint64_t Wort_Lesen(const uint16_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// Four pixels per 64-bit word: lanes equal to the key keep the destination.
int32_t Key_Fast(const uint16_t* src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride, uint16_t* dst,
                 int32_t dx, int32_t dy, int32_t dstride, uint16_t key) {
    const uint64_t keys = 0x0001000100010001ull * key;
    for (int32_t y = 0; y < h; ++y) {
        const uint16_t* s = src + ptrdiff_t(sy + y) * sstride + sx;
        uint16_t* d = dst + ptrdiff_t(dy + y) * dstride + dx;
        int32_t x = 0;
        for (; x + 4 <= w; x += 4) {
            uint64_t sv = Wort_Lesen(s + x), dv = Wort_Lesen(d + x);
            uint64_t gleich = ~(sv ^ keys);
            // A lane is all ones exactly when its 16 bits all equal the key.
            uint64_t t = gleich & (gleich >> 8);
            t &= t >> 4;
            t &= t >> 2;
            t &= t >> 1;
            t &= 0x0001000100010001ull;
            uint64_t maske = t * 0xFFFF;
            uint64_t ergebnis = (dv & maske) | (sv & ~maske);
            std::memcpy(d + x, &ergebnis, 8);
        }
        for (; x < w; ++x)
            if (s[x] != key) d[x] = s[x];
    }
    return 1;
}

}  // namespace

#define RECHTECK_ARGS src, sx, sy, w, h, sstride, dst, dx, dy, dstride
#define RECHTECK_PARAM                                                                                           \
    const uint16_t *src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride, uint16_t *dst, int32_t dx, \
        int32_t dy, int32_t dstride
#define SHAPE_PARAM(T) \
    const T *data, uint32_t anzahl, int32_t, int32_t sw, int32_t sh, uint16_t *dst, int32_t dx, int32_t dy, int32_t dstride
#define SHAPE_ARGS data, anzahl, sw, sh, dst, dx, dy, dstride

int32_t Blit_Copy16(RECHTECK_PARAM) {
    for (int32_t y = 0; y < h; ++y)
        std::memmove(dst + ptrdiff_t(dy + y) * dstride + dx, src + ptrdiff_t(sy + y) * sstride + sx, size_t(w) * 2);
    return 1;
}

int32_t Blit_Copy16_Fast(RECHTECK_PARAM) {
    for (int32_t y = 0; y < h; ++y) {
        const uint16_t* s = src + ptrdiff_t(sy + y) * sstride + sx;
        uint16_t* d = dst + ptrdiff_t(dy + y) * dstride + dx;
        int32_t x = 0;
        for (; x + 4 <= w; x += 4) {
            uint64_t v = Wort_Lesen(s + x);
            std::memcpy(d + x, &v, 8);
        }
        for (; x < w; ++x) d[x] = s[x];
    }
    return 1;
}

int32_t Blit_Copy8(const uint8_t* src, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride, uint8_t* dst,
                   int32_t dx, int32_t dy, int32_t dstride) {
    for (int32_t y = 0; y < h; ++y)
        std::memmove(dst + ptrdiff_t(dy + y) * dstride + dx, src + ptrdiff_t(sy + y) * sstride + sx, size_t(w));
    return 1;
}

int32_t Blit_Key16(RECHTECK_PARAM) {
    return Rechteck(RECHTECK_ARGS, [](uint16_t d, uint16_t s, ptrdiff_t) { return s ? s : d; });
}
int32_t Blit_Key16_Half(RECHTECK_PARAM) {
    return Rechteck_Halb(RECHTECK_ARGS, [](uint16_t d, uint16_t s, ptrdiff_t) { return s ? s : d; });
}
int32_t Blit_Key16_Value(RECHTECK_PARAM, uint16_t key) {
    return Rechteck(RECHTECK_ARGS, [key](uint16_t d, uint16_t s, ptrdiff_t) { return s != key ? s : d; });
}
int32_t Blit_Key16_Fast(RECHTECK_PARAM) { return Key_Fast(RECHTECK_ARGS, 0); }
int32_t Blit_Key16_Colour(RECHTECK_PARAM, uint16_t key) { return Key_Fast(RECHTECK_ARGS, key); }

void Row_Key_Merge(const uint16_t* src, uint16_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i) dst[i] = src[i] ? src[i] : dst[i];
}

int32_t Blit_Mask16(RECHTECK_PARAM, const uint8_t* mask) {
    return Rechteck(RECHTECK_ARGS, [mask](uint16_t d, uint16_t s, ptrdiff_t i) { return Maske_Gesetzt(mask, i) ? s : d; });
}
int32_t Blit_Mask16_Half(RECHTECK_PARAM, const uint8_t* mask) {
    return Rechteck_Halb(RECHTECK_ARGS,
                         [mask](uint16_t d, uint16_t s, ptrdiff_t i) { return Maske_Gesetzt(mask, i) ? s : d; });
}

namespace {
auto Kopieren16() {
    return [](uint16_t& d, uint16_t v) { d = v; };
}
auto Kopieren8(const uint16_t* table) {
    return [table](uint16_t& d, uint8_t v) { d = table[v]; };
}
}  // namespace

int32_t Blit_Shape16(SHAPE_PARAM(uint16_t)) { return Shape<uint16_t, false, false>(SHAPE_ARGS, Kopieren16()); }
int32_t Blit_Shape16_Half(SHAPE_PARAM(uint16_t)) { return Shape<uint16_t, true, false>(SHAPE_ARGS, Kopieren16()); }
int32_t Blit_Shape16_Mirror(SHAPE_PARAM(uint16_t)) { return Shape<uint16_t, false, true>(SHAPE_ARGS, Kopieren16()); }
int32_t Blit_Shape8(SHAPE_PARAM(uint8_t), const uint16_t* table) {
    return table ? Shape<uint8_t, false, false>(SHAPE_ARGS, Kopieren8(table)) : 0;
}
int32_t Blit_Shape8_Half(SHAPE_PARAM(uint8_t), const uint16_t* table) {
    return table ? Shape<uint8_t, true, false>(SHAPE_ARGS, Kopieren8(table)) : 0;
}
int32_t Blit_Shape8_Mirror(SHAPE_PARAM(uint8_t), const uint16_t* table) {
    return table ? Shape<uint8_t, false, true>(SHAPE_ARGS, Kopieren8(table)) : 0;
}
int32_t Blit_Shape8_Half_Mirror(SHAPE_PARAM(uint8_t), const uint16_t* table) {
    return table ? Shape<uint8_t, true, true>(SHAPE_ARGS, Kopieren8(table)) : 0;
}
int32_t Blit_Shape565_Blend(SHAPE_PARAM(uint16_t), int32_t f) {
    return Shape<uint16_t, false, false>(SHAPE_ARGS, [f](uint16_t& d, uint16_t v) { d = Shape_Blend<F565>(d, v, f); });
}
int32_t Blit_Shape565_Blend_Half(SHAPE_PARAM(uint16_t), int32_t f) {
    return Shape<uint16_t, true, false>(SHAPE_ARGS, [f](uint16_t& d, uint16_t v) { d = Shape_Blend<F565>(d, v, f); });
}
int32_t Blit_Shape555_Blend(SHAPE_PARAM(uint16_t), int32_t f) {
    return Shape<uint16_t, false, false>(SHAPE_ARGS, [f](uint16_t& d, uint16_t v) { d = Shape_Blend<F555>(d, v, f); });
}
// Mirrored translucent sprites are not drawn.
int32_t Blit_Shape555_Blend_Mirror(SHAPE_PARAM(uint16_t), int32_t) {
    (void)data, (void)anzahl, (void)sw, (void)sh, (void)dst, (void)dx, (void)dy, (void)dstride;
    return 0;
}
int32_t Blit_Shape565_Blend_Mirror(SHAPE_PARAM(uint16_t), int32_t) {
    (void)data, (void)anzahl, (void)sw, (void)sh, (void)dst, (void)dx, (void)dy, (void)dstride;
    return 0;
}

int32_t Blit_Tint555(RECHTECK_PARAM, uint16_t c, int32_t f) {
    return Rechteck(RECHTECK_ARGS, [c, f](uint16_t, uint16_t s, ptrdiff_t) { return Tint<F555>(s, c, f); });
}
int32_t Blit_Tint565(RECHTECK_PARAM, uint16_t c, int32_t f) {
    return Rechteck(RECHTECK_ARGS, [c, f](uint16_t, uint16_t s, ptrdiff_t) { return Tint<F565>(s, c, f); });
}
int32_t Blit_Mask_Tint555(RECHTECK_PARAM, uint16_t c, int32_t f, const uint8_t* mask) {
    return Rechteck(RECHTECK_ARGS, [c, f, mask](uint16_t d, uint16_t s, ptrdiff_t i) {
        return Maske_Gesetzt(mask, i) ? Tint<F555>(s, c, f) : d;
    });
}
int32_t Blit_Mask_Tint565(RECHTECK_PARAM, uint16_t c, int32_t f, const uint8_t* mask) {
    return Rechteck(RECHTECK_ARGS, [c, f, mask](uint16_t d, uint16_t s, ptrdiff_t i) {
        return Maske_Gesetzt(mask, i) ? Tint<F565>(s, c, f) : d;
    });
}
// With factor 0 every non-zero pixel becomes the colour, the key not consulted.
int32_t Blit_Key_Tint555(RECHTECK_PARAM, uint16_t key, uint16_t c, int32_t f) {
    if (f == 0) return Rechteck(RECHTECK_ARGS, [c](uint16_t d, uint16_t s, ptrdiff_t) { return s ? c : d; });
    return Rechteck(RECHTECK_ARGS,
                    [key, c, f](uint16_t d, uint16_t s, ptrdiff_t) { return s != key ? Key_Tint<F555>(s, c, f) : d; });
}
int32_t Blit_Key_Tint565(RECHTECK_PARAM, uint16_t key, uint16_t c, int32_t f) {
    if (f == 0) return Rechteck(RECHTECK_ARGS, [c](uint16_t d, uint16_t s, ptrdiff_t) { return s ? c : d; });
    return Rechteck(RECHTECK_ARGS,
                    [key, c, f](uint16_t d, uint16_t s, ptrdiff_t) { return s != key ? Key_Tint<F565>(s, c, f) : d; });
}

int32_t Blit_Grey555(RECHTECK_PARAM) {
    return Rechteck(RECHTECK_ARGS, [](uint16_t, uint16_t s, ptrdiff_t) { return Grey<F555>(s); });
}
int32_t Blit_Grey565(RECHTECK_PARAM) {
    return Rechteck(RECHTECK_ARGS, [](uint16_t, uint16_t s, ptrdiff_t) { return Grey<F565>(s); });
}
int32_t Blit_Key_Grey555(RECHTECK_PARAM, uint16_t key) {
    return Rechteck(RECHTECK_ARGS, [key](uint16_t d, uint16_t s, ptrdiff_t) { return s != key ? Grey<F555>(s) : d; });
}
int32_t Blit_Key_Grey565(RECHTECK_PARAM, uint16_t key) {
    return Rechteck(RECHTECK_ARGS, [key](uint16_t d, uint16_t s, ptrdiff_t) { return s != key ? Grey<F565>(s) : d; });
}
int32_t Blit_Mask_Grey555(RECHTECK_PARAM, const uint8_t* mask) {
    return Rechteck(RECHTECK_ARGS,
                    [mask](uint16_t d, uint16_t s, ptrdiff_t i) { return Maske_Gesetzt(mask, i) ? Grey<F555>(s) : d; });
}
int32_t Blit_Mask_Grey565(RECHTECK_PARAM, const uint8_t* mask) {
    return Rechteck(RECHTECK_ARGS,
                    [mask](uint16_t d, uint16_t s, ptrdiff_t i) { return Maske_Gesetzt(mask, i) ? Grey<F565>(s) : d; });
}

uint16_t Pixel_Plane555(uint16_t d, uint16_t s, int32_t a, int32_t g) { return a ? Plane<F555>(d, s, a, g) : d; }
uint16_t Pixel_Plane565(uint16_t d, uint16_t s, int32_t a, int32_t g) { return a ? Plane<F565>(d, s, a, g) : d; }
uint16_t Pixel_Shade555(uint16_t p, int32_t n) { return Shade<F555>(p, n); }
uint16_t Pixel_Shade565(uint16_t p, int32_t n) { return Shade<F565>(p, n); }

int32_t Blit_Plane555(RECHTECK_PARAM, const uint8_t* plane) {
    return Rechteck(RECHTECK_ARGS,
                    [plane](uint16_t d, uint16_t s, ptrdiff_t i) { return Pixel_Plane555(d, s, plane[i], 255); });
}
int32_t Blit_Plane565(RECHTECK_PARAM, const uint8_t* plane) {
    return Rechteck(RECHTECK_ARGS,
                    [plane](uint16_t d, uint16_t s, ptrdiff_t i) { return Pixel_Plane565(d, s, plane[i], 255); });
}
// The key these loops receive is not consulted: 0 pixels blend too.
int32_t Blit_Plane256_555(RECHTECK_PARAM, uint16_t, const uint8_t* plane) {
    return Rechteck(RECHTECK_ARGS,
                    [plane](uint16_t d, uint16_t s, ptrdiff_t i) { return Pixel_Plane555(d, s, plane[i], 256); });
}
int32_t Blit_Plane256_565(RECHTECK_PARAM, uint16_t, const uint8_t* plane) {
    return Rechteck(RECHTECK_ARGS,
                    [plane](uint16_t d, uint16_t s, ptrdiff_t i) { return Pixel_Plane565(d, s, plane[i], 256); });
}
int32_t Blit_Mask_Plane555(RECHTECK_PARAM, const uint8_t* mask, const uint8_t* plane) {
    return Rechteck(RECHTECK_ARGS, [mask, plane](uint16_t d, uint16_t s, ptrdiff_t i) {
        return Maske_Gesetzt(mask, i) ? Pixel_Plane555(d, s, plane[i], 255) : d;
    });
}
int32_t Blit_Mask_Plane565(RECHTECK_PARAM, const uint8_t* mask, const uint8_t* plane) {
    return Rechteck(RECHTECK_ARGS, [mask, plane](uint16_t d, uint16_t s, ptrdiff_t i) {
        return Maske_Gesetzt(mask, i) ? Pixel_Plane565(d, s, plane[i], 255) : d;
    });
}
int32_t Blit_Plane_Colour555(const uint8_t* plane, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride,
                             uint16_t* dst, int32_t dx, int32_t dy, int32_t dstride, uint16_t c) {
    return Rechteck(plane, sx, sy, w, h, sstride, dst, dx, dy, dstride,
                    [c](uint16_t d, uint8_t a, ptrdiff_t) { return Plane_Colour<F555>(d, c, a); });
}
int32_t Blit_Plane_Colour565(const uint8_t* plane, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t sstride,
                             uint16_t* dst, int32_t dx, int32_t dy, int32_t dstride, uint16_t c) {
    return Rechteck(plane, sx, sy, w, h, sstride, dst, dx, dy, dstride,
                    [c](uint16_t d, uint8_t a, ptrdiff_t) { return Plane_Colour<F565>(d, c, a); });
}

int32_t Blit_Shade555(RECHTECK_PARAM, int32_t n) {
    return Rechteck(RECHTECK_ARGS, [n](uint16_t, uint16_t s, ptrdiff_t) { return Shade<F555>(s, n); });
}
int32_t Blit_Shade565(RECHTECK_PARAM, int32_t n) {
    return Rechteck(RECHTECK_ARGS, [n](uint16_t, uint16_t s, ptrdiff_t) { return Shade<F565>(s, n); });
}
int32_t Blit_Key_Shade555(RECHTECK_PARAM, int32_t n) {
    return Rechteck(RECHTECK_ARGS, [n](uint16_t d, uint16_t s, ptrdiff_t) { return s ? Shade<F555>(s, n) : d; });
}
int32_t Blit_Key_Shade565(RECHTECK_PARAM, int32_t n) {
    return Rechteck(RECHTECK_ARGS, [n](uint16_t d, uint16_t s, ptrdiff_t) { return s ? Shade<F565>(s, n) : d; });
}
// Where the mask is set a 0 result becomes 1, even for a 0 pixel.
int32_t Blit_Mask_Shade555(RECHTECK_PARAM, const uint8_t* mask, int32_t n) {
    return Rechteck(RECHTECK_ARGS, [mask, n](uint16_t d, uint16_t s, ptrdiff_t i) -> uint16_t {
        if (!Maske_Gesetzt(mask, i)) return d;
        uint16_t v = Shade<F555>(s, n);
        return v ? v : 1;
    });
}
int32_t Blit_Mask_Shade565(RECHTECK_PARAM, const uint8_t* mask, int32_t n) {
    return Rechteck(RECHTECK_ARGS, [mask, n](uint16_t d, uint16_t s, ptrdiff_t i) -> uint16_t {
        if (!Maske_Gesetzt(mask, i)) return d;
        uint16_t v = Shade<F565>(s, n);
        return v ? v : 1;
    });
}

}  // namespace velmora
