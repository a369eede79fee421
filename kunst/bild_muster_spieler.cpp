// kunst/bild_muster_spieler.cpp - the player windows' pictures.
#include "kunst/bild_muster_spieler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "gfx/bild.h"
#include "gfx/bild_leinwand.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "kunst/bild_muster.h"

namespace velmora {
namespace {

using namespace palette;
using Bild = Leinwand;

uint16_t P(Rgb c) { return Leinwand_Pixel(c); }
Rgb Mix(Rgb a, Rgb b, double t) { return Leinwand_Mix(a, b, t); }

constexpr double PI = 3.14159265358979;

// The talents by family: each family has its colours; the badge carries a
// short sign of the talent (the first letters of its name in the demo world).
enum Familie : uint8_t { ANGRIFF, TECHNIK, ABWEHR, KOERPER, KOPF, NEGATIV, TORWART, STERNE };
struct Farbsatz {
    Rgb hell, dunkel, rand, zeichen;
};
constexpr Farbsatz FAMILIE[8] = {
    {{232, 96, 72}, {128, 28, 24}, GOLD, HELL},            // attack: red
    {{96, 160, 236}, {26, 62, 132}, GOLD, HELL},           // technique: blue
    {{92, 196, 116}, {22, 92, 48}, GOLD, HELL},            // defence: green
    {{244, 170, 70}, {150, 76, 16}, GOLD, HELL},           // body: amber
    {{178, 128, 226}, {76, 38, 124}, GOLD, HELL},          // mind: violet
    {{118, 44, 44}, {48, 14, 18}, {96, 66, 60}, {244, 176, 168}},   // negative: dark red, dull rim
    {{80, 200, 200}, {16, 90, 100}, GOLD, HELL},           // goalkeeper: teal
    {{70, 110, 190}, {20, 36, 86}, GOLD, {255, 214, 90}},  // the strength stars
};
struct TalentDesign {
    const char* zeichen;
    Familie familie;
};
constexpr TalentDesign TALENT[TALENT_BILD_IDS] = {
    {"KB", ANGRIFF}, {"SK", ANGRIFF},  {"WS", ANGRIFF},  {"DR", TECHNIK}, {"PG", TECHNIK}, {"FL", TECHNIK},
    {"FS", ANGRIFF}, {"EL", ANGRIFF},  {"EC", TECHNIK},  {"ZK", ABWEHR},  {"LW", KOERPER}, {"SP", KOERPER},
    {"AU", KOERPER}, {"KA", KOERPER},  {"SM", TECHNIK},  {"TJ", ANGRIFF}, {"AB", ANGRIFF}, {"BS", TECHNIK},
    {"BE", ABWEHR},  {"GR", ABWEHR},   {"RP", KOPF},     {"F\xdc", KOPF}, {"LS", KOPF},    {"TG", KOPF},
    {"PL", KOPF},    {"NS", KOPF},     {"KS", KOERPER},  {"DP", TECHNIK}, {"LF", TECHNIK}, {"RF", TECHNIK},
    {"SH", KOERPER}, {"KU", ANGRIFF},  {"SF", ABWEHR},   {"RD", KOPF},    {"MD", ABWEHR},  {"LI", ABWEHR},
    {"FR", ANGRIFF}, {"HT", TECHNIK},  {"TM", KOERPER},  {"WK", KOPF},    {"TF", NEGATIV}, {"HK", NEGATIV},
    {"VA", NEGATIV}, {"LA", NEGATIV},  {"PA", NEGATIV},  {"EG", NEGATIV}, {"SW", NEGATIV}, {"RE", TORWART},
    {"SB", TORWART}, {"ET", TORWART},  {"FA", TORWART},  {"WA", TORWART}, {"MT", TORWART}, {"", STERNE},
};

// The game's font n when the set is loaded, else none (the picture then goes without letters).
Font* Schrift(int32_t n) { return n < Font_Set_Anzahl() ? Font_Get(n) : nullptr; }

// Text centred on (cx, cy) by the ink of capital letters, with a dark shadow when asked.
void Text_Mittig(Bild& b, int32_t font, const char* text, double cx, double cy, Rgb farbe, bool schatten) {
    Font* f = Schrift(font);
    if (!f || !b.rp || !text || !text[0]) return;
    int32_t oben = 0;
    const int32_t hoehe = Glyph_Ink_Extent(f, 'H', &oben) - 6;
    const int32_t erste = oben + 2, letzte = erste + std::max(hoehe, 0);
    const int32_t x = int32_t(std::lround(cx - Text_Width(f, text) / 2.0));
    const int32_t y = int32_t(std::lround(cy - (erste + letzte) / 2.0)) + f->baseline;
    if (schatten) Text_Printf(b.rp, f, "^c%05d%s", x + 1, y + 1, int32_t(P(Mix(NACHT, SCHWARZ, 0.5))), text);
    Text_Printf(b.rp, f, "^c%05d%s", x, y, int32_t(P(farbe)), text);
}

void Text_Links(Bild& b, int32_t font, const char* text, int32_t x, int32_t y, Rgb farbe) {
    if (Font* f = Schrift(font); f && b.rp) Text_Printf(b.rp, f, "^c%05d%s", x, y, int32_t(P(farbe)), text);
}

// The share of pixel (i, j) inside the disc around (cx, cy), sampled 4 x 4.
double Scheibe(int32_t i, int32_t j, double cx, double cy, double r) {
    int32_t n = 0;
    for (int32_t a = 0; a < 4; ++a)
        for (int32_t c = 0; c < 4; ++c) n += std::hypot(i + (a + 0.5) / 4 - cx, j + (c + 0.5) / 4 - cy) <= r;
    return n / 16.0;
}

void Scheibe_Malen(Bild& b, double cx, double cy, double r, Rgb farbe) {
    for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
        for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i) b.Decken(i, j, farbe, Scheibe(i, j, cx, cy, r));
}

// A five-pointed star: the share of the pixel inside it, sampled 4 x 4.
bool Im_Stern(double x, double y, double cx, double cy, double r) {
    const double dx = x - cx, dy = y - cy, d = std::hypot(dx, dy);
    if (d > r) return false;
    double a = std::atan2(dy, dx) + PI / 2;
    a = std::fmod(a + 2 * PI, 2 * PI / 5) - PI / 5;   // within one point, -36..36 degrees
    const double innen = r * 0.45;
    // The edge of the point between its tip (angle 0, radius r) and the valley (36 degrees, innen).
    const double t = std::fabs(a) / (PI / 5);
    return d <= r * (1 - t) + innen * t - (1 - t) * t * r * 0.15;
}

void Stern_Malen(Bild& b, double cx, double cy, double r, Rgb farbe, double von_x = -1e9, double bis_x = 1e9) {
    for (int32_t j = int32_t(cy - r) - 1; j <= int32_t(cy + r) + 1; ++j)
        for (int32_t i = int32_t(cx - r) - 1; i <= int32_t(cx + r) + 1; ++i) {
            int32_t n = 0;
            for (int32_t a = 0; a < 4; ++a)
                for (int32_t c = 0; c < 4; ++c) {
                    const double x = i + (a + 0.5) / 4, y = j + (c + 0.5) / 4;
                    n += x >= von_x && x < bis_x && Im_Stern(x, y, cx, cy, r);
                }
            b.Decken(i, j, farbe, n / 16.0);
        }
}

// A talent badge of diameter d at (x, y): a medallion with its family's
// colours under a rim, lit from the top left, the talent's sign in the middle.
void Abzeichen(Bild& b, int32_t x, int32_t y, int32_t d, int32_t id) {
    const TalentDesign& t = TALENT[std::clamp(id, 0, TALENT_BILD_IDS - 1)];
    const Farbsatz& f = FAMILIE[t.familie];
    const double r = d / 2.0, cx = x + r, cy = y + r;
    const double rand = std::max(1.0, d / 13.0);
    for (int32_t j = y; j < y + d; ++j)
        for (int32_t i = x; i < x + d; ++i) {
            const double a = Scheibe(i, j, cx, cy, r - 0.25);
            if (a <= 0) continue;
            const double dx = (i + 0.5 - cx) / r, dy = (j + 0.5 - cy) / r, dist = std::hypot(dx, dy);
            Rgb c;
            if (dist * r > r - rand) {
                c = Mix(Mix(f.rand, HELL, 0.35), Mix(f.rand, NACHT, 0.45), (dy + 1) / 2);
            } else {
                c = Mix(f.hell, f.dunkel, std::clamp((dx + dy) / 2.4 + 0.5, 0.0, 1.0));
                // A soft sheen on the upper half.
                const double glanz = std::hypot(dx * 1.1, (dy + 0.45) * 1.8);
                if (glanz < 0.75) c = Mix(c, HELL, 0.18 * (1 - glanz / 0.75));
            }
            b.Decken(i, j, c, a);
        }
    if (t.familie == STERNE) {
        Stern_Malen(b, cx, cy + d * 0.02, r * 0.62, f.zeichen);
        return;
    }
    const int32_t font = d <= 24 ? 5 : d <= 32 ? 8 : d <= 46 ? 6 : d <= 60 ? 3 : d <= 70 ? 2 : 4;
    Text_Mittig(b, font, t.zeichen, cx, cy, f.zeichen, d >= 22);
    if (t.familie == NEGATIV && d >= 30) {
        // A small minus under the sign marks the weakness.
        const int32_t bw = std::max(4, d / 6);
        b.Rechteck(int32_t(cx) - bw / 2, int32_t(cy + r * 0.52), bw, std::max(1, d / 22), f.zeichen);
    }
}

// The whole canvas in grey, darkened toward the night board.
void Grau_Machen(Bild& b) {
    for (int32_t j = 0; j < b.h; ++j)
        for (int32_t i = 0; i < b.w; ++i) {
            if (!b.px[j * b.w + i]) continue;
            const Rgb c = b.Lesen(i, j);
            const int32_t l = (c.r * 30 + c.g * 59 + c.b * 11) / 100;
            b.Punkt(i, j, Mix(Rgb{l, l, l}, NACHT, 0.55));
        }
}

Rastport* Talent_Bild(int32_t id, int32_t d, bool grau) {
    Bild b(d, d);
    Abzeichen(b, 0, 0, d, id);
    if (grau) Grau_Machen(b);
    return b.Fertig();
}

// The big picture beside a hovered cell: the badge on a framed card with rays.
Rastport* Talent_Gross(int32_t id) {
    constexpr int32_t G = TALENT_GROSS;
    Bild b(G, G);
    const Farbsatz& f = FAMILIE[TALENT[id].familie];
    b.Platte(0, 0, G, G, 10, GOLD, Mix(f.dunkel, NACHT, 0.35), NACHT, 2);
    for (int32_t j = 2; j < G - 2; ++j)
        for (int32_t i = 2; i < G - 2; ++i) {
            const double a = std::atan2(j - G / 2.0, i - G / 2.0);
            if (std::fmod(a + 2 * PI, PI / 6) < PI / 18) b.Decken(i, j, f.hell, 0.10);
        }
    Abzeichen(b, 9, 9, G - 18, id);
    return b.Fertig();
}

// The small shirt of a player kind (0 goalkeeper ... 3 forward) in w x h.
constexpr Rgb ART_FARBE[4] = {{230, 196, 60}, {70, 150, 230}, {90, 190, 110}, {226, 84, 70}};

void Hemd(Bild& b, int32_t x, int32_t y, int32_t w, int32_t h, Rgb farbe) {
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) {
            const double u = (i + 0.5) / w, v = (j + 0.5) / h;
            const bool aermel = v < 0.42 && (u < 0.22 || u > 0.78) && v > (u < 0.5 ? 0.30 - u : u - 0.70) * 0.9;
            const bool rumpf = u >= 0.2 && u <= 0.8 && v >= 0.06;
            const bool kragen = v < 0.2 && std::fabs(u - 0.5) < 0.12 - v * 0.3;
            if (!(aermel || rumpf) || kragen) continue;
            const bool kante = !(i > 0 && j > 0 && i < w - 1 && j < h - 1);
            b.Punkt(x + i, y + j, kante ? Mix(farbe, NACHT, 0.5) : Mix(Mix(farbe, HELL, 0.25), farbe, v));
        }
}

// Stars 14 x 14, 15 pixels apart: full, half, empty slot (selected, other),
// and the stars a deduction takes (reduced half, reduced full, half and half).
Rastport* Stern_Bild(int32_t nummer) {
    Bild b(14, 14);
    const Rgb gold{250, 206, 64}, leer{58, 76, 100}, leer_hell{96, 122, 152}, abzug{196, 64, 56};
    const double c = 7, r = 6.9;
    switch (nummer) {
    case 8324: Stern_Malen(b, c, c, r, gold); break;
    case 8325: Stern_Malen(b, c, c, r, leer); Stern_Malen(b, c, c, r, gold, -1e9, c); break;
    case 8326: Stern_Malen(b, c, c, r, leer_hell); break;
    case 8327: Stern_Malen(b, c, c, r, leer); break;
    case 8328: Stern_Malen(b, c, c, r, leer); Stern_Malen(b, c, c, r, abzug, -1e9, c); break;
    case 8329: Stern_Malen(b, c, c, r, abzug); break;
    default: Stern_Malen(b, c, c, r, abzug); Stern_Malen(b, c, c, r, gold, -1e9, c); break;   // 8330
    }
    return b.Fertig();
}

// The strain gauge of the card: five bars, fewer and warmer the more strained.
Rastport* Belastung_Bild(int32_t stufe) {
    constexpr Rgb STUFE[5] = {{86, 200, 96}, {160, 210, 80}, {236, 206, 70}, {240, 140, 56}, {222, 62, 52}};
    Bild b(36, 22);
    b.Platte(0, 0, 36, 22, 4, GOLD_DUNKEL, NACHT_HELL, NACHT);
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t hoehe = 6 + k * 2;
        const bool an = k < 5 - stufe;
        b.Rechteck(4 + k * 6, 18 - hoehe, 4, hoehe, an ? STUFE[stufe] : Mix(SCHIEFER_DUNKEL, NACHT, 0.3));
    }
    return b.Fertig();
}

// The marks of an unavailable player, 16 x 16: injury and the three suspensions.
Rastport* Status_Bild(int32_t eintrag) {
    Bild b(16, 16);
    const Rgb gelb{246, 210, 40}, rot{214, 40, 40};
    auto karte = [&](int32_t x, int32_t y, Rgb c) {
        b.Rechteck(x, y, 8, 11, Mix(c, NACHT, 0.45));
        b.Rechteck(x + 1, y + 1, 6, 9, c);
    };
    switch (eintrag) {
    case 10: karte(2, 1, gelb); karte(6, 4, gelb); break;   // bookings summed up
    case 11: karte(4, 2, rot); break;                       // red card
    case 12: karte(2, 1, gelb); karte(6, 4, rot); break;    // second booking
    default:                                                // injury: a red cross on white
        Scheibe_Malen(b, 8, 8, 7.6, Mix(rot, NACHT, 0.3));
        Scheibe_Malen(b, 8, 8, 6.6, HELL);
        b.Rechteck(6, 3, 4, 10, rot);
        b.Rechteck(3, 6, 10, 4, rot);
        break;
    }
    return b.Fertig();
}

// Arrow and small buttons: w x h plates with a pictogram.
enum Zeichen { PFEIL_LINKS, PFEIL_RECHTS, KREUZ, STERN };

void Pfeil(Bild& b, int32_t cx, int32_t cy, int32_t groesse, bool rechts, Rgb c) {
    for (int32_t j = -groesse; j <= groesse; ++j) {
        const int32_t breite = groesse - std::abs(j);
        for (int32_t i = 0; i <= breite; ++i) b.Punkt(rechts ? cx - groesse / 2 + i : cx + groesse / 2 - i, cy + j, c);
    }
}

Rastport* Knopf_Bild(int32_t w, int32_t h, Zeichen z, bool gedrueckt, bool aus) {
    Bild b(w, h);
    const Rgb oben = aus ? Mix(SCHIEFER_DUNKEL, NACHT, 0.4) : gedrueckt ? SCHIEFER_DUNKEL : SCHIEFER;
    const Rgb unten = aus ? NACHT : gedrueckt ? Mix(SCHIEFER_DUNKEL, NACHT, 0.4) : SCHIEFER_DUNKEL;
    b.Platte(0, 0, w, h, std::min(6, w / 3), aus ? GOLD_DUNKEL : GOLD, oben, unten, 1);
    const Rgb c = aus ? Mix(GRAU, NACHT, 0.5) : gedrueckt ? GOLD : HELL;
    const int32_t cx = w / 2 + (gedrueckt ? 1 : 0), cy = h / 2 + (gedrueckt ? 1 : 0);
    switch (z) {
    case PFEIL_LINKS: Pfeil(b, cx, cy, std::min(w, h) / 4, false, c); break;
    case PFEIL_RECHTS: Pfeil(b, cx, cy, std::min(w, h) / 4, true, c); break;
    case KREUZ:
        for (int32_t k = -3; k <= 3; ++k) {
            b.Rechteck(cx + k - 1, cy + k, 2, 1, c);
            b.Rechteck(cx - k - 1, cy + k, 2, 1, c);
        }
        break;
    case STERN: Stern_Malen(b, cx, cy, std::min(w, h) * 0.32, gedrueckt ? HELL : Rgb{250, 206, 64}); break;
    }
    return b.Fertig();
}

// A text button of the card (the close button).
Rastport* Text_Knopf(int32_t w, int32_t h, const char* text, bool gedrueckt) {
    Bild b(w, h);
    b.Platte(0, 0, w, h, 7, gedrueckt ? GOLD_DUNKEL : GOLD, gedrueckt ? SCHIEFER_DUNKEL : SCHIEFER,
             gedrueckt ? NACHT : SCHIEFER_DUNKEL, 2);
    Text_Mittig(b, 8, text, w / 2.0 + (gedrueckt ? 1 : 0), h / 2.0 + (gedrueckt ? 1 : 0), HELL, true);
    return b.Fertig();
}

// -- The player card (slave 28000 at 32, 101 on the screen) ------------------

constexpr int32_t KARTE_X = 32, KARTE_Y = 101, KARTE_B = 736, KARTE_H = 360;

void Einlage(Bild& b, int32_t x, int32_t y, int32_t w, int32_t h) {
    b.Platte(x, y, w, h, 5, Mix(GOLD_DUNKEL, NACHT, 0.35), NACHT, Mix(NACHT, NACHT_HELL, 0.5));
}

Rastport* Karte() {
    Bild b(KARTE_B, KARTE_H);
    b.Platte(0, 0, KARTE_B, KARTE_H, 12, GOLD, TAFEL, NACHT, 2);
    // The head band (name, club, crest, stars) and the gold rule under it.
    b.Platte(0, 0, KARTE_B, 132, 12, GOLD, TAFEL_HELL, TAFEL, 2, true);
    b.Rechteck(2, 130, KARTE_B - 4, 2, GOLD_DUNKEL);
    // The portrait's socket (portrait at 117, 103).
    b.Platte(117 - KARTE_X - 4, 1, 93, 106, 4, GOLD_DUNKEL, NACHT, NACHT_HELL, 2);
    // The crest's socket (crest at 541, 160) and the values beside it.
    b.Platte(541 - KARTE_X - 6, 160 - KARTE_Y - 6, 78, 78, 8, GOLD_DUNKEL, NACHT_HELL, NACHT, 1);
    // The talent strip and the band of the lines under it.
    Einlage(b, 36 - KARTE_X, 309 - KARTE_Y, 486, 58);
    Einlage(b, 36 - KARTE_X, 368 - KARTE_Y, 400, 37);
    Einlage(b, 442 - KARTE_X, 368 - KARTE_Y, 320, 22);
    // The weaknesses' sockets (8000 + talent at 515 + 80 i, 264).
    for (int32_t i = 0; i < 3; ++i) b.Ring(515 + 80 * i - KARTE_X + 22, 264 - KARTE_Y + 22, 24, 1.5, GOLD_DUNKEL);
    // The foot: statistics on the left, money on the right.
    b.Rechteck(130, 307, 1, 45, GOLD_DUNKEL);
    b.Rechteck(478, 313, 1, 40, GOLD_DUNKEL);
    return b.Fertig();
}

// The strip behind more than ten small talent pictures (28001 at 36, 313).
Rastport* Talent_Leiste() {
    Bild b(484, 48);
    b.Platte(0, 0, 484, 48, 6, GOLD_DUNKEL, SCHIEFER_DUNKEL, NACHT, 1);
    for (int32_t i = 0; i < 18; ++i) b.Ring(9 + 26 * i + 11, 17 + 11, 12.5, 1, Mix(GOLD_DUNKEL, NACHT, 0.3));
    return b.Fertig();
}

// The glow behind an active talent of the card (28018, 54 x 54).
Rastport* Aktiv_Schein() {
    Bild b(54, 54);
    for (int32_t j = 0; j < 54; ++j)
        for (int32_t i = 0; i < 54; ++i) {
            const double d = std::hypot(i + 0.5 - 27, j + 0.5 - 27);
            if (d <= 26.5) b.Decken(i, j, Mix(Rgb{250, 214, 96}, GOLD_DUNKEL, d / 27), std::min(1.0, (27 - d) / 8));
        }
    return b.Fertig();
}

// -- The talents map (28051 field players, 28052 goalkeepers, 800 x 565) -----

void Karten_Grund(Bild& b) {
    for (int32_t y = 0; y < 565; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            Rgb c = Mix(NACHT_HELL, NACHT, y / 565.0);
            if ((x % 40 == 0 || y % 40 == 0) && y > 48) c = Mix(c, TAFEL_HELL, 0.22);
            b.Punkt(x, y, c);
        }
    b.Verlauf(0, 0, 800, 46, TAFEL_HELL, TAFEL);
    b.Rechteck(0, 46, 800, 2, GOLD);
    b.Rechteck(0, 48, 800, 1, GOLD_DUNKEL);
}

void Band(Bild& b, int32_t y, int32_t h, const char* titel, int32_t tx, int32_t ty) {
    b.Platte(0, y, 800, h, 0, Mix(GOLD_DUNKEL, NACHT, 0.4), Mix(TAFEL, NACHT, 0.35), Mix(TAFEL, NACHT, 0.7));
    Text_Links(b, 8, titel, tx, ty, GOLD);
}

Rastport* Karte_Feld() {
    Bild b(800, 565);
    Karten_Grund(b);
    // Each band carries its heading above its row: the basic talents fill the
    // map's width, the space under their band takes a hovered talent's picture.
    Band(b, 50, 70, "Grundtalente", 8, 64);
    Band(b, 242, 78, "Aufbautalente", 8, 256);
    Text_Links(b, 8, "Meistertalente", 8, 424, GOLD);
    Text_Links(b, 8, "Ausnahme", 30, 490, GOLD);
    for (int32_t id = 0; id <= 39; ++id) {
        int32_t x = 0, y = 0, g = 0;
        Talent_Zelle(id, &x, &y, &g);
        Abzeichen(b, x, y, g, id);
    }
    return b.Fertig();
}

Rastport* Karte_Torwart() {
    Bild b(800, 565);
    Karten_Grund(b);
    Band(b, 222, 96, "Torwarttalente", 8, 214);
    for (int32_t id = 47; id <= 52; ++id) {
        int32_t x = 0, y = 0;
        Talent_Torwart_Bild_Position(id, &x, &y);
        Abzeichen(b, x, y, TALENT_ZELLE_GROSS, id);
    }
    return b.Fertig();
}

// The info panel under the map (28053 at 114, 460).
Rastport* Info_Tafel() {
    Bild b(676, 105);
    b.Platte(0, 0, 676, 105, 10, GOLD, TAFEL, NACHT, 2);
    Einlage(b, 8, 4, 116, 98);
    return b.Fertig();
}

// A socket of the map (28054 small, 28055 large): a faint frame, open inside.
Rastport* Zelle(int32_t g) {
    Bild b(g, g);
    b.Platte(0, 0, g, g, g / 5, Mix(GOLD_DUNKEL, NACHT, 0.3), SCHWARZ, SCHWARZ, 1);
    for (int32_t j = 1; j < g - 1; ++j)
        for (int32_t i = 1; i < g - 1; ++i) b.px[j * g + i] = 0;
    return b.Fertig();
}

// The gold frame around a learnt talent (28105 small, 28104 large), 4 pixels wider.
Rastport* Rahmen(int32_t g) {
    const int32_t w = g + 4;
    Bild b(w, w);
    const double c = w / 2.0;
    for (int32_t j = 0; j < w; ++j)
        for (int32_t i = 0; i < w; ++i) {
            const double d = std::hypot(i + 0.5 - c, j + 0.5 - c);
            const double a = std::clamp(1.0 - std::fabs(d - (c - 1.6)) / 1.6, 0.0, 1.0);
            if (a > 0) b.Decken(i, j, Mix(Rgb{255, 226, 120}, GOLD, (j + 0.5) / w), a);
        }
    return b.Fertig();
}

// -- The talent list window and the panels (28298-28320) ---------------------

constexpr int32_t FENSTER_B = 246, ZEILE_B = 240, ZEILE_H = 18;

Rastport* Kopf() {
    Bild b(FENSTER_B, 46);
    b.Platte(0, 0, FENSTER_B, 46, 8, GOLD, TAFEL_HELL, TAFEL, 2, true);
    b.Rechteck(2, 44, FENSTER_B - 4, 2, GOLD_DUNKEL);
    b.Rechteck(26, 24, 110, 1, Mix(TAFEL_HELL, NACHT, 0.4));
    return b.Fertig();
}

// A row: `hell` lit; `form` 0 plain, 1 the last of a column (rounded foot),
// 2 the first of a second column (rounded top).
Rastport* Zeile(bool hell, int32_t form) {
    const int32_t w = form == 1 ? ZEILE_B + 2 : ZEILE_B, h = form == 1 ? ZEILE_H + 4 : ZEILE_H;
    Bild b(w, h);
    const Rgb a = hell ? AUSWAHL : NACHT_HELL, c = hell ? AUSWAHL_DUNKEL : Mix(NACHT_HELL, NACHT, 0.6);
    if (form == 1) {
        b.Platte(0, -8, w, h + 8, 8, GOLD, a, c, 1);
    } else {
        b.Verlauf(0, 0, w, h, a, c);
        b.Rechteck(0, 0, 1, h, GOLD);
        b.Rechteck(w - 1, 0, 1, h, GOLD);
        if (form == 2) b.Platte(0, 0, w, h + 8, 8, GOLD, a, c, 1, true);
    }
    b.Rechteck(1, h - (form == 1 ? 5 : 1), w - 2, 1, Mix(c, NACHT, 0.5));
    if (hell) b.Rechteck(1, 1, 2, h - (form == 1 ? 6 : 2), GOLD);
    return b.Fertig();
}

Rastport* Leer_Stueck() {
    Bild b(ZEILE_B + 2, 40);
    b.Platte(0, -8, ZEILE_B + 2, 48, 8, GOLD, NACHT_HELL, NACHT, 1);
    return b.Fertig();
}

// The marks in front of a row: active (a green lamp), weakness (a red minus), blocked (a grey cross).
Rastport* Marke(int32_t art) {
    Bild b(10, 16);
    if (art == 0) {
        Scheibe_Malen(b, 5, 8, 4.6, Rgb{24, 84, 40});
        Scheibe_Malen(b, 5, 8, 3.6, Rgb{96, 226, 110});
        Scheibe_Malen(b, 4.2, 7, 1.2, Rgb{220, 255, 220});
    } else if (art == 1) {
        b.Rechteck(1, 6, 8, 4, Mix(ROT, NACHT, 0.4));
        b.Rechteck(2, 7, 6, 2, Rgb{244, 96, 86});
    } else {
        for (int32_t k = 0; k < 7; ++k) {
            b.Rechteck(2 + k, 4 + k, 2, 1, GRAU);
            b.Rechteck(8 - k, 4 + k, 2, 1, GRAU);
        }
    }
    return b.Fertig();
}

Rastport* Schatten_Zeile() {
    Bild b(ZEILE_B, ZEILE_H);
    b.Rechteck(0, 0, ZEILE_B, ZEILE_H, Rgb{6, 10, 16});
    return b.Fertig();
}

// The kind pictures: small shirts (list window 28317-28320, the talents
// screen's header 24036-24039) and the card's shirts (8332-8335).
Rastport* Art_Bild(int32_t art, int32_t w, int32_t h) {
    Bild b(w, h);
    Hemd(b, 0, 0, w, h, ART_FARBE[art]);
    return b.Fertig();
}

Rastport* Bild_Zu(int32_t slave) {
    // Talent runs 8000-8323.
    for (int32_t r = 0; r < TALENT_BILD_RUNDEN; ++r)
        if (slave >= TALENT_BILD_ERSTER[r] && slave < TALENT_BILD_ERSTER[r] + TALENT_BILD_IDS)
            return Talent_Bild(slave - TALENT_BILD_ERSTER[r], TALENT_BILD_GROESSE[r], false);
    if (slave >= 8324 && slave <= 8330) return Stern_Bild(slave);
    // Card shirts by kind: 8332 midfielder, 8333 defender, 8334 forward, 8335 goalkeeper.
    constexpr int32_t KARTEN_ART[4] = {2, 1, 3, 0};
    if (slave >= 8332 && slave <= 8335) return Art_Bild(KARTEN_ART[slave - 8332], 34, 30);
    // Strain 56 / 2 = 0 .. 4 shows 8338, 8339, 8340, 8336, 8337.
    constexpr int32_t STUFE[5] = {3, 4, 0, 1, 2};
    if (slave >= 8336 && slave <= 8340) return Belastung_Bild(STUFE[slave - 8336]);
    if (slave >= 24010 && slave <= 24013) return Status_Bild(slave - 24000);
    constexpr int32_t HEMD_ART[4] = {2, 1, 3, 0};     // 24036-24039: midfielder, defender, forward, goalkeeper
    constexpr int32_t FENSTER_ART[4] = {2, 3, 1, 0};  // 28317-28320: midfielder, forward, defender, goalkeeper
    if (slave >= 24036 && slave <= 24039) return Art_Bild(HEMD_ART[slave - 24036], 16, 16);
    if (slave >= 28317 && slave <= 28320) return Art_Bild(FENSTER_ART[slave - 28317], 14, 14);
    if (slave >= TALENT_GROSS_ERSTER && slave < TALENT_GROSS_ERSTER + 40) return Talent_Gross(slave - TALENT_GROSS_ERSTER);
    if (slave >= 28106 && slave <= 28145) {
        const int32_t id = slave - 28106;
        return Talent_Bild(id, id < 35 ? TALENT_ZELLE_KLEIN : TALENT_ZELLE_GROSS, true);
    }
    if (slave >= 28146 && slave <= 28151) return Talent_Bild(47 + slave - 28146, TALENT_ZELLE_GROSS, true);
    switch (slave) {
    case 28000: return Karte();
    case 28001: return Talent_Leiste();
    case 28002: return Knopf_Bild(32, 24, PFEIL_LINKS, true, false);
    case 28003: return Knopf_Bild(32, 24, PFEIL_RECHTS, true, false);
    case 28004: return Knopf_Bild(32, 24, PFEIL_LINKS, false, false);
    case 28005: return Knopf_Bild(32, 24, PFEIL_RECHTS, false, false);
    case 28009: return Knopf_Bild(14, 24, STERN, false, false);
    case 28010: return Text_Knopf(70, 24, "OK", false);
    case 28011: return Knopf_Bild(14, 24, STERN, true, false);
    case 28012: return Text_Knopf(70, 24, "OK", true);
    case 28018: return Aktiv_Schein();
    case 28051: return Karte_Feld();
    case 28052: return Karte_Torwart();
    case 28053: return Info_Tafel();
    case 28054: return Zelle(TALENT_ZELLE_KLEIN);
    case 28055: return Zelle(TALENT_ZELLE_GROSS);
    case 28056: return Knopf_Bild(32, 24, PFEIL_LINKS, true, false);
    case 28057: return Knopf_Bild(14, 24, KREUZ, false, false);
    case 28058: return Knopf_Bild(14, 24, KREUZ, true, false);
    case 28059: return Knopf_Bild(32, 24, PFEIL_RECHTS, false, false);
    case 28060: return Knopf_Bild(32, 24, PFEIL_RECHTS, true, false);
    case 28061: return Knopf_Bild(32, 24, PFEIL_LINKS, false, false);
    case 28062: return Knopf_Bild(32, 24, PFEIL_RECHTS, false, true);
    case 28063: return Knopf_Bild(32, 24, PFEIL_LINKS, false, true);
    case 28104: return Rahmen(TALENT_ZELLE_GROSS);
    case 28105: return Rahmen(TALENT_ZELLE_KLEIN);
    case 28298: return Zeile(false, 2);
    case 28299: return Zeile(true, 2);
    case 28300: return Kopf();
    case 28301: return Zeile(true, 0);
    case 28303: return Zeile(false, 0);
    case 28304: return Zeile(false, 1);
    case 28305: return Zeile(true, 1);
    case 28306: return Leer_Stueck();
    case 28307: return Marke(0);
    case 28308: return Marke(1);
    case 28309: return Marke(2);
    case 28310: return Schatten_Zeile();
    case 28311: return Knopf_Bild(15, 15, KREUZ, false, false);
    case 28312: return Knopf_Bild(15, 15, KREUZ, true, false);
    case 28313: return Knopf_Bild(15, 15, PFEIL_LINKS, true, false);
    case 28314: return Knopf_Bild(15, 15, PFEIL_LINKS, false, false);
    case 28315: return Knopf_Bild(15, 15, PFEIL_RECHTS, true, false);
    case 28316: return Knopf_Bild(15, 15, PFEIL_RECHTS, false, false);
    default: return nullptr;
    }
}

}  // namespace

Rastport* Muster_Spieler_Bild(int32_t slave) { return Bild_Zu(slave); }

void Muster_Hemd(Leinwand& b, int32_t x, int32_t y, int32_t w, int32_t h, int32_t art) {
    Hemd(b, x, y, w, h, ART_FARBE[std::clamp(art, 0, 3)]);
}

MusterGruppe Muster_Gruppe(int32_t datei, int32_t erster, int32_t letzter, const char* name,
                           Rastport* (*bild)(int32_t slave)) {
    MusterGruppe g{datei, erster, {}, name};
    for (int32_t e = erster; e <= letzter; ++e)
        g.bilder.push_back(Muster_Eintrag(bild(datei * BILD_RES_DIREKT_VERSATZ + e), true));
    return g;
}

std::vector<MusterGruppe> Muster_Spieler_Gruppen() {
    const auto gruppe = [](int32_t datei, int32_t erster, int32_t letzter, const char* name) {
        return Muster_Gruppe(datei, erster, letzter, name, Bild_Zu);
    };
    std::vector<MusterGruppe> g;
    g.push_back(gruppe(2, 0, 330, "the talent badges and the stars"));
    g.push_back(gruppe(2, 332, 340, "the card's shirts and strain gauges"));
    g.push_back(gruppe(6, 10, 13, "the injury and suspension marks"));
    g.push_back(gruppe(6, 36, 39, "the small kind shirts"));
    g.push_back(gruppe(7, 0, 18, "the player card"));
    g.push_back(gruppe(7, 51, 151, "the talents screen"));
    g.push_back(gruppe(7, 298, 320, "the talent list window"));
    return g;
}

}  // namespace velmora
