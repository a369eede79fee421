// kunst/film_muster.cpp - the installation's films, drawn by program.
//
// Every scene keeps a still background and draws its moving parts over it
// per frame as a pure function of the frame number, so frames can be drawn
// in any order and the loops close without a jump where the motion allows.
#include "kunst/film_muster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "gfx/bild_leinwand.h"
#include "gfx/start_band.h"
#include "gfx/text_markup.h"
#include "kunst/bild_muster.h"
#include "kunst/bild_muster_menue.h"
#include "kunst/bild_muster_start.h"
#include "kunst/film_muster_intern.h"

namespace velmora {
namespace {

using namespace film_muster_intern;

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
        // The trophies of a gold, a silver and a bronze graphic number.
        for (int32_t g : {0, 1, 3}) pokale->rp.push_back(Muster_Pokal(g));
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
