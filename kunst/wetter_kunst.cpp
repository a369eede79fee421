// kunst/wetter_kunst.cpp - the raindrop streaks and snowflakes.
#include "kunst/wetter_kunst.h"

#include <cmath>

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"

namespace wetter_kunst {

using namespace velmora;

// Streak f: longer with the frame, along the fall (dx 1 : dy 2.2).
inline Rastport* Regen(int32_t f) {
    const double laenge = 7 + f * 0.9;
    const int32_t w = 2 + int32_t(laenge * 0.45) + 2, h = 2 + int32_t(laenge) + 2;
    Leinwand l(w, h);
    const Rgb kopf{246, 250, 255}, schweif{190, 208, 228};
    const double dx = laenge * 0.45;
    for (int32_t i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        l.Decken(int32_t(std::lround(1 + dx * t)), int32_t(std::lround(1 + laenge * t)), Leinwand_Mix(schweif, kopf, t),
                 1.0);
    }
    return l.Fertig();
}

// Flake f: small, middle and large in turn (the views pick frames 0-2), six
// arms turned by f / 3.
inline Rastport* Schnee(int32_t f) {
    const double r = 1.5 + (f % 3) * 1.0;
    const int32_t s = int32_t(2 * r) + 3;
    Leinwand l(s, s);
    const double c = s / 2.0;
    const Rgb weiss{246, 248, 252}, rand{206, 218, 232};
    if (r < 2) {
        l.Kreis(c, c, r, weiss);
        return l.Fertig();
    }
    for (int32_t k = 0; k < 3; ++k) {
        const double w = k * 3.14159265358979 / 3 + (f / 3) * 0.35;
        l.Linie(c - std::cos(w) * r, c - std::sin(w) * r, c + std::cos(w) * r, c + std::sin(w) * r, 1.0, rand);
    }
    l.Kreis(c, c, r * 0.45, weiss);
    return l.Fertig();
}

std::vector<ResDateiEintrag> Regen_Datei() {
    std::vector<ResDateiEintrag> d;
    for (int32_t f = 0; f < 9; ++f) d.push_back(Muster_Eintrag(Regen(f), true));
    return d;
}
std::vector<ResDateiEintrag> Schnee_Datei() {
    std::vector<ResDateiEintrag> d;
    for (int32_t f = 0; f < 9; ++f) d.push_back(Muster_Eintrag(Schnee(f), true));
    return d;
}

}  // namespace wetter_kunst
