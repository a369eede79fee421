// platform/display_bild.cpp - the picture in the window, and how two frames differ.
#include "platform/display.h"

#include <algorithm>
#include <cstring>

namespace velmora {

PlatRechteck Plat_Bild_Rechteck(int32_t flaeche_b, int32_t flaeche_h, int32_t bild_b, int32_t bild_h) {
    PlatRechteck r;
    if (flaeche_b <= 0 || flaeche_h <= 0 || bild_b <= 0 || bild_h <= 0) return r;
    if (int64_t(flaeche_b) * bild_h <= int64_t(flaeche_h) * bild_b) {
        r.b = flaeche_b;
        r.h = int32_t(int64_t(flaeche_b) * bild_h / bild_b);
    } else {
        r.h = flaeche_h;
        r.b = int32_t(int64_t(flaeche_h) * bild_b / bild_h);
    }
    r.x = (flaeche_b - r.b) / 2;
    r.y = (flaeche_h - r.h) / 2;
    return r;
}

void Plat_Fenster_Zu_Bild(int32_t fx, int32_t fy, int32_t fenster_b, int32_t fenster_h, int32_t flaeche_b,
                          int32_t flaeche_h, int32_t bild_b, int32_t bild_h, int32_t* x, int32_t* y) {
    const PlatRechteck r = Plat_Bild_Rechteck(flaeche_b, flaeche_h, bild_b, bild_h);
    int32_t bx = 0, by = 0;
    if (r.b > 0 && r.h > 0 && fenster_b > 0 && fenster_h > 0) {
        // Window points to drawing pixels (a high-density display has more of them), then into the picture.
        const int64_t px = int64_t(fx) * flaeche_b / fenster_b, py = int64_t(fy) * flaeche_h / fenster_h;
        const int64_t qx = px - r.x, qy = py - r.y;
        bx = int32_t(qx < 0 ? -1 : qx * bild_b / r.b);
        by = int32_t(qy < 0 ? -1 : qy * bild_h / r.h);
    }
    if (x) *x = bx < 0 ? 0 : bx >= bild_b ? bild_b - 1 : bx;
    if (y) *y = by < 0 ? 0 : by >= bild_h ? bild_h - 1 : by;
}

PlatRechteck Plat_Bereich_Im_Fenster(const PlatRechteck& bereich, const PlatRechteck& bild, int32_t bild_b,
                                     int32_t bild_h) {
    if (bild.b <= 0 || bild.h <= 0 || bild_b <= 0 || bild_h <= 0) return PlatRechteck{};
    // Window column d (from the picture's left edge) shows picture column
    // d * bild_b / bild.b: the first that reaches a is ceil(a * bild.b / bild_b).
    const auto erste = [](int64_t a, int64_t fenster, int64_t quelle) {
        return int32_t((std::clamp<int64_t>(a, 0, quelle) * fenster + quelle - 1) / quelle);
    };
    const int32_t x0 = erste(bereich.x, bild.b, bild_b), x1 = erste(int64_t(bereich.x) + bereich.b, bild.b, bild_b);
    const int32_t y0 = erste(bereich.y, bild.h, bild_h), y1 = erste(int64_t(bereich.y) + bereich.h, bild.h, bild_h);
    if (x1 <= x0 || y1 <= y0) return PlatRechteck{};
    return PlatRechteck{bild.x + x0, bild.y + y0, x1 - x0, y1 - y0};
}

namespace {

// How `neu` differs from `alt` (width x height), the rectangles set apart:
// in a row that differs, the first and the last changed pixel bound the
// hull; the pixels between are looked at one by one only until one outside
// every rectangle is found (a scrolling picture's rows then cost two short
// scans). What changed, and the hull of the changed pixels in `huelle`.
PlatAenderung Vergleichen_Ganz(const uint16_t* alt, const uint16_t* neu, int32_t breite, int32_t hoehe,
                               const PlatRechteck* bereiche, int32_t anzahl, PlatRechteck* huelle) {
    PlatAenderung a = PLAT_GLEICH;
    int32_t x0 = breite, x1 = -1, y0 = hoehe, y1 = -1;
    for (int32_t y = 0; y < hoehe; ++y) {
        const uint16_t* za = alt + size_t(y) * breite;
        const uint16_t* zn = neu + size_t(y) * breite;
        if (std::memcmp(za, zn, size_t(breite) * 2) == 0) continue;
        int32_t links = 0, rechts = breite - 1;
        while (za[links] == zn[links]) ++links;
        while (za[rechts] == zn[rechts]) --rechts;
        y0 = std::min(y0, y);
        y1 = y;
        x0 = std::min(x0, links);
        x1 = std::max(x1, rechts);
        for (int32_t x = links; x <= rechts && a != PLAT_GEAENDERT; ++x) {
            if (za[x] == zn[x]) continue;
            bool drin = false;
            for (int32_t i = 0; i < anzahl && !drin; ++i) {
                const PlatRechteck& r = bereiche[i];
                drin = x >= r.x && x < r.x + r.b && y >= r.y && y < r.y + r.h;
            }
            a = drin ? PLAT_NUR_IN_BEREICHEN : PLAT_GEAENDERT;
        }
    }
    *huelle = a == PLAT_GLEICH ? PlatRechteck{} : PlatRechteck{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    return a;
}

// Only inside the rectangles (cut to the picture): what changed there, and
// the hull of the changed pixels in `huelle`.
PlatAenderung Vergleichen_In(const uint16_t* alt, const uint16_t* neu, int32_t breite, int32_t hoehe,
                             const PlatRechteck* bereiche, int32_t anzahl, PlatRechteck* huelle) {
    int32_t x0 = breite, x1 = -1, y0 = hoehe, y1 = -1;
    for (int32_t i = 0; i < anzahl; ++i) {
        const PlatRechteck& r = bereiche[i];
        const int32_t rx0 = std::max(r.x, 0), rx1 = std::min(r.x + r.b, breite);
        const int32_t ry0 = std::max(r.y, 0), ry1 = std::min(r.y + r.h, hoehe);
        for (int32_t y = ry0; y < ry1; ++y) {
            const uint16_t* za = alt + size_t(y) * breite;
            const uint16_t* zn = neu + size_t(y) * breite;
            for (int32_t x = rx0; x < rx1; ++x) {
                if (za[x] == zn[x]) continue;
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) {
        *huelle = PlatRechteck{};
        return PLAT_GLEICH;
    }
    *huelle = PlatRechteck{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    return PLAT_NUR_IN_BEREICHEN;
}

}  // namespace

PlatAenderung Plat_Bild_Vergleichen(const uint16_t* alt, const uint16_t* neu, int32_t breite, int32_t hoehe,
                                    const PlatRechteck* bereiche, int32_t anzahl, bool nur_bereiche,
                                    PlatRechteck* huelle) {
    if (!bereiche) anzahl = 0;
    return nur_bereiche ? Vergleichen_In(alt, neu, breite, hoehe, bereiche, anzahl, huelle)
                        : Vergleichen_Ganz(alt, neu, breite, hoehe, bereiche, anzahl, huelle);
}

}  // namespace velmora
