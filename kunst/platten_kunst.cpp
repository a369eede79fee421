// kunst/platten_kunst.cpp
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

}  // namespace

Rastport* Platten_Zeile(int32_t w, int32_t h, bool an, Rgb rand, Rgb oben, Rgb unten) {
    Leinwand b(w, h);
    if (an) {
        b.Verlauf(0, 0, w, h, AUSWAHL, AUSWAHL_DUNKEL);
        b.Rahmen(0, 0, w, h, 0, rand, 1);
    } else {
        b.Verlauf(0, 0, w, h, oben, unten);
    }
    return b.Fertig();
}

Rastport* Platten_Wahlzeile(int32_t w, int32_t h, int32_t art) {
    Leinwand b(w, h);
    if (art == 0) {
        b.Verlauf(0, 0, w, h, Mix(NACHT_HELL, TAFEL, 0.2), Mix(NACHT, NACHT_HELL, 0.5));
        b.Rechteck(0, h - 1, w, 1, Mix(NACHT, GOLD_DUNKEL, 0.25));
    } else if (art == 1) {
        b.Platte(0, 0, w, h, 3, GOLD, AUSWAHL, AUSWAHL_DUNKEL);
    } else {
        b.Verlauf(0, 0, w, h, Mix(TAFEL_HELL, AUSWAHL, 0.4), TAFEL);
        b.Rechteck(0, h - 1, w, 1, GOLD_DUNKEL);
    }
    return b.Fertig();
}

Rastport* Platten_Knopf(int32_t w, int32_t h, bool gedrueckt, Rgb grund) {
    Leinwand b(w, h);
    b.Platte(0, 0, w, h, 7, gedrueckt ? GOLD_DUNKEL : GOLD, gedrueckt ? Mix(grund, NACHT, 0.4) : grund,
             gedrueckt ? NACHT : Mix(grund, NACHT, 0.45), 2);
    b.Rechteck(6, 3, w - 12, 1, Mix(grund, HELL, gedrueckt ? 0.1 : 0.35));
    return b.Fertig();
}

Rastport* Platten_Knopf_Verlauf(int32_t w, int32_t h, Rgb oben, Rgb unten, bool gedrueckt) {
    Leinwand b(w, h);
    b.Platte(0, 0, w, h, 7, gedrueckt ? GOLD_DUNKEL : GOLD, gedrueckt ? Mix(unten, NACHT, 0.3) : oben,
             gedrueckt ? Mix(oben, NACHT, 0.4) : unten, 2);
    if (!gedrueckt) b.Rechteck(6, 3, w - 12, 1, Mix(oben, HELL, 0.35));
    return b.Fertig();
}

}  // namespace velmora
