// kunst/bild_muster_live.cpp - the live match panels' pictures.
#include "kunst/bild_muster_live.h"

#include <cmath>

#include "core/res.h"
#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }
constexpr Rgb KREIDE_HELL{226, 236, 222};

// A board with a gold edge and a heading band of `kopf` pixels.
Rastport* Fenster(int32_t w, int32_t h, int32_t kopf) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 8, GOLD, NACHT_HELL, NACHT, 2);
    if (kopf > 0) {
        b.Verlauf(3, 3, w - 6, kopf, TAFEL_HELL, TAFEL);
        b.Rechteck(3, 3 + kopf, w - 6, 1, GOLD_DUNKEL);
    }
    return b.Fertig();
}

// The list window: heading band, the eleven's rows from y 46 and the bench's from
// y 67 + 17 * 11 under a caption band, the switch's plate at the foot.
Rastport* Liste() {
    constexpr int32_t B = 386, H = 357;
    Bild b(B, H);
    b.Platte(0, 0, B, H, 8, GOLD, NACHT_HELL, NACHT, 2);
    b.Verlauf(3, 3, B - 6, 22, TAFEL_HELL, TAFEL);
    b.Rechteck(3, 25, B - 6, 1, GOLD_DUNKEL);
    b.Verlauf(3, 28, B - 6, 16, Mix(TAFEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.6));
    b.Rechteck(3, 44, B - 6, 1, GOLD_DUNKEL);
    for (int32_t i = 0; i < 11; ++i) b.Rechteck(2, 46 + 17 * i, B - 4, 16, i % 2 ? Mix(NACHT, NACHT_HELL, 0.55) : Mix(NACHT, NACHT_HELL, 0.2));
    const int32_t bank = 46 + 17 * 11;
    b.Verlauf(3, bank + 2, B - 6, 16, Mix(TAFEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.6));
    b.Rechteck(3, bank + 18, B - 6, 1, GOLD_DUNKEL);
    for (int32_t i = 11; i < 17; ++i) b.Rechteck(2, 67 + 17 * i, B - 4, 16, i % 2 ? Mix(NACHT, NACHT_HELL, 0.55) : Mix(NACHT, NACHT_HELL, 0.2));
    return b.Fertig();
}

void Rahmen_Linien(Bild& b, double x, double y, double w, double h) {
    b.Linie(x, y, x + w, y, 1.2, KREIDE_HELL);
    b.Linie(x, y + h, x + w, y + h, 1.2, KREIDE_HELL);
    b.Linie(x, y, x, y + h, 1.2, KREIDE_HELL);
    b.Linie(x + w, y, x + w, y + h, 1.2, KREIDE_HELL);
}

// The pitch window: the whole pitch, its length down the window, the own goal
// at the bottom; a marker's centre lies 14 and 11 pixels into it.
Rastport* Feld() {
    constexpr int32_t B = 182, H = 280, X0 = 14, Y0 = 11, PB = 153, PH = 257;
    Bild b(B, H);
    b.Platte(0, 0, B, H, 6, GOLD, RASEN_DUNKEL, RASEN_DUNKEL, 2);
    for (int32_t k = 0; k < 12; ++k) {
        const int32_t y = Y0 + PH * k / 12, y1 = Y0 + PH * (k + 1) / 12;
        b.Rechteck(X0, y, PB, y1 - y, k % 2 ? RASEN_DUNKEL : RASEN);
    }
    Rahmen_Linien(b, X0, Y0, PB, PH);
    const double mx = X0 + PB / 2.0, my = Y0 + PH / 2.0;
    b.Linie(X0, my, X0 + PB, my, 1.2, KREIDE_HELL);
    b.Ring(mx, my, 19, 1.2, KREIDE_HELL);
    b.Kreis(mx, my, 1.6, KREIDE_HELL);
    for (int32_t ende = 0; ende < 2; ++ende) {
        const double sb = 94, sh = 39, tb = 42, th = 13;
        const double y = ende ? Y0 + PH - sh : Y0, yt = ende ? Y0 + PH - th : Y0;
        Rahmen_Linien(b, mx - sb / 2, y, sb, sh);
        Rahmen_Linien(b, mx - tb / 2, yt, tb, th);
        b.Kreis(mx, ende ? Y0 + PH - 26 : Y0 + 26, 1.4, KREIDE_HELL);
    }
    return b.Fertig();
}

// A round mark with an arrow: red pointing out (left), green pointing in (right).
Rastport* Wechsel_Marke(bool rein) {
    Bild b(14, 14);
    const Rgb farbe = rein ? Rgb{60, 170, 80} : Rgb{200, 56, 48};
    b.Kreis(6.5, 6.5, 6.5, Mix(farbe, NACHT, 0.4));
    b.Kreis(6.5, 6.5, 5.3, farbe);
    if (rein) {
        b.Linie(3, 6.5, 9, 6.5, 1.8, HELL);
        b.Linie(6.5, 3.5, 9.5, 6.5, 1.6, HELL);
        b.Linie(6.5, 9.5, 9.5, 6.5, 1.6, HELL);
    } else {
        b.Linie(4, 6.5, 10, 6.5, 1.8, HELL);
        b.Linie(3.5, 6.5, 6.5, 3.5, 1.6, HELL);
        b.Linie(3.5, 6.5, 6.5, 9.5, 1.6, HELL);
    }
    return b.Fertig();
}

Rastport* Stern_Leer() {
    Bild b(10, 10);
    b.Stern(5, 5.2, 4.8, Mix(SCHIEFER_DUNKEL, NACHT, 0.2));
    return b.Fertig();
}

Rastport* Schalter(bool an) {
    Bild b(17, 17);
    b.Platte(0, 0, 17, 17, 3, an ? GOLD : GOLD_DUNKEL, SCHIEFER, SCHIEFER_DUNKEL, 1);
    if (an) {
        b.Linie(4, 9, 7, 12.5, 2.0, HELL);
        b.Linie(7, 12.5, 13, 4.5, 2.0, HELL);
    }
    return b.Fertig();
}

Rastport* Taste(bool an) {
    Bild b(46, 16);
    b.Platte(0, 0, 46, 16, 5, an ? GOLD : GOLD_DUNKEL, an ? AUSWAHL : SCHIEFER, an ? AUSWAHL_DUNKEL : SCHIEFER_DUNKEL, 1);
    // A lamp at the left: lit while on.
    b.Kreis(9, 8, 3.5, an ? Rgb{120, 230, 110} : Mix(SCHIEFER_DUNKEL, NACHT, 0.4));
    return b.Fertig();
}

Rastport* Pm(bool plus) {
    Bild b(16, 16);
    b.Platte(0, 0, 16, 16, 4, GOLD_DUNKEL, SCHIEFER, SCHIEFER_DUNKEL, 1);
    b.Linie(4, 8, 12, 8, 2.0, HELL);
    if (plus) b.Linie(8, 4, 8, 12, 2.0, HELL);
    return b.Fertig();
}

Rastport* Balken() {
    Bild b(44, 12);
    b.Platte(0, 2, 44, 8, 3, GOLD_DUNKEL, NACHT, NACHT_HELL, 1);
    for (int32_t k = 1; k < 4; ++k) b.Rechteck(k * 11, 4, 1, 4, Mix(GOLD_DUNKEL, NACHT, 0.3));
    return b.Fertig();
}

Rastport* Knauf() {
    Bild b(9, 12);
    b.Platte(0, 0, 9, 12, 2, GOLD, Mix(GOLD, HELL, 0.3), GOLD_DUNKEL, 1);
    return b.Fertig();
}

// The entries of "pirak_res.res" (file 6) from erster to letzter.
MusterGruppe Gruppe(int32_t erster, int32_t letzter, const char* name) {
    return Muster_Gruppe(6, erster, letzter, name, Muster_Live_Bild);
}

}  // namespace

Rastport* Muster_Live_Bild(int32_t slave) {
    switch (slave) {
    // A row of the panels' lists, 382 x 16: plain or lit.
    case LIVE_ZEILE:
    case LIVE_ZEILE_AN: return Platten_Zeile(382, 16, slave == LIVE_ZEILE_AN, GOLD, Mix(TAFEL, NACHT, 0.2), Mix(TAFEL, NACHT, 0.5));
    case LIVE_RAUS: return Wechsel_Marke(false);
    case LIVE_REIN: return Wechsel_Marke(true);
    case LIVE_STERN_LEER: return Stern_Leer();
    case LIVE_BALKEN: return Balken();
    case LIVE_KNAUF: return Knauf();
    case LIVE_LISTE: return Liste();
    case LIVE_FELD: return Feld();
    case LIVE_REGLER: return Fenster(246, 160, 18);
    case LIVE_SCHALTER: return Schalter(false);
    case LIVE_SCHALTER_AN: return Schalter(true);
    case LIVE_TASTE: return Taste(false);
    case LIVE_TASTE_AN: return Taste(true);
    case LIVE_MINUS: return Pm(false);
    case LIVE_PLUS: return Pm(true);
    default: return nullptr;
    }
}

std::vector<MusterGruppe> Muster_Live_Gruppen() {
    return {Gruppe(3, 4, "the live panels' rows"), Gruppe(7, 9, "the live panels' marks"),
            Gruppe(16, 17, "the live tactics' slider"), Gruppe(210, 218, "the live panels' windows and switches")};
}

}  // namespace velmora
