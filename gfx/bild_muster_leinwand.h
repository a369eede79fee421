// gfx/bild_muster_leinwand.h - the canvas the built-in pictures are drawn on:
// a depth-16 bitmap, transparent (0) at first, with the shapes the menus and
// windows are made of, and the game's palette of night-blue boards and gold
// edges. Only the picture generators (gfx/bild_muster_*.cpp) include it.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "gfx/colour.h"
#include "gfx/rastport.h"

namespace velmora::muster {

struct Rgb {
    int32_t r, g, b;
};

// The palette of the menus: night blue boards, gold edges, the pitch's green.
constexpr Rgb NACHT{12, 22, 34}, NACHT_HELL{22, 40, 60}, TAFEL{30, 56, 82}, TAFEL_HELL{44, 78, 110};
constexpr Rgb GOLD{214, 178, 82}, GOLD_DUNKEL{140, 110, 44}, HELL{236, 234, 224}, GRAU{150, 164, 178};
constexpr Rgb RASEN{38, 100, 50}, RASEN_DUNKEL{32, 86, 44}, KREIDE{70, 132, 80};
constexpr Rgb GRUEN{46, 128, 70}, GRUEN_DUNKEL{26, 84, 44}, SCHIEFER{54, 84, 118}, SCHIEFER_DUNKEL{32, 54, 80};
constexpr Rgb AUSWAHL{58, 112, 156}, AUSWAHL_DUNKEL{36, 76, 112};
constexpr Rgb SCHWARZ{24, 24, 24}, ROT{200, 30, 36};

inline uint16_t P(Rgb c) {
    const uint16_t p = Colour_Pack565(std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255));
    return p ? p : 1;   // 0 is transparent
}

inline Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {int32_t(a.r + (b.r - a.r) * t), int32_t(a.g + (b.g - a.g) * t), int32_t(a.b + (b.b - a.b) * t)};
}

// A depth-16 canvas, every pixel transparent at first.
struct Bild {
    Rastport* rp = nullptr;
    int32_t w = 0, h = 0;
    uint16_t* px = nullptr;
    Bild(int32_t breite, int32_t hoehe) : w(breite), h(hoehe) {
        rp = Rastport_Create(w, h, 16, 0, 0);
        if (rp) {
            px = Rastport_Pixels16(rp);
            std::memset(px, 0, size_t(w) * size_t(h) * 2);
        }
    }
    void Punkt(int32_t x, int32_t y, Rgb c) {
        if (px && x >= 0 && y >= 0 && x < w && y < h) px[y * w + x] = P(c);
    }
    void Rechteck(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb c) {
        for (int32_t j = y; j < y + bh; ++j)
            for (int32_t i = x; i < x + bw; ++i) Punkt(i, j, c);
    }
    // Top to bottom from a to b.
    void Verlauf(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb a, Rgb b) {
        for (int32_t j = 0; j < bh; ++j) Rechteck(x, y + j, bw, 1, Mix(a, b, bh > 1 ? double(j) / (bh - 1) : 0));
    }
    // A rounded plate with an edge: corners of radius r cut away (only the
    // top ones with `nur_oben`), the inside a vertical gradient.
    void Platte(int32_t x, int32_t y, int32_t bw, int32_t bh, int32_t r, Rgb rand, Rgb a, Rgb b, int32_t dicke = 1,
                bool nur_oben = false) {
        for (int32_t j = 0; j < bh; ++j)
            for (int32_t i = 0; i < bw; ++i) {
                const int32_t dx = i < r ? r - i : (i >= bw - r ? i - (bw - 1 - r) : 0);
                const int32_t dy = j < r ? r - j : (!nur_oben && j >= bh - r ? j - (bh - 1 - r) : 0);
                const double d = std::sqrt(double(dx * dx + dy * dy));
                if (dx && dy && d > r) continue;
                const bool kante = i < dicke || j < dicke || i >= bw - dicke || (!nur_oben && j >= bh - dicke) ||
                                   (dx && dy && d > r - dicke);
                Punkt(x + i, y + j, kante ? rand : Mix(a, b, double(j) / std::max(bh - 1, 1)));
            }
    }
    void Kreis(double cx, double cy, double r, Rgb c) {
        for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
            for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i)
                if (std::hypot(i + 0.5 - cx, j + 0.5 - cy) <= r) Punkt(i, j, c);
    }
    void Ring(double cx, double cy, double r, double dicke, Rgb c) {
        for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
            for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i) {
                const double d = std::hypot(i + 0.5 - cx, j + 0.5 - cy);
                if (d <= r && d >= r - dicke) Punkt(i, j, c);
            }
    }
    // A triangle pointing right with its left edge at x.
    void Dreieck(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb c) {
        for (int32_t j = 0; j < bh; ++j) {
            const double t = 1.0 - std::fabs((j + 0.5) - bh / 2.0) / (bh / 2.0);
            Rechteck(x, y + j, int32_t(std::lround(bw * t)), 1, c);
        }
    }
    // The colour at (x, y); a transparent pixel reads as the night board it will lie on.
    Rgb Lesen(int32_t x, int32_t y) const {
        if (!px || x < 0 || y < 0 || x >= w || y >= h || !px[y * w + x]) return NACHT;
        const uint16_t p = px[y * w + x];
        return {(p >> 11) * 255 / 31, (p >> 5 & 63) * 255 / 63, (p & 31) * 255 / 31};
    }
    // Lays `c` over (x, y) at coverage a (0..1): smooth edges on any background.
    void Decken(int32_t x, int32_t y, Rgb c, double a) {
        if (a <= 0.02) return;
        Punkt(x, y, a >= 0.98 ? c : Mix(Lesen(x, y), c, a));
    }
    Rastport* Fertig() { return rp; }
};

}  // namespace velmora::muster
