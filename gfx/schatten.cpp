// gfx/schatten.cpp
#include "gfx/schatten.h"

#include <vector>

#include "gfx/blit.h"
#include "gfx/cache.h"

namespace velmora {
namespace {

// Percentages (100 = unchanged) of the kernels of kinds 0, 1 and 2, row by row.
const uint8_t BILD_K0[4] = {75, 88, 88, 97};
const uint8_t BILD_K1[9] = {75, 80, 90, 80, 85, 95, 90, 95, 98};
const uint8_t BILD_K2[25] = {45, 70, 80, 92, 98, 50, 58, 78, 92, 95, 67, 73, 76,
                             82, 95, 78, 78, 86, 93, 99, 90, 95, 95, 99, 99};
const uint8_t TEXT_K2[25] = {50, 75, 85, 95, 98, 55, 63, 83, 95, 95, 72, 78, 78,
                             85, 95, 83, 88, 88, 96, 99, 90, 95, 95, 99, 99};

struct Slot {
    Rastport* bitmap = nullptr;
    int32_t groesse = -1;   // h x 2000 + w
    int32_t quelle = -1;    // sy x 2000 + sx
    int32_t position = -1;  // y x 2000 + x
};

struct SchattenModul {
    Slot slots[SCHATTEN_CACHE_ANZAHL];
};
SchattenModul g;

int32_t Schluessel(int32_t a, int32_t b) { return b * 2000 + a; }

bool Ist16(const Rastport* rp) {
    uint32_t d = Rastport_Depth(rp);
    return Rastport_Pixels16(rp) && (d == 15 || d == 16);
}

uint16_t Pixel_Bei(const Rastport* rp, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || uint32_t(x) >= rp->width || uint32_t(y) >= rp->height) return 0;
    return Rastport_Pixels16(rp)[size_t(y) * rp->width + x];
}

// Draws the shadow of the outline `umriss` (text or picture) into dst.
void Schatten(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx, int32_t dy,
              int32_t kind, Rastport* umriss, bool text) {
    kind = kind < 0 ? 0 : (kind > 2 ? 2 : kind);
    const int32_t n = kind == 0 ? 2 : (kind == 1 ? 3 : 5);
    const uint8_t* kernel = kind == 0 ? BILD_K0 : kind == 1 ? BILD_K1 : (text ? TEXT_K2 : BILD_K2);
    int32_t aw = w + n + 1, ah = h + n + 1;
    if (dx < 0) sx -= dx, aw += dx, dx = 0;
    if (dy < 0) sy -= dy, ah += dy, dy = 0;
    if (aw > int32_t(dst->width) - 1 - dx) aw = int32_t(dst->width) - 1 - dx;
    if (ah > int32_t(dst->height) - 1 - dy) ah = int32_t(dst->height) - 1 - dy;
    if (aw < 1 || ah < 1) return;
    std::vector<uint8_t> map(size_t(aw) * ah, 100);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (!Pixel_Bei(umriss, sx + x, sy + y)) continue;
            for (int32_t j = 0; j < n; ++j)
                for (int32_t i = 0; i < n; ++i) {
                    int32_t mx = x + 1 + i, my = y + 1 + j;
                    if (mx >= aw || my >= ah) continue;
                    uint8_t& zelle = map[size_t(my) * aw + mx];
                    if (kernel[j * n + i] < zelle) zelle = kernel[j * n + i];
                }
        }
    uint16_t* d = Rastport_Pixels16(dst);
    for (int32_t y = 0; y < ah; ++y)
        for (int32_t x = 0; x < aw; ++x) {
            uint16_t& p = d[size_t(dy + y) * dst->width + dx + x];
            const int32_t m = map[size_t(y) * aw + x];
            if (text && x < w && y < h && Pixel_Bei(umriss, sx + x, sy + y)) {
                p = Pixel_Bei(src, sx + x, sy + y);
            } else if (m == 0) {
                p = 0;
            } else if (p != 0 && m != 100) {
                p = uint16_t(((p & 0xF800) * m / 100 & 0xF800) | ((p & 0x07C0) * m / 100 & 0x07C0) |
                             ((p & 0x1F) * m / 100 & 0x1F));
            }
        }
}

void Slot_Leeren(Slot& s) {
    s.bitmap = Rastport_Free(s.bitmap);
    s = Slot();
}

}  // namespace

void Schatten_Zeichnen(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                       int32_t dy, int32_t kind) {
    if (!src || !dst || w < 1 || h < 1) return;
    const int32_t n = kind <= 0 ? 2 : (kind == 1 ? 3 : 5);
    const int32_t aw = w + n + 1, ah = h + n + 1;
    if (Rastport* treffer = Schatten_Cache_Suchen(sx, sy, aw, ah, dx, dy)) {
        Rastport_Blit(treffer, 0, 0, -1, -1, dst, dx, dy, nullptr);
        return;
    }
    if (!Rastport_Lock(src)) return;
    if (Rastport_Lock(dst)) {
        if (Ist16(src) && Ist16(dst)) Schatten(src, sx, sy, w, h, dst, dx, dy, kind, src, false);
        Rastport_Unlock(dst);
    }
    Rastport_Unlock(src);
    Schatten_Cache_Speichern(dst, sx, sy, aw, ah, dx, dy);
}

void Schatten_Text_Zeichnen(Rastport* src, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* dst, int32_t dx,
                            int32_t dy, int32_t kind, Rastport* mask) {
    if (!src || !dst || !mask || w < 1 || h < 1) return;
    if (!Rastport_Lock(src)) return;
    if (Rastport_Lock(mask)) {
        if (Rastport_Lock(dst)) {
            if (Ist16(src) && Ist16(dst) && Ist16(mask)) Schatten(src, sx, sy, w, h, dst, dx, dy, kind, mask, true);
            Rastport_Unlock(dst);
        }
        Rastport_Unlock(mask);
    }
    Rastport_Unlock(src);
}

Rastport* Schatten_Cache_Suchen(int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t x, int32_t y) {
    const int32_t gr = Schluessel(w, h), qu = Schluessel(sx, sy), po = Schluessel(x, y);
    for (const Slot& s : g.slots)
        if (s.bitmap && s.groesse == gr && s.quelle == qu && s.position == po) return s.bitmap;
    return nullptr;
}

int32_t Schatten_Cache_Speichern(Rastport* dst, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t x, int32_t y) {
    if (!dst) return 0;
    Rastport* rp = Rastport_Create(w, h, int32_t(Rastport_Depth(dst)), 0, 0);
    if (!rp) return 0;
    Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
    int32_t frei = -1;
    for (int32_t i = 0; i < SCHATTEN_CACHE_ANZAHL && frei < 0; ++i)
        if (!g.slots[i].bitmap) frei = i;
    if (frei < 0) {
        Slot_Leeren(g.slots[SCHATTEN_CACHE_ANZAHL - 1]);
        for (int32_t i = SCHATTEN_CACHE_ANZAHL - 1; i > 0; --i) g.slots[i] = g.slots[i - 1];
        frei = 0;
    }
    Slot& s = g.slots[frei];
    s.bitmap = rp;
    s.groesse = Schluessel(w, h);
    s.quelle = Schluessel(sx, sy);
    s.position = Schluessel(x, y);
    return Rastport_Blit(dst, x, y, w, h, rp, 0, 0, nullptr);
}

void Schatten_Cache_Entfernen(int32_t x, int32_t y) {
    const int32_t po = Schluessel(x, y);
    for (Slot& s : g.slots)
        if (s.position == po) Slot_Leeren(s);
}

void Schatten_Cache_Leeren() {
    for (Slot& s : g.slots) Slot_Leeren(s);
    Rastport_Cache_Clear();
}

Rastport* Schatten_Cache_Slot(int32_t slot) {
    return slot >= 0 && slot < SCHATTEN_CACHE_ANZAHL ? g.slots[slot].bitmap : nullptr;
}

}  // namespace velmora
