// gfx/shade.cpp
#include "gfx/shade.h"

#include <cstring>

#include "core/debug.h"
#include "core/mem.h"
#include "gfx/blit.h"
#include "gfx/pixel.h"

namespace velmora {
namespace {

const uint8_t K3[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
const uint8_t K5[25] = {0, 1, 2, 1, 0, 1, 2, 3, 2, 1, 2, 3, 4, 3, 2, 1, 2, 3, 2, 1, 0, 1, 2, 1, 0};
const uint8_t K7[49] = {0, 1, 1, 2, 1, 1, 0, 0, 1, 1, 2, 1, 1, 0, 1, 1, 3, 4, 2, 1, 1, 1, 2, 4, 5,
                        4, 2, 1, 1, 1, 2, 4, 2, 1, 1, 0, 1, 1, 2, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0};
const uint8_t K9[81] = {0, 0, 1, 1, 2, 1, 1, 0, 0, 0, 0, 1, 2, 2, 2, 1, 0, 0, 0, 1, 2, 2, 3, 2, 2,
                        1, 0, 0, 1, 2, 4, 4, 3, 2, 1, 0, 0, 1, 2, 4, 5, 4, 2, 1, 0, 0, 1, 2, 3, 4,
                        3, 2, 1, 0, 0, 1, 2, 2, 3, 2, 2, 1, 0, 0, 0, 1, 2, 2, 2, 1, 0, 0, 0, 0, 1,
                        1, 2, 1, 1, 0, 0};

const SchattenParameter PARAMETER[9] = {{2, 2, 7, 0}, {2, 2, 5, 0}, {1, 1, 3, 0},  {2, 2, 7, 3}, {2, 2, 5, 3},
                                        {1, 1, 3, 3}, {2, 2, 7, -2}, {2, 2, 5, -2}, {1, 1, 3, -2}};
const SchattenParameter STANDARD = {2, 2, 5, 0};

struct ShadeModul {
    bool initialisiert = false;
    uint16_t* tabelle = nullptr;
};
ShadeModul g;

// The counts applied in place to a 16-bit bitmap; the rectangle lies inside it.
void Anwenden(uint16_t* p, int32_t stride, const uint8_t* counts, int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t j = 0; j < h; ++j) {
        uint16_t* zeile = p + ptrdiff_t(y + j) * stride + x;
        const uint8_t* c = counts + ptrdiff_t(j) * w;
        for (int32_t i = 0; i < w; ++i)
            for (int32_t n = c[i]; n > 0; --n) zeile[i] = g.tabelle[zeile[i]];
    }
}

bool Ist16(const Rastport* rp) {
    uint32_t d = Rastport_Depth(rp);
    return Rastport_Pixels16(rp) && (d == 15 || d == 16);
}

}  // namespace

const SchattenParameter* const Schatten_Parameter[9] = {&PARAMETER[0], &PARAMETER[1], &PARAMETER[2],
                                                        &PARAMETER[3], &PARAMETER[3], &PARAMETER[3],
                                                        &PARAMETER[6], &PARAMETER[6], &PARAMETER[6]};

int32_t Shade_Init(int32_t depth) {
    if (g.initialisiert) return 1;
    g.tabelle = static_cast<uint16_t*>(Mem_Alloc(65536 * 2, "Shade"));
    if (!g.tabelle) {
        Debug_Printf("Shade_Init: kein Speicher\n");
        return 0;
    }
    for (int32_t i = 0; i < 65536; ++i) g.tabelle[i] = uint16_t(i);
    if (depth == 15) Blit_Shade555(g.tabelle, 0, 0, 32768, 1, 32768, g.tabelle, 0, 0, 32768, 120);
    else if (depth == 16) Blit_Shade565(g.tabelle, 0, 0, 65536, 1, 65536, g.tabelle, 0, 0, 65536, 120);
    g.initialisiert = true;
    return 1;
}

void Shade_Exit() {
    if (g.tabelle) Mem_Free(g.tabelle);
    g = ShadeModul();
}

uint16_t Shade_Wert(uint16_t p) { return g.tabelle ? g.tabelle[p] : p; }

int32_t Shade_Apply(Rastport* rp, const uint8_t* counts, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!rp || !counts || w < 1 || h < 1) return 0;
    if (!g.tabelle) {
        Debug_Printf("Shade_Apply: Tabelle fehlt\n");
        return 0;
    }
    if (!Rastport_Lock(rp)) return 0;
    int32_t ergebnis = 1;
    if (x >= 0 && y >= 0 && int64_t(x) + w < rp->width && int64_t(y) + h < rp->height) {
        if (Ist16(rp)) Anwenden(Rastport_Pixels16(rp), int32_t(rp->width), counts, x, y, w, h);
    } else {
        Rastport* t = Rastport_Create(w, h, Rastport_Screen_Depth(), 0, 0);
        if (!t) {
            ergebnis = 0;
        } else {
            Rastport_Fill(t, 0, 0, -1, -1, 0, nullptr);
            Rastport_Blit(rp, x, y, w, h, t, 0, 0, nullptr);
            Anwenden(Rastport_Pixels16(t), w, counts, 0, 0, w, h);
            Rastport_Blit(t, 0, 0, w, h, rp, x, y, nullptr);
            Rastport_Free(t);
        }
    }
    Rastport_Unlock(rp);
    return ergebnis;
}

int32_t Shade_Kernel(int32_t size, int32_t strength, uint8_t kernel[81]) {
    int32_t k = (size / 2) * 2 + 1;
    k = k < 3 ? 3 : (k > 9 ? 9 : k);
    const uint8_t* quelle = k == 3 ? K3 : k == 5 ? K5 : k == 7 ? K7 : K9;
    for (int32_t i = 0; i < k * k; ++i) {
        int32_t v = int8_t(uint8_t(quelle[i] + strength));
        kernel[i] = uint8_t(v < 0 ? 0 : (v > 15 ? 15 : v));
    }
    return k;
}

int32_t Rastport_Blit_Ex(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                         int32_t dy, const SchattenParameter* par) {
    if (!src || !dst) return 0;
    if (w < 0) w = int32_t(src->width);
    if (h < 0) h = int32_t(src->height);
    if (w < 1 || h < 1) return 0;
    if (!par) par = &STANDARD;
    const int32_t depth = int32_t(Rastport_Depth(src));
    Rastport* t = Rastport_Create(w, h, depth, 0, 0);
    if (!t) return 0;
    Rastport_Lock(t);
    std::memset(t->pixels->pixels, 0, t->pixels->byte_size);
    Rastport_Blit(src, sx < 0 ? 0 : sx, sy < 0 ? 0 : sy, w, h, t, 0, 0, nullptr);
    uint8_t kernel[81];
    const int32_t k = Shade_Kernel(par->size, par->strength, kernel);
    const int32_t mw = w + k, mh = h + k;
    auto* map = static_cast<uint8_t*>(Mem_Alloc_Fill(size_t(mw) * mh, "Shade", 0));
    if (!map) {
        // Without a map the object is still drawn, only without its shadow.
        Rastport_Blit(t, 0, 0, w, h, dst, dx, dy, BlitMode_Key);
        Rastport_Free(t);
        return 0;
    }
    const uint32_t bpp = Depth_Bytes(uint32_t(depth));
    const auto* p8 = static_cast<const uint8_t*>(t->pixels->pixels);
    auto gesetzt = [&](int32_t x, int32_t y) {
        size_t i = size_t(y) * w + x;
        return bpp == 2 ? reinterpret_cast<const uint16_t*>(p8)[i] != 0 : (bpp == 1 ? p8[i] != 0 : false);
    };
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (!gesetzt(x, y)) continue;
            for (int32_t j = 0; j < k; ++j)
                for (int32_t i = 0; i < k; ++i) {
                    uint8_t& zelle = map[(x + i) + size_t(y + j) * mw];
                    if (kernel[j * k + i] > zelle) zelle = kernel[j * k + i];
                }
        }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (!gesetzt(x, y)) continue;
            int32_t cx = k / 2 + x - par->offset_x, cy = k / 2 + y - par->offset_y;
            if (cx >= 0 && cx < mw && cy >= 0 && cy < mh) map[cx + size_t(cy) * mw] = 0;
        }
    Shade_Apply(dst, map, dx - k / 2 + par->offset_x, dy - k / 2 + par->offset_y, mw, mh);
    Rastport_Blit(t, 0, 0, w, h, dst, dx, dy, BlitMode_Key);
    Mem_Free(map);
    Rastport_Free(t);
    return 1;
}

}  // namespace velmora
