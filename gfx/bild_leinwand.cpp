// gfx/bild_leinwand.cpp - the canvas of the pictures drawn by program.
#include "gfx/bild_leinwand.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/colour.h"

namespace velmora {

uint16_t Leinwand_Pixel(Rgb c) {
    const uint16_t p = Colour_Pack565(std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255));
    return p ? p : 1;   // 0 is transparent
}

Rgb Leinwand_Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {int32_t(a.r + (b.r - a.r) * t), int32_t(a.g + (b.g - a.g) * t), int32_t(a.b + (b.b - a.b) * t)};
}

Leinwand::Leinwand(int32_t breite, int32_t hoehe) : w(breite), h(hoehe) {
    rp = Rastport_Create(w, h, 16, 0, 0);
    if (rp) {
        px = Rastport_Pixels16(rp);
        std::memset(px, 0, size_t(w) * size_t(h) * 2);
    }
}

Leinwand::Leinwand(Rastport* ziel) : rp(ziel) {
    if (rp && Rastport_Depth(rp) == 16) {
        w = int32_t(rp->width);
        h = int32_t(rp->height);
        px = Rastport_Pixels16(rp);
    }
}

void Leinwand::Punkt(int32_t x, int32_t y, Rgb c) {
    if (px && x >= 0 && y >= 0 && x < w && y < h) px[y * w + x] = Leinwand_Pixel(c);
}

void Leinwand::Rechteck(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb c) {
    const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0), x1 = std::min(x + bw, w), y1 = std::min(y + bh, h);
    if (!px || x0 >= x1 || y0 >= y1) return;
    const uint16_t p = Leinwand_Pixel(c);
    for (int32_t j = y0; j < y1; ++j) std::fill(px + j * w + x0, px + j * w + x1, p);
}

void Leinwand::Verlauf(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb a, Rgb b) {
    for (int32_t j = 0; j < bh; ++j)
        Rechteck(x, y + j, bw, 1, Leinwand_Mix(a, b, bh > 1 ? double(j) / (bh - 1) : 0));
}

void Leinwand::Platte(int32_t x, int32_t y, int32_t bw, int32_t bh, int32_t r, Rgb rand, Rgb a, Rgb b, int32_t dicke,
                      bool nur_oben) {
    for (int32_t j = 0; j < bh; ++j)
        for (int32_t i = 0; i < bw; ++i) {
            const int32_t dx = i < r ? r - i : (i >= bw - r ? i - (bw - 1 - r) : 0);
            const int32_t dy = j < r ? r - j : (!nur_oben && j >= bh - r ? j - (bh - 1 - r) : 0);
            const double d = std::sqrt(double(dx * dx + dy * dy));
            if (dx && dy && d > r) continue;
            const bool kante = i < dicke || j < dicke || i >= bw - dicke || (!nur_oben && j >= bh - dicke) ||
                               (dx && dy && d > r - dicke);
            Punkt(x + i, y + j, kante ? rand : Leinwand_Mix(a, b, double(j) / std::max(bh - 1, 1)));
        }
}

Rgb Leinwand::Lesen(int32_t x, int32_t y) const {
    if (!px || x < 0 || y < 0 || x >= w || y >= h || !px[y * w + x]) return palette::NACHT;
    const uint16_t p = px[y * w + x];
    return {(p >> 11) * 255 / 31, (p >> 5 & 63) * 255 / 63, (p & 31) * 255 / 31};
}

void Leinwand::Decken(int32_t x, int32_t y, Rgb c, double a) {
    if (a <= 0.02) return;
    Punkt(x, y, a >= 0.98 ? c : Leinwand_Mix(Lesen(x, y), c, a));
}

void Leinwand::Rahmen(int32_t x, int32_t y, int32_t bw, int32_t bh, int32_t r, Rgb rand, int32_t dicke) {
    for (int32_t j = 0; j < bh; ++j)
        for (int32_t i = 0; i < bw; ++i) {
            const int32_t dx = i < r ? r - i : (i >= bw - r ? i - (bw - 1 - r) : 0);
            const int32_t dy = j < r ? r - j : (j >= bh - r ? j - (bh - 1 - r) : 0);
            const double d = std::sqrt(double(dx * dx + dy * dy));
            if (dx && dy && d > r) continue;
            if (i < dicke || j < dicke || i >= bw - dicke || j >= bh - dicke || (dx && dy && d > r - dicke))
                Punkt(x + i, y + j, rand);
        }
}

void Leinwand::Landesfarben(int32_t x, int32_t y, int32_t bw, int32_t bh) {
    const int32_t drittel = bh / 3, erste = bh - 2 * drittel;
    Rechteck(x, y, bw, erste, palette::SCHWARZ);
    Rechteck(x, y + erste, bw, drittel, palette::ROT);
    Rechteck(x, y + erste + drittel, bw, drittel, palette::GOLD);
}

void Leinwand::Stern(double cx, double cy, double r, Rgb c) {
    constexpr double PI = 3.14159265358979;
    for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
        for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i) {
            const double x = i + 0.5 - cx, y = j + 0.5 - cy;
            const double d = std::hypot(x, y);
            if (d > r) continue;
            // The star's edge in polar form: between the outer and the inner radius.
            double a = std::atan2(x, -y);
            if (a < 0) a += 2 * PI;
            const double sektor = 2 * PI / 10;
            const double t = std::fabs(std::fmod(a, 2 * sektor) - sektor) / sektor;   // 1 at a tip, 0 between
            if (d <= r * (0.42 + 0.58 * t * t)) Punkt(i, j, c);
        }
}

void Leinwand::Kreis(double cx, double cy, double r, Rgb c) {
    for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
        for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i) {
            const double dx = i + 0.5 - cx, dy = j + 0.5 - cy;
            if (dx * dx + dy * dy <= r * r) Punkt(i, j, c);
        }
}

void Leinwand::Ellipse(double cx, double cy, double rx, double ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    for (int32_t j = int32_t(cy - ry) - 1; j <= int32_t(cy + ry) + 1; ++j) {
        const double v = (j + 0.5 - cy) / ry;
        if (v * v > 1) continue;
        const double halb = rx * std::sqrt(1 - v * v);
        const int32_t x0 = int32_t(std::lround(cx - halb)), x1 = int32_t(std::lround(cx + halb));
        Rechteck(x0, j, x1 - x0, 1, c);
    }
}

void Leinwand::Ring(double cx, double cy, double r, double dicke, Rgb c) {
    for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
        for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i) {
            const double dx = i + 0.5 - cx, dy = j + 0.5 - cy, d2 = dx * dx + dy * dy;
            if (d2 <= r * r && (r <= dicke || d2 >= (r - dicke) * (r - dicke))) Punkt(i, j, c);
        }
}

void Leinwand::Dreieck(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb c) {
    for (int32_t j = 0; j < bh; ++j) {
        const double t = 1.0 - std::fabs((j + 0.5) - bh / 2.0) / (bh / 2.0);
        Rechteck(x, y + j, int32_t(std::lround(bw * t)), 1, c);
    }
}

void Leinwand::Linie(double x0, double y0, double x1, double y1, double breite, Rgb c) {
    const double r = breite / 2, dx = x1 - x0, dy = y1 - y0, l2 = dx * dx + dy * dy;
    const int32_t ix0 = int32_t(std::floor(std::min(x0, x1) - r)), ix1 = int32_t(std::ceil(std::max(x0, x1) + r));
    const int32_t iy0 = int32_t(std::floor(std::min(y0, y1) - r)), iy1 = int32_t(std::ceil(std::max(y0, y1) + r));
    for (int32_t j = std::max(iy0, 0); j <= std::min(iy1, h - 1); ++j)
        for (int32_t i = std::max(ix0, 0); i <= std::min(ix1, w - 1); ++i) {
            const double px0 = i + 0.5 - x0, py0 = j + 0.5 - y0;
            const double t = l2 > 0 ? std::clamp((px0 * dx + py0 * dy) / l2, 0.0, 1.0) : 0.0;
            const double ex = px0 - t * dx, ey = py0 - t * dy;
            if (ex * ex + ey * ey <= r * r) Punkt(i, j, c);
        }
}

}  // namespace velmora
