// kunst/bild_muster_menue.cpp - the menu framework's pictures.
#include "kunst/bild_muster_menue.h"

#include <algorithm>
#include <cmath>

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

// The main screen: the header and the foot as night-blue boards with gold
// edges, between them the pitch seen from above, dimmed toward its edges.
Rastport* Hintergrund() {
    Bild b(800, 600);
    for (int32_t y = 72; y < 565; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            const double vx = (x - 400) / 400.0, vy = (y - 318) / 250.0;
            const double dunkel = 0.55 * std::min(1.0, 0.55 * (vx * vx + vy * vy));
            const Rgb gras = (x / 50) % 2 ? RASEN_DUNKEL : RASEN;
            b.Punkt(x, y, Mix(gras, NACHT, dunkel));
        }
    // Faint chalk: the halfway line, the centre circle, the penalty areas.
    const Rgb kreide = Mix(KREIDE, RASEN, 0.35);
    b.Rechteck(399, 90, 2, 458, kreide);
    b.Ring(400, 318, 70, 2, kreide);
    b.Kreis(400, 318, 3, kreide);
    for (int32_t s = 0; s < 2; ++s) {
        const int32_t x = s ? 640 : 30;
        b.Rechteck(x, 218, 130, 2, kreide);
        b.Rechteck(x, 418, 130, 2, kreide);
        b.Rechteck(s ? x : x + 128, 218, 2, 202, kreide);
        b.Rechteck(30, 90, 740, 2, kreide);
        b.Rechteck(30, 546, 740, 2, kreide);
        b.Rechteck(s ? 768 : 30, 90, 2, 458, kreide);
    }
    b.Verlauf(0, 0, 800, 70, NACHT_HELL, NACHT);
    b.Rechteck(0, 70, 800, 2, GOLD);
    b.Verlauf(0, 565, 800, 35, NACHT_HELL, NACHT);
    b.Rechteck(0, 565, 800, 1, GOLD);
    b.Rechteck(0, 566, 800, 1, GOLD_DUNKEL);
    // The header's plates behind the two clubs' names and the cup's medallion.
    b.Platte(88, 6, 186, 58, 8, GOLD_DUNKEL, TAFEL, NACHT_HELL);
    b.Platte(364, 6, 188, 58, 8, GOLD_DUNKEL, TAFEL, NACHT_HELL);
    b.Kreis(48, 38, 31, GOLD_DUNKEL);
    b.Kreis(48, 38, 29, NACHT);
    // The balance's plate at the foot.
    b.Platte(6, 571, 256, 25, 5, GOLD_DUNKEL, NACHT, NACHT_HELL);
    return b.Fertig();
}

// The badge at the header's right: the plate the date is written on, with
// the base nation's colours (Germany) or a plain emblem small in its corner.
Rastport* Abzeichen(bool deutschland) {
    Bild b(150, 62);
    b.Platte(0, 0, 150, 62, 10, GOLD, TAFEL_HELL, NACHT_HELL, 2);
    if (deutschland) {
        b.Landesfarben(8, 40, 21, 14);
    } else {
        b.Platte(8, 40, 21, 14, 2, GOLD_DUNKEL, GRUEN, GRUEN_DUNKEL);
        b.Kreis(18, 47, 4, HELL);
    }
    return b.Fertig();
}

// A panel menu: a card with rounded top corners, the title band and rows.
Rastport* Menue_Karte(int32_t hoehe, int32_t zeilen) {
    Bild b(98, hoehe);
    b.Platte(0, 0, 98, hoehe, 9, GOLD, TAFEL, NACHT, 1, true);
    b.Verlauf(1, 1, 96, 24, TAFEL_HELL, TAFEL);
    b.Platte(0, 0, 98, 26, 9, GOLD, TAFEL_HELL, TAFEL, 1, true);
    b.Rechteck(1, 25, 96, 1, GOLD_DUNKEL);
    for (int32_t z = 1; z < zeilen; ++z) b.Rechteck(8, 26 + z * 22, 82, 1, Mix(TAFEL, NACHT, 0.5));
    return b.Fertig();
}

Rastport* Auswahl(bool letzter) {
    Bild b(94, 22);
    b.Platte(0, 0, 94, 22, letzter ? 6 : 0, AUSWAHL, AUSWAHL, AUSWAHL_DUNKEL);
    if (!letzter) b.Verlauf(0, 0, 94, 22, AUSWAHL, AUSWAHL_DUNKEL);
    b.Rechteck(0, 3, 3, 16, GOLD);
    return b.Fertig();
}

// The requester's frame: the person's band above, the message below.
Rastport* Requester_Rahmen() {
    Bild b(668, 290);
    b.Platte(0, 0, 668, 290, 12, GOLD, TAFEL, NACHT, 3);
    b.Verlauf(3, 3, 662, 106, TAFEL_HELL, TAFEL);
    b.Platte(0, 0, 668, 112, 12, GOLD, TAFEL_HELL, TAFEL, 3, true);
    b.Rechteck(3, 110, 662, 2, GOLD_DUNKEL);
    b.Platte(60, 8, 80, 98, 6, GOLD_DUNKEL, NACHT_HELL, NACHT);
    return b.Fertig();
}

// The requester's picture where no manager speaks (the start screens, the
// team editor): the manager's clipboard with a tactics sheet, inside the
// frame's picture well (it is drawn 21 pixels left of the well and 2 below
// its top: the well is 80 x 98).
Rastport* Manager_Leer() {
    Bild b(100, 96);
    constexpr Rgb BRETT{128, 88, 52}, BRETT_DUNKEL{84, 56, 32};
    b.Platte(29, 6, 66, 86, 6, BRETT_DUNKEL, BRETT, Mix(BRETT, BRETT_DUNKEL, 0.6), 1);
    b.Rechteck(35, 16, 54, 70, HELL);
    // The pitch on the sheet: its lines, the halfway line and the centre circle.
    b.Rechteck(38, 19, 48, 64, RASEN);
    const Rgb linie = Mix(HELL, RASEN, 0.2);
    b.Rahmen(40, 21, 44, 60, 0, linie, 1);
    b.Rechteck(40, 50, 44, 1, linie);
    b.Ring(62, 50.5, 7, 1, linie);
    b.Rahmen(52, 21, 20, 8, 0, linie, 1);
    b.Rahmen(52, 73, 20, 8, 0, linie, 1);
    // Two moves drawn in: crosses for the own side, a ring for the opponent, an arrow.
    for (auto [x, y] : {std::pair{50.0, 64.0}, std::pair{73.0, 60.0}}) {
        b.Linie(x - 3, y - 3, x + 3, y + 3, 1.6, ROT);
        b.Linie(x - 3, y + 3, x + 3, y - 3, 1.6, ROT);
    }
    b.Ring(58, 36, 3.5, 1.4, NACHT);
    b.Linie(50, 60, 56, 42, 1.2, NACHT);
    b.Linie(56, 42, 53, 45, 1.2, NACHT);
    b.Linie(56, 42, 58, 46, 1.2, NACHT);
    // The clip.
    b.Platte(50, 1, 24, 12, 3, GOLD_DUNKEL, GOLD, GOLD_DUNKEL, 1);
    b.Rechteck(56, 5, 12, 3, Mix(GOLD_DUNKEL, NACHT, 0.5));
    return b.Fertig();
}

Rastport* Abdunkeln() {
    Bild b(800, 600);
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            const double vx = (x - 400) / 400.0, vy = (y - 300) / 300.0;
            b.Punkt(x, y, Mix(Rgb{10, 16, 26}, Rgb{4, 6, 10}, 0.6 * (vx * vx + vy * vy)));
        }
    return b.Fertig();
}

// The option bar and its buttons with their pictograms.
constexpr int32_t OPTION_B = 50, OPTION_H = 30;

void Piktogramm(Bild& b, int32_t nummer, Rgb c) {
    const int32_t cx = OPTION_B / 2, cy = OPTION_H / 2;
    switch (nummer) {
    case 0:   // the pitch display: a screen on its stand
        b.Rechteck(cx - 11, cy - 9, 22, 2, c);
        b.Rechteck(cx - 11, cy + 4, 22, 2, c);
        b.Rechteck(cx - 11, cy - 9, 2, 15, c);
        b.Rechteck(cx + 9, cy - 9, 2, 15, c);
        b.Rechteck(cx - 1, cy + 6, 2, 3, c);
        b.Rechteck(cx - 6, cy + 9, 12, 2, c);
        break;
    case 1:   // pause
        b.Rechteck(cx - 7, cy - 8, 5, 16, c);
        b.Rechteck(cx + 2, cy - 8, 5, 16, c);
        break;
    case 2:   // fast
        b.Dreieck(cx - 11, cy - 8, 11, 16, c);
        b.Dreieck(cx, cy - 8, 11, 16, c);
        break;
    case 3:   // the table page
        for (int32_t k = 0; k < 4; ++k) b.Rechteck(cx - 11, cy - 8 + k * 5, 22, 1, c);
        for (int32_t k = 0; k < 3; ++k) b.Rechteck(cx - 11 + k * 11, cy - 8, 1, 16, c);
        b.Rechteck(cx + 11, cy - 8, 1, 16, c);
        break;
    case 4:   // the results page: lines with marks
        for (int32_t k = 0; k < 4; ++k) {
            b.Rechteck(cx - 11, cy - 8 + k * 5, 3, 3, c);
            b.Rechteck(cx - 6, cy - 7 + k * 5, 17, 1, c);
        }
        break;
    case 5:   // substitutions: one arrow up, one down
        for (int32_t j = 0; j < 6; ++j) {
            b.Rechteck(cx - 7 - j, cy - 8 + j, 1 + 2 * j, 1, c);
            b.Rechteck(cx + 7 - j, cy + 8 - j, 1 + 2 * j, 1, c);
        }
        b.Rechteck(cx - 8, cy - 2, 3, 10, c);
        b.Rechteck(cx + 6, cy - 8, 3, 10, c);
        break;
    case 6:   // tactics: three sliders
        for (int32_t k = 0; k < 3; ++k) {
            b.Rechteck(cx - 11, cy - 6 + k * 6, 22, 1, c);
            b.Rechteck(cx - 8 + ((k * 7) % 15), cy - 8 + k * 6, 4, 5, c);
        }
        break;
    case 7:   // load: a folder
        b.Rechteck(cx - 11, cy - 7, 9, 3, c);
        b.Rechteck(cx - 11, cy - 4, 22, 12, c);
        b.Rechteck(cx - 9, cy - 2, 18, 1, Mix(c, NACHT, 0.6));
        break;
    case 8:   // save: a disk
        b.Rechteck(cx - 9, cy - 9, 18, 18, c);
        b.Rechteck(cx - 5, cy - 9, 10, 6, Mix(c, NACHT, 0.7));
        b.Rechteck(cx - 6, cy + 2, 12, 6, Mix(c, HELL, 0.5));
        break;
    default:   // tempo: a stopwatch
        b.Ring(cx - 3, cy + 1, 9, 2, c);
        b.Rechteck(cx - 4, cy - 5, 2, 6, c);
        b.Rechteck(cx - 4, cy, 6, 2, c);
        b.Rechteck(cx - 5, cy - 11, 4, 2, c);
        break;
    }
}

Rastport* Option(int32_t nummer, bool an, int32_t breite) {
    Bild b(breite, OPTION_H);
    if (an) b.Platte(0, 0, breite, OPTION_H, 6, GOLD, Mix(GOLD, HELL, 0.3), GOLD_DUNKEL, 1);
    else b.Platte(0, 0, breite, OPTION_H, 6, GOLD_DUNKEL, SCHIEFER, SCHIEFER_DUNKEL, 1);
    Piktogramm(b, nummer, an ? NACHT : HELL);
    return b.Fertig();
}

Rastport* Option_Leiste() {
    Bild b(800, 35);
    b.Verlauf(0, 0, 800, 35, NACHT_HELL, NACHT);
    b.Rechteck(0, 0, 800, 1, GOLD);
    b.Rechteck(0, 1, 800, 1, GOLD_DUNKEL);
    b.Platte(100, 3, 596, 31, 6, GOLD_DUNKEL, NACHT, NACHT_HELL);
    return b.Fertig();
}

// The save and load screen. Its window stands at (32, 87): the header with
// the page's emblem left of the title, the inset list of the ten slots (rows
// 27 pixels apart from y 184), the column with the buttons at the right.
constexpr int32_t DISK_B = 736, DISK_H = 382, DISK_ZEILE_B = 614, DISK_ZEILE_H = 25;

// An open folder (load) or a disk (save), 2s wide, centred on (cx, cy).
void Disk_Piktogramm(Bild& b, bool laden, int32_t cx, int32_t cy, int32_t s, Rgb c, Rgb grund) {
    if (laden) {
        const Rgb hinten = Mix(c, grund, 0.35);
        b.Rechteck(cx - s, cy - s * 8 / 10, s * 8 / 10, s * 3 / 10, hinten);
        b.Rechteck(cx - s, cy - s / 2, 2 * s, s * 13 / 10, hinten);
        // The front flap leans back: its top edge starts further right.
        const int32_t oben = cy - s / 5, unten = cy + s * 8 / 10, versatz = s / 3;
        for (int32_t y = oben; y < unten; ++y) {
            const int32_t x0 = cx - s + versatz * (unten - y) / (unten - oben);
            b.Rechteck(x0, y, 2 * s - versatz, 1, c);
        }
        return;
    }
    b.Rechteck(cx - s, cy - s, 2 * s, 2 * s, c);
    for (int32_t j = 0; j < s / 3; ++j) b.Rechteck(cx + s - s / 3 + j, cy - s + j, s / 3 - j, 1, grund);
    b.Rechteck(cx - s / 2, cy - s, s, s * 7 / 10, Mix(c, grund, 0.7));
    b.Rechteck(cx + s / 6, cy - s + s / 8, s / 5, s * 4 / 10, c);
    b.Rechteck(cx - s * 7 / 10, cy + s / 6, s * 14 / 10, s * 7 / 10, Mix(c, HELL, 0.55));
    for (int32_t k = 0; k < 3; ++k)
        b.Rechteck(cx - s / 2, cy + s / 3 + k * s / 5, s, 1, Mix(c, grund, 0.35));
}

Rastport* Disk_Fenster(bool laden) {
    Bild b(DISK_B, DISK_H);
    b.Platte(0, 0, DISK_B, DISK_H, 12, GOLD, TAFEL, NACHT, 3);
    b.Verlauf(3, 3, DISK_B - 6, 80, TAFEL_HELL, TAFEL);
    b.Platte(0, 0, DISK_B, 86, 12, GOLD, TAFEL_HELL, TAFEL, 3, true);
    b.Rechteck(3, 84, DISK_B - 6, 2, GOLD_DUNKEL);
    // The emblem left of the title (the title's baseline lies at y 59).
    b.Kreis(182, 45, 31, GOLD_DUNKEL);
    b.Kreis(182, 45, 29, NACHT);
    b.Ring(182, 45, 25, 1, Mix(GOLD_DUNKEL, NACHT, 0.4));
    Disk_Piktogramm(b, laden, 182, 47, 15, GOLD, NACHT);
    // The list: an inset board, every other row a shade lighter.
    b.Platte(4, 91, 620, 279, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    for (int32_t z = 0; z < 10; ++z) {
        const int32_t y = 97 + 27 * z;
        if (z % 2 == 0) b.Rechteck(5, y, DISK_ZEILE_B, DISK_ZEILE_H, Mix(NACHT, TAFEL, 0.35));
        if (z) b.Rechteck(14, y - 2, DISK_ZEILE_B - 18, 1, Mix(NACHT, GOLD_DUNKEL, 0.25));
    }
    // The column of the buttons with the page's picture above them.
    b.Platte(630, 91, 102, 279, 6, GOLD_DUNKEL, TAFEL, NACHT);
    b.Kreis(681, 170, 40, Mix(TAFEL, NACHT, 0.5));
    b.Ring(681, 170, 40, 2, GOLD_DUNKEL);
    Disk_Piktogramm(b, laden, 681, 172, 22, Mix(HELL, GRAU, 0.3), Mix(TAFEL, NACHT, 0.5));
    b.Rechteck(640, 268, 82, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// The selected slot: the panel's highlight, the width of a row.
Rastport* Disk_Marke() {
    Bild b(DISK_ZEILE_B, DISK_ZEILE_H);
    b.Platte(0, 0, DISK_ZEILE_B, DISK_ZEILE_H, 5, GOLD_DUNKEL, AUSWAHL, AUSWAHL_DUNKEL);
    b.Rechteck(1, 4, 3, DISK_ZEILE_H - 8, GOLD);
    return b.Fertig();
}

// The row under the pointer: a thin light frame, the row shows through.
Rastport* Disk_Unter_Maus() {
    Bild b(DISK_ZEILE_B, DISK_ZEILE_H);
    const Rgb rand = Mix(AUSWAHL, HELL, 0.25);
    b.Rechteck(2, 0, DISK_ZEILE_B - 4, 1, rand);
    b.Rechteck(2, DISK_ZEILE_H - 1, DISK_ZEILE_B - 4, 1, rand);
    b.Rechteck(0, 2, 1, DISK_ZEILE_H - 4, rand);
    b.Rechteck(DISK_ZEILE_B - 1, 2, 1, DISK_ZEILE_H - 4, rand);
    b.Punkt(1, 1, rand);
    b.Punkt(DISK_ZEILE_B - 2, 1, rand);
    b.Punkt(1, DISK_ZEILE_H - 2, rand);
    b.Punkt(DISK_ZEILE_B - 2, DISK_ZEILE_H - 2, rand);
    b.Rechteck(1, 4, 3, DISK_ZEILE_H - 8, AUSWAHL);
    return b.Fertig();
}

// Entries 0 to anzahl - 1 of a file.
std::vector<ResDateiEintrag> Datei(int32_t anzahl, Rastport* (*bild)(int32_t)) { return Muster_Eintraege(0, anzahl - 1, bild); }

}  // namespace

Rastport* Muster_Menue_Global(int32_t eintrag) {
    switch (eintrag) {
    case 0: return Hintergrund();
    case 1: return Abzeichen(true);
    case 2: return Abzeichen(false);
    case 3: {
        Bild b(412, 8);
        b.Verlauf(0, 0, 412, 8, NACHT_HELL, NACHT);
        b.Rechteck(0, 0, 412, 1, GOLD_DUNKEL);
        return b.Fertig();
    }
    case 4: return Menue_Karte(120, 4);
    case 5: return Menue_Karte(164, 6);
    case 6: return Auswahl(false);
    case 7: return Auswahl(true);
    case 8: return Platten_Knopf_Verlauf(93, 34, GRUEN, GRUEN_DUNKEL, true);
    case 13: return Platten_Knopf_Verlauf(93, 34, GRUEN, GRUEN_DUNKEL, false);
    case 14: return Requester_Rahmen();
    case 15: return Manager_Leer();
    case 16: return Platten_Knopf_Verlauf(80, 32, GRUEN, GRUEN_DUNKEL, true);
    case 17: return Platten_Knopf_Verlauf(80, 32, GRUEN, GRUEN_DUNKEL, false);
    case 18: return Platten_Knopf_Verlauf(80, 35, SCHIEFER, SCHIEFER_DUNKEL, true);
    case 19: return Platten_Knopf_Verlauf(80, 35, SCHIEFER, SCHIEFER_DUNKEL, false);
    default: return nullptr;
    }
}

Rastport* Muster_Menue_Abdunkeln() { return Abdunkeln(); }

Rastport* Muster_Menue_Option(int32_t eintrag) {
    if (eintrag == 0) return Option_Leiste();
    if (eintrag >= 1 && eintrag <= 9) return Option(eintrag - 1, true, OPTION_B);
    if (eintrag >= 10 && eintrag <= 18) return Option(eintrag - 10, false, OPTION_B);
    if (eintrag == 19) return Option(9, false, 44);
    return nullptr;
}

Rastport* Muster_Menue_Disk(int32_t eintrag) {
    switch (eintrag) {
    case MENUE_DISK_ERSTER: return Disk_Marke();
    case MENUE_DISK_ERSTER + 1: return Disk_Unter_Maus();
    case MENUE_DISK_ERSTER + 2: return Disk_Fenster(true);
    case MENUE_DISK_ERSTER + 3: return Disk_Fenster(false);
    default: return nullptr;
    }
}

std::vector<ResDateiEintrag> Muster_Menue_Global_Datei() {
    return Datei(MENUE_GLOBAL_EINTRAEGE, Muster_Menue_Global);
}

std::vector<ResDateiEintrag> Muster_Menue_Optionen_Datei() {
    return Datei(MENUE_OPTIONEN_EINTRAEGE, Muster_Menue_Option);
}

std::vector<ResDateiEintrag> Muster_Menue_Disk_Datei() {
    return Datei(MENUE_DISK_EINTRAEGE, [](int32_t i) { return Muster_Menue_Disk(MENUE_DISK_ERSTER + i); });
}

}  // namespace velmora
