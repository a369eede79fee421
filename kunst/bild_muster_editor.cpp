// kunst/bild_muster_editor.cpp - the team editor's pictures.
#include "kunst/bild_muster_editor.h"

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

constexpr int32_t ZEILEN_Y = 116, ZEILE_H = 17, ZEILEN = 20, LISTE_H = ZEILE_H * ZEILEN;

// The main screen: the title band, the two list boards with their striped
// rows and scroll tracks, the bar at the foot. `band` tints the title band.
Rastport* Hintergrund(Rgb band) {
    Bild l(800, 600);
    l.Verlauf(0, 0, 800, 600, NACHT_HELL, NACHT);
    l.Platte(3, 4, 794, 72, 10, GOLD, Mix(band, TAFEL_HELL, 0.5), band, 2);
    l.Rechteck(20, 58, 360, 1, GOLD_DUNKEL);
    for (int32_t x0 : {3, 378}) {
        const int32_t b = x0 == 3 ? 372 : 419;
        l.Platte(x0, 84, b, 478, 8, GOLD_DUNKEL, TAFEL, NACHT_HELL, 1);
        // The heading strip over the rows.
        l.Verlauf(x0 + 4, 101, b - 8, 14, Mix(TAFEL, NACHT, 0.2), Mix(TAFEL, NACHT, 0.55));
        l.Rechteck(x0 + 4, 115, b - 8, 1, GOLD_DUNKEL);
    }
    for (int32_t k = 0; k < ZEILEN; ++k) {
        const Rgb c = k % 2 ? NACHT_HELL : Mix(NACHT_HELL, TAFEL, 0.35);
        l.Rechteck(8, ZEILEN_Y + ZEILE_H * k, EDITOR_TEAMS_B, ZEILE_H - 1, c);
        l.Rechteck(382, ZEILEN_Y + ZEILE_H * k, EDITOR_SPIELER_B, ZEILE_H - 1, c);
    }
    for (int32_t x : {364, 775}) l.Platte(x - 1, ZEILEN_Y - 1, 12, LISTE_H + 2, 4, GOLD_DUNKEL, NACHT, NACHT);
    // The foot: the market buttons' shelf and the bar under the boards.
    l.Rechteck(8, 456, EDITOR_TEAMS_B + 10, 1, GOLD_DUNKEL);
    l.Verlauf(0, 564, 800, 36, Mix(TAFEL, NACHT, 0.4), NACHT);
    l.Rechteck(0, 564, 800, 1, GOLD_DUNKEL);
    return l.Fertig();
}

// A row: selected (gold-edged), lit under the pointer.
Rastport* Zeile(int32_t w, bool gewaehlt) { return Platten_Wahlzeile(w, EDITOR_ZEILE_BILD_H, gewaehlt ? 1 : 2); }

// A button plate: plain, lit under the pointer, or on (the blue of a choice).
Rastport* Knopf(int32_t w, int32_t h, int32_t art) {
    Bild b(w, h);
    const int32_t r = h > 18 ? 5 : 3;
    if (art == 2) b.Platte(0, 0, w, h, r, GOLD, AUSWAHL, AUSWAHL_DUNKEL);
    else if (art == 1) b.Platte(0, 0, w, h, r, GOLD, Mix(TAFEL_HELL, HELL, 0.15), TAFEL);
    else b.Platte(0, 0, w, h, r, GOLD_DUNKEL, TAFEL_HELL, Mix(TAFEL, NACHT, 0.3));
    b.Rechteck(r, 1, w - 2 * r, 1, Mix(art ? GOLD : TAFEL_HELL, HELL, 0.3));
    return b.Fertig();
}

// The type pictures: a small shirt in the type's colour (keeper, defence, midfield, attack).
Rastport* Art(int32_t art) {
    static constexpr Rgb FARBE[4] = {{222, 190, 50}, {70, 130, 210}, {60, 160, 90}, {210, 70, 60}};
    Bild b(14, 14);
    const Rgb c = FARBE[art], dunkel = Mix(FARBE[art], NACHT, 0.45);
    b.Rechteck(3, 2, 8, 11, c);
    b.Rechteck(0, 2, 3, 5, dunkel);
    b.Rechteck(11, 2, 3, 5, dunkel);
    b.Rechteck(5, 2, 4, 2, NACHT);
    b.Rechteck(3, 12, 8, 1, dunkel);
    return b.Fertig();
}

// The scroll knob.
Rastport* Knauf() {
    Bild b(8, 24);
    b.Platte(0, 0, 8, 24, 3, GOLD_DUNKEL, GOLD, Mix(GOLD, GOLD_DUNKEL, 0.6));
    for (int32_t y : {9, 12, 15}) b.Rechteck(2, y, 4, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// The league swap's marks: the waiting row's red, the others' grey ring.
Rastport* Marke(bool wartet) {
    Bild b(10, 10);
    if (wartet) {
        b.Kreis(5, 5, 4.6, Mix(ROT, HELL, 0.2));
        b.Kreis(4, 4, 1.6, Mix(ROT, HELL, 0.6));
    } else {
        b.Ring(5, 5, 4.2, 1.4, GRAU);
    }
    return b.Fertig();
}

// A field being edited: a dark inset with a gold edge.
Rastport* Feld(int32_t w, int32_t h, Rgb rand) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 3, rand, NACHT, Mix(NACHT, NACHT_HELL, 0.5));
    return b.Fertig();
}

// A gold ring with a clear middle: markers and frames.
Rastport* Ring(int32_t w, int32_t h, int32_t r, Rgb c, int32_t dicke) {
    Bild b(w, h);
    b.Rahmen(0, 0, w, h, r, c, dicke);
    return b.Fertig();
}

// A page of the editor: gold-framed, with a slate band of `band` pixels at the top.
Rastport* Seite(int32_t band) {
    Bild b(684, 560);
    b.Platte(0, 0, 684, 560, 10, GOLD, TAFEL, NACHT, 2);
    if (band > 0) {
        b.Verlauf(4, 4, 676, band, Mix(TAFEL_HELL, TAFEL, 0.4), Mix(TAFEL, NACHT, 0.3));
        b.Rechteck(10, 4 + band, 664, 1, GOLD_DUNKEL);
    }
    return b.Fertig();
}

// The club page: the page with its six text fields' plates (the columns'
// frames are their own pictures).
Rastport* Club_Seite() {
    Bild b(684, 560);
    b.Platte(0, 0, 684, 560, 10, GOLD, TAFEL, NACHT, 2);
    for (int32_t k = 0; k < 3; ++k)
        for (int32_t x : {63, 353}) {
            const int32_t y = 160 + 22 * k;
            b.Platte(x - 58, y - 20, EDITOR_SEITENFELD_B, EDITOR_SEITENFELD_H, 3, GOLD_DUNKEL, NACHT,
                     Mix(NACHT, NACHT_HELL, 0.5));
        }
    return b.Fertig();
}

// A column's frame on the club page.
Rastport* Spalte() {
    Bild b(124, 130);
    b.Platte(0, 0, 124, 130, 6, GOLD_DUNKEL, NACHT_HELL, NACHT, 1);
    b.Verlauf(3, 3, 118, 22, Mix(TAFEL_HELL, TAFEL, 0.4), TAFEL);
    b.Rechteck(6, 25, 112, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// A grid's board: the inset with the cells' place and the scroll track at `scroll_x`.
Rastport* Raster_Brett(int32_t h, int32_t scroll_x, int32_t scroll_y, int32_t scroll_h) {
    Bild b(640, h);
    b.Platte(0, 0, 640, h, 6, GOLD_DUNKEL, NACHT, NACHT_HELL, 1);
    b.Platte(scroll_x - 1, scroll_y - 1, 12, scroll_h + 2, 4, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.3), NACHT);
    return b.Fertig();
}

// The board while no grid is open: the inset with a faint pitch drawn in its
// upper 336 rows; the club page shows those, the face picker the whole board.
Rastport* Zu() {
    Bild b(640, 436);
    b.Platte(0, 0, 640, 436, 6, GOLD_DUNKEL, Mix(NACHT, TAFEL, 0.2), NACHT, 1);
    b.Rahmen(0, 0, 640, 336, 6, GOLD_DUNKEL, 1);
    const Rgb linie = Mix(NACHT, TAFEL_HELL, 0.35);
    b.Rahmen(120, 40, 400, 256, 2, linie, 2);
    b.Rechteck(319, 40, 2, 256, linie);
    b.Ring(320, 168, 46, 2, linie);
    b.Rahmen(120, 110, 50, 116, 1, linie, 2);
    b.Rahmen(470, 110, 50, 116, 1, linie, 2);
    return b.Fertig();
}

// A cell of a grid: a slate tile with a lighter top.
Rastport* Zelle(int32_t w, int32_t h, Rgb oben) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 4, GOLD_DUNKEL, oben, Mix(TAFEL, NACHT, 0.5));
    return b.Fertig();
}

// The grid's shade: every other pixel dark along the board's upper and left inner edges.
Rastport* Schatten() {
    Bild b(640, 330);
    for (int32_t y = 4; y < 330 - 4; ++y)
        for (int32_t x = 4 + (y & 1); x < 640 - 4; x += 2)
            if (y < 12 || x < 12) b.Punkt(x, y, Mix(NACHT, SCHWARZ, 0.5));
    return b.Fertig();
}

// The portrait's frame beside a row: gold with a dark middle.
Rastport* Portrait_Rahmen() {
    Bild b(93, 108);
    b.Platte(0, 0, 93, 108, 5, GOLD, TAFEL_HELL, NACHT, 2);
    return b.Fertig();
}

Rastport* Bild_Zu(int32_t slave) {
    switch (slave) {
    case EDITOR_BILD_HINTERGRUND: return Hintergrund(TAFEL);
    case EDITOR_BILD_HINTERGRUND + 1: return Hintergrund(SCHIEFER_DUNKEL);
    case EDITOR_BILD_TEAM_AN: return Zeile(EDITOR_TEAMS_B, true);
    case EDITOR_BILD_SPIELER_AN: return Zeile(EDITOR_SPIELER_B, true);
    case EDITOR_BILD_TEAM_LICHT: return Zeile(EDITOR_TEAMS_B, false);
    case EDITOR_BILD_SPIELER_LICHT: return Zeile(EDITOR_SPIELER_B, false);
    case EDITOR_BILD_MARKT: return Knopf(170, 18, 0);
    case EDITOR_BILD_MARKT_LICHT: return Knopf(170, 18, 1);
    case EDITOR_BILD_MARKT_AN: return Knopf(170, 18, 2);
    case EDITOR_BILD_KNOPF: return Knopf(90, 24, 0);
    case EDITOR_BILD_KNOPF + 1: return Knopf(90, 24, 1);
    case EDITOR_BILD_SORTIEREN: return Knopf(100, 16, 0);
    case EDITOR_BILD_SORTIEREN + 1: return Knopf(100, 16, 1);
    case EDITOR_BILD_KNAUF: return Knauf();
    case EDITOR_BILD_KLEIN: return Knopf(20, 20, 0);
    case EDITOR_BILD_KLEIN + 1: return Knopf(20, 20, 2);
    case EDITOR_BILD_SEITENKNOPF: return Knopf(84, 24, 0);
    case EDITOR_BILD_SEITENKNOPF + 1: return Knopf(84, 24, 1);
    case EDITOR_BILD_MARKE: return Marke(true);
    case EDITOR_BILD_MARKE_ANDERE: return Marke(false);
    case EDITOR_BILD_FELD_NAME: return Feld(90, EDITOR_FELD_H, GOLD);
    case EDITOR_BILD_FELD_INITIAL: return Feld(20, EDITOR_FELD_H, GOLD);
    case EDITOR_BILD_FELD_ZAHL: return Feld(17, EDITOR_FELD_H, GOLD);
    case EDITOR_BILD_FELD_CLUB: return Feld(132, EDITOR_FELD_H, GOLD);
    case EDITOR_BILD_FELD_ART: return Feld(34, EDITOR_FELD_H, GOLD);
    case EDITOR_BILD_FELD_WERT: return Feld(30, EDITOR_FELD_H, GOLD);
    case EDITOR_BILD_PICKER: return Seite(118);
    case EDITOR_BILD_PICKER_RASTER: return Raster_Brett(440, 622, 21, 400);
    case EDITOR_BILD_TEIL: return Knopf(165, 20, 0);
    case EDITOR_BILD_TEIL_AN: return Knopf(165, 20, 2);
    case EDITOR_BILD_ZU: return Zu();
    case EDITOR_BILD_SCHATTEN: return Schatten();
    case EDITOR_BILD_RASTER_RAHMEN: return Ring(640, 440, 6, GOLD, 2);
    case EDITOR_BILD_TEIL_MARKE: return Ring(244, 24, 5, GOLD, 2);
    case EDITOR_BILD_GESICHT_LICHT: return Ring(90, 105, 5, GOLD, 2);
    case EDITOR_BILD_GESICHT_ZELLE: return Zelle(86, 101, TAFEL);
    case EDITOR_BILD_SEITE: return Club_Seite();
    case EDITOR_BILD_SEITE_RASTER: return Raster_Brett(330, 582, 14, 300);
    case EDITOR_BILD_SPALTE: return Spalte();
    case EDITOR_BILD_SPALTE_AN: return Ring(124, 130, 6, GOLD, 2);
    case EDITOR_BILD_ZELLE_LICHT: return Ring(74, 74, 5, GOLD, 2);
    case EDITOR_BILD_TRIKOT_ZELLE: return Zelle(72, 72, TAFEL);
    case EDITOR_BILD_WAPPEN_ZELLE: return Zelle(72, 72, Mix(TAFEL, TAFEL_HELL, 0.5));
    case EDITOR_BILD_SCHRITT: return Knopf(28, 20, 0);
    case EDITOR_BILD_SCHRITT + 1: return Knopf(28, 20, 2);
    case EDITOR_BILD_FELD_LICHT: return Feld(EDITOR_SEITENFELD_B, EDITOR_SEITENFELD_H, GOLD);
    case EDITOR_BILD_PORTRAIT: return Portrait_Rahmen();
    default:
        if (slave >= EDITOR_BILD_ART && slave < EDITOR_BILD_ART + 4) return Art(slave - EDITOR_BILD_ART);
        return nullptr;
    }
}

}  // namespace

Rastport* Muster_Editor_Bild(int32_t slave) { return Bild_Zu(slave); }

std::vector<EditorMusterGruppe> Muster_Editor_Gruppen() {
    static constexpr int32_t BEREICHE[4][2] = {{346, 376}, {388, 393}, {405, 410}, {434, 441}};
    std::vector<EditorMusterGruppe> gruppen;
    for (const auto& b : BEREICHE) {
        gruppen.push_back({b[0], Muster_Eintraege(b[0], b[1], [](int32_t e) { return Bild_Zu(28000 + e); })});
    }
    return gruppen;
}

}  // namespace velmora
