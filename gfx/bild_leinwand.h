// gfx/bild_leinwand.h - the canvas of the pictures and films drawn by
// program, and the game's palette they share: night-blue boards, gold edges,
// the pitch's green.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

struct Rgb {
    int32_t r, g, b;
};

namespace palette {
inline constexpr Rgb NACHT{12, 22, 34}, NACHT_HELL{22, 40, 60}, TAFEL{30, 56, 82}, TAFEL_HELL{44, 78, 110};
inline constexpr Rgb GOLD{214, 178, 82}, GOLD_DUNKEL{140, 110, 44}, HELL{236, 234, 224}, GRAU{150, 164, 178};
inline constexpr Rgb RASEN{38, 100, 50}, RASEN_DUNKEL{32, 86, 44}, KREIDE{70, 132, 80};
inline constexpr Rgb GRUEN{46, 128, 70}, GRUEN_DUNKEL{26, 84, 44}, SCHIEFER{54, 84, 118}, SCHIEFER_DUNKEL{32, 54, 80};
inline constexpr Rgb AUSWAHL{58, 112, 156}, AUSWAHL_DUNKEL{36, 76, 112};
inline constexpr Rgb SCHWARZ{24, 24, 24}, ROT{200, 30, 36};
}  // namespace palette

// A small, fixed mixer, so that every number gives the same picture everywhere.
inline uint32_t Leinwand_Mischen(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

// The 5-6-5 pixel of a colour; never 0, which is the transparent value.
uint16_t Leinwand_Pixel(Rgb c);
// From a to b by t (0-1).
Rgb Leinwand_Mix(Rgb a, Rgb b, double t);

// A depth-16 canvas: a new bitmap with every pixel transparent, or a bitmap
// given (not owned). Everything drawn is clipped to it.
struct Leinwand {
    Rastport* rp = nullptr;
    int32_t w = 0, h = 0;
    uint16_t* px = nullptr;
    Leinwand(int32_t breite, int32_t hoehe);
    explicit Leinwand(Rastport* ziel);
    void Punkt(int32_t x, int32_t y, Rgb c);
    void Rechteck(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb c);
    // Top to bottom from a to b.
    void Verlauf(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb a, Rgb b);
    // A rounded plate with an edge: corners of radius r cut away (only the
    // top ones with `nur_oben`), the inside a vertical gradient.
    void Platte(int32_t x, int32_t y, int32_t bw, int32_t bh, int32_t r, Rgb rand, Rgb a, Rgb b, int32_t dicke = 1,
                bool nur_oben = false);
    // The edge alone of a plate (its corners of radius r cut away).
    void Rahmen(int32_t x, int32_t y, int32_t bw, int32_t bh, int32_t r, Rgb rand, int32_t dicke);
    void Kreis(double cx, double cy, double r, Rgb c);
    void Ellipse(double cx, double cy, double rx, double ry, Rgb c);
    void Ring(double cx, double cy, double r, double dicke, Rgb c);
    // A triangle pointing right with its left edge at x.
    void Dreieck(int32_t x, int32_t y, int32_t bw, int32_t bh, Rgb c);
    // The base nation's colours (Germany): black, red and gold, the first
    // stripe taking what a third leaves over.
    void Landesfarben(int32_t x, int32_t y, int32_t bw, int32_t bh);
    // A five-pointed star of outer radius r.
    void Stern(double cx, double cy, double r, Rgb c);
    // A straight stroke of the given width between two points.
    void Linie(double x0, double y0, double x1, double y1, double breite, Rgb c);
    // The colour at (x, y); a transparent pixel reads as the night board it will lie on.
    Rgb Lesen(int32_t x, int32_t y) const;
    // Lays `c` over (x, y) at coverage a (0..1): smooth edges on any background.
    void Decken(int32_t x, int32_t y, Rgb c, double a);
    Rastport* Fertig() { return rp; }
};

}  // namespace velmora
