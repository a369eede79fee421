// core/zahlen.cpp - small arithmetic shared by all modules.
#include "core/zahlen.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace velmora {

int32_t Clamp(int32_t value, int32_t lower, int32_t upper, int32_t fallback) {
    if (value >= lower && value <= upper) return value;
    if (fallback != -1) return fallback;
    return value < lower ? lower : upper;
}

int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }

void Tausche(int32_t* a, int32_t* b) {
    if (a && b) std::swap(*a, *b);
}

void Tausche(uint32_t* a, uint32_t* b) {
    if (a && b) std::swap(*a, *b);
}

int32_t Distanz(int32_t dx, int32_t dy) {
    double d = std::sqrt(double(dx) * dx + double(dy) * dy);
    return d >= 2147483647.0 ? INT32_MAX : int32_t(d);
}

int32_t Abstand(int32_t a, int32_t b) {
    int64_t d = int64_t(a) - b;
    d = d < 0 ? -d : d;
    return d > INT32_MAX ? INT32_MAX : int32_t(d);
}

int32_t Runden(double wert) {
    double r = wert < 0 ? -std::floor(-wert + 0.5) : std::floor(wert + 0.5);
    if (!(r >= -2147483648.0)) return INT32_MIN;   // also NaN
    if (r > 2147483647.0) return INT32_MAX;
    return int32_t(r);
}

int32_t Prozent(double a, double b) {
    if (b == 0) return 0;
    return Runden(a / b * 100.0);
}

int32_t Index_Von(const uint32_t* array, int32_t count, uint32_t value) {
    if (!array) return -1;
    for (int32_t i = 0; i < count; ++i)
        if (array[i] == value) return i;
    return -1;
}

void Sortiere(uint32_t* payload, int32_t* keys, int32_t count, int32_t descending) {
    if (!keys || count < 2) return;
    // A short list (a squad) in place by insertion, stable as the long way.
    constexpr int32_t KURZ = 32;
    if (count <= KURZ) {
        for (int32_t i = 1; i < count; ++i) {
            const int32_t k = keys[i];
            const uint32_t p = payload ? payload[i] : 0;
            int32_t j = i;
            for (; j > 0 && (descending ? keys[j - 1] < k : keys[j - 1] > k); --j) {
                keys[j] = keys[j - 1];
                if (payload) payload[j] = payload[j - 1];
            }
            keys[j] = k;
            if (payload) payload[j] = p;
        }
        return;
    }
    std::vector<int32_t> ordnung(static_cast<size_t>(count));
    std::iota(ordnung.begin(), ordnung.end(), 0);
    if (descending)
        std::stable_sort(ordnung.begin(), ordnung.end(), [&](int32_t a, int32_t b) { return keys[a] > keys[b]; });
    else
        std::stable_sort(ordnung.begin(), ordnung.end(), [&](int32_t a, int32_t b) { return keys[a] < keys[b]; });
    std::vector<int32_t> k(static_cast<size_t>(count));
    std::vector<uint32_t> p(payload ? size_t(count) : 0);
    for (int32_t i = 0; i < count; ++i) {
        k[size_t(i)] = keys[ordnung[size_t(i)]];
        if (payload) p[size_t(i)] = payload[ordnung[size_t(i)]];
    }
    std::copy(k.begin(), k.end(), keys);
    if (payload) std::copy(p.begin(), p.end(), payload);
}

int32_t Abfangpunkt_Suchen(double rx, double ry, double rspeed, double tx, double ty, double zx, double zy,
                           double tspeed, double start_pct, double schritt_pct, double grenze, uint8_t, double* out_x,
                           double* out_y, double feld_laenge, double feld_breite, uint8_t, uint8_t) {
    // Distances are whole centimetres; one beyond the int range counts as the largest.
    auto ganz = [](double d) { return d < 2147483647.0 ? int32_t(d) : INT32_MAX; };
    // A position or speed that is no number (a damaged record) meets nothing.
    for (double w : {rx, ry, rspeed, tx, ty, zx, zy, tspeed, start_pct, schritt_pct})
        if (!std::isfinite(w)) return -1;
    if (tspeed <= 0) {
        // A standing target is met where it stands.
        if (out_x) *out_x = tx;
        if (out_y) *out_y = ty;
        return ganz(Hypot(tx - rx, ty - ry));
    }
    auto im_feld = [&](double x, double y) {
        if (feld_laenge <= 0 || feld_breite <= 0) return true;
        return x >= 0 && x <= feld_laenge && y >= 0 && y <= feld_breite;
    };
    double p = start_pct;
    double schritt = schritt_pct;
    bool gefunden = false;
    double best_x = 0, best_y = 0, best_d = 0;
    for (int runde = 0; runde < 64; ++runde) {
        p = std::clamp(p, 0.0, 100.0);
        double px = (tx * p + zx * (100.0 - p)) / 100.0;
        double py = (ty * p + zy * (100.0 - p)) / 100.0;
        // Plain roots: the points lie on the pitch, far from where the
        // library's overflow guards matter, and this loop is the live
        // match's most frequent distance.
        const double lx = px - rx, ly = py - ry, zx2 = px - tx, zy2 = py - ty;
        double d_laeufer = std::sqrt(lx * lx + ly * ly);
        double d_ziel = std::sqrt(zx2 * zx2 + zy2 * zy2);
        // The runner must be there no later than the target: d_r / v_r <= d_t / v_t.
        bool rechtzeitig = rspeed > 0 ? d_laeufer * tspeed <= d_ziel * rspeed : d_laeufer == 0;
        bool ok = rechtzeitig && im_feld(px, py) && (grenze < 0 || d_laeufer < grenze);
        if (ok) {
            gefunden = true;
            best_x = px;
            best_y = py;
            best_d = d_laeufer;
            p += schritt;   // try a point earlier on the target's path
        } else {
            p -= schritt;   // the runner needs the target to come further
        }
        if (schritt < 2) break;
        schritt /= 2;
    }
    if (!gefunden) return -1;
    if (out_x) *out_x = best_x;
    if (out_y) *out_y = best_y;
    return ganz(best_d);
}

}  // namespace velmora
