// jpeg/jpeg_enc_color.cpp
#include "jpeg/jpeg_enc_color.h"

#include <cstring>

#include "jpeg/jpeg_enc_state.h"

namespace velmora {
namespace {

// How the general input stage reads one pixel.
enum InputKind : uint32_t {
    KIND_RGB = 1,          // colour converted, channel order from the image colour
    KIND_INVERTED,         // four-byte colour, inverted, fourth byte as fourth component
    KIND_GRAY_FROM_COLOR,  // luminance of a colour pixel
    KIND_PLAIN,            // component k from channel k
    KIND_SWAPPED,          // component k from channel 2 - k (BGR written as RGB)
    KIND_GRAY_TO_YCC,      // gray byte as Y, chroma 0
    KIND_PACKED,           // pre-subsampled pairs Y0 Cb Y1 Cr
};

inline int16_t luma(int32_t r, int32_t g, int32_t b) { return int16_t((77 * r + 150 * g + 29 * b - 32640) >> 8); }
inline int16_t chroma_b(int32_t r, int32_t g, int32_t b, int s) {
    return int16_t((-43 * r - 85 * g + 128 * b + (1 << (s - 1))) >> s);
}
inline int16_t chroma_r(int32_t r, int32_t g, int32_t b, int s) {
    return int16_t((128 * r - 107 * g - 21 * b + (1 << (s - 1))) >> s);
}

// One full MCU of colour pixels: luminance per pixel into HF x VF blocks, chroma
// from the sums of HF x VF groups, the fourth component (INV) like luminance.
// Group by group, each group's sums in registers (row by row, the eight sums
// of a chroma row in three arrays went through memory on every pixel: 3-4 % of
// a class 0 encode; 15 % of the four-byte 2 x 2 converter's time). The
// four-byte 2 x 1 form alone goes row by row, each row read in order: by
// groups it took 7 % longer.
template <int RO, int GO, int BO, int BPP, bool INV, int HF, int VF>
void convert_colour(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    const int s = 8 + (HF - 1) + (VF - 1);
    if constexpr (!INV || HF == 1 || VF == 2) {
        for (int cy = 0; cy < 8; ++cy) {
#pragma GCC unroll 8
            for (int cx = 0; cx < 8; ++cx) {
                int32_t tr = 0, tg = 0, tb = 0;
                for (int dy = 0; dy < VF; ++dy) {
                    const int py = cy * VF + dy;
                    const uint8_t* row = src + ptrdiff_t(py) * step;
                    const int at = (py / 8) * HF * 64 + (py % 8) * 8;
                    for (int dx = 0; dx < HF; ++dx) {
                        const int px = cx * HF + dx, i = at + (px / 8) * 64 + px % 8;
                        const uint8_t* pix = row + px * BPP;
                        int32_t r = pix[RO], g = pix[GO], b = pix[BO];
                        if constexpr (INV) {
                            r = 255 - r, g = 255 - g, b = 255 - b;
                            q[i] = int16_t(pix[3] - 128);
                        }
                        tr += r, tg += g, tb += b;
                        y[i] = luma(r, g, b);
                    }
                }
                cb[cy * 8 + cx] = chroma_b(tr, tg, tb, s);
                cr[cy * 8 + cx] = chroma_r(tr, tg, tb, s);
            }
        }
        return;
    }
    for (int cy = 0; cy < 8; ++cy) {
        int32_t sr[8] = {}, sg[8] = {}, sb[8] = {};
        for (int dy = 0; dy < VF; ++dy) {
            const int py = cy * VF + dy;
            const uint8_t* row = src + ptrdiff_t(py) * step;
            const int at = (py / 8) * HF * 64 + (py % 8) * 8;
            int16_t* yrow = y + at;
#pragma GCC unroll 16
            for (int px = 0; px < 8 * HF; ++px) {
                const uint8_t* pix = row + px * BPP;
                const int32_t r = 255 - pix[RO], g = 255 - pix[GO], b = 255 - pix[BO];
                sr[px / HF] += r, sg[px / HF] += g, sb[px / HF] += b;
                yrow[(px / 8) * 64 + px % 8] = luma(r, g, b);
                q[at + (px / 8) * 64 + px % 8] = int16_t(pix[3] - 128);
            }
        }
        for (int cx = 0; cx < 8; ++cx) {
            cb[cy * 8 + cx] = chroma_b(sr[cx], sg[cx], sb[cx], s);
            cr[cy * 8 + cx] = chroma_r(sr[cx], sg[cx], sb[cx], s);
        }
    }
}

// One full MCU of three-byte pixels taken as components: the first at full
// resolution, the other two averaged over HF x VF groups.
template <int HF, int VF>
void convert_copy3(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr) {
    const int n = HF * VF;
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            int32_t s1 = 0, s2 = 0;
            for (int dy = 0; dy < VF; ++dy)
                for (int dx = 0; dx < HF; ++dx) {
                    const int px = cx * HF + dx, py = cy * VF + dy;
                    const uint8_t* pix = src + ptrdiff_t(py) * step + px * 3;
                    y[((py / 8) * HF + px / 8) * 64 + (py % 8) * 8 + px % 8] = int16_t(pix[0] - 128);
                    s1 += pix[1], s2 += pix[2];
                }
            cb[cy * 8 + cx] = int16_t((s1 + n / 2) / n - 128);
            cr[cy * 8 + cx] = int16_t((s2 + n / 2) / n - 128);
        }
}

void copy_planes(const uint8_t* src, int32_t step, int bpp, int16_t* const* out, int count) {
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            for (int k = 0; k < count; ++k) out[k][r * 8 + c] = int16_t(src[ptrdiff_t(r) * step + c * bpp + k] - 128);
}

int32_t floor_div(int32_t a, int32_t n) { return a >= 0 ? a / n : -((-a + n - 1) / n); }

struct Layout {
    int32_t mode;
    int32_t slot;          // converter slot, -1 for the general routine
    uint32_t kind;
};

}  // namespace

void jpeg_enc_gray(const uint8_t* src, int32_t step, int16_t* y, int16_t*, int16_t*, int16_t*) {
    int16_t* out[1] = {y};
    copy_planes(src, step, 1, out, 1);
}
void jpeg_enc_rgb_h1v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<0, 1, 2, 3, false, 1, 1>(s, st, y, cb, cr, q);
}
void jpeg_enc_rgb_h2v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<0, 1, 2, 3, false, 2, 1>(s, st, y, cb, cr, q);
}
void jpeg_enc_rgb_h2v2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<0, 1, 2, 3, false, 2, 2>(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h1v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<2, 1, 0, 3, false, 1, 1>(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h2v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<2, 1, 0, 3, false, 2, 1>(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h2v2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<2, 1, 0, 3, false, 2, 2>(s, st, y, cb, cr, q);
}
void jpeg_enc_copy3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_copy3<1, 1>(s, st, y, cb, cr);
}
void jpeg_enc_copy3_h2v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_copy3<2, 1>(s, st, y, cb, cr);
}
void jpeg_enc_copy3_h2v2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_copy3<2, 2>(s, st, y, cb, cr);
}
void jpeg_enc_ycbycr_h2v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    for (int r = 0; r < 8; ++r) {
        const uint8_t* row = src + ptrdiff_t(r) * step;
        for (int i = 0; i < 8; ++i) {
            const uint8_t* pair = row + 4 * i;
            const int x = 2 * i;
            y[(x / 8) * 64 + r * 8 + x % 8] = int16_t(pair[0] - 128);
            y[((x + 1) / 8) * 64 + r * 8 + (x + 1) % 8] = int16_t(pair[2] - 128);
            cb[r * 8 + i] = int16_t(pair[1] - 128);
            cr[r * 8 + i] = int16_t(pair[3] - 128);
        }
    }
}
void jpeg_enc_rgba_h1v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<0, 1, 2, 4, true, 1, 1>(s, st, y, cb, cr, q);
}
void jpeg_enc_rgba_h2v1(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<0, 1, 2, 4, true, 2, 1>(s, st, y, cb, cr, q);
}
void jpeg_enc_rgba_h2v2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    convert_colour<0, 1, 2, 4, true, 2, 2>(s, st, y, cb, cr, q);
}
void jpeg_enc_copy4(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    int16_t* out[4] = {y, cb, cr, q};
    copy_planes(src, step, 4, out, 4);
}

JPEG_RESULT jpeg_select_input(JPEG_PROPERTIES* p) {
    JPEG_ENCODER* e = p->encoder;
    if (!e) return JPEG_ERR_INTERNAL;
    const JPEG_FRAME& f = p->frame;
    const uint32_t n = f.ncomps;
    const int32_t ch = p->image_channels, ic = p->image_color;
    const bool conv = e->use_conversion != 0;
    bool sub = false;
    for (uint32_t i = 0; i < n && i < 4; ++i) sub = sub || f.components[i].h != 1 || f.components[i].v != 1;
    const bool h2v2 = n >= 1 && f.components[0].h == 2 && f.components[0].v == 2;
    const bool h2v1 = n >= 1 && f.components[0].h == 2 && f.components[0].v == 1;
    const bool bgr = ic == JPEG_COLOR_BGR;
    Layout l{0, -1, 0};
    if (sub && conv) {
        if (n < 1 || n > 255) return JPEG_ERR_COMP;
        if (n == 3 && (ic == JPEG_COLOR_RGB || bgr) && ch == 3 && (h2v2 || h2v1))
            l = h2v2 ? Layout{bgr ? 4 : 3, bgr ? 25 : 22, KIND_RGB} : Layout{bgr ? 6 : 5, bgr ? 24 : 21, KIND_RGB};
        else if (n == 3 && ic == JPEG_COLOR_RGB && ch == 4)
            l = {0, -1, KIND_RGB};
        else if (n == 4 && ic == JPEG_COLOR_RGBA && ch == 4 && (h2v2 || h2v1))
            l = h2v2 ? Layout{11, 32, KIND_INVERTED} : Layout{12, 31, KIND_INVERTED};
    } else if (sub) {
        if (n == 3 && ch == 3 && !bgr && h2v2) l = {16, 28, KIND_PLAIN};
        else if (n == 3 && ch == 3 && !bgr && h2v1 && p->image_sampling == 2) l = {18, 29, KIND_PACKED};
        else if (n == 3 && ch == 3 && !bgr && h2v1) l = {17, 27, KIND_PLAIN};
        else l = {0, -1, ch == 1 ? KIND_GRAY_TO_YCC : bgr ? KIND_SWAPPED : KIND_PLAIN};
    } else if (conv) {
        if (n == 1 && ch >= 3) l = {0, -1, KIND_GRAY_FROM_COLOR};
        else if (n == 3 && ch == 3) l = bgr ? Layout{2, 23, KIND_RGB} : Layout{1, 20, KIND_RGB};
        else if (n == 3 && ch == 4) l = {0, -1, KIND_RGB};
        else if (n == 4 && ch == 4 && ic == JPEG_COLOR_RGBA) l = {10, 30, KIND_INVERTED};
    } else {
        if (n == 1 && ic == JPEG_COLOR_GRAY && ch == 1) l = {20, 19, KIND_PLAIN};
        else if (n == 3 && ch == 3) l = bgr ? Layout{0, -1, KIND_SWAPPED} : Layout{15, 26, KIND_PLAIN};
        else if (n == 3 && ch == 1) l = {0, -1, KIND_GRAY_TO_YCC};
        else if (n == 4 && ch == 4) l = {14, 33, KIND_PLAIN};
        else if (int32_t(n) <= ch) l = {0, -1, KIND_PLAIN};
    }
    p->converter_code = uint32_t(l.mode);
    if (!l.kind) {
        p->stream.environment->k.enc_mcu_fetch = nullptr;
        return JPEG_ERR_NOT_SUPPORTED;
    }
    e->input_kind = l.kind;
    e->input_slot = l.slot;
    p->stream.environment->k.enc_mcu_fetch = jpeg_input_mcu;
    return 0;
}

JpegEncConvertFn jpeg_input_converter(const JPEG_PROPERTIES* p) {
    const JPEG_KERNELS& k = p->stream.environment->k;
    if (k.enc_mcu_fetch != jpeg_input_mcu || !p->encoder || p->encoder->input_slot < 0) return nullptr;
    return k.enc_convert[p->encoder->input_slot - 19];
}

void jpeg_input_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) {
    JPEG_ENCODER* e = p->encoder;
    const JPEG_FRAME& f = p->frame;
    const uint32_t n = f.ncomps, mw = f.mcu_width, mh = f.mcu_height;
    const int32_t bpp = p->image_sampling == 2 ? 2 : p->image_channels;
    const int32_t pitch = p->image_pitch;
    const uint8_t* base = p->image_data + ptrdiff_t(row) * mh * pitch + ptrdiff_t(col) * mw * bpp;
    const uint32_t width = uint32_t(p->stream_width), height = uint32_t(p->stream_height);
    const uint32_t cov_w = col + 1 < f.mcus_per_row || width % mw == 0 ? mw : width % mw;
    const uint32_t cov_h = row + 1 < f.mcu_rows || height % mh == 0 ? mh : height % mh;
    // Block pointers of the components: Y, Cb, Cr, fourth.
    int16_t* comp[4] = {};
    int16_t* at = e->mcu;
    for (uint32_t c = 0; c < n && c < 4; ++c) {
        comp[c] = at;
        at += 64 * f.components[c].h * f.components[c].v;
    }
    if (e->input_slot >= 0) {
        JpegEncConvertFn convert = p->stream.environment->k.enc_convert[e->input_slot - 19];
        if (cov_w == mw && cov_h == mh) {
            convert(base, pitch, comp[0], comp[1], comp[2], comp[3]);
            return;
        }
        // An MCU the picture's edge cuts: its pixels with the last column and
        // row repeated, converted by the same slot as every other MCU.
        if (mw <= 16 && mh <= 16 && bpp <= 4 && e->input_kind != KIND_PACKED) {
            alignas(16) uint8_t pad[16 * 16 * 4 + 16];
            const int32_t step = int32_t(mw) * bpp;
            for (uint32_t y = 0; y < mh; ++y) {
                const uint8_t* line = base + ptrdiff_t(y < cov_h ? y : cov_h - 1) * pitch;
                uint8_t* to = pad + ptrdiff_t(y) * step;
                std::memcpy(to, line, size_t(cov_w) * bpp);
                for (uint32_t x = cov_w; x < mw; ++x) std::memcpy(to + x * bpp, line + (cov_w - 1) * bpp, size_t(bpp));
            }
            convert(pad, step, comp[0], comp[1], comp[2], comp[3]);
            return;
        }
    }
    // Every pixel converted on its own, the last column and row repeated, then
    // each component taken down to its resolution by rounded averages.
    int16_t px[4][16][16];
    const int ro = p->image_color == JPEG_COLOR_BGR ? 2 : 0, bo = 2 - ro;
    for (uint32_t y = 0; y < mh; ++y) {
        const uint8_t* line = base + ptrdiff_t(y < cov_h ? y : cov_h - 1) * pitch;
        for (uint32_t x = 0; x < mw; ++x) {
            const uint32_t sx = x < cov_w ? x : cov_w - 1;
            const uint8_t* pix = line + ptrdiff_t(sx) * bpp;
            int16_t* v[4] = {&px[0][y][x], &px[1][y][x], &px[2][y][x], &px[3][y][x]};
            switch (e->input_kind) {
            case KIND_RGB:
            case KIND_INVERTED: {
                int32_t r = pix[ro], g = pix[1], b = pix[bo];
                if (e->input_kind == KIND_INVERTED) r = 255 - pix[0], g = 255 - pix[1], b = 255 - pix[2];
                *v[0] = luma(r, g, b);
                *v[1] = chroma_b(r, g, b, 8);
                *v[2] = chroma_r(r, g, b, 8);
                *v[3] = int16_t(e->input_kind == KIND_INVERTED ? pix[3] - 128 : 0);
                break;
            }
            case KIND_GRAY_FROM_COLOR: *v[0] = luma(pix[ro], pix[1], pix[bo]); break;
            case KIND_SWAPPED:
                for (int k = 0; k < 3; ++k) *v[k] = int16_t(pix[2 - k] - 128);
                break;
            case KIND_GRAY_TO_YCC:
                *v[0] = int16_t(pix[0] - 128);
                *v[1] = *v[2] = 0;
                break;
            case KIND_PACKED: {
                // Pairs Y0 Cb Y1 Cr; the pair of an odd width's last pixel has no Cr
                // inside the row, so that pixel takes neutral chroma for Cr.
                const uint32_t gx = col * mw + sx;
                const uint8_t* pair = pix - (gx & 1) * 2;
                *v[0] = int16_t(pix[0] - 128);
                *v[1] = int16_t(pair[1] - 128);
                *v[2] = int16_t((gx | 1) < width ? pair[3] - 128 : 0);
                break;
            }
            default:
                for (uint32_t k = 0; k < n && k < 4; ++k) *v[k] = int16_t(pix[k] - 128);
                break;
            }
        }
    }
    for (uint32_t c = 0; c < n && c < 4; ++c) {
        const JPEG_COMPONENT& k = f.components[c];
        const uint32_t fx = f.hmax / k.h, fy = f.vmax / k.v, cnt = fx * fy;
        // A power-of-two count divides by an arithmetic shift, which floors as floor_div does.
        const int32_t shift = (cnt & (cnt - 1)) == 0 ? __builtin_ctz(cnt) : -1;
        for (uint32_t by = 0; by < k.v; ++by)
            for (uint32_t bx = 0; bx < k.h; ++bx) {
                int16_t* blk = comp[c] + 64 * (by * k.h + bx);
                for (uint32_t i = 0; i < 8; ++i)
                    for (uint32_t j = 0; j < 8; ++j) {
                        const uint32_t sx = (bx * 8 + j) * fx, sy = (by * 8 + i) * fy;
                        int32_t sum = 0;
                        for (uint32_t dy = 0; dy < fy; ++dy)
                            for (uint32_t dx = 0; dx < fx; ++dx) sum += px[c][sy + dy][sx + dx];
                        sum += int32_t(cnt / 2);
                        blk[i * 8 + j] = int16_t(shift >= 0 ? sum >> shift : floor_div(sum, int32_t(cnt)));
                    }
            }
    }
}

}  // namespace velmora
