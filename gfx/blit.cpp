// gfx/blit.cpp
#include "gfx/blit.h"

#include <cstdlib>
#include <cstring>

#include "core/bytes.h"
#include "gfx/pixel.h"
#include "gfx/text_pruefung.h"

namespace velmora {
namespace {

struct BlitModul {
    BlitMode standard{};
    BlitMode key{.key = 1};
    BlitMode mask{.mask = 1};
    BlitMode plane_colour{.plane_colour = 1};
    BlitMode text{.key = 1, .tint = 1, .colour = 1};
    BlitMode shape{.shape = 1};
    BlitMode mask_plane_shape{.mask = 1, .alpha = 1, .shape = 1};
    BlitMode key_plane{.key = 1, .alpha = 1};
    BlitMode plane{.alpha = 1};
    BlitMode fill{.key = 1};
};
BlitModul g;

int32_t Klemmen255(int32_t v) { return v < -255 ? -255 : (v > 255 ? 255 : v); }

bool Ist16(uint32_t depth) { return depth == 15 || depth == 16; }

// The shape path: only the whole source at 0, 0, and only when the shape lies
// within the source's own size (which the clip has placed inside the destination).
int32_t Shape_Zeichnen(const Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, uint16_t* dst, int32_t dx,
                       int32_t dy, int32_t dstride) {
    if (sx != 0 || sy != 0 || uint32_t(w) != src->width || uint32_t(h) != src->height) return 0;
    const uint8_t* kopf = src->shape;
    int32_t sw = int16_t(Bytes_Get16(kopf + SHAPE_OFS_WIDTH));
    int32_t sh = int16_t(Bytes_Get16(kopf + SHAPE_OFS_HEIGHT));
    if (sw < 0 || sh < 0 || sw > w || sh > h) return 0;
    uint32_t start = Bytes_Get32(kopf + SHAPE_OFS_DATA);
    uint32_t worte = Shape_Words(kopf, src->shape_size);
    const auto* daten = reinterpret_cast<const uint16_t*>(kopf + start);
    int32_t extra = int32_t(Bytes_Get32(kopf + SHAPE_OFS_EXTRA));
    if (kopf[SHAPE_OFS_MIRRORED]) Blit_Shape16_Mirror(daten, worte, extra, sw, sh, dst, dx, dy, dstride);
    else Blit_Shape16(daten, worte, extra, sw, sh, dst, dx, dy, dstride);
    return 1;
}

}  // namespace

BlitMode* const BlitMode_Default = &g.standard;
BlitMode* const BlitMode_Key = &g.key;
BlitMode* const BlitMode_Mask = &g.mask;
BlitMode* const BlitMode_Plane_Colour = &g.plane_colour;
BlitMode* const BlitMode_Text = &g.text;
BlitMode* const BlitMode_Shape = &g.shape;
BlitMode* const BlitMode_Mask_Plane_Shape = &g.mask_plane_shape;
BlitMode* const BlitMode_Key_Plane = &g.key_plane;
BlitMode* const BlitMode_Plane = &g.plane;
BlitMode* const BlitMode_Fill = &g.fill;

int32_t Blit_Clip(int32_t* psx, int32_t* psy, int32_t* pw, int32_t* ph, int32_t src_w, int32_t src_h, int32_t* pdx,
                  int32_t* pdy, int32_t dst_w, int32_t dst_h) {
    // Wide arithmetic, so that no sum of two coordinates can overflow.
    int64_t sx = *psx, sy = *psy, w = *pw, h = *ph, dx = *pdx, dy = *pdy;
    if (sx >= 0 && sx + w <= src_w && sy >= 0 && sy + h <= src_h && dx >= 0 && dx + w <= dst_w && dy >= 0 &&
        dy + h <= dst_h && h >= 1 && w >= 1)
        return 1;
    if (sx >= src_w || sy >= src_h || sx + w < 1 || sy + h < 1 || dx >= dst_w || dy >= dst_h) return 0;
    if (sx < 0) {
        w += sx, dx -= sx, sx = 0;
        if (w < 1) return 0;
    }
    if (sx + w > src_w) w = src_w - sx;
    if (sy < 0) {
        h += sy, dy -= sy, sy = 0;
        if (h < 1) h = 0;
    }
    if (sy + h > src_h) h = src_h - sy;
    if (h < 1 || w < 1 || dx + w < 1 || dy + h < 1) return 0;
    if (dx < 0) {
        sx -= dx, w += dx, dx = 0;
        if (w < 1) return 0;
    }
    if (dy < 0) {
        sy -= dy, h += dy, dy = 0;
        if (h < 1) return 0;
    }
    if (dx + w > dst_w) {
        w = dst_w - dx;
        if (w < 1) return 0;
    }
    if (dy + h > dst_h) {
        h = dst_h - dy;
        if (h < 1) return 0;
    }
    if (w < 0 || h < 0 || dx < 0 || dy < 0 || sx < 0 || sy < 0) return 0;
    *psx = int32_t(sx), *psy = int32_t(sy), *pw = int32_t(w), *ph = int32_t(h), *pdx = int32_t(dx),
    *pdy = int32_t(dy);
    return 1;
}

int32_t Blit_Mode_Check(const Rastport* src, BlitMode* m) {
    if (!src->third) m->alternate = 0;
    if (!src->alpha) m->alpha = 0;
    if (!src->mask) m->mask = 0;
    if (!src->shape) m->shape = 0;
    m->factor2 = Klemmen255(m->factor2);
    m->factor = Klemmen255(m->factor);
    return 1;
}

int32_t Rastport_Blit(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                      int32_t dy, const BlitMode* mode) {
    if (!src || !dst) return 0;
    if (w == -1) w = int32_t(src->width);
    if (h == -1) h = int32_t(src->height);
    if (!Blit_Clip(&sx, &sy, &w, &h, int32_t(src->width), int32_t(src->height), &dx, &dy, int32_t(dst->width),
                   int32_t(dst->height)))
        return 0;
    if (Text_Pruefung_An()) Text_Pruefung_Flaeche(dst, dx, dy, w, h);
    BlitMode m = mode ? *mode : *BlitMode_Default;
    Blit_Mode_Check(src, &m);
    if (!Rastport_Lock(src)) return 0;
    if (!Rastport_Lock(dst)) {
        Rastport_Unlock(src);
        return 0;
    }
    const uint32_t sd = Rastport_Depth(src);
    const uint32_t dd = Rastport_Depth(dst);
    const void* sp = src->pixels ? src->pixels->pixels : nullptr;
    void* dp = dst->pixels ? dst->pixels->pixels : nullptr;
    const auto* s16 = static_cast<const uint16_t*>(sp);
    auto* d16 = static_cast<uint16_t*>(dp);
    const int32_t ss = int32_t(src->width), ds = int32_t(dst->width);
    const bool d5 = dd == 15;
    // A 16-bit loop reads and writes two bytes per pixel: both sides must have them.
    const bool beide16 = s16 && d16 && Ist16(sd) && Ist16(dd);
    const bool s5 = sd == 15;
    int32_t r = 0;
#define ARGS s16, sx, sy, w, h, ss, d16, dx, dy, ds
    if (m.shape) {
        if (d16 && Ist16(dd)) r = Shape_Zeichnen(src, sx, sy, w, h, d16, dx, dy, ds);
    } else if (m.plane_colour) {
        const auto* plane = src->alpha ? src->alpha : static_cast<const uint8_t*>(sp);
        if (plane && d16 && Ist16(dd)) {
            r = d5 ? Blit_Plane_Colour555(plane, sx, sy, w, h, ss, d16, dx, dy, ds, m.colour)
                   : Blit_Plane_Colour565(plane, sx, sy, w, h, ss, d16, dx, dy, ds, m.colour);
        }
    } else if (!beide16 && !(sd == 8 && dd == 8 && sp && dp && !m.key && !m.mask && !m.grey && !m.tint && !m.alpha)) {
        r = 0;
    } else if (m.alpha) {
        if (m.grey || m.tint) r = 0;
        else if (m.mask) r = s5 ? Blit_Mask_Plane555(ARGS, src->mask, src->alpha) : Blit_Mask_Plane565(ARGS, src->mask, src->alpha);
        else if (m.key) r = s5 ? Blit_Plane256_555(ARGS, m.key_colour, src->alpha) : Blit_Plane256_565(ARGS, m.key_colour, src->alpha);
        else r = s5 ? Blit_Plane555(ARGS, src->alpha) : Blit_Plane565(ARGS, src->alpha);
    } else if (!m.key && !m.mask) {
        if (m.grey) r = s5 ? Blit_Grey555(ARGS) : Blit_Grey565(ARGS);
        else if (m.tint) r = s5 ? Blit_Tint555(ARGS, m.colour, m.factor) : Blit_Tint565(ARGS, m.colour, m.factor);
        else if (sd == 8)
            r = Blit_Copy8(static_cast<const uint8_t*>(sp), sx, sy, w, h, ss, static_cast<uint8_t*>(dp), dx, dy, ds);
        else r = Blit_Copy16(ARGS);
    } else if (!m.mask) {
        if (m.grey) r = s5 ? Blit_Key_Grey555(ARGS, m.key_colour) : Blit_Key_Grey565(ARGS, m.key_colour);
        else if (m.tint)
            r = s5 ? Blit_Key_Tint555(ARGS, m.key_colour, m.colour, m.factor)
                   : Blit_Key_Tint565(ARGS, m.key_colour, m.colour, m.factor);
        else if (src->pixels->key_colour) r = Blit_Key16_Colour(ARGS, uint16_t(src->pixels->key_colour));
        else r = Blit_Key16_Fast(ARGS);
    } else {
        if (m.grey) r = s5 ? Blit_Mask_Grey555(ARGS, src->mask) : Blit_Mask_Grey565(ARGS, src->mask);
        else if (m.tint)
            r = s5 ? Blit_Mask_Tint555(ARGS, m.colour, m.factor, src->mask)
                   : Blit_Mask_Tint565(ARGS, m.colour, m.factor, src->mask);
        else r = Blit_Mask16(ARGS, src->mask);
    }
#undef ARGS
    Rastport_Unlock(dst);
    Rastport_Unlock(src);
    return r;
}

int32_t Fill_Rect16(uint16_t* pixels, int32_t x, int32_t y, int32_t w, int32_t h, int32_t stride, uint16_t colour) {
    const uint32_t paar = uint32_t(colour) * 0x10001u;
    for (int32_t j = 0; j < h; ++j) {
        uint16_t* zeile = pixels + ptrdiff_t(y + j) * stride + x;
        int32_t i = 0;
        for (; i + 2 <= w; i += 2) std::memcpy(zeile + i, &paar, 4);
        if (i < w) zeile[i] = colour;
    }
    return 1;
}

int32_t Rastport_Fill(Rastport* rp, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, const BlitMode*) {
    if (!rp) return 0;
    int64_t bw = rp->width, bh = rp->height;
    int64_t X = x, Y = y, W = w == -1 ? bw : w, H = h == -1 ? bh : h;
    if (X > bw || Y > bh || X + W < 1 || Y + H < 1) return 0;
    if (X < 0) W = X + W, X = 0;
    if (Y < 0) H += Y, Y = 0;
    if (X + W > bw) W = bw - X;
    if (Y + H > bh) H = bh - Y;
    if (W < 1 || H < 1) return 0;
    if (Text_Pruefung_An()) Text_Pruefung_Flaeche(rp, int32_t(X), int32_t(Y), int32_t(W), int32_t(H));
    if (!Rastport_Lock(rp)) return 0;
    uint16_t* p = Rastport_Pixels16(rp);
    if (p && Ist16(Rastport_Depth(rp)))
        Fill_Rect16(p, int32_t(X), int32_t(Y), int32_t(W), int32_t(H), int32_t(rp->width), colour);
    Rastport_Unlock(rp);
    return 0;
}

int32_t Rastport_Draw_Frame(Rastport* rp, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t t,
                            const BlitMode* mode) {
    Rastport_Fill(rp, x, y, w, t, colour, mode);
    Rastport_Fill(rp, x, y + t, t, h - t, colour, mode);
    Rastport_Fill(rp, x + t, y + h - t, w - t, t, colour, mode);
    Rastport_Fill(rp, x + w - t, y + t, t, h - 2 * t, colour, mode);
    return 1;
}

void Line_Vertical(uint16_t* pixels, int32_t x, int32_t y1, int32_t y2, int32_t stride, uint16_t colour) {
    for (int32_t y = y1; y < y2; ++y) pixels[ptrdiff_t(y) * stride + x] = colour;
}

void Line_Horizontal(uint16_t* pixels, int32_t x1, int32_t x2, int32_t y, int32_t stride, uint16_t colour) {
    for (int32_t x = x1; x < x2; ++x) pixels[ptrdiff_t(y) * stride + x] = colour;
}

void Line_Draw(uint16_t* pixels, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t stride, uint16_t colour) {
    const int32_t ax = std::abs(x2 - x1), ay = std::abs(y2 - y1);
    const int32_t sx = x2 >= x1 ? 1 : -1, sy = y2 >= y1 ? 1 : -1;
    const bool y_haupt = ay > ax;
    const int32_t major = y_haupt ? ay : ax, minor = y_haupt ? ax : ay;
    int32_t e = 2 * minor - major;
    int32_t x = x1, y = y1;
    for (int32_t i = 0; i <= major; ++i) {
        pixels[ptrdiff_t(y) * stride + x] = colour;
        if (e >= 0) {
            if (y_haupt) x += sx;
            else y += sy;
            e -= 2 * major;
        }
        if (y_haupt) y += sy;
        else x += sx;
        e += 2 * minor;
    }
}

}  // namespace velmora
