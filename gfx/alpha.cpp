// gfx/alpha.cpp
#include "gfx/alpha.h"

#include <cstdlib>
#include <cstring>

#include "core/debug.h"
#include "core/mem.h"
#include "gfx/blit.h"
#include "gfx/pixel.h"
#include "gfx/text_markup.h"
#include "platform/clock.h"

namespace velmora {
namespace {

constexpr int32_t PULS_SLOTS = 10;

struct PulsSlot {
    int32_t key = 0;
    uint32_t zeit = 0;
    int32_t wert = 5;
    int32_t schritt = 5;
};

struct AlphaModul {
    PulsSlot puls[PULS_SLOTS];
};
AlphaModul g;

// A plane of the source's size at percent x 255 / 100, or none.
uint8_t* Ebene(const Rastport* src, int32_t percent) {
    size_t n = size_t(src->width) * src->height;
    if (n == 0) return nullptr;
    int32_t a = percent * 255 / 100;
    a = a < 0 ? 0 : (a > 255 ? 255 : a);
    return static_cast<uint8_t*>(Mem_Alloc_Fill(n, "Blit_Alpha", uint8_t(a)));
}

int32_t Mit_Ebene(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx, int32_t dy,
                  int32_t percent, bool zwei) {
    if (!src || !dst) return 0;
    if (src->alpha)
        return Rastport_Blit(src, sx, sy, w, h, dst, dx, dy, zwei ? BlitMode_Plane : BlitMode_Key_Plane);
    src->alpha = Ebene(src, percent);
    if (!src->alpha) return 0;
    if (zwei) Rastport_Blit(src, sx, sy, w, h, dst, dx, dy, BlitMode_Plane);
    else Blit_Alpha_Plane565(src, sx, sy, w, h, dst, dx, dy);
    src->alpha = static_cast<uint8_t*>(Mem_Free(src->alpha));
    return 0;
}

}  // namespace

int32_t Blit_Alpha(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx, int32_t dy,
                   int32_t percent) {
    return Mit_Ebene(src, sx, sy, w, h, dst, dx, dy, percent, false);
}

int32_t Blit_Alpha_2(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                     int32_t dy, int32_t percent) {
    return Mit_Ebene(src, sx, sy, w, h, dst, dx, dy, percent, true);
}

void Blit_Alpha_Plane565(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                         int32_t dy) {
    if (!src || !dst || !src->alpha) return;
    if (w == -1) w = int32_t(src->width);
    if (h == -1) h = int32_t(src->height);
    if (!Blit_Clip(&sx, &sy, &w, &h, int32_t(src->width), int32_t(src->height), &dx, &dy, int32_t(dst->width),
                   int32_t(dst->height)))
        return;
    if (!Rastport_Lock(src)) return;
    if (Rastport_Lock(dst)) {
        const uint16_t* s = Rastport_Pixels16(src);
        uint16_t* d = Rastport_Pixels16(dst);
        const uint32_t sd = Rastport_Depth(src), dd = Rastport_Depth(dst);
        if (s && d && (sd == 15 || sd == 16) && (dd == 15 || dd == 16)) {
            for (int32_t y = 0; y < h; ++y) {
                const size_t si = size_t(sy + y) * src->width + sx;
                uint16_t* zeile = d + size_t(dy + y) * dst->width + dx;
                for (int32_t x = 0; x < w; ++x) {
                    if (!s[si + x]) continue;
                    // A 5-5-5 destination is blended by its own layout, not as 5-6-5.
                    zeile[x] = dd == 15 ? Pixel_Plane555(zeile[x], s[si + x], src->alpha[si + x], 256)
                                        : Pixel_Plane565(zeile[x], s[si + x], src->alpha[si + x], 256);
                }
            }
        }
        Rastport_Unlock(dst);
    }
    Rastport_Unlock(src);
}

int32_t Blit_Transparent(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                         int32_t dy) {
    return Blit_Alpha_2(src, sx, sy, w, h, dst, dx, dy, Blit_Puls_Wert(dx, dy));
}

int32_t Blit_Transparent_2(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                           int32_t dy) {
    return Blit_Alpha(src, sx, sy, w, h, dst, dx, dy, Blit_Puls_Wert(dx, dy));
}

int32_t Blit_Puls_Wert(int32_t x, int32_t y) { return Blit_Puls_Wert_Bei(x, y, Plat_Ms()); }

int32_t Blit_Puls_Wert_Bei(int32_t x, int32_t y, uint32_t jetzt) {
    const int32_t key = x + 1000 * y + 1;
    PulsSlot* s = nullptr;
    for (PulsSlot& p : g.puls)
        if (p.key == key) s = &p;
    if (!s) {
        for (int32_t i = 0; i + 1 < PULS_SLOTS; ++i) g.puls[i] = g.puls[i + 1];
        g.puls[PULS_SLOTS - 1] = PulsSlot{key, 0, 5, 5};
        return 5;
    }
    if (jetzt - s->zeit > 50) {
        s->zeit = jetzt;
        s->wert += s->schritt;
        if (s->wert >= 100) {
            s->wert = 100;
            s->schritt = -s->schritt;
        } else if (s->wert < 6) {
            s->wert = 5;
            s->schritt = -s->schritt;
        }
        if (s->wert == 50) s->schritt = s->schritt > 0 ? 10 : -5;
        else if (s->wert == 70) s->schritt = s->schritt > 0 ? 5 : -10;
    }
    return s->wert;
}

int32_t Blt_Alpha(Rastport* src, Rastport* alpha, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst,
                  int32_t dx, int32_t dy) {
    if (!alpha) {
        Debug_Printf("Blt_Alpha() rpAlpha == NULL\n");
        return 0;
    }
    if (!src) {
        Debug_Printf("Blt_Alpha() rpSrc   == NULL\n");
        return 0;
    }
    if (!dst) {
        Debug_Printf("Blt_Alpha() rpDest  == NULL\n");
        return 0;
    }
    if (!Rastport_Lock(alpha)) return 0;
    PixelBuffer* pb = alpha->pixels;
    // The lent bytes serve as a plane of the source's size: they must cover it.
    if (!pb || !pb->pixels || pb->byte_size < uint64_t(src->width) * src->height) {
        Debug_Printf("Blt_Alpha: Alpha-Bild kleiner als die Quelle\n");
        Rastport_Unlock(alpha);
        return 0;
    }
    uint8_t* eigene = src->alpha;
    src->alpha = static_cast<uint8_t*>(pb->pixels);
    int32_t r = Rastport_Blit(src, sx, sy, w, h, dst, dx, dy, BlitMode_Key_Plane);
    src->alpha = eigene;
    Rastport_Unlock(alpha);
    return r;
}

void Blt_Alpha_Element(Rastport* dst, Font* font, const char* text, int32_t x, int32_t y, int32_t percent) {
    if (!dst || !font || !text || !*text) {
        Debug_Printf("Blt_Alpha_Element: Parameter fehlt\n");
        return;
    }
    const int32_t w = Text_Block_Size(font, text), h = 2 * font->baseline;
    if (w < 1 || h < 1) return;
    Rastport* rp = Rastport_Create(w, h, Rastport_Screen_Depth(), 0, 0);
    if (!rp) return;
    Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
    Text_Render(rp, font, font->farbe, text, 0, font->baseline - 1, 0);
    Blit_Alpha(rp, 0, 0, -1, -1, dst, x, y - font->baseline, percent);
    Rastport_Free(rp);
}

}  // namespace velmora
