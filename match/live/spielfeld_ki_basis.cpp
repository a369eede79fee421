// match/live/spielfeld_ki_basis.cpp
#include "match/live/spielfeld_ki_basis.h"

#include <cmath>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/spielfeld_besitz.h"

namespace velmora {
namespace {

constexpr int32_t FREIER_PUNKT_VERSUCHE = 200;
constexpr int32_t STANDVARIANTE_VERSUCHE = 1000;
constexpr float PASSWEG_TEMPO = 138.88889f;  // 5 km/h

// A coordinate as a whole number, truncated; what no integer holds (a damaged
// record) becomes a point far off the pitch.
int32_t Ganz(double v) { return std::isfinite(v) && std::fabs(v) < 1e9 ? int32_t(v) : -1000000000; }

// The line through A and B as y = m x + n; A and B are nudged as needed so
// that neither the slope nor the intercept divides by zero.
struct Gerade {
    double m, n;
};

Gerade Gerade_Durch(double& x0, double& y0, double& x1, double& y1, bool x0_schieben) {
    double n = (x1 * y0 - y1 * x0) / (x1 - x0);
    for (int32_t i = 0; n == 0 && i < 8; ++i) {
        if (x0_schieben)
            x0 += 0.001;
        else
            y1 += 0.001;
        n = (x1 * y0 - y1 * x0) / (x1 - x0);
    }
    const double achse = (y1 * x0 - x1 * y0) / (y1 - y0);
    return {-n / achse, n};
}

}  // namespace

void Spielfeld_Freier_Punkt(Spielfeld_Satz* satz, int32_t slot, int32_t zentrum, float r, int32_t* x, int32_t* y,
                            int8_t hinten) {
    if (!satz || zentrum < 0 || zentrum >= SF_FIGUREN) return;
    const double R = double(r) + 10.0;
    const double X = satz->figur[zentrum].pos[0], Y = satz->figur[zentrum].pos[1];
    const int32_t richtung = ((slot >= SF_SPIELER_SEITE ? 1 : 0) ^ (satz->seiten_gewechselt ? 1 : 0));
    double s = 0;
    int32_t ox = 0, oy = 0;
    for (int32_t versuch = 0; versuch < FREIER_PUNKT_VERSUCHE; ++versuch) {
        const int32_t k = Rnd(0, 100);
        const double py = Y - R + k * R / 50.0;
        const double h = std::sqrt(std::max(0.0, 2 * py * Y + R * R - Y * Y - py * py));
        double px;
        if (hinten)
            px = richtung == 1 ? s + X + h : s + X - h;
        else
            px = Rnd(0, 1) != 0 ? s + X + h : s + X - h;
        ox = Ganz(px);
        oy = Ganz(py);
        if (oy < 0 || oy > SPIELFELD_BREITE) continue;
        if (ox < 0 || ox > SPIELFELD_LAENGE) {
            s += ox < 0 ? 50 : -50;
            continue;
        }
        if (Spielfeld_Spieler_Suchen(satz, slot, ox, oy, 50.0f) == -1) {
            if (x) *x = ox;
            if (y) *y = oy;
            return;
        }
    }
    Debug_Printf("Spielfeld_Freier_Punkt: kein freier Punkt um Figur %d, Radius %g\n", zentrum, double(r));
    Punkt_Ins_Feld(&ox, &oy);
    if (x) *x = ox;
    if (y) *y = oy;
}

int32_t Spielfeld_Spieler_Im_Passweg(Spielfeld_Satz* satz, int32_t start, float zx, float zy, int32_t seite,
                                     float* nah_abstand, int32_t* nah_slot, float w, int32_t* dicht, int32_t* nahe) {
    if (dicht) *dicht = 0;
    if (nahe) *nahe = 0;
    if (!satz || start < 0 || start >= SF_FIGUREN) return 0;
    Figur& sf = satz->figur[start];
    double x0 = sf.pos[0], y0 = sf.pos[1], x1 = zx, y1 = zy;
    if (x1 == x0) x1 += 0.001;
    if (y1 == y0) y1 += 0.001;
    const Gerade g = Gerade_Durch(x0, y0, x1, y1, x0 == 0 && y0 == 0);
    if (nah_abstand) *nah_abstand = w;
    const bool tempo_gesetzt = sf.v[0] + sf.v[1] == 0;
    if (tempo_gesetzt) Figur_Geschwindigkeit_Setzen(&sf, PASSWEG_TEMPO);
    double anzahl = 0;
    bool torwart_genommen = false;
    if (g.m != 0 && std::isfinite(g.m)) {
        const int32_t von = seite == 0 ? 0 : SF_SPIELER_SEITE;
        const double wurzel = std::sqrt(g.m * g.m + 1);
        for (int32_t k = von; k < von + SF_SPIELER_SEITE; ++k) {
            if (satz->spieler[k].zustand != SM_AUF_PLATZ) continue;
            const Figur& f = satz->figur[k];
            const double px = f.pos[0], py = f.pos[1];
            const float d = float(std::fabs(g.m * px - py + g.n) / wurzel);
            if (!(d < w)) continue;
            const double fx = (px + g.m * (py - g.n)) / (g.m * g.m + 1);
            const double fy = g.m * fx + g.n;
            const bool zwischen = (fy >= std::min(y0, y1) && fy <= std::max(y0, y1));
            if (!zwischen && !(Hypot(fx - x0, fy - y0) < 70) && !(Hypot(fx - x1, fy - y1) < w)) continue;
            double t = (fx - x0) / (x1 - x0);
            if (t > 0.1 && t < 0.4) t = 0.4;
            if (t * w < d) continue;
            anzahl += 1;
            if (nahe && d < (t + 1) * 120) ++*nahe;
            if (nah_abstand && nah_slot && !torwart_genommen && (d < *nah_abstand || f.torwart)) {
                *nah_abstand = d;
                *nah_slot = k;
                torwart_genommen = f.torwart != 0;
            }
        }
    }
    if (tempo_gesetzt) Figur_Geschwindigkeit_Setzen(&sf, 0);
    return int32_t(anzahl);
}

float Spielfeld_Abstand_Strecke(float x0, float y0, float x1, float y1, float px, float py, float* fx, float* fy) {
    double fuss_x, fuss_y, d;
    // The foot must lie on the path, with an allowance of 1/25 of its length beyond B.
    auto auf_strecke = [](double a, double b, double f) {
        return a < b ? (a <= f && f <= b + (b - a) / 25) : (b - (a - b) / 25 <= f && f <= a);
    };
    if (x0 == x1 && y0 == y1) {
        fuss_x = x0;
        fuss_y = y0;
        d = Hypot(double(px) - x0, double(py) - y0);
    } else if (x0 == x1) {
        fuss_x = x0;
        fuss_y = py;
        if (!auf_strecke(y0, y1, fuss_y)) return -1.0f;
        d = std::fabs(double(px) - x0);
    } else if (y0 == y1) {
        fuss_x = px;
        fuss_y = y0;
        if (!auf_strecke(x0, x1, fuss_x)) return -1.0f;
        d = std::fabs(double(py) - y0);
    } else {
        double ax = x0, ay = y0, bx = x1, by = y1;
        const Gerade g = Gerade_Durch(ax, ay, bx, by, ax + ay == 0);
        fuss_x = (px + g.m * (py - g.n)) / (g.m * g.m + 1);
        fuss_y = g.m * fuss_x + g.n;
        if (!(auf_strecke(ay, by, fuss_y))) return -1.0f;
        d = std::fabs(g.m * px - py + g.n) / std::sqrt(g.m * g.m + 1);
    }
    if (fx) *fx = float(fuss_x);
    if (fy) *fy = float(fuss_y);
    return float(d);
}

int32_t Spielfeld_Winkel(float a, float b) {
    if (a == 0) return 156;
    const double w = std::atan(double(b) / double(a)) * 100.0;
    return std::isfinite(w) ? int32_t(w) : 0;
}

int32_t Figur_Standvariante_Waehlen(Figur* f, int32_t anim) {
    if (!f) return -1;
    Anweisung& a = f->ring[f->aktuell & 3];
    if (a.wiederholung != -1) return -1;
    if ((anim == -1 ? a.anim : anim) >= 7) return -1;
    for (int32_t versuch = 0;; ++versuch) {
        const int32_t zeile = versuch < STANDVARIANTE_VERSUCHE ? Rnd(0, 6) : ANIM_STEHEN;
        const Anim_Satz& z = *Anim_Zeile(zeile);
        a.anim = zeile;
        a.letztes = 0;
        a.frame = 0;
        a.letztes_anim = int8_t(z.letzter_frame);
        a.wiederholung = 10;
        if (z.benutzt) return zeile;
    }
}

bool Schiedsrichter_Bereit(const Spielfeld_Satz* satz) {
    if (!satz) return false;
    const Figur& s = satz->figur[FIGUR_SCHIRI];
    const Anweisung& a = s.ring[s.aktuell & 3];
    return ((s.v[0] == 0 && s.v[1] == 0) || a.tempo == 0) && a.anim != ANIM_SCHIRI_PFEIFT && a.flags == 0;
}

void Spielfeld_Team_Wert98_Nullen(int32_t team) {
    int32_t spieler[20];
    const int32_t n = Teamspieler_Ins_Array(team, spieler, 20, 0);
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(SPW_TRAINING_EINHEITEN, spieler[i], 0, OP_SCHREIBEN);
}

}  // namespace velmora
