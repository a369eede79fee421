// tests/jpeg/jpeg_oracle.h - test pictures made and decoded by the system's
// libjpeg-turbo, used from the outside only: it produces the corpus and serves as
// the reference the decoder is compared with. Include after the codec's headers
// (jpeglib.h defines macros that clash with the codec's record names).
#pragma once
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace oracle {

enum class Space { Gray, YCbCr, Rgb, Cmyk, Ycck };

struct Vorgabe {
    int width = 48;
    int height = 40;
    Space space = Space::YCbCr;
    int h0 = 2, v0 = 2;        // sampling factors of the first component (and the fourth)
    int quality = 75;
    bool progressive = false;
    int restart_rows = 0;      // restart interval in MCU rows (restart_in_rows)
    int restart_mcus = 0;      // restart interval in MCUs
    bool jfif = true;
    bool optimize = false;
    bool separate_scans = false;   // sequential, one scan per component
};

inline int channels_of(Space s) {
    return s == Space::Gray ? 1 : (s == Space::Cmyk || s == Space::Ycck) ? 4 : 3;
}

// Plasma: diamond-square fractal noise, one field per channel, as smooth as a
// sky with clouds; whole blocks of it sit near a single value.
inline std::vector<uint8_t> plasma(int w, int h, int ch, uint32_t seed = 1) {
    const int n = 257;
    std::vector<uint8_t> px(size_t(w) * h * ch);
    for (int c = 0; c < ch; ++c) {
        std::vector<double> g(size_t(n) * n);
        uint32_t r = seed * 7919u + uint32_t(c);
        auto rnd = [&r] {
            r = r * 1103515245u + 12345u;
            return double((r >> 8) & 0xFFFF) / 65535.0 - 0.5;
        };
        g[0] = g[n - 1] = g[size_t(n - 1) * n] = g[size_t(n) * n - 1] = 128;
        double amp = 200;
        for (int step = n - 1; step > 1; step /= 2, amp *= 0.55) {
            const int hs = step / 2;
            for (int y = hs; y < n; y += step)
                for (int x = hs; x < n; x += step)
                    g[size_t(y) * n + x] = (g[size_t(y - hs) * n + x - hs] + g[size_t(y - hs) * n + x + hs] +
                                            g[size_t(y + hs) * n + x - hs] + g[size_t(y + hs) * n + x + hs]) / 4 +
                                           rnd() * amp;
            for (int y = 0; y < n; y += hs)
                for (int x = (y / hs) % 2 == 0 ? hs : 0; x < n; x += step) {
                    double s = 0;
                    int k = 0;
                    if (y >= hs) s += g[size_t(y - hs) * n + x], ++k;
                    if (y + hs < n) s += g[size_t(y + hs) * n + x], ++k;
                    if (x >= hs) s += g[size_t(y) * n + x - hs], ++k;
                    if (x + hs < n) s += g[size_t(y) * n + x + hs], ++k;
                    g[size_t(y) * n + x] = s / k + rnd() * amp;
                }
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double v = g[size_t(y % n) * n + size_t(x % n)];
                px[(size_t(y) * w + x) * ch + c] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
            }
    }
    return px;
}

// A picture with smooth gradients, edges and some noise, so every coefficient band is used.
inline std::vector<uint8_t> pattern(int w, int h, int ch, uint32_t seed = 1) {
    std::vector<uint8_t> px(size_t(w) * h * ch);
    uint32_t r = seed * 2654435761u + 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < ch; ++c) {
                r = r * 1103515245u + 12345u;
                int v = (x * (3 + c) * 255) / (w > 1 ? w : 1) / 3 + (y * (2 + c) * 255) / (h > 1 ? h : 1) / 4;
                if (((x / 5) + (y / 7) + c) % 3 == 0) v += 60;
                v += int((r >> 16) % 17) - 8;
                px[(size_t(y) * w + x) * ch + c] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
            }
    return px;
}

struct ErrorMgr {
    jpeg_error_mgr pub;
    jmp_buf jump;
};
inline void on_error(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<ErrorMgr*>(cinfo->err);
    longjmp(e->jump, 1);
}
inline void quiet(j_common_ptr, int) {}

// Encodes the pattern (or given pixels) as the settings ask.
inline std::vector<uint8_t> encode(const Vorgabe& s, const std::vector<uint8_t>* pixels = nullptr) {
    static int ch;   // static: survives the error handler's longjmp
    ch = channels_of(s.space);
    std::vector<uint8_t> src = pixels ? *pixels : pattern(s.width, s.height, ch, uint32_t(s.quality));
    jpeg_compress_struct c;
    ErrorMgr err;
    c.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = on_error;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&c);
        free(out);
        return {};
    }
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = JDIMENSION(s.width);
    c.image_height = JDIMENSION(s.height);
    c.input_components = ch;
    c.in_color_space = s.space == Space::Gray ? JCS_GRAYSCALE : ch == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    switch (s.space) {
    case Space::Gray: jpeg_set_colorspace(&c, JCS_GRAYSCALE); break;
    case Space::YCbCr: jpeg_set_colorspace(&c, JCS_YCbCr); break;
    case Space::Rgb: jpeg_set_colorspace(&c, JCS_RGB); break;
    case Space::Cmyk: jpeg_set_colorspace(&c, JCS_CMYK); break;
    case Space::Ycck: jpeg_set_colorspace(&c, JCS_YCCK); break;
    }
    c.write_JFIF_header = s.jfif && (s.space == Space::Gray || s.space == Space::YCbCr) ? TRUE : FALSE;
    jpeg_set_quality(&c, s.quality, TRUE);
    c.dct_method = JDCT_ISLOW;
    c.optimize_coding = s.optimize ? TRUE : FALSE;
    if (s.space != Space::Gray) {
        for (int i = 0; i < c.num_components; ++i) {
            bool lead = i == 0 || i == 3;
            c.comp_info[i].h_samp_factor = lead ? s.h0 : 1;
            c.comp_info[i].v_samp_factor = lead ? s.v0 : 1;
        }
    }
    if (s.restart_rows) c.restart_in_rows = s.restart_rows;
    if (s.restart_mcus) c.restart_interval = JDIMENSION(s.restart_mcus);
    static jpeg_scan_info separate[4];
    if (s.progressive) {
        jpeg_simple_progression(&c);
    } else if (s.separate_scans && c.num_components > 1) {
        for (int i = 0; i < c.num_components; ++i) {
            separate[i].comps_in_scan = 1;
            separate[i].component_index[0] = i;
            separate[i].Ss = 0, separate[i].Se = 63, separate[i].Ah = 0, separate[i].Al = 0;
        }
        c.scan_info = separate;
        c.num_scans = c.num_components;
    }
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(src.data() + size_t(c.next_scanline) * s.width * ch);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> result(out, out + size);
    free(out);
    return result;
}

struct Image {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> px;
};

// Decodes with the integer DCT and without smoothing up-sampling (with it when
// fancy), at 1/scale size. Gray and CMYK come out as stored; everything else as RGB.
inline Image decode(const std::vector<uint8_t>& data, int scale = 1, bool keep_raw = false, bool fancy = false,
                    bool block_smoothing = false) {
    jpeg_decompress_struct d;
    ErrorMgr err;
    d.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = on_error;
    err.pub.emit_message = quiet;
    Image img;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&d);
        return {};
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d, TRUE);
    d.dct_method = JDCT_ISLOW;
    d.do_fancy_upsampling = fancy ? TRUE : FALSE;
    d.do_block_smoothing = block_smoothing ? TRUE : FALSE;
    d.scale_num = 1;
    d.scale_denom = unsigned(scale);
    if (d.jpeg_color_space == JCS_CMYK || d.jpeg_color_space == JCS_YCCK) d.out_color_space = JCS_CMYK;
    else if (d.jpeg_color_space == JCS_GRAYSCALE || keep_raw) d.out_color_space = d.jpeg_color_space;
    else d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    img.width = int(d.output_width);
    img.height = int(d.output_height);
    img.channels = d.output_components;
    img.px.resize(size_t(img.width) * img.height * img.channels);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = img.px.data() + size_t(d.output_scanline) * img.width * img.channels;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return img;
}

// An abbreviated pair: the tables alone, and the image without them.
inline void encode_abbreviated(const Vorgabe& s, std::vector<uint8_t>& tables, std::vector<uint8_t>& image) {
    const int ch = channels_of(s.space);
    std::vector<uint8_t> src = pattern(s.width, s.height, ch, 3);
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    c.image_width = JDIMENSION(s.width);
    c.image_height = JDIMENSION(s.height);
    c.input_components = ch;
    c.in_color_space = ch == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, s.quality, TRUE);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    jpeg_write_tables(&c);
    tables.assign(out, out + size);
    free(out);
    out = nullptr;
    size = 0;
    jpeg_mem_dest(&c, &out, &size);
    jpeg_start_compress(&c, FALSE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = src.data() + size_t(c.next_scanline) * s.width * ch;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    image.assign(out, out + size);
    free(out);
}

}  // namespace oracle
