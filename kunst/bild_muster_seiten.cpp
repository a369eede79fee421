// kunst/bild_muster_seiten.cpp - the pictures of the match-day pages and the
// competition screens.
#include "kunst/bild_muster_seiten.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/bild.h"
#include "gfx/bild_leinwand.h"
#include "gfx/colour.h"
#include "kunst/bild_muster.h"
#include "kunst/bild_muster_menue.h"

namespace velmora {
namespace {

using namespace palette;

constexpr Rgb WEISS{244, 242, 232}, SCHATTEN{6, 10, 16}, ROT_HELL{214, 72, 64}, GRUEN_HELL{96, 196, 104};
constexpr Rgb SILBER{196, 200, 206}, BRONZE{186, 120, 64}, HAUT{222, 176, 140}, HOSE{28, 34, 48};
constexpr double PI = 3.14159265358979;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

// The board every page stands on: night blue, a gold edge, a lighter band on top.
void Tafel(Leinwand& b, int32_t x, int32_t y, int32_t w, int32_t h, int32_t band) {
    b.Platte(x, y, w, h, 12, GOLD, TAFEL, NACHT, 3);
    if (band > 0) {
        b.Verlauf(x + 3, y + 3, w - 6, band, TAFEL_HELL, TAFEL);
        b.Rechteck(x + 3, y + band + 3, w - 6, 2, GOLD_DUNKEL);
    }
}

// A recessed panel inside a board.
void Feld(Leinwand& b, int32_t x, int32_t y, int32_t w, int32_t h) {
    b.Platte(x, y, w, h, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, TAFEL, 0.4));
}

// Faint stripes behind table rows.
void Streifen(Leinwand& b, int32_t x, int32_t y, int32_t w, int32_t hoehe, int32_t anzahl) {
    for (int32_t i = 0; i < anzahl; ++i)
        if (i % 2 == 0) b.Rechteck(x, y + i * hoehe, w, hoehe - 1, Mix(NACHT, TAFEL, 0.55));
}

// A crest's medallion: a gold ring on a dark disc.
void Medaillon(Leinwand& b, double cx, double cy, double r) {
    b.Kreis(cx + 2, cy + 3, r + 3, SCHATTEN);
    b.Kreis(cx, cy, r + 3, GOLD_DUNKEL);
    b.Kreis(cx, cy, r + 1, GOLD);
    b.Kreis(cx, cy, r - 1, NACHT_HELL);
}

// A page's board with both clubs: each a crest's medallion (centre) and a name plate (top left).
struct Verein_Platz {
    int32_t mx, my, px, py;
};
void Zwei_Vereine(Leinwand& b, int32_t band, Verein_Platz heim, Verein_Platz gast, int32_t platte_h) {
    Tafel(b, 0, 0, b.w, b.h, band);
    for (const Verein_Platz& v : {heim, gast}) {
        Medaillon(b, v.mx, v.my, 40);
        b.Platte(v.px, v.py, 210, platte_h, 8, GOLD_DUNKEL, TAFEL_HELL, TAFEL);
    }
}

// A filled convex polygon.
void Polygon(Leinwand& b, const double* xs, const double* ys, int32_t n, Rgb c) {
    double y0 = ys[0], y1 = ys[0];
    for (int32_t i = 1; i < n; ++i) y0 = std::min(y0, ys[i]), y1 = std::max(y1, ys[i]);
    for (int32_t y = int32_t(std::floor(y0)); y <= int32_t(std::ceil(y1)); ++y) {
        double links = 1e9, rechts = -1e9;
        const double py = y + 0.5;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t j = (i + 1) % n;
            if ((ys[i] <= py && ys[j] > py) || (ys[j] <= py && ys[i] > py)) {
                const double x = xs[i] + (py - ys[i]) * (xs[j] - xs[i]) / (ys[j] - ys[i]);
                links = std::min(links, x), rechts = std::max(rechts, x);
            }
        }
        if (links < rechts) b.Rechteck(int32_t(std::lround(links)), y, int32_t(std::lround(rechts - links)), 1, c);
    }
}

// A seven-segment digit in a cell of w x h, the strokes d wide.
void Ziffer(Leinwand& b, int32_t ziffer, double x, double y, double w, double h, double d, Rgb c) {
    static const uint8_t SEGMENTE[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const uint8_t s = SEGMENTE[std::clamp(ziffer, 0, 9)];
    const double l = x + d / 2, r = x + w - d / 2, o = y + d / 2, m = y + h / 2, u = y + h - d / 2;
    const double linien[7][4] = {{l, o, r, o}, {r, o, r, m}, {r, m, r, u}, {l, u, r, u},
                                 {l, m, l, u}, {l, o, l, m}, {l, m, r, m}};
    for (int32_t k = 0; k < 7; ++k)
        if (s & (1 << k)) b.Linie(linien[k][0], linien[k][1], linien[k][2], linien[k][3], d, c);
}

// A number of one or two digits centred in a cell, with a dark outline.
void Zahl(Leinwand& b, int32_t n, double x, double y, double w, double h, Rgb c) {
    const bool zwei = n >= 10;
    const double zh = h * 0.78, zw = std::min(w * (zwei ? 0.36 : 0.5), zh * 0.6), d = std::max(1.2, zh * 0.16);
    const double abstand = zw * 0.25, breite = zwei ? 2 * zw + abstand : zw;
    const double x0 = x + (w - breite) / 2, y0 = y + (h - zh) / 2;
    for (int32_t pass = 0; pass < 2; ++pass) {
        const Rgb f = pass == 0 ? SCHATTEN : c;
        const double dd = pass == 0 ? d + 2 : d;
        if (zwei) {
            Ziffer(b, n / 10, x0, y0, zw, zh, dd, f);
            Ziffer(b, n % 10, x0 + zw + abstand, y0, zw, zh, dd, f);
        } else {
            Ziffer(b, n, x0, y0, zw, zh, dd, f);
        }
    }
}

// A bilinear enlargement of a picture onto the canvas at (x, y); black stays transparent.
void Vergroessert(Leinwand& b, Rastport* q, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!q) return;
    const uint16_t* p = Rastport_Pixels16(q);
    const int32_t qw = int32_t(q->width), qh = int32_t(q->height);
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) {
            const double fx = (i + 0.5) * qw / w - 0.5, fy = (j + 0.5) * qh / h - 0.5;
            const int32_t x0 = std::clamp(int32_t(std::floor(fx)), 0, qw - 1), y0 = std::clamp(int32_t(std::floor(fy)), 0, qh - 1);
            const int32_t x1 = std::min(x0 + 1, qw - 1), y1 = std::min(y0 + 1, qh - 1);
            const double tx = std::clamp(fx - x0, 0.0, 1.0), ty = std::clamp(fy - y0, 0.0, 1.0);
            const uint16_t e[4] = {p[y0 * qw + x0], p[y0 * qw + x1], p[y1 * qw + x0], p[y1 * qw + x1]};
            const double gw[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
            double r = 0, g = 0, bl = 0, summe = 0;
            for (int32_t k = 0; k < 4; ++k) {
                if (!e[k]) continue;
                int32_t cr, cg, cb;
                Colour_Split(e[k], 16, &cr, &cg, &cb);
                r += cr * gw[k], g += cg * gw[k], bl += cb * gw[k], summe += gw[k];
            }
            if (summe > 0.5) b.Punkt(x + i, y + j, {int32_t(r / summe), int32_t(g / summe), int32_t(bl / summe)});
        }
    Rastport_Free(q);
}

// An arrow pointing right (richtung 1) or left (-1), up (2) or down (-2).
void Pfeil(Leinwand& b, double cx, double cy, double g, int32_t richtung, Rgb c) {
    double xs[3], ys[3];
    if (richtung == 1 || richtung == -1) {
        const double s = richtung;
        xs[0] = cx + s * g, ys[0] = cy;
        xs[1] = cx - s * g * 0.6, ys[1] = cy - g;
        xs[2] = cx - s * g * 0.6, ys[2] = cy + g;
    } else {
        const double s = richtung == 2 ? -1 : 1;
        xs[0] = cx, ys[0] = cy + s * g;
        xs[1] = cx - g, ys[1] = cy - s * g * 0.6;
        xs[2] = cx + g, ys[2] = cy - s * g * 0.6;
    }
    Polygon(b, xs, ys, 3, c);
}

// A round button with an arrow.
Rastport* Pfeil_Knopf(int32_t w, int32_t h, int32_t richtung, bool gedrueckt) {
    Leinwand b(w, h);
    b.Platte(0, 0, w, h, std::min(w, h) / 3, gedrueckt ? GOLD_DUNKEL : GOLD, gedrueckt ? SCHIEFER_DUNKEL : SCHIEFER,
             gedrueckt ? NACHT : SCHIEFER_DUNKEL, 1);
    Pfeil(b, w / 2.0 + (gedrueckt ? 1 : 0), h / 2.0 + (gedrueckt ? 1 : 0), std::min(w, h) * 0.26, richtung,
          gedrueckt ? GOLD : WEISS);
    return b.Fertig();
}

// A wide switch: off slate, on gold.
Rastport* Schalter(int32_t w, int32_t h, bool an) {
    Leinwand b(w, h);
    if (an) b.Platte(0, 0, w, h, 7, GOLD, Mix(GOLD_DUNKEL, TAFEL, 0.3), Mix(GOLD_DUNKEL, NACHT, 0.5), 2);
    else b.Platte(0, 0, w, h, 7, GOLD_DUNKEL, SCHIEFER, SCHIEFER_DUNKEL, 2);
    b.Rechteck(6, 3, w - 12, 1, Mix(an ? GOLD : SCHIEFER, WEISS, 0.35));
    // The lamp at the left tells the state.
    b.Kreis(12, h / 2.0, 4, SCHATTEN);
    b.Kreis(12, h / 2.0, 3, an ? Mix(GOLD, WEISS, 0.5) : SCHIEFER_DUNKEL);
    return b.Fertig();
}

// A plain button: its caption tells what it does.
Rastport* Knopf(int32_t w, int32_t h) {
    Leinwand b(w, h);
    b.Platte(0, 0, w, h, 7, GOLD_DUNKEL, SCHIEFER, SCHIEFER_DUNKEL, 2);
    b.Rechteck(6, 3, w - 12, 1, Mix(SCHIEFER, WEISS, 0.35));
    return b.Fertig();
}

Rastport* Balken(int32_t w, int32_t h) {
    Leinwand b(w, h);
    b.Platte(0, 0, w, h, 3, GOLD_DUNKEL, NACHT, NACHT_HELL);
    return b.Fertig();
}

Rastport* Knauf(int32_t w, int32_t h) {
    Leinwand b(w, h);
    b.Platte(0, 0, w, h, 2, GOLD_DUNKEL, Mix(GOLD, WEISS, 0.3), GOLD);
    return b.Fertig();
}

// A row band of a result: tinted, fading to the right.
Rastport* Band(int32_t w, int32_t h, Rgb c) {
    Leinwand b(w, h);
    for (int32_t x = 0; x < w; ++x) b.Rechteck(x, 0, 1, h, Mix(c, Mix(c, NACHT, 0.6), double(x) / w));
    return b.Fertig();
}

// ---- the pages before and after the matches ----

Rastport* Vor_Menue() {
    Leinwand b(SEITE_VOR_MENUE_B, SEITE_VOR_MENUE_H);
    // The two clubs: crests in medallions, names on plates, a diagonal between them.
    Zwei_Vereine(b, 78, {53, 166, 100, 134}, {681, 175, 426, 179}, 32);
    b.Linie(330, 222, 406, 118, 3, GOLD_DUNKEL);
    b.Kreis(368, 170, 22, GOLD_DUNKEL);
    b.Kreis(368, 170, 20, NACHT);
    // "VS" drawn by strokes.
    b.Linie(353, 160, 360, 180, 3, GOLD);
    b.Linie(360, 180, 366, 160, 3, GOLD);
    b.Linie(384, 162, 373, 162, 3, GOLD);
    b.Linie(373, 162, 373, 170, 3, GOLD);
    b.Linie(373, 170, 383, 170, 3, GOLD);
    b.Linie(383, 170, 383, 179, 3, GOLD);
    b.Linie(383, 179, 372, 179, 3, GOLD);
    // The head-to-head lines and the best players of both clubs.
    Feld(b, 6, 252, SEITE_VOR_MENUE_B - 12, 38);
    Feld(b, 6, 290, SEITE_VOR_MENUE_B - 12, 68);
    Feld(b, 6, 361, SEITE_VOR_MENUE_B - 12, 80);
    return b.Fertig();
}

Rastport* Nach_Spiel(int32_t art) {
    Leinwand b(SEITE_NACH_SPIEL_B, SEITE_NACH_SPIEL_H);
    Zwei_Vereine(b, 76, {85, 128, 130, 96}, {714, 136, 460, 140}, 30);
    // The scoreboard behind the goal digits.
    b.Platte(334, 110, 132, 46, 6, GOLD, SCHATTEN, NACHT, 2);
    b.Kreis(400, 126, 2.5, GOLD);
    b.Kreis(400, 140, 2.5, GOLD);
    if (art == 2) {
        // The goals' box spans the page below the crests, so a long scorer's
        // name keeps its whole length beside a minute with its kind of goal.
        Feld(b, 76, 206, 688, 366);
        Streifen(b, 80, 250, 680, 30, 11);
    } else if (art == 3) {
        // Home values left, away values right, the labels in the middle.
        static const int32_t GRUPPEN[4][2] = {{272, 70}, {350, 68}, {426, 68}, {498, 70}};
        for (const int32_t* g : GRUPPEN) {
            Feld(b, 90, g[0], 620, g[1]);
            b.Rechteck(230, g[0] + 6, 1, g[1] - 12, GOLD_DUNKEL);
            b.Rechteck(570, g[0] + 6, 1, g[1] - 12, GOLD_DUNKEL);
        }
    } else {
        Feld(b, 110, 226, 620, 330);
        b.Rechteck(124, 341, 592, 1, GOLD_DUNKEL);
        b.Rechteck(124, 510, 592, 1, GOLD_DUNKEL);
        b.Rechteck(124, 524, 592, 1, GOLD_DUNKEL);
    }
    return b.Fertig();
}

// The goal digits: 0-15 per side in cells of 56 x 30.
Rastport* Tor_Ziffern() {
    Leinwand b(2 * 56, 16 * 30);
    for (int32_t n = 0; n <= 15; ++n)
        for (int32_t s = 0; s < 2; ++s) Zahl(b, n, s * 56 + 4, n * 30 + 2, 48, 26, Mix(GOLD, WEISS, 0.45));
    return b.Fertig();
}

// ---- the pre-match picture ----

Rastport* Vorspiel_Seite() {
    Leinwand b(VORSPIEL_SEITE_B, VORSPIEL_SEITE_H);
    // The stadium at night, the stands fading into the dark.
    b.Verlauf(0, 0, 800, 600, Mix(NACHT, SCHATTEN, 0.3), NACHT_HELL);
    for (int32_t k = 0; k < 6; ++k) b.Rechteck(0, 112 + k * 18, 800, 9, Mix(NACHT, TAFEL, 0.25 + 0.05 * k));
    // The pitch in perspective: near edge y 486, far edge y 232.
    const double nah = 486, fern = 232, nl = 110, nr = 690, fl = 255, fr = 545;
    auto rand_x = [&](double y, bool rechts) {
        const double t = (y - fern) / (nah - fern);
        return rechts ? fr + (nr - fr) * t : fl + (nl - fl) * t;
    };
    for (int32_t y = int32_t(fern); y <= int32_t(nah); ++y) {
        const double t = (y - fern) / (nah - fern);
        // Mowing stripes that widen towards the camera.
        const int32_t streifen = int32_t(std::sqrt(std::max(t, 0.0)) * 14);
        const Rgb gras = Mix(streifen % 2 ? RASEN_DUNKEL : RASEN, NACHT, 0.35 * (1 - t));
        const int32_t x0 = int32_t(rand_x(y, false)), x1 = int32_t(rand_x(y, true));
        b.Rechteck(x0, y, x1 - x0, 1, gras);
    }
    const Rgb kreide = Mix(WEISS, RASEN, 0.35);
    auto punkt = [&](double u, double v, double& x, double& y) {   // u 0..1 across, v 0 far .. 1 near
        y = fern + (nah - fern) * v;
        x = rand_x(y, false) + (rand_x(y, true) - rand_x(y, false)) * u;
    };
    auto linie = [&](double u0, double v0, double u1, double v1) {
        double x0, y0, x1, y1;
        punkt(u0, v0, x0, y0);
        punkt(u1, v1, x1, y1);
        b.Linie(x0, y0, x1, y1, 2, kreide);
    };
    linie(0, 0, 1, 0), linie(0, 1, 1, 1), linie(0, 0, 0, 1), linie(1, 0, 1, 1), linie(0, 0.5, 1, 0.5);
    for (double v : {0.0, 1.0}) {
        const double tief = v == 0 ? 0.16 : 0.84;
        linie(0.22, v, 0.22, tief), linie(0.78, v, 0.78, tief), linie(0.22, tief, 0.78, tief);
    }
    for (int32_t k = 0; k < 72; ++k) {
        const double a0 = 2 * PI * k / 72, a1 = 2 * PI * (k + 1) / 72;
        double x0, y0, x1, y1;
        punkt(0.5 + 0.12 * std::cos(a0), 0.5 + 0.1 * std::sin(a0), x0, y0);
        punkt(0.5 + 0.12 * std::cos(a1), 0.5 + 0.1 * std::sin(a1), x1, y1);
        b.Linie(x0, y0, x1, y1, 2, kreide);
    }
    // The perimeter boards below the pitch.
    b.Verlauf(0, 500, 800, 100, TAFEL, NACHT);
    b.Rechteck(0, 500, 800, 2, GOLD_DUNKEL);
    // The top band with the clubs' plates, the side panels behind the name plates.
    b.Verlauf(0, 0, 800, 108, TAFEL_HELL, NACHT);
    b.Rechteck(0, 108, 800, 2, GOLD);
    b.Platte(128, 12, 184, 42, 8, GOLD_DUNKEL, TAFEL, NACHT_HELL);
    b.Platte(488, 57, 184, 42, 8, GOLD_DUNKEL, TAFEL, NACHT_HELL);
    Medaillon(b, 88, 52, 36);
    Medaillon(b, 715, 62, 36);
    for (int32_t x : VORSPIEL_TAFEL_X)
        b.Platte(x, VORSPIEL_TAFEL_Y, VORSPIEL_TAFEL_B, VORSPIEL_TAFEL_H, 8, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.4), NACHT);
    return b.Fertig();
}

// The badge: the match ball on a gold ribbon; its mask the same shape.
bool Im_Abzeichen(double x, double y) {
    const bool ball = std::hypot(x - 56, y - 34) <= 26;
    const bool band = y >= 40 && y <= 60 && std::fabs(x - 56) <= 54 - std::fabs(y - 50) * 0.4;
    return ball || band;
}

Rastport* Abzeichen() {
    Leinwand b(112, 72);
    for (int32_t y = 40; y <= 60; ++y)
        for (int32_t x = 0; x < 112; ++x)
            if (Im_Abzeichen(x + 0.5, y + 0.5) && std::hypot(x - 56, y - 34) > 26)
                b.Punkt(x, y, Mix(GOLD, GOLD_DUNKEL, std::fabs(y - 50) / 10.0));
    b.Kreis(56, 34, 26, Mix(WEISS, GRAU, 0.2));
    b.Kreis(56, 34, 23, WEISS);
    b.Kreis(56, 34, 7, NACHT);
    for (int32_t k = 0; k < 5; ++k) {
        const double a = k * 2 * PI / 5 - PI / 2;
        b.Kreis(56 + 18 * std::cos(a), 34 + 18 * std::sin(a), 5, NACHT);
    }
    return b.Fertig();
}

Rastport* Abzeichen_Maske() {
    Rastport* rp = Rastport_Create(112, 72, 8, 0, 0);
    if (!rp) return nullptr;
    uint8_t* p = static_cast<uint8_t*>(rp->pixels->pixels);
    for (int32_t y = 0; y < 72; ++y)
        for (int32_t x = 0; x < 112; ++x) {
            const bool drin = Im_Abzeichen(x + 0.5, y + 0.5);
            const bool rand = !Im_Abzeichen(x - 0.5, y + 0.5) || !Im_Abzeichen(x + 1.5, y + 0.5) ||
                              !Im_Abzeichen(x + 0.5, y - 0.5) || !Im_Abzeichen(x + 0.5, y + 1.5);
            p[y * 112 + x] = drin ? (rand ? 128 : 255) : 0;
        }
    return rp;
}

// A back-number strip: 50 cells, number n's cell from the top at (50 - n) x h.
Rastport* Nummern(const VorspielStreifen& s) {
    Leinwand b(s.breite, s.hoehe * VORSPIEL_NUMMERN);
    for (int32_t n = 1; n <= VORSPIEL_NUMMERN; ++n)
        Zahl(b, n, 0, (VORSPIEL_NUMMERN - n) * s.hoehe, s.breite, s.hoehe, WEISS);
    return b.Fertig();
}

// A figure's head and legs; the torso is left clear for the kit.
Rastport* Figur(const VorspielFigur& f) {
    Leinwand b(f.breite, f.hoehe);
    const double cx = f.breite / 2.0, kopf_r = std::max(2.5, f.torso_y * 0.42);
    b.Kreis(cx, f.torso_y - kopf_r + 1, kopf_r, HAUT);
    b.Ellipse(cx, f.torso_y - kopf_r * 1.45 + 1, kopf_r * 0.95, kopf_r * 0.55, Mix(HOSE, BRONZE, 0.3));
    const int32_t hose_y = f.torso_y + f.torso_h, hose_h = std::max(3, f.hoehe / 9);
    const int32_t bein_w = std::max(2, f.torso_b / 4), bein_y = hose_y + hose_h;
    const int32_t bein_h = f.hoehe - bein_y;
    b.Platte(int32_t(cx - f.torso_b * 0.38), hose_y - 1, int32_t(f.torso_b * 0.76), hose_h + 1, 1, HOSE, HOSE, HOSE);
    for (int32_t s = 0; s < 2; ++s) {
        const int32_t x = int32_t(cx + (s == 0 ? -f.torso_b * 0.26 : f.torso_b * 0.26 - bein_w));
        b.Rechteck(x, bein_y, bein_w, bein_h * 45 / 100, HAUT);
        b.Rechteck(x, bein_y + bein_h * 45 / 100, bein_w, bein_h * 40 / 100, WEISS);
        b.Rechteck(x - 1, f.hoehe - std::max(2, bein_h * 15 / 100), bein_w + 2, std::max(2, bein_h * 15 / 100), SCHATTEN);
    }
    return b.Fertig();
}

// The position badges of the plates: goalkeeper, defender, midfielder, forward.
Rastport* Position(Rgb c) {
    Leinwand b(26, 16);
    b.Platte(0, 1, 26, 14, 6, Mix(c, WEISS, 0.3), c, Mix(c, NACHT, 0.45));
    b.Kreis(13, 8, 2.5, Mix(c, WEISS, 0.6));
    return b.Fertig();
}

// ---- the result, table and winner windows ----

Rastport* Fenster_Hintergrund() {
    Leinwand b(800, 600);
    // The floodlit stadium at night: sky, stands, the lights' glow.
    b.Verlauf(0, 0, 800, 600, Mix(NACHT, SCHATTEN, 0.5), TAFEL);
    for (int32_t k = 0; k < 8; ++k)
        b.Rechteck(0, 330 + k * 28, 800, 14, Mix(NACHT, TAFEL, 0.2 + 0.06 * k));
    for (int32_t s = 0; s < 2; ++s) {
        const double x = s ? 740 : 60;
        b.Rechteck(int32_t(x) - 2, 80, 4, 250, Mix(GRAU, NACHT, 0.5));
        for (int32_t r = 40; r > 0; r -= 8) b.Kreis(x, 70, r, Mix(NACHT_HELL, Mix(GOLD, WEISS, 0.7), 1.0 - r / 48.0));
    }
    return b.Fertig();
}

Rastport* Fenster_Seite() {
    Leinwand b(800, 600);
    b.Platte(8, 4, 784, 74, 12, GOLD, TAFEL_HELL, NACHT, 2);
    b.Platte(2, 96, 796, 420, 12, GOLD, Mix(NACHT, TAFEL, 0.6), NACHT, 3);
    b.Platte(318, 520, 270, 54, 10, GOLD_DUNKEL, NACHT_HELL, NACHT, 2);
    return b.Fertig();
}

// The heading band over the rows of the table and results pages: 19 pixels
// high, so it ends above the first result row's crests (18 pixels under the
// rows' top).
Rastport* Kopf_Band() {
    Leinwand b(728, 19);
    b.Platte(0, 0, 728, 19, 7, GOLD_DUNKEL, TAFEL_HELL, TAFEL, 1);
    b.Rechteck(10, 17, 708, 1, GOLD);
    return b.Fertig();
}

Rastport* Zu_Knopf(bool) {
    Leinwand b(150, 34);
    b.Platte(0, 0, 150, 34, 8, GOLD, GRUEN, GRUEN_DUNKEL, 2);
    b.Rechteck(8, 3, 134, 1, Mix(GRUEN, WEISS, 0.35));
    return b.Fertig();
}

Rastport* Sieger_Rahmen() {
    Leinwand b(646, 500);
    b.Platte(0, 0, 646, 500, 16, GOLD, TAFEL, NACHT, 4);
    b.Platte(8, 8, 630, 32, 10, GOLD_DUNKEL, TAFEL_HELL, TAFEL, 1);
    b.Platte(6, 440, 634, 54, 10, GOLD_DUNKEL, TAFEL_HELL, NACHT, 1);
    // A corona of light behind the trophy's place.
    for (int32_t r = 190; r > 0; r -= 10) b.Ellipse(323, 240, r * 1.4, r, Mix(NACHT, TAFEL_HELL, 1.0 - r / 200.0));
    return b.Fertig();
}

// The winner's picture of a competition: its trophy large between laurels, with confetti.
Rastport* Sieger_Bild(int32_t grafik) {
    Leinwand b(634, 400);
    // Two arcs of laurel leaves around the trophy.
    for (int32_t s = 0; s < 2; ++s)
        for (int32_t k = 0; k < 14; ++k) {
            const double a = (100 + 11 * k) * PI / 180;
            const double x = 317 + (s ? -1 : 1) * 150 * std::cos(a), y = 170 + 150 * std::sin(a);
            b.Ellipse(x, y, 10, 5, Mix(GRUEN, GOLD, 0.2 + 0.04 * k));
        }
    // Confetti scattered by the golden ratio's sequences, the same for every build.
    const Rgb farben[4] = {GOLD, ROT_HELL, GRUEN_HELL, WEISS};
    for (int32_t k = 0; k < 90; ++k) {
        const double u = std::fmod(k * 0.6180339887 + grafik * 0.1234, 1.0), v = std::fmod(k * 0.7548776662 + grafik * 0.377, 1.0);
        b.Rechteck(int32_t(u * 630), int32_t(v * 300), 3 + k % 3, 2 + (k / 3) % 3, farben[(k + grafik) % 4]);
    }
    Vergroessert(b, Muster_Pokal(grafik), 317 - 108, 40, 216, 216);
    b.Platte(207, 300, 220, 44, 8, GOLD, GOLD_DUNKEL, Mix(GOLD_DUNKEL, NACHT, 0.5), 2);
    return b.Fertig();
}

// ---- the club ranking ----

Rastport* Rang_Leinwand(bool letzte_spiele) {
    Leinwand b(792, 358);
    Tafel(b, 0, 0, 792, 358, 52);
    if (!letzte_spiele) Streifen(b, 10, 50, 760, 27, 10);
    Feld(b, 6, 322, 780, 30);
    return b.Fertig();
}

Rastport* Medaille(Rgb c) {
    Leinwand b(24, 24);
    b.Dreieck(4, 0, 7, 10, ROT_HELL);
    b.Rechteck(9, 0, 6, 9, ROT_HELL);
    b.Kreis(12, 15, 8.5, Mix(c, NACHT, 0.4));
    b.Kreis(12, 15, 7, c);
    b.Kreis(10, 13, 2.5, Mix(c, WEISS, 0.6));
    return b.Fertig();
}

// ---- the competition screens ----

// The screen's board: the heading band, the rows' stripes, the selector.
Rastport* Tabelle_Kopf(int32_t zeile, int32_t anzahl, Rgb ton) {
    Leinwand b(792, 474);
    b.Platte(0, 0, 792, 474, 12, GOLD, Mix(TAFEL, ton, 0.25), NACHT, 3);
    b.Verlauf(3, 3, 786, 48, Mix(TAFEL_HELL, ton, 0.3), TAFEL);
    b.Rechteck(3, 51, 786, 2, GOLD_DUNKEL);
    Streifen(b, 5, 50, 768, zeile, anzahl);
    b.Rechteck(3, 358, 786, 2, GOLD_DUNKEL);
    // The selector's hollow with the cups' places.
    b.Platte(255, 366, 298, 104, 10, GOLD_DUNKEL, NACHT, Mix(NACHT, TAFEL, 0.5));
    for (double x : {362.0, 429.0, 503.0}) b.Ellipse(x, 459, x == 429 ? 36 : 30, 6, SCHATTEN);
    return b.Fertig();
}

Rastport* Label() {
    Leinwand b(220, 52);
    b.Platte(0, 0, 220, 52, 10, GOLD_DUNKEL, TAFEL, NACHT, 2);
    return b.Fertig();
}

// The trend arrows: strong rise, rise, level, fall, strong fall.
Rastport* Trend(int32_t k) {
    Leinwand b(22, 14);
    const Rgb farben[5] = {GRUEN_HELL, Mix(GRUEN_HELL, GOLD, 0.4), GRAU, Mix(ROT_HELL, GOLD, 0.4), ROT_HELL};
    const Rgb c = farben[k];
    if (k == 2) {
        b.Linie(3, 7, 14, 7, 3, c);
        Pfeil(b, 16, 7, 5, 1, c);
    } else {
        const double s = k < 2 ? -1 : 1;
        b.Linie(4, 7 - s * 4, 13, 7 + s * 2, 3, c);
        Pfeil(b, 15, 7 + s * 3, 4.5, k < 2 ? 2 : -2, c);
        if (k == 0 || k == 4) b.Linie(2, 7 - s * 1, 2, 7 - s * 6, 2, c);
    }
    return b.Fertig();
}

}  // namespace

Rastport* Muster_Seiten_Bild(int32_t datei, int32_t eintrag) {
    switch (datei) {
    case SEITEN_RES_GLOBAL:
        if (eintrag == 4331) return Muster_Menue_Abdunkeln();
        return nullptr;
    case SEITEN_RES_PIRAK:
        switch (eintrag) {
        case 100: return Schalter(155, 30, true);
        case 101: return Schalter(155, 30, false);
        case 102: return Tabelle_Kopf(17, 18, GRUEN);
        case 103: return Knopf(144, 30);
        case 104: return Knopf(144, 30);
        case 105: return Schalter(155, 30, true);
        case 106: return Schalter(155, 30, false);
        case 108: case 109: return Pfeil_Knopf(28, 28, -1, eintrag == 109);
        case 110: case 111: return Pfeil_Knopf(28, 28, 1, eintrag == 111);
        case 112: case 113: return Pfeil_Knopf(28, 28, -1, eintrag == 113);
        case 114: case 115: return Pfeil_Knopf(28, 28, 1, eintrag == 115);
        case 116: case 117: return Pfeil_Knopf(28, 28, -1, eintrag == 117);
        case 118: return Pfeil_Knopf(28, 28, 1, false);
        case 119: return Label();
        case 121: return Tabelle_Kopf(17, 18, TAFEL);
        case 123: case 124: case 125: case 126: case 127: return Trend(eintrag - 123);
        case 128: return Knauf(8, 8);
        case 129: return Balken(9, 364);
        case 130: return Tabelle_Kopf(17, 18, GOLD_DUNKEL);
        case 131: return Band(768, 16, ROT_HELL);
        case 132: return Band(768, 16, GRUEN_HELL);
        case 153: return Tabelle_Kopf(34, 9, SCHIEFER);
        case 155: return Schalter(155, 30, true);
        case 156: return Schalter(155, 30, false);
        case 4165: return Vor_Menue();
        case 4168: case 4169: case 4170: return Nach_Spiel(eintrag - 4166);
        case 4171: return Tor_Ziffern();
        default: return nullptr;
        }
    case SEITEN_RES_ZEMO:
        if (eintrag == 4) return Sieger_Rahmen();
        if (eintrag >= 5 && eintrag < 5 + 64) return Sieger_Bild(eintrag - 5);
        switch (eintrag) {
        case 148: return Rang_Leinwand(true);
        case 149: return Rang_Leinwand(false);
        case 150: return Knopf(196, 36);
        case 152: return Knauf(8, 8);
        case 153: return Balken(9, 248);
        case 154: return Band(760, 26, ROT_HELL);
        case 155: return Band(760, 26, GRUEN_HELL);
        case 156: return Band(760, 26, GRAU);
        case 157: return Medaille(GOLD);
        case 158: return Medaille(SILBER);
        case 159: return Medaille(BRONZE);
        case 160: case 161: return Pfeil_Knopf(9, 14, 2, eintrag == 161);
        case 162: case 163: return Pfeil_Knopf(9, 14, -2, eintrag == 163);
        case 166: return Kopf_Band();
        case 168: return Fenster_Hintergrund();
        case 172: return Fenster_Seite();
        case 173: case 174: return Pfeil_Knopf(36, 36, 2, eintrag == 174);
        case 175: case 176: return Pfeil_Knopf(36, 36, -2, eintrag == 176);
        case 177: return Zu_Knopf(false);
        default: return nullptr;
        }
    case SEITEN_RES_TROBE: {
        static const Rgb TYP[4] = {{150, 150, 156}, GRUEN, GOLD_DUNKEL, ROT};   // midfield 36, defence 37, attack 38, keeper 39
        if (eintrag == 4036) return Position(TYP[2]);
        if (eintrag == 4037) return Position(TYP[1]);
        if (eintrag == 4038) return Position(TYP[3]);
        if (eintrag == 4039) return Position(TYP[0]);
        return nullptr;
    }
    case SEITEN_RES_ODDO: {
        const int32_t n = eintrag - BILD_RES_DIREKT_VERSATZ;
        if (n == VORSPIEL_SEITE) return Vorspiel_Seite();
        if (n == VORSPIEL_ABZEICHEN) return Abzeichen();
        if (n == VORSPIEL_MASKE) return Abzeichen_Maske();
        for (const VorspielStreifen& s : VORSPIEL_STREIFEN)
            if (n == s.eintrag) return Nummern(s);
        for (const VorspielFigur& f : VORSPIEL_FIGUREN)
            if (n == f.eintrag) return Figur(f);
        return nullptr;
    }
    default: return nullptr;
    }
}

std::vector<int32_t> Muster_Seiten_Eintraege(int32_t datei) {
    std::vector<int32_t> e;
    switch (datei) {
    case SEITEN_RES_GLOBAL: e = {4331}; break;
    case SEITEN_RES_PIRAK:
        for (int32_t n = 100; n <= 132; ++n)
            if (n != 107 && n != 120 && n != 122) e.push_back(n);
        e.insert(e.end(), {153, 155, 156, 4165, 4168, 4169, 4170, 4171});
        break;
    case SEITEN_RES_ZEMO:
        e.push_back(4);
        for (int32_t g = 0; g < 64; ++g) e.push_back(5 + g);
        for (int32_t n : {148, 149, 150, 152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 166, 168, 172, 173,
                          174, 175, 176, 177})
            e.push_back(n);
        break;
    case SEITEN_RES_TROBE: e = {4036, 4037, 4038, 4039}; break;
    case SEITEN_RES_ODDO:
        for (int32_t n : {0, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) e.push_back(BILD_RES_DIREKT_VERSATZ + n);
        break;
    default: break;
    }
    return e;
}

}  // namespace velmora
