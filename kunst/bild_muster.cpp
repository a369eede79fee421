// kunst/bild_muster.cpp - procedural built-in pictures.
#include "kunst/bild_muster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "bilder/portrait.h"
#include "bilder/trikot.h"
#include "bilder/wappen.h"
#include "club/namen.h"
#include "core/mem.h"
#include "gfx/bild_leinwand.h"
#include "gfx/colour.h"
#include "season/wettbewerb_cfg.h"

namespace velmora {
namespace {

uint32_t Mischen(uint32_t x) { return Leinwand_Mischen(x); }

uint16_t Farbe(uint32_t bbggrr) {
    uint16_t p = Colour_Pack565(int32_t(bbggrr & 0xFF), int32_t(bbggrr >> 8 & 0xFF), int32_t(bbggrr >> 16 & 0xFF));
    return p ? p : 1;   // 0 would be transparent
}

Rastport* Neu(int32_t w, int32_t h, int32_t tiefe = 16) {
    Rastport* rp = Rastport_Create(w, h, tiefe, 0, 0);
    if (rp) std::memset(rp->pixels->pixels, 0, size_t(w) * h * Depth_Bytes(uint32_t(tiefe)));
    return rp;
}

// The shield outline: straight top, sides narrowing into a point at the bottom.
bool Im_Schild(int32_t x, int32_t y, int32_t w, int32_t h, int32_t rand) {
    const double fx = (x + 0.5) / w - 0.5, fy = (y + 0.5) / h;
    if (fy < 0.06 + rand * 0.02 || fy > 0.96 - rand * 0.02) return false;
    const double halbe = fy < 0.55 ? 0.46 : 0.46 * (0.96 - fy) / 0.41;
    return std::fabs(fx) <= halbe - rand * 0.03;
}

bool In_Ellipse(int32_t x, int32_t y, double cx, double cy, double rx, double ry) {
    const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// Portrait parts: which set an entry belongs to and its index there (the
// sets lie apart).
bool Satz_Von(int32_t eintrag, int32_t* satz, int32_t* index) {
    for (int32_t s = PORTRAIT_SAETZE - 1; s >= 0; --s) {
        if (eintrag >= PORTRAIT_SATZ[s].erster && eintrag < PORTRAIT_SATZ[s].erster + PORTRAIT_SATZ[s].anzahl) {
            *satz = s;
            *index = eintrag - PORTRAIT_SATZ[s].erster;
            return true;
        }
    }
    return false;
}

// Whether (x, y) of a shield w x h lies on the flag's second (1) or third (2)
// colour, else 0; u and v run from 0 to 1 across and down the shield's face.
int32_t Flaggen_Teil(NamenFlagge art, double u, double v) {
    const double du = u - 0.5, dv = v - 0.45;
    switch (art) {
    case FLAGGE_QUER: return v < 1.0 / 3 ? 0 : v < 2.0 / 3 ? 1 : 2;
    case FLAGGE_LAENGS: return u < 1.0 / 3 ? 0 : u < 2.0 / 3 ? 1 : 2;
    case FLAGGE_HAELFTEN: return v < 0.5 ? 0 : 1;
    case FLAGGE_KEIL: return u < 0.5 - std::fabs(v - 0.5) ? 2 : v < 0.5 ? 0 : 1;
    case FLAGGE_NORDKREUZ: {
        const double a = std::max(std::fabs(u - 0.36), 0.0), b = std::fabs(dv);
        if (a < 0.06 || b < 0.06) return 2;
        return a < 0.12 || b < 0.12 ? 1 : 0;
    }
    case FLAGGE_KREUZ:
        if (std::fabs(du) < 0.06 || std::fabs(dv) < 0.06) return 2;
        return std::fabs(du) < 0.12 || std::fabs(dv) < 0.12 ? 1 : 0;
    case FLAGGE_SCHRAEG: return std::fabs(du - dv) < 0.1 || std::fabs(du + dv) < 0.1 ? 1 : 0;
    case FLAGGE_SCHEIBE: return du * du + dv * dv < 0.22 * 0.22 ? 1 : 0;
    case FLAGGE_HALBMOND: {
        const bool aussen = du * du + dv * dv < 0.25 * 0.25;
        const double iu = du - 0.08;
        return aussen && iu * iu + dv * dv >= 0.2 * 0.2 ? 1 : 0;
    }
    case FLAGGE_RAUTE:
        if (du * du + dv * dv < 0.16 * 0.16) return 2;
        return std::fabs(du) / 0.42 + std::fabs(dv) / 0.3 < 1 ? 1 : 0;
    case FLAGGE_STREIFEN:
        if (u < 0.5 && v < 0.45) return 2;
        return int32_t(v * 9) % 2;
    }
    return 0;
}

// The transfer market's crest: a white ball with dark patches on the game's
// night blue, under a gold bar.
uint16_t Markt_Punkt(int32_t x, int32_t y) {
    const double cx = WAPPEN_GROESSE / 2.0, cy = WAPPEN_GROESSE * 0.5, r = WAPPEN_GROESSE * 0.26;
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
    if (y < WAPPEN_GROESSE * 0.17) return Farbe(0x52B2D6);
    if (d > r) return Farbe(0x3C2816);
    if (d > r - 1.5) return Farbe(0x222222);
    // A pentagon in the middle and five half patches at the rim.
    const double w = std::atan2(dy, dx) + 3.14159265358979 / 2;
    const double zacke = std::cos(std::fmod(w + 20 * 3.14159265358979, 2 * 3.14159265358979 / 5) - 3.14159265358979 / 5);
    if (d < r * 0.36 / zacke) return Farbe(0x222222);
    for (int32_t i = 0; i < 5; ++i) {
        const double a = -3.14159265358979 / 2 + i * 2 * 3.14159265358979 / 5;
        if (std::hypot(dx - r * std::cos(a), dy - r * std::sin(a)) < r * 0.3) return Farbe(0x222222);
    }
    return Farbe(0xECEAE0);
}

uint16_t Farbe_Rgb(uint32_t rgb) { return Farbe((rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16); }

}  // namespace

Rastport* Muster_Wappen(int32_t nummer) {
    Rastport* rp = Neu(WAPPEN_GROESSE, WAPPEN_GROESSE);
    if (!rp) return nullptr;
    // A country's crest carries its flag; a club's is drawn from its number.
    const int32_t land = nummer - NAMEN_LAND_WAPPEN;
    const LandVorlage* flagge = land >= 0 ? Namen_Land(land) : nullptr;
    const uint32_t h = Mischen(uint32_t(nummer) + 1);
    uint32_t erste = 0, zweite = 0;
    Wappen_Farben(nummer, &erste, &zweite);
    const uint16_t a = Farbe(erste), b = Farbe(zweite);
    const uint16_t rand = nummer == NAMEN_MARKT_WAPPEN ? Farbe(0x52B2D6) : Farbe(0xD0D0D0);
    const int32_t muster = int32_t(h >> 8) % 4;
    uint16_t* p = Rastport_Pixels16(rp);
    for (int32_t y = 0; y < WAPPEN_GROESSE; ++y) {
        for (int32_t x = 0; x < WAPPEN_GROESSE; ++x) {
            if (!Im_Schild(x, y, WAPPEN_GROESSE, WAPPEN_GROESSE, 0)) continue;
            uint16_t f = rand;
            if (Im_Schild(x, y, WAPPEN_GROESSE, WAPPEN_GROESSE, 1) && nummer == NAMEN_MARKT_WAPPEN) {
                f = Markt_Punkt(x, y);
            } else if (Im_Schild(x, y, WAPPEN_GROESSE, WAPPEN_GROESSE, 1) && flagge) {
                const double u = (x + 0.5) / WAPPEN_GROESSE, v = (y - 0.08 * WAPPEN_GROESSE + 0.5) / (0.86 * WAPPEN_GROESSE);
                f = Farbe_Rgb(flagge->flagge[Flaggen_Teil(flagge->flaggen_art, u, v)]);
            } else if (Im_Schild(x, y, WAPPEN_GROESSE, WAPPEN_GROESSE, 1)) {
                bool zweite = false;
                switch (muster) {
                case 0: zweite = x >= WAPPEN_GROESSE / 2; break;                 // halves
                case 1: zweite = (x / 8) % 2 == 1; break;                        // stripes
                case 2: zweite = y > 22 && y < 40; break;                        // a bar
                default: zweite = std::abs(x - y) < 8; break;                    // a diagonal
                }
                f = zweite ? b : a;
            }
            p[y * WAPPEN_GROESSE + x] = f;
        }
    }
    return rp;
}

Rastport* Muster_Pokal(int32_t nummer) {
    Rastport* rp = Neu(WAPPEN_GROESSE, WAPPEN_GROESSE);
    if (!rp) return nullptr;
    static constexpr uint32_t METALL[3] = {0x30B8E8, 0xC8C8C8, 0x3070B0};   // gold, silver, bronze
    const uint32_t m = METALL[Pokal_Metall(nummer)];
    uint16_t* p = Rastport_Pixels16(rp);
    for (int32_t y = 0; y < WAPPEN_GROESSE; ++y) {
        for (int32_t x = 0; x < WAPPEN_GROESSE; ++x) {
            bool drin = false;
            if (y >= 6 && y < 36) drin = In_Ellipse(x, y, 33, 6, 22, 30);                  // the bowl
            if (y >= 12 && y < 28) drin = drin || (In_Ellipse(x, y, 10, 20, 7, 8) && !In_Ellipse(x, y, 10, 20, 4, 5)) ||
                                           (In_Ellipse(x, y, 56, 20, 7, 8) && !In_Ellipse(x, y, 56, 20, 4, 5));
            if (y >= 36 && y < 50) drin = drin || std::abs(x - 33) < 4;                      // the stem
            if (y >= 50 && y < 62) drin = drin || std::abs(x - 33) < 16;                     // the base
            if (!drin) continue;
            // Lighter towards the upper left, so the cup looks round.
            const int32_t licht = std::clamp(150 - (x - 20) * 2 - y, 60, 160);
            const int32_t r = int32_t(m & 0xFF) * licht / 128, gr = int32_t(m >> 8 & 0xFF) * licht / 128,
                          b = int32_t(m >> 16 & 0xFF) * licht / 128;
            p[y * WAPPEN_GROESSE + x] = Farbe(uint32_t(std::min(r, 255)) | uint32_t(std::min(gr, 255)) << 8 |
                                              uint32_t(std::min(b, 255)) << 16);
        }
    }
    return rp;
}

namespace {
constexpr int32_t TRIKOT_W = 32, TRIKOT_H = 36;
// The shirt's outline: body and sleeves; variants turn the sleeves shorter or
// show the back with a number panel.
bool Im_Trikot(int32_t x, int32_t y, int32_t variante) {
    const bool koerper = x >= 8 && x < 24 && y >= 4 && y < 34;
    const int32_t aermel = variante % 3 == 2 ? 10 : 16;
    const bool links = x >= 1 && x < 8 && y >= 4 && y < 4 + aermel && (y - 4) >= (8 - x) / 2;
    const bool rechts = x >= 24 && x < 31 && y >= 4 && y < 4 + aermel && (y - 4) >= (x - 23) / 2;
    const bool kragen = x >= 13 && x < 19 && y >= 4 && y < 7;
    return (koerper || links || rechts) && !kragen;
}
}  // namespace

Rastport* Muster_Trikot(int32_t trikot, int32_t variante) {
    const TrikotStructure* t = Trikot_Get_TrikotStructure(trikot);
    if (!t) return nullptr;
    Rastport* rp = Neu(TRIKOT_W, TRIKOT_H);
    if (!rp) return nullptr;
    const uint16_t f1 = Farbe(t->farbe1), f2 = Farbe(t->farbe2), f3 = Farbe(t->farbe3);
    const uint16_t f4 = t->farbe4 ? Farbe(t->farbe4) : f1;
    uint16_t* p = Rastport_Pixels16(rp);
    for (int32_t y = 0; y < TRIKOT_H; ++y) {
        for (int32_t x = 0; x < TRIKOT_W; ++x) {
            if (!Im_Trikot(x, y, variante)) continue;
            uint16_t f = f1;
            if (x < 8 || x >= 24) f = f2;                                    // sleeves
            else if ((variante / 3) == 1 && x >= 12 && x < 20 && y >= 12 && y < 24) f = f3;   // number panel
            else if (t->farbe4 && (x - 8) % 6 >= 4) f = f4;                 // pinstripes: the main colour leads
            if (y == 33) f = f3;                                             // hem
            p[y * TRIKOT_W + x] = f;
        }
    }
    return rp;
}

Rastport* Muster_Trikot_Maske(int32_t trikot, int32_t variante) {
    if (!Trikot_Get_TrikotStructure(trikot)) return nullptr;
    Rastport* rp = Neu(TRIKOT_W, TRIKOT_H, 8);
    if (!rp) return nullptr;
    uint8_t* p = static_cast<uint8_t*>(rp->pixels->pixels);
    for (int32_t y = 0; y < TRIKOT_H; ++y)
        for (int32_t x = 0; x < TRIKOT_W; ++x) {
            if (!Im_Trikot(x, y, variante)) continue;
            // Soft edge: the outermost pixels are half covered.
            const bool rand = !Im_Trikot(x - 1, y, variante) || !Im_Trikot(x + 1, y, variante) ||
                              !Im_Trikot(x, y - 1, variante) || !Im_Trikot(x, y + 1, variante);
            p[y * TRIKOT_W + x] = rand ? 128 : 255;
        }
    return rp;
}

namespace {

// Portrait parts are drawn from their index within their set, so every two
// choices of a part differ and two neighbouring ones visibly so (the face
// picker steps through them one by one).
constexpr uint32_t IRIS[3] = {0x1E3C6E, 0xC87830, 0x3C8C46};                    // brown, blue, green
constexpr uint32_t HAAR[8] = {0x141414, 0x142846, 0x1E4678, 0x1E3CA0,
                              0x1450C8, 0x50B4DC, 0x96D2F0, 0xA0A0A0};          // black to grey
constexpr uint32_t BART[2] = {0x203040, 0x1E3C8C};
constexpr uint32_t BRILLE[2] = {0x101010, 0x30A0D0};
constexpr uint32_t LIPPEN[2] = {0x3030A0, 0x5060D0};
constexpr double OHR[4][2] = {{3, 6}, {4, 7}, {2, 5}, {4, 5}};
constexpr int32_t SOMMERSPROSSEN[6][2] = {{29, 49}, {32, 51}, {27, 52}, {55, 49}, {52, 51}, {57, 52}};

// Eyes: four spacings (each step moves them), three iris colours.
uint16_t Auge(int32_t index, int32_t x, int32_t y) {
    const int32_t abstand = 7 + 2 * (index % 4);
    for (const double cx : {42.5 - abstand, 42.5 + abstand}) {
        if (In_Ellipse(x, y, cx, 40, 1.6, 1.6)) return Farbe(IRIS[index / 4 % 3]);
        if (In_Ellipse(x, y, cx, 40, 3.5, 2.5)) return Farbe(0xF8F8F8);
    }
    return 0;
}

// Beard and glasses: index 0 neither; then every pair of five beards (or
// none) and two glasses (or none) but the bare face, in two colours.
uint16_t Bart_Brille(int32_t index, int32_t x, int32_t y, bool gesicht) {
    if (index == 0) return 0;
    const int32_t k = index - 1, farbe = k / 17 % 2, r = k % 17 + 1, bart = r % 6, brille = r / 6;
    const int32_t dx = std::abs(x - 42);
    bool glas = false;
    if (brille == 1)
        glas = y >= 37 && y <= 43 && x >= 26 && x <= 59 && (y == 37 || y == 43 || x == 26 || x == 59 || dx <= 1);
    if (brille == 2)
        glas = (In_Ellipse(x, y, 33.5, 40, 6, 5) && !In_Ellipse(x, y, 33.5, 40, 5, 4)) ||
               (In_Ellipse(x, y, 51.5, 40, 6, 5) && !In_Ellipse(x, y, 51.5, 40, 5, 4)) || (y == 39 && dx <= 3);
    if (glas) return Farbe(BRILLE[farbe]);
    bool haar = false;
    switch (bart) {
    case 1: haar = gesicht && y > 52 && (x + y) % 2 == 0; break;              // full
    case 2: haar = gesicht && y > 63 && (x + y) % 2 == 0; break;              // along the chin
    case 3: haar = y >= 54 && y <= 56 && dx < 9; break;                       // moustache
    case 4: haar = gesicht && y > 60 && dx < 6; break;                        // goatee
    case 5: haar = gesicht && y > 50 && (x + 2 * y) % 5 == 0; break;          // stubble
    default: break;
    }
    return haar ? Farbe(BART[farbe]) : 0;
}

// Hair: eight colours (each step another), eight cuts.
uint16_t Haar(int32_t index, int32_t x, int32_t y, bool gesicht) {
    const double mx = std::fabs(x + 0.5 - 42.5);
    const bool stirn = gesicht && y > 26;   // the forehead stays free
    bool drin = false;
    switch (index / 8 % 8) {
    case 0: drin = In_Ellipse(x, y, 42.5, 30, 23, 17) && y < 30 && !stirn; break;                    // short
    case 1: drin = In_Ellipse(x, y, 42.5, 30, 24, 20) && y < 34 && !stirn; break;                    // medium
    case 2: drin = In_Ellipse(x, y, 42.5, 30, 25, 23) && y < 38 && !stirn; break;                    // full
    case 3: drin = (In_Ellipse(x, y, 42.5, 30, 24, 20) && y < 34 && !stirn) ||
                   (!gesicht && y >= 30 && y < 64 && mx < 26);
        break;                                                                                      // long
    case 4: drin = !gesicht && y >= 26 && y < 46 && mx > 16 && mx < 25; break;                      // a rim
    case 5: drin = mx < 5 && y >= 6 && y < 30 && !(gesicht && y > 22); break;                       // a crest
    case 6: drin = In_Ellipse(x, y, 42.5, 28, 27, 21) && y < 33 && !(gesicht && y > 27) && (x / 2 + y / 2) % 3 != 0;
        break;                                                                                      // curls
    default: drin = (In_Ellipse(x, y, 42.5, 30, 24, 19) && y < 31 && !stirn) ||
                    (gesicht && x >= 30 && x < 58 && y < 22 + (x - 30) / 3);
        break;                                                                                      // a fringe
    }
    return drin ? Farbe(HAAR[index % 8]) : 0;
}

// Mouth: four shapes (each step another), four widths, two colours.
uint16_t Mund(int32_t index, int32_t x, int32_t y) {
    const int32_t breite = 5 + 2 * (index / 4 % 4), dx = std::abs(x - 42);
    bool drin = false;
    switch (index % 4) {
    case 0: drin = y == 59 && dx < breite; break;                                  // straight
    case 1: {                                                                      // a smile
        const int32_t mitte = 60 - 3 * dx / breite;
        drin = dx < breite && (y == mitte || y == mitte + 1);
        break;
    }
    case 2: drin = In_Ellipse(x, y, 42.5, 59.5, breite, 2.5); break;              // open
    default: drin = (y == 59 || y == 60) && dx < breite - 1; break;                // full lips
    }
    return drin ? Farbe(LIPPEN[index / 16 % 2]) : 0;
}

// Nose and ears: four noses (each step another), four ears, freckles or none.
uint16_t Nase_Ohren(int32_t index, int32_t x, int32_t y, uint16_t haut) {
    bool nase = false;
    switch (index % 4) {
    case 0: nase = x >= 41 && x <= 44 && y >= 44 && y <= 52; break;                                  // long
    case 1: nase = x >= 41 && x <= 44 && y >= 47 && y <= 50; break;                                  // short
    case 2: nase = x >= 39 && x <= 46 && y >= 48 && y <= 51; break;                                  // broad
    default: nase = y >= 44 && y <= 52 && std::abs(2 * x + 1 - 85) <= (y - 44) / 2 * 2 + 1; break;  // pointed
    }
    if (nase) return haut - 0x0841;
    if (index / 16 % 2 == 1)
        for (const auto& p : SOMMERSPROSSEN)
            if ((x == p[0] || x == p[0] + 1) && y == p[1]) return haut - 0x1082;
    const double* ohr = OHR[index / 4 % 4];
    if (In_Ellipse(x, y, 20, 44, ohr[0], ohr[1]) || In_Ellipse(x, y, 65, 44, ohr[0], ohr[1])) return haut;
    return 0;
}

}  // namespace

Rastport* Muster_Portrait_Teil(int32_t eintrag) {
    int32_t satz = 0, index = 0;
    if (!Satz_Von(eintrag, &satz, &index)) return nullptr;
    constexpr int32_t W = PORTRAIT_BREITE, H = PORTRAIT_HOEHE;
    Rastport* rp = Neu(W, H);
    if (!rp) return nullptr;
    rp->alpha = static_cast<uint8_t*>(Mem_Alloc_Fill(size_t(W) * H, "Rastport", 0));
    if (!rp->alpha) return Rastport_Free(rp);
    uint16_t* p = Rastport_Pixels16(rp);
    const int32_t art = satz >= 6 && satz <= 10 ? 1 : (satz == 12 ? 1 : (satz == 0 ? index : 0));
    auto setzen = [&](int32_t x, int32_t y, uint16_t f) {
        if (x < 0 || y < 0 || x >= W || y >= H || !f) return;
        p[y * W + x] = f;
        rp->alpha[y * W + x] = 255;
    };
    const uint16_t haut = art ? Farbe(0x285896) : Farbe(0x6EB4F0);
    const int32_t teil = satz == 0 || satz >= 11 ? -1 : (satz - 1) % 5;   // part 0-4
    for (int32_t y = 0; y < H; ++y) {
        for (int32_t x = 0; x < W; ++x) {
            const bool gesicht = In_Ellipse(x, y, 42.5, 44, 21, 27);
            const bool hals = x >= 34 && x < 51 && y >= 64 && y < 80;
            const bool hemd = y >= 76 && In_Ellipse(x, y, 42.5, 112, 44, 36);
            const bool kragen = hemd && y < 84 && std::abs(x - 42) < 10 && y - 76 > std::abs(x - 42) - 4;
            switch (teil) {
            case 0: setzen(x, y, Auge(index, x, y)); break;
            case 1: setzen(x, y, Bart_Brille(index, x, y, gesicht)); break;
            case 2: setzen(x, y, Haar(index, x, y, gesicht)); break;
            case 3: setzen(x, y, Mund(index, x, y)); break;
            case 4: setzen(x, y, Nase_Ohren(index, x, y, haut)); break;
            default:
                if (satz == 0) {
                    if (hemd) setzen(x, y, kragen ? Farbe(0x606060) : Farbe(0xB4B4B4));
                    else if (gesicht || hals) setzen(x, y, haut);
                    else setzen(x, y, Farbe(0x402818));   // the background stays opaque
                } else if (hemd && !kragen && ((x / 6) % 2 == 1) == (index == 1)) {
                    setzen(x, y, Farbe(0xFFFFFF));         // the shirt masks
                }
                break;
            }
        }
    }
    return rp;
}

ResDateiEintrag Muster_Eintrag(Rastport* rp, bool packen) {
    ResDateiEintrag e;
    if (!rp) return Res_Datenblock(nullptr, 0);
    if (packen) {
        rp->pixels->keep_pixels = 0;   // only the packed form goes into the file
        PixelBuffer_Pack(rp->pixels, PACK_ZLIB);
    }
    e.typ = RES_TYP_BITMAP;
    e.bytes.resize(Rastport_File_Size(rp));
    e.bytes.resize(Rastport_Write_Mem(rp, e.bytes.data(), e.bytes.size()));
    Rastport_Free(rp);
    return e;
}

std::vector<ResDateiEintrag> Muster_Eintraege(int32_t erster, int32_t letzter, Rastport* (*bild)(int32_t eintrag)) {
    std::vector<ResDateiEintrag> d;
    for (int32_t e = erster; e <= letzter; ++e) d.push_back(Muster_Eintrag(bild(e), true));
    return d;
}

std::vector<ResDateiEintrag> Muster_Wappen_Datei(int32_t anzahl) {
    std::vector<ResDateiEintrag> d;
    for (int32_t i = 0; i < anzahl; ++i) d.push_back(Muster_Eintrag(Muster_Wappen(i), true));
    return d;
}

std::vector<ResDateiEintrag> Muster_Pokal_Datei(int32_t anzahl) {
    std::vector<ResDateiEintrag> d(size_t(POKAL_RES_ERSTER), Res_Datenblock(nullptr, 0));
    for (int32_t i = 0; i < anzahl; ++i) d.push_back(Muster_Eintrag(Muster_Pokal(i), true));
    return d;
}

std::vector<ResDateiEintrag> Muster_Trikot_Datei() {
    std::vector<ResDateiEintrag> d(size_t(TRIKOT_RES_ERSTER), Res_Datenblock(nullptr, 0));
    for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k) {
        for (int32_t v = 0; v < TRIKOT_VARIANTEN; ++v) d.push_back(Muster_Eintrag(Muster_Trikot(k, v), true));
        for (int32_t v = 0; v < TRIKOT_VARIANTEN; ++v) d.push_back(Muster_Eintrag(Muster_Trikot_Maske(k, v), true));
        d.push_back(Res_Datenblock(nullptr, 0));
    }
    return d;
}

std::vector<ResDateiEintrag> Muster_Portrait_Datei() {
    std::vector<ResDateiEintrag> d;
    for (int32_t e = 0; e < PORTRAIT_TEILE; ++e) d.push_back(Muster_Eintrag(Muster_Portrait_Teil(e), true));
    return d;
}

std::string Muster_Datei_Setzen(MusterDatei& datei, int32_t erster, std::vector<ResDateiEintrag> bilder,
                                const std::string& gruppe) {
    if (erster < 0) return "entry " + std::to_string(erster) + " lies before the file: " + gruppe;
    std::string fehler;
    const size_t ende = size_t(erster) + bilder.size();
    if (datei.eintraege.size() < ende) {
        datei.eintraege.resize(ende, Res_Datenblock(nullptr, 0));
        datei.gruppen.resize(ende);
    }
    for (size_t i = 0; i < bilder.size(); ++i) {
        if (bilder[i].typ == RES_TYP_DATEN && bilder[i].bytes.size() <= 4) continue;   // an empty block
        const size_t e = size_t(erster) + i;
        if (!datei.gruppen[e].empty()) {
            if (fehler.empty())
                fehler = "entry " + std::to_string(e) + ": " + datei.gruppen[e] + " and " + gruppe + " claim it";
            continue;
        }
        datei.eintraege[e] = std::move(bilder[i]);
        datei.gruppen[e] = gruppe;
    }
    return fehler;
}

}  // namespace velmora
