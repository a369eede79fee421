// kunst/bild_muster_transfer.cpp - the transfer screen's pictures.
#include "kunst/bild_muster_transfer.h"

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

constexpr int32_t BRETT_B = 794, BRETT_H = 479;

// An inset panel with a header band of `kopf` pixels.
void Feld(Bild& b, int32_t x, int32_t y, int32_t w, int32_t h, int32_t kopf) {
    b.Platte(x, y, w, h, 6, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.25), NACHT);
    if (kopf > 0) {
        b.Verlauf(x + 2, y + 2, w - 4, kopf, TAFEL_HELL, TAFEL);
        b.Rechteck(x + 6, y + 2 + kopf, w - 12, 1, GOLD_DUNKEL);
    }
}

// A label strip between the groups of rows.
void Streifen(Bild& b, int32_t x, int32_t y, int32_t w) {
    b.Verlauf(x, y, w, 15, Mix(TAFEL, NACHT, 0.2), Mix(TAFEL, NACHT, 0.6));
    b.Rechteck(x, y + 15, w, 1, GOLD_DUNKEL);
}

// The board at (3, 86): the own squad at the left (rows from screen y 136,
// the bench from 344, the reserve from 467), the market's eleven at the right
// (rows from 136), the scouts' corner under them and the prospect's row at 538.
Rastport* Brett() {
    Bild b(BRETT_B, BRETT_H);
    b.Platte(0, 0, BRETT_B, BRETT_H, 10, GOLD, TAFEL, NACHT, 2);
    // The left list: column heads at screen y 97-110, rows 136-322, 344-446, 467-517.
    Feld(b, 3, 8, 392, 466, 18);
    Streifen(b, 6, 32, 386);
    Streifen(b, 6, 240, 386);
    Streifen(b, 6, 363, 386);
    // The right list and the scouts' corner.
    Feld(b, 397, 8, 393, 232, 18);
    Streifen(b, 400, 32, 387);
    Feld(b, 397, 244, 393, 230, 0);
    // The negotiation counter's plate and the scout's socket.
    b.Platte(404, 252, 379, 64, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.3), Mix(NACHT, TAFEL, 0.2));
    b.Platte(404, 322, 379, 118, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.45), Mix(NACHT, TAFEL, 0.1));
    Streifen(b, 400, 446, 387);
    return b.Fertig();
}

// A row: plain (0), selected (1, gold-edged) or lit (2).
Rastport* Zeile(int32_t w, int32_t art) { return Platten_Wahlzeile(w, TRANSFER_ZEILE_H, art); }

// The shade over an unavailable player's row: every other pixel dark red.
Rastport* Gesperrt() {
    Bild b(TRANSFER_ZEILE_B, TRANSFER_ZEILE_H);
    for (int32_t y = 0; y < TRANSFER_ZEILE_H; ++y)
        for (int32_t x = (y & 1); x < TRANSFER_ZEILE_B; x += 2) b.Punkt(x, y, Mix(ROT, NACHT, 0.55));
    return b.Fertig();
}

// A slate key with a triangle pointing left or right.
Rastport* Pfeil_Knopf(int32_t w, int32_t h, bool rechts, bool gedrueckt) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 6, gedrueckt ? GOLD_DUNKEL : GOLD, gedrueckt ? SCHIEFER_DUNKEL : SCHIEFER,
             gedrueckt ? Mix(SCHIEFER_DUNKEL, NACHT, 0.4) : SCHIEFER_DUNKEL, 1);
    const Rgb c = gedrueckt ? GOLD : HELL;
    const int32_t cx = w / 2 + (gedrueckt ? 1 : 0), cy = h / 2 + (gedrueckt ? 1 : 0);
    for (int32_t j = 0; j < 7; ++j) {
        const int32_t x = rechts ? cx - 3 + j : cx + 3 - j;
        b.Rechteck(x, cy - 6 + j, 1, 13 - 2 * j, c);
    }
    return b.Fertig();
}

// A raise button: a plus and one or two coins.
Rastport* Plus_Knopf(int32_t w, bool gross, bool gedrueckt) {
    Bild b(w, 30);
    b.Platte(0, 0, w, 30, 6, gedrueckt ? GOLD_DUNKEL : GOLD, gedrueckt ? GRUEN_DUNKEL : GRUEN,
             gedrueckt ? Mix(GRUEN_DUNKEL, NACHT, 0.5) : GRUEN_DUNKEL, 1);
    const int32_t d = gedrueckt ? 1 : 0;
    b.Rechteck(7 + d, 14 + d, 11, 3, HELL);
    b.Rechteck(11 + d, 10 + d, 3, 11, HELL);
    const int32_t muenzen = gross ? 3 : 1;
    for (int32_t k = 0; k < muenzen; ++k) {
        const double cx = 26 + k * 10 + d, cy = 16 + d;
        b.Kreis(cx, cy, 6.5, GOLD_DUNKEL);
        b.Kreis(cx, cy, 5, GOLD);
    }
    return b.Fertig();
}

// The clock's start button: a clock face with its hands (dim when off).
Rastport* Start_Knopf(bool an) {
    Bild b(60, 30);
    b.Platte(0, 0, 60, 30, 6, an ? GOLD : GOLD_DUNKEL, an ? SCHIEFER : Mix(SCHIEFER_DUNKEL, NACHT, 0.5),
             an ? SCHIEFER_DUNKEL : NACHT, 1);
    const Rgb c = an ? HELL : Mix(GRAU, NACHT, 0.5);
    b.Ring(30, 15, 10, 2, c);
    b.Linie(30, 15, 30, 8, 2, c);
    b.Linie(30, 15, 35, 15, 2, an ? GOLD : c);
    return b.Fertig();
}

// The card button: a small card with a face outline.
Rastport* Karten_Knopf() {
    Bild b(26, 26);
    b.Platte(0, 0, 26, 26, 6, GOLD, SCHIEFER, SCHIEFER_DUNKEL, 1);
    b.Rechteck(7, 5, 12, 16, HELL);
    b.Kreis(13, 10, 3, SCHIEFER_DUNKEL);
    b.Ellipse(13, 17, 4.5, 2.5, SCHIEFER_DUNKEL);
    return b.Fertig();
}

// The negotiation's frame over the screen: the darkened screen around a
// board from (20, 58) to (779, 527).
Rastport* Rahmen() {
    Bild b(800, 566);
    for (int32_t y = 0; y < 566; ++y)
        for (int32_t x = (y & 1); x < 800; x += 2) b.Punkt(x, y, SCHWARZ);
    b.Platte(20, 58, 760, 470, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(20, 58, 760, 42, 12, GOLD, TAFEL_HELL, TAFEL, 3, true);
    b.Rechteck(23, 98, 754, 2, GOLD_DUNKEL);
    // The money lines' board and the price bar's place.
    b.Platte(34, 396, 722, 70, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.5));
    b.Rechteck(44, 449, 702, 1, GOLD_DUNKEL);
    b.Platte(494, 246, 254, 62, 6, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.4), NACHT);
    // The offer's box (it reaches past the board's right edge).
    b.Platte(472, 149, 196, 56, 6, GOLD_DUNKEL, Mix(GRUEN_DUNKEL, NACHT, 0.6), NACHT);
    return b.Fertig();
}

// The window's board (600 x 400 at 32, 69, on the frame): the portrait's
// frame, the asking price's box, the player's plate.
Rastport* Fenster() {
    Bild b(600, 400);
    // The portrait at screen (55, 135): a frame around 85 x 100.
    b.Platte(19, 62, 93, 108, 4, GOLD, NACHT, Mix(NACHT, TAFEL, 0.5), 2);
    // The asking price and the offer.
    b.Platte(126, 80, 220, 56, 6, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    // The player's plate under the portrait.
    b.Platte(6, 176, 360, 80, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.3), Mix(NACHT, TAFEL, 0.1));
    return b.Fertig();
}

// A bar of w x h in its groove: full, a gradient from a light `hell` to
// `dunkel` inset by `rand` at the top and bottom; empty, the groove, its
// corners rounded by r.
Rastport* Rinne(int32_t w, int32_t h, int32_t rand, int32_t r, bool voll, Rgb hell, Rgb dunkel) {
    Bild b(w, h);
    if (voll) b.Verlauf(1, rand, w - 2, h - 2 * rand, Mix(hell, HELL, 0.3), dunkel);
    else b.Platte(0, 0, w, h, r, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.6));
    return b.Fertig();
}

Rastport* Balken(bool voll) { return Rinne(TRANSFER_BALKEN_B, 16, 2, 4, voll, GOLD, GOLD_DUNKEL); }

Rastport* Marke() {
    Bild b(9, 24);
    b.Rechteck(3, 0, 3, 24, HELL);
    for (int32_t j = 0; j < 5; ++j) b.Rechteck(j, j, 9 - 2 * j, 1, GRUEN);
    return b.Fertig();
}

// The training screen's board: the squad at the left (rows from screen y
// 136, the bench from 344), the detail panel at the right with the
// portrait's frame, the carousel's band and the talent in training's plate.
Rastport* Training_Brett() {
    Bild b(BRETT_B, BRETT_H);
    b.Platte(0, 0, BRETT_B, BRETT_H, 10, GOLD, TAFEL, NACHT, 2);
    Feld(b, 3, 8, 466, 466, 18);
    Streifen(b, 6, 32, 460);
    Streifen(b, 6, 240, 460);
    Feld(b, 473, 8, 317, 466, 0);
    b.Platte(505, 12, 99, 108, 4, GOLD, NACHT, Mix(NACHT, TAFEL, 0.5), 2);
    b.Platte(480, 164, 303, 120, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.45), Mix(NACHT, TAFEL, 0.1));
    b.Platte(480, 330, 303, 80, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.3), Mix(NACHT, TAFEL, 0.1));
    return b.Fertig();
}

Rastport* Fortschritt(int32_t w, bool voll) { return Rinne(w, 10, 1, 3, voll, GRUEN, GRUEN_DUNKEL); }

// The camp page: the picture's frame at the left, the three bars (full) at
// the right, the description's box under them.
Rastport* Lager_Seite() {
    Bild b(782, 450);
    b.Platte(0, 0, 782, 450, 10, GOLD, TAFEL, NACHT, 2);
    b.Platte(5, 5, 440, 310, 6, GOLD, NACHT, NACHT, 2);
    // The three bars start at one x, under each other (labels at their left).
    for (int32_t k = 0; k < 3; ++k) {
        b.Platte(517 - 2, 43 + 25 * k, 183, 18, 4, GOLD_DUNKEL, NACHT, NACHT);
        b.Verlauf(517, 45 + 25 * k, TRANSFER_BALKEN_LAGER, 14, Mix(GRUEN, HELL, 0.3), GRUEN_DUNKEL);
    }
    b.Platte(444, 296, 332, 134, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.3), Mix(NACHT, TAFEL, 0.1));
    return b.Fertig();
}

Rastport* Lager_Leer() {
    Bild b(TRANSFER_BALKEN_LAGER, 14);
    b.Rechteck(0, 0, TRANSFER_BALKEN_LAGER, 14, Mix(NACHT, NACHT_HELL, 0.4));
    return b.Fertig();
}

// A camp's picture: sky, sun, its landscape (mountains, sea or forest by the
// camp) and the training pitch in front.
Rastport* Lager_Bild(int32_t lager) {
    Bild b(430, 300);
    const Rgb himmel = lager % 2 ? Rgb{92, 150, 206} : Rgb{236, 160, 96};
    b.Verlauf(0, 0, 430, 180, Mix(himmel, NACHT, 0.35), Mix(himmel, HELL, 0.45));
    b.Kreis(80 + 40 * lager, 60, 22, Mix(GOLD, HELL, 0.5));
    const int32_t art = lager % 3;
    for (int32_t i = 0; i < 5; ++i) {
        const double cx = 40 + 95 * i + 11 * lager, hoehe = 50 + 25 * ((i + lager) % 3);
        for (int32_t y = 0; y < int32_t(hoehe); ++y) {
            const double halb = (art == 0 ? 0.9 : 2.2) * y;
            const Rgb c = art == 0 ? Mix(SCHIEFER, HELL, y < 14 ? 0.7 : 0.1) : art == 1 ? Mix(RASEN_DUNKEL, NACHT, 0.3)
                                                                                          : Mix(GRUEN_DUNKEL, NACHT, 0.2);
            b.Rechteck(int32_t(cx - halb), 180 - int32_t(hoehe) + y, int32_t(2 * halb), 1, c);
        }
    }
    if (art == 1) b.Verlauf(0, 168, 430, 16, Mix(AUSWAHL, HELL, 0.3), AUSWAHL_DUNKEL);
    b.Verlauf(0, 180, 430, 120, RASEN, RASEN_DUNKEL);
    for (int32_t i = 0; i < 6; ++i) b.Rechteck(0, 190 + 18 * i, 430, 9, Mix(RASEN, KREIDE, 0.12));
    b.Rechteck(30, 200, 370, 2, KREIDE);
    b.Rechteck(214, 200, 2, 90, KREIDE);
    b.Ring(215, 245, 26, 2, KREIDE);
    b.Rahmen(0, 0, 430, 300, 4, GOLD_DUNKEL, 2);
    return b.Fertig();
}

Rastport* Bild_Zu(int32_t slave) {
    switch (slave) {
    case TRANSFER_BILD_BRETT: return Brett();
    case TRANSFER_BILD_GESPERRT: return Gesperrt();
    case TRANSFER_BILD_ZEILE_AN: return Zeile(TRANSFER_ZEILE_B, 1);
    case TRANSFER_BILD_ZEILE: return Zeile(TRANSFER_ZEILE_B, 0);
    case TRANSFER_BILD_ZEILE_LICHT: return Zeile(TRANSFER_ZEILE_B, 2);
    case TRANSFER_BILD_RECHTS_AN: return Zeile(TRANSFER_RECHTS_B, 1);
    case TRANSFER_BILD_RECHTS: return Zeile(TRANSFER_RECHTS_B, 0);
    case TRANSFER_BILD_RECHTS_LICHT: return Zeile(TRANSFER_RECHTS_B, 2);
    case TRANSFER_BILD_RAHMEN: return Rahmen();
    case TRANSFER_BILD_SCOUT_ZURUECK: return Pfeil_Knopf(36, 30, false, false);
    case TRANSFER_BILD_SCOUT_ZURUECK + 1: return Pfeil_Knopf(36, 30, false, true);
    case TRANSFER_BILD_SCOUT_WEITER: return Pfeil_Knopf(36, 30, true, false);
    case TRANSFER_BILD_SCOUT_WEITER + 1: return Pfeil_Knopf(36, 30, true, true);
    case TRANSFER_BILD_KNOPF: return Platten_Knopf(160, 34, false, SCHIEFER);
    case TRANSFER_BILD_KNOPF_DRUCK: return Platten_Knopf(160, 34, true, SCHIEFER);
    case TRANSFER_BILD_FENSTER: return Fenster();
    case TRANSFER_BILD_BALKEN: return Balken(false);
    case TRANSFER_BILD_BALKEN_VOLL: return Balken(true);
    case TRANSFER_BILD_MARKE: return Marke();
    case TRANSFER_BILD_PLUS_KLEIN: return Plus_Knopf(40, false, false);
    case TRANSFER_BILD_PLUS_KLEIN + 1: return Plus_Knopf(40, false, true);
    case TRANSFER_BILD_PLUS_GROSS: return Plus_Knopf(60, true, false);
    case TRANSFER_BILD_PLUS_GROSS + 1: return Plus_Knopf(60, true, true);
    case TRANSFER_BILD_VERLASSEN: return Platten_Knopf(86, 36, false, Mix(ROT, SCHIEFER_DUNKEL, 0.6));
    case TRANSFER_BILD_VERLASSEN + 1: return Platten_Knopf(86, 36, true, Mix(ROT, SCHIEFER_DUNKEL, 0.6));
    case TRANSFER_BILD_KARTE: return Karten_Knopf();
    case TRANSFER_BILD_START_AUS: return Start_Knopf(false);
    case TRANSFER_BILD_START: return Start_Knopf(true);
    case TRANSFER_BILD_LAGER_SEITE: return Lager_Seite();
    case TRANSFER_BILD_LAGER_LEER: return Lager_Leer();
    case TRANSFER_BILD_TR_BRETT: return Training_Brett();
    case TRANSFER_BILD_TR_BALKEN: return Fortschritt(182, false);
    case TRANSFER_BILD_TR_BALKEN + 1: return Fortschritt(182, true);
    case TRANSFER_BILD_TR_ZEILENBALKEN: return Fortschritt(32, false);
    case TRANSFER_BILD_TR_ZEILENBALKEN + 1: return Fortschritt(32, true);
    case TRANSFER_BILD_TR_WAHL: return Platten_Knopf(68, 68, false, SCHIEFER);
    case TRANSFER_BILD_TR_WAHL + 1: return Platten_Knopf(68, 68, true, SCHIEFER);
    default:
        if (slave >= TRANSFER_BILD_LAGER_BILD && slave < TRANSFER_BILD_LAGER_BILD + 8)
            return Lager_Bild(slave - TRANSFER_BILD_LAGER_BILD);
        return nullptr;
    }
}

std::vector<ResDateiEintrag> Datei(int32_t erster, int32_t letzter) {
    return Muster_Eintraege(erster, letzter, [](int32_t e) { return Bild_Zu(28000 + e); });
}

}  // namespace

Rastport* Muster_Transfer_Bild(int32_t slave) { return Bild_Zu(slave); }

std::vector<ResDateiEintrag> Muster_Transfer_Datei() { return Datei(TRANSFER_ERSTER, TRANSFER_LETZTER); }
std::vector<ResDateiEintrag> Muster_Training_Datei() { return Datei(TRAINING_ERSTER, TRAINING_LETZTER); }
std::vector<ResDateiEintrag> Muster_Lager_Datei() { return Datei(LAGER_ERSTER, LAGER_LETZTER); }

}  // namespace velmora
