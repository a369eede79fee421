// match/live/spielfeld_ballflug.cpp
#include "match/live/spielfeld_ballflug.h"

namespace velmora {
namespace {

constexpr double SCHWERKRAFT = 981.0;
constexpr float SUCHSCHRITT = 100.0f;       // ms
constexpr int32_t MAX_SUCHSCHRITTE = 1000;  // 100 s of flight: ends a search on a damaged ball

struct Flug {
    double vz, v;
};

Flug Flug_Von(const Figur* ball) {
    const Anweisung& a = ball->ring[ball->aktuell & 3];
    return {a.vz, a.tempo};
}

double Hoehe_Bei(const Figur* ball, const Flug& fl, float zeit) {
    return Spielfeld_Ball_Hoehe(fl.vz, fl.v, (double(zeit) - double(ball->flug_start)) / 1000.0);
}

}  // namespace

double Spielfeld_Ball_Hoehe(double vz, double v, double t) { return vz * t - (SCHWERKRAFT - v / 10.0) * t * t; }

double Spielfeld_Ball_Flug_Hoehe(const Figur* ball) {
    if (!ball) return 0;
    return Hoehe_Bei(ball, Flug_Von(ball), ball->flug_zeit);
}

void Spielfeld_Ball_Flug_Steigend(Figur* ball) {
    if (!ball) return;
    const Flug fl = Flug_Von(ball);
    ball->flug_start = 0;
    float t = 0;
    double vorher = -10000.0;
    for (int32_t i = 0; i < MAX_SUCHSCHRITTE; ++i) {
        const double h = Hoehe_Bei(ball, fl, t);
        if (!(h > vorher)) {
            t -= SUCHSCHRITT;  // past the top: back to it
            break;
        }
        if (float(h) >= ball->pos[2]) break;
        vorher = h;
        t += SUCHSCHRITT;
    }
    ball->flug_zeit = t;
}

void Spielfeld_Ball_Flug(Figur* ball, float delta) {
    if (!ball) return;
    const Flug fl = Flug_Von(ball);
    ball->flug_start = 0;
    float t = ball->flug_zeit + delta;
    double vorher = -10000.0;
    for (int32_t i = 0; i < MAX_SUCHSCHRITTE; ++i) {
        const double h = Hoehe_Bei(ball, fl, t);
        if (!(h > vorher)) {
            t += SUCHSCHRITT;
            break;
        }
        if (float(h) >= ball->pos[2]) break;
        vorher = h;
        t -= SUCHSCHRITT;
    }
    ball->flug_zeit = t;
}

float Spielfeld_Linie_Interpolieren(float x0, float y0, float x1, float y1, float x) {
    double dx0 = x0, dx1 = x1;
    if (dx1 == dx0) dx1 = dx0 + 0.001;
    double zaehler = double(y0) * dx1 - double(y1) * dx0;
    if (x != 0) zaehler += double(x) * (double(y1) - double(y0));
    return float(zaehler / (dx1 - dx0));
}

}  // namespace velmora
