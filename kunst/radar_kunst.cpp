// kunst/radar_kunst.cpp - the radar's background, dots, ball and goals.
#include "kunst/radar_kunst.h"

#include <algorithm>
#include <cmath>

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "matchview/radar.h"

namespace radar_kunst {

using namespace velmora;

constexpr int32_t PX = 22, PY = 111, PW = 755, PH = 476;
inline constexpr Rgb LINIE{206, 226, 206};

inline int32_t Rx(double cm) { return PX + int32_t(cm * PW / 10800.0); }
inline int32_t Ry(double cm) { return PY + int32_t(cm * PH / 6806.0); }

inline void Kasten(Leinwand& l, double x0, double y0, double x1, double y1) {
    l.Rechteck(Rx(x0), Ry(y0), Rx(x1) - Rx(x0) + 1, 1, LINIE);
    l.Rechteck(Rx(x0), Ry(y1), Rx(x1) - Rx(x0) + 1, 1, LINIE);
    l.Rechteck(Rx(x0), Ry(y0), 1, Ry(y1) - Ry(y0) + 1, LINIE);
    l.Rechteck(Rx(x1), Ry(y0), 1, Ry(y1) - Ry(y0) + 1, LINIE);
}

inline Rastport* Hintergrund() {
    Leinwand l(800, 600);
    l.Verlauf(0, 0, 800, 600, palette::NACHT_HELL, palette::NACHT);
    // The header: crest frames, name plates, the score box, the line of minute and strengths.
    l.Verlauf(0, 0, 800, 100, palette::TAFEL, palette::NACHT);
    l.Rechteck(0, 100, 800, 1, palette::GOLD_DUNKEL);
    l.Rechteck(0, 101, 800, 2, palette::GOLD);
    for (int32_t x : {13, 713}) l.Platte(x, 10, 74, 74, 6, palette::GOLD, palette::NACHT_HELL, palette::NACHT, 2);
    for (int32_t mitte : {214, 587})
        l.Platte(mitte - 118, 24, 236, 36, 8, palette::GOLD_DUNKEL, palette::TAFEL_HELL, palette::TAFEL);
    l.Platte(336, 10, 128, 58, 6, palette::GOLD, palette::SCHWARZ, palette::SCHWARZ, 2);
    l.Rechteck(398, 28, 4, 4, palette::GOLD);
    l.Rechteck(398, 44, 4, 4, palette::GOLD);
    l.Platte(248, 72, 304, 22, 6, palette::GOLD_DUNKEL, palette::NACHT_HELL, palette::NACHT);
    // The pitch in mown stripes with its lines, a dark surround and a gold edge.
    l.Rechteck(0, 106, 800, 494, palette::GRUEN_DUNKEL);
    l.Rechteck(0, 106, 800, 1, palette::GOLD_DUNKEL);
    for (int32_t s = 0; s < 14; ++s) {
        const int32_t x0 = PX + s * PW / 14, x1 = PX + (s + 1) * PW / 14;
        l.Rechteck(x0, PY, x1 - x0, PH + 1, s % 2 ? palette::RASEN : palette::RASEN_DUNKEL);
    }
    Kasten(l, 0, 0, 10800, 6806);
    l.Rechteck(Rx(5400), PY, 1, PH + 1, LINIE);
    for (int32_t a = 0; a < 720; ++a) {
        const double w = a * 3.14159265358979 / 360;
        l.Punkt(Rx(5400 + 915 * std::cos(w)), Ry(3403 + 915 * std::sin(w)), LINIE);
    }
    l.Kreis(Rx(5400) + 0.5, Ry(3403) + 0.5, 2.5, LINIE);
    for (int32_t seite = 0; seite < 2; ++seite) {
        const double x0 = seite ? 10800 - 1632 : 0, x1 = seite ? 10800 : 1632;
        Kasten(l, x0, 1388, x1, 5418);
        Kasten(l, seite ? 10800 - 550 : 0, 2487, seite ? 10800 : 550, 4319);
        l.Kreis(Rx(seite ? 10800 - 1100 : 1100) + 0.5, Ry(3403) + 0.5, 1.8, LINIE);
        // The arc outside the penalty area.
        for (int32_t a = 0; a < 360; ++a) {
            const double w = a * 3.14159265358979 / 180;
            const double x = (seite ? 10800 - 1100 : 1100) + 915 * std::cos(w), y = 3403 + 915 * std::sin(w);
            if (seite ? x < 10800 - 1632 : x > 1632) l.Punkt(Rx(x), Ry(y), LINIE);
        }
    }
    return l.Fertig();
}

// A player's dot: a disc in the side's colour with a light rim, 20 x 20.
inline Rastport* Punkt(Rgb innen, Rgb rand) {
    Leinwand l(20, 20);
    l.Kreis(10, 10.5, 9.5, palette::SCHWARZ);
    l.Kreis(10, 10, 9, rand);
    l.Kreis(10, 10, 7.5, innen);
    l.Kreis(8, 7.5, 3, Leinwand_Mix(innen, palette::HELL, 0.25));
    l.Kreis(10, 10.5, 5.5, innen);
    return l.Fertig();
}

// The ball at height step i (0 on the ground, 30 at 7 m and more): it grows
// and rises above its shadow.
inline Rastport* Ball(int32_t i) {
    Leinwand l(32, 40);
    const double r = 3.5 + i * 0.15, hoch = i * 0.45;
    l.Ellipse(16, 20 + 1.5, 3.5 + i * 0.05, 1.8, Leinwand_Mix(palette::SCHWARZ, palette::RASEN_DUNKEL, 0.3));
    const double cy = 20 - hoch;
    l.Kreis(16, cy, r + 1, palette::SCHWARZ);
    l.Kreis(16, cy, r, palette::HELL);
    l.Kreis(16, cy, r * 0.38, palette::SCHWARZ);
    for (int32_t k = 0; k < 5; ++k) {
        const double w = k * 2 * 3.14159265358979 / 5 - 1.5708;
        l.Kreis(16 + std::cos(w) * r * 0.78, cy + std::sin(w) * r * 0.78, r * 0.2, palette::SCHWARZ);
    }
    return l.Fertig();
}

// A goal seen from above: the posts, the crossbar's shadow and the net, 18 x 64;
// the mouth faces the pitch.
inline Rastport* Tor(bool links) {
    Leinwand l(19, 64);
    const int32_t mund = links ? 18 : 0, hinten = links ? 1 : 17;
    for (int32_t y = 2; y < 62; y += 4) l.Rechteck(1, y, 17, 1, palette::GRAU);
    for (int32_t x = 2; x < 18; x += 4) l.Rechteck(x, 2, 1, 60, palette::GRAU);
    l.Rechteck(std::min(mund, hinten), 1, 18, 2, palette::HELL);
    l.Rechteck(std::min(mund, hinten), 61, 18, 2, palette::HELL);
    l.Rechteck(hinten, 1, 1, 62, palette::HELL);
    l.Rechteck(mund, 0, 1, 64, palette::HELL);
    return l.Fertig();
}

std::vector<ResDateiEintrag> Hintergrund_Datei() { return {Muster_Eintrag(Hintergrund(), true)}; }
std::vector<ResDateiEintrag> Punkte_Datei() {
    std::vector<ResDateiEintrag> d{Muster_Eintrag(Punkt(palette::ROT, palette::HELL), true),
                                   Muster_Eintrag(Punkt(palette::AUSWAHL, palette::GOLD), true)};
    for (int32_t i = 0; i < RADAR_BALL_BILDER; ++i) d.push_back(Muster_Eintrag(Ball(i), true));
    d.push_back(Muster_Eintrag(Tor(true), true));
    d.push_back(Muster_Eintrag(Tor(false), true));
    return d;
}

}  // namespace radar_kunst
