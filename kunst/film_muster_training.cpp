// kunst/film_muster_training.cpp - the talent training's films, one exercise per
// talent, 200 x 150, 50 frames.
#include "kunst/film_muster_intern.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace velmora::film_muster_intern {
namespace {

constexpr int32_t BODEN = 132;
constexpr double GROESSE = 50;

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

}  // namespace

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

}  // namespace velmora::film_muster_intern
