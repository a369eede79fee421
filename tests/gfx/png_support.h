// tests/gfx/png_support.h - 8-bit RGB PNG files for the reference pictures of
// the graphics tests (libpng).
#pragma once
#include <png.h>

#include <cstdint>
#include <cstdio>
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

}  // namespace velmora::test
