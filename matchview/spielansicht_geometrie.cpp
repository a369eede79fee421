// matchview/spielansicht_geometrie.cpp - projection, direction, camera, turning.
#include "matchview/spielansicht_geometrie.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr double LAENGE_M = 108.0, BREITE_M = 68.06;

// Halves away from zero, as the view's pixels are rounded everywhere.
int32_t Runden(double v) { return int32_t(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

// A coordinate for the projection: no number counts as 0, and anything is
// kept within a pitch's width of the field, far enough for balls in the stand.
double Koordinate(float v) {
    if (!std::isfinite(v)) return 0.0;
    return std::clamp(double(v), -20000.0, 30000.0);
}

}  // namespace

AnsichtPunkt Spielansicht_Projektion(float x, float y, float z, bool halb, bool gespiegelt) {
    const double a = halb ? 260.0 : 520.0, b = halb ? 164.5 : 329.0;
    const int32_t x0 = halb ? 51 : 102, y0 = halb ? 211 : 422, welt = halb ? 1805 : 3610;
    const double X = Koordinate(x) / 100.0, Y = Koordinate(y) / 100.0, Z = Koordinate(z) / 100.0;
    const double u = (gespiegelt ? LAENGE_M - X : X) * a / LAENGE_M;
    const double v = (BREITE_M - Y) * b / BREITE_M;
    const double h = Z != 0.0 ? Z * b / BREITE_M * 4.0 : 0.0;
    AnsichtPunkt p;
    const int32_t quer = Runden(4.0 * (u + v));
    p.x = gespiegelt ? (welt - x0) - quer : quer + x0;
    p.y = Runden(u - v - h) + y0;
    return p;
}

int32_t Spielansicht_Richtung16(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    if (dy == 0) return dx >= 0 ? 4 : 12;
    if (dx == 0) return dy >= 0 ? 8 : 0;
    const int32_t a = int32_t(std::trunc(100.0 * std::atan(double(dy) / double(dx))));
    const int32_t b = std::abs(a);
    auto stufe = [b](const int32_t r[5]) {
        if (b < 24) return r[0];
        if (b < 64) return r[1];
        if (b < 92) return r[2];
        if (b < 129) return r[3];
        return r[4];
    };
    static constexpr int32_t RECHTS_UNTEN[5] = {4, 5, 6, 7, 8}, RECHTS_OBEN[5] = {4, 3, 2, 1, 0};
    static constexpr int32_t LINKS_UNTEN[5] = {12, 11, 10, 9, 8}, LINKS_OBEN[5] = {12, 13, 14, 15, 0};
    if (dx > 0) return stufe(dy > 0 ? RECHTS_UNTEN : RECHTS_OBEN);
    return stufe(dy > 0 ? LINKS_UNTEN : LINKS_OBEN);
}

float Spielansicht_Abstand(float x1, float y1, float x2, float y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

int32_t Spielansicht_Drehen(int32_t gezeigt, int32_t gewollt) {
    gewollt &= 15;
    if (gezeigt < 0 || gezeigt > 15 || gezeigt == gewollt) return gewollt;
    const int32_t cw = (gewollt - gezeigt + 16) % 16, ccw = (gezeigt - gewollt + 16) % 16;
    return cw >= ccw ? (gezeigt + 15) % 16 : (gezeigt + 1) % 16;
}

void Spielansicht_Kamera_Ziel_Klemmen(float ziel[3]) {
    for (int32_t i = 0; i < 3; ++i)
        if (!std::isfinite(ziel[i])) ziel[i] = i == 0 ? 5400.0f : i == 1 ? 3403.0f : 0.0f;
    ziel[1] = std::clamp(ziel[1], 1360.0f, 5440.0f);
    ziel[0] = std::clamp(ziel[0], 800.0f, 10000.0f);
    ziel[2] = std::clamp(ziel[2], -1000.0f, 5000.0f);
}

void Spielansicht_Kamera_Scroll(AnsichtKamera* k, const KameraEingabe& e) {
    const int32_t ww = e.halb ? ANSICHT_WELT_BREITE / 2 : ANSICHT_WELT_BREITE;
    const int32_t wh = e.halb ? ANSICHT_WELT_HOEHE / 2 : ANSICHT_WELT_HOEHE;
    const AnsichtPunkt p =
        Spielansicht_Projektion(float(k->pos[0]), float(k->pos[1]), float(k->pos[2]), e.halb, e.gespiegelt);
    int32_t sx = p.x - e.breite / 2, sy = p.y - e.hoehe / 2;
    sx = std::min(sx, ww - e.breite);
    sy = std::min(sy, wh - e.hoehe);
    k->scroll[0] = std::max(sx, 0);
    k->scroll[1] = std::max(sy, 0);
}

int32_t Spielansicht_Kamera_Schritt(AnsichtKamera* k, KameraEingabe* e) {
    if (e->pause) return 0;
    int32_t n = 0;
    for (; n < e->schritte; ++n) {
        Spielansicht_Kamera_Ziel_Klemmen(e->ziel);
        const int32_t ziel[3] = {int32_t(e->ziel[0]), int32_t(e->ziel[1]), int32_t(e->ziel[2])};
        if (ziel[0] != k->pos[0] || ziel[1] != k->pos[1] || ziel[2] != k->pos[2]) {
            const int32_t teiler = e->frame_zeit == 0 ? 8 : e->schnell ? 5 : 15;
            for (int32_t i = 0; i < 3; ++i) k->pos[i] += (ziel[i] - k->pos[i]) / teiler;
        }
        Spielansicht_Kamera_Scroll(k, *e);
    }
    return n;
}

}  // namespace velmora
