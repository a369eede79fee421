// kunst/film_muster_figuren.cpp - the films' people, their poses and the grounds and
// landscapes they stand in.
#include "kunst/film_muster_intern.h"

#include <algorithm>
#include <cmath>

#include "gfx/text_markup.h"

namespace velmora::film_muster_intern {

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

Pose Laufen(double phase, double weite) {
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

// ---- places ----

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

}  // namespace velmora::film_muster_intern
