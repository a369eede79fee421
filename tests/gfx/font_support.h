// tests/gfx/font_support.h - fonts for the text tests: a small synthetic font
// whose glyphs are solid blocks (so widths can be read off the pixels), the
// installation's fonts from the built "fontres.res", and pictures as RGB.
#pragma once
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "tests/support/png.h"

namespace velmora::test {

constexpr int32_t BLOCK_HOEHE = 12;
constexpr int32_t BLOCK_TINTE_OBEN = 2, BLOCK_TINTE_UNTEN = 9;   // inked rows of every glyph

// The width of the block glyph of character c: space 4, others 2 to 5.
inline int32_t Block_Breite(int32_t c) { return c == ' ' ? 4 : 2 + c % 4; }

// A font whose glyph of every character is a solid block over rows 2 to 9
// (the space has no ink), at depth 16 (pixel 0xFFFF) or as an 8-bit any-depth
// coverage sheet (255). Baseline offset 10.
inline Font* Block_Font(int32_t depth = 16, bool tabelle = false) {
    int32_t gesamt = 0;
    for (int32_t c = 32; c < 256; ++c) gesamt += Block_Breite(c);
    auto* f = new Font();
    f->bogen = Rastport_Create(gesamt, BLOCK_HOEHE, depth, 0, 0);
    std::memset(f->bogen->pixels->pixels, 0, f->bogen->pixels->byte_size);
    int32_t x = 0;
    for (int32_t c = 32; c < 256; ++c) {
        const int32_t i = c - 32, w = Block_Breite(c);
        f->glyph_x[i] = x;
        f->glyph_breite[i] = w;
        if (c != ' ')
            for (int32_t y = BLOCK_TINTE_OBEN; y <= BLOCK_TINTE_UNTEN; ++y)
                for (int32_t k = 0; k < w; ++k) {
                    const size_t p = size_t(y) * f->bogen->width + x + k;
                    if (depth == 8) static_cast<uint8_t*>(f->bogen->pixels->pixels)[p] = 255;
                    else static_cast<uint16_t*>(f->bogen->pixels->pixels)[p] = 0xFFFF;
                }
        x += w;
    }
    f->baseline = 10;
    f->farbe = 0xFFFF;
    f->jede_tiefe = depth == 8;
    if (tabelle) {
        f->tabelle = new uint8_t[FONT_TABLE_BYTES]();
        for (int32_t i = 0; i < 224; ++i) f->tabelle[i] = uint8_t(i % 3);
    }
    return f;
}

// Frees a font made by Block_Font (not through the font module's allocator).
inline void Block_Font_Frei(Font* f) {
    if (!f) return;
    Rastport_Free(f->bogen);
    delete[] f->tabelle;
    delete f;
}

// The installation's "fontres.res" as the build wrote it.
inline std::string Fontres_Pfad() { return VELMORA_FONTRES; }

// A 5-6-5 or 5-5-5 picture as 8-bit RGB.
inline RgbBild Als_Rgb(const Rastport* rp) {
    RgbBild b;
    b.breite = rp->width;
    b.hoehe = rp->height;
    b.rgb.resize(size_t(b.breite) * b.hoehe * 3);
    const auto* p = static_cast<const uint16_t*>(rp->pixels->pixels);
    const bool d16 = rp->pixels->depth == 16;
    for (size_t i = 0; i < size_t(b.breite) * b.hoehe; ++i) {
        int32_t r5, g, b5;
        if (d16) r5 = p[i] >> 11, g = (p[i] >> 5) & 63, b5 = p[i] & 31;
        else r5 = (p[i] >> 10) & 31, g = ((p[i] >> 5) & 31) << 1, b5 = p[i] & 31;
        b.rgb[3 * i] = uint8_t(r5 << 3 | r5 >> 2);
        b.rgb[3 * i + 1] = uint8_t(g << 2 | g >> 4);
        b.rgb[3 * i + 2] = uint8_t(b5 << 3 | b5 >> 2);
    }
    return b;
}

// Compares a drawing with the reviewed reference tests/gfx/data/<name>.png;
// with VELMORA_UPDATE_REFERENCE set the reference is written anew. An empty
// result means equal; otherwise it says what differs (the drawing is then
// written to the temporary directory).
inline std::string Mit_Referenz_Vergleichen(const Rastport* rp, const std::string& name) {
    const char* daten = Testdaten();
    if (!daten) return "VELMORA_TEST_DATA not set";
    const RgbBild ist = Als_Rgb(rp);
    const std::string pfad = std::string(daten) + "/" + name + ".png";
    if (std::getenv("VELMORA_UPDATE_REFERENCE")) return Png_Schreiben(pfad, ist) ? "" : "cannot write " + pfad;
    RgbBild soll;
    if (!Png_Lesen(pfad, soll)) return "cannot read " + pfad;
    if (soll.breite != ist.breite || soll.hoehe != ist.hoehe) return "size differs from " + pfad;
    size_t falsch = 0, erster = 0;
    for (size_t i = 0; i < ist.rgb.size(); ++i)
        if (ist.rgb[i] != soll.rgb[i] && falsch++ == 0) erster = i / 3;
    if (!falsch) return "";
    const std::string aus = (std::filesystem::temp_directory_path() / (name + "_ist.png")).string();
    Png_Schreiben(aus, ist);
    return name + ": " + std::to_string(falsch) + " channel values differ, first at (" +
           std::to_string(erster % ist.breite) + ", " + std::to_string(erster / ist.breite) + "); drawing in " + aus;
}

}  // namespace velmora::test
