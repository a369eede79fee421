// kunst/bild_muster_start.cpp - the start screen's and the wizard's pictures.
#include "kunst/bild_muster_start.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "gfx/bild_leinwand.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }
uint32_t Mischen(uint32_t x) { return Leinwand_Mischen(x); }

constexpr double PI = 3.14159265358979;
constexpr Rgb LICHT{255, 244, 206}, LAMPE{255, 206, 84}, LAMPE_AUS{58, 50, 34};
constexpr Rgb TRIBUENE{18, 28, 42}, TRIBUENE_HELL{30, 44, 62};

// The night over a stadium: the sky's gradient, the stands with their crowd
// in the floodlights' glow, the pitch at the foot in perspective.
void Stadion_Nacht(Bild& b, int32_t horizont, int32_t rasen_y) {
    for (int32_t y = 0; y < b.h; ++y) {
        const Rgb himmel = Mix(Rgb{8, 14, 24}, NACHT_HELL, double(y) / std::max(horizont, 1));
        for (int32_t x = 0; x < b.w; ++x) {
            Rgb c = himmel;
            if (y >= horizont && y < rasen_y) {
                // The stands: rows of seats, lit from above, with the crowd as specks.
                const double t = double(y - horizont) / std::max(rasen_y - horizont, 1);
                c = Mix(TRIBUENE_HELL, TRIBUENE, t);
                if ((y - horizont) % 8 == 0) c = Mix(c, NACHT, 0.35);
                const uint32_t h = Mischen(uint32_t(x / 3) * 7919u + uint32_t((y - horizont) / 4) * 104729u);
                if (h % 5 == 0 && (y - horizont) % 8 >= 2 && (y - horizont) % 8 <= 5) {
                    static const Rgb FARBEN[] = {{150, 70, 70}, {170, 160, 110}, {150, 160, 170}, {70, 100, 150},
                                                 {170, 120, 70}};
                    c = Mix(c, FARBEN[(h >> 8) % 5], 0.22 * (1.0 - t * 0.5));
                }
            } else if (y >= rasen_y) {
                // Stripes that narrow toward the horizon.
                const double tief = double(y - rasen_y) / std::max(b.h - rasen_y, 1);
                const double breite = 40.0 + 50.0 * tief;
                const double u = (x - b.w / 2.0) / (0.6 + 0.4 * tief) / breite;
                c = (int32_t(std::floor(u)) & 1) ? RASEN_DUNKEL : RASEN;
                c = Mix(c, NACHT, 0.35 * (1.0 - tief));
            }
            // The floodlights' glow.
            double glanz = 0;
            for (double lx : {b.w * 0.08, b.w * 0.92}) {
                const double d = std::hypot(x - lx, (y - horizont * 0.35) * 1.4);
                glanz += 0.55 * std::exp(-d / 95.0);
            }
            b.Punkt(x, y, Mix(c, LICHT, std::min(glanz, 0.8)));
        }
    }
    // The floodlight masts with their lamp banks.
    for (double lx : {b.w * 0.08, b.w * 0.92}) {
        const int32_t mx = int32_t(lx), ly = int32_t(horizont * 0.35);
        b.Rechteck(mx - 1, ly + 6, 3, horizont - ly, Mix(NACHT, GRAU, 0.35));
        b.Platte(mx - 16, ly - 8, 33, 15, 2, GRAU, Mix(LICHT, LAMPE, 0.3), LAMPE);
        for (int32_t k = 0; k < 4; ++k) b.Kreis(mx - 11 + k * 7.5, ly - 1, 2.5, LICHT);
    }
    // The touchline.
    b.Rechteck(0, rasen_y, b.w, 2, Mix(KREIDE, HELL, 0.4));
}

// A board of the menus: night blue with a gold edge and a lighter head.
void Tafel(Bild& b, int32_t x, int32_t y, int32_t bw, int32_t bh) {
    b.Platte(x, y, bw, bh, 10, GOLD, TAFEL, NACHT, 2);
}

// The pictograms in the start screen's medallions.
void Piktogramm(Bild& b, int32_t art, double cx, double cy, Rgb c) {
    switch (art) {
    case 0: {   // a new game: the ball
        b.Kreis(cx, cy, 17, c);
        b.Kreis(cx, cy, 6, NACHT);
        for (int32_t k = 0; k < 5; ++k) {
            const double a = k * 2 * PI / 5 - PI / 2;
            b.Kreis(cx + 13 * std::cos(a), cy + 13 * std::sin(a), 3.6, NACHT);
        }
        break;
    }
    case 1: {   // the team editor: a pen over a sheet
        b.Rechteck(int32_t(cx) - 12, int32_t(cy) - 15, 22, 28, c);
        for (int32_t k = 0; k < 4; ++k) b.Rechteck(int32_t(cx) - 9, int32_t(cy) - 10 + k * 6, 16, 2, NACHT);
        for (int32_t k = 0; k < 22; ++k) b.Kreis(cx + 2 + k * 0.7, cy + 12 - k * 1.2, 2.6, GOLD);
        b.Kreis(cx + 2, cy + 12, 1.5, NACHT);
        break;
    }
    case 2:   // load a game: a folder
        b.Platte(int32_t(cx) - 17, int32_t(cy) - 13, 14, 8, 2, c, c, c);
        b.Platte(int32_t(cx) - 17, int32_t(cy) - 8, 34, 22, 3, c, c, Mix(c, NACHT, 0.3));
        b.Rechteck(int32_t(cx) - 13, int32_t(cy) - 3, 26, 2, NACHT);
        break;
    default: {   // the last game: a clock whose ring turns back
        for (int32_t k = 0; k <= 80; ++k) {
            const double w = PI * (-0.35 + 1.75 * k / 80.0);
            b.Kreis(cx + 15 * std::cos(w), cy + 15 * std::sin(w), 1.8, c);
        }
        const double ex = cx + 15 * std::cos(-0.35 * PI), ey = cy + 15 * std::sin(-0.35 * PI);
        for (int32_t j = 0; j < 7; ++j) b.Rechteck(int32_t(ex) - 6 + j, int32_t(ey) - j, 1, 2 * j + 1, c);
        b.Rechteck(int32_t(cx) - 1, int32_t(cy) - 10, 3, 11, c);
        b.Rechteck(int32_t(cx), int32_t(cy) - 1, 8, 3, c);
        b.Kreis(cx + 0.5, cy + 0.5, 2.5, c);
        break;
    }
    }
}

// The start screen: the stadium at night, the title's banner with its
// emblem, the four button plates (891 new game, 894 last game, 893 load,
// 892 team editor).
Rastport* Startbild() {
    Bild b(800, 600);
    Stadion_Nacht(b, 190, 470);
    // The banner under the title.
    b.Platte(190, 40, 420, 104, 16, GOLD, TAFEL_HELL, NACHT, 3);
    b.Rechteck(206, 114, 388, 2, GOLD_DUNKEL);
    for (int32_t s = 0; s < 2; ++s) {
        const int32_t x = s ? 560 : 240;
        b.Kreis(x, 80, 30, GOLD_DUNKEL);
        b.Kreis(x, 80, 27, NACHT);
        Piktogramm(b, 0, x, 80, HELL);
    }
    for (int32_t k = 0; k < 3; ++k) {
        b.Stern(262 + k * 16, 127, 5, GOLD);
        b.Stern(506 + k * 16, 127, 5, GOLD);
    }
    // The plates.
    // Top to bottom: new game, last game, load, team editor.
    static const int32_t ART[4] = {0, 3, 2, 1};
    for (int32_t i = 0; i < 4; ++i) {
        const int32_t x = START_PLATTE_X, y = START_PLATTE_Y + i * START_PLATTE_ABSTAND;
        b.Platte(x + 3, y + 4, START_PLATTE_B, START_PLATTE_H, 14, NACHT, NACHT, NACHT);   // the shadow
        b.Platte(x, y, START_PLATTE_B, START_PLATTE_H, 14, GOLD, TAFEL_HELL, TAFEL, 2);
        b.Rechteck(x + 14, y + 4, START_PLATTE_B - 28, 1, Mix(TAFEL_HELL, HELL, 0.35));
        b.Kreis(x + 42, y + 40, 30, GOLD);
        b.Kreis(x + 42, y + 40, 27, Mix(NACHT, TAFEL, 0.5));
        Piktogramm(b, ART[i], x + 42, y + 40, HELL);
    }
    return b.Fertig();
}

// A client's network set-up: a board over the lower three plates, with the
// rows of the check, the search and the address.
Rastport* Netz_Tafel() {
    Bild b(START_NETZ_B, START_NETZ_H);
    b.Platte(0, 0, START_NETZ_B, START_NETZ_H, 14, GOLD, TAFEL_HELL, TAFEL, 2);
    b.Rechteck(14, 4, START_NETZ_B - 28, 1, Mix(TAFEL_HELL, HELL, 0.35));
    for (int32_t y : {12, 98})
        b.Platte(122, y, 276, 34, 6, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.5), NACHT, 1);
    return b.Fertig();
}

// The wizard: the stadium, the summary's board on the left with its five
// slots and the badge of the base nation (Germany's colours or a plain
// emblem) at its head, the title's plate and the bed of the list panels on
// the right, and at the top the title band's ground, on which the band's film
// plays.
Rastport* Wizardbild(bool deutschland) {
    Bild b(800, 600);
    Stadion_Nacht(b, 86, 560);
    // The summary: the managers' line above five slots of 79 pixels.
    Tafel(b, 20, 94, 386, 440);
    b.Verlauf(22, 96, 382, 30, TAFEL_HELL, TAFEL);
    b.Rechteck(22, 125, 382, 1, GOLD_DUNKEL);
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t y = 127 + 79 * k;
        if (k) b.Rechteck(30, y - 2, 366, 1, Mix(TAFEL, NACHT, 0.6));
        b.Platte(36, y - 1, 76, 76, 6, GOLD_DUNKEL, NACHT, NACHT_HELL);
    }
    b.Platte(364, 102, 34, 20, 4, GOLD_DUNKEL, TAFEL_HELL, NACHT_HELL, 1);
    if (deutschland) {
        b.Landesfarben(368, 105, 26, 14);
    } else {
        b.Kreis(381, 112, 7, GOLD_DUNKEL);
        b.Kreis(381, 112, 6, HELL);
        b.Kreis(381, 112, 2, NACHT);
    }
    // The title's plate over the lists, and the lists' bed, which holds each
    // page's panel and, below it, the page's film.
    b.Platte(430, 106, 340, 32, 8, GOLD_DUNKEL, TAFEL_HELL, TAFEL, 1);
    b.Platte(START_BETT_X, START_BETT_Y, START_BETT_B, START_BETT_H, 12, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.35), NACHT, 1);
    Start_Band_Grund(b);
    return b.Fertig();
}

// A list panel: the heading strip and the row slots; the club panel has the
// new-squad switch's box below its rows. It ends just below them: the page's
// film stands under it.
Rastport* Panel(int32_t hoehe, bool kopf, int32_t zeilen, int32_t zeile_y, int32_t abstand, bool kasten) {
    Bild b(370, hoehe);
    b.Platte(0, 0, 370, hoehe, 10, GOLD, TAFEL, NACHT, 2);
    if (kopf) {
        b.Verlauf(2, 2, 366, 19, TAFEL_HELL, TAFEL);
        b.Rechteck(2, 21, 366, 1, GOLD_DUNKEL);
    }
    for (int32_t z = 0; z < zeilen; ++z)
        b.Platte(8, zeile_y + z * abstand, 345, 33, 5, Mix(TAFEL, NACHT, 0.5), Mix(NACHT, TAFEL, 0.4), NACHT);
    if (kasten) {
        b.Platte(8, 230, 20, 20, 3, GOLD_DUNKEL, NACHT, NACHT_HELL, 2);
    }
    return b.Fertig();
}

// The level panel: five slots, each with as many stars as the level is hard.
Rastport* Panel_Level() {
    Bild b(370, 290);
    b.Platte(0, 0, 370, 290, 10, GOLD, TAFEL, NACHT, 2);
    for (int32_t z = 0; z < 5; ++z) {
        const int32_t y = 38 + z * 50;
        b.Platte(7, y, 353, 33, 5, Mix(TAFEL, NACHT, 0.5), Mix(NACHT, TAFEL, 0.4), NACHT);
        for (int32_t s = 0; s < 5; ++s) b.Stern(24 + s * 14, y + 16.5, 6, s <= z ? GOLD : Mix(NACHT, GRAU, 0.3));
    }
    return b.Fertig();
}

// The portrait panel: twelve wells of 74 x 74 in four columns and three rows.
Rastport* Panel_Bilder() {
    Bild b(370, 248);
    b.Platte(0, 0, 370, 248, 10, GOLD, TAFEL, NACHT, 2);
    for (int32_t j = 0; j < 3; ++j)
        for (int32_t i = 0; i < 4; ++i)
            b.Platte(14 + 84 * i, 10 + 77 * j, 78, 78, 6, Mix(TAFEL, NACHT, 0.5), NACHT, NACHT_HELL);
    return b.Fertig();
}

// A highlight under a row: the menus' selection colour with the gold bar.
Rastport* Hover(int32_t bw, int32_t bh) {
    Bild b(bw, bh);
    b.Platte(0, 0, bw, bh, 5, Mix(AUSWAHL, HELL, 0.25), AUSWAHL, AUSWAHL_DUNKEL, 1);
    b.Rechteck(0, 4, 3, bh - 8, GOLD);
    return b.Fertig();
}

// The level's highlight is a gold frame around its slot (drawn 5 above it),
// open inside: the slot's stars stay seen under the mouse.
Rastport* Hover_Level() {
    Bild b(353, 43);
    b.Rahmen(0, 0, 353, 43, 8, GOLD, 2);
    return b.Fertig();
}

Rastport* Balken(int32_t hoehe) {
    Bild b(9, hoehe);
    b.Platte(0, 0, 9, hoehe, 4, GOLD_DUNKEL, NACHT, Mix(NACHT, TAFEL, 0.5), 1);
    for (int32_t j = 0; j < 4; ++j) {   // the arrows of the caps
        b.Rechteck(4 - j, 2 + j, 1 + 2 * j, 1, GOLD);
        b.Rechteck(4 - j, hoehe - 3 - j, 1 + 2 * j, 1, GOLD);
    }
    return b.Fertig();
}

Rastport* Knauf() {
    Bild b(9, START_KNAUF_H);
    b.Platte(0, 0, 9, START_KNAUF_H, 3, GOLD_DUNKEL, Mix(GOLD, HELL, 0.35), GOLD, 1);
    for (int32_t k = 0; k < 3; ++k) b.Rechteck(2, 4 + k * 3, 5, 1, GOLD_DUNKEL);
    return b.Fertig();
}

Rastport* Bildrahmen() {
    Bild b(78, 74);
    b.Rahmen(0, 0, 78, 74, 6, GOLD, 3);
    b.Rahmen(3, 3, 72, 68, 4, Mix(GOLD, HELL, 0.5), 1);
    return b.Fertig();
}

Rastport* Marke() {
    Bild b(12, 14);
    b.Dreieck(0, 0, 12, 14, GOLD);
    b.Dreieck(0, 3, 7, 8, Mix(GOLD, HELL, 0.5));
    return b.Fertig();
}

Rastport* Haken() {
    Bild b(20, 20);
    b.Platte(0, 0, 20, 20, 3, GOLD, NACHT, NACHT_HELL, 2);
    for (int32_t k = 0; k < 5; ++k) b.Rechteck(4 + k, 9 + k, 3, 3, GOLD);
    for (int32_t k = 0; k < 8; ++k) b.Rechteck(8 + k, 12 - k, 3, 3, GOLD);
    return b.Fertig();
}

Rastport* Wappenrahmen() {
    Bild b(74, 74);
    b.Platte(0, 0, 74, 74, 8, GOLD, NACHT_HELL, NACHT, 3);
    b.Rahmen(3, 3, 68, 68, 6, GOLD_DUNKEL, 1);
    return b.Fertig();
}

// The scoreboard digits 0-6, one strip of 46 pixels each: lit segments on a dark panel.
Rastport* Ziffern() {
    static const char* const SEGMENTE[START_ZIFFERN] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg"};
    Bild b(START_ZIFFER_B, START_ZIFFER_H * START_ZIFFERN);
    for (int32_t z = 0; z < START_ZIFFERN; ++z) {
        const int32_t y0 = z * START_ZIFFER_H;
        b.Platte(0, y0, START_ZIFFER_B, START_ZIFFER_H, 8, GOLD, Rgb{20, 22, 26}, Rgb{8, 10, 14}, 2);
        const int32_t dx = 23, dy = y0 + 5, w = 24, h = 36, t = 5;
        struct Seg {
            char name;
            int32_t x, y, bw, bh;
        } segs[] = {{'a', dx + 2, dy, w - 4, t},
                    {'b', dx + w - t, dy + 2, t, h / 2 - 3},
                    {'c', dx + w - t, dy + h / 2 + 1, t, h / 2 - 3},
                    {'d', dx + 2, dy + h - t, w - 4, t},
                    {'e', dx, dy + h / 2 + 1, t, h / 2 - 3},
                    {'f', dx, dy + 2, t, h / 2 - 3},
                    {'g', dx + 2, dy + h / 2 - t / 2, w - 4, t}};
        for (const Seg& s : segs) {
            const bool an = std::string_view(SEGMENTE[z]).find(s.name) != std::string_view::npos;
            b.Platte(s.x, s.y, s.bw, s.bh, 2, an ? Mix(LAMPE, LICHT, 0.4) : LAMPE_AUS, an ? LICHT : LAMPE_AUS,
                     an ? LAMPE : LAMPE_AUS);
        }
    }
    return b.Fertig();
}

Rastport* Plus_Minus(bool plus) {
    Bild b(50, 60);
    b.Platte(0, 0, 50, 60, 12, GOLD, TAFEL_HELL, TAFEL, 2);
    b.Rechteck(10, 4, 30, 1, Mix(TAFEL_HELL, HELL, 0.35));
    b.Platte(11, 27, 28, 7, 3, HELL, HELL, GRAU);
    if (plus) b.Platte(21, 16, 8, 29, 3, HELL, HELL, GRAU);
    return b.Fertig();
}

// A level's medal: a ribbon and a disc in the level's colour (green for the
// easiest to red for the hardest) with one to five stars.
Rastport* Level_Medaille(int32_t level) {
    static const Rgb FARBE[5] = {{60, 160, 80}, {120, 170, 70}, {210, 180, 70}, {220, 120, 50}, {200, 50, 50}};
    Bild b(74, 74);
    b.Rechteck(22, 0, 12, 30, Mix(FARBE[level], NACHT, 0.3));
    b.Rechteck(40, 0, 12, 30, Mix(FARBE[level], NACHT, 0.5));
    b.Kreis(37, 44, 28, GOLD_DUNKEL);
    b.Kreis(37, 44, 26, GOLD);
    b.Kreis(37, 44, 21, Mix(FARBE[level], NACHT, 0.25));
    // One star in the middle, or a gentle arc of them.
    const int32_t n = level + 1;
    for (int32_t s = 0; s < n; ++s) {
        const double versatz = s - (n - 1) / 2.0;
        const double x = 37 + versatz * 9.0, y = 44 + (n == 1 ? 0 : 0.9 * versatz * versatz - 2);
        b.Stern(x, y, n == 1 ? 11 : 6.5, HELL);
    }
    return b.Fertig();
}

// A manager: head and shoulders in suit and tie before a slate background.
Rastport* Manager_Portrait(int32_t nummer) {
    static const Rgb HAUT[4] = {{236, 196, 160}, {214, 164, 120}, {170, 116, 76}, {108, 70, 44}};
    static const Rgb HAARE[6] = {{44, 30, 20}, {110, 70, 36}, {200, 160, 90}, {140, 140, 140}, {30, 30, 34},
                                 {170, 80, 40}};
    static const Rgb ANZUG[4] = {{36, 44, 64}, {60, 60, 66}, {86, 60, 40}, {30, 56, 48}};
    static const Rgb KRAWATTE[4] = {{180, 40, 40}, {214, 178, 82}, {60, 100, 170}, {40, 120, 70}};
    // Twelve managers: skin, hair colour and cut (0 short, 1 side part, 2
    // receding, 3 long, 4 long with a fringe), glasses, beard, moustache,
    // suit, tie (-1: an open collar).
    struct Typ {
        int32_t haut, haar, frisur;
        bool brille, bart, schnauzer;
        int32_t anzug, krawatte;
    };
    static const Typ TYPEN[12] = {
        {0, 1, 1, false, false, false, 0, 0}, {1, 0, 4, false, false, false, 1, -1}, {2, 4, 0, true, false, false, 2, 2},
        {0, 3, 2, true, false, true, 0, 1},   {3, 4, 3, false, false, false, 3, -1}, {1, 5, 0, false, true, false, 1, 3},
        {0, 2, 4, true, false, false, 0, -1}, {2, 0, 2, false, true, false, 3, 0},   {1, 1, 3, false, false, false, 2, -1},
        {3, 4, 0, false, false, true, 0, 2},  {0, 3, 1, false, true, false, 1, 1},   {2, 5, 4, true, false, false, 3, -1},
    };
    const Typ& t = TYPEN[nummer % 12];
    const Rgb haut = HAUT[t.haut], haare = HAARE[t.haar], anzug = ANZUG[t.anzug];
    const int32_t frisur = t.frisur;
    const bool brille = t.brille, bart = t.bart, schnauzer = t.schnauzer, offen = t.krawatte < 0;
    const Rgb krawatte = offen ? HELL : KRAWATTE[t.krawatte];
    Bild b(74, 74);
    b.Verlauf(0, 0, 74, 74, Mix(SCHIEFER, HELL, 0.15), SCHIEFER_DUNKEL);
    auto in_oval = [](int32_t x, int32_t y, double cx, double cy, double rx, double ry) {
        const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    // The jacket, the shirt's V and the tie.
    for (int32_t y = 58; y < 74; ++y)
        for (int32_t x = 0; x < 74; ++x)
            if (in_oval(x, y, 37, 94, 40, 36)) b.Punkt(x, y, Mix(anzug, NACHT, (y - 58) / 40.0));
    for (int32_t y = 57; y < 74; ++y) {
        const int32_t breite = std::max(0, 10 - (y - 57) * 2 / 5);
        b.Rechteck(37 - breite, y, 2 * breite, 1, HELL);
    }
    if (!offen)
        for (int32_t y = 59; y < 74; ++y) b.Rechteck(y < 63 ? 35 : 34, y, y < 63 ? 4 : 6, 1, krawatte);
    // The neck, the ears and the head.
    b.Rechteck(31, 47, 12, 12, Mix(haut, NACHT, 0.15));
    b.Ellipse(21.5, 35, 4, 6, Mix(haut, NACHT, 0.1));
    b.Ellipse(52.5, 35, 4, 6, Mix(haut, NACHT, 0.1));
    b.Ellipse(37, 33, 15, 19, haut);
    // The hair.
    for (int32_t y = 8; y < 60; ++y)
        for (int32_t x = 16; x < 58; ++x) {
            bool haar = false;
            switch (frisur) {
            case 0: haar = in_oval(x, y, 37, 31, 16, 17.5) && y < 23 + (std::abs(x - 37) > 11 ? 5 : 0); break;
            case 1:
                haar = in_oval(x, y, 37, 31, 16.5, 18) &&
                       (y < 21 || (y < 30 && (x < 25 || x > 49)) || (y < 25 && x > 41));
                break;
            case 2: haar = in_oval(x, y, 37, 33, 16, 18) && (x < 25 || x > 49) && y > 21 && y < 41; break;
            case 3: haar = in_oval(x, y, 37, 33, 17.5, 20.5) && (y < 22 || x < 25 || x > 49); break;
            default:   // long to the shoulders, a fringe over the brow
                haar = (in_oval(x, y, 37, 35, 19, 24) && (y < 25 || x < 24 || x > 50)) ||
                       (y >= 40 && y < 58 && (std::abs(x - 37) >= 14 && std::abs(x - 37) <= 19));
                break;
            }
            if (haar) b.Punkt(x, y, haare);
        }
    if (frisur == 1) b.Rechteck(30, 15, 1, 6, Mix(haare, HELL, 0.3));
    // The face: brows, eyes, nose and mouth.
    const Rgb dunkel = Mix(haare, NACHT, 0.3), schatten = Mix(haut, NACHT, 0.3);
    b.Rechteck(28, 27, 8, 2, dunkel);
    b.Rechteck(39, 27, 8, 2, dunkel);
    b.Rechteck(30, 31, 4, 3, HELL);
    b.Rechteck(41, 31, 4, 3, HELL);
    b.Rechteck(31, 31, 2, 3, NACHT);
    b.Rechteck(42, 31, 2, 3, NACHT);
    b.Rechteck(37, 33, 2, 7, schatten);
    b.Rechteck(35, 40, 5, 1, schatten);
    if (brille) {
        const Rgb gestell = Mix(NACHT, GRAU, 0.3);
        b.Rahmen(27, 29, 10, 8, 2, gestell, 1);
        b.Rahmen(38, 29, 10, 8, 2, gestell, 1);
        b.Rechteck(37, 31, 1, 1, gestell);
    }
    if (bart)
        for (int32_t y = 39; y < 54; ++y)
            for (int32_t x = 22; x < 53; ++x)
                if (in_oval(x, y, 37, 36, 15, 18) && !(y >= 44 && y <= 45 && std::abs(x - 37) < 5))
                    b.Punkt(x, y, Mix(haare, haut, 0.2));
    if (schnauzer) b.Rechteck(32, 42, 11, 2, haare);
    if (frisur == 4) {   // earrings
        b.Kreis(21.5, 42, 1.5, GOLD);
        b.Kreis(52.5, 42, 1.5, GOLD);
    }
    b.Rechteck(33, 45, 9, 1, Mix(haut, ROT, 0.45));
    return b.Fertig();
}

// A league's badge: a shield in the symbol's colour (gold, silver and
// bronze for the first three levels) with a ball and its level's stripes.
Rastport* Liga_Abzeichen(int32_t symbol) {
    static const Rgb FARBE[6] = {{214, 178, 82}, {186, 192, 200}, {196, 128, 74},
                                 {70, 130, 190}, {80, 160, 100}, {170, 80, 150}};
    const Rgb f = FARBE[symbol % 6];
    Bild b(74, 74);
    for (int32_t y = 4; y < 72; ++y)
        for (int32_t x = 6; x < 68; ++x) {
            const double v = (y - 4) / 68.0;
            const double halb = v < 0.55 ? 31.0 : 31.0 * std::sqrt(std::max(0.0, 1.0 - (v - 0.55) / 0.45));
            const double d = std::fabs(x + 0.5 - 37);
            if (d > halb) continue;
            const bool rand = d > halb - 3 || y < 7;
            b.Punkt(x, y, rand ? Mix(f, NACHT, 0.45) : Mix(Mix(f, HELL, 0.25), Mix(f, NACHT, 0.3), v));
        }
    b.Kreis(37, 30, 14, NACHT);
    b.Kreis(37, 30, 12, HELL);
    b.Kreis(37, 30, 4, NACHT);
    for (int32_t k = 0; k < 5; ++k) {
        const double a = k * 2 * PI / 5 - PI / 2;
        b.Kreis(37 + 9 * std::cos(a), 30 + 9 * std::sin(a), 2.4, NACHT);
    }
    const int32_t streifen = symbol % 3 + 1 + symbol / 6;
    for (int32_t s = 0; s < std::min(streifen, 4); ++s) b.Rechteck(25, 50 + s * 4, 24, 2, Mix(f, NACHT, 0.55));
    return b.Fertig();
}

}  // namespace

void Start_Band_Grund(Leinwand& l) {
    l.Verlauf(0, 0, l.w, 76, NACHT_HELL, NACHT);
    for (int32_t x = 0; x < l.w; x += 50) l.Verlauf(x, 76, 50, 20, (x / 50) % 2 ? RASEN_DUNKEL : RASEN, Mix(RASEN, NACHT, 0.3));
    l.Rechteck(0, 76, l.w, 1, Mix(KREIDE, HELL, 0.4));
    l.Rechteck(0, 96, l.w, 2, GOLD);
    l.Rechteck(0, 98, l.w, 2, GOLD_DUNKEL);
}

Rastport* Muster_Start_Bild(int32_t e) {
    if (e >= START_BILD_LEVEL && e < START_BILD_LEVEL + 5) return Level_Medaille(e - START_BILD_LEVEL);
    if (e >= START_BILD_PORTRAIT && e < START_BILD_PORTRAIT + 12) return Manager_Portrait(e - START_BILD_PORTRAIT);
    if (e >= START_BILD_LIGA && e < START_BILD_LIGA + START_BILD_LIGEN) return Liga_Abzeichen(e - START_BILD_LIGA);
    switch (e) {
    case START_BILD_HINTERGRUND: return Startbild();
    case START_BILD_ZIFFERN: return Ziffern();
    case START_BILD_PLUS: return Plus_Minus(true);
    case START_BILD_MINUS: return Plus_Minus(false);
    case START_BILD_HOVER_LISTE:
    case START_BILD_HOVER_VEREIN: return Hover(345, 33);
    case START_BILD_HOVER_LEVEL: return Hover_Level();
    case START_BILD_HOVER_KADER: return Hover(345, 20);
    case START_BILD_BALKEN_LISTE:
    case START_BILD_BALKEN_VEREIN: return Balken(START_BALKEN_LISTE_H);
    case START_BILD_BALKEN_BILD: return Balken(START_BALKEN_BILD_H);
    case START_BILD_KNAUF: return Knauf();
    case START_BILD_BILDRAHMEN: return Bildrahmen();
    case START_BILD_PANEL_LEVEL: return Panel_Level();
    case START_BILD_PANEL_BILD: return Panel_Bilder();
    case START_BILD_PANEL_VEREIN: return Panel(254, true, 6, 24, 34, true);
    case START_BILD_PANEL_LISTE: return Panel(236, true, 6, 24, 34, false);
    case START_BILD_MARKE: return Marke();
    case START_BILD_HAKEN: return Haken();
    case START_BILD_WIZARD: return Wizardbild(true);
    case START_BILD_WIZARD_2: return Wizardbild(false);
    case START_BILD_WAPPENRAHMEN: return Wappenrahmen();
    case START_BILD_NETZ_TAFEL: return Netz_Tafel();
    default: return nullptr;
    }
}

std::vector<int32_t> Muster_Start_Eintraege() {
    std::vector<int32_t> e = {START_BILD_HINTERGRUND,  START_BILD_ZIFFERN,      START_BILD_PLUS,
                              START_BILD_MINUS,        START_BILD_HOVER_LISTE,  START_BILD_HOVER_VEREIN,
                              START_BILD_HOVER_LEVEL,  START_BILD_HOVER_KADER,  START_BILD_BALKEN_LISTE,
                              START_BILD_BALKEN_BILD,  START_BILD_BALKEN_VEREIN, START_BILD_KNAUF,
                              START_BILD_BILDRAHMEN,   START_BILD_PANEL_LEVEL,  START_BILD_PANEL_BILD,
                              START_BILD_PANEL_VEREIN, START_BILD_PANEL_LISTE,  START_BILD_MARKE,
                              START_BILD_HAKEN,        START_BILD_WIZARD,       START_BILD_WIZARD_2,
                              START_BILD_WAPPENRAHMEN, START_BILD_NETZ_TAFEL};
    for (int32_t i = 0; i < 5; ++i) e.push_back(START_BILD_LEVEL + i);
    for (int32_t i = 0; i < 12; ++i) e.push_back(START_BILD_PORTRAIT + i);
    for (int32_t i = 0; i < START_BILD_LIGEN; ++i) e.push_back(START_BILD_LIGA + i);
    return e;
}

}  // namespace velmora
