// tools/mkicon.cpp - draws the program's icon for the desktop.
//
//   mkicon <file.png>
//
// A football on the pitch's green, in the colours of the game's start
// picture, drawn by program at 64 x 64 pixels with 4 x 4 samples a pixel and
// written as an RGBA PNG file.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/png_datei.h"
#include "tools/werkzeug.h"

using namespace velmora;

namespace {

constexpr int GROESSE = 64;
constexpr int PROBEN = 4;   // samples per pixel and axis
constexpr double PI = 3.14159265358979323846;

struct Farbe {
    double r, g, b, a;
};

// The colours of the start picture (16-bit 0x2C64 green, white lines).
Farbe aus_565(uint16_t c, double a = 1.0) {
    return {double(c >> 11) * 255 / 31, double((c >> 5) & 63) * 255 / 63, double(c & 31) * 255 / 31, a};
}
const Farbe GRUEN = aus_565(0x2C64), WEISS = aus_565(0xFFFF), SCHWARZ = {24, 24, 24, 1}, LINIE = aus_565(0xFFFF, 0.55);

// Inside a regular pentagon around (mx, my) with radius r, turned by `winkel`.
bool im_fuenfeck(double x, double y, double mx, double my, double r, double winkel) {
    for (int k = 0; k < 5; ++k) {
        const double a = winkel + 2 * PI * (k + 0.5) / 5;   // the normal of one edge
        if ((x - mx) * std::cos(a) + (y - my) * std::sin(a) > r * std::cos(PI / 5)) return false;
    }
    return true;
}

// One sample of the picture at (x, y) in pixel units.
Farbe probe(double x, double y) {
    const double m = GROESSE / 2.0;
    // The pitch: a rounded square with the halfway line and the centre circle.
    const double rand = 6, ecke = 10;
    const double dx = std::max(std::abs(x - m) - (m - ecke), 0.0), dy = std::max(std::abs(y - m) - (m - ecke), 0.0);
    if (dx * dx + dy * dy > (ecke - 1) * (ecke - 1)) return {0, 0, 0, 0};
    Farbe f = GRUEN;
    const double mitte = std::hypot(x - m, y - m);
    if (std::abs(x - m) < 0.8 || std::abs(mitte - 27) < 0.8 || (std::abs(x - m) < m - rand + 0.8 &&
                                                               std::abs(std::abs(x - m) - (m - rand)) < 0.8))
        f = {GRUEN.r + (LINIE.r - GRUEN.r) * LINIE.a, GRUEN.g + (LINIE.g - GRUEN.g) * LINIE.a,
             GRUEN.b + (LINIE.b - GRUEN.b) * LINIE.a, 1};
    // The ball: white with a black pentagon in the middle and five around it.
    const double ball = 20;
    if (mitte > ball + 1.5) return f;
    if (mitte > ball) return SCHWARZ;
    if (im_fuenfeck(x, y, m, m, 6.5, -PI / 2)) return SCHWARZ;
    for (int k = 0; k < 5; ++k) {
        const double a = -PI / 2 + 2 * PI * (k + 0.5) / 5;
        if (im_fuenfeck(x, y, m + 19 * std::cos(a), m + 19 * std::sin(a), 6.5, a + PI)) return SCHWARZ;
        // The seams from the middle pentagon's corners to the outer ones.
        const double b = -PI / 2 + 2 * PI * k / 5;
        const double ux = std::cos(b), uy = std::sin(b);
        const double t = (x - m) * ux + (y - m) * uy, abstand = std::abs((x - m) * uy - (y - m) * ux);
        if (t > 6 && t < 16 && abstand < 0.7) return SCHWARZ;
    }
    return WEISS;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* BENUTZUNG =
        "Usage: mkicon <file.png>\n"
        "Draws the program's 64 x 64 icon, a football on the pitch, into a PNG file.\n";
    if (int ende = werkzeug::Hilfe_Oder_Version(argc, argv, "mkicon", BENUTZUNG); ende >= 0) return ende;
    if (argc != 2 || argv[1][0] == '-') return werkzeug::Falsch("mkicon", "needs the PNG file to write");

    // Rows of RGBA pixels.
    std::vector<uint8_t> roh;
    for (int y = 0; y < GROESSE; ++y) {
        for (int x = 0; x < GROESSE; ++x) {
            std::array<double, 4> summe{};
            for (int sy = 0; sy < PROBEN; ++sy)
                for (int sx = 0; sx < PROBEN; ++sx) {
                    Farbe f = probe(x + (sx + 0.5) / PROBEN, y + (sy + 0.5) / PROBEN);
                    summe[0] += f.r * f.a;
                    summe[1] += f.g * f.a;
                    summe[2] += f.b * f.a;
                    summe[3] += f.a;
                }
            for (int k = 0; k < 3; ++k) roh.push_back(summe[3] > 0 ? uint8_t(std::lround(summe[k] / summe[3])) : 0);
            roh.push_back(uint8_t(std::lround(summe[3] * 255 / (PROBEN * PROBEN))));
        }
    }
    if (!werkzeug::Png_Schreiben(argv[1], GROESSE, GROESSE, 4, roh)) {
        std::fprintf(stderr, "mkicon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
