// core/zahlen.h - small arithmetic shared by all modules.
#pragma once
#include <cmath>
#include <cstdint>

namespace velmora {

// The value when it lies within [lower, upper]; else `fallback` unless that is
// -1, in which case the nearest bound.
int32_t Clamp(int32_t value, int32_t lower, int32_t upper, int32_t fallback);
int32_t Min(int32_t a, int32_t b);
void Tausche(int32_t* a, int32_t* b);
void Tausche(uint32_t* a, uint32_t* b);
int32_t Distanz(int32_t dx, int32_t dy);     // sqrt(dx^2 + dy^2), truncated
// The plain root of the squares (no overflow guard: callers measure
// distances on the pitch and screen); inline for the live match's loops.
inline double Hypot(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }
// The length of (dx, dy) exactly as the C library's hypotf gives it for
// finite values (the squares, exact in double, summed and rooted there and
// rounded once to float), inline: the live match measures thousands of
// distances a frame. Floats only: a double argument would round.
inline float Hypot_F(float dx, float dy) {
    const double x = dx, y = dy;
    return float(std::sqrt(x * x + y * y));
}
template <class A, class B>
float Hypot_F(A, B) = delete;
int32_t Abstand(int32_t a, int32_t b);       // |a - b|
int32_t Runden(double wert);                 // half away from zero
int32_t Prozent(double a, double b);         // a / b x 100, half away from zero; 0 for b = 0
// Index of `value` in a u32 array, or -1.
int32_t Index_Von(const uint32_t* array, int32_t count, uint32_t value);

// Sorts `keys` and the parallel `payload` by the signed keys, ascending for
// descending = 0, descending otherwise. Equal keys keep their order.
void Sortiere(uint32_t* payload, int32_t* keys, int32_t count, int32_t descending);

// Where a runner can meet a moving target. The target moves in a straight line
// from (tx, ty) to its destination (zx, zy) at `tspeed`; a point of that path
// is written as a percentage p: p% of the target's position plus (100 - p)% of
// the destination. Starting at `start_pct` the path is searched by bisection
// (step `schritt_pct`, halved until below 2) for the point the runner reaches
// no later than the target and that lies inside the pitch (when its length and
// width are given, > 0) and nearer than `grenze` (when >= 0). Returns the
// runner's distance to that point, truncated, with the point in out_x/out_y;
// -1 when there is none. A target with speed 0 gives its own position.
// The three mode bytes are passed through by the callers and change nothing here.
int32_t Abfangpunkt_Suchen(double rx, double ry, double rspeed, double tx, double ty, double zx, double zy,
                           double tspeed, double start_pct, double schritt_pct, double grenze, uint8_t modus1,
                           double* out_x, double* out_y, double feld_laenge, double feld_breite, uint8_t modus2,
                           uint8_t modus3);

}  // namespace velmora
