// kunst/film_muster_lager.cpp - the training camps' films, a looping scene per camp,
// 320 x 240, 100 frames.
#include "kunst/film_muster_intern.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace velmora::film_muster_intern {
namespace {

// Three players jog across the camp's ground, each leaving the picture on
// the right as it comes in on the left.
void Joggen(Leinwand& l, int32_t k, int32_t boden, int32_t runden) {
    for (int32_t i = 0; i < 3; ++i) {
        const double x = std::fmod(120.0 * i + double(runden) * 380.0 * k / LAGER_BILDER, 380.0) - 30;
        Figur(l, x, boden - 10 * i, 60 - 4 * i, 1, i == 1 ? PARTNER : SCHUELER, Laufen(k / 12.5 + i * 0.3, 0.55));
    }
}

void Hampelmann(Leinwand& l, int32_t k, int32_t boden) {
    for (int32_t i = 0; i < 4; ++i) {
        const double t = 0.5 - 0.5 * std::cos(2 * PI * (k / 25.0 + i * 0.1));
        Pose p;
        p.arm[0] = 0.4 + 2.4 * t;
        p.arm[1] = -0.4 - 2.4 * t;
        p.bein[0] = 0.1 + 0.35 * t;
        p.bein[1] = -0.1 - 0.35 * t;
        p.ellbogen[0] = p.ellbogen[1] = 0.1;
        p.hoch = 0.06 * std::sin(PI * t);
        Figur(l, 60 + 66 * i, boden - (i % 2) * 8, 56 - (i % 2) * 4, 1, i % 2 ? PARTNER : SCHUELER, p);
    }
}

}  // namespace

std::unique_ptr<FilmSzene> Lager_Szene(int32_t lager) {
    Szene::Grund grund;
    Szene::Vorne vorne;
    constexpr int32_t BODEN_L = 214;
    switch (lager) {
    case 0:   // Alpen: snowy peaks, a meadow, firs; the team jogs
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 130, {96, 146, 200}, {190, 214, 232});
            Berge(l, 130, 90, FELS, true, 3);
            Berge(l, 150, 46, {70, 120, 76}, false, 8);
            l.Verlauf(0, 146, l.w, 94, WIESE_HELL, WIESE);
            for (int32_t i = 0; i < 6; ++i) Tanne(l, 20 + 58 * i, 160 - (i % 2) * 6, 40, TANNE);
        };
        vorne = [](Leinwand& l, int32_t k) {
            for (int32_t i = 0; i < 2; ++i) Wolke(l, std::fmod(40 + 170 * i + 3.6 * k, 360.0) - 20, 26 + 14 * i, 1.2);
            Joggen(l, k, BODEN_L, 1);
        };
        break;
    case 1:   // Algarve: the sea, the beach, the low sun; sprints on the sand
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 110, {118, 150, 200}, {236, 200, 150});
            Sonne(l, 250, 70, 20, {250, 210, 120});
            l.Verlauf(0, 150, l.w, 90, SAND, SAND_DUNKEL);
        };
        vorne = [](Leinwand& l, int32_t k) {
            Meer(l, 110, 150, k, LAGER_BILDER);
            Joggen(l, k, BODEN_L, 2);
        };
        break;
    case 2:   // Harz: the dark forest and the cabin; a run on the path
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 120, {120, 140, 160}, {196, 204, 206});
            for (int32_t i = 0; i < 14; ++i) Tanne(l, 10 + 24 * i, 128 + (i % 3) * 4, 70 + (i * 7) % 20, Mix(TANNE, NACHT, 0.2));
            l.Verlauf(0, 130, l.w, 110, Mix(WIESE, TANNE, 0.4), WIESE);
            l.Rechteck(196, 96, 76, 44, STAMM);
            for (int32_t y = 100; y < 140; y += 6) l.Rechteck(196, y, 76, 1, Dunkler(STAMM));
            for (int32_t j = 0; j < 24; ++j) l.Rechteck(230 - j * 7 / 4, 72 + j, 4 + j * 7 / 2, 1, GEGNER);
            l.Rechteck(226, 112, 14, 28, Dunkler(STAMM, 0.5));
            l.Rechteck(206, 106, 12, 10, GOLD);
            l.Verlauf(0, 190, l.w, 40, ERDE, Mix(ERDE, WIESE, 0.3));
        };
        vorne = [](Leinwand& l, int32_t k) { Joggen(l, k, BODEN_L, 1); };
        break;
    case 3:   // Sierra: red mountains in the heat; a track
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 130, {120, 150, 196}, {240, 196, 140});
            Berge(l, 140, 100, {170, 100, 70}, false, 5);
            Berge(l, 150, 50, {140, 90, 60}, false, 11);
            l.Verlauf(0, 146, l.w, 94, {196, 170, 100}, {170, 140, 80});
            l.Rechteck(0, 182, l.w, 46, BAHN);
            for (int32_t y : {184, 198, 212, 226}) l.Rechteck(0, y, l.w, 1, Mix(HELL, BAHN, 0.25));
        };
        vorne = [](Leinwand& l, int32_t k) {
            Wolke(l, std::fmod(50 + 3.6 * k, 360.0) - 20, 30, 1.0);
            Joggen(l, k, BODEN_L + 4, 2);
        };
        break;
    case 4:   // Norden: the lake with a boat and pines; jumping jacks
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 100, {140, 170, 200}, {214, 224, 230});
            Berge(l, 104, 30, {80, 110, 96}, false, 2);
            for (int32_t i = 0; i < 5; ++i) Tanne(l, 14 + 72 * i, 170, 56 + (i % 2) * 10, TANNE);
            l.Verlauf(0, 166, l.w, 74, WIESE, Mix(WIESE, TANNE, 0.3));
        };
        vorne = [](Leinwand& l, int32_t k) {
            Meer(l, 104, 150, k, LAGER_BILDER);
            Boot(l, std::fmod(20 + 3.6 * k, 360.0) - 20, 122);
            for (int32_t i = 0; i < 5; ++i) Tanne(l, 14 + 72 * i, 170, 56 + (i % 2) * 10, TANNE);
            Hampelmann(l, k, BODEN_L);
        };
        break;
    case 5:   // Sportschule: the school's hall, a flag, the pitch; passing
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 110, {96, 146, 200}, {184, 208, 228});
            l.Rechteck(40, 56, 180, 60, Mix(HELL, GRAU, 0.4));
            l.Rechteck(40, 50, 180, 8, SCHIEFER);
            for (int32_t i = 0; i < 8; ++i) l.Rechteck(52 + 21 * i, 70, 12, 14, SCHIEFER_DUNKEL);
            for (int32_t i = 0; i < 8; ++i) l.Rechteck(52 + 21 * i, 92, 12, 14, SCHIEFER_DUNKEL);
            l.Rechteck(250, 30, 2, 86, GRAU);
            for (int32_t y = 116, band = 4, i = 0; y < l.h; y += band, band += 3 + band / 3, ++i)
                l.Rechteck(0, y, l.w, band, i % 2 ? RASEN_DUNKEL : RASEN);
            Tor(l, 260, 96, 48, 34);
        };
        vorne = [](Leinwand& l, int32_t k) {
            const double wehen = std::sin(2 * PI * k / 25.0);
            for (int32_t i = 0; i < 22; ++i)
                l.Rechteck(252 + i, 30 + int32_t(2 * std::sin(i * 0.35 + wehen * 2)), 1, 14, i < 11 ? AUSWAHL : GOLD);
            const int32_t halb = LAGER_BILDER / 2;
            const double t = double(k % halb) / halb;
            double x0 = 80, x1 = 214;
            if (k >= halb) std::swap(x0, x1);
            Figur(l, 224, BODEN_L - 14, 56, -1, PARTNER, k % halb < 4 && k >= halb ? Schuss(0.5 + (k % halb) / 8.0) : Pose{});
            Figur(l, 70, BODEN_L, 62, 1, SCHUELER, k % halb < 4 && k < halb ? Schuss(0.5 + (k % halb) / 8.0) : Pose{});
            // From the trainee's feet (70, 214) to the partner's (224, 200) and back.
            const double y0 = k < halb ? BODEN_L - 5 : BODEN_L - 19, y1 = k < halb ? BODEN_L - 19 : BODEN_L - 5;
            Ball(l, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t - 10 * std::sin(PI * t), 4.5, k * 0.6);
        };
        break;
    case 6:   // Wueste: dunes, a palm, the big sun; a run through the sand
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 140, {210, 170, 110}, {250, 226, 170});
            Sonne(l, 80, 60, 28, {255, 236, 180});
            for (int32_t i = 0; i < 4; ++i) l.Ellipse(40 + 90 * i, 150, 80, 24, Mix(SAND, SAND_DUNKEL, (i % 2) * 0.5));
            l.Verlauf(0, 150, l.w, 90, SAND, SAND_DUNKEL);
            Palme(l, 266, 168, 80);
        };
        vorne = [](Leinwand& l, int32_t k) { Joggen(l, k, BODEN_L, 1); };
        break;
    default:   // Adria: the sea, the island with its palm, a boat; juggling on the beach
        grund = [](Leinwand& l) {
            l.Verlauf(0, 0, l.w, 110, {86, 140, 200}, {190, 214, 236});
        };
        vorne = [](Leinwand& l, int32_t k) {
            Meer(l, 110, 156, k, LAGER_BILDER);
            l.Ellipse(230, 116, 50, 10, SAND);
            Palme(l, 228, 112, 50);
            Boot(l, 380 - std::fmod(30 + 3.8 * k, 380.0), 138);
            l.Verlauf(0, 156, l.w, 84, SAND, SAND_DUNKEL);
            for (int32_t i = 0; i < 2; ++i) {
                const int32_t kk = (k + i * 12) % 25;
                const double x = 90 + 140 * i, boden = BODEN_L - 6 * i;
                Pose p;
                if (kk > 20 || kk < 2) p.bein[0] = 0.8, p.knie[0] = 0.3;
                Figur(l, x, boden, 62 - 4 * i, 1, i ? PARTNER : SCHUELER, p);
                Ball(l, x + 12, boden - 14 - 44 * std::sin(PI * kk / 25.0), 4.5, kk * 0.5);
            }
        };
        break;
    }
    return std::make_unique<Szene>(grund, vorne);
}

}  // namespace velmora::film_muster_intern
