// The vector kernels of the transform and colour slots: each follows its own
// fixed-point steps exactly (checked against a scalar model of those steps over
// random blocks), stays within its bound of the plain routine, and passes its
// worked cases; the kernel table holds them for classes 3 to 6 only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "jpeg/jpeg_color.h"
#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_simd_color.h"
#include "jpeg/jpeg_simd_fill.h"
#include "jpeg/jpeg_simd_huff.h"
#include "jpeg/jpeg_simd_idct.h"
#include "tests/jpeg/jpeg_simd_helpers.h"

namespace {

using namespace velmora;
using simdtest::Rng;
using simdtest::rounds;

// ---- scalar models of the kernels' steps ----

int32_t sat16(int64_t v) { return int32_t(std::clamp<int64_t>(v, -32768, 32767)); }
int32_t adds(int32_t a, int32_t b) { return sat16(int64_t(a) + b); }
int32_t subs(int32_t a, int32_t b) { return sat16(int64_t(a) - b); }
int32_t wrap16(int64_t v) { return int16_t(uint16_t(uint64_t(v))); }
int32_t frac(int32_t x, int32_t c) { return int32_t((int64_t(x) * c) >> 16); }   // floor(x c / 65536)

void model_idct_accurate(int16_t* b) {
    static const int group[8] = {0, 1, 2, 3, 0, 3, 2, 1};
    int32_t r[64];
    for (int row = 0; row < 8; ++row)
        for (int n = 0; n < 8; ++n) {
            uint32_t sum = 0;   // 32-bit sums wrap
            for (int k = 0; k < 8; ++k) sum += uint32_t(int32_t(jpeg_idct_row_weight(group[row], n, k)) * b[row * 8 + k]);
            r[row * 8 + n] = sat16(int32_t(sum + 2048u) >> 12);
        }
    for (int c = 0; c < 8; ++c) {
        auto R = [&](int i) { return r[i * 8 + c]; };
        const int32_t tp17 = adds(R(1), frac(R(7), 13036)), tm35 = adds(R(3), frac(R(5), 43790));
        const int32_t tp765 = subs(frac(R(1), 13036), R(7)), tm53 = subs(R(5), frac(R(3), 43790));
        const int32_t tp26 = adds(R(2), frac(R(6), 27146)), tm26 = subs(frac(R(2), 27146), R(6));
        const int32_t t0 = adds(adds(tp17, tm35), 1), bb = subs(tp17, tm35);
        const int32_t d = adds(subs(tp765, tm53), 1), m6 = adds(tp765, tm53);
        const int32_t u = frac(adds(bb, d), 46341) | 1, v = frac(subs(bb, d), 46341) | 1;
        const int32_t s04 = adds(R(0), R(4)), d04 = subs(R(0), R(4));
        const int32_t a0 = adds(adds(s04, tp26), 16), a3 = adds(subs(s04, tp26), 15);
        const int32_t a1 = adds(adds(d04, tm26), 16), a2 = adds(subs(d04, tm26), 15);
        const int32_t out[8] = {adds(a0, t0), adds(a1, u), adds(a2, v), adds(a3, m6),
                                subs(a3, m6), subs(a2, v), subs(a1, u), subs(a0, t0)};
        for (int i = 0; i < 8; ++i) b[i * 8 + c] = int16_t(std::clamp(adds(out[i] >> 5, 128), 0, 255));
    }
}

void fast_step_model(int32_t* d) {
    auto hi = [](int32_t a, int32_t k) { return int32_t((int32_t(int16_t(a)) * k) >> 16); };
    const int32_t tmp10 = wrap16(d[0] + d[4]), tmp11 = wrap16(d[0] - d[4]), tmp13 = wrap16(d[2] + d[6]);
    const int32_t tmp12 = wrap16(hi(wrap16(int64_t(wrap16(d[2] - d[6])) * 4), 23040) - tmp13);
    const int32_t tmp0 = wrap16(tmp10 + tmp13), tmp3 = wrap16(tmp10 - tmp13);
    const int32_t tmp1 = wrap16(tmp11 + tmp12), tmp2 = wrap16(tmp11 - tmp12);
    const int32_t z13 = wrap16(d[5] + d[3]), z10 = wrap16(d[5] - d[3]), z11 = wrap16(d[1] + d[7]),
                  z12 = wrap16(d[1] - d[7]);
    const int32_t tmp7 = wrap16(z11 + z13);
    const int32_t t11 = hi(wrap16(int64_t(wrap16(z11 - z13)) * 4), 23040);
    const int32_t z5 = hi(wrap16(int64_t(wrap16(z10 + z12)) * 4), 30272);
    const int32_t t10 = wrap16(hi(wrap16(int64_t(z12) * 4), 17728) - z5);
    const int32_t t12 = wrap16(hi(wrap16(int64_t(z10) * 8), -21408) + z5);
    const int32_t tmp6 = wrap16(t12 - tmp7), tmp5 = wrap16(t11 - tmp6), tmp4 = wrap16(t10 + tmp5);
    const int32_t o[8] = {tmp0 + tmp7, tmp1 + tmp6, tmp2 + tmp5, tmp3 - tmp4,
                          tmp3 + tmp4, tmp2 - tmp5, tmp1 - tmp6, tmp0 - tmp7};
    for (int i = 0; i < 8; ++i) d[i] = wrap16(o[i]);
}

void model_idct_fast(int16_t* b) {
    int32_t d[8];
    for (int c = 0; c < 8; ++c) {
        for (int i = 0; i < 8; ++i) d[i] = b[i * 8 + c];
        fast_step_model(d);
        for (int i = 0; i < 8; ++i) b[i * 8 + c] = int16_t(d[i]);
    }
    for (int r = 0; r < 8; ++r) {
        for (int i = 0; i < 8; ++i) d[i] = b[r * 8 + i];
        fast_step_model(d);
        for (int i = 0; i < 8; ++i) b[r * 8 + i] = int16_t(std::clamp(adds(d[i] >> 4, 128), 0, 255));
    }
}

// R, G, B of the kernels for one pixel.
void model_rgb(int y, int cb, int cr, uint8_t* rgb) {
    rgb[0] = uint8_t(std::clamp(y + ((359 * cr) >> 8) - 179, 0, 255));
    rgb[1] = uint8_t(std::clamp(y - ((88 * cb + 183 * cr - 34806) >> 8), 0, 255));
    rgb[2] = uint8_t(std::clamp(y + ((454 * cb) >> 8) - 227, 0, 255));
}

// A block the way the decoder hands one over: a large DC, AC falling off with frequency.
void natural_block(Rng& rng, int16_t* b, int scale) {
    for (int i = 0; i < 64; ++i) {
        const int f = i / 8 + i % 8;
        const int span = i == 0 ? 1024 * scale : std::max(2, 400 * scale / (1 + f * f));
        b[i] = rng.next() % 3 == 0 || i == 0 ? int16_t(rng.range(-span, span)) : 0;
    }
}

using BlockFn = void (*)(int16_t*);

// ---- transforms ----

TEST(JpegSimdIdct, RowTablesHoldTheirMagnitudes) {
    // Magnitudes per group for k = 0/4, cos 2, cos 6, cos 1, cos 3, cos 5, cos 7 (of pi/16).
    const int want[4][7] = {{16384, 21407, 8867, 22725, 19266, 12873, 4520},
                            {22725, 29692, 12299, 31521, 26722, 17855, 6270},
                            {21407, 27969, 11585, 29692, 25172, 16819, 5906},
                            {19266, 25172, 10426, 26722, 22654, 15137, 5315}};
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 0), want[g][0]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 4), want[g][0]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 2), want[g][1]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 6), want[g][2]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 1), want[g][3]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 3), want[g][4]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 5), want[g][5]);
        EXPECT_EQ(jpeg_idct_row_weight(g, 0, 7), want[g][6]);
        // Every output uses the same magnitudes with its own signs.
        for (int n = 0; n < 8; ++n)
            for (int k = 0; k < 8; ++k) {
                const int m = std::abs(jpeg_idct_row_weight(g, n, k));
                EXPECT_TRUE(std::find(want[g], want[g] + 7, m) != want[g] + 7) << g << " " << n << " " << k;
            }
    }
    EXPECT_EQ(jpeg_idct_row_weight(4, 0, 0), 0);
    EXPECT_EQ(jpeg_idct_row_weight(0, 8, 0), 0);
}

TEST(JpegSimdIdct, WorkedCasesOfTheAccurateKernels) {
    struct Case {
        int dc;
        int sample;
    } cases[] = {{0, 128}, {8 * 5, 133}, {8 * -7, 121}, {8 * 127, 255}, {8 * -128, 0}, {8 * 200, 255}, {-8 * 300, 0}};
    for (BlockFn f : {jpeg_idct_accurate_mmx, jpeg_idct_accurate_sse, jpeg_idct_accurate_sse2})
        for (const Case& c : cases) {
            int16_t b[64] = {};
            b[0] = int16_t(c.dc);
            f(b);
            for (int i = 0; i < 64; ++i) ASSERT_EQ(b[i], c.sample) << c.dc << " at " << i;
        }
}

TEST(JpegSimdIdct, WorkedCasesOfTheFastKernel) {
    struct Case {
        int dc;
        int sample;
    } cases[] = {{0, 128}, {16, 129}, {-4000, 0}, {4000, 255}, {-1, 127}, {15, 128}};
    for (const Case& c : cases) {
        int16_t b[64] = {};
        b[0] = int16_t(c.dc);
        jpeg_idct_fast_mmx(b);
        for (int i = 0; i < 64; ++i) ASSERT_EQ(b[i], c.sample) << c.dc << " at " << i;
    }
    int16_t plain[64] = {};
    plain[0] = -1;
    jpeg_idct_fast(plain);
    EXPECT_EQ(plain[0], 128);   // the plain transform rounds where the kernel truncates
}

// Every kernel of slot 7 equals the model of its steps, whatever the block's
// alignment, and stays within 2 of the plain 32-bit transform on decoder-like blocks.
TEST(JpegSimdIdct, AccurateKernelsFollowTheirStepsOverRandomBlocks) {
    Rng rng(11);
    const int n = rounds(1000000 / 3);
    int worst = 0;
    alignas(16) int16_t store[64 + 8];
    for (int round = 0; round < n; ++round) {
        int16_t in[64];
        if (round % 4 == 0) {
            for (auto& v : in) v = int16_t(rng.next());   // anything, the saturating paths included
        } else {
            natural_block(rng, in, 1 + round % 3);
        }
        int16_t want[64], plain[64];
        std::memcpy(want, in, sizeof(in));
        model_idct_accurate(want);
        std::memcpy(plain, in, sizeof(in));
        jpeg_idct_accurate(plain);
        const BlockFn fns[3] = {jpeg_idct_accurate_mmx, jpeg_idct_accurate_sse, jpeg_idct_accurate_sse2};
        for (int f = 0; f < 3; ++f) {
            int16_t* b = store + ((round + f) % 2 ? 1 : 0) * 4;   // 16-byte aligned or 8 bytes off
            std::memcpy(b, in, sizeof(in));
            fns[f](b);
            ASSERT_EQ(0, std::memcmp(b, want, sizeof(want))) << "kernel " << f << " round " << round;
        }
        if (round % 4 != 0)
            for (int i = 0; i < 64; ++i) worst = std::max(worst, std::abs(want[i] - plain[i]));
    }
    EXPECT_LE(worst, 2);
    EXPECT_GE(worst, 1);   // the kernels do differ from the plain transform
}

// The fast kernel follows its truncating steps and stays within 4 of the plain
// fast transform, most often one below it.
TEST(JpegSimdIdct, FastKernelFollowsItsStepsOverRandomBlocks) {
    Rng rng(12);
    const int n = rounds(1000000);
    int worst = 0;
    long long lower = 0, differ = 0;
    for (int round = 0; round < n; ++round) {
        int16_t in[64];
        if (round % 4 == 0) {
            for (auto& v : in) v = int16_t(rng.next());
        } else {
            natural_block(rng, in, 1);
            for (auto& v : in) v = int16_t(v * 4);   // the scaled tables carry the AAN factors
        }
        int16_t want[64], got[64], plain[64];
        std::memcpy(want, in, sizeof(in));
        std::memcpy(got, in, sizeof(in));
        std::memcpy(plain, in, sizeof(in));
        model_idct_fast(want);
        jpeg_idct_fast_mmx(got);
        ASSERT_EQ(0, std::memcmp(got, want, sizeof(want))) << "round " << round;
        if (round % 4 == 0) continue;
        jpeg_idct_fast(plain);
        for (int i = 0; i < 64; ++i) {
            const int d = got[i] - plain[i];
            worst = std::max(worst, std::abs(d));
            differ += d != 0;
            lower += d < 0;
        }
    }
    EXPECT_LE(worst, 4);
    if (!simdtest::kSanitized) {
        EXPECT_GT(lower * 2, differ);
    }
}

TEST(JpegSimdDequant, EqualsThePlainProductAtEveryAlignment) {
    alignas(16) int16_t store[64 + 8];
    alignas(16) uint16_t qstore[80 + 8];
    {
        int16_t b[64] = {};
        uint16_t q[64] = {};
        b[5] = 200;
        q[5] = 400;
        jpeg_dequantize_sse2(b, q);
        EXPECT_EQ(b[5], 14464);   // low 16 bits of 80000
        b[5] = 200;
        jpeg_dequantize_mmx(b, q);
        EXPECT_EQ(b[5], 14464);
    }
    Rng rng(13);
    const int n = rounds(1000000 / 2);
    for (int round = 0; round < n; ++round) {
        int16_t* b = store + (round & 7);
        uint16_t* q = qstore + ((round >> 3) & 7);
        int16_t want[64];
        for (int i = 0; i < 64; ++i) {
            want[i] = int16_t(rng.next());
            q[i] = uint16_t(rng.next());
        }
        std::memcpy(b, want, sizeof(want));
        jpeg_dequantize(want, q);
        if (round & 1) jpeg_dequantize_mmx(b, q);
        else jpeg_dequantize_sse2(b, q);
        ASSERT_EQ(0, std::memcmp(b, want, sizeof(want))) << round;
    }
}

// The fused pass must give the two kernels' samples bit for bit, for sparse
// small coefficients with real tables as for any 16-bit words (wrapping products).
TEST(JpegSimdDequant, FusedTransformEqualsDequantiseThenTransform) {
    Rng rng(29);
    const int n = rounds(200000);
    // The previous round's block, table and samples: the AVX2 pair form takes
    // it beside the current one, each with its own table.
    alignas(16) int16_t prev_in[64] = {}, prev_want[64] = {}, cur_in[64];
    alignas(16) uint16_t prev_q[64] = {};
    for (int round = 0; round < n; ++round) {
        alignas(16) int16_t fused[64], want[64];
        alignas(16) uint16_t q[64];
        const bool wild = round % 3 == 0;
        for (int i = 0; i < 64; ++i) {
            const uint32_t r = rng.next();
            const int span = i == 0 ? 128 : 24 >> (i / 16);
            want[i] = wild ? int16_t(r) : (r & 3) ? 0 : int16_t(int32_t(r >> 8) % (2 * span + 1) - span);
            q[i] = wild ? uint16_t(rng.next()) : uint16_t(1 + rng.next() % 99);
            if (!wild && i / 8 >= round % 9) want[i] = 0;   // rows from a cut on all zero
        }
        if (round % 5 == 4) std::fill(want + 1, want + 64, int16_t(0));   // DC only: the short form
        // The four-column kernel transforms every row; the eight-column ones
        // pass over zero rows and must not differ for it.
        alignas(16) int16_t eight[64];
        std::memcpy(fused, want, sizeof(want));
        std::memcpy(cur_in, want, sizeof(want));
        jpeg_dequantize_sse2(want, q);
        std::memcpy(eight, want, sizeof(want));
        jpeg_idct_accurate_sse(want);
        jpeg_idct_accurate_sse2(eight);
        jpeg_idct_accurate_sse2_dequant(fused, q);
        ASSERT_EQ(0, std::memcmp(fused, want, sizeof(want))) << round;
        ASSERT_EQ(0, std::memcmp(eight, want, sizeof(want))) << round;
        if (round > 0 && jpeg_idct_pair_available()) {
            alignas(16) int16_t a[64], b[64];
            std::memcpy(a, prev_in, sizeof(a));
            std::memcpy(b, cur_in, sizeof(b));
            jpeg_idct_accurate_avx2_dequant_pair(a, prev_q, b, q);
            ASSERT_EQ(0, std::memcmp(a, prev_want, sizeof(a))) << "pair, first block, round " << round;
            ASSERT_EQ(0, std::memcmp(b, want, sizeof(b))) << "pair, second block, round " << round;
        }
        std::memcpy(prev_in, cur_in, sizeof(cur_in));
        std::memcpy(prev_q, q, sizeof(q));
        std::memcpy(prev_want, want, sizeof(want));
    }
}

// The short form for blocks without AC coefficients gives the transform's
// samples at every DC word and table entry (saturation at both ends included),
// and leaves every block with one AC coefficient to the transform.
TEST(JpegSimdDequant, DcOnlyShortFormEqualsTheTransform) {
    for (const uint16_t q0 : {uint16_t(1), uint16_t(3), uint16_t(16), uint16_t(255), uint16_t(65535)}) {
        alignas(16) uint16_t q[64];
        std::fill(q, q + 64, uint16_t(7));
        q[0] = q0;
        for (int32_t dc = -32768; dc <= 32767; ++dc) {
            alignas(16) int16_t got[64] = {}, want[64] = {};
            got[0] = want[0] = int16_t(dc);
            ASSERT_TRUE(jpeg_idct_accurate_dc_only(got, q));
            jpeg_dequantize_sse2(want, q);
            jpeg_idct_accurate_sse(want);
            ASSERT_EQ(0, std::memcmp(got, want, sizeof(want))) << "dc " << dc << " q " << q0;
        }
    }
    for (int k = 1; k < 64; ++k) {
        alignas(16) int16_t b[64] = {};
        b[0] = 100, b[k] = 1;
        alignas(16) uint16_t q[64];
        std::fill(q, q + 64, uint16_t(1));
        ASSERT_FALSE(jpeg_idct_accurate_dc_only(b, q)) << k;
        EXPECT_EQ(b[k], 1);
    }
}

// ---- colour ----

struct ColorKernel {
    const char* name;
    int h, v, channels;
    int form;   // 0 RGB, 1 BGR, 2 RGBA, 3 inverted + fourth, 4 packed 4:2:2
    JpegYccFn fn;
    JpegYccFn plain;
    JpegYccaFn fn4;
    JpegYccaFn plain4;
};

const ColorKernel kColor[] = {
    {"rgb 1x1", 1, 1, 3, 0, jpeg_dec_ycc_rgb_h1v1_mmx, jpeg_cc_ycc_rgb, nullptr, nullptr},
    {"rgb 2x1", 2, 1, 3, 0, jpeg_dec_ycc_rgb_h2v1_mmx, jpeg_cc_ycc_rgb_h2v1, nullptr, nullptr},
    {"rgb 2x1 sse", 2, 1, 3, 0, jpeg_dec_ycc_rgb_h2v1_sse, jpeg_cc_ycc_rgb_h2v1, nullptr, nullptr},
    {"rgb 2x2", 2, 2, 3, 0, jpeg_dec_ycc_rgb_h2v2_entry, jpeg_cc_ycc_rgb_h2v2, nullptr, nullptr},
    {"bgr 1x1", 1, 1, 3, 1, jpeg_dec_ycc_bgr_h1v1_mmx, jpeg_cc_ycc_bgr, nullptr, nullptr},
    {"bgr 2x1", 2, 1, 3, 1, jpeg_dec_ycc_bgr_h2v1_mmx, jpeg_cc_ycc_bgr_h2v1, nullptr, nullptr},
    {"bgr 2x1 sse", 2, 1, 3, 1, jpeg_dec_ycc_bgr_h2v1_sse, jpeg_cc_ycc_bgr_h2v1, nullptr, nullptr},
    {"bgr 2x2", 2, 2, 3, 1, jpeg_dec_ycc_bgr_h2v2_entry, jpeg_cc_ycc_bgr_h2v2, nullptr, nullptr},
    {"rgba 1x1", 1, 1, 4, 2, jpeg_dec_ycc_rgba_h1v1_mmx, jpeg_cc_ycc_rgba, nullptr, nullptr},
    {"rgba 2x1", 2, 1, 4, 2, jpeg_dec_ycc_rgba_h2v1_mmx, jpeg_cc_ycc_rgba_h2v1, nullptr, nullptr},
    {"rgba 2x2", 2, 2, 4, 2, jpeg_dec_ycc_rgba_h2v2_mmx, jpeg_cc_ycc_rgba_h2v2, nullptr, nullptr},
    {"ycbycr 2x1", 2, 1, 2, 4, jpeg_dec_ycbycr_h2v1_mmx, jpeg_cc_ycc422, nullptr, nullptr},
    {"ycca 1x1", 1, 1, 4, 3, nullptr, nullptr, jpeg_dec_ycca_rgba_h1v1_mmx, jpeg_cc_ycca_rgba},
    {"ycca 2x1", 2, 1, 4, 3, nullptr, nullptr, jpeg_dec_ycca_rgba_h2v1_mmx, jpeg_cc_ycca_rgba_h2v1},
    {"ycca 2x2", 2, 2, 4, 3, nullptr, nullptr, jpeg_dec_ycca_rgba_h2v2_mmx, jpeg_cc_ycca_rgba_h2v2},
};

// One MCU's samples in the decoder's order: H*V luminance blocks, Cb, Cr, then
// the fourth component's H*V blocks.
struct Mcu {
    std::vector<int16_t> s;
    const int16_t* y() const { return s.data(); }
    const int16_t* cb(int lum) const { return s.data() + lum * 64; }
    const int16_t* cr(int lum) const { return s.data() + lum * 64 + 64; }
    const int16_t* k(int lum) const { return s.data() + lum * 64 + 128; }
};

// The expected bytes of pixel (x, y) from the model, for the kernel's form.
void expected_pixel(const ColorKernel& c, const Mcu& m, int x, int y, uint8_t* out) {
    const int lum = c.h * c.v;
    const int li = (y >> 3) * c.h * 64 + (y & 7) * 8 + (x >> 3) * 64 + (x & 7);
    const int ci = (y / c.v) * 8 + x / c.h;
    const int Y = m.s[size_t(li)], cb = m.cb(lum)[ci], cr = m.cr(lum)[ci];
    uint8_t rgb[3];
    model_rgb(Y, cb, cr, rgb);
    switch (c.form) {
    case 0: out[0] = rgb[0], out[1] = rgb[1], out[2] = rgb[2]; break;
    case 1: out[0] = rgb[2], out[1] = rgb[1], out[2] = rgb[0]; break;
    case 2: out[0] = rgb[0], out[1] = rgb[1], out[2] = rgb[2], out[3] = 255; break;
    case 3:
        out[0] = uint8_t(255 - rgb[0]), out[1] = uint8_t(255 - rgb[1]), out[2] = uint8_t(255 - rgb[2]);
        out[3] = uint8_t(m.k(lum)[li]);
        break;
    default: out[0] = uint8_t(Y), out[1] = uint8_t((x & 1) ? cr : cb); break;
    }
}

// Runs a converter into a buffer with guard bytes around every row; pitch < 0
// writes bottom-up from the last row.
std::vector<uint8_t> run_color(const ColorKernel& c, bool kernel, const Mcu& m, int pad, bool bottom_up) {
    const int w = 8 * c.h, h = 8 * c.v, row = w * c.channels + pad;
    std::vector<uint8_t> buf(size_t(row) * h + 64, 0xA5);
    uint8_t* base = buf.data() + 16;
    uint8_t* out = bottom_up ? base + size_t(row) * (h - 1) : base;
    const int32_t pitch = bottom_up ? -row : row;
    const int lum = c.h * c.v;
    if (c.fn4) (kernel ? c.fn4 : c.plain4)(m.y(), m.cb(lum), m.cr(lum), m.k(lum), out, pitch);
    else (kernel ? c.fn : c.plain)(m.y(), m.cb(lum), m.cr(lum), out, pitch);
    return buf;
}

TEST(JpegSimdColor, KernelsFollowTheFormulasAndStayNearThePlainConverters) {
    Rng rng(21);
    const int n = rounds(1000000 / 64);   // MCUs of 64 to 256 pixels each, per kernel
    for (const ColorKernel& c : kColor) {
        SCOPED_TRACE(c.name);
        const int lum = c.h * c.v, w = 8 * c.h, h = 8 * c.v;
        int r_low = 0;
        for (int round = 0; round < n; ++round) {
            Mcu m;
            m.s.resize(size_t(lum * 2 + 2) * 64);
            for (auto& v : m.s) v = int16_t(round % 8 == 0 ? (rng.next() & 1) * 255 : rng.range(0, 255));
            const int pad = round % 3;
            const bool up = round % 5 == 1;
            std::vector<uint8_t> got = run_color(c, true, m, pad, up);
            std::vector<uint8_t> plain = run_color(c, false, m, pad, up);
            const int row = w * c.channels + pad;
            for (int y = 0; y < h; ++y) {
                const int at = 16 + (up ? h - 1 - y : y) * row;
                for (int x = 0; x < w; ++x) {
                    uint8_t want[4];
                    expected_pixel(c, m, x, y, want);
                    const uint8_t* g = &got[size_t(at + x * c.channels)];
                    const uint8_t* p = &plain[size_t(at + x * c.channels)];
                    ASSERT_EQ(0, std::memcmp(g, want, size_t(c.channels))) << x << "," << y << " round " << round;
                    if (c.form == 4) {
                        ASSERT_EQ(0, std::memcmp(g, p, 2));
                        continue;
                    }
                    for (int ch = 0; ch < c.channels; ++ch) {
                        const int d = int(p[ch]) - int(g[ch]);
                        const bool green_or_fourth = ch == 1 || ch == 3;
                        // R and B one lower at most (one higher where the four-component form inverts them).
                        if (green_or_fourth) ASSERT_EQ(d, 0) << ch;
                        else ASSERT_TRUE(c.form == 3 ? (d == 0 || d == -1) : (d == 0 || d == 1)) << ch << " " << d;
                        r_low += d != 0;
                    }
                }
                for (int k = 0; k < pad; ++k) ASSERT_EQ(got[size_t(at + w * c.channels + k)], 0xA5) << "pad";
            }
            for (int k = 0; k < 16; ++k) ASSERT_EQ(got[size_t(k)], 0xA5) << "before the MCU";
            for (size_t k = got.size() - 48; k < got.size(); ++k) ASSERT_EQ(got[k], 0xA5) << "after the MCU";
        }
        if (c.form != 4) {
            EXPECT_GT(r_low, 0);   // the offset outside the shift does show
        }
    }
}

TEST(JpegSimdColor, WorkedPixels) {
    struct Case {
        int y, cb, cr;
        uint8_t r, g, b;
    } cases[] = {{128, 128, 128, 128, 129, 128}, {255, 255, 255, 255, 122, 255}, {0, 0, 0, 0, 136, 0},
                 {128, 0, 0, 0, 255, 0},         {100, 129, 128, 100, 101, 101}};
    for (const Case& c : cases) {
        int16_t s[64 * 3];
        for (int i = 0; i < 64; ++i) s[i] = int16_t(c.y), s[64 + i] = int16_t(c.cb), s[128 + i] = int16_t(c.cr);
        uint8_t out[8 * 24];
        jpeg_dec_ycc_rgb_h1v1_mmx(s, s + 64, s + 128, out, 24);
        for (int i = 0; i < 64; ++i) {
            const uint8_t* px = out + (i / 8) * 24 + (i % 8) * 3;
            ASSERT_EQ(px[0], c.r) << c.y << " " << c.cb << " " << c.cr;
            ASSERT_EQ(px[1], c.g);
            ASSERT_EQ(px[2], c.b);
        }
    }
    uint8_t plain[3];
    jpeg_ycc_to_rgb(100, 129, 128, false, plain);
    EXPECT_EQ(plain[2], 102);   // the plain converter's B of the last case
    // Four components: (128, 128, 128) with a fourth sample of 77.
    int16_t s4[64 * 4];
    for (int i = 0; i < 64; ++i) s4[i] = s4[64 + i] = s4[128 + i] = 128, s4[192 + i] = 77;
    uint8_t out4[8 * 32];
    jpeg_dec_ycca_rgba_h1v1_mmx(s4, s4 + 64, s4 + 128, nullptr, out4, 32);
    for (int i = 0; i < 64; ++i) {
        const uint8_t* px = out4 + (i / 8) * 32 + (i % 8) * 4;
        ASSERT_EQ(px[0], 127);
        ASSERT_EQ(px[1], 126);
        ASSERT_EQ(px[2], 127);
        ASSERT_EQ(px[3], 77);
    }
}

TEST(JpegSimdColor, GraySaturatesEveryValue) {
    Rng rng(22);
    for (int round = 0; round < rounds(100000); ++round) {
        int16_t y[64];
        for (auto& v : y) v = int16_t(round == 0 ? -1 : rng.next());
        uint8_t got[8 * 11], plain[8 * 11];
        std::memset(got, 0x5A, sizeof(got));
        std::memset(plain, 0x5A, sizeof(plain));
        jpeg_dec_gray_mmx(y, got, 11);
        jpeg_cc_gray(y, plain, 11);
        ASSERT_EQ(0, std::memcmp(got, plain, sizeof(got)));
        for (int i = 0; i < 64; ++i) ASSERT_EQ(got[(i / 8) * 11 + i % 8], std::clamp<int>(y[i], 0, 255));
    }
}

// The SSSE3 variants write exactly the bytes of the SSE2 forms, for any
// samples (saturation included), at an odd pitch, and nothing past the area.
TEST(JpegSimdColor, Ssse3VariantsWriteTheSse2FormsBytes) {
    if (!jpeg_cpu_has_ssse3()) GTEST_SKIP() << "no SSSE3 on this processor";
    auto rgb_h2v2 = [](const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
        jpeg_dec_ycc_rgb_h2v2_entry(y, cb, cr, out, pitch);
    };
    struct Pair {
        const char* name;
        JpegYccFn sse2, ssse3;
        int width, height;
    } pairs[] = {
        {"rgb 1x1", jpeg_dec_ycc_rgb_h1v1_mmx, jpeg_dec_ycc_rgb_h1v1_ssse3, 8, 8},
        {"rgb 2x1", jpeg_dec_ycc_rgb_h2v1_sse, jpeg_dec_ycc_rgb_h2v1_ssse3, 16, 8},
        {"rgb 2x2", rgb_h2v2, jpeg_dec_ycc_rgb_h2v2_ssse3, 16, 16},
        {"bgr 1x1", jpeg_dec_ycc_bgr_h1v1_mmx, jpeg_dec_ycc_bgr_h1v1_ssse3, 8, 8},
        {"bgr 2x1", jpeg_dec_ycc_bgr_h2v1_mmx, jpeg_dec_ycc_bgr_h2v1_ssse3, 16, 8},
        {"bgr 2x2", jpeg_dec_ycc_bgr_h2v2_entry, jpeg_dec_ycc_bgr_h2v2_ssse3, 16, 16},
    };
    Rng rng(31);
    constexpr int32_t kPitch = 16 * 3 + 5;
    for (const Pair& pr : pairs) {
        for (int round = 0; round < rounds(20000); ++round) {
            int16_t y[256], cb[64], cr[64];
            // Mostly sample values, every fourth round wide ones that saturate.
            const int spread = round % 4 == 0 ? 2048 : 256;
            for (auto& v : y) v = int16_t(int32_t(rng.next() % uint32_t(spread)) - (spread - 256) / 2);
            for (auto& v : cb) v = int16_t(int32_t(rng.next() % uint32_t(spread)) - (spread - 256) / 2);
            for (auto& v : cr) v = int16_t(int32_t(rng.next() % uint32_t(spread)) - (spread - 256) / 2);
            uint8_t want[16 * kPitch + 16], got[16 * kPitch + 16];
            std::memset(want, 0x5A, sizeof(want));
            std::memset(got, 0x5A, sizeof(got));
            pr.sse2(y, cb, cr, want, kPitch);
            pr.ssse3(y, cb, cr, got, kPitch);
            ASSERT_EQ(0, std::memcmp(want, got, sizeof(want))) << pr.name << " round " << round;
            // Bytes right of the area stay untouched.
            for (int r = 0; r < pr.height; ++r) ASSERT_EQ(got[r * kPitch + pr.width * 3], 0x5A) << pr.name;
        }
    }
}

// ---- the table ----

TEST(JpegSimdFill, EachClassHoldsItsKernels) {
    auto slots_of = [](int cls) {
        auto env = std::make_unique<JPEG_ENVIRONMENT>();
        jpeg_fill_kernels(env.get(), cls);
        std::vector<void*> v(63);
        std::memcpy(v.data(), &env->k, sizeof(JPEG_KERNELS));
        return v;
    };
    auto fp = [](auto f) { return reinterpret_cast<void*>(f); };
    const std::vector<void*> plain = slots_of(0);
    const bool sse2 = jpeg_cpu_has_sse2(), ssse3 = jpeg_cpu_has_ssse3();
    auto x3 = [&](JpegYccFn plain_form, JpegYccFn variant) { return ssse3 ? fp(variant) : fp(plain_form); };
    struct Row {
        int slot;
        void* by_class[4];   // classes 3, 4, 5, 6
    } rows[] = {
        {0, {fp(jpeg_mmx_exit), fp(jpeg_mmx_exit), fp(jpeg_mmx_exit), fp(jpeg_mmx_exit)}},
        {3, {fp(jpeg_idct_fast_mmx), fp(jpeg_idct_fast_mmx), fp(jpeg_idct_fast_mmx), fp(jpeg_idct_fast_mmx)}},
        // With SSE2 every class takes the SSE2 transform and dequantiser, which give the same results.
        {7, {sse2 ? fp(jpeg_idct_accurate_sse2) : fp(jpeg_idct_accurate_mmx),
             sse2 ? fp(jpeg_idct_accurate_sse2) : fp(jpeg_idct_accurate_mmx),
             sse2 ? fp(jpeg_idct_accurate_sse2) : fp(jpeg_idct_accurate_sse), fp(jpeg_idct_accurate_sse2)}},
        {35, {fp(jpeg_dec_gray_mmx), fp(jpeg_dec_gray_mmx), fp(jpeg_dec_gray_mmx), fp(jpeg_dec_gray_mmx)}},
        // With SSSE3 every class takes the three-channel converters' SSSE3 variants.
        {36, {x3(jpeg_dec_ycc_rgb_h1v1_mmx, jpeg_dec_ycc_rgb_h1v1_ssse3), x3(jpeg_dec_ycc_rgb_h1v1_mmx, jpeg_dec_ycc_rgb_h1v1_ssse3),
              x3(jpeg_dec_ycc_rgb_h1v1_mmx, jpeg_dec_ycc_rgb_h1v1_ssse3), x3(jpeg_dec_ycc_rgb_h1v1_mmx, jpeg_dec_ycc_rgb_h1v1_ssse3)}},
        {37, {x3(jpeg_dec_ycc_rgb_h2v1_mmx, jpeg_dec_ycc_rgb_h2v1_ssse3), x3(jpeg_dec_ycc_rgb_h2v1_mmx, jpeg_dec_ycc_rgb_h2v1_ssse3),
              x3(jpeg_dec_ycc_rgb_h2v1_sse, jpeg_dec_ycc_rgb_h2v1_ssse3), x3(jpeg_dec_ycc_rgb_h2v1_sse, jpeg_dec_ycc_rgb_h2v1_ssse3)}},
        {38, {x3(jpeg_dec_ycc_rgb_h2v2_entry, jpeg_dec_ycc_rgb_h2v2_ssse3), x3(jpeg_dec_ycc_rgb_h2v2_entry, jpeg_dec_ycc_rgb_h2v2_ssse3),
              x3(jpeg_dec_ycc_rgb_h2v2_entry, jpeg_dec_ycc_rgb_h2v2_ssse3), x3(jpeg_dec_ycc_rgb_h2v2_entry, jpeg_dec_ycc_rgb_h2v2_ssse3)}},
        {40, {x3(jpeg_dec_ycc_bgr_h2v1_mmx, jpeg_dec_ycc_bgr_h2v1_ssse3), x3(jpeg_dec_ycc_bgr_h2v1_mmx, jpeg_dec_ycc_bgr_h2v1_ssse3),
              x3(jpeg_dec_ycc_bgr_h2v1_sse, jpeg_dec_ycc_bgr_h2v1_ssse3), x3(jpeg_dec_ycc_bgr_h2v1_sse, jpeg_dec_ycc_bgr_h2v1_ssse3)}},
        {41, {x3(jpeg_dec_ycc_bgr_h2v2_entry, jpeg_dec_ycc_bgr_h2v2_ssse3), x3(jpeg_dec_ycc_bgr_h2v2_entry, jpeg_dec_ycc_bgr_h2v2_ssse3),
              x3(jpeg_dec_ycc_bgr_h2v2_entry, jpeg_dec_ycc_bgr_h2v2_ssse3), x3(jpeg_dec_ycc_bgr_h2v2_entry, jpeg_dec_ycc_bgr_h2v2_ssse3)}},
        {52, {fp(jpeg_dec_ycca_rgba_h2v2_mmx), fp(jpeg_dec_ycca_rgba_h2v2_mmx), fp(jpeg_dec_ycca_rgba_h2v2_mmx),
              fp(jpeg_dec_ycca_rgba_h2v2_mmx)}},
        {55, {fp(jpeg_huff_decode_block_mmx), fp(jpeg_huff_decode_block_mmx_cmov),
              fp(jpeg_huff_decode_block_mmx_cmov), fp(jpeg_huff_decode_block_mmx_cmov)}},
        {56, {fp(jpeg_huff_decode_dc_entry), fp(jpeg_huff_decode_dc_entry), fp(jpeg_huff_decode_dc_entry),
              fp(jpeg_huff_decode_dc_entry)}},
        {61, {sse2 ? fp(jpeg_dequantize_sse2) : fp(jpeg_dequantize_mmx), sse2 ? fp(jpeg_dequantize_sse2) : fp(jpeg_dequantize_mmx),
              sse2 ? fp(jpeg_dequantize_sse2) : fp(jpeg_dequantize_mmx), fp(jpeg_dequantize_sse2)}},
    };
    for (int cls = 3; cls <= 6; ++cls) {
        const std::vector<void*> k = slots_of(cls);
        for (const Row& r : rows) EXPECT_EQ(k[size_t(r.slot)], r.by_class[cls - 3]) << "class " << cls << " slot " << r.slot;
        // Every decoder colour slot but the plain-only ones changes; the rest stays plain.
        for (int s = 35; s <= 52; ++s) {
            const bool plain_only = s >= 45 && s <= 48;
            EXPECT_EQ(k[size_t(s)] == plain[size_t(s)], plain_only) << "class " << cls << " slot " << s;
        }
        // The decoder's other slots stay plain (the encoder's slots have their own test).
        for (int s : {4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 34, 53, 60, 62})
            EXPECT_EQ(k[size_t(s)], plain[size_t(s)]) << "class " << cls << " slot " << s;
        EXPECT_EQ(slots_of(cls)[39], x3(jpeg_dec_ycc_bgr_h1v1_mmx, jpeg_dec_ycc_bgr_h1v1_ssse3));
    }
    // Classes 5 and 6 differ from 3 and 4 in the colour slots only at 37 and 40,
    // and there not where the SSSE3 variants serve every class.
    const std::vector<void*> c4 = slots_of(4), c5 = slots_of(5);
    for (int s = 35; s <= 52; ++s) EXPECT_EQ(c4[size_t(s)] != c5[size_t(s)], !ssse3 && (s == 37 || s == 40)) << s;
    // The fill leaves a null environment and the plain classes alone.
    jpeg_kernels_decoder_fill(nullptr, 6);
    for (int cls : {0, 1, 2, 7, -3}) {
        auto env = std::make_unique<JPEG_ENVIRONMENT>();
        jpeg_fill_kernels(env.get(), 0);
        jpeg_kernels_decoder_fill(env.get(), cls);
        EXPECT_EQ(0, std::memcmp(&env->k, plain.data(), sizeof(JPEG_KERNELS))) << cls;
    }
}

}  // namespace
