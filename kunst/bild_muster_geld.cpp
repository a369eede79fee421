// kunst/bild_muster_geld.cpp - the money screens' pictures.
#include "kunst/bild_muster_geld.h"

#include <cmath>

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

// A window filling the canvas: a gold-edged board with a lighter header of
// `kopf` pixels and a gold line under it.
void Fenster_Mit_Kopf(Bild& b, int32_t kopf) {
    b.Platte(0, 0, b.w, b.h, 12, GOLD, TAFEL, NACHT, 3);
    b.Verlauf(3, 3, b.w - 6, kopf - 6, TAFEL_HELL, TAFEL);
    b.Platte(0, 0, b.w, kopf, 12, GOLD, TAFEL_HELL, TAFEL, 3, true);
    b.Rechteck(3, kopf - 2, b.w - 6, 2, GOLD_DUNKEL);
}

// The finance window stands at (63, 86) and reaches (752, 537): the header
// with the title, the ledger column at the left, the two inset boards of
// income and costs, the result's band and the match's box at the foot.
constexpr int32_t FIN_B = 690, FIN_H = 452;
constexpr int32_t TAB_X = 140, TAB_B = 546;   // the boards (screen x 203 to 749)
constexpr int32_t ZEILE_H = 17;

// An inset board for `zeilen` rows from y, with its header line above them
// and the total's band below, every other row a shade lighter.
void Tafel(Bild& b, int32_t y, int32_t zeilen) {
    const int32_t h = 26 + zeilen * ZEILE_H + 26;
    b.Platte(TAB_X, y, TAB_B, h, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    b.Rechteck(TAB_X + 1, y + 1, TAB_B - 2, 22, Mix(TAFEL, NACHT, 0.3));
    b.Rechteck(TAB_X + 8, y + 23, TAB_B - 16, 1, GOLD_DUNKEL);
    for (int32_t z = 0; z < zeilen; ++z)
        if (z % 2 == 0) b.Rechteck(TAB_X + 1, y + 26 + z * ZEILE_H, TAB_B - 2, ZEILE_H, Mix(NACHT, TAFEL, 0.3));
    const int32_t summe = y + 26 + zeilen * ZEILE_H;
    b.Rechteck(TAB_X + 8, summe + 1, TAB_B - 16, 1, GOLD);
    b.Verlauf(TAB_X + 1, summe + 3, TAB_B - 2, 22, Mix(TAFEL, NACHT, 0.2), Mix(TAFEL, NACHT, 0.6));
    // The share column's divider.
    b.Rechteck(TAB_X + 392, y + 4, 1, h - 8, Mix(NACHT, GOLD_DUNKEL, 0.45));
}

// Coins stacked at (cx, boden) upward, seen from the side.
void Muenzen(Bild& b, int32_t cx, int32_t boden, int32_t anzahl) {
    for (int32_t k = 0; k < anzahl; ++k) {
        const int32_t y = boden - k * 6;
        b.Ellipse(cx, y, 17, 5, GOLD_DUNKEL);
        b.Ellipse(cx, y - 2, 17, 5, k + 1 == anzahl ? GOLD : Mix(GOLD, GOLD_DUNKEL, 0.4));
    }
    b.Ellipse(cx, boden - (anzahl - 1) * 6 - 2, 11, 3, Mix(GOLD, HELL, 0.35));
}

Rastport* Finanz_Fenster() {
    Bild b(FIN_B, FIN_H);
    Fenster_Mit_Kopf(b, 38);
    // The ledger column: a bar chart over a stack of coins.
    b.Platte(6, 44, 126, 324, 6, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.3), NACHT);
    const int32_t hoehe[5] = {46, 72, 58, 98, 124};
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t x = 20 + k * 20;
        b.Verlauf(x, 200 - hoehe[k], 14, hoehe[k], Mix(GRUEN, HELL, 0.25), GRUEN_DUNKEL);
        b.Rechteck(x, 200 - hoehe[k], 14, 1, Mix(GRUEN, HELL, 0.5));
    }
    b.Rechteck(16, 200, 106, 2, GOLD_DUNKEL);
    b.Linie(26, 150, 46, 126, 2, GOLD);
    b.Linie(46, 126, 66, 138, 2, GOLD);
    b.Linie(66, 138, 86, 100, 2, GOLD);
    b.Linie(86, 100, 108, 72, 2, GOLD);
    Muenzen(b, 46, 330, 9);
    Muenzen(b, 88, 336, 6);
    Muenzen(b, 66, 350, 3);
    // The boards: income (rows at screen y 151 to 202), costs (265 to 367).
    Tafel(b, 28, 4);
    Tafel(b, 142, 7);
    // The result's band and the match's box under it.
    b.Platte(TAB_X, 310, TAB_B, 30, 6, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.2), Mix(TAFEL, NACHT, 0.6));
    b.Platte(146, 368, 250, 76, 8, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    b.Rechteck(156, 396, 230, 1, Mix(NACHT, GOLD_DUNKEL, 0.5));
    // The period buttons' socket.
    b.Platte(10, 374, 76, 40, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    return b.Fertig();
}

// The result: a rising arrow on green, a falling one on red.
Rastport* Ergebnis(bool gewinn) {
    Bild b(32, 26);
    const Rgb grund = gewinn ? GRUEN : ROT, dunkel = gewinn ? GRUEN_DUNKEL : Mix(ROT, NACHT, 0.5);
    b.Platte(0, 0, 32, 26, 6, GOLD_DUNKEL, grund, dunkel);
    const double y0 = gewinn ? 19 : 7, y1 = gewinn ? 7 : 19;
    b.Linie(7, y0, 24, y1, 3, HELL);
    for (int32_t j = 0; j < 6; ++j) {
        const int32_t y = gewinn ? int32_t(y1) - 1 + j : int32_t(y1) + 1 - j;
        b.Rechteck(25 - 6 + j, y, 6 - j, 1, HELL);
        b.Rechteck(25 - 6, y, 6, 1, HELL);
    }
    return b.Fertig();
}

// A period button: a slate key with an arrow to the left or the right.
Rastport* Pfeil_Knopf(bool links, bool gedrueckt) {
    Bild b(28, 26);
    const Rgb oben = gedrueckt ? SCHIEFER_DUNKEL : SCHIEFER, unten = gedrueckt ? Mix(SCHIEFER_DUNKEL, NACHT, 0.4)
                                                                               : SCHIEFER_DUNKEL;
    b.Platte(0, 0, 28, 26, 6, gedrueckt ? GOLD_DUNKEL : GOLD, oben, unten, 1);
    const Rgb pfeil = gedrueckt ? Mix(GOLD, NACHT, 0.2) : GOLD;
    for (int32_t j = 0; j < 8; ++j) {
        const int32_t x = links ? 9 + j : 18 - j;
        b.Rechteck(x, 13 - j, 1, 1 + 2 * j, pfeil);
    }
    return b.Fertig();
}

// The bank's window at (0, 107): the board of the items with the table head
// (screen y 111 to 232), the board of the four inputs at the left, the
// lender's board at the right.
Rastport* Bank_Fenster() {
    Bild b(800, 420);
    b.Platte(70, 0, 726, 420, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(186, 2, 482, 126, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    b.Verlauf(187, 3, 480, 22, TAFEL_HELL, Mix(TAFEL, NACHT, 0.3));
    b.Rechteck(190, 25, 474, 1, GOLD_DUNKEL);
    for (int32_t z = 0; z < 4; ++z)
        if (z % 2 == 0) b.Rechteck(187, 24 + z * 17, 480, 17, Mix(NACHT, TAFEL, 0.3));
    b.Rechteck(194, 95, 466, 1, GOLD);
    b.Verlauf(187, 97, 480, 28, Mix(TAFEL, NACHT, 0.2), Mix(TAFEL, NACHT, 0.6));
    // The inputs' board, one band for each label and its spinner.
    b.Platte(84, 143, 306, 265, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);
    for (int32_t k = 0; k < 4; ++k) b.Rechteck(96, 146 + 64 * k + 60, 282, 1, Mix(GOLD_DUNKEL, NACHT, 0.4));
    // The lender's board: the bank or the lending club stands here.
    b.Platte(556, 143, 226, 190, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);
    // The apply button's socket.
    b.Platte(400, 356, 172, 52, 8, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    return b.Fertig();
}

// A spinner: four slate keys with their arrows, the one of `gedrueckt` (0-3
// in the click order, -1 none) pressed, and the inset field of the value.
Rastport* Spinner(int32_t gedrueckt, bool feld = true) {
    Bild b(feld ? GELD_SPINNER_B : 98, GELD_SPINNER_H);
    const int32_t x0[4] = {0, 30, 50, 68}, bw[4] = {29, 19, 17, 29};
    for (int32_t k = 0; k < 4; ++k) {
        const bool d = k == gedrueckt;
        b.Platte(x0[k], 0, bw[k], GELD_SPINNER_H, 5, d ? GOLD_DUNKEL : GOLD, d ? SCHIEFER_DUNKEL : SCHIEFER,
                 d ? Mix(SCHIEFER_DUNKEL, NACHT, 0.4) : SCHIEFER_DUNKEL);
        const Rgb pfeil = d ? Mix(GOLD, NACHT, 0.25) : GOLD;
        const bool links = k < 2;
        const int32_t spitzen = (k == 0 || k == 3) ? 2 : 1;
        for (int32_t s = 0; s < spitzen; ++s) {
            const int32_t mitte = x0[k] + bw[k] / 2 + (spitzen == 2 ? (s ? 4 : -4) : 0);
            for (int32_t j = 0; j < 6; ++j) {
                const int32_t x = links ? mitte - 3 + j : mitte + 3 - j;
                b.Rechteck(x, 13 - j, 1, 1 + 2 * j, pfeil);
            }
        }
    }
    if (feld) b.Platte(100, 0, GELD_SPINNER_B - 100, GELD_SPINNER_H, 5, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    return b.Fertig();
}

// A green button of bw x bh, raised or pressed.
Rastport* Gruener_Knopf(int32_t bw, int32_t bh, bool gedrueckt) {
    return Platten_Knopf_Verlauf(bw, bh, GRUEN, GRUEN_DUNKEL, gedrueckt);
}

// The lender's field: a round key that turns to the next lender, then the field.
Rastport* Geber_Feld() {
    Bild b(GELD_SPINNER_B, GELD_SPINNER_H);
    b.Platte(0, 0, 97, GELD_SPINNER_H, 5, GOLD, SCHIEFER, SCHIEFER_DUNKEL);
    b.Ring(48, 13, 8, 2, GOLD);
    for (int32_t j = 0; j < 5; ++j) b.Rechteck(53 + j - 2, 4 + j, 7 - 2 * j > 0 ? 7 - 2 * j : 1, 1, GOLD);
    b.Platte(100, 0, GELD_SPINNER_B - 100, GELD_SPINNER_H, 5, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    return b.Fertig();
}

// The bank: a temple front with columns, steps and a coin in the gable.
Rastport* Bankhaus() {
    Bild b(200, 150);
    const Rgb stein = Mix(HELL, GRAU, 0.35), schatten = Mix(GRAU, NACHT, 0.35);
    for (int32_t j = 0; j < 34; ++j) b.Rechteck(100 - 3 * j, 8 + j, 6 * j + 1, 1, j < 2 ? GOLD : stein);
    b.Kreis(100, 30, 9, GOLD);
    b.Kreis(100, 30, 6, GOLD_DUNKEL);
    b.Rechteck(6, 42, 188, 8, schatten);
    for (int32_t k = 0; k < 6; ++k) {
        const int32_t x = 16 + k * 32;
        b.Verlauf(x, 50, 16, 72, stein, schatten);
        b.Rechteck(x - 3, 50, 22, 4, stein);
        b.Rechteck(x - 3, 118, 22, 4, stein);
    }
    for (int32_t s = 0; s < 3; ++s) b.Rechteck(6 - 4 * s, 122 + 9 * s, 188 + 8 * s, 9, Mix(stein, schatten, 0.3 * s));
    return b.Fertig();
}

// A stadium of model 0 (a ground with one small stand) to 5 (a roofed arena),
// seen from above at night: the pitch, its stands, the floodlights.
Rastport* Stadion_Modell(int32_t modell) {
    Bild b(GELD_MODELL_B, GELD_MODELL_H);
    b.Platte(0, 0, GELD_MODELL_B, GELD_MODELL_H, 8, GOLD_DUNKEL, NACHT_HELL, NACHT, 2);
    const int32_t cx = GELD_MODELL_B / 2, cy = GELD_MODELL_H / 2;
    const Rgb sitz = Mix(SCHIEFER, GRAU, 0.3), sitz_dunkel = SCHIEFER_DUNKEL, dach = Mix(HELL, GRAU, 0.4);
    if (modell >= 4) {
        // The bowl: rings of seats around the pitch, the arena's roof as a light ring.
        const double rx = 180, ry = 128;
        for (int32_t k = 0; k < 8; ++k)
            b.Ellipse(cx, cy, rx - k * 6, ry - k * 5, k % 2 ? sitz : sitz_dunkel);
        if (modell == 5) {
            for (int32_t k = 0; k < 3; ++k) b.Ellipse(cx, cy, rx - k, ry - k, k == 0 ? GOLD : dach);
            b.Ellipse(cx, cy, rx - 14, ry - 12, Mix(dach, NACHT, 0.25));
            for (int32_t k = 0; k < 8; ++k) b.Ellipse(cx, cy, rx - 20 - k * 4, ry - 16 - k * 4, k % 2 ? sitz : sitz_dunkel);
        }
        b.Ellipse(cx, cy, rx - 52, ry - 44, Mix(NACHT, sitz_dunkel, 0.5));
    } else {
        // Rectangular stands: the main stand first, then opposite, then behind the goals.
        const int32_t tiefe = 14 + 8 * modell;
        const bool seite[4] = {true, modell >= 1, modell >= 2, modell >= 3};   // south, north, west, east
        const int32_t px0 = cx - 112, px1 = cx + 112, py0 = cy - 72, py1 = cy + 72;
        auto tribuene = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
            b.Rechteck(x, y, w, h, sitz_dunkel);
            for (int32_t r = 2; r < (w > h ? h : w) - 2; r += 4) {
                if (w > h) b.Rechteck(x + 2, y + r, w - 4, 2, sitz);
                else b.Rechteck(x + r, y + 2, 2, h - 4, sitz);
            }
        };
        if (seite[0]) tribuene(px0 + 10, py1 + 8, px1 - px0 - 20, tiefe);
        if (seite[1]) tribuene(px0 + 10, py0 - 8 - tiefe, px1 - px0 - 20, tiefe);
        if (seite[2]) tribuene(px0 - 8 - tiefe, py0 + 6, tiefe, py1 - py0 - 12);
        if (seite[3]) tribuene(px1 + 8, py0 + 6, tiefe, py1 - py0 - 12);
        if (modell >= 1) b.Rechteck(px0 + 10, py1 + 8 + tiefe, px1 - px0 - 20, 4, dach);
    }
    // The pitch with its lines.
    const int32_t pw = modell >= 4 ? 200 : 224, ph = modell >= 4 ? 130 : 144;
    const int32_t x0 = cx - pw / 2, y0 = cy - ph / 2;
    for (int32_t x = 0; x < pw; ++x) b.Rechteck(x0 + x, y0, 1, ph, (x / 20) % 2 ? RASEN : RASEN_DUNKEL);
    const Rgb linie = Mix(HELL, RASEN, 0.25);
    b.Rahmen(x0 + 4, y0 + 4, pw - 8, ph - 8, 0, linie, 1);
    b.Rechteck(cx, y0 + 4, 1, ph - 8, linie);
    b.Ring(cx, cy, 18, 1, linie);
    for (int32_t s2 = 0; s2 < 2; ++s2) {
        const int32_t x = s2 ? x0 + pw - 4 - 30 : x0 + 4;
        b.Rahmen(x, cy - 30, 30, 60, 0, linie, 1);
    }
    // Floodlights from the third model on, at the corners.
    if (modell >= 2)
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t fx = k % 2 ? GELD_MODELL_B - 22 : 22, fy = k / 2 ? GELD_MODELL_H - 22 : 22;
            b.Kreis(fx, fy, 9, Mix(GOLD, NACHT, 0.6));
            b.Kreis(fx, fy, 5, Mix(GOLD, HELL, 0.6));
        }
    return b.Fertig();
}

// The stadium's window at (0, 107): the model's frame at the left, the
// boards of price, comfort and capacity at the right.
Rastport* Stadion_Fenster() {
    Bild b(800, 420);
    b.Platte(2, 0, 796, 420, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(4, 4, 402, 290, 8, GOLD_DUNKEL, NACHT, NACHT);
    b.Platte(30, 318, 392, 96, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);   // under the model's name
    b.Platte(416, 24, 374, 74, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);   // clear of the model's frame
    b.Platte(540, 134, 250, 130, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);
    b.Platte(488, 276, 302, 130, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);
    return b.Fertig();
}

// The notice: a frame for the model's picture above and the text's band below.
Rastport* Hinweis() {
    Bild b(652, 566);
    b.Platte(0, 0, 652, 566, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(120, 100, 412, 300, 8, GOLD_DUNKEL, NACHT, NACHT);
    b.Platte(8, 484, 636, 74, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.3), NACHT);
    return b.Fertig();
}

// The options window at (32, 83): the header with a gear left of the title,
// the inset list of ten rows (screen y 184 on, 27 apart), the scroll bar's
// groove at the right and the close button's socket under it.
Rastport* Optionen_Fenster() {
    Bild b(736, 420);
    Fenster_Mit_Kopf(b, 90);
    b.Kreis(182, 49, 31, GOLD_DUNKEL);
    b.Kreis(182, 49, 29, NACHT);
    for (int32_t k = 0; k < 8; ++k) {
        const double a = k * 3.14159265 / 4;
        b.Linie(182, 49, 182 + 20 * std::cos(a), 49 + 20 * std::sin(a), 7, GOLD);
    }
    b.Kreis(182, 49, 15, GOLD);
    b.Kreis(182, 49, 6, NACHT);
    b.Platte(4, 95, 620, 279, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    for (int32_t z = 0; z < 10; ++z) {
        const int32_t y = 101 + 27 * z;
        if (z % 2 == 0) b.Rechteck(5, y, 614, 25, Mix(NACHT, TAFEL, 0.35));
    }
    b.Platte(708, 92, 24, 284, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    b.Platte(644, 372, 88, 44, 8, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    return b.Fertig();
}

Rastport* Optionen_Unter_Maus() {
    Bild b(614, 25);
    b.Platte(0, 0, 614, 25, 5, Mix(AUSWAHL, HELL, 0.25), Mix(AUSWAHL_DUNKEL, NACHT, 0.2), Mix(AUSWAHL_DUNKEL, NACHT, 0.5));
    b.Rechteck(1, 4, 3, 17, GOLD);
    return b.Fertig();
}

// A switch: green with the knob at the right when on, slate with it at the left when off.
Rastport* Schalter(bool an) {
    Bild b(34, 18);
    b.Platte(0, 0, 34, 18, 8, an ? GOLD : GOLD_DUNKEL, an ? GRUEN : SCHIEFER, an ? GRUEN_DUNKEL : SCHIEFER_DUNKEL);
    b.Kreis(an ? 25 : 9, 9, 6, an ? HELL : GRAU);
    return b.Fertig();
}

Rastport* Scroll_Spur() {
    Bild b(12, 270);
    b.Platte(0, 0, 12, 270, 5, GOLD_DUNKEL, NACHT, NACHT_HELL);
    b.Rechteck(5, 6, 2, 258, Mix(NACHT, GOLD_DUNKEL, 0.4));
    return b.Fertig();
}

Rastport* Scroll_Knauf() {
    Bild b(12, GELD_KNAUF_H);
    b.Platte(0, 0, 12, GELD_KNAUF_H, 5, GOLD, Mix(GOLD, HELL, 0.3), GOLD_DUNKEL);
    for (int32_t k = 0; k < 3; ++k) b.Rechteck(3, 8 + 3 * k, 6, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// The advertising window at (3, 86): the offer's panel at the left with the
// agency's plate under it, the list of the nine places at the right with the
// replacement partner's block and the sums under it.
Rastport* Werbung_Fenster() {
    Bild b(794, 470);
    Fenster_Mit_Kopf(b, 34);
    b.Platte(8, 38, 214, 428, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.25), NACHT);
    b.Rechteck(16, 388, 198, 1, GOLD_DUNKEL);
    b.Platte(256, 32, 530, 236, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    for (int32_t z = 0; z < 9; ++z)
        if (z % 2 == 0) b.Rechteck(257, 54 + 24 * z, 528, 24, Mix(NACHT, TAFEL, 0.3));
    b.Rechteck(262, 53, 518, 1, GOLD_DUNKEL);
    b.Platte(256, 282, 530, 140, 6, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.2), NACHT);
    b.Rechteck(262, 392, 518, 1, GOLD);
    return b.Fertig();
}

// A sponsor's logo: a plate in the sponsor's colours with its own emblem.
Rastport* Sponsor_Logo(int32_t zeile) {
    static constexpr Rgb FARBE[10] = {{200, 40, 40}, {30, 90, 170}, {240, 190, 40}, {40, 140, 80}, {230, 120, 30},
                                      {120, 60, 150}, {20, 20, 20}, {0, 150, 170}, {180, 180, 190}, {150, 30, 90}};
    const Rgb grund = FARBE[zeile % 10], zeichen = zeile % 3 == 0 ? HELL : (zeile % 3 == 1 ? GOLD : NACHT);
    Bild b(GELD_LOGO_B, GELD_LOGO_H);
    b.Platte(0, 0, GELD_LOGO_B, GELD_LOGO_H, 4, Mix(grund, HELL, 0.4), grund, Mix(grund, NACHT, 0.35));
    switch ((zeile / 2) % 5) {
    case 0: b.Kreis(20, 10, 6, zeichen); break;
    case 1: b.Stern(20, 10, 8, zeichen); break;
    case 2: for (int32_t k = 0; k < 3; ++k) b.Rechteck(8 + 9 * k, 5, 5, 10, zeichen); break;
    case 3: b.Dreieck(14, 3, 12, 14, zeichen); break;
    default: b.Ring(20, 10, 6, 2, zeichen); b.Rechteck(6, 9, 28, 2, zeichen); break;
    }
    return b.Fertig();
}

}  // namespace

Rastport* Muster_Geld_Hask_Bild(int32_t eintrag) {
    if (eintrag == GELD_HASK_BANK) return Bankhaus();
    // 110 ten down, 111 one down, 112 ten up, 113 one up: the keys 0, 1, 3, 2.
    constexpr int32_t TASTE[4] = {0, 1, 3, 2};
    if (eintrag >= GELD_HASK_SPINNER && eintrag < GELD_HASK_SPINNER + 4) return Spinner(TASTE[eintrag - GELD_HASK_SPINNER]);
    return nullptr;
}

std::vector<ResDateiEintrag> Muster_Geld_Hask_Datei() { return Muster_Eintraege(GELD_HASK_ERSTER, GELD_HASK_LETZTER, Muster_Geld_Hask_Bild); }

Rastport* Muster_Geld_Bild(int32_t eintrag) {
    switch (eintrag) {
    case GELD_BILD_GEWINN: return Ergebnis(true);
    case GELD_BILD_VERLUST: return Ergebnis(false);
    case GELD_FINANZ_FENSTER: return Finanz_Fenster();
    case GELD_FINANZ_ZURUECK: return Pfeil_Knopf(true, false);
    case GELD_FINANZ_ZURUECK + 1: return Pfeil_Knopf(true, true);
    case GELD_FINANZ_VOR: return Pfeil_Knopf(false, false);
    case GELD_FINANZ_VOR + 1: return Pfeil_Knopf(false, true);
    case GELD_BANK_FENSTER: return Bank_Fenster();
    case GELD_SPINNER: return Spinner(-1);
    case GELD_BANK_KNOPF: return Gruener_Knopf(156, 36, false);
    case GELD_BANK_KNOPF + 1: return Gruener_Knopf(156, 36, true);
    case GELD_BANK_GEBER: return Geber_Feld();
    case GELD_STADION_FENSTER: return Stadion_Fenster();
    case GELD_STADION_SPINNER: return Spinner(-1, false);
    case GELD_STADION_KNOPF: return Gruener_Knopf(120, 30, false);
    case GELD_STADION_KNOPF + 1: return Gruener_Knopf(120, 30, true);
    case GELD_STADION_HINWEIS: return Hinweis();
    case GELD_WERBUNG_FENSTER: return Werbung_Fenster();
    case GELD_OPTION_AN: return Schalter(true);
    case GELD_OPTION_AUS: return Schalter(false);
    case GELD_SCROLL_SPUR: return Scroll_Spur();
    case GELD_SCROLL_KNAUF: return Scroll_Knauf();
    case GELD_OPTIONEN_FENSTER: return Optionen_Fenster();
    case GELD_OPTIONEN_UNTER_MAUS: return Optionen_Unter_Maus();
    default:
        if (eintrag >= GELD_STADION_MODELL && eintrag < GELD_STADION_MODELL + 6)
            return Stadion_Modell(eintrag - GELD_STADION_MODELL);
        if (eintrag >= GELD_SPONSOR_LOGO && eintrag < GELD_SPONSOR_LOGO + 20) return Sponsor_Logo(eintrag - GELD_SPONSOR_LOGO);
        return nullptr;
    }
}

std::vector<ResDateiEintrag> Muster_Geld_Optionen_Datei() {
    return Muster_Eintraege(GELD_OPTIONEN_FENSTER, GELD_OPTIONEN_UNTER_MAUS, Muster_Geld_Bild);
}

std::vector<ResDateiEintrag> Muster_Geld_Datei() { return Muster_Eintraege(GELD_ERSTER, GELD_LETZTER, Muster_Geld_Bild); }

}  // namespace velmora
