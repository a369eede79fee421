// kunst/bild_muster_aufstellung.cpp - the line-up and tactics screens' pictures.
#include "kunst/bild_muster_aufstellung.h"

#include <algorithm>
#include <cmath>

#include "gfx/bild.h"
#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "kunst/platten_kunst.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

constexpr Rgb LINIE{226, 236, 222};
constexpr int32_t ZEILE_B = 578, ZEILE_H = 17;

// -- The list screen ----------------------------------------------------------

// The window (slave 24041 at 197, 86): a header band for the column titles,
// a caption band over each group and the rows' stripes, in screen rows
// 136 + 17 i (starting eleven), 344 + 17 i (bench) and 467 + 17 i (reserve).
Rastport* Fenster() {
    constexpr int32_t B = 600, H = 440, OX = 197, OY = 86;
    Bild b(B, H);
    b.Platte(0, 0, B, H, 8, GOLD, NACHT_HELL, NACHT, 2);
    b.Verlauf(3, 3, B - 6, 24, TAFEL_HELL, TAFEL);
    b.Rechteck(3, 27, B - 6, 1, GOLD_DUNKEL);
    struct Gruppe {
        int32_t kopf_y, erste_y, zeilen;
    };
    constexpr Gruppe GRUPPEN[3] = {{118, 136, 11}, {326, 344, 6}, {449, 467, 3}};
    for (const Gruppe& g : GRUPPEN) {
        b.Verlauf(6, g.kopf_y - OY, B - 12, 16, Mix(TAFEL, NACHT, 0.3), Mix(TAFEL, NACHT, 0.6));
        b.Rechteck(6, g.kopf_y - OY + 16, B - 12, 1, GOLD_DUNKEL);
        for (int32_t z = 0; z < g.zeilen; ++z) {
            const int32_t y = g.erste_y + ZEILE_H * z - OY;
            b.Rechteck(204 - OX, y, ZEILE_B, ZEILE_H, z % 2 ? Mix(NACHT, NACHT_HELL, 0.55) : Mix(NACHT, NACHT_HELL, 0.2));
        }
    }
    return b.Fertig();
}

Rastport* Flaeche(int32_t w, int32_t h, Rgb oben, Rgb unten) {
    Bild b(w, h);
    b.Verlauf(0, 0, w, h, oben, unten);
    return b.Fertig();
}

// Fitness 0 (fresh) to 4 (worn out), 22 x 12: five bars, fewer and warmer.
Rastport* Fitness(int32_t stufe) {
    constexpr Rgb FARBE[5] = {{86, 200, 96}, {160, 210, 80}, {236, 206, 70}, {240, 140, 56}, {222, 62, 52}};
    Bild b(22, 12);
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t hoehe = 4 + k * 2;
        b.Rechteck(1 + k * 4, 12 - hoehe, 3, hoehe, k < 5 - stufe ? FARBE[stufe] : Mix(SCHIEFER_DUNKEL, NACHT, 0.3));
    }
    return b.Fertig();
}

Rastport* Knopf(int32_t w, int32_t h, bool an) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 7, an ? GOLD : GOLD_DUNKEL, an ? AUSWAHL : SCHIEFER, an ? AUSWAHL_DUNKEL : SCHIEFER_DUNKEL, 2);
    return b.Fertig();
}

// A shirt marker by kind, 29 x 23; lit: 33 x 27 with a gold glow around it.
Rastport* Marker(int32_t art, bool hell) {
    const int32_t rand = hell ? 2 : 0;
    Bild b(29 + 2 * rand, 23 + 2 * rand);
    if (hell) b.Platte(0, 0, 33, 27, 6, GOLD, Mix(GOLD, NACHT, 0.5), Mix(GOLD, NACHT, 0.7), 1);
    Muster_Hemd(b, rand + 2, rand, 25, 23, art);
    return b.Fertig();
}

// A pitch seen from above, its own goal at the bottom: grass in bands, chalk
// lines, the penalty area and the goal. `w` x `h`, lines `inset` from the edge.
void Rasen(Bild& b, int32_t x0, int32_t y0, int32_t w, int32_t h, int32_t baender) {
    for (int32_t k = 0; k < baender; ++k) {
        const int32_t y = y0 + h * k / baender, y1 = y0 + h * (k + 1) / baender;
        b.Rechteck(x0, y, w, y1 - y, k % 2 ? RASEN_DUNKEL : RASEN);
    }
}

void Kreide_Rahmen(Bild& b, double x, double y, double w, double h, double d) {
    b.Linie(x, y, x + w, y, d, LINIE);
    b.Linie(x, y + h, x + w, y + h, d, LINIE);
    b.Linie(x, y, x, y + h, d, LINIE);
    b.Linie(x + w, y, x + w, y + h, d, LINIE);
}

Rastport* Platz(int32_t w, int32_t h, double mass) {
    Bild b(w, h);
    Rasen(b, 0, 0, w, h, 11);
    const double rand = 4 * mass, unten = h - 9 * mass;
    Kreide_Rahmen(b, rand, rand, w - 2 * rand, unten - rand, 1.4);
    // The half-way line runs along the top edge, with half the centre circle.
    const double mitte = w / 2.0;
    for (int32_t k = 0; k <= 40; ++k) {
        const double a0 = 3.14159265 * k / 40, a1 = 3.14159265 * (k + 1) / 40, r = 26 * mass;
        b.Linie(mitte + r * std::cos(a0), rand + r * std::sin(a0), mitte + r * std::cos(a1), rand + r * std::sin(a1), 1.4,
                LINIE);
    }
    const double strafraum_b = 110 * mass, strafraum_h = 46 * mass, torraum_b = 50 * mass, torraum_h = 18 * mass;
    Kreide_Rahmen(b, mitte - strafraum_b / 2, unten - strafraum_h, strafraum_b, strafraum_h, 1.4);
    Kreide_Rahmen(b, mitte - torraum_b / 2, unten - torraum_h, torraum_b, torraum_h, 1.4);
    b.Kreis(mitte, unten - 32 * mass, 1.6 * mass, LINIE);
    // The goal: a net below the goal line.
    const double tor_b = 28 * mass;
    b.Rechteck(int32_t(mitte - tor_b / 2), int32_t(unten + 1), int32_t(tor_b), int32_t(7 * mass), Mix(LINIE, RASEN_DUNKEL, 0.6));
    for (double gx = mitte - tor_b / 2; gx <= mitte + tor_b / 2; gx += 3)
        b.Linie(gx, unten + 1, gx, unten + 7 * mass, 0.6, LINIE);
    Kreide_Rahmen(b, mitte - tor_b / 2, unten, tor_b, 7 * mass, 1.2);
    return b.Fertig();
}

// -- The second line-up screen -------------------------------------------------

// A starter's card, 89 x 33: plain or selected.
Rastport* Karte(bool an) {
    Bild b(89, 33);
    b.Platte(0, 0, 89, 33, 5, an ? GOLD : GOLD_DUNKEL, an ? AUSWAHL : Mix(TAFEL, NACHT, 0.3), an ? AUSWAHL_DUNKEL : NACHT, 1);
    return b.Fertig();
}

// The cards' small stars, 7 x 7: half, full, full turning reduced, reduced full, reduced half.
Rastport* Kleiner_Stern(int32_t nummer) {
    Bild b(7, 7);
    const Rgb gold{250, 206, 64}, leer{58, 76, 100}, abzug{196, 64, 56};
    auto halb = [&](Rgb links, Rgb rechts) {
        for (int32_t x = 0; x < 7; ++x) {
            const Rgb c = x < 4 ? links : rechts;
            const int32_t d = std::abs(x - 3);
            b.Rechteck(x, d / 2 + 1, 1, 6 - d, c);
        }
        b.Rechteck(3, 0, 1, 1, links);
    };
    switch (nummer) {
    case 24090: halb(gold, leer); break;
    case 24091: halb(gold, gold); break;
    case 24092: halb(gold, abzug); break;
    case 24094: halb(abzug, abzug); break;
    default: halb(abzug, leer); break;   // 24096
    }
    return b.Fertig();
}

// A formation choice, 100 x 136: a small pitch on a plate, lit when chosen.
Rastport* Formation_Wahl(bool an) {
    Bild b(100, 136);
    b.Platte(0, 0, 100, 136, 6, an ? GOLD : GOLD_DUNKEL, an ? AUSWAHL : SCHIEFER_DUNKEL, an ? AUSWAHL_DUNKEL : NACHT, 2);
    Rasen(b, 4, 4, 92, 128, 8);
    Kreide_Rahmen(b, 6, 6, 87, 123, 1);
    Kreide_Rahmen(b, 30, 110, 39, 19, 1);
    return b.Fertig();
}

// A miniature's dot, 12 x 10, by kind (goalkeeper, defender, midfielder, forward).
Rastport* Punkt(int32_t art) {
    Bild b(12, 10);
    Muster_Hemd(b, 1, 0, 10, 10, art);
    return b.Fertig();
}

// The second screen's field (slave 24201 at 3, 86): a frame around the large
// pitch whose cells are 90 x 35, columns from x 149, rows up from y 469.
Rastport* Platz_Gross() {
    constexpr int32_t B = 794, H = 428, OX = 3, OY = 86;
    Bild b(B, H);
    b.Platte(0, 0, B, H, 8, GOLD, NACHT_HELL, NACHT, 2);
    Leinwand platz(Platz(654, 398, 2.2));
    const int32_t px = 142 - OX, py = 112 - OY;
    for (int32_t y = 0; y < platz.h; ++y)
        for (int32_t x = 0; x < platz.w; ++x)
            if (platz.px[y * platz.w + x]) b.px[(py + y) * b.w + px + x] = platz.px[y * platz.w + x];
    Rastport_Free(platz.rp);
    return b.Fertig();
}

// -- The tactics screen -------------------------------------------------------

// The window (slave 24173 at 3, 86): the list's band at the top right, the
// three panels of the switches on the left and the four below.
Rastport* Taktik_Fenster() {
    constexpr int32_t B = 794, H = 478, OX = 3, OY = 86;
    Bild b(B, H);
    b.Platte(0, 0, B, H, 8, GOLD, NACHT_HELL, NACHT, 2);
    auto tafel = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
        b.Platte(x - OX, y - OY, w, h, 6, GOLD_DUNKEL, Mix(TAFEL, NACHT, 0.45), Mix(TAFEL, NACHT, 0.75), 1);
    };
    tafel(6, 106, 194, 154);
    tafel(6, 265, 194, 154);
    tafel(6, 424, 194, 124);
    tafel(234, 361, 288, 104);
    tafel(234, 469, 288, 80);
    tafel(524, 361, 270, 80);
    tafel(524, 469, 270, 80);
    b.Verlauf(204 - OX, 94 - OY, 582, 18, TAFEL_HELL, TAFEL);
    b.Rechteck(204 - OX, 112 - OY, 582, 1, GOLD_DUNKEL);
    return b.Fertig();
}

// A first switch, w x h: a lamp that glows when on.
Rastport* Schalter(int32_t w, int32_t h, bool an) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 6, an ? GOLD : GOLD_DUNKEL, an ? SCHIEFER : SCHIEFER_DUNKEL, an ? SCHIEFER_DUNKEL : NACHT, 1);
    const double r = std::min(h, 30) * 0.32;
    b.Kreis(w - r - 10, h / 2.0, r + 1.5, NACHT);
    b.Kreis(w - r - 10, h / 2.0, r, an ? Rgb{96, 214, 110} : Rgb{52, 70, 60});
    if (an) b.Kreis(w - r - 11.5, h / 2.0 - 1.5, r * 0.35, Mix(HELL, Rgb{96, 214, 110}, 0.4));
    return b.Fertig();
}

// A second switch, 60 x 24: a slide with its knob left (off) or right (on).
Rastport* Schieber(bool an, bool gedrueckt) {
    Bild b(60, 24);
    b.Platte(0, 0, 60, 24, 11, GOLD_DUNKEL, an ? Rgb{46, 128, 70} : SCHIEFER_DUNKEL, an ? GRUEN_DUNKEL : NACHT, 1);
    const double x = an ? 47 : 13;
    b.Kreis(x, 12, 9, gedrueckt ? GOLD : HELL);
    b.Kreis(x, 12, 7, gedrueckt ? GOLD_DUNKEL : Mix(HELL, GRAU, 0.4));
    return b.Fertig();
}

// A stepper's display: `stufen` segments, the first `wert` + 1 lit, w x h.
Rastport* Anzeige(int32_t w, int32_t h, int32_t stufen, int32_t wert) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 5, GOLD_DUNKEL, NACHT, Mix(NACHT, NACHT_HELL, 0.5), 1);
    const int32_t innen = w - 12, breite = innen / stufen;
    for (int32_t k = 0; k < stufen; ++k) {
        const Rgb farbe = Mix(Rgb{86, 200, 96}, Rgb{236, 120, 56}, stufen > 1 ? double(k) / (stufen - 1) : 0);
        const int32_t seg_h = 6 + (h - 20) * (k + 1) / stufen;
        b.Rechteck(6 + k * breite + 1, h - 6 - seg_h, breite - 2, seg_h, k <= wert ? farbe : Mix(SCHIEFER_DUNKEL, NACHT, 0.4));
    }
    return b.Fertig();
}

// A stepper button, 20 x 20: an arrow down (left) or up (right).
Rastport* Pfeil_Knopf(bool hoch, bool gedrueckt) {
    Bild b(20, 20);
    b.Platte(0, 0, 20, 20, 5, gedrueckt ? GOLD : GOLD_DUNKEL, gedrueckt ? SCHIEFER_DUNKEL : SCHIEFER, NACHT, 1);
    const Rgb c = gedrueckt ? GOLD : HELL;
    const int32_t d = gedrueckt ? 1 : 0;
    for (int32_t j = 0; j < 6; ++j) {
        const int32_t y = hoch ? 7 + j : 12 - j;
        b.Rechteck(10 - j + d, y + d, 2 * j, 1, c);
    }
    return b.Fertig();
}

// A tactics row, 579 x 16: plain or lit; the line-up's row highlight is the lit one of its own size.
Rastport* Taktik_Zeile(int32_t w, int32_t h, bool an) {
    return Platten_Zeile(w, h, an, GOLD_DUNKEL, Mix(NACHT, NACHT_HELL, 0.5), Mix(NACHT, NACHT_HELL, 0.25));
}

// The four duty markers, 22 x 14: corner (flag), free kick (ball and wall),
// penalty (ball on the spot), captain (armband with C); dim or lit.
Rastport* Aufgabe(int32_t art, bool an) {
    Bild b(22, 14);
    b.Platte(0, 0, 22, 14, 3, an ? GOLD : GOLD_DUNKEL, an ? Mix(GOLD, NACHT, 0.35) : NACHT_HELL, an ? Mix(GOLD, NACHT, 0.6) : NACHT, 1);
    const Rgb c = an ? HELL : Mix(GRAU, NACHT, 0.4);
    switch (art) {
    case 0:   // corner flag
        b.Linie(7, 3, 7, 11, 1, c);
        b.Rechteck(8, 3, 6, 4, an ? ROT : c);
        break;
    case 1:   // free kick: a wall of three and the ball
        for (int32_t k = 0; k < 3; ++k) b.Rechteck(5 + 3 * k, 4, 2, 7, c);
        b.Kreis(16, 9, 2, c);
        break;
    case 2:   // penalty: the spot and the ball
        b.Kreis(11, 7, 3, c);
        b.Rechteck(9, 11, 4, 1, c);
        break;
    default:   // captain's armband
        b.Rechteck(5, 4, 12, 7, c);
        b.Rechteck(8, 6, 2, 3, NACHT);
        b.Rechteck(10, 6, 3, 1, NACHT);
        b.Rechteck(10, 8, 3, 1, NACHT);
        break;
    }
    return b.Fertig();
}

Rastport* Bild_Zu(int32_t slave) {
    switch (slave) {
    case 24040: return Flaeche(ZEILE_B, ZEILE_H, NACHT, NACHT);
    case AUFSTELLUNG_FENSTER: return Fenster();
    case AUFSTELLUNG_KNOPF: return Knopf(150, 34, false);
    case AUFSTELLUNG_KNOPF_AN: return Knopf(150, 34, true);
    case 24049: return Taktik_Zeile(ZEILE_B, ZEILE_H, true);
    case AUFSTELLUNG_PLATZ: return Platz(AUFSTELLUNG_PLATZ_B, AUFSTELLUNG_PLATZ_H, 1.0);
    case 24173: return Taktik_Fenster();
    case 24077: return Karte(false);
    case 24078: return Karte(true);
    case 24093: return Formation_Wahl(false);
    case 24095: return Formation_Wahl(true);
    case 24098: return Punkt(2);
    case 24099: return Punkt(1);
    case 24100: return Punkt(3);
    case 24101: return Punkt(0);
    case 24090: case 24091: case 24092: case 24094: case 24096: return Kleiner_Stern(slave);
    case AUFSTELLUNG_PLATZ_GROSS: return Platz_Gross();
    case 24179: return Taktik_Zeile(579, 16, false);
    case 24180: return Taktik_Zeile(579, 16, true);
    case 24181: return Flaeche(579, 16, NACHT, NACHT);
    default: break;
    }
    // Fitness 56 / 2 = 0 .. 4 shows 24043, 24044, 24045, 24042, 24046.
    constexpr int32_t FITNESS[5] = {3, 0, 1, 2, 4};
    if (slave >= 24042 && slave <= 24046) return Fitness(FITNESS[slave - 24042]);
    // Markers 24054-24057 (lit 24062-24065): midfielder, defender, forward, goalkeeper.
    constexpr int32_t ART[4] = {2, 1, 3, 0};
    if (slave >= 24054 && slave <= 24057) return Marker(ART[slave - 24054], false);
    if (slave >= 24062 && slave <= 24065) return Marker(ART[slave - 24062], true);
    // The tactics switches: t0 (24114 on, 24115 off), t1 (24119 on, 24120 off), t3 (24138 off, 24139 on).
    if (slave == 24114 || slave == 24115) return Schalter(188, 88, slave == 24114);
    if (slave == 24119 || slave == 24120) return Schalter(188, 88, slave == 24119);
    if (slave == 24138 || slave == 24139) return Schalter(276, 48, slave == 24139);
    // The second switches: off, on, pressed; 2518 off, on, and its lamp by t3.
    if (slave >= 24116 && slave <= 24118) return Schieber(slave == 24117, slave == 24118);
    if (slave >= 24121 && slave <= 24123) return Schieber(slave == 24122, slave == 24123);
    if (slave >= 24140 && slave <= 24143) return Schieber(slave == 24141 || slave == 24142, slave == 24142);
    // The stepper displays: t2 10 steps, t4 5, t5 7, t6 5.
    if (slave >= 24124 && slave <= 24133) return Anzeige(188, 84, 10, slave - 24124);
    if (slave >= 24144 && slave <= 24148) return Anzeige(276, 44, 5, slave - 24144);
    if (slave >= 24153 && slave <= 24159) return Anzeige(258, 44, 7, slave - 24153);
    if (slave >= 24164 && slave <= 24168) return Anzeige(258, 44, 5, slave - 24164);
    // Stepper buttons in pairs: down, down pressed, up, up pressed.
    for (int32_t erster : {24134, 24149, 24160, 24169})
        if (slave >= erster && slave < erster + 4) return Pfeil_Knopf(slave >= erster + 2, (slave - erster) % 2 == 1);
    // Duty markers per column: (24183, 24188), (24184, 24189), (24182, 24187), (24185, 24190).
    constexpr int32_t AUS[4] = {24183, 24184, 24182, 24185};
    for (int32_t k = 0; k < 4; ++k) {
        if (slave == AUS[k]) return Aufgabe(k, false);
        if (slave == AUS[k] + 5) return Aufgabe(k, true);
    }
    return nullptr;
}

// The entries of "pirak_res.res" (file 6) from erster to letzter.
MusterGruppe Gruppe(int32_t erster, int32_t letzter, const char* name) { return Muster_Gruppe(6, erster, letzter, name, Bild_Zu); }

}  // namespace

Rastport* Muster_Aufstellung_Bild(int32_t slave) { return Bild_Zu(slave); }

std::vector<MusterGruppe> Muster_Aufstellung_Gruppen() {
    return {Gruppe(40, 65, "the line-up screen"), Gruppe(77, 78, "the second line-up screen's cards"),
            Gruppe(90, 101, "the second line-up screen's stars and miniatures"),
            Gruppe(114, 173, "the tactics screen's switches"), Gruppe(179, 190, "the tactics screen's rows"),
            Gruppe(200, 201, "the line-up pitches")};
}

}  // namespace velmora
