// kunst/bild_muster_training.cpp - the training window's pictures.
#include "kunst/bild_muster_training.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gfx/bild_leinwand.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }
int32_t Farbe(Rgb c) { return int32_t(Leinwand_Pixel(c)); }

// The window's place: the drawing's offsets.
constexpr int32_t FX = 82, FY = 88, FB = 690, FH = 426;

void Schrift(Bild& b, int32_t font, const char* text, int32_t x, int32_t y, Rgb c, bool mitte) {
    Font* f = font < Font_Set_Anzahl() ? Font_Get(font) : nullptr;
    if (!f || !b.rp) return;
    const int32_t links = mitte ? x - Text_Width(f, text) / 2 : x;
    Text_Printf(b.rp, f, "^c%05d%s", links + 1, y + 1, Farbe(Mix(NACHT, SCHWARZ, 0.5)), text);
    Text_Printf(b.rp, f, "^c%05d%s", links, y, Farbe(c), text);
}

// The window: the header with the portrait's frame and the talent's socket,
// the gauge's shaft, the safe-mode socket, the film's frame and the button rail.
Rastport* Fenster() {
    Bild b(FB, FH);
    b.Platte(0, 0, FB, FH, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(0, 0, FB, 108, 12, GOLD, TAFEL_HELL, TAFEL, 3, true);
    b.Rechteck(3, 106, FB - 6, 2, GOLD_DUNKEL);
    b.Platte(144 - FX, 88 - FY, 93, 105, 4, GOLD, NACHT, Mix(NACHT, TAFEL, 0.5), 2);
    b.Platte(562 - FX, 168 - FY, 60, 60, 8, GOLD_DUNKEL, NACHT, Mix(NACHT, TAFEL, 0.4), 2);
    // The gauge's shaft (the column rises from y 436) and its scale.
    b.Platte(180 - FX, 210 - FY, 36, 234, 5, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.5), 2);
    for (int32_t k = 0; k <= 10; ++k) b.Rechteck(212 - FX, 436 - FY - 22 * k, k % 5 ? 3 : 6, 1, GOLD_DUNKEL);
    b.Platte(130 - FX, 370 - FY, 50, 50, 8, GOLD_DUNKEL, NACHT, Mix(NACHT, TAFEL, 0.4), 2);
    // The film's frame around (565, TRF_FILM_Y) 200 x 150, above the button rail.
    b.Platte(561 - FX, TRF_FILM_Y - 4 - FY, 208, 158, 4, GOLD, NACHT, NACHT, 2);
    b.Rechteck(250 - FX, 432 - FY, 430, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// The progress plate: the talent's bar at y 335, the unit's points at y 365.
Rastport* Fortschritt() {
    Bild b(266, 74);
    b.Platte(0, 0, 266, 74, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.35), Mix(NACHT, TAFEL, 0.1));
    b.Platte(39, 24, 187, 16, 4, GOLD_DUNKEL, NACHT, NACHT);
    b.Platte(39, 54, 187, 16, 4, GOLD_DUNKEL, NACHT, NACHT);
    return b.Fertig();
}

// A bar of w x h: full, from a light `hell` down to `dunkel`; empty, dark.
Rastport* Balken(int32_t w, int32_t h, bool voll, Rgb hell, Rgb dunkel) {
    Bild b(w, h);
    if (voll) b.Verlauf(0, 0, w, h, Mix(hell, HELL, 0.3), dunkel);
    else b.Verlauf(0, 0, w, h, Mix(NACHT, NACHT_HELL, 0.6), NACHT);
    return b.Fertig();
}

// The strain gauge: green at the foot, through gold to red at the top.
Rastport* Pegel() {
    Bild b(24, TRF_PEGEL_H);
    for (int32_t y = 0; y < TRF_PEGEL_H; ++y) {
        const double t = 1.0 - double(y) / (TRF_PEGEL_H - 1);
        const Rgb c = t < 0.5 ? Mix(GRUEN, GOLD, t * 2) : Mix(GOLD, ROT, (t - 0.5) * 2);
        b.Rechteck(1, y, 22, 1, Mix(c, NACHT, (y % 4 == 3) ? 0.35 : 0.0));
    }
    return b.Fertig();
}

// Safe mode: a shield, green with a tick when on, grey when off.
Rastport* Sicher(bool an) {
    Bild b(40, 40);
    const Rgb c = an ? GRUEN : Mix(GRAU, NACHT, 0.45);
    for (int32_t y = 4; y < 36; ++y) {
        const double halb = y < 20 ? 14.0 : 14.0 * (36 - y) / 16.0;
        b.Rechteck(20 - int32_t(halb), y, 2 * int32_t(halb), 1, Mix(c, NACHT, (y - 4) / 64.0));
    }
    b.Rechteck(6, 4, 28, 1, an ? GOLD : GOLD_DUNKEL);
    if (an) {
        b.Linie(12, 19, 18, 25, 3, HELL);
        b.Linie(18, 25, 28, 13, 3, HELL);
    }
    return b.Fertig();
}

// The window's keys are 32 high.
Rastport* Knopf(int32_t w, bool gedrueckt, Rgb grund) { return Platten_Knopf(w, 32, gedrueckt, grund); }

// The result panel: five labelled lines, the values right-aligned by the window at x 520.
Rastport* Ergebnis() {
    Bild b(290, 162);
    b.Platte(0, 0, 290, 162, 8, GOLD, Mix(TAFEL, NACHT, 0.2), NACHT, 2);
    b.Platte(0, 0, 290, 28, 8, GOLD, TAFEL_HELL, TAFEL, 2, true);
    Schrift(b, 8, "Ergebnis", 145, 19, GOLD, true);
    const char* zeilen[5] = {"Vorher", "Jetzt", "Punkte", "Kosten", "Trainingsgeld"};
    for (int32_t k = 0; k < 5; ++k) {
        b.Rechteck(12, 50 + 24 * k, 266, 1, Mix(GOLD_DUNKEL, NACHT, 0.4));
        Schrift(b, 9, zeilen[k], 14, 45 + 24 * k, GRAU, false);
    }
    return b.Fertig();
}

// The crash panel: a red-edged box for the word-wrapped message.
Rastport* Absturz() {
    Bild b(290, 126);
    b.Platte(0, 0, 290, 126, 8, ROT, Mix(ROT, NACHT, 0.75), NACHT, 2);
    b.Rechteck(8, 4, 274, 1, Mix(ROT, HELL, 0.3));
    return b.Fertig();
}

Rastport* Muenze() {
    Bild b(34, 18);
    b.Ellipse(17, 9, 16.5, 8.5, GOLD_DUNKEL);
    b.Ellipse(17, 9, 14.5, 6.5, Mix(GOLD, HELL, 0.15));
    return b.Fertig();
}

// The film window: the film's frame at (240, 134), the portrait's at (240, 379), the crest's at (517, 383).
Rastport* Film_Fenster() {
    Bild b(334, 350);
    b.Platte(0, 0, 334, 350, 10, GOLD, TAFEL, NACHT, 3);
    b.Platte(4, 3, 326, 246, 4, GOLD_DUNKEL, NACHT, NACHT, 2);
    b.Platte(4, 248, 50, 56, 4, GOLD_DUNKEL, NACHT, NACHT, 1);
    b.Platte(281, 252, 46, 46, 4, GOLD_DUNKEL, NACHT, NACHT, 1);
    return b.Fertig();
}

// The bonus ball: it flies in, spins with a glint and bursts into sparks.
Rastport* Bonus_Ball(int32_t k) {
    Bild b(60, 60);
    const double t = double(k) / (TRF_ANIM_BONUS_N - 2);
    if (k < 40) {
        const double r = 6 + 8 * std::min(1.0, t * 3);
        b.Kreis(30, 30, r + 1.5, SCHWARZ);
        b.Kreis(30, 30, r, HELL);
        for (int32_t j = 0; j < 5; ++j) {
            const double w = k * 0.35 + j * 1.2566;
            b.Kreis(30 + r * 0.55 * std::cos(w), 30 + r * 0.55 * std::sin(w), r * 0.28, SCHWARZ);
        }
        b.Kreis(30 - r * 0.4, 30 - r * 0.4, r * 0.18, Mix(HELL, GOLD, 0.2));
    } else {
        const double s = (k - 40) / 15.0;
        for (int32_t j = 0; j < 10; ++j) {
            const double w = j * 0.6283;
            b.Stern(30 + 24 * s * std::cos(w), 30 + 24 * s * std::sin(w), 5 * (1 - s) + 1, j % 2 ? GOLD : HELL);
        }
    }
    return b.Fertig();
}

// The bonus points: the number grows in, stands and fades to gold.
Rastport* Bonus_Text(int32_t punkte, int32_t k, int32_t n) {
    Bild b(90, 40);
    const double t = double(k) / (n - 2);
    char text[8];
    std::snprintf(text, sizeof text, "+%d", punkte);
    const Rgb c = Mix(HELL, GOLD, std::min(1.0, t * 1.4));
    b.Platte(8, 4 + int32_t(6 * (1 - std::min(1.0, t * 4))), 74, 30, 8, c, Mix(GRUEN, NACHT, 0.2 + 0.5 * t),
             Mix(GRUEN_DUNKEL, NACHT, 0.5), 2);
    Schrift(b, 14, text, 45, 27 + int32_t(6 * (1 - std::min(1.0, t * 4))), c, true);
    return b.Fertig();
}

// The camp window: the film's frame at (71, 92), the name's plate, the three
// bars' sockets; the news rail is a picture of its own, shown with a line.
Rastport* Lager_Fenster() {
    Bild b(664, 404);
    b.Platte(0, 0, 664, 404, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(3, 3, 326, 246, 4, GOLD, NACHT, NACHT, 2);
    b.Platte(350, 130, 290, 40, 8, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.3), NACHT, 2);
    for (int32_t k = 0; k < 3; ++k) b.Platte(150, 251 + 33 * k, 366, 22, 5, GOLD_DUNKEL, NACHT, NACHT, 2);
    return b.Fertig();
}

Rastport* Lager_Nachricht() {
    Bild b(648, 46);
    b.Platte(0, 0, 648, 46, 6, Mix(GOLD_DUNKEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.35), Mix(NACHT, TAFEL, 0.1));
    return b.Fertig();
}

// The results window: the title band, the column rail and the groups' rules.
Rastport* Lager_Ergebnis() {
    Bild b(670, 440);
    b.Platte(0, 0, 670, 440, 12, GOLD, TAFEL, NACHT, 3);
    b.Platte(0, 0, 670, 30, 12, GOLD, TAFEL_HELL, TAFEL, 3, true);
    b.Rechteck(8, 46, 654, 1, GOLD_DUNKEL);
    b.Rechteck(8, 234, 654, 1, Mix(GOLD_DUNKEL, NACHT, 0.4));
    b.Rechteck(8, 357, 654, 1, Mix(GOLD_DUNKEL, NACHT, 0.4));
    return b.Fertig();
}

Rastport* Bild_Zu(int32_t slave) {
    switch (slave) {
    case TRF_BILD_FENSTER: return Fenster();
    case TRF_BILD_FORTSCHRITT: return Fortschritt();
    case TRF_BILD_PEGEL: return Pegel();
    case TRF_BILD_SICHER_AUS: return Sicher(false);
    case TRF_BILD_SICHER_AN: return Sicher(true);
    case TRF_BILD_BALKEN: return Balken(TRF_BALKEN_B, 12, true, GRUEN, GRUEN_DUNKEL);
    case TRF_BILD_BALKEN + 1: return Balken(TRF_BALKEN_B, 12, false, GRUEN, GRUEN_DUNKEL);
    case TRF_BILD_PUNKTE: return Balken(TRF_BALKEN_B, 12, true, GOLD, GOLD_DUNKEL);
    case TRF_BILD_PUNKTE + 1: return Balken(TRF_BALKEN_B, 12, false, GOLD, GOLD_DUNKEL);
    case TRF_BILD_SCHALTER: return Knopf(66, false, SCHIEFER);
    case TRF_BILD_SCHALTER + 1: return Knopf(66, true, SCHIEFER);
    case TRF_BILD_START: return Knopf(146, false, GRUEN_DUNKEL);
    case TRF_BILD_START + 1: return Knopf(146, true, GRUEN_DUNKEL);
    case TRF_BILD_SCHLIESSEN: return Knopf(120, false, Mix(ROT, SCHIEFER_DUNKEL, 0.6));
    case TRF_BILD_SCHLIESSEN + 1: return Knopf(120, true, Mix(ROT, SCHIEFER_DUNKEL, 0.6));
    case TRF_BILD_ANWENDEN: return Knopf(76, false, SCHIEFER);
    case TRF_BILD_ANWENDEN + 1: return Knopf(76, true, SCHIEFER);
    case TRF_BILD_ERGEBNIS: return Ergebnis();
    case TRF_BILD_ABSTURZ: return Absturz();
    case TRF_BILD_MUENZE: return Muenze();
    case TRF_BILD_FILM_FENSTER: return Film_Fenster();
    case LAGER_BILD_FENSTER: return Lager_Fenster();
    case LAGER_BILD_BALKEN: return Balken(360, 16, true, GRUEN, GRUEN_DUNKEL);
    case LAGER_BILD_DECKEL: return Balken(360, 16, false, GRUEN, GRUEN_DUNKEL);
    case LAGER_BILD_ENDE: return Knopf(120, false, Mix(ROT, SCHIEFER_DUNKEL, 0.6));
    case LAGER_BILD_ENDE_DRUCK: return Knopf(120, true, Mix(ROT, SCHIEFER_DUNKEL, 0.6));
    case LAGER_BILD_ERGEBNIS: return Lager_Ergebnis();
    case LAGER_BILD_NACHRICHT: return Lager_Nachricht();
    case TRF_BILD_FILM_ZU: return Knopf(80, false, SCHIEFER);
    case TRF_BILD_FILM_ZU_DRUCK: return Knopf(80, true, SCHIEFER);
    default: break;
    }
    if (slave >= TRF_ANIM_BONUS && slave < TRF_ANIM_BONUS + TRF_ANIM_BONUS_N)
        return Bonus_Ball(slave - TRF_ANIM_BONUS);
    constexpr int32_t ERSTE[4] = {TRF_ANIM_25, TRF_ANIM_50, TRF_ANIM_75, TRF_ANIM_100};
    for (int32_t r = 0; r < 4; ++r) {
        const int32_t n = r == 3 ? TRF_ANIM_100_N : TRF_ANIM_TEXT_N;
        if (slave >= ERSTE[r] && slave < ERSTE[r] + n) return Bonus_Text(25 * (r + 1), slave - ERSTE[r], n);
    }
    return nullptr;
}

std::vector<ResDateiEintrag> Datei(int32_t erster, int32_t letzter) {
    return Muster_Eintraege(erster, letzter, [](int32_t e) { return Bild_Zu(28000 + e); });
}

}  // namespace

Rastport* Muster_Training_Fenster_Bild(int32_t slave) { return Bild_Zu(slave); }
std::vector<ResDateiEintrag> Muster_Training_Fenster_Datei() { return Datei(TRF_ERSTER, TRF_LETZTER); }
std::vector<ResDateiEintrag> Muster_Lager_Fenster_Datei() { return Datei(LAGER_FENSTER_ERSTER, LAGER_FENSTER_LETZTER); }
std::vector<ResDateiEintrag> Muster_Training_Anim_Datei() { return Datei(TRF_ANIM_ERSTER, TRF_ANIM_LETZTER); }

}  // namespace velmora
