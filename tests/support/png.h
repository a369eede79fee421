// tests/support/png.h - 8-bit RGB PNG files for the reviewed reference pictures
// of the tests (libpng), and the comparison of a 5-6-5 screen with one.
#pragma once
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace velmora::test {

struct RgbBild {
    uint32_t breite = 0, hoehe = 0;
    std::vector<uint8_t> rgb;   // breite x hoehe x 3
};

inline bool Png_Schreiben(const std::string& name, const RgbBild& bild) {
    FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, bild.breite, bild.hoehe, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (uint32_t y = 0; y < bild.hoehe; ++y)
        png_write_row(png, const_cast<png_bytep>(bild.rgb.data() + size_t(y) * bild.breite * 3));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

inline bool Png_Lesen(const std::string& name, RgbBild& bild) {
    FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB || png_get_bit_depth(png, info) != 8) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    bild.breite = png_get_image_width(png, info);
    bild.hoehe = png_get_image_height(png, info);
    bild.rgb.assign(size_t(bild.breite) * bild.hoehe * 3, 0);
    for (uint32_t y = 0; y < bild.hoehe; ++y) png_read_row(png, bild.rgb.data() + size_t(y) * bild.breite * 3, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return true;
}

// 5-6-5 pixels as 8-bit RGB, each channel widened by repeating its top bits.
inline RgbBild Rgb_Aus_565(const uint16_t* p, uint32_t breite, uint32_t hoehe) {
    RgbBild b;
    b.breite = breite;
    b.hoehe = hoehe;
    b.rgb.resize(size_t(breite) * hoehe * 3);
    for (size_t i = 0; i < size_t(breite) * hoehe; ++i) {
        uint32_t r = p[i] >> 11, g = (p[i] >> 5) & 63, bl = p[i] & 31;
        b.rgb[3 * i] = uint8_t(r << 3 | r >> 2);
        b.rgb[3 * i + 1] = uint8_t(g << 2 | g >> 4);
        b.rgb[3 * i + 2] = uint8_t(bl << 3 | bl >> 2);
    }
    return b;
}

// The folder of the reference data: VELMORA_TEST_DATA, else the test
// program's own folder as built (so that it also runs without CTest).
inline const char* Testdaten() {
    if (const char* daten = std::getenv("VELMORA_TEST_DATA")) return daten;
#ifdef VELMORA_TEST_DATA_DIR
    return VELMORA_TEST_DATA_DIR;
#else
    return nullptr;
#endif
}

// Compares a picture with the reference "<VELMORA_TEST_DATA>/<name>.png"; with
// VELMORA_UPDATE_REFERENCE set it writes the reference instead. An empty text
// means equal; otherwise what differs (the picture is then written to the
// temporary directory for review).
inline std::string Png_Vergleichen(const std::string& name, const RgbBild& ist) {
    const char* daten = Testdaten();
    if (!daten) return "VELMORA_TEST_DATA is not set";
    std::string pfad = std::string(daten) + "/" + name + ".png";
    if (std::getenv("VELMORA_UPDATE_REFERENCE")) return Png_Schreiben(pfad, ist) ? "" : "cannot write " + pfad;
    RgbBild soll;
    if (!Png_Lesen(pfad, soll)) return "cannot read " + pfad;
    if (soll.breite != ist.breite || soll.hoehe != ist.hoehe) return "size differs from " + pfad;
    size_t falsch = 0, erster = 0;
    for (size_t i = 0; i < ist.rgb.size(); ++i)
        if (ist.rgb[i] != soll.rgb[i] && falsch++ == 0) erster = i / 3;
    if (!falsch) return "";
    std::string aus = "/tmp/" + name + "_ist.png";
    Png_Schreiben(aus, ist);
    return std::to_string(falsch) + " channel values differ from " + pfad + ", first at pixel (" +
           std::to_string(erster % ist.breite) + ", " + std::to_string(erster / ist.breite) + "); written to " + aus;
}

}  // namespace velmora::test
