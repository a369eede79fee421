// kunst/stadion_kunst.h - the match view's art for mkassets: the figure frames
// of every animation row in use (type 66 of "stadion_gfx.res", entry 256 + row),
// rendered by a small 3-D stick-figure poser through the view's own projection
// into the figure palette; the pitch pictures of "rasen_hg.res" (seven kinds at
// full and half scale, lines and stands drawn in); the bottom bar of
// "stadion_menue.res". The frames come from the animation table itself, so a
// change of a row's frame count regenerates them.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/res.h"
#include "match/live/anim.h"
#include "matchview/spielansicht_figuren.h"

namespace stadion_kunst {

using namespace velmora;

// Every row in use as entry 256 + row of "stadion_gfx.res" (type 66).
std::vector<ResDateiEintrag> Figuren_Datei();
// The pitch pictures of "rasen_hg.res": the seven kinds (4-6 under snow), each
// at full and half scale.
std::vector<ResDateiEintrag> Rasen_Datei();
// The bar below the views and the score-line plates ("stadion_menue.res" 0-2).
std::vector<ResDateiEintrag> Menue_Datei();
// The score line's two digit strips.
std::vector<ResDateiEintrag> Ziffern_Datei();
// The tired marker ("stadion_sprites.res" 132) and the status marker (133).
std::vector<ResDateiEintrag> Muede_Marke();
std::vector<ResDateiEintrag> Status_Marke();

// ---- the poser, shared with the crowd's painter (kunst/publikum_kunst.cpp) ----

struct V3 {
    double f = 0, s = 0, z = 0;   // forward, right, up (metres, in the figure's frame)
};
inline V3 operator+(V3 a, V3 b) { return {a.f + b.f, a.s + b.s, a.z + b.z}; }
inline V3 operator*(V3 a, double k) { return {a.f * k, a.s * k, a.z * k}; }

// A pose: the joints of the stick figure.
struct Pose {
    V3 fuss_l, knie_l, fuss_r, knie_r, huefte, brust, kopf, ellbogen_l, hand_l, ellbogen_r, hand_r;
    double drehung = 0;   // the whole body turned about the forward axis (a dive), radians
    double kippen = 0;    // tipped forward (a fall), radians
    double hoch = 0;      // lifted off the ground
};

inline constexpr double PI = 3.14159265358979;

// The upright pose: a stride of `lauf` (0 standing, 1 a full run) at `phase`
// (0-1) of the step, the chest leaning forward by `lehne`; the lower foot on
// the ground.
Pose Grund(double lauf, double phase, double lehne);
// The pose of a row's frame (the row named `n`, frame of frames).
Pose Pose_Von(const std::string& n, int32_t frame, int32_t frames);

// The figure's frame on the pitch: forward on the ground for direction d
// (0 up the screen, 4 right, clockwise).
struct Richtung {
    double fx, fy, sx, sy;
};
Richtung Richtung_Von(int32_t d);

// A point of the figure's frame to screen pixels relative to its ground point.
struct Punkt {
    double x, y, tiefe;
};
Punkt Projizieren(const V3& v, const Richtung& r, double skala);

// An 8-bit picture with its origin (the ground point) in the middle.
struct Bild {
    int32_t w = 96, h = 96, ox = 48, oy = 76;
    std::vector<uint8_t> px = std::vector<uint8_t>(96 * 96, 0);
    void Scheibe(double x, double y, double r, uint8_t c) {
        for (int32_t yy = int32_t(std::floor(y - r)); yy <= int32_t(std::ceil(y + r)); ++yy)
            for (int32_t xx = int32_t(std::floor(x - r)); xx <= int32_t(std::ceil(x + r)); ++xx) {
                const double dx = xx + 0.5 - x, dy = yy + 0.5 - y;
                if (dx * dx + dy * dy > r * r) continue;
                const int32_t X = xx + ox, Y = yy + oy;
                if (X >= 0 && Y >= 0 && X < w && Y < h) px[size_t(Y * w + X)] = c;
            }
    }
    void Strich(Punkt a, Punkt b, double r, uint8_t c) {
        const double l = std::hypot(b.x - a.x, b.y - a.y);
        const int32_t n = std::max(1, int32_t(l * 2));
        for (int32_t i = 0; i <= n; ++i) Scheibe(a.x + (b.x - a.x) * i / n, a.y + (b.y - a.y) * i / n, r, c);
    }
    void Ellipse(double x, double y, double rx, double ry, uint8_t c) {
        for (int32_t yy = int32_t(y - ry) - 1; yy <= int32_t(y + ry) + 1; ++yy)
            for (int32_t xx = int32_t(x - rx) - 1; xx <= int32_t(x + rx) + 1; ++xx) {
                const double dx = (xx + 0.5 - x) / rx, dy = (yy + 0.5 - y) / ry;
                const int32_t X = xx + ox, Y = yy + oy;
                if (dx * dx + dy * dy <= 1 && X >= 0 && Y >= 0 && X < w && Y < h) px[size_t(Y * w + X)] = c;
            }
    }
    // Cut to the pixels drawn.
    FigurenBild Fertig() const {
        int32_t x0 = w, y0 = h, x1 = -1, y1 = -1;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (px[size_t(y * w + x)]) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        FigurenBild b;
        if (x1 < 0) x0 = y0 = x1 = y1 = 0;
        b.breite = x1 - x0 + 1;
        b.hoehe = y1 - y0 + 1;
        b.x_versatz = x0 - ox;
        b.y_versatz = y0 - oy;
        b.pixel.resize(size_t(b.breite * b.hoehe));
        for (int32_t y = 0; y < b.hoehe; ++y)
            for (int32_t x = 0; x < b.breite; ++x) b.pixel[size_t(y * b.breite + x)] = px[size_t((y0 + y) * w + x0 + x)];
        return b;
    }
};

// The limbs of a figure as strokes, drawn far to near; a stroke behind the
// hip takes the list's next darker shade.
struct Glieder {
    struct Strecke {
        Punkt a, b;
        double r;
        uint8_t c;
        double tiefe;
    };
    Richtung richtung;
    double skala, huefte_tiefe;
    std::vector<Strecke> teile;
    Glieder(const Richtung& r, double k, const V3& huefte)
        : richtung(r), skala(k), huefte_tiefe(Projizieren(huefte, r, k).tiefe) {}
    void Teil(const V3& a, const V3& c, double rad, int32_t liste, int32_t ton) {
        const Punkt pa = Projizieren(a, richtung, skala), pc = Projizieren(c, richtung, skala);
        const double tiefe = (pa.tiefe + pc.tiefe) / 2;
        const int32_t t = tiefe < huefte_tiefe - 0.05 ? ton - 1 : ton;
        teile.push_back({pa, pc, rad * skala, Figuren_Ton(liste, t), tiefe});
    }
    void Malen(Bild& b) {
        std::stable_sort(teile.begin(), teile.end(), [](const Strecke& x, const Strecke& y) { return x.tiefe < y.tiefe; });
        for (const Strecke& t : teile) b.Strich(t.a, t.b, t.r, t.c);
    }
};

// The frames of animation row `nr` as pictures, [direction x frames + frame].
std::vector<velmora::FigurenBild> Zeile_Malen(int32_t nr, const velmora::Anim_Satz& z);

}  // namespace stadion_kunst
