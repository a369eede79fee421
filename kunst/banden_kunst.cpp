// kunst/banden_kunst.cpp - the advertising boards' frames and faces.
#include "kunst/banden_kunst.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "club/weltgen.h"
#include "gfx/bild_leinwand.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "kunst/bild_muster.h"
#include "matchview/banden.h"

namespace banden_kunst {

using namespace velmora;

constexpr int32_t FLACH_W = 240, FLACH_H = 52;   // the face drawn flat, twice the size

// Brand colours of the 16 advertisers: ground and letters.
inline constexpr Rgb GRUND[BANDEN_WERBER] = {
    {18, 52, 120}, {150, 30, 30},  {230, 230, 226}, {250, 200, 30}, {20, 110, 70},  {30, 30, 34},
    {200, 90, 20}, {120, 60, 30},  {40, 150, 200},  {16, 90, 150},  {230, 120, 30}, {120, 190, 60},
    {200, 30, 40}, {245, 245, 240}, {70, 70, 80},   {110, 40, 120}};
inline constexpr Rgb SCHRIFT[BANDEN_WERBER] = {
    {250, 250, 250}, {250, 226, 120}, {200, 30, 36},  {24, 24, 24},   {250, 250, 250}, {250, 200, 30},
    {250, 250, 250}, {250, 236, 200}, {250, 250, 250}, {250, 250, 250}, {24, 24, 24},   {24, 40, 24},
    {250, 250, 250}, {18, 52, 120},   {250, 210, 60},  {250, 250, 250}};

// Where a point of the picture lies on the face: (u, v) in 0..1 along and down.
inline bool Flaeche(int32_t lage, double x, double y, double* u, double* v) {
    const double ox = lage == 0 ? 0 : 13, oy = lage == 0 ? 31 : 0;
    const double ax = 120, ay = lage == 0 ? -31 : 30, hx = lage == 0 ? 13 : -13, hy = 26;
    const double det = ax * hy - hx * ay, px = x - ox, py = y - oy;
    *u = (px * hy - hx * py) / det;
    *v = (ax * py - px * ay) / det;
    return *u >= 0 && *u < 1 && *v >= 0 && *v < 1;
}

// The flat face of advertiser w: its ground, a light band and its name.
inline Rastport* Flach(int32_t w) {
    Leinwand l(FLACH_W, FLACH_H);
    l.Verlauf(0, 0, FLACH_W, FLACH_H, Leinwand_Mix(GRUND[w], palette::HELL, 0.12), GRUND[w]);
    l.Rechteck(0, FLACH_H - 7, FLACH_W, 3, Leinwand_Mix(GRUND[w], SCHRIFT[w], 0.45));
    const Rgb s = SCHRIFT[w];
    Font* f = Font_Get(14);
    const std::string name = Weltgen_Sponsor_Name(w);
    if (f && Text_Width(f, name.c_str()) > FLACH_W - 12) f = Font_Get(3);
    if (f) Text_Printf(l.rp, f, "^c%05d^tz%04d%s", 0, 31, Leinwand_Pixel(s), FLACH_W / 2, name.c_str());
    return l.Fertig();
}

// The picture of a face (`flach`, or the frame's dark face when none) in a
// slant, with the board's rim.
inline Rastport* Schraeg(int32_t lage, Rastport* flach) {
    Leinwand l(BANDE_W, BANDE_H);
    const Leinwand q(flach);   // without a face: reads nothing
    const Rgb rand{34, 36, 40}, leer{58, 62, 70};
    for (int32_t y = 0; y < BANDE_H; ++y)
        for (int32_t x = 0; x < BANDE_W; ++x) {
            // Four samples a pixel for smooth letters and edges.
            int32_t r = 0, gr = 0, b = 0, n = 0;
            for (double dy : {0.25, 0.75})
                for (double dx : {0.25, 0.75}) {
                    double u, v;
                    if (!Flaeche(lage, x + dx, y + dy, &u, &v)) continue;
                    const bool am_rand = u < 0.012 || u > 0.988 || v < 0.06 || v > 0.94;
                    Rgb c = am_rand ? rand : leer;
                    if (flach && !am_rand) c = q.Lesen(std::min(FLACH_W - 1, int32_t(u * FLACH_W)), std::min(FLACH_H - 1, int32_t(v * FLACH_H)));
                    r += c.r, gr += c.g, b += c.b, ++n;
                }
            if (n == 4) l.Punkt(x, y, {r / 4, gr / 4, b / 4});
            else if (n > 0) l.Decken(x, y, {r / n, gr / n, b / n}, n / 4.0);
        }
    if (flach) Rastport_Free(flach);
    return l.Fertig();
}

std::vector<ResDateiEintrag> Datei() {
    std::vector<ResDateiEintrag> d;
    for (int32_t lage = 0; lage < 2; ++lage) d.push_back(Muster_Eintrag(Schraeg(lage, nullptr), true));
    for (int32_t lage = 0; lage < 2; ++lage)
        for (int32_t w = 0; w < BANDEN_WERBER; ++w) d.push_back(Muster_Eintrag(Schraeg(lage, Flach(w)), true));
    return d;
}

}  // namespace banden_kunst
