// gfx/demobild.cpp
#include "gfx/demobild.h"

#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/mem.h"
#include "gfx/bild_laden.h"
#include "gfx/bild_leinwand.h"
#include "platform/files.h"

namespace velmora {
namespace {

Rgb Farbe(const uint8_t* farben, int32_t i) { return {farben[i * 3], farben[i * 3 + 1], farben[i * 3 + 2]}; }

// A little grain over every drawn pixel, as a photo has; the same for the same seed.
void Koernung(Leinwand& l, uint32_t saat, int32_t staerke) {
    for (int32_t y = 0; y < l.h; ++y)
        for (int32_t x = 0; x < l.w; ++x) {
            if (l.px[y * l.w + x] == 0) continue;
            const Rgb c = l.Lesen(x, y);
            const int32_t d = int32_t(Leinwand_Mischen(saat ^ uint32_t(y * 977 + x)) % uint32_t(2 * staerke + 1)) - staerke;
            l.Punkt(x, y, {c.r + d, c.g + d, c.b + d});
        }
}

}  // namespace

Rastport* Demobild_Foto(int32_t spieler, const uint8_t* farben) {
    static constexpr Rgb HAUT[5] = {{236, 200, 170}, {222, 176, 140}, {190, 140, 104}, {150, 102, 70}, {104, 70, 48}};
    static constexpr Rgb HAAR[5] = {{40, 30, 24}, {92, 64, 38}, {170, 130, 70}, {20, 20, 20}, {130, 60, 34}};
    const uint32_t m = Leinwand_Mischen(uint32_t(spieler) * 2654435761u + 17);
    const Rgb haut = HAUT[m % 5], haar = HAAR[(m >> 8) % 5];
    Leinwand l(DEMOBILD_FOTO_BREITE, DEMOBILD_FOTO_HOEHE);
    if (!l.px) return l.Fertig();
    const int32_t w = l.w, h = l.h;
    l.Verlauf(0, 0, w, h, {96, 112, 130}, {46, 56, 70});   // the studio backdrop
    const Rgb trikot = Farbe(farben, 0), kragen = Farbe(farben, 1);
    const Rgb trikot_schatten = Leinwand_Mix(trikot, {0, 0, 0}, 0.3);
    l.Ellipse(w / 2.0, h + 8.0, 46, 34, trikot_schatten);   // shoulders
    l.Ellipse(w / 2.0, h + 10.0, 40, 32, trikot);
    l.Rechteck(w / 2 - 8, 62, 16, 14, Leinwand_Mix(haut, {0, 0, 0}, 0.2));   // neck
    l.Ellipse(w / 2.0, 76, 12, 5, kragen);
    const double kx = w / 2.0, ky = 44, rx = 20 + (m >> 16) % 4, ry = 26;
    l.Ellipse(kx - rx, ky + 2, 4, 7, Leinwand_Mix(haut, {0, 0, 0}, 0.15));   // ears
    l.Ellipse(kx + rx, ky + 2, 4, 7, Leinwand_Mix(haut, {0, 0, 0}, 0.15));
    l.Ellipse(kx, ky, rx, ry, haut);
    l.Ellipse(kx + 5, ky + 4, rx - 8, ry - 8, Leinwand_Mix(haut, {255, 255, 255}, 0.12));   // light from the right
    l.Ellipse(kx, ky - ry + 8 + (m >> 20) % 4, rx + 1, 11, haar);   // hair
    for (double sx : {-8.0, 8.0}) {
        l.Ellipse(kx + sx, ky - 1, 3.5, 2.2, {250, 250, 250});
        l.Kreis(kx + sx, ky - 1, 1.6, {40, 44, 52});
        l.Linie(kx + sx - 4, ky - 7, kx + sx + 4, ky - 7, 1.6, haar);   // brows
    }
    l.Linie(kx, ky + 1, kx + 1.5, ky + 9, 1.4, Leinwand_Mix(haut, {0, 0, 0}, 0.3));   // nose
    l.Linie(kx - 6, ky + 15, kx + 6, ky + 15, 1.6, Leinwand_Mix(haut, {120, 30, 30}, 0.45));   // mouth
    Koernung(l, m, 3);
    return l.Fertig();
}

Rastport* Demobild_Wappen(int32_t nummer, const uint8_t* farben) {
    const int32_t s = DEMOBILD_WAPPEN_SEITE;
    Leinwand l(s, s);
    if (!l.px) return l.Fertig();
    // Around the shield the picture stays black, which the crest drawing lets
    // the background show through.
    const Rgb links = Farbe(farben, 0), rechts = Farbe(farben, 1);
    // The shield: a plate above, narrowing to a point below.
    for (int32_t y = 4; y < s - 3; ++y) {
        const double t = y < 36 ? 0.0 : double(y - 36) / double(s - 39);
        const double halb = 27.0 * std::sqrt(std::max(0.0, 1.0 - t * t));
        for (int32_t x = 0; x < s; ++x) {
            const double dx = x + 0.5 - s / 2.0;
            if (std::fabs(dx) > halb) continue;
            const bool rand = std::fabs(dx) > halb - 3 || y < 7;
            l.Punkt(x, y, rand ? palette::GOLD : (dx < 0 ? links : rechts));
        }
    }
    l.Stern(s / 2.0, 30, 11 + nummer % 3, palette::GOLD);
    Koernung(l, uint32_t(nummer) * 7919u, 1);
    return l.Fertig();
}

bool Demobild_Schreiben(Rastport* bild, const std::string& verzeichnis, int32_t nummer, std::string* grund) {
    auto scheitern = [&](const std::string& warum) {
        if (grund) *grund = warum;
        return false;
    };
    if (!bild) return scheitern("no picture was drawn");
    uint32_t groesse = 0;
    uint8_t* jpeg = Jpeg_Save_Mem(Rastport_Pixels16(bild), int32_t(bild->width), int32_t(bild->height), 16,
                                  DEMOBILD_QUALITAET, 0, &groesse);
    Rastport_Free(bild);
    if (!jpeg) return scheitern("the picture could not be encoded");
    const std::string pfad = verzeichnis + "/" + std::to_string(nummer) + ".jpg";
    std::error_code fehler;
    std::filesystem::create_directories(verzeichnis, fehler);
    // Through a temporary file: a full disk leaves no cut picture under the
    // picture's name, which the game would copy and keep.
    bool ok = !fehler && Plat_Write_Atomic(pfad.c_str(), jpeg, groesse);
    const std::string warum = fehler ? verzeichnis + ": cannot be made (" + fehler.message() + ")"
                                     : pfad + ": cannot be written (" + std::strerror(errno) + ")";
    Mem_Free(jpeg);
    return ok || scheitern(warum);
}

}  // namespace velmora
