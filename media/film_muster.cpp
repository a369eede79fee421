// media/film_muster.cpp - the installation's films, drawn by program.
//
// Every scene keeps a still background and draws its moving parts over it
// per frame as a pure function of the frame number, so frames can be drawn
// in any order and the loops close without a jump where the motion allows.
#include "media/film_muster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/bild_leinwand.h"
#include "gfx/bild_muster.h"
#include "gfx/bild_muster_menue.h"
#include "gfx/bild_muster_start.h"
#include "gfx/text_markup.h"

namespace velmora {
namespace {

using namespace palette;
constexpr double PI = 3.14159265358979323846;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }
Rgb Dunkler(Rgb c, double t = 0.28) { return Mix(c, SCHWARZ, t); }

// Colours of people, places and things, tuned to sit beside the menus' palette.
constexpr Rgb HAUT{226, 178, 138}, HAUT_DUNKEL{164, 112, 78}, HAAR{58, 40, 28}, HAAR_HELL{160, 118, 64};
constexpr Rgb GEGNER{176, 58, 52}, SCHUH{30, 30, 34}, ORANGE{232, 128, 40};
constexpr Rgb SAND{222, 196, 140}, SAND_DUNKEL{190, 160, 104}, MEER{38, 100, 146}, MEER_HELL{96, 152, 192};
constexpr Rgb FELS{104, 112, 128}, FELS_DUNKEL{74, 80, 96}, TANNE{26, 70, 46}, TANNE_HELL{40, 96, 60};
constexpr Rgb STAMM{96, 66, 42}, BAHN{150, 76, 58}, EKG{96, 224, 128}, BLAULICHT{70, 130, 255};
constexpr Rgb WIESE{76, 136, 64}, WIESE_HELL{104, 160, 80}, ERDE{150, 112, 70};
constexpr Rgb LICHT{58, 66, 74};   // a floodlight's beam in the dark

// Font numbers of the installation (docs/assets.md).
constexpr int32_t SCHRIFT_KNOPF = 6, SCHRIFT_ZIFFERN = 11, SCHRIFT_NAME = 14;

// ---- text ----

// Draws text with its top at y; `mitte` centres it on x. A dark copy two
// pixels lower right is its shadow.
void Schrift(Leinwand& l, Font* f, const char* text, int32_t x, int32_t y, Rgb c, bool mitte, bool schatten) {
    if (!f || !l.rp) return;
    if (mitte) x -= Text_Width(f, text) / 2;
    // Glyphs take the font's colour; the font is left as it was.
    const uint16_t farbe = f->farbe;
    if (schatten) {
        f->farbe = Leinwand_Pixel(NACHT);
        Text_Render(l.rp, f, f->farbe, text, x + 2, y + 2 + f->baseline, 0);
    }
    f->farbe = Leinwand_Pixel(c);
    Text_Render(l.rp, f, f->farbe, text, x, y + f->baseline, 0);
    f->farbe = farbe;
}

// ---- people ----

struct Kleidung {
    Rgb trikot, hose, stutzen, haut, haar;
};
const Kleidung SCHUELER{AUSWAHL, HELL, AUSWAHL_DUNKEL, HAUT, HAAR};
const Kleidung PARTNER{AUSWAHL, HELL, AUSWAHL_DUNKEL, HAUT_DUNKEL, SCHWARZ};
const Kleidung GEGENSPIELER{GEGNER, NACHT, GEGNER, HAUT, HAAR_HELL};
const Kleidung TORHUETER{GOLD, NACHT, GOLD_DUNKEL, HAUT, HAAR};

// Angles in radians from straight down, forward positive; [0] the near
// limb, [1] the far one. The whole figure leans about its feet.
struct Pose {
    double bein[2] = {0.05, -0.05}, knie[2] = {0.1, 0.1};
    double arm[2] = {0.2, -0.15}, ellbogen[2] = {0.35, 0.35};
    double neigung = 0, hoch = 0;
};

Pose Laufen(double phase, double weite = 0.6) {
    Pose p;
    const double s = std::sin(2 * PI * phase);
    p.bein[0] = weite * s;
    p.bein[1] = -weite * s;
    p.knie[0] = 0.15 + 1.2 * std::max(0.0, -s);
    p.knie[1] = 0.15 + 1.2 * std::max(0.0, s);
    p.arm[0] = -0.8 * weite * s;
    p.arm[1] = 0.8 * weite * s;
    p.ellbogen[0] = p.ellbogen[1] = 1.3;
    p.neigung = 0.1 + 0.1 * weite;
    p.hoch = 0.03 * std::fabs(std::cos(2 * PI * phase));
    return p;
}

Pose Jubel(double phase) {
    Pose p;
    p.arm[0] = 2.6 + 0.2 * std::sin(2 * PI * phase);
    p.arm[1] = 2.8 - 0.2 * std::sin(2 * PI * phase);
    p.ellbogen[0] = p.ellbogen[1] = 0.15;
    p.hoch = 0.07 * std::fabs(std::sin(2 * PI * phase));
    p.knie[0] = p.knie[1] = 0.3;
    return p;
}

// The kick with the near leg: s from 0 (swung back) to 1 (through the ball).
Pose Schuss(double s) {
    Pose p;
    s = std::clamp(s, 0.0, 1.0);
    p.bein[0] = -0.7 + 1.9 * s;
    p.knie[0] = 1.2 * (1 - s) + 0.05;
    p.bein[1] = -0.1;
    p.arm[0] = -0.7;
    p.arm[1] = 1.0;
    p.neigung = 0.15 - 0.2 * s;
    return p;
}

// A figure of height g standing with its feet at (x, y), facing right (r 1)
// or left (r -1).
void Figur(Leinwand& l, double x, double y, double g, int32_t r, const Kleidung& k, const Pose& p) {
    const double cn = std::cos(p.neigung), sn = std::sin(p.neigung);
    auto welt = [&](double u, double v, double& wx, double& wy) {
        wx = x + r * (u * cn + v * sn) * g;
        wy = y - (v * cn - u * sn) * g - p.hoch * g;
    };
    auto strich = [&](double u0, double v0, double u1, double v1, double breite, Rgb c) {
        double ax, ay, bx, by;
        welt(u0, v0, ax, ay);
        welt(u1, v1, bx, by);
        l.Linie(ax, ay, bx, by, std::max(1.6, breite * g), c);
    };
    auto kreis = [&](double u, double v, double rad, Rgb c) {
        double wx, wy;
        welt(u, v, wx, wy);
        l.Kreis(wx, wy, std::max(1.2, rad * g), c);
    };
    auto bein = [&](int32_t i) {
        const double t = i ? 0.22 : 0.0;
        const double ku = 0.25 * std::sin(p.bein[i]), kv = 0.47 - 0.25 * std::cos(p.bein[i]);
        const double s = p.bein[i] - p.knie[i];
        const double fu = ku + 0.25 * std::sin(s), fv = kv - 0.25 * std::cos(s);
        strich(0, 0.47, ku, kv, 0.095, Dunkler(k.haut, t));
        strich(ku, kv, fu, fv, 0.085, Dunkler(k.stutzen, t));
        strich(fu, fv, fu + 0.07 * std::cos(s), fv + 0.07 * std::sin(s), 0.06, SCHUH);
    };
    auto arm = [&](int32_t i) {
        const double t = i ? 0.22 : 0.0;
        const double a = p.arm[i], e = a + p.ellbogen[i];
        const double eu = 0.15 * std::sin(a), ev = 0.75 - 0.15 * std::cos(a);
        strich(0, 0.75, eu, ev, 0.08, Dunkler(k.trikot, t));
        strich(eu, ev, eu + 0.14 * std::sin(e), ev - 0.14 * std::cos(e), 0.065, Dunkler(k.haut, t));
    };
    arm(1);
    bein(1);
    bein(0);
    strich(0, 0.42, 0, 0.5, 0.2, k.hose);
    strich(0, 0.5, 0.01, 0.76, 0.2, k.trikot);
    strich(0.01, 0.76, 0.015, 0.82, 0.06, k.haut);
    kreis(-0.005, 0.885, 0.088, k.haar);
    kreis(0.022, 0.872, 0.076, k.haut);
    arm(0);
}

void Ball(Leinwand& l, double x, double y, double r, double dreh) {
    l.Kreis(x, y, r + 0.7, NACHT);
    l.Kreis(x, y, r, HELL);
    if (r >= 2.5) l.Kreis(x + 0.42 * r * std::cos(dreh), y + 0.42 * r * std::sin(dreh), 0.4 * r, NACHT_HELL);
}

void Schatten(Leinwand& l, double x, double y, double r) { l.Ellipse(x, y, r, r * 0.3, Mix(RASEN_DUNKEL, SCHWARZ, 0.45)); }

// A goal seen from the front, its posts standing on y0 + bh.
void Tor(Leinwand& l, int32_t x0, int32_t y0, int32_t bw, int32_t bh) {
    const Rgb netz = Mix(HELL, RASEN_DUNKEL, 0.55);
    for (int32_t x = x0 + 4; x < x0 + bw; x += 5) l.Rechteck(x, y0, 1, bh, netz);
    for (int32_t y = y0 + 4; y < y0 + bh; y += 5) l.Rechteck(x0, y, bw, 1, netz);
    l.Rechteck(x0 - 1, y0, 3, bh, HELL);
    l.Rechteck(x0 + bw - 2, y0, 3, bh, HELL);
    l.Rechteck(x0 - 1, y0, bw + 2, 3, HELL);
}

void Huetchen(Leinwand& l, double x, double y) {
    for (int32_t j = 0; j < 10; ++j) l.Rechteck(int32_t(x) - 1 - j / 2, int32_t(y) - 10 + j, 3 + j, 1, j % 4 == 2 ? HELL : ORANGE);
    l.Rechteck(int32_t(x) - 7, int32_t(y), 15, 2, Dunkler(ORANGE));
}

// A deterministic sequence for scattered details (crowd, stars, trees).
struct Zufall {
    uint32_t z;
    explicit Zufall(uint32_t saat) : z(saat * 2654435761u + 1) {}
    uint32_t n(uint32_t bis) {
        z = z * 1103515245u + 12345u;
        return (z >> 16) % bis;
    }
};

// ---- places ----

struct Himmelsfarben {
    Rgb oben, unten;
};
const Himmelsfarben TAG{{92, 140, 192}, {178, 204, 224}}, ABEND{{60, 64, 116}, {212, 148, 108}},
    FLUTLICHT{NACHT, TAFEL_HELL};

// The training ground: the sky, the stand with its crowd and floodlights,
// the striped grass from the horizon down.
void Trainingsplatz(Leinwand& l, int32_t horizont, const Himmelsfarben& himmel, uint32_t saat) {
    l.Verlauf(0, 0, l.w, horizont, himmel.oben, himmel.unten);
    const int32_t tribuene = horizont - 22;
    l.Verlauf(0, tribuene, l.w, 22, SCHIEFER, SCHIEFER_DUNKEL);
    l.Rechteck(0, tribuene - 3, l.w, 3, GOLD_DUNKEL);
    Zufall z(saat);
    const Rgb leute[] = {HELL, GOLD, GEGNER, AUSWAHL, HAUT};
    for (int32_t y = tribuene + 3; y < horizont - 2; y += 4)
        for (int32_t x = 2 + int32_t(z.n(3)); x < l.w; x += 3 + int32_t(z.n(3)))
            l.Rechteck(x, y, 2, 2, Mix(leute[z.n(5)], SCHIEFER_DUNKEL, 0.35));
    for (int32_t mast : {l.w / 10, l.w - l.w / 10}) {
        l.Rechteck(mast - 1, tribuene - 30, 2, 30, GRAU);
        l.Rechteck(mast - 6, tribuene - 36, 12, 6, Mix(GRAU, HELL, 0.6));
        l.Rechteck(mast - 5, tribuene - 35, 10, 3, HELL);
    }
    int32_t y = horizont, band = 3;
    for (int32_t i = 0; y < l.h; ++i) {
        l.Rechteck(0, y, l.w, band, i % 2 ? RASEN_DUNKEL : RASEN);
        y += band;
        band += 2 + band / 3;
    }
    l.Rechteck(0, horizont + 4, l.w, 1, Mix(KREIDE, HELL, 0.4));
}

void Wolke(Leinwand& l, double x, double y, double s) {
    const Rgb c = Mix(HELL, GRAU, 0.15);
    l.Ellipse(x, y, 18 * s, 6 * s, c);
    l.Ellipse(x - 9 * s, y - 3 * s, 9 * s, 6 * s, c);
    l.Ellipse(x + 6 * s, y - 5 * s, 10 * s, 7 * s, c);
}

void Berge(Leinwand& l, int32_t basis, int32_t hoehe, Rgb farbe, bool schnee, uint32_t saat) {
    Zufall z(saat);
    for (int32_t x = -40; x < l.w + 40;) {
        const int32_t breite = 50 + int32_t(z.n(60)), h = hoehe / 2 + int32_t(z.n(uint32_t(hoehe / 2 + 1)));
        for (int32_t j = 0; j < h; ++j) {
            const int32_t halb = breite * j / (2 * h);
            const Rgb c = schnee && j < h / 4 ? Mix(HELL, farbe, 0.15) : Mix(farbe, Dunkler(farbe, 0.2), double(j) / h);
            l.Rechteck(x + breite / 2 - halb, basis - h + j, 2 * halb + 1, 1, c);
        }
        x += breite / 2 + int32_t(z.n(30));
    }
}

void Tanne(Leinwand& l, double x, double y, double h, Rgb c) {
    l.Rechteck(int32_t(x) - 1, int32_t(y - h * 0.2), 3, int32_t(h * 0.2) + 1, STAMM);
    for (int32_t stufe = 0; stufe < 3; ++stufe) {
        const double oben = y - h + stufe * h * 0.22, unten = oben + h * 0.42;
        for (int32_t j = int32_t(oben); j < int32_t(unten); ++j) {
            const double halb = (j - oben) * 0.55 * (1 + stufe * 0.2);
            l.Rechteck(int32_t(x - halb), j, int32_t(2 * halb) + 1, 1, stufe % 2 ? c : Mix(c, TANNE_HELL, 0.4));
        }
    }
}

void Palme(Leinwand& l, double x, double y, double h) {
    for (int32_t i = 0; i < 10; ++i) {
        const double t0 = i / 10.0, t1 = (i + 1) / 10.0;
        l.Linie(x + 8 * t0 * t0, y - h * t0, x + 8 * t1 * t1, y - h * t1, 4 - t0 * 1.5, Mix(STAMM, SAND_DUNKEL, i % 2 * 0.3));
    }
    const double kx = x + 8, ky = y - h;
    for (int32_t b = 0; b < 6; ++b) {
        const double a = -PI + b * PI / 5 + 0.2;
        for (int32_t s = 0; s < 8; ++s) {
            const double t = s / 8.0;
            l.Linie(kx + std::cos(a) * h * 0.45 * t, ky + std::sin(a) * h * 0.3 * t + h * 0.2 * t * t,
                    kx + std::cos(a) * h * 0.45 * (t + 0.125), ky + std::sin(a) * h * 0.3 * (t + 0.125) + h * 0.2 * (t + 0.125) * (t + 0.125),
                    3.5 - 2.5 * t, s % 2 ? TANNE_HELL : GRUEN);
        }
    }
}

// Waves moving by one period per `periode` frames.
void Meer(Leinwand& l, int32_t y0, int32_t y1, int32_t k, int32_t periode) {
    l.Verlauf(0, y0, l.w, y1 - y0, MEER, Mix(MEER, MEER_HELL, 0.6));
    for (int32_t y = y0 + 3, reihe = 0; y < y1 - 1; y += 4 + reihe, ++reihe) {
        const int32_t abstand = 24 + 6 * reihe, versatz = (k * abstand / periode + reihe * 11) % abstand;
        for (int32_t x = -abstand + versatz; x < l.w; x += abstand) l.Rechteck(x, y, 6 + reihe, 1, Mix(MEER_HELL, HELL, 0.5));
    }
}

void Boot(Leinwand& l, double x, double y) {
    for (int32_t j = 0; j < 5; ++j) l.Rechteck(int32_t(x) - 14 + j, int32_t(y) + j, 28 - 2 * j, 1, j ? STAMM : GEGNER);
    l.Rechteck(int32_t(x), int32_t(y) - 22, 1, 22, SCHUH);
    for (int32_t j = 0; j < 18; ++j) l.Rechteck(int32_t(x) + 1, int32_t(y) - 21 + j, 1 + j * 11 / 18, 1, HELL);
}

void Sonne(Leinwand& l, double x, double y, double r, Rgb c) {
    l.Kreis(x, y, r + 4, Mix(c, HELL, 0.6));
    l.Kreis(x, y, r, c);
}

// ---- the generic scene: a still background, then the frame's moving parts ----

class Szene : public FilmSzene {
public:
    using Grund = std::function<void(Leinwand&)>;
    using Vorne = std::function<void(Leinwand&, int32_t k)>;
    Szene(Grund grund, Vorne vorne, bool spiegeln = false)
        : grund_(std::move(grund)), vorne_(std::move(vorne)), spiegeln_(spiegeln) {}
    void Zeichnen(int32_t bild, Rastport* ziel) override {
        Leinwand l(ziel);
        if (!l.px) return;
        const size_t n = size_t(l.w) * size_t(l.h);
        if (still_.size() != n) {
            std::fill(l.px, l.px + n, Leinwand_Pixel(NACHT));
            if (grund_) grund_(l);
            still_.assign(l.px, l.px + n);
        } else {
            std::copy(still_.begin(), still_.end(), l.px);
        }
        vorne_(l, bild - 1);
        if (spiegeln_)
            for (int32_t y = 0; y < l.h; ++y) std::reverse(l.px + y * l.w, l.px + (y + 1) * l.w);
    }

private:
    Grund grund_;
    Vorne vorne_;
    bool spiegeln_;
    std::vector<uint16_t> still_;
};

// ---- talent training, 200 x 150, 50 frames ----

constexpr int32_t UEBUNG_BILDER = 50, BODEN = 132;
constexpr double GROESSE = 50;

enum Uebung : int32_t { SCHIESSEN, KOPFBALL, DRIBBELN, PASSEN, ZWEIKAMPF, LAUFEN, JONGLIEREN, MANNSCHAFT, HALTEN, STEMMEN };

struct Training {
    Uebung art;
    int32_t variante;
};

// Talents 0-39 as their training shows them.
constexpr Training TALENT_TRAINING[40] = {
    {KOPFBALL, 0}, {SCHIESSEN, 0}, {SCHIESSEN, 1}, {DRIBBELN, 0}, {PASSEN, 0},       // 0-4
    {KOPFBALL, 1}, {SCHIESSEN, 3}, {SCHIESSEN, 2}, {KOPFBALL, 2}, {ZWEIKAMPF, 0},    // 5-9
    {LAUFEN, 0}, {LAUFEN, 1}, {LAUFEN, 2}, {ZWEIKAMPF, 1}, {PASSEN, 1},             // 10-14
    {SCHIESSEN, 4}, {SCHIESSEN, 5}, {JONGLIEREN, 0}, {ZWEIKAMPF, 1}, {ZWEIKAMPF, 1}, // 15-19
    {JONGLIEREN, 2}, {MANNSCHAFT, 2}, {MANNSCHAFT, 1}, {MANNSCHAFT, 0}, {JONGLIEREN, 1},  // 20-24
    {SCHIESSEN, 2}, {DRIBBELN, 1}, {PASSEN, 1}, {SCHIESSEN, 0}, {SCHIESSEN, 0},     // 25-29
    {ZWEIKAMPF, 1}, {KOPFBALL, 0}, {ZWEIKAMPF, 0}, {PASSEN, 0}, {ZWEIKAMPF, 0},      // 30-34
    {PASSEN, 1}, {KOPFBALL, 3}, {DRIBBELN, 0}, {LAUFEN, 1}, {JONGLIEREN, 2},        // 35-39
};
constexpr int32_t TALENT_LINKSFUSS = 28;

double Glatt(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Where the ball flies: from a to b over frames k0..k1 with an arc of height h.
struct Flug {
    double ax, ay, bx, by, h;
    int32_t k0, k1;
    bool Bei(int32_t k, double& x, double& y) const {
        if (k < k0 || k > k1) return false;
        const double t = double(k - k0) / (k1 - k0);
        x = ax + (bx - ax) * t;
        y = ay + (by - ay) * t - h * std::sin(PI * t);
        return true;
    }
};

void Schiessen(Leinwand& l, int32_t var, int32_t k) {
    // var 0 a shot past the keeper, 1 from far out, 2 a penalty, 3 a free
    // kick over the wall, 4 into the empty goal, 5 a rebound put in.
    Tor(l, 136, 70, 60, 44);
    const bool torwart = var != 4;
    const double ballx = var == 1 ? 34 : var == 2 ? 90 : 70;
    const double start = var == 5 ? ballx - 14 : ballx - 48;
    if (var == 2) l.Ellipse(90, BODEN - 2, 3, 1, HELL);
    const Flug flug{ballx + 4, BODEN - 4, 176, 88, var == 3 ? 30.0 : 8.0, 12, 24};
    double bx = ballx + 4, by = BODEN - 4;
    if (var == 5 && k < 12) {   // the ball comes back off the keeper
        bx = 150 - (150 - bx) * Glatt(k / 11.0);
        by = 112 + (by - 112) * Glatt(k / 11.0);
    }
    if (torwart) {
        Pose p;
        p.arm[0] = 0.8;
        p.arm[1] = -0.6;
        if (k > 14) {   // too late for the far corner
            const double t = Glatt((k - 14) / 8.0);
            p.neigung = -1.3 * t;
            p.hoch = 0.25 * std::sin(PI * std::min(1.0, (k - 14) / 10.0));
            p.arm[0] = p.arm[1] = 2.6 * t;
        }
        Figur(l, 164, 114, 40, -1, TORHUETER, p);
    }
    if (var == 3)
        for (int32_t i = 0; i < 3; ++i) {
            Pose p;
            p.arm[0] = p.arm[1] = 0.3;
            p.ellbogen[0] = p.ellbogen[1] = 1.3;
            p.hoch = k >= 12 && k <= 20 ? 0.14 * std::sin(PI * (k - 12) / 8.0) : 0;
            Figur(l, 112 + 9 * i, BODEN - 6, 44, -1, GEGENSPIELER, p);
        }
    Pose p;
    double x = ballx - 10;
    if (k < 10) {
        x = start + (ballx - 10 - start) * k / 10.0;
        p = Laufen(k / 6.0);
    } else if (k < 15) {
        p = Schuss((k - 10) / 3.0);
    } else if (k >= 26) {
        p = Jubel((k - 26) / 7.0);
    }
    double fx = bx, fy = by;
    if (k >= 12 && !flug.Bei(k, fx, fy)) {   // in the net, dropping to the goal line
        fx = 176;
        fy = std::min(112.0, 88 + (k - 24) * 4.0);
    }
    const double r = k >= 12 ? 3.6 - 1.0 * std::min(1.0, (k - 12) / 12.0) : 3.6;
    Schatten(l, fx, k >= 12 && k <= 24 ? BODEN - 2 - (BODEN - 114) * (k - 12) / 12.0 : fy + r, r);
    Figur(l, x, BODEN, GROESSE, 1, SCHUELER, p);
    Ball(l, fx, fy, r, k * 0.7);
}

void Kopfball(Leinwand& l, int32_t var, int32_t k) {
    // var 0 a cross headed in, 1 a cross from the wing, 2 a corner, 3 the overhead kick.
    Tor(l, 136, 70, 60, 44);
    if (var == 2) {
        l.Rechteck(4, 60, 1, 30, HELL);
        l.Rechteck(5, 60, 7, 5, GOLD);
    }
    const double hx = 96;
    Pose p;
    if (k >= 8 && k <= 26) p.hoch = 0.3 * std::sin(PI * (k - 8) / 18.0);
    p.arm[0] = k >= 8 && k <= 26 ? 1.4 : 0.3;
    p.arm[1] = k >= 8 && k <= 26 ? 1.8 : -0.3;
    if (var == 3 && k >= 10 && k <= 26) {
        const double t = std::sin(PI * (k - 10) / 16.0);
        p.neigung = -1.6 * t;
        p.bein[0] = 2.0 * t;
        p.knie[0] = 0.1;
        p.hoch = 0.35 * t;
    }
    if (k >= 30) p = Jubel((k - 30) / 7.0);
    const double kopf_y = BODEN - GROESSE * (0.95 + 0.3 * std::sin(PI * 10 / 18.0));
    const double sx = var == 2 ? 8 : -6, sy = var == 2 ? 86 : var == 1 ? 110 : 60;
    const Flug rein{sx, sy, hx + 4, kopf_y, var == 0 ? 6.0 : 28.0, 0, 18};
    const Flug raus{hx + 4, kopf_y, 172, 86, 6, 18, 28};
    double bx, by;
    if (!rein.Bei(k, bx, by) && !raus.Bei(k, bx, by)) {
        bx = 172;
        by = std::min(112.0, 86 + (k - 28) * 4.0);
    }
    Schatten(l, bx, k <= 18 ? BODEN - 1 : BODEN - 2 - 18 * std::min(1.0, (k - 18) / 10.0), 3);
    Figur(l, hx, BODEN, GROESSE, 1, SCHUELER, p);
    Ball(l, bx, by, k > 18 ? 3.2 : 3.6, k * 0.6);
}

void Dribbeln(Leinwand& l, int32_t var, int32_t k) {
    // var 0 through the cones, 1 the counter-attack at full speed.
    if (var == 0)
        for (int32_t i = 0; i < 4; ++i) Huetchen(l, 40 + 40 * i, BODEN - 2);
    const double x = -20 + 240.0 * k / UEBUNG_BILDER;
    const double y = BODEN + (var == 0 ? 5 * std::sin(2 * PI * (x - 20) / 80.0) : 0);
    const double bx = x + 12, by = y - 4 + (var == 0 ? -std::fabs(std::sin(k * PI / 5)) * 3 : 0);
    Schatten(l, bx, y - 1, 3.6);
    Figur(l, x, y, GROESSE, 1, SCHUELER, Laufen(k / (var ? 5.0 : 7.0), var ? 0.75 : 0.5));
    if (var) {
        const Rgb strich = Mix(HELL, RASEN, 0.3);
        for (int32_t i = 0; i < 3; ++i) l.Rechteck(int32_t(x) - 30 - 6 * i, int32_t(y) - 30 + 9 * i, 16, 1, strich);
    }
    Ball(l, bx, by, 3.6, k * 0.9);
}

void Passen(Leinwand& l, int32_t var, int32_t k) {
    // var 0 two players pass back and forth, 1 a one-two on the run.
    const int32_t halb = UEBUNG_BILDER / 2;
    const bool hin = k < halb;
    const double t = double(k % halb) / halb;
    const double ax = var ? 40 + 6 * std::sin(2 * PI * k / UEBUNG_BILDER) : 36, bx = var ? 158 : 164;
    double x0 = ax + 10, x1 = bx - 10;
    if (!hin) std::swap(x0, x1);
    const double ballx = x0 + (x1 - x0) * t, bally = BODEN - 4 - 5 * std::sin(PI * t);
    auto pose = [&](bool schiesst, bool empfaengt, int32_t kk) {
        if (schiesst && kk < 4) return Schuss(0.4 + kk / 4.0);
        if (empfaengt && kk >= halb - 4) return Schuss((kk - (halb - 4)) / 8.0);
        return Laufen(kk / 25.0, 0.1);
    };
    Schatten(l, ballx, BODEN - 1, 3.5);
    Figur(l, bx, BODEN - 6, GROESSE * 0.96, -1, PARTNER, pose(!hin, hin, k % halb));
    Figur(l, ax, BODEN, GROESSE, 1, SCHUELER, pose(hin, !hin, k % halb));
    Ball(l, ballx, bally, 3.6, k * 0.8);
}

void Zweikampf(Leinwand& l, int32_t var, int32_t k) {
    if (var == 0) {
        // Shoulder to shoulder across the pitch, the trainee keeps the ball.
        const double x = -30 + 260.0 * k / UEBUNG_BILDER;
        const double rempeln = 0.12 * std::sin(2 * PI * k / 12.5);
        Pose a = Laufen(k / 6.25, 0.55), b = Laufen(k / 6.25 + 0.5, 0.55);
        a.neigung -= rempeln;
        b.neigung += rempeln;
        Figur(l, x + 4, BODEN - 8, GROESSE * 0.95, 1, GEGENSPIELER, b);
        Schatten(l, x + 16, BODEN - 1, 3.6);
        Figur(l, x, BODEN, GROESSE, 1, SCHUELER, a);
        Ball(l, x + 16, BODEN - 4, 3.6, k);
        return;
    }
    // The slide tackle: the opponent comes with the ball, the trainee slides
    // in, wins it and gets up with it.
    const double gx = k < 18 ? 206 - 5.0 * k : 116 + 4.0 * (k - 18);
    Pose g = Laufen(k / 6.0, 0.5);
    if (k >= 18) {   // he stumbles over the leg and catches himself
        g.neigung = 0.55 * std::sin(PI * std::min(1.0, (k - 18) / 12.0));
        g.arm[0] = 1.6;
        g.arm[1] = 2.2;
    }
    Figur(l, gx, BODEN - 4, GROESSE, -1, GEGENSPIELER, g);
    double sx = k < 14 ? 10 + 5.0 * k : std::min(110.0, 80 + 3.0 * (k - 14));
    Pose s = Laufen(k / 6.0, 0.6);
    if (k >= 14 && k < 30) {
        const double t = Glatt((k - 14) / 4.0) * (k < 26 ? 1.0 : 1 - (k - 26) / 4.0);
        s.neigung = -1.25 * t;
        s.bein[0] = 1.5 * t;
        s.knie[0] = 0.05;
        s.bein[1] = 0.6 * t;
        s.knie[1] = 1.0 * t;
        s.arm[0] = -0.6;
        s.arm[1] = 1.8 * t;
    } else if (k >= 30) {
        s = Laufen((k - 30) / 6.0, 0.5);
        sx = 110 - 3.0 * (k - 30);
    }
    const int32_t r = k >= 30 ? -1 : 1;
    // The ball: at the opponent's feet, knocked back, then taken away.
    double bx = gx - 14, by = BODEN - 4;
    if (k >= 18 && k < 26) {
        bx = 102 - 5.5 * (k - 18);
        by -= 10 * std::sin(PI * (k - 18) / 8.0);
    } else if (k >= 26) {
        bx = std::min(58.0, sx - 14);
    }
    Schatten(l, bx, BODEN - 1, 3.6);
    Figur(l, sx, BODEN, GROESSE, r, SCHUELER, s);
    Ball(l, bx, by, 3.6, k * 0.8);
}

void Laufen_Bahn(Leinwand& l, int32_t var, int32_t k) {
    // var 0 the lap runner, 1 the sprint, 2 two runners on the long run.
    if (var == 1) {
        const double x = std::fmod(-30 + 2 * 260.0 * k / UEBUNG_BILDER, 260.0) - 30;
        for (int32_t i = 0; i < 4; ++i)
            l.Rechteck(int32_t(x) - 26 - 7 * i, BODEN - 38 + 8 * i, 18 - 2 * i, 1, Mix(HELL, BAHN, 0.35));
        Figur(l, x, BODEN, GROESSE, 1, SCHUELER, Laufen(k / 3.125, 0.85));
        return;
    }
    if (var == 2) {
        const double x2 = std::fmod(60 + 260.0 * k / UEBUNG_BILDER, 260.0) - 30;
        Figur(l, x2, BODEN - 12, GROESSE * 0.92, 1, PARTNER, Laufen(k / 10.0 + 0.3, 0.45));
    }
    const double x = -30 + 260.0 * k / UEBUNG_BILDER;
    Figur(l, x, BODEN, GROESSE, 1, SCHUELER, Laufen(k / (var ? 10.0 : 8.333), var ? 0.45 : 0.6));
}

void Jonglieren(Leinwand& l, int32_t var, int32_t k) {
    // Five touches of ten frames: foot, knee, foot, head, foot. var 1 the
    // crowd waves, var 2 a star shines over the trainee.
    const int32_t beruehrung = k / 10, t = k % 10;
    static constexpr double HOEHE[5] = {0.1, 0.45, 0.1, 0.95, 0.1};
    const double x = 100;
    const double h0 = HOEHE[beruehrung], h1 = HOEHE[(beruehrung + 1) % 5];
    const double s = t / 10.0;
    const double hoehe = (h0 + (h1 - h0) * s) * GROESSE + 36 * std::sin(PI * s);
    Pose p;
    p.arm[0] = 0.6;
    p.arm[1] = -0.5;
    const int32_t naechste = (beruehrung + 1) % 5;
    if (t >= 7 && HOEHE[naechste] < 0.2) {
        p.bein[0] = 0.9 * (t - 6) / 3.0;
        p.knie[0] = 0.4;
    } else if (t >= 7 && naechste == 1) {
        p.bein[0] = 1.5 * (t - 6) / 3.0;
        p.knie[0] = 1.5 * (t - 6) / 3.0;
    } else if (naechste == 3 && t >= 6) {
        p.knie[0] = p.knie[1] = 0.3;
    }
    if (var == 1) {
        const Rgb arm = Mix(HAUT, SCHIEFER_DUNKEL, 0.35);
        for (int32_t i = 0; i < 25; ++i) {
            const double phase = std::sin(2 * PI * (k / 25.0 - i / 12.0));
            if (phase > 0.3) l.Rechteck(4 + 8 * i, 42 - int32_t(4 * phase), 2, 5, arm);
        }
    }
    if (var == 2) {
        const double glanz = 0.5 + 0.5 * std::sin(2 * PI * k / 25.0);
        for (int32_t i = 0; i < 5; ++i) {
            const double a = -PI / 2 + 2 * PI * i / 5 + k * 0.04;
            l.Linie(150, 40, 150 + (10 + 4 * glanz) * std::cos(a), 40 + (10 + 4 * glanz) * std::sin(a), 3, GOLD);
        }
        l.Kreis(150, 40, 4, Mix(GOLD, HELL, glanz));
    }
    Schatten(l, x + 8, BODEN - 1, 3.6 * (1 - hoehe / 150));
    Figur(l, x, BODEN, GROESSE, 1, SCHUELER, p);
    Ball(l, x + (beruehrung == 3 ? 2 : 8) + (naechste == 3 ? -6 * s : 0), BODEN - 4 - hoehe, 3.6, k * 0.5);
}

void Mannschaft(Leinwand& l, int32_t var, Font* const* schriften, int32_t k) {
    // var 0 the team cheers in a wave, 1 the trainee calls out, 2 he leads
    // with the armband.
    static constexpr double X[5] = {30, 62, 100, 138, 170};
    static constexpr double Y[5] = {118, 124, 132, 124, 118};
    for (int32_t i : {0, 4, 1, 3, 2}) {
        Pose p;
        const double welle = std::sin(2 * PI * (k / 25.0 - i / 5.0));
        if (var == 0 && welle > 0) p = Jubel(k / 10.0 + i * 0.2), p.hoch *= welle;
        if (var != 0 && i != 2) p.arm[0] = 0.4, p.arm[1] = -0.3;
        if (var == 2 && i == 2) {
            p.arm[0] = 1.6 + 0.15 * std::sin(2 * PI * k / 25.0);
            p.ellbogen[0] = 0.05;
        }
        if (var == 1 && i == 2) p.arm[0] = p.arm[1] = 2.2 + 0.4 * welle, p.ellbogen[0] = p.ellbogen[1] = 0.9;
        const bool mitte = i == 2;
        Figur(l, X[i], Y[i], GROESSE * (Y[i] - 40) / 92, i < 2 ? 1 : -1, mitte ? SCHUELER : PARTNER, p);
        if (mitte && var == 2) l.Rechteck(int32_t(X[i]) + 3, int32_t(Y[i] - GROESSE * 0.72), 5, 3, GOLD);
    }
    if (var == 1 && (k % 25) < 18) {
        l.Platte(112, 40, 50, 24, 6, GOLD, HELL, Mix(HELL, GRAU, 0.3), 2);
        for (int32_t j = 0; j < 6; ++j) l.Rechteck(114 - j, 62 + j, 6 - j, 1, HELL);
        Schrift(l, schriften[SCHRIFT_KNOPF], "Los!", 137, 44, NACHT, true, false);
    }
}

void Halten(Leinwand& l, int32_t k) {
    // The keeper dives to the upper corner and holds the ball, then gets up with it.
    Tor(l, 50, 66, 100, 52);
    const double ax = 40, ay = 150, zx = 136, zy = 84;
    double bx, by, r;
    Pose p;
    p.arm[0] = 0.9;
    p.arm[1] = -0.7;
    double x = 100, hoch = 0;
    if (k <= 12) {
        const double t = k / 12.0;
        bx = ax + (zx - ax) * t;
        by = ay + (zy - ay) * t - 12 * std::sin(PI * t);
        r = 6.5 - 3 * t;
    } else {
        bx = zx;
        by = zy;
        r = 3.5;
    }
    const double sprung = k < 5 ? 0 : k < 30 ? Glatt((k - 5) / 7.0) : 1 - Glatt((k - 30) / 10.0);
    p.neigung = -1.3 * sprung;
    hoch = k >= 5 && k < 20 ? 0.35 * std::sin(PI * (k - 5) / 15.0) : 0;
    p.hoch = hoch;
    p.arm[0] = p.arm[1] = 0.9 + 2.1 * sprung;
    p.ellbogen[0] = p.ellbogen[1] = 0.1;
    x = 100 + 10 * sprung;
    Figur(l, x, 118, 46, -1, TORHUETER, p);
    if (k > 12) {
        // The ball in the keeper's hands.
        const double cn = std::cos(p.neigung), sn = std::sin(p.neigung);
        const double u = 0.12, v = 1.05;
        bx = x - (u * cn + v * sn) * 46;
        by = 118 - (v * cn - u * sn) * 46 - p.hoch * 46;
    }
    Ball(l, bx, by, r, k * 0.8);
}

void Stemmen(Leinwand& l, int32_t k) {
    // Two lifts of the barbell and the strength star growing brighter.
    const double t = 0.5 - 0.5 * std::cos(2 * PI * k / 25.0);
    Pose p;
    p.knie[0] = p.knie[1] = 0.6 * (1 - t);
    p.bein[0] = 0.3 * (1 - t);
    p.bein[1] = -0.3 * (1 - t) + 0.05;
    p.arm[0] = p.arm[1] = 1.4 + 1.6 * t;
    p.ellbogen[0] = p.ellbogen[1] = 1.5 * (1 - t);
    Figur(l, 100, BODEN, GROESSE, 1, SCHUELER, p);
    // The barbell seen end on, in the hands: its weight plate round the bar.
    const double a = p.arm[0], e = a + p.ellbogen[0];
    const double hu = 0.15 * std::sin(a) + 0.14 * std::sin(e), hv = 0.75 - 0.15 * std::cos(a) - 0.14 * std::cos(e);
    const double hx = 100 + hu * GROESSE, hy = BODEN - hv * GROESSE;
    l.Kreis(hx, hy, 11, SCHIEFER_DUNKEL);
    l.Ring(hx, hy, 11, 2, NACHT);
    l.Kreis(hx, hy, 3, GRAU);
    const double glanz = 0.5 + 0.5 * std::sin(2 * PI * k / 50.0);
    for (int32_t i = 0; i < 5; ++i) {
        const double a = -PI / 2 + 2 * PI * i / 5;
        l.Linie(168, 36, 168 + (12 + 5 * glanz) * std::cos(a), 36 + (12 + 5 * glanz) * std::sin(a), 4, GOLD);
    }
    l.Kreis(168, 36, 5, Mix(GOLD, HELL, glanz));
}

void Uebung_Zeichnen(Leinwand& l, Training tr, Font* const* schriften, int32_t k) {
    switch (tr.art) {
    case SCHIESSEN: Schiessen(l, tr.variante, k); break;
    case KOPFBALL: Kopfball(l, tr.variante, k); break;
    case DRIBBELN: Dribbeln(l, tr.variante, k); break;
    case PASSEN: Passen(l, tr.variante, k); break;
    case ZWEIKAMPF: Zweikampf(l, tr.variante, k); break;
    case LAUFEN: Laufen_Bahn(l, tr.variante, k); break;
    case JONGLIEREN: Jonglieren(l, tr.variante, k); break;
    case MANNSCHAFT: Mannschaft(l, tr.variante, schriften, k); break;
    case HALTEN: Halten(l, k); break;
    case STEMMEN: Stemmen(l, k); break;
    }
}

std::unique_ptr<FilmSzene> Talent_Szene(int32_t eintrag, Font* const* schriften) {
    Training tr{STEMMEN, 0};
    int32_t talent = eintrag - FILM_TALENT_ERSTER;
    if (eintrag == FILM_TALENT_TORWART) tr = {HALTEN, 0};
    else if (eintrag != FILM_TALENT_STAERKE) tr = TALENT_TRAINING[talent];
    else talent = 53;
    const Himmelsfarben* himmel[3] = {&TAG, &ABEND, &FLUTLICHT};
    const Himmelsfarben& h = *himmel[talent % 3];
    const bool bahn = tr.art == LAUFEN;
    return std::make_unique<Szene>(
        [h, bahn, talent](Leinwand& l) {
            Trainingsplatz(l, 64, h, uint32_t(talent));
            if (!bahn) return;
            l.Rechteck(0, 96, l.w, 54, BAHN);
            for (int32_t y : {98, 112, 128, 146}) l.Rechteck(0, y, l.w, 1, Mix(HELL, BAHN, 0.2));
        },
        [tr, schriften](Leinwand& l, int32_t k) { Uebung_Zeichnen(l, tr, schriften, k); },
        talent == TALENT_LINKSFUSS);
}

// ---- the camps, 320 x 240, 100 frames ----

constexpr int32_t LAGER_BILDER = 100;

// Three players jog across the camp's ground, each leaving the picture on
// the right as it comes in on the left.
void Joggen(Leinwand& l, int32_t k, int32_t boden, int32_t runden) {
    for (int32_t i = 0; i < 3; ++i) {
        const double x = std::fmod(120.0 * i + double(runden) * 380.0 * k / LAGER_BILDER, 380.0) - 30;
        Figur(l, x, boden - 10 * i, 60 - 4 * i, 1, i == 1 ? PARTNER : SCHUELER, Laufen(k / 12.5 + i * 0.3, 0.55));
    }
}

void Hampelmann(Leinwand& l, int32_t k, int32_t boden) {
    for (int32_t i = 0; i < 4; ++i) {
        const double t = 0.5 - 0.5 * std::cos(2 * PI * (k / 25.0 + i * 0.1));
        Pose p;
        p.arm[0] = 0.4 + 2.4 * t;
        p.arm[1] = -0.4 - 2.4 * t;
        p.bein[0] = 0.1 + 0.35 * t;
        p.bein[1] = -0.1 - 0.35 * t;
        p.ellbogen[0] = p.ellbogen[1] = 0.1;
        p.hoch = 0.06 * std::sin(PI * t);
        Figur(l, 60 + 66 * i, boden - (i % 2) * 8, 56 - (i % 2) * 4, 1, i % 2 ? PARTNER : SCHUELER, p);
    }
}

std::unique_ptr<FilmSzene> Lager_Szene(int32_t lager) {
    Szene::Grund grund;
    Szene::Vorne vorne;
    constexpr int32_t BODEN_L = 214;
    switch (lager) {
    case 0:   // Alpen: snowy peaks, a meadow, firs; the team jogs
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 130, {96, 146, 200}, {190, 214, 232});
            Berge(l, 130, 90, FELS, true, 3);
            Berge(l, 150, 46, {70, 120, 76}, false, 8);
            l.Verlauf(0, 146, l.w, 94, WIESE_HELL, WIESE);
            for (int32_t i = 0; i < 6; ++i) Tanne(l, 20 + 58 * i, 160 - (i % 2) * 6, 40, TANNE);
        };
        vorne = [](Leinwand& l, int32_t k) {
            for (int32_t i = 0; i < 2; ++i) Wolke(l, std::fmod(40 + 170 * i + 3.6 * k, 360.0) - 20, 26 + 14 * i, 1.2);
            Joggen(l, k, BODEN_L, 1);
        };
        break;
    case 1:   // Algarve: the sea, the beach, the low sun; sprints on the sand
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 110, {118, 150, 200}, {236, 200, 150});
            Sonne(l, 250, 70, 20, {250, 210, 120});
            l.Verlauf(0, 150, l.w, 90, SAND, SAND_DUNKEL);
        };
        vorne = [](Leinwand& l, int32_t k) {
            Meer(l, 110, 150, k, LAGER_BILDER);
            Joggen(l, k, BODEN_L, 2);
        };
        break;
    case 2:   // Harz: the dark forest and the cabin; a run on the path
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 120, {120, 140, 160}, {196, 204, 206});
            for (int32_t i = 0; i < 14; ++i) Tanne(l, 10 + 24 * i, 128 + (i % 3) * 4, 70 + (i * 7) % 20, Mix(TANNE, NACHT, 0.2));
            l.Verlauf(0, 130, l.w, 110, Mix(WIESE, TANNE, 0.4), WIESE);
            l.Rechteck(196, 96, 76, 44, STAMM);
            for (int32_t y = 100; y < 140; y += 6) l.Rechteck(196, y, 76, 1, Dunkler(STAMM));
            for (int32_t j = 0; j < 24; ++j) l.Rechteck(230 - j * 7 / 4, 72 + j, 4 + j * 7 / 2, 1, GEGNER);
            l.Rechteck(226, 112, 14, 28, Dunkler(STAMM, 0.5));
            l.Rechteck(206, 106, 12, 10, GOLD);
            l.Verlauf(0, 190, l.w, 40, ERDE, Mix(ERDE, WIESE, 0.3));
        };
        vorne = [](Leinwand& l, int32_t k) { Joggen(l, k, BODEN_L, 1); };
        break;
    case 3:   // Sierra: red mountains in the heat; a track
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 130, {120, 150, 196}, {240, 196, 140});
            Berge(l, 140, 100, {170, 100, 70}, false, 5);
            Berge(l, 150, 50, {140, 90, 60}, false, 11);
            l.Verlauf(0, 146, l.w, 94, {196, 170, 100}, {170, 140, 80});
            l.Rechteck(0, 182, l.w, 46, BAHN);
            for (int32_t y : {184, 198, 212, 226}) l.Rechteck(0, y, l.w, 1, Mix(HELL, BAHN, 0.25));
        };
        vorne = [](Leinwand& l, int32_t k) {
            Wolke(l, std::fmod(50 + 3.6 * k, 360.0) - 20, 30, 1.0);
            Joggen(l, k, BODEN_L + 4, 2);
        };
        break;
    case 4:   // Norden: the lake with a boat and pines; jumping jacks
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 100, {140, 170, 200}, {214, 224, 230});
            Berge(l, 104, 30, {80, 110, 96}, false, 2);
            for (int32_t i = 0; i < 5; ++i) Tanne(l, 14 + 72 * i, 170, 56 + (i % 2) * 10, TANNE);
            l.Verlauf(0, 166, l.w, 74, WIESE, Mix(WIESE, TANNE, 0.3));
        };
        vorne = [](Leinwand& l, int32_t k) {
            Meer(l, 104, 150, k, LAGER_BILDER);
            Boot(l, std::fmod(20 + 3.6 * k, 360.0) - 20, 122);
            for (int32_t i = 0; i < 5; ++i) Tanne(l, 14 + 72 * i, 170, 56 + (i % 2) * 10, TANNE);
            Hampelmann(l, k, BODEN_L);
        };
        break;
    case 5:   // Sportschule: the school's hall, a flag, the pitch; passing
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 110, {96, 146, 200}, {184, 208, 228});
            l.Rechteck(40, 56, 180, 60, Mix(HELL, GRAU, 0.4));
            l.Rechteck(40, 50, 180, 8, SCHIEFER);
            for (int32_t i = 0; i < 8; ++i) l.Rechteck(52 + 21 * i, 70, 12, 14, SCHIEFER_DUNKEL);
            for (int32_t i = 0; i < 8; ++i) l.Rechteck(52 + 21 * i, 92, 12, 14, SCHIEFER_DUNKEL);
            l.Rechteck(250, 30, 2, 86, GRAU);
            for (int32_t y = 116, band = 4, i = 0; y < l.h; y += band, band += 3 + band / 3, ++i)
                l.Rechteck(0, y, l.w, band, i % 2 ? RASEN_DUNKEL : RASEN);
            Tor(l, 260, 96, 48, 34);
        };
        vorne = [](Leinwand& l, int32_t k) {
            const double wehen = std::sin(2 * PI * k / 25.0);
            for (int32_t i = 0; i < 22; ++i)
                l.Rechteck(252 + i, 30 + int32_t(2 * std::sin(i * 0.35 + wehen * 2)), 1, 14, i < 11 ? AUSWAHL : GOLD);
            const int32_t halb = LAGER_BILDER / 2;
            const double t = double(k % halb) / halb;
            double x0 = 80, x1 = 214;
            if (k >= halb) std::swap(x0, x1);
            Figur(l, 224, BODEN_L - 14, 56, -1, PARTNER, k % halb < 4 && k >= halb ? Schuss(0.5 + (k % halb) / 8.0) : Pose{});
            Figur(l, 70, BODEN_L, 62, 1, SCHUELER, k % halb < 4 && k < halb ? Schuss(0.5 + (k % halb) / 8.0) : Pose{});
            // From the trainee's feet (70, 214) to the partner's (224, 200) and back.
            const double y0 = k < halb ? BODEN_L - 5 : BODEN_L - 19, y1 = k < halb ? BODEN_L - 19 : BODEN_L - 5;
            Ball(l, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t - 10 * std::sin(PI * t), 4.5, k * 0.6);
        };
        break;
    case 6:   // Wueste: dunes, a palm, the big sun; a run through the sand
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 140, {210, 170, 110}, {250, 226, 170});
            Sonne(l, 80, 60, 28, {255, 236, 180});
            for (int32_t i = 0; i < 4; ++i) l.Ellipse(40 + 90 * i, 150, 80, 24, Mix(SAND, SAND_DUNKEL, (i % 2) * 0.5));
            l.Verlauf(0, 150, l.w, 90, SAND, SAND_DUNKEL);
            Palme(l, 266, 168, 80);
        };
        vorne = [](Leinwand& l, int32_t k) { Joggen(l, k, BODEN_L, 1); };
        break;
    default:   // Adria: the sea, the island with its palm, a boat; juggling on the beach
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 110, {86, 140, 200}, {190, 214, 236});
        };
        vorne = [](Leinwand& l, int32_t k) {
            Meer(l, 110, 156, k, LAGER_BILDER);
            l.Ellipse(230, 116, 50, 10, SAND);
            Palme(l, 228, 112, 50);
            Boot(l, 380 - std::fmod(30 + 3.8 * k, 380.0), 138);
            l.Verlauf(0, 156, l.w, 84, SAND, SAND_DUNKEL);
            for (int32_t i = 0; i < 2; ++i) {
                const int32_t kk = (k + i * 12) % 25;
                const double x = 90 + 140 * i, boden = BODEN_L - 6 * i;
                Pose p;
                if (kk > 20 || kk < 2) p.bein[0] = 0.8, p.knie[0] = 0.3;
                Figur(l, x, boden, 62 - 4 * i, 1, i ? PARTNER : SCHUELER, p);
                Ball(l, x + 12, boden - 14 - 44 * std::sin(PI * kk / 25.0), 4.5, kk * 0.5);
            }
        };
        break;
    }
    return std::make_unique<Szene>(grund, vorne);
}


// ---- shapes of the remaining films ----

// A filled polygon (even-odd rule).
void Vieleck(Leinwand& l, const std::vector<std::pair<double, double>>& p, Rgb c) {
    if (p.size() < 3) return;
    double y0 = p[0].second, y1 = y0;
    for (const auto& q : p) y0 = std::min(y0, q.second), y1 = std::max(y1, q.second);
    for (int32_t y = std::max(0, int32_t(std::floor(y0))); y <= std::min(l.h - 1, int32_t(std::ceil(y1))); ++y) {
        const double py = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < p.size(); ++i) {
            const auto& a = p[i];
            const auto& b = p[(i + 1) % p.size()];
            if ((a.second <= py) != (b.second <= py))
                xs.push_back(a.first + (py - a.second) * (b.first - a.first) / (b.second - a.second));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int32_t x0 = int32_t(std::lround(xs[i])), x1 = int32_t(std::lround(xs[i + 1]));
            l.Rechteck(x0, y, x1 - x0, 1, c);
        }
    }
}

void Stern(Leinwand& l, double cx, double cy, double aussen, double innen, double winkel, Rgb c) {
    std::vector<std::pair<double, double>> p;
    for (int32_t i = 0; i < 10; ++i) {
        const double r = i % 2 ? innen : aussen, a = winkel - PI / 2 + i * PI / 5;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    Vieleck(l, p, c);
}

// A four-pointed twinkle of size s.
void Funkeln(Leinwand& l, double x, double y, double s, Rgb c) {
    if (s < 0.5) return;
    l.Linie(x - s, y, x + s, y, 1.6, c);
    l.Linie(x, y - s, x, y + s, 1.6, c);
    l.Kreis(x, y, std::max(1.0, s / 4), HELL);
}

// Copies a picture (black transparent), every `schritt`-th pixel, to (x, y).
void Einsetzen(Leinwand& l, const Rastport* bild, int32_t x, int32_t y, int32_t schritt) {
    if (!bild || Rastport_Depth(bild) != 16) return;
    const uint16_t* q = Rastport_Pixels16(bild);
    for (uint32_t j = 0; j < bild->height; j += uint32_t(schritt))
        for (uint32_t i = 0; i < bild->width; i += uint32_t(schritt)) {
            const uint16_t p = q[j * bild->width + i];
            const int32_t zx = x + int32_t(i) / schritt, zy = y + int32_t(j) / schritt;
            if (p && zx >= 0 && zy >= 0 && zx < l.w && zy < l.h) l.px[zy * l.w + zx] = p;
        }
}

// A bitmap that stays with a scene.
struct Bild {
    Rastport* rp;
    explicit Bild(Rastport* r) : rp(r) {}
    ~Bild() { Rastport_Free(rp); }
    Bild(const Bild&) = delete;
    Bild& operator=(const Bild&) = delete;
};
struct Bilder {
    std::vector<Rastport*> rp;
    ~Bilder() {
        for (Rastport* r : rp) Rastport_Free(r);
    }
};

// ---- the ambulance and the heart monitor, 200 x 150 ----

void Krankenwagen(Leinwand& l, int32_t k) {
    const double x = -90 + 380.0 * k / 100, y = 128;
    const bool blink = k % 6 < 3;
    l.Ellipse(x + 42, y + 1, 46, 4, Mix(RASEN_DUNKEL, SCHWARZ, 0.45));
    l.Platte(int32_t(x), int32_t(y) - 46, 60, 38, 4, GRAU, HELL, Mix(HELL, GRAU, 0.35), 1);
    l.Platte(int32_t(x) + 56, int32_t(y) - 32, 26, 24, 5, GRAU, HELL, Mix(HELL, GRAU, 0.35), 1);
    l.Rechteck(int32_t(x) + 64, int32_t(y) - 29, 14, 10, MEER_HELL);
    l.Rechteck(int32_t(x) + 1, int32_t(y) - 20, 80, 4, GEGNER);
    l.Rechteck(int32_t(x) + 24, int32_t(y) - 41, 6, 18, GEGNER);
    l.Rechteck(int32_t(x) + 18, int32_t(y) - 35, 18, 6, GEGNER);
    l.Rechteck(int32_t(x) + 44, int32_t(y) - 50, 10, 4, blink ? BLAULICHT : Dunkler(BLAULICHT, 0.5));
    if (blink) {
        l.Linie(x + 40, y - 52, x + 30, y - 58, 1.5, Mix(BLAULICHT, HELL, 0.4));
        l.Linie(x + 58, y - 52, x + 68, y - 58, 1.5, Mix(BLAULICHT, HELL, 0.4));
    }
    for (double rx : {x + 16, x + 66}) {
        l.Kreis(rx, y - 6, 7, SCHUH);
        l.Kreis(rx, y - 6, 3, GRAU);
        const double a = -k * 0.9;
        l.Linie(rx - 3 * std::cos(a), y - 6 - 3 * std::sin(a), rx + 3 * std::cos(a), y - 6 + 3 * std::sin(a), 1.2, SCHUH);
    }
}

// The trace's height at u (0-1 of one beat): the spike at its start, the T
// wave after it, the P wave before the next.
double Ekg(double u) {
    if (u < 0.012) return 4 * u / 0.012;
    if (u < 0.03) return 4 - 40 * (u - 0.012) / 0.018;
    if (u < 0.05) return -36 + 48 * (u - 0.03) / 0.02;
    if (u < 0.065) return 12 - 12 * (u - 0.05) / 0.015;
    if (u > 0.25 && u < 0.42) return -9 * std::sin(PI * (u - 0.25) / 0.17);
    if (u > 0.84 && u < 0.93) return -4 * std::sin(PI * (u - 0.84) / 0.09);
    return 0;
}

void Herz_Zeichen(Leinwand& l, double x, double y, double s, Rgb c) {
    l.Kreis(x - 4 * s, y - 2 * s, 4.6 * s, c);
    l.Kreis(x + 4 * s, y - 2 * s, 4.6 * s, c);
    Vieleck(l, {{x - 8.8 * s, y - 1 * s}, {x + 8.8 * s, y - 1 * s}, {x, y + 9 * s}}, c);
}

// Frames 1-24 the first beat after the monitor came on, 25-49 the beat that loops.
void Herzmonitor(Leinwand& l, Font* const* schriften, int32_t k) {
    constexpr int32_t X0 = 18, BREITE = 164, NULL_Y = 66;
    const double p = k < 24 ? k / 24.0 : (k - 24) / 25.0;
    const int32_t sweep = X0 + int32_t(BREITE * p);
    for (int32_t x = X0; x < X0 + BREITE - 1; ++x) {
        const bool neu = x <= sweep, alt = x > sweep + 8 && k >= 24;
        if (!neu && !alt) continue;
        const double u0 = double(x - X0) / BREITE, u1 = double(x + 1 - X0) / BREITE;
        if (!neu && x + 1 > X0 + BREITE - 1) continue;
        l.Linie(x, NULL_Y + Ekg(u0), x + 1, NULL_Y + Ekg(u1), 2, neu ? EKG : Mix(EKG, NACHT, 0.45));
    }
    l.Kreis(sweep, NULL_Y + Ekg(double(sweep - X0) / BREITE), 2.5, Mix(EKG, HELL, 0.6));
    const double schlag = p < 0.12 ? 1.25 - p * 2 : 1.0;
    Herz_Zeichen(l, 158, 126, schlag, GEGNER);
    Schrift(l, schriften[SCHRIFT_ZIFFERN], "62", 70, 117, EKG, false, false);
}

// ---- the new-game wizard ----

void Platte_Grund(Leinwand& l) { l.Platte(0, 0, l.w, l.h, 8, GOLD_DUNKEL, TAFEL, NACHT, 2); }

void Globus(Leinwand& l, int32_t k) {
    constexpr double CX = 42, CY = 28, R = 22;
    l.Kreis(CX, CY, R + 2, GOLD_DUNKEL);
    l.Kreis(CX, CY, R, MEER);
    // Land patches on a band that turns once in 50 frames.
    static constexpr double LAND[][3] = {{0.05, -0.3, 0.5}, {0.2, 0.25, 0.4}, {0.45, -0.05, 0.6}, {0.62, 0.35, 0.3},
                                         {0.8, -0.25, 0.45}};
    for (const auto& f : LAND) {
        const double laenge = std::fmod(f[0] + k / 50.0, 1.0) * 2 * PI;
        const double v = std::cos(laenge);
        if (v < -0.1) continue;
        const double x = CX + R * std::sin(laenge) * std::sqrt(1 - f[1] * f[1]), y = CY + R * f[1];
        l.Ellipse(x, y, R * f[2] * 0.45 * std::max(0.2, v), R * f[2] * 0.35, v > 0.5 ? WIESE : Mix(WIESE, MEER, 0.4));
    }
    for (double b : {-0.5, 0.0, 0.5}) l.Rechteck(int32_t(CX - R * std::sqrt(1 - b * b)), int32_t(CY + R * b), int32_t(2 * R * std::sqrt(1 - b * b)), 1, Mix(MEER_HELL, MEER, 0.5));
    l.Ring(CX, CY, R, 1.5, Mix(MEER_HELL, NACHT, 0.3));
    // Flags of colours that wave beside it.
    const Rgb farben[3][3] = {{SCHWARZ, ROT, GOLD}, {AUSWAHL, HELL, ROT}, {GRUEN, HELL, ORANGE}};
    for (int32_t f = 0; f < 3; ++f) {
        const int32_t fx = 86 + 34 * f;
        l.Rechteck(fx, 8, 2, 40, GRAU);
        for (int32_t i = 0; i < 24; ++i) {
            const int32_t dy = int32_t(std::lround(2 * std::sin(i * 0.3 - 2 * PI * k / 25.0 + f)));
            for (int32_t s = 0; s < 3; ++s) l.Rechteck(fx + 2 + i, 9 + dy + 5 * s, 1, 5, farben[f][s]);
        }
    }
}

void Unterschrift(Leinwand& l, Font* const* schriften, int32_t k) {
    l.Platte(16, 6, 168, 44, 4, GOLD_DUNKEL, HELL, Mix(HELL, GRAU, 0.25), 1);
    Schrift(l, schriften[SCHRIFT_KNOPF], "Vertrag", 26, 9, SCHIEFER_DUNKEL, false, false);
    for (int32_t y = 14; y < 28; y += 4) l.Rechteck(100, y, 74, 1, Mix(GRAU, HELL, 0.4));
    l.Rechteck(26, 43, 148, 1, GRAU);
    // The signature grows over 35 frames and stays; the pen's tip on its end.
    const double ende = 28 + 140 * Glatt(k / 34.0);
    double px = 28, py = 38;
    for (double x = 28; x <= ende; x += 1) {
        const double y = 38 - 5 * std::sin((x - 28) * 0.32) * std::exp(-(x - 28) / 120.0) - 2 * std::sin((x - 28) * 0.09);
        if (x > 28) l.Linie(px, py, x, y, 1.6, NACHT);
        px = x;
        py = y;
    }
    l.Linie(px, py, px + 12, py - 26, 4, GOLD);
    l.Linie(px, py, px + 3, py - 7, 2, SCHUH);
}

void Portraitkamera(Leinwand& l, int32_t k) {
    // The manager's card, lit white by the flash.
    const bool blitz = k % 25 < 3;
    l.Platte(16, 4, 44, 48, 4, GOLD, GOLD, GOLD, 2);
    l.Rechteck(18, 6, 40, 44, blitz ? HELL : SCHIEFER);
    l.Kreis(38, 22, 8, Mix(GRAU, SCHIEFER_DUNKEL, 0.3));
    l.Ellipse(38, 50, 16, 15, Mix(GRAU, SCHIEFER_DUNKEL, 0.3));
    l.Rechteck(18, 48, 40, 2, GOLD);
    // The camera on its tripod, its flash going off twice in 50 frames.
    l.Linie(140, 38, 128, 54, 2, GRAU);
    l.Linie(140, 38, 152, 54, 2, GRAU);
    l.Platte(118, 14, 46, 26, 4, SCHUH, SCHIEFER_DUNKEL, NACHT, 1);
    l.Kreis(134, 27, 9, NACHT);
    l.Ring(134, 27, 9, 2, GRAU);
    l.Kreis(134, 27, 4, MEER);
    l.Rechteck(150, 8, 10, 6, GRAU);
    if (k % 25 < 4) {
        const double s = 5 + 5 * (k % 25);
        Funkeln(l, 155, 10, s, HELL);
        Funkeln(l, 155, 10, s * 0.6, GOLD);
    }
}

void Wappenreihe(Leinwand& l, const std::vector<Rastport*>& wappen, int32_t k) {
    for (size_t i = 0; i < wappen.size(); ++i) {
        const double t = std::fmod(k / 50.0 - i * 0.25 + 1.0, 1.0);
        const double sprung = t < 0.2 ? 8 * std::sin(PI * t / 0.2) : 0;
        Einsetzen(l, wappen[i], 18 + 44 * int32_t(i), 14 - int32_t(sprung), 2);
    }
}

void Podest(Leinwand& l, const std::vector<Rastport*>& pokale, int32_t k) {
    static constexpr int32_t X[3] = {84, 36, 132}, Y[3] = {6, 14, 18}, H[3] = {48, 40, 36};
    static constexpr Rgb STUFE[3] = {GOLD, GRAU, {176, 120, 70}};
    for (int32_t i = 0; i < 3; ++i) {
        l.Platte(X[i] - 4, Y[i] + 30, 40, H[i] - 30, 2, Dunkler(STUFE[i], 0.4), STUFE[i], Dunkler(STUFE[i], 0.3), 1);
        Einsetzen(l, pokale[size_t(i)], X[i], Y[i] - 4, 2);
    }
    // A glint runs over the cups.
    const double d = -40 + 300.0 * std::fmod(k / 50.0, 1.0);
    for (int32_t y = 0; y < l.h; ++y)
        for (int32_t x = 0; x < l.w; ++x) {
            const double abstand = std::fabs(x + 0.5 * y - d);
            if (abstand > 4) continue;
            for (int32_t i = 0; i < 3; ++i)
                if (x >= X[i] && x < X[i] + 33 && y >= Y[i] - 4 && y < Y[i] + 29) {
                    const Rastport* p = pokale[size_t(i)];
                    if (Rastport_Pixels16(p)[size_t((y - Y[i] + 4) * 2) * p->width + size_t((x - X[i]) * 2)])
                        l.Punkt(x, y, Mix(GOLD, HELL, 0.7));
                }
        }
}

// The band above the wizard's panel: the title over a strip of pitch,
// floodlight beams, twinkling stars and a ball rolling through.
void Band(Leinwand& l, Font* const* schriften, int32_t k) {
    const double schwenk = std::sin(2 * PI * k / 100.0);
    for (int32_t s = 0; s < 2; ++s) {
        const double ax = s ? 720 : 80, winkel = (s ? -0.35 : 0.35) + 0.25 * schwenk * (s ? -1 : 1);
        const double bx = ax + std::tan(winkel) * 74;
        Vieleck(l, {{ax - 3, 0}, {ax + 3, 0}, {bx + 60, 74}, {bx - 60, 74}}, LICHT);
    }
    Zufall z(55);
    for (int32_t i = 0; i < 40; ++i) {
        const double x = z.n(800), y = 4 + z.n(60), phase = z.n(100) / 100.0;
        const double s = 2.5 * std::max(0.0, std::sin(2 * PI * (k / 50.0 + phase)));
        if (s > 0.6) Funkeln(l, x, y, s, Mix(GOLD, HELL, 0.5));
        else l.Punkt(int32_t(x), int32_t(y), Mix(GRAU, NACHT, 0.3));
    }
    Start_Band_Titel(l.rp, schriften[START_BAND_SCHRIFT_TITEL], schriften[START_BAND_SCHRIFT_NAME]);
    const double x = -20 + 840.0 * k / 100;
    l.Ellipse(x, 93, 7, 2, Mix(RASEN_DUNKEL, SCHWARZ, 0.45));
    Ball(l, x, 86, 6, k * 0.5);
}

// ---- the competition films: the cup on the header's medallion, a glint
// running over it, then a sparkle ----

std::unique_ptr<FilmSzene> Wettbewerb_Szene(int32_t grafik) {
    // The header as it stands behind the cup at (15, 5), cut once from the
    // main screen's background for all competitions.
    static const std::vector<uint16_t> kopf = [] {
        std::vector<uint16_t> k(size_t(66) * 66, Leinwand_Pixel(NACHT));
        Bild h(Muster_Menue_Global(0));
        if (h.rp)
            for (int32_t y = 0; y < 66; ++y)
                std::memcpy(k.data() + y * 66, Rastport_Pixels16(h.rp) + (y + 5) * int32_t(h.rp->width) + 15, 66 * 2);
        return k;
    }();
    auto pokal = std::make_shared<Bild>(Muster_Pokal(grafik));
    return std::make_unique<Szene>(
        [pokal](Leinwand& l) {
            if (l.w * l.h == int32_t(kopf.size())) std::copy(kopf.begin(), kopf.end(), l.px);
            Einsetzen(l, pokal->rp, 0, 0, 1);
        },
        [pokal](Leinwand& l, int32_t k) {
            const uint16_t* p = pokal->rp ? Rastport_Pixels16(pokal->rp) : nullptr;
            if (p && k < 20) {
                const double d = -20 + 150.0 * k / 19;
                for (int32_t y = 0; y < l.h; ++y)
                    for (int32_t x = 0; x < l.w; ++x)
                        if (p[y * l.w + x] && std::fabs(x + y - d) < 6) l.Punkt(x, y, Mix(GOLD, HELL, 0.75));
            }
            if (k >= 22 && k < 36) Funkeln(l, 48, 12, 7 * std::sin(PI * (k - 22) / 14.0), HELL);
        });
}

// ---- "Attr_Film": the opening, then a medal for each talent ----

void Medaille_Bild(Leinwand& l, int32_t talent, double cx, double cy) {
    const double g = 64, fx = cx - 4, fy = cy + 31;
    Pose p;
    double bx = -1, by = 0;
    Training tr{STEMMEN, 0};
    if (talent < 40) tr = TALENT_TRAINING[talent];
    else if (talent >= 47 && talent <= 52) tr = {HALTEN, 0};
    if (talent >= 40 && talent <= 46) {
        // A weakness: head and arms down under a grey cloud.
        p.neigung = 0.35;
        p.arm[0] = p.arm[1] = -0.1;
        Figur(l, fx, fy, g, 1, SCHUELER, p);
        l.Ellipse(cx + 2, cy - 30, 16, 6, GRAU);
        l.Ellipse(cx - 6, cy - 34, 9, 6, GRAU);
        l.Linie(cx + 2, cy - 26, cx - 2, cy - 18, 2, GOLD);
        l.Linie(cx - 2, cy - 18, cx + 3, cy - 16, 2, GOLD);
        return;
    }
    switch (tr.art) {
    case SCHIESSEN: p = Schuss(1.0), bx = fx + 0.3 * g, by = fy - 0.23 * g; break;
    case KOPFBALL: p.hoch = 0.1, p.arm[0] = 1.4, p.arm[1] = 1.8, bx = fx + 3, by = fy - g * 1.2; break;
    case DRIBBELN: p = Laufen(0.2, 0.5), bx = fx + 0.23 * g, by = fy - 0.08 * g; break;
    case PASSEN: p = Schuss(0.6), bx = fx + 0.38 * g, by = fy - 0.08 * g; break;
    case ZWEIKAMPF:
        p.neigung = -1.1, p.bein[0] = 1.4, p.knie[0] = 0.05, p.bein[1] = 0.5, p.knie[1] = 0.9, p.arm[1] = 1.6;
        bx = fx + 0.58 * g, by = fy - 0.08 * g;
        break;
    case LAUFEN: p = Laufen(0.25, 0.8); break;
    case JONGLIEREN: p.bein[0] = 0.8, p.knie[0] = 0.4, bx = fx + 0.23 * g, by = fy - 0.42 * g; break;
    case MANNSCHAFT: p = Jubel(0.25); break;
    case HALTEN: p.neigung = -0.7, p.arm[0] = p.arm[1] = 2.8, p.ellbogen[0] = p.ellbogen[1] = 0.1; break;
    case STEMMEN: p.arm[0] = p.arm[1] = 3.0, p.ellbogen[0] = p.ellbogen[1] = 0; break;
    }
    Figur(l, fx, fy, g, 1, tr.art == HALTEN ? TORHUETER : SCHUELER, p);
    if (tr.art == STEMMEN) {
        l.Kreis(fx + 1, fy - g * 1.04, 10, SCHIEFER_DUNKEL);
        l.Ring(fx + 1, fy - g * 1.04, 10, 2, NACHT);
        l.Kreis(fx + 1, fy - g * 1.04, 3, GRAU);
    }
    if (tr.art == HALTEN) bx = fx + 0.58 * g, by = fy - g * 1.02;
    if (bx >= 0) Ball(l, bx, by, 3.8, 0.5);
}

void Attr_Film(Leinwand& l, Font* const* schriften, int32_t k) {
    constexpr double CX = 160, CY = 104;
    if (k < FILM_ATTR_OEFFNUNG) {
        // Two spotlights find the middle of the stage, a star rises there.
        const double t = Glatt(k / 40.0);
        for (int32_t s = 0; s < 2; ++s) {
            const double ax = s ? 290 : 30, zx = (s ? 400 : -80) + (CX - (s ? 400 : -80)) * t;
            Vieleck(l, {{ax - 4, 0}, {ax + 4, 0}, {zx + 40, 200}, {zx - 40, 200}}, LICHT);
            l.Ellipse(zx, 204, 44, 9, Mix(LICHT, TAFEL_HELL, 0.4));
        }
        const double s = Glatt((k - 30) / 40.0);
        if (s > 0) {
            for (int32_t i = 0; i < 12 && k >= 70; ++i) {
                const double a = i * PI / 6 + k * 0.02;
                l.Linie(CX + 62 * std::cos(a), CY + 62 * std::sin(a), CX + 80 * std::cos(a), CY + 80 * std::sin(a), 3,
                        Mix(GOLD, NACHT, 0.3));
            }
            Stern(l, CX, CY, 58 * s, 24 * s, 0.6 * (1 - s), GOLD_DUNKEL);
            Stern(l, CX, CY, 50 * s, 20 * s, 0.6 * (1 - s), GOLD);
            Stern(l, CX, CY, 22 * s, 9 * s, 0.6 * (1 - s), Mix(GOLD, HELL, 0.6));
        }
        static constexpr double FUNKEN[][3] = {{70, 60, 0.0}, {250, 70, 0.3}, {90, 170, 0.55}, {236, 160, 0.8}};
        for (const auto& f : FUNKEN)
            if (k >= 60) Funkeln(l, f[0], f[1], 6 * std::max(0.0, std::sin(2 * PI * (k / 30.0 + f[2]))), Mix(GOLD, HELL, 0.5));
        return;
    }
    const int32_t talent = (k - FILM_ATTR_OEFFNUNG) / FILM_ATTR_SEGMENT, j = (k - FILM_ATTR_OEFFNUNG) % FILM_ATTR_SEGMENT;
    const bool schwaeche = talent >= 40 && talent <= 46;
    const Rgb metall = schwaeche ? GEGNER : GOLD, metall_dunkel = schwaeche ? Dunkler(GEGNER, 0.4) : GOLD_DUNKEL;
    const double r = 56 * Glatt(j / 14.0);
    // The ribbon, the medal, and the rays of its arrival.
    if (r > 20) {
        l.Linie(CX - 34, 0, CX - 8, CY - r + 6, 14, schwaeche ? SCHIEFER : AUSWAHL);
        l.Linie(CX + 34, 0, CX + 8, CY - r + 6, 14, schwaeche ? SCHIEFER_DUNKEL : AUSWAHL_DUNKEL);
    }
    if (j >= 14 && j < 32) {
        const double w = (j - 14) / 18.0;
        for (int32_t i = 0; i < 10; ++i) {
            const double a = i * PI / 5 + 0.3;
            l.Linie(CX + (r + 6 + 40 * w) * std::cos(a), CY + (r + 6 + 40 * w) * std::sin(a), CX + (r + 16 + 60 * w) * std::cos(a),
                    CY + (r + 16 + 60 * w) * std::sin(a), 3, Mix(metall, NACHT, w));
        }
    }
    if (r < 1) return;
    l.Kreis(CX, CY, r, metall_dunkel);
    l.Kreis(CX, CY, r - 3, metall);
    l.Kreis(CX, CY, std::max(0.0, r - 9), schwaeche ? Mix(GEGNER, NACHT, 0.55) : TAFEL);
    if (r >= 50) Medaille_Bild(l, talent, CX, CY);
    if (j >= 20)
        Schrift(l, schriften[SCHRIFT_NAME], schwaeche ? "Neue Schw\xE4" "che" : "Talent erlernt!", int32_t(CX), 178,
                schwaeche ? HELL : GOLD, true, true);
}

void Buehne(Leinwand& l) {
    l.Verlauf(0, 0, l.w, 180, NACHT, NACHT_HELL);
    l.Verlauf(0, 180, l.w, 60, NACHT_HELL, NACHT);
    l.Ellipse(160, 206, 132, 24, GOLD_DUNKEL);
    l.Ellipse(160, 205, 128, 21, TAFEL);
}

}  // namespace

FilmMuster Film_Muster(int32_t eintrag) {
    FilmMuster m;
    if (eintrag >= 0 && eintrag < FILM_LAGER_ANZAHL) m = {320, 240, LAGER_BILDER, 1, false};
    else if (eintrag == FILM_KWAGEN) m = {200, 150, 100, 1, true};
    else if (eintrag == FILM_HERZ) m = {200, 150, 49, 25, true};
    else if (eintrag >= FILM_TALENT_ERSTER && eintrag <= FILM_TALENT_TORWART) m = {200, 150, UEBUNG_BILDER, 1, false};
    else if (eintrag == FILM_ASSISTENT_BAND) m = {800, 100, 100, 1, false};
    else if (eintrag >= 53 && eintrag <= 58) m = {200, 56, 50, 1, false};
    else if (eintrag == FILM_ATTR)
        m = {320, 240, FILM_ATTR_OEFFNUNG + FILM_ATTR_SEGMENT * FILM_ATTR_TALENTE, 1, false};
    else if (eintrag >= FILM_WETTBEWERB_ERSTER && eintrag < FILM_WETTBEWERB_ERSTER + FILM_WETTBEWERB_GRAFIKEN)
        m = {66, 66, 50, 1, false};
    return m;
}

std::unique_ptr<FilmSzene> Film_Muster_Szene(int32_t eintrag, Font* const* schriften) {
    if (Film_Muster(eintrag).bilder == 0) return nullptr;
    if (eintrag < FILM_LAGER_ANZAHL) return Lager_Szene(eintrag);
    if (eintrag >= FILM_TALENT_ERSTER && eintrag <= FILM_TALENT_TORWART) return Talent_Szene(eintrag, schriften);
    if (eintrag >= FILM_WETTBEWERB_ERSTER && eintrag != FILM_ATTR) return Wettbewerb_Szene(eintrag - FILM_WETTBEWERB_ERSTER);
    auto f = [schriften](void (*zeichnen)(Leinwand&, Font* const*, int32_t)) {
        return [schriften, zeichnen](Leinwand& l, int32_t k) { zeichnen(l, schriften, k); };
    };
    switch (eintrag) {
    case FILM_KWAGEN:
        return std::make_unique<Szene>([](Leinwand& l) { Trainingsplatz(l, 64, TAG, 9); }, Krankenwagen);
    case FILM_HERZ:
        return std::make_unique<Szene>(
            [](Leinwand& l) {
                l.Platte(0, 0, l.w, l.h, 10, GRAU, SCHIEFER, SCHIEFER_DUNKEL, 3);
                l.Rechteck(12, 12, 176, 96, NACHT);
                for (int32_t x = 12; x < 188; x += 12) l.Rechteck(x, 12, 1, 96, Mix(NACHT, EKG, 0.14));
                for (int32_t y = 12; y < 108; y += 12) l.Rechteck(12, y, 176, 1, Mix(NACHT, EKG, 0.14));
                l.Rechteck(12, 114, 176, 26, Mix(NACHT, SCHIEFER_DUNKEL, 0.5));
            },
            [schriften](Leinwand& l, int32_t k) {
                Herzmonitor(l, schriften, k);
                Schrift(l, schriften[8], "PULS", 24, 121, GRAU, false, false);
            });
    case 53: return std::make_unique<Szene>(Platte_Grund, Globus);
    case 54: {
        auto pokale = std::make_shared<Bilder>();
        for (int32_t g : {0, 1, 2}) pokale->rp.push_back(Muster_Pokal(g));
        return std::make_unique<Szene>(Platte_Grund, [pokale](Leinwand& l, int32_t k) { Podest(l, pokale->rp, k); });
    }
    case FILM_ASSISTENT_BAND: return std::make_unique<Szene>(Start_Band_Grund, f(Band));
    case 56: return std::make_unique<Szene>(Platte_Grund, Portraitkamera);
    case 57: return std::make_unique<Szene>(Platte_Grund, f(Unterschrift));
    case 58: {
        auto wappen = std::make_shared<Bilder>();
        for (int32_t n : {3, 17, 42, 105}) wappen->rp.push_back(Muster_Wappen(n));
        return std::make_unique<Szene>(Platte_Grund, [wappen](Leinwand& l, int32_t k) { Wappenreihe(l, wappen->rp, k); });
    }
    case FILM_ATTR: return std::make_unique<Szene>(Buehne, f(Attr_Film));
    default: return nullptr;
    }
}

}  // namespace velmora
