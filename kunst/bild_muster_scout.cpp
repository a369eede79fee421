// kunst/bild_muster_scout.cpp - the scout screen's pictures.
#include "kunst/bild_muster_scout.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

constexpr int32_t BRETT_B = 794, BRETT_H = 479, BRETT_X = 3, BRETT_Y = 86;
constexpr int32_t REGION_B = 200, REGION_H = 120, GLOBUS = 72;
constexpr double PI = 3.14159265358979;

// The land of the world map: ellipses in degrees (centre longitude and
// latitude, half widths) for each region.
struct Flaeche {
    int32_t region;
    double lon, lat, rx, ry;
};
constexpr Flaeche LAND[] = {
    {0, 2, 47, 7, 5},        {0, -4, 40, 5, 3.5},      {0, -2, 54, 2.5, 3.5},   {0, 12, 44, 2.5, 4},
    {0, 10, 51, 4, 3},       {1, 22, 43, 5, 3.5},      {1, 32, 39, 6, 2.5},     {2, -100, 50, 32, 14},
    {2, -118, 62, 24, 9},    {2, -80, 40, 10, 7},      {2, -150, 63, 12, 6},    {2, -72, 52, 10, 6},
    {3, -60, -12, 17, 18},   {3, -67, -36, 8, 13},     {3, -72, 4, 9, 6},       {4, 20, 2, 15, 13},
    {4, 25, -22, 10, 10},    {4, 40, 6, 6, 5},         {4, 47, -19, 2, 6},      {5, 100, 58, 32, 11},
    {5, 108, 32, 17, 10},    {5, 79, 21, 7, 9},        {5, 138, 37, 3, 5},      {5, 112, -1, 13, 3.5},
    {5, 122, 12, 3, 5},      {5, 135, 58, 15, 8},      {6, 134, -25, 16, 10},   {6, 172, -42, 3, 5},
    {6, 146, -6, 7, 3},      {7, 15, 63, 7, 7},        {7, -19, 65, 3, 1.5},    {7, 26, 64, 5, 5},
    {8, 30, 53, 11, 6},      {8, 48, 58, 9, 8},        {9, -101, 21, 9, 6},     {9, -88, 14, 6, 4},
    {10, -78, 21, 5, 1.5},   {10, -70, 19, 3, 1.4},    {10, -66, 18, 1.8, 1.2}, {10, -61, 14, 1.3, 2},
    {11, 45, 27, 10, 8},     {11, 53, 33, 6, 4},       {11, 37, 33, 3, 3},      {12, 68, 45, 14, 7},
    {13, 8, 26, 25, 8},      {14, 165, -10, 3, 2},     {14, 178, -17, 2.5, 2},  {14, -150, -17, 2.5, 1.8},
    {14, -172, -14, 2.5, 1.8}, {14, -157, 20, 3, 1.5}, {14, 160, 8, 3, 1.5}};

// The region at a longitude and latitude: the ellipse the point lies deepest
// in; coasts wave a little so the land does not look drawn with a compass.
int32_t Region_Bei(double lon, double lat) {
    while (lon < -180) lon += 360;
    while (lon >= 180) lon -= 360;
    int32_t beste = -1;
    double tiefe = 1.0;
    for (const Flaeche& f : LAND) {
        double dl = lon - f.lon;
        if (dl > 180) dl -= 360;
        if (dl < -180) dl += 360;
        const double d = (dl / f.rx) * (dl / f.rx) + ((lat - f.lat) / f.ry) * ((lat - f.lat) / f.ry);
        const double welle = 1.0 + 0.16 * std::sin(lon * 0.35 + lat * 0.2) * std::cos(lat * 0.31 - lon * 0.12) +
                             0.12 * std::sin(lon * 1.3 - lat * 0.9) * std::sin(lat * 1.1 + lon * 0.7);
        if (d / welle < tiefe) {
            tiefe = d / welle;
            beste = f.region;
        }
    }
    return beste;
}

// Map pixel to degrees: longitudes -170..180 across, latitudes 75..-50 down.
double Karte_Lon(double x) { return -170.0 + x * 350.0 / SCOUT_KARTE_B; }
double Karte_Lat(double y) { return 75.0 - y * 125.0 / SCOUT_KARTE_H; }

// The map's regions by pixel, worked out once (a pixel outside the map is sea).
int32_t Raster(int32_t x, int32_t y) {
    static std::vector<int8_t> raster;
    if (raster.empty()) {
        raster.resize(size_t(SCOUT_KARTE_B) * SCOUT_KARTE_H);
        for (int32_t j = 0; j < SCOUT_KARTE_H; ++j)
            for (int32_t i = 0; i < SCOUT_KARTE_B; ++i)
                raster[size_t(j) * SCOUT_KARTE_B + i] = int8_t(Region_Bei(Karte_Lon(i + 0.5), Karte_Lat(j + 0.5)));
    }
    if (x < 0 || y < 0 || x >= SCOUT_KARTE_B || y >= SCOUT_KARTE_H) return -1;
    return raster[size_t(y) * SCOUT_KARTE_B + x];
}

const Rgb MEER{26, 52, 84}, MEER_TIEF{16, 34, 58}, LAND_MATT{84, 104, 96}, LAND_KNOPF{70, 130, 86};

Rgb Meer(int32_t x, int32_t y, int32_t h) {
    Rgb c = Mix(MEER, MEER_TIEF, double(y) / std::max(1, h));
    if (x % 31 == 0 || y % 23 == 0) c = Mix(c, SCHIEFER, 0.45);   // the grid of meridians and parallels
    return c;
}

// The map: the sea with its grid, the land in `matt` and one region in `hell`
// (-1 none); with `nur` only that region's land, all else transparent.
void Karte(Bild& b, int32_t ox, int32_t oy, int32_t region, Rgb matt, Rgb hell, bool nur) {
    for (int32_t y = 0; y < SCOUT_KARTE_H; ++y)
        for (int32_t x = 0; x < SCOUT_KARTE_B; ++x) {
            const int32_t r = Raster(x, y);
            if (nur && r != region) continue;
            if (r < 0) {
                b.Punkt(ox + x, oy + y, Meer(x, y, SCOUT_KARTE_H));
                continue;
            }
            // A coast pixel (sea or another region beside it) is drawn darker.
            bool kueste = false;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (Raster(x + dx, y + dy) != r) kueste = true;
            const Rgb c = r == region ? hell : matt;
            b.Punkt(ox + x, oy + y, kueste ? Mix(c, NACHT, 0.45) : Mix(c, HELL, 0.08 * std::sin(x * 0.21 + y * 0.17)));
        }
}

void Kopf(Bild& b) {
    b.Platte(0, 0, BRETT_B, BRETT_H, 10, GOLD, TAFEL, NACHT, 2);
    // The scout's plate with the globe's socket.
    b.Platte(105 - BRETT_X, 100 - BRETT_Y, 550, 80, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.3), Mix(NACHT, TAFEL, 0.2), 2);
    b.Platte(115 - BRETT_X, 105 - BRETT_Y, GLOBUS + 4, GLOBUS + 4, 4, GOLD, NACHT, NACHT, 2);
    b.Platte(229 - BRETT_X, 111 - BRETT_Y, 72, 76, 4, GOLD, NACHT, NACHT, 2);
}

// Pages 1 and 2: the map's frame with the map, the info lines' rail.
Rastport* Seite() {
    Bild b(BRETT_B, BRETT_H);
    Kopf(b);
    b.Platte(SCOUT_KARTE_X - 4 - BRETT_X, SCOUT_KARTE_Y - 4 - BRETT_Y, SCOUT_KARTE_B + 8, SCOUT_KARTE_H + 8, 4, GOLD,
             NACHT, NACHT, 2);
    Karte(b, SCOUT_KARTE_X - BRETT_X, SCOUT_KARTE_Y - BRETT_Y, -1, LAND_MATT, LAND_MATT, false);
    b.Platte(34 - BRETT_X, 352 - BRETT_Y, 632, 98, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.35),
             Mix(NACHT, TAFEL, 0.1));
    b.Platte(674 - BRETT_X, 356 - BRETT_Y, 114, 96, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.35),
             Mix(NACHT, TAFEL, 0.1));
    return b.Fertig();
}

// The search page: the bar's socket, the region's frame.
Rastport* Suche() {
    Bild b(BRETT_B, BRETT_H);
    Kopf(b);
    b.Platte(279 - BRETT_X, 213 - BRETT_Y, SCOUT_BALKEN_B + 8, 22, 5, GOLD_DUNKEL, NACHT, NACHT, 2);
    b.Platte(566 - BRETT_X, 185 - BRETT_Y, REGION_B + 8, REGION_H + 8, 4, GOLD, NACHT, NACHT, 2);
    b.Platte(606 - BRETT_X, 336 - BRETT_Y, 170, 124, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.35),
             Mix(NACHT, TAFEL, 0.1));
    return b.Fertig();
}

Rastport* Sockel() {
    Bild b(100, 40);
    b.Platte(0, 0, 100, 40, 8, GOLD_DUNKEL, NACHT, Mix(NACHT, TAFEL, 0.3), 2);
    return b.Fertig();
}

Rastport* Info() {
    Bild b(620, 26);
    b.Verlauf(0, 0, 620, 26, Mix(NACHT_HELL, TAFEL, 0.3), Mix(NACHT, NACHT_HELL, 0.4));
    b.Rechteck(0, 25, 620, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// A scout's portrait: head and shoulders, each his own hair, suit and tie.
Rastport* Scout_Bild(int32_t s) {
    constexpr Rgb HAAR[4] = {{70, 46, 28}, {176, 176, 170}, {200, 164, 88}, {30, 28, 30}};
    constexpr Rgb ANZUG[4] = {{54, 84, 118}, {26, 84, 44}, {110, 80, 50}, {40, 44, 58}};
    constexpr Rgb HAUT[4] = {{226, 184, 150}, {214, 170, 136}, {232, 196, 162}, {170, 120, 86}};
    Bild b(64, 68);
    b.Verlauf(0, 0, 64, 68, Mix(TAFEL_HELL, SCHIEFER, 0.3), NACHT_HELL);
    b.Ellipse(32, 66, 28, 18, ANZUG[s]);
    b.Linie(32, 50, 32, 64, 4, s == 1 ? GOLD : ROT);
    b.Linie(24, 48, 32, 56, 2, HELL);
    b.Linie(40, 48, 32, 56, 2, HELL);
    b.Rechteck(28, 40, 8, 10, HAUT[s]);
    b.Ellipse(32, 28, 13, 16, HAUT[s]);
    if (s == 1) {
        b.Ellipse(32, 15, 12, 5, HAAR[s]);   // a bald crown, grey at the sides
        b.Ellipse(20, 24, 3, 7, HAAR[s]);
        b.Ellipse(44, 24, 3, 7, HAAR[s]);
    } else {
        b.Ellipse(32, 16, 14, 8, HAAR[s]);
        if (s == 2) b.Ellipse(21, 24, 4, 9, HAAR[s]);
    }
    if (s == 3) {   // glasses
        b.Ring(27, 29, 4, 1.2, SCHWARZ);
        b.Ring(37, 29, 4, 1.2, SCHWARZ);
        b.Linie(31, 29, 33, 29, 1, SCHWARZ);
    } else {
        b.Kreis(27, 29, 1.4, SCHWARZ);
        b.Kreis(37, 29, 1.4, SCHWARZ);
    }
    b.Linie(28, 37, 36, 37, 1.2, Mix(HAUT[s], ROT, 0.4));
    b.Rahmen(0, 0, 64, 68, 3, GOLD_DUNKEL, 1);
    return b.Fertig();
}

// A region button: its land alone, plain or lit.
Rastport* Region_Knopf(int32_t region, bool licht) {
    Bild b(SCOUT_KARTE_B, SCOUT_KARTE_H);
    Karte(b, 0, 0, region, LAND_MATT, licht ? GOLD : LAND_KNOPF, true);
    return b.Fertig();
}

// The chosen region on the map.
Rastport* Karte_Mit(int32_t region) {
    Bild b(SCOUT_KARTE_B, SCOUT_KARTE_H);
    Karte(b, 0, 0, region, LAND_MATT, GOLD, false);
    return b.Fertig();
}

// The region enlarged: its land in gold among the others.
Rastport* Region_Gross(int32_t region) {
    double l0 = 1e9, l1 = -1e9, b0 = 1e9, b1 = -1e9;
    for (const Flaeche& f : LAND)
        if (f.region == region) {
            l0 = std::min(l0, f.lon - f.rx);
            l1 = std::max(l1, f.lon + f.rx);
            b0 = std::min(b0, f.lat - f.ry);
            b1 = std::max(b1, f.lat + f.ry);
        }
    // Keep the map's proportions: degrees per pixel alike in both directions.
    const double cl = (l0 + l1) / 2, cb = (b0 + b1) / 2;
    const double grad = std::max((l1 - l0) * 1.3 / REGION_B, (b1 - b0) * 1.3 / REGION_H * 1.38);
    Bild b(REGION_B, REGION_H);
    for (int32_t y = 0; y < REGION_H; ++y)
        for (int32_t x = 0; x < REGION_B; ++x) {
            const double lon = cl + (x - REGION_B / 2.0) * grad, lat = cb - (y - REGION_H / 2.0) * grad / 1.38;
            const int32_t r = Region_Bei(lon, lat);
            if (r < 0) b.Punkt(x, y, Meer(x, y, REGION_H));
            else b.Punkt(x, y, r == region ? Mix(GOLD, HELL, 0.1) : LAND_MATT);
        }
    return b.Fertig();
}

// The search is over: a gold seal with a tick over the region's frame.
Rastport* Heimkehr() {
    Bild b(REGION_B, REGION_H);
    b.Verlauf(0, 0, REGION_B, REGION_H, Mix(TAFEL, NACHT, 0.3), NACHT);
    for (int32_t k = 0; k < 16; ++k) {
        const double w = k * PI / 8;
        b.Kreis(100 + 40 * std::cos(w), 60 + 40 * std::sin(w), 9, GOLD_DUNKEL);
    }
    b.Kreis(100, 60, 42, GOLD);
    b.Ring(100, 60, 34, 2, GOLD_DUNKEL);
    b.Linie(82, 60, 96, 76, 7, GRUEN_DUNKEL);
    b.Linie(96, 76, 122, 44, 7, GRUEN_DUNKEL);
    return b.Fertig();
}

Rastport* Balken(bool voll) {
    Bild b(SCOUT_BALKEN_B, 14);
    if (voll) {
        for (int32_t x = 0; x < SCOUT_BALKEN_B; ++x) {
            const Rgb c = Mix(GOLD, GRUEN, double(x) / SCOUT_BALKEN_B);
            b.Verlauf(x, 0, 1, 14, Mix(c, HELL, 0.3), Mix(c, NACHT, 0.3));
        }
    } else {
        b.Verlauf(0, 0, SCOUT_BALKEN_B, 14, Mix(NACHT, NACHT_HELL, 0.6), NACHT);
    }
    return b.Fertig();
}

Rastport* Fertig_Band() {
    Bild b(372, 28);
    b.Platte(0, 0, 372, 28, 8, GOLD, Mix(GRUEN, NACHT, 0.3), GRUEN_DUNKEL, 2);
    return b.Fertig();
}

Rastport* Dialog() {
    Bild b(460, 100);
    b.Platte(0, 0, 460, 100, 8, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.25), NACHT, 2);
    for (int32_t k = 1; k < 5; ++k) b.Rechteck(8, 4 + 18 * k, 444, 1, Mix(NACHT, TAFEL, 0.5));
    return b.Fertig();
}

// The prospect's panel: the portrait's frame at the left, the values' rail.
Rastport* Kandidat() {
    Bild b(460, 110);
    b.Platte(0, 0, 460, 110, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.2), NACHT, 2);
    b.Platte(4, 0, 76, 88, 4, GOLD, NACHT, NACHT, 2);
    b.Rechteck(146, 36, 300, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// The player card's small button: a card with a face.
Rastport* Karte_Knopf() {
    Bild b(60, 22);
    b.Platte(0, 0, 60, 22, 5, GOLD, SCHIEFER, SCHIEFER_DUNKEL, 1);
    b.Platte(22, 3, 16, 16, 2, HELL, HELL, GRAU, 1);
    b.Kreis(30, 9, 3, SCHIEFER_DUNKEL);
    b.Ellipse(30, 17, 5, 3, SCHIEFER_DUNKEL);
    return b.Fertig();
}

// The turning globe: the map's land on a lit sphere against the night sky,
// one turn over the run. Flip books are copied whole: every pixel is set.
Rastport* Globus(int32_t k) {
    Bild b(GLOBUS, GLOBUS);
    b.Verlauf(0, 0, GLOBUS, GLOBUS, NACHT, Mix(NACHT, NACHT_HELL, 0.7));
    for (uint32_t n = 0; n < 18; ++n) {
        const uint32_t z = Leinwand_Mischen(n * 7919u + 17u);
        b.Punkt(int32_t(z % GLOBUS), int32_t((z >> 8) % GLOBUS), Mix(GRAU, HELL, (z >> 16) % 100 / 100.0));
    }
    const double r = GLOBUS / 2.0 - 2, c = GLOBUS / 2.0;
    const double drehung = 360.0 * k / (SCOUT_ANIM_GLOBUS_N - 1);
    for (int32_t y = 0; y < GLOBUS; ++y)
        for (int32_t x = 0; x < GLOBUS; ++x) {
            const double dx = (x + 0.5 - c) / r, dy = (y + 0.5 - c) / r, d = dx * dx + dy * dy;
            if (d > 1) continue;
            const double z = std::sqrt(1 - d);
            const double lat = std::asin(-dy) * 180 / PI, lon = std::atan2(dx, z) * 180 / PI + drehung - 180;
            const int32_t region = Region_Bei(lon, lat);
            const Rgb grund = region < 0 ? Mix(MEER, SCHIEFER, 0.3) : LAND_KNOPF;
            const double licht = std::clamp(0.35 + 0.75 * (z * 0.8 - dx * 0.3 - dy * 0.35), 0.0, 1.0);
            Rgb p = Mix(Mix(grund, NACHT, 0.7), Mix(grund, HELL, 0.25), licht);
            if (d > 0.86) p = Mix(p, GOLD_DUNKEL, (d - 0.86) / 0.14 * 0.6);
            b.Punkt(x, y, p);
        }
    return b.Fertig();
}

Rastport* Bild_Zu(int32_t slave) {
    switch (slave) {
    case SCOUT_BILD_SEITE: return Seite();
    case SCOUT_BILD_SUCHE: return Suche();
    case SCOUT_BILD_BEZAHLEN: return Platten_Knopf(94, 32, false, GRUEN_DUNKEL);
    case SCOUT_BILD_BEZAHLEN + 1: return Platten_Knopf(94, 32, true, GRUEN_DUNKEL);
    case SCOUT_BILD_ZURUECK: return Platten_Knopf(94, 32, false, SCHIEFER);
    case SCOUT_BILD_ZURUECK + 1: return Platten_Knopf(94, 32, true, SCHIEFER);
    case SCOUT_BILD_SOCKEL_1:
    case SCOUT_BILD_SOCKEL_2: return Sockel();
    case SCOUT_BILD_INFO: return Info();
    case SCOUT_BILD_BALKEN_LEER: return Balken(false);
    case SCOUT_BILD_BALKEN: return Balken(true);
    case SCOUT_BILD_FERTIG: return Fertig_Band();
    case SCOUT_BILD_HEIMKEHR: return Heimkehr();
    case SCOUT_BILD_DIALOG: return Dialog();
    case SCOUT_BILD_KANDIDAT: return Kandidat();
    case SCOUT_BILD_KNOPF: return Platten_Knopf(150, 32, false, SCHIEFER);
    case SCOUT_BILD_KNOPF + 1: return Platten_Knopf(150, 32, true, SCHIEFER);
    case SCOUT_BILD_KARTE_KNOPF: return Karte_Knopf();
    case SCOUT_BILD_VERPFLICHTEN: return Platten_Knopf(150, 32, false, GRUEN_DUNKEL);
    case SCOUT_BILD_VERPFLICHTEN - 1: return Platten_Knopf(150, 32, true, GRUEN_DUNKEL);
    default: break;
    }
    if (slave >= SCOUT_BILD_SCOUT && slave < SCOUT_BILD_SCOUT + 4) return Scout_Bild(slave - SCOUT_BILD_SCOUT);
    for (int32_t r = 0; r < 15; ++r) {
        if (slave == SCOUT_REGION_BILD[r] || slave == SCOUT_REGION_BILD[r] + 1)
            return Region_Knopf(r, slave != SCOUT_REGION_BILD[r]);
        if (slave == SCOUT_BILD_KARTE + r) return Karte_Mit(r);
        if (slave == SCOUT_BILD_REGION + r) return Region_Gross(r);
    }
    if (slave >= SCOUT_ANIM_GLOBUS && slave < SCOUT_ANIM_GLOBUS + SCOUT_ANIM_GLOBUS_N)
        return Globus(slave - SCOUT_ANIM_GLOBUS);
    return nullptr;
}

std::vector<ResDateiEintrag> Datei(int32_t erster, int32_t letzter) {
    return Muster_Eintraege(erster, letzter, [](int32_t e) { return Bild_Zu(28000 + e); });
}

}  // namespace

Rastport* Muster_Scout_Bild(int32_t slave) { return Bild_Zu(slave); }
std::vector<ResDateiEintrag> Muster_Scout_Datei() { return Datei(SCOUT_ERSTER, SCOUT_LETZTER); }
std::vector<ResDateiEintrag> Muster_Scout_Anim_Datei() { return Datei(SCOUT_ANIM_ERSTER, SCOUT_ANIM_LETZTER); }

int32_t Muster_Scout_Region_An(int32_t x, int32_t y) {
    return Raster(x, y);
}

}  // namespace velmora
