// kunst/film_muster_intern.h - what the films' drawing files share: the
// palette of people, places and things, the figures and the grounds they
// stand on (film_muster_figuren.cpp), the scene that keeps a still background
// (below), and the scenes of the talent training (film_muster_training.cpp)
// and the camps (film_muster_lager.cpp). Not for modules outside the films.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/bild_leinwand.h"
#include "gfx/font.h"
#include "kunst/film_muster.h"

namespace velmora::film_muster_intern {

using namespace palette;
constexpr double PI = 3.14159265358979323846;

inline Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }
inline Rgb Dunkler(Rgb c, double t = 0.28) { return Mix(c, SCHWARZ, t); }

// Colours of people, places and things, tuned to sit beside the menus' palette.
constexpr Rgb HAUT{226, 178, 138}, HAUT_DUNKEL{164, 112, 78}, HAAR{58, 40, 28}, HAAR_HELL{160, 118, 64};
constexpr Rgb GEGNER{176, 58, 52}, SCHUH{30, 30, 34}, ORANGE{232, 128, 40};
constexpr Rgb SAND{222, 196, 140}, SAND_DUNKEL{190, 160, 104}, MEER{38, 100, 146}, MEER_HELL{96, 152, 192};
constexpr Rgb FELS{104, 112, 128}, FELS_DUNKEL{74, 80, 96}, TANNE{26, 70, 46}, TANNE_HELL{40, 96, 60};
constexpr Rgb STAMM{96, 66, 42}, BAHN{150, 76, 58}, EKG{96, 224, 128}, BLAULICHT{70, 130, 255};
constexpr Rgb WIESE{76, 136, 64}, WIESE_HELL{104, 160, 80}, ERDE{150, 112, 70};
constexpr Rgb LICHT{58, 66, 74};   // a floodlight's beam in the dark

// Font numbers of the installation (docs/assets.md).
constexpr int32_t SCHRIFT_KNOPF = 6, SCHRIFT_ZIFFERN = 11, SCHRIFT_NAME = 14;


// The frames of a talent training's film and of a camp's.
constexpr int32_t UEBUNG_BILDER = 50, LAGER_BILDER = 100;

// ---- text ----

// Draws text with its top at y; `mitte` centres it on x. A dark copy two
// pixels lower right is its shadow.
void Schrift(Leinwand& l, Font* f, const char* text, int32_t x, int32_t y, Rgb c, bool mitte, bool schatten);

// ---- people ----

struct Kleidung {
    Rgb trikot, hose, stutzen, haut, haar;
};
inline const Kleidung SCHUELER{AUSWAHL, HELL, AUSWAHL_DUNKEL, HAUT, HAAR};
inline const Kleidung PARTNER{AUSWAHL, HELL, AUSWAHL_DUNKEL, HAUT_DUNKEL, SCHWARZ};
inline const Kleidung GEGENSPIELER{GEGNER, NACHT, GEGNER, HAUT, HAAR_HELL};
inline const Kleidung TORHUETER{GOLD, NACHT, GOLD_DUNKEL, HAUT, HAAR};

// Angles in radians from straight down, forward positive; [0] the near
// limb, [1] the far one. The whole figure leans about its feet.
struct Pose {
    double bein[2] = {0.05, -0.05}, knie[2] = {0.1, 0.1};
    double arm[2] = {0.2, -0.15}, ellbogen[2] = {0.35, 0.35};
    double neigung = 0, hoch = 0;
};

Pose Laufen(double phase, double weite = 0.6);
Pose Jubel(double phase);
// The kick with the near leg: s from 0 (swung back) to 1 (through the ball).
Pose Schuss(double s);

// A figure of height g standing with its feet at (x, y), facing right (r 1)
// or left (r -1).
void Figur(Leinwand& l, double x, double y, double g, int32_t r, const Kleidung& k, const Pose& p);
void Ball(Leinwand& l, double x, double y, double r, double dreh);
void Schatten(Leinwand& l, double x, double y, double r);
// A goal seen from the front, its posts standing on y0 + bh.
void Tor(Leinwand& l, int32_t x0, int32_t y0, int32_t bw, int32_t bh);
void Huetchen(Leinwand& l, double x, double y);

// A deterministic sequence for scattered details (crowd, stars, trees).
struct Zufall {
    uint32_t z;
    explicit Zufall(uint32_t saat) : z(saat * 2654435761u + 1) {}
    uint32_t n(uint32_t bis) {
        z = z * 1103515245u + 12345u;
        return (z >> 16) % bis;
    }
};

// ---- places ----

struct Himmelsfarben {
    Rgb oben, unten;
};
inline const Himmelsfarben TAG{{92, 140, 192}, {178, 204, 224}}, ABEND{{60, 64, 116}, {212, 148, 108}},
    FLUTLICHT{NACHT, TAFEL_HELL};

// The training ground: the sky, the stand with its crowd and floodlights,
// the striped grass from the horizon down.
void Trainingsplatz(Leinwand& l, int32_t horizont, const Himmelsfarben& himmel, uint32_t saat);
void Wolke(Leinwand& l, double x, double y, double s);
void Berge(Leinwand& l, int32_t basis, int32_t hoehe, Rgb farbe, bool schnee, uint32_t saat);
void Tanne(Leinwand& l, double x, double y, double h, Rgb c);
void Palme(Leinwand& l, double x, double y, double h);
// Waves moving by one period per `periode` frames.
void Meer(Leinwand& l, int32_t y0, int32_t y1, int32_t k, int32_t periode);
void Boot(Leinwand& l, double x, double y);
void Sonne(Leinwand& l, double x, double y, double r, Rgb c);

// ---- the generic scene: a still background, then the frame's moving parts ----

class Szene : public FilmSzene {
public:
    using Grund = std::function<void(Leinwand&)>;
    using Vorne = std::function<void(Leinwand&, int32_t k)>;
    Szene(Grund grund, Vorne vorne, bool spiegeln = false)
        : grund_(std::move(grund)), vorne_(std::move(vorne)), spiegeln_(spiegeln) {}
    void Zeichnen(int32_t bild, Rastport* ziel) override {
        Leinwand l(ziel);
        if (!l.px) return;
        const size_t n = size_t(l.w) * size_t(l.h);
        if (still_.size() != n) {
            std::fill(l.px, l.px + n, Leinwand_Pixel(NACHT));
            if (grund_) grund_(l);
            still_.assign(l.px, l.px + n);
        } else {
            std::copy(still_.begin(), still_.end(), l.px);
        }
        vorne_(l, bild - 1);
        if (spiegeln_)
            for (int32_t y = 0; y < l.h; ++y) std::reverse(l.px + y * l.w, l.px + (y + 1) * l.w);
    }

private:
    Grund grund_;
    Vorne vorne_;
    bool spiegeln_;
    std::vector<uint16_t> still_;
};

// ---- the talent training's exercises ----

enum Uebung : int32_t { SCHIESSEN, KOPFBALL, DRIBBELN, PASSEN, ZWEIKAMPF, LAUFEN, JONGLIEREN, MANNSCHAFT, HALTEN, STEMMEN };

struct Training {
    Uebung art;
    int32_t variante;
};

// Talents 0-39 as their training shows them (and their medals in "Attr_Film").
constexpr Training TALENT_TRAINING[40] = {
    {KOPFBALL, 0}, {SCHIESSEN, 0}, {SCHIESSEN, 1}, {DRIBBELN, 0}, {PASSEN, 0},       // 0-4
    {KOPFBALL, 1}, {SCHIESSEN, 3}, {SCHIESSEN, 2}, {KOPFBALL, 2}, {ZWEIKAMPF, 0},    // 5-9
    {LAUFEN, 0}, {LAUFEN, 1}, {LAUFEN, 2}, {ZWEIKAMPF, 1}, {PASSEN, 1},             // 10-14
    {SCHIESSEN, 4}, {SCHIESSEN, 5}, {JONGLIEREN, 0}, {ZWEIKAMPF, 1}, {ZWEIKAMPF, 1}, // 15-19
    {JONGLIEREN, 2}, {MANNSCHAFT, 2}, {MANNSCHAFT, 1}, {MANNSCHAFT, 0}, {JONGLIEREN, 1},  // 20-24
    {SCHIESSEN, 2}, {DRIBBELN, 1}, {PASSEN, 1}, {SCHIESSEN, 0}, {SCHIESSEN, 0},     // 25-29
    {ZWEIKAMPF, 1}, {KOPFBALL, 0}, {ZWEIKAMPF, 0}, {PASSEN, 0}, {ZWEIKAMPF, 0},      // 30-34
    {PASSEN, 1}, {KOPFBALL, 3}, {DRIBBELN, 0}, {LAUFEN, 1}, {JONGLIEREN, 2},        // 35-39
};
constexpr int32_t TALENT_LINKSFUSS = 28;

// Eases 0-1 in and out.
inline double Glatt(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// ---- the scenes of the talent training (entries 11-52, 200 x 150) and of
// the camps (entries 0-7, 320 x 240) ----

std::unique_ptr<FilmSzene> Talent_Szene(int32_t eintrag, Font* const* schriften);
std::unique_ptr<FilmSzene> Lager_Szene(int32_t lager);

}  // namespace velmora::film_muster_intern
