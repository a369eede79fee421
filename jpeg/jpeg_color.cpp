// jpeg/jpeg_color.cpp
#include "jpeg/jpeg_color.h"

#include <cstring>

#include "jpeg/jpeg_output.h"

namespace velmora {
namespace {

inline uint8_t clamp255(int32_t v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

enum class Out { Gray, Rgb, Bgr, Rgba, YccaRgba, Copy3, Copy3Rgba, Copy4, Ycc422 };

constexpr int channels_of(Out o) {
    return o == Out::Gray ? 1 : o == Out::Ycc422 ? 2
         : (o == Out::Rgba || o == Out::YccaRgba || o == Out::Copy3Rgba || o == Out::Copy4) ? 4 : 3;
}
constexpr bool converts(Out o) { return o == Out::Rgb || o == Out::Bgr || o == Out::Rgba || o == Out::YccaRgba; }

// The chroma terms of the 64 samples of one chroma block, computed once per sample.
struct Terms {
    int32_t r[64], g[64], b[64];
};
inline void chroma_terms(const int16_t* cb, const int16_t* cr, Terms& t) {
    for (int i = 0; i < 64; ++i) {
        int32_t u = cb[i], v = cr[i];
        t.r[i] = (359 * v - 45813) >> 8;
        t.g[i] = (88 * u + 183 * v - 34806) >> 8;
        t.b[i] = (454 * u - 57937) >> 8;
    }
}

// Converts the pixels [x0, x1) x [y0, y1) of an MCU of H x V luma blocks; out
// addresses pixel (x0, y0). The block converters run it over the whole MCU, the
// drivers over the visible part of an MCU cut by the image edge or the region,
// so both give the same bytes.
template <int H, int V, Out O>
void convert_rect(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k, uint8_t* out,
                  int32_t pitch, int x0, int y0, int x1, int y1) {
    constexpr int CH = channels_of(O);
    Terms t;
    if constexpr (converts(O)) chroma_terms(cb, cr, t);
    for (int yy = y0; yy < y1; ++yy) {
        uint8_t* o = out + ptrdiff_t(yy - y0) * pitch;
        const int16_t* yrow = y + (yy >> 3) * H * 64 + (yy & 7) * 8;
        const int16_t* krow = k ? k + (yy >> 3) * H * 64 + (yy & 7) * 8 : nullptr;
        const int crow = (yy / V) * 8;
        for (int xx = x0; xx < x1; ++xx, o += CH) {
            const int li = (xx >> 3) * 64 + (xx & 7);
            const int32_t l = yrow[li];
            const int ci = crow + xx / H;
            if constexpr (O == Out::Gray) {
                o[0] = clamp255(l);
            } else if constexpr (O == Out::Rgb || O == Out::Rgba) {
                o[0] = clamp255(l + t.r[ci]);
                o[1] = clamp255(l - t.g[ci]);
                o[2] = clamp255(l + t.b[ci]);
                if constexpr (O == Out::Rgba) o[3] = 255;
            } else if constexpr (O == Out::Bgr) {
                o[0] = clamp255(l + t.b[ci]);
                o[1] = clamp255(l - t.g[ci]);
                o[2] = clamp255(l + t.r[ci]);
            } else if constexpr (O == Out::YccaRgba) {
                o[0] = uint8_t(255 - clamp255(l + t.r[ci]));
                o[1] = uint8_t(255 - clamp255(l - t.g[ci]));
                o[2] = uint8_t(255 - clamp255(l + t.b[ci]));
                o[3] = uint8_t(krow[li]);
            } else if constexpr (O == Out::Copy3 || O == Out::Copy3Rgba || O == Out::Copy4) {
                o[0] = uint8_t(l);
                o[1] = uint8_t(cb[ci]);
                o[2] = uint8_t(cr[ci]);
                if constexpr (O == Out::Copy3Rgba) o[3] = 255;
                if constexpr (O == Out::Copy4) o[3] = uint8_t(krow[li]);
            } else {   // Ycc422: Y0 Cb Y1 Cr per pixel pair
                o[0] = uint8_t(l);
                o[1] = uint8_t((xx & 1) ? cr[ci] : cb[ci]);
            }
        }
    }
}

// Saturation to 0..255 by table: entry (v + 512) & 1023 holds v clamped, exact
// for v in [-512, 511]. The converters add a chroma term to a luma sample; every
// sample the transforms put out is clamped to 0..255, and for Cb and Cr in 0..255
// the terms lie in [-179, 178] (red), [-136, 135] (green) and [-227, 225] (blue),
// so the sums lie in [-227, 482], well inside. The mask keeps any other value
// inside the table.
struct LimitTable {
    uint8_t v[1024];
    constexpr LimitTable() : v() {
        for (int i = 0; i < 1024; ++i) v[i] = uint8_t(i < 512 ? (i > 255 ? 255 : i) : 0);
    }
};
constexpr LimitTable kLimit;
inline uint8_t limit(int32_t v) { return kLimit.v[uint32_t(v) & 1023]; }

// A whole MCU to RGB, BGR or RGBA: each chroma sample's three terms are applied
// to the H luma samples beside it, saturated through the table; the bytes are
// those of convert_rect.
template <int H, int V, Out O>
void convert_full(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    constexpr int CH = channels_of(O);
    constexpr int R = O == Out::Bgr ? 2 : 0, B = O == Out::Bgr ? 0 : 2;
    Terms t;
    chroma_terms(cb, cr, t);
    // One chroma row at a time: its terms serve the V luma rows beside it.
    for (int cy = 0; cy < 8; ++cy) {
        uint8_t* o[V];
        const int16_t* yrow[V];
        for (int v = 0; v < V; ++v) {
            const int yy = cy * V + v;
            o[v] = out + ptrdiff_t(yy) * pitch;
            yrow[v] = y + (yy >> 3) * H * 64 + (yy & 7) * 8;
        }
        const int crow = cy * 8;
        // Unrolled, every luma index is a constant offset from the row.
#pragma GCC unroll 8
        for (int cx = 0; cx < 8; ++cx) {
            const int32_t tr = t.r[crow + cx], tg = t.g[crow + cx], tb = t.b[crow + cx];
#pragma GCC unroll 2
            for (int v = 0; v < V; ++v) {
#pragma GCC unroll 2
                for (int h = 0; h < H; ++h) {
                    const int xx = cx * H + h;
                    const int32_t l = yrow[v][(xx >> 3) * 64 + (xx & 7)];
                    uint8_t* px = o[v] + xx * CH;
                    px[R] = limit(l + tr);
                    px[1] = limit(l - tg);
                    px[B] = limit(l + tb);
                    if constexpr (O == Out::Rgba) px[3] = 255;
                }
            }
        }
    }
}

template <int H, int V, Out O>
void convert_block(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k, uint8_t* out,
                   int32_t pitch) {
    if constexpr (O == Out::Rgb || O == Out::Bgr || O == Out::Rgba) convert_full<H, V, O>(y, cb, cr, out, pitch);
    else convert_rect<H, V, O>(y, cb, cr, k, out, pitch, 0, 0, 8 * H, 8 * V);
}

// The driver of every path: place the MCU, convert it whole through its slot,
// or only its visible pixels.
template <int H, int V, Out O>
void drive(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, JpegYccFn ycc, JpegYccaFn ycca, JpegGrayFn gray) {
    constexpr int CH = channels_of(O);
    const int16_t* y = p->work_blocks;
    const int16_t* cb = y + H * V * 64;
    const int16_t* cr = cb + 64;
    const int16_t* k = cr + 64;
    auto slot = [&](uint8_t* out, int32_t pitch) {
        if (gray) gray(y, out, pitch);
        else if (ycca) ycca(y, cb, cr, k, out, pitch);
        else ycc(y, cb, cr, out, pitch);
    };
    // Without a region, an MCU wholly inside the caller's image (most of them)
    // goes straight through its slot at the place jpeg_mcu_output_rect names.
    const JPEG_RECT& g = p->region;
    if ((g.left | g.top | g.right | g.bottom) == 0) {
        const int64_t x0 = int64_t(col) * (8 * H), y0 = int64_t(row) * (8 * V);
        const int64_t ah = p->image_height < 0 ? -int64_t(p->image_height) : p->image_height;
        if (x0 + 8 * H <= p->image_width && y0 + 8 * V <= ah) {
            const ptrdiff_t off = ptrdiff_t(x0 * p->image_channels + y0 * p->image_pitch);
            p->output_offset = off;
            slot(p->image_data + off, p->image_pitch);
            return;
        }
    }
    JPEG_RECT rect;
    ptrdiff_t off = 0;
    if (jpeg_mcu_output_rect(p->region, 8 * H, 8 * V, col, row, p->image_channels, p->image_pitch,
                             p->image_width, p->image_height, &off, &rect) != 0)
        return;
    p->output_offset = off;
    const JPEG_RECT full = {0, 0, 8 * H, 8 * V};
    if (jpeg_rect_equal(rect, full)) {
        slot(p->image_data + off, p->image_pitch);
        return;
    }
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    // An MCU inside the picture that only the region or the caller's image cuts
    // goes through its slot as a whole read converts it, into a scratch MCU of
    // which the visible part is copied: the slots of the vector classes round a
    // few sums one step off the per-pixel path, which the picture's own edge
    // MCUs take in every read.
    if (uint64_t(col + 1) * (8 * H) <= p->frame.width && uint64_t(row + 1) * (8 * V) <= p->frame.height) {
        // A vector store may reach past a row's last pixel: room to spare.
        constexpr int32_t sp = 8 * H * CH;
        alignas(32) uint8_t scratch[8 * V * sp + 64];
        slot(scratch, sp);
        uint8_t* dst = p->image_data + off + ptrdiff_t(rect.left) * CH;
        for (int32_t r = rect.top; r < rect.bottom; ++r)
            std::memcpy(dst + ptrdiff_t(r) * p->image_pitch, scratch + r * sp + rect.left * CH,
                        size_t(rect.right - rect.left) * CH);
        return;
    }
    // The picture's own edge MCU: the per-pixel formula, whole through the
    // plain converter (the same bytes, a table instead of comparisons) into a
    // scratch MCU of which the visible part is copied.
    if constexpr (O == Out::Rgb || O == Out::Bgr || O == Out::Rgba) {
        constexpr int32_t sp = 8 * H * CH;
        uint8_t scratch[8 * V * sp];
        convert_full<H, V, O>(y, cb, cr, scratch, sp);
        uint8_t* dst = p->image_data + off + ptrdiff_t(rect.left) * CH;
        for (int32_t r = rect.top; r < rect.bottom; ++r)
            std::memcpy(dst + ptrdiff_t(r) * p->image_pitch, scratch + r * sp + rect.left * CH,
                        size_t(rect.right - rect.left) * CH);
        return;
    }
    uint8_t* out = p->image_data + off + ptrdiff_t(rect.top) * p->image_pitch + ptrdiff_t(rect.left) * CH;
    const bool four = O == Out::YccaRgba || O == Out::Copy4;
    convert_rect<H, V, O>(y, cb, cr, four ? k : nullptr, out, p->image_pitch, rect.left, rect.top, rect.right,
                          rect.bottom);
}

}  // namespace

void jpeg_ycc_to_rgb(int32_t y, int32_t cb, int32_t cr, bool in_place, uint8_t* rgb) {
    rgb[0] = clamp255(y + ((359 * cr - 45813) >> 8));
    rgb[1] = in_place ? clamp255(y + ((34806 - 88 * cb - 183 * cr) >> 8))
                      : clamp255(y - ((88 * cb + 183 * cr - 34806) >> 8));
    rgb[2] = clamp255(y + ((454 * cb - 57937) >> 8));
}

void jpeg_cc_gray(const int16_t* y, uint8_t* out, int32_t pitch) {
    convert_block<1, 1, Out::Gray>(y, nullptr, nullptr, nullptr, out, pitch);
}
void jpeg_cc_ycc_rgb(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<1, 1, Out::Rgb>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_rgb_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 1, Out::Rgb>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_rgb_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 2, Out::Rgb>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_bgr(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<1, 1, Out::Bgr>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_bgr_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 1, Out::Bgr>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_bgr_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 2, Out::Bgr>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_rgba(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<1, 1, Out::Rgba>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_rgba_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 1, Out::Rgba>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycc_rgba_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 2, Out::Rgba>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_copy3(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch) {
    convert_block<1, 1, Out::Copy3>(a, b, c, nullptr, out, pitch);
}
void jpeg_cc_copy3_h2v1(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch) {
    convert_block<2, 1, Out::Copy3>(a, b, c, nullptr, out, pitch);
}
void jpeg_cc_copy3_h2v2(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch) {
    convert_block<2, 2, Out::Copy3>(a, b, c, nullptr, out, pitch);
}
void jpeg_cc_copy3_rgba(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch) {
    convert_block<1, 1, Out::Copy3Rgba>(a, b, c, nullptr, out, pitch);
}
void jpeg_cc_ycc422(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert_block<2, 1, Out::Ycc422>(y, cb, cr, nullptr, out, pitch);
}
void jpeg_cc_ycca_rgba(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k, uint8_t* out,
                       int32_t pitch) {
    convert_block<1, 1, Out::YccaRgba>(y, cb, cr, k, out, pitch);
}
void jpeg_cc_ycca_rgba_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                            uint8_t* out, int32_t pitch) {
    convert_block<2, 1, Out::YccaRgba>(y, cb, cr, k, out, pitch);
}
void jpeg_cc_ycca_rgba_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                            uint8_t* out, int32_t pitch) {
    convert_block<2, 2, Out::YccaRgba>(y, cb, cr, k, out, pitch);
}
void jpeg_cc_copy4(const int16_t* a, const int16_t* b, const int16_t* c, const int16_t* d, uint8_t* out,
                   int32_t pitch) {
    convert_block<1, 1, Out::Copy4>(a, b, c, d, out, pitch);
}

#define VELMORA_KS (p->stream.environment->k)
void jpeg_out_gray(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Gray>(p, c, r, nullptr, nullptr, VELMORA_KS.cc_gray);
}
void jpeg_out_ycc_rgb(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Rgb>(p, c, r, VELMORA_KS.cc_ycc_rgb, nullptr, nullptr);
}
void jpeg_out_ycc_bgr(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Bgr>(p, c, r, VELMORA_KS.cc_ycc_bgr, nullptr, nullptr);
}
void jpeg_out_ycc_rgb_h2v2(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 2, Out::Rgb>(p, c, r, VELMORA_KS.cc_ycc_rgb_h2v2, nullptr, nullptr);
}
void jpeg_out_ycc_bgr_h2v2(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 2, Out::Bgr>(p, c, r, VELMORA_KS.cc_ycc_bgr_h2v2, nullptr, nullptr);
}
void jpeg_out_ycc_rgb_h2v1(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 1, Out::Rgb>(p, c, r, VELMORA_KS.cc_ycc_rgb_h2v1, nullptr, nullptr);
}
void jpeg_out_ycc_bgr_h2v1(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 1, Out::Bgr>(p, c, r, VELMORA_KS.cc_ycc_bgr_h2v1, nullptr, nullptr);
}
void jpeg_out_ycc_rgba(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Rgba>(p, c, r, VELMORA_KS.cc_ycc_rgba, nullptr, nullptr);
}
void jpeg_out_ycc_rgba_h2v2(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 2, Out::Rgba>(p, c, r, VELMORA_KS.cc_ycc_rgba_h2v2, nullptr, nullptr);
}
void jpeg_out_ycc_rgba_h2v1(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 1, Out::Rgba>(p, c, r, VELMORA_KS.cc_ycc_rgba_h2v1, nullptr, nullptr);
}
void jpeg_out_ycca_rgba(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::YccaRgba>(p, c, r, nullptr, VELMORA_KS.cc_ycca_rgba, nullptr);
}
void jpeg_out_ycca_rgba_h2v2(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 2, Out::YccaRgba>(p, c, r, nullptr, VELMORA_KS.cc_ycca_rgba_h2v2, nullptr);
}
void jpeg_out_ycca_rgba_h2v1(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 1, Out::YccaRgba>(p, c, r, nullptr, VELMORA_KS.cc_ycca_rgba_h2v1, nullptr);
}
void jpeg_out_copy3_rgba(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Copy3Rgba>(p, c, r, VELMORA_KS.cc_copy3_rgba, nullptr, nullptr);
}
void jpeg_out_copy4(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Copy4>(p, c, r, nullptr, VELMORA_KS.cc_copy4, nullptr);
}
void jpeg_out_copy3(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<1, 1, Out::Copy3>(p, c, r, jpeg_cc_copy3, nullptr, nullptr);   // called directly
}
void jpeg_out_copy3_h2v2(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 2, Out::Copy3>(p, c, r, VELMORA_KS.cc_copy3_h2v2, nullptr, nullptr);
}
void jpeg_out_copy3_h2v1(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 1, Out::Copy3>(p, c, r, VELMORA_KS.cc_copy3_h2v1, nullptr, nullptr);
}
void jpeg_out_ycc422(JPEG_PROPERTIES* p, uint32_t c, uint32_t r) {
    drive<2, 1, Out::Ycc422>(p, c, r, VELMORA_KS.cc_ycc422, nullptr, nullptr);
}
#undef VELMORA_KS

}  // namespace velmora
