// The encoder's kernels by processor class: the plain classes give identical
// files; the processor-specific block encoders, bit writers and converters give
// the plain routines' bits and samples; the quantisers and the transforms follow
// their own arithmetic within the stated bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "jpeg/jpeg_enc_color.h"
#include "jpeg/jpeg_enc_huff.h"
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_simd.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_fdct.h"
#include "jpeg/jpeg_fdct_simd.h"
#include "jpeg/jpeg_lib.h"
#include "jpeg/jpeg_simd_fill.h"
#include "tests/jpeg/enc_support.h"

using namespace velmora;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 200;
#else
constexpr int kRounds = 2000;
#endif

std::vector<uint8_t> noise(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = uint8_t(rng());
    return v;
}

// A stream over a memory block, opened by the kernels of a class.
struct OutStream {
    std::unique_ptr<JPEG_ENVIRONMENT> env = std::make_unique<JPEG_ENVIRONMENT>();
    JPEG_STREAM s{};
    std::vector<uint8_t> block;
    OutStream(int32_t cls, size_t size) : block(size) {
        jpeg_fill_kernels(env.get(), cls);
        s.environment = env.get();
        s.file = -1;
        env->k.open_output(&s, block.data(), uint32_t(size));
    }
    std::vector<uint8_t> finish() {
        EXPECT_EQ(jpeg_finish_output(&s), 0);
        return std::vector<uint8_t>(block.begin(), block.begin() + s.consumed);
    }
};

}  // namespace

TEST(EncKernels, PlainClassesGiveIdenticalFiles) {
    enc::Setup s;
    s.width = 61, s.height = 35;
    const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, 3, 3);
    for (uint32_t transform : {0u, 1u})
        for (uint32_t prog : {0u, 1u}) {
            s.transform = transform, s.progressive = prog;
            s.cpu_class = 0;
            const std::vector<uint8_t> base = enc::encode(s, px);
            ASSERT_FALSE(base.empty());
            for (int32_t cls : {1, 2, 9}) {
                s.cpu_class = cls;
                EXPECT_EQ(enc::encode(s, px), base) << cls;
            }
        }
}

TEST(EncKernels, EveryClassGivesTheSameFileWhereTheKernelsMustAgree) {
    // At quality 100 with the accurate transform every reciprocal is 32768, so the
    // quantisers agree and the coefficients are the transform's. Classes 3-6 run
    // the vector transform, which may round a coefficient the other way than the
    // plain one: against class 0 with that transform in its slot, what remains is
    // input conversion, block coding and bit output, which every class must do
    // identically; against plain class 0 each coefficient is a unit apart at most.
    // Noise makes many 0xFF bytes.
    const struct { int32_t image, channels, sampling; } layouts[] = {
        {JPEG_COLOR_RGB, 3, 1}, {JPEG_COLOR_BGR, 3, 2}, {JPEG_COLOR_RGB, 3, 0}, {JPEG_COLOR_BGR, 3, 0}};
    for (const auto& l : layouts)
        for (uint32_t prog : {0u, 1u})
            for (uint32_t restart : {0u, 5u}) {
                enc::Setup s;
                s.width = 70, s.height = 50, s.quality = 100, s.transform = 1;
                s.image_color = l.image, s.channels = l.channels, s.sampling = l.sampling;
                s.progressive = prog, s.restart = restart;
                const std::vector<uint8_t> px = noise(size_t(s.width) * s.height * 3, 11);
                s.cpu_class = 0;
                const std::vector<uint8_t> plain = enc::encode(s, px);
                ASSERT_FALSE(plain.empty());
                std::vector<uint8_t> base;
                enc::Params p = enc::make_params(s, px, base);
                p->props.stream.environment->k.fdct_accurate = jpeg_fdct_accurate_sse2;
                ASSERT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_MEM), 0);
                base.resize(size_t(p->stream_size));
                const auto plain_coef = enc::oracle_coefficients(plain), base_coef = enc::oracle_coefficients(base);
                ASSERT_EQ(plain_coef.size(), base_coef.size());
                int worst = 0;
                for (size_t c = 0; c < plain_coef.size(); ++c) {
                    ASSERT_EQ(plain_coef[c].size(), base_coef[c].size());
                    for (size_t i = 0; i < plain_coef[c].size(); ++i)
                        worst = std::max(worst, std::abs(plain_coef[c][i] - base_coef[c][i]));
                }
#if defined(__x86_64__)
                EXPECT_EQ(worst, 1) << "sampling " << l.sampling;   // a unit apart, and apart somewhere
#else
                EXPECT_EQ(worst, 0);   // the vector names stand for the plain transform here
#endif
                for (int32_t cls : {3, 4, 5, 6}) {
                    s.cpu_class = cls;
                    EXPECT_EQ(enc::encode(s, px), base) << "class " << cls << " sampling " << l.sampling;
                }
                EXPECT_EQ(enc::oracle_decode(base).warnings, 0) << l.sampling << " prog " << prog << " restart " << restart;
            }
}

TEST(EncKernels, BlockEncodersWriteThePlainBits) {
    JPEG_HUFF_ENCODE_TABLE dc, ac;
    jpeg_build_encode_table(jpeg_std_dc_luma_counts, jpeg_std_dc_luma_values, &dc);
    jpeg_build_encode_table(jpeg_std_ac_luma_counts, jpeg_std_ac_luma_values, &ac);
    std::mt19937 rng(5);
    std::vector<int16_t> blocks(size_t(kRounds) * 64);
    for (size_t i = 0; i < blocks.size(); ++i) {
        const int k = int(i % 64), kind = int(i / 64 % 4);
        int v = int(rng() % 2047) - 1023;
        if (kind == 0 || (k > 0 && rng() % 4 != 0)) v = kind == 3 ? v : 0;   // sparse and empty blocks
        if (kind == 2 && k == 63) v = 1;                                    // last coefficient set
        blocks[i] = int16_t(v);
    }
    auto run = [&](int32_t cls, JpegHuffEncodeFn form = nullptr) {
        OutStream o(cls, blocks.size() * 4 + 64);
        if (form) o.env->k.huff_encode_block = form;
        int16_t pred = 0;
        for (int b = 0; b < kRounds; ++b) {
            int16_t blk[64];
            std::memcpy(blk, &blocks[size_t(b) * 64], sizeof(blk));
            EXPECT_EQ(o.env->k.huff_encode_block(&o.s, &dc, &ac, &pred, blk), 0);
            EXPECT_EQ(pred, blk[0]);
        }
        return o.finish();
    };
    const std::vector<uint8_t> plain = run(0);
    for (int32_t cls : {3, 4, 5, 6}) EXPECT_EQ(run(cls), plain) << cls;
    // Every vector form, whichever the fill gives this processor.
    EXPECT_EQ(run(6, jpeg_encode_block_mmx), plain);
    EXPECT_EQ(run(6, jpeg_encode_block_sse), plain);
    if (jpeg_cpu_has_ssse3()) {
        EXPECT_EQ(run(6, jpeg_encode_block_ssse3), plain);
    }
    if (jpeg_enc_avx512_available()) {
        EXPECT_EQ(run(6, jpeg_encode_block_avx512), plain);
    }
    // The MCU forms, six blocks a call (four luma, two chroma blocks with their
    // own tables and predictors), against the plain encoder block by block;
    // then in a memory block that ends inside the data, where they must fail
    // as the block encoders do, after the same bytes.
    JPEG_HUFF_ENCODE_TABLE cdc, cac;
    jpeg_build_encode_table(jpeg_std_dc_chroma_counts, jpeg_std_dc_chroma_values, &cdc);
    jpeg_build_encode_table(jpeg_std_ac_chroma_counts, jpeg_std_ac_chroma_values, &cac);
    JPEG_ENC_MCU_TABLES plan{6, {0, 0, 0, 0, 1, 2}, {&dc, &dc, &dc, &dc, &cdc, &cdc}, {&ac, &ac, &ac, &ac, &cac, &cac}};
    auto run_mcus = [&](JpegEncMcuFn mcu, size_t room, JPEG_RESULT* result) {
        OutStream o(mcu && mcu != jpeg_encode_mcu_plain ? 6 : 0, room);   // the writer the form is made for
        int16_t pred[3] = {};
        *result = 0;
        for (int m = 0; m + 6 <= kRounds && !*result; m += 6) {
            int16_t blk[6 * 64];
            std::memcpy(blk, &blocks[size_t(m) * 64], sizeof(blk));
            if (mcu) {
                *result = mcu(&o.s, &plan, pred, blk);
            } else {
                for (uint32_t b = 0; b < 6 && !*result; ++b)
                    *result = jpeg_encode_block(&o.s, plan.dc[b], plan.ac[b], &pred[plan.comp[b]], blk + 64 * b);
            }
        }
        if (*result) return std::vector<uint8_t>(o.block.begin(), o.block.begin() + o.s.consumed);
        return o.finish();
    };
    JPEG_RESULT r = 0;
    const std::vector<uint8_t> plain_mcus = run_mcus(nullptr, blocks.size() * 4 + 64, &r);
    std::vector<JpegEncMcuFn> forms = {jpeg_enc_mcu_for(jpeg_encode_block_avx512, true),
                                       jpeg_enc_mcu_for(jpeg_encode_block_ssse3, true), jpeg_encode_mcu_plain};
    if (jpeg_enc_avx512_available()) forms.push_back(jpeg_encode_mcu_avx512);
    if (jpeg_enc_mcu_avx2_available()) forms.push_back(jpeg_encode_mcu_avx2);
    for (JpegEncMcuFn form : forms) {
        if (!form) continue;
        EXPECT_EQ(run_mcus(form, blocks.size() * 4 + 64, &r), plain_mcus);
        EXPECT_EQ(r, 0);
        JPEG_RESULT short_result = 0;
        const size_t room = plain_mcus.size() / 2;
        const std::vector<uint8_t> cut = run_mcus(form, room, &short_result);
        EXPECT_EQ(short_result, JPEG_ERR_OUTPUT_SMALL);
        ASSERT_GT(cut.size(), room - 600);
        EXPECT_TRUE(std::equal(cut.begin(), cut.end(), plain_mcus.begin()));
    }
    // A table whose codes overrun their lengths (more codes of a length than
    // it has) keeps the block encoders.
    EXPECT_TRUE(jpeg_enc_table_fits(&ac) && jpeg_enc_table_fits(&cdc));
    const uint8_t counts[16] = {3}, values[3] = {0, 1, 2};
    JPEG_HUFF_ENCODE_TABLE bad;
    jpeg_build_encode_table(counts, values, &bad);
    EXPECT_FALSE(jpeg_enc_table_fits(&bad));
}

TEST(EncKernels, BitWriterGroupsAndStuffing) {
    // Bytes 12 FF 34 56: the group is 12 FF 00 34 and 56 stays held.
    const struct { uint32_t hi, lo; std::vector<uint8_t> group, all; } cases[] = {
        {0x12FF, 0x3456, {0x12, 0xFF, 0x00, 0x34}, {0x12, 0xFF, 0x00, 0x34, 0x56, 0x78}},
        {0x1234, 0x56FF, {0x12, 0x34, 0x56, 0xFF}, {0x12, 0x34, 0x56, 0xFF, 0x00, 0x78}},
        {0xFFFF, 0xFF12, {0xFF, 0x00, 0xFF, 0x00}, {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x12, 0x78}},
    };
    for (const auto& c : cases) {
        OutStream o(4, 64);
        ASSERT_EQ(jpeg_put_bits_simd(&o.s, c.hi, 16), 0);
        ASSERT_EQ(jpeg_put_bits_simd(&o.s, c.lo, 16), 0);
        ASSERT_EQ(jpeg_put_bits_simd(&o.s, 0x78, 8), 0);   // more than 32 held: one group out
        EXPECT_EQ(std::vector<uint8_t>(o.block.begin(), o.block.begin() + 4), c.group);
        EXPECT_EQ(o.finish(), c.all);
    }
    // 13 pending bits flush as two bytes, the second padded with zero bits.
    OutStream o(6, 64);
    ASSERT_EQ(jpeg_put_bits_simd(&o.s, 0x1FFF, 13), 0);
    EXPECT_EQ(o.finish(), (std::vector<uint8_t>{0xFF, 0x00, 0xF8}));
    // Memory output with too little room refuses and reports -28.
    OutStream small(3, 3);
    ASSERT_EQ(jpeg_put_bits_simd(&small.s, 0x1234, 16), 0);
    ASSERT_EQ(jpeg_put_bits_simd(&small.s, 0x5678, 16), 0);
    EXPECT_EQ(jpeg_put_bits_simd(&small.s, 0x9A, 8), JPEG_ERR_OUTPUT_SMALL);
}

TEST(EncKernels, QuantisersFollowTheirArithmetic) {
    int16_t blk[64];
    uint16_t t[64];
    const struct { int16_t x; uint16_t r; int16_t expect; } fast[] = {
        {9000, 4096, 1024}, {-9000, 4096, int16_t((-8192 * 4096 + 16384) >> 15)}, {-1, 16384, 0}, {100, 2953, 9}};
    for (auto c : fast) {
        for (int i = 0; i < 64; ++i) blk[i] = c.x, t[i] = c.r;
        jpeg_quantize_fast_simd(blk, t);
        for (int i = 0; i < 64; ++i) EXPECT_EQ(blk[i], c.expect) << c.x;
    }
    std::mt19937 rng(3);
    for (int round = 0; round < kRounds / 10; ++round) {
        int16_t a[64], b[64];
        for (int i = 0; i < 64; ++i) {
            a[i] = b[i] = int16_t(int(rng() % 16384) - 8192);
            t[i] = uint16_t(1 + rng() % 32767);
        }
        jpeg_quantize_fast(a, t);
        jpeg_quantize_fast_simd(b, t);
        EXPECT_EQ(0, std::memcmp(a, b, sizeof(a)));
        // The accurate form drops the lowest bit of the reciprocal.
        uint16_t even[64];
        for (int i = 0; i < 64; ++i) {
            a[i] = b[i] = int16_t(int(rng() % 8192) - 4096);
            t[i] = uint16_t(1 + rng() % 32768);
            even[i] = uint16_t(t[i] & 0xFFFE);
        }
        jpeg_quantize_accurate(a, even);
        jpeg_quantize_accurate_simd(b, t);
        EXPECT_EQ(0, std::memcmp(a, b, sizeof(a)));
    }
    for (int i = 0; i < 64; ++i) blk[i] = int16_t(i * 64 - 2048), t[i] = 32768;
    jpeg_quantize_accurate_simd(blk, t);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(blk[i], i * 64 - 2048);
}

TEST(EncKernels, ForwardTransforms) {
    int16_t a[64], b[64];
    for (auto& v : a) v = 127;
    std::memcpy(b, a, sizeof(a));
    jpeg_fdct_fast(a);
    jpeg_fdct_fast_simd(b);
    EXPECT_EQ(a[0], 8128);
    EXPECT_EQ(b[0], 8128);
    for (int i = 1; i < 64; ++i) EXPECT_EQ(b[i], 0) << i;
    for (int16_t v : {int16_t(127), int16_t(-128)}) {
        for (auto& x : a) x = v;
        jpeg_fdct_accurate(a);
        EXPECT_EQ(a[0], 8 * v);
        for (int i = 1; i < 64; ++i) EXPECT_EQ(a[i], 0) << i;
    }
    // The accurate transform is the DCT of T.81 A.3.3 to within one unit; the
    // fast processor form stays within a dozen units of the plain fast one.
    std::mt19937 rng(9);
    int worst_fast = 0;
    double worst_accurate = 0;
    for (int round = 0; round < kRounds / 10; ++round) {
        int16_t in[64];
        for (auto& v : in) v = int16_t(int(rng() % 256) - 128);
        std::memcpy(a, in, sizeof(in));
        std::memcpy(b, in, sizeof(in));
        jpeg_fdct_fast(a);
        jpeg_fdct_fast_simd(b);
        for (int i = 0; i < 64; ++i) worst_fast = std::max(worst_fast, std::abs(a[i] - b[i]));
        std::memcpy(a, in, sizeof(in));
        jpeg_fdct_accurate(a);
        for (int u = 0; u < 8; ++u)
            for (int v = 0; v < 8; ++v) {
                double sum = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        sum += in[y * 8 + x] * std::cos((2 * y + 1) * u * M_PI / 16) * std::cos((2 * x + 1) * v * M_PI / 16);
                const double cu = u ? 1 : M_SQRT1_2, cv = v ? 1 : M_SQRT1_2;
                worst_accurate = std::max(worst_accurate, std::fabs(sum * cu * cv / 4 - a[u * 8 + v]));
            }
    }
    EXPECT_LE(worst_fast, 24);   // 18 measured: the eight-bit constants cost a little
    EXPECT_GT(worst_fast, 0);   // the processor form has its own rounding
    EXPECT_LT(worst_accurate, 1.0);
}

TEST(EncKernels, ConvertersGiveThePlainSamples) {
    using Fn = void (*)(const uint8_t*, int32_t, int16_t*, int16_t*, int16_t*, int16_t*);
    const struct { Fn plain, simd; int w, h; } pairs[] = {
        {jpeg_enc_rgb_h1v1, jpeg_enc_rgb_h1v1_simd, 8, 8},   {jpeg_enc_rgb_h2v1, jpeg_enc_rgb_h2v1_simd, 16, 8},
        {jpeg_enc_rgb_h2v2, jpeg_enc_rgb_h2v2_simd, 16, 16}, {jpeg_enc_bgr_h1v1, jpeg_enc_bgr_h1v1_simd, 8, 8},
        {jpeg_enc_bgr_h2v1, jpeg_enc_bgr_h2v1_simd, 16, 8},  {jpeg_enc_bgr_h2v2, jpeg_enc_bgr_h2v2_simd, 16, 16},
        {jpeg_enc_rgb_h1v1, jpeg_enc_rgb_h1v1_ssse3, 8, 8},  {jpeg_enc_rgb_h2v1, jpeg_enc_rgb_h2v1_ssse3, 16, 8},
        {jpeg_enc_rgb_h2v2, jpeg_enc_rgb_h2v2_ssse3, 16, 16}, {jpeg_enc_bgr_h1v1, jpeg_enc_bgr_h1v1_ssse3, 8, 8},
        {jpeg_enc_bgr_h2v1, jpeg_enc_bgr_h2v1_ssse3, 16, 8},  {jpeg_enc_bgr_h2v2, jpeg_enc_bgr_h2v2_ssse3, 16, 16},
        {jpeg_enc_rgb_h2v1, jpeg_enc_rgb_h2v1_avx2, 16, 8},   {jpeg_enc_rgb_h2v2, jpeg_enc_rgb_h2v2_avx2, 16, 16},
        {jpeg_enc_bgr_h2v1, jpeg_enc_bgr_h2v1_avx2, 16, 8},   {jpeg_enc_bgr_h2v2, jpeg_enc_bgr_h2v2_avx2, 16, 16},
        {jpeg_enc_rgb_h1v1, jpeg_enc_rgb_h1v1_avx2, 8, 8},    {jpeg_enc_bgr_h1v1, jpeg_enc_bgr_h1v1_avx2, 8, 8}};
    const bool ssse3 = jpeg_cpu_has_ssse3(), avx2 = jpeg_enc_avx2_available();
    for (size_t i = 0; i < std::size(pairs); ++i)
        for (int round = 0; round < kRounds / 100 && (i < 6 || (i < 12 ? ssse3 : avx2)); ++round) {
            const auto& p = pairs[i];
            const int32_t step = p.w * 3 + 5;   // pad bytes between rows
            std::vector<uint8_t> px = noise(size_t(step) * p.h, uint32_t(round));
            if (round == 1) std::fill(px.begin(), px.end(), 255);
            if (round == 2) std::fill(px.begin(), px.end(), 0);
            int16_t a[6 * 64], b[6 * 64];
            std::memset(a, 0x55, sizeof(a));
            std::memset(b, 0x55, sizeof(b));
            const int ny = (p.w / 8) * (p.h / 8);
            p.plain(px.data(), step, a, a + 64 * ny, a + 64 * ny + 64, nullptr);
            p.simd(px.data(), step, b, b + 64 * ny, b + 64 * ny + 64, nullptr);
            EXPECT_EQ(0, std::memcmp(a, b, sizeof(a))) << p.w << "x" << p.h;
            // Bottom-up: a negative step from the last row gives the rows reversed.
            if (p.h == 8) {
                p.simd(px.data() + ptrdiff_t(step) * 7, -step, b, b + 64 * ny, b + 64 * ny + 64, nullptr);
                for (int r = 0; r < 8; ++r)
                    for (int c = 0; c < 8; ++c) EXPECT_EQ(b[r * 8 + c], a[(7 - r) * 8 + c]);
            }
        }
}

TEST(EncKernels, ConversionWorkedValues) {
    const struct { uint8_t r, g, b; int16_t y, cb, cr; } cases[] = {
        {255, 255, 255, 127, 0, 0}, {0, 0, 0, -128, 0, 0}, {128, 128, 128, 0, 0, 0},
        {0, 0, 255, -99, 128, -21}, {255, 0, 0, -51, -43, 128}};
    for (const auto& c : cases) {
        uint8_t rgb[64 * 3], bgr[64 * 3];
        for (int i = 0; i < 64; ++i) {
            rgb[3 * i] = c.r, rgb[3 * i + 1] = c.g, rgb[3 * i + 2] = c.b;
            bgr[3 * i] = c.b, bgr[3 * i + 1] = c.g, bgr[3 * i + 2] = c.r;
        }
        int16_t y[64], cb[64], cr[64], y2[64], cb2[64], cr2[64];
        jpeg_enc_rgb_h1v1(rgb, 24, y, cb, cr, nullptr);
        jpeg_enc_bgr_h1v1_simd(bgr, 24, y2, cb2, cr2, nullptr);
        EXPECT_EQ(y[5], c.y);
        EXPECT_EQ(cb[5], c.cb);
        EXPECT_EQ(cr[5], c.cr);
        EXPECT_EQ(0, std::memcmp(y, y2, sizeof(y)));
        EXPECT_EQ(0, std::memcmp(cb, cb2, sizeof(cb)));
        EXPECT_EQ(0, std::memcmp(cr, cr2, sizeof(cr)));
    }
    // A pair (255, 0, 0), (0, 0, 255) at 2x1: Cb 42, Cr 53.
    uint8_t row[8][48] = {};
    for (auto& r : row)
        for (int i = 0; i < 8; ++i) r[6 * i] = 255, r[6 * i + 5] = 255;
    int16_t y[128], cb[64], cr[64];
    jpeg_enc_rgb_h2v1_simd(&row[0][0], 48, y, cb, cr, nullptr);
    EXPECT_EQ(cb[0], 42);
    EXPECT_EQ(cr[0], 53);
    // Four-byte pixels are inverted: (0, 0, 0, 200) is white with fourth 72.
    uint8_t four[64 * 4];
    for (int i = 0; i < 64; ++i) four[4 * i] = four[4 * i + 1] = four[4 * i + 2] = 0, four[4 * i + 3] = 200;
    int16_t q[64];
    jpeg_enc_rgba_h1v1(four, 32, y, cb, cr, q);
    EXPECT_EQ(y[0], 127);
    EXPECT_EQ(cb[0], 0);
    EXPECT_EQ(q[0], 72);
}

// The four-byte converters against the formulas, sample by sample: colour
// inverted, luminance per pixel, chroma from the sums of each 1x1, 2x1 or 2x2
// group, the fourth byte - 128 at full resolution, blocks in their MCU order.
TEST(EncKernels, FourByteConvertersFollowTheFormulas) {
    using Fn = void (*)(const uint8_t*, int32_t, int16_t*, int16_t*, int16_t*, int16_t*);
    const struct { Fn fn; int hf, vf; } forms[] = {
        {jpeg_enc_rgba_h1v1, 1, 1}, {jpeg_enc_rgba_h2v1, 2, 1}, {jpeg_enc_rgba_h2v2, 2, 2}};
    for (const auto& f : forms)
        for (int round = 0; round < 20; ++round) {
            const int w = 8 * f.hf, h = 8 * f.vf, nb = f.hf * f.vf;
            const int32_t step = w * 4 + 3;
            std::vector<uint8_t> px = noise(size_t(step) * h, uint32_t(round + 7));
            if (round == 1) std::fill(px.begin(), px.end(), 0);
            if (round == 2) std::fill(px.begin(), px.end(), 255);
            int16_t out[10 * 64];
            std::memset(out, 0x55, sizeof(out));
            int16_t *y = out, *cb = out + 64 * nb, *cr = cb + 64, *q = cr + 64;
            f.fn(px.data(), step, y, cb, cr, q);
            const int s = 8 + (f.hf - 1) + (f.vf - 1);
            for (int cy = 0; cy < 8; ++cy)
                for (int cx = 0; cx < 8; ++cx) {
                    int32_t sr = 0, sg = 0, sb = 0;
                    for (int py = cy * f.vf; py < (cy + 1) * f.vf; ++py)
                        for (int px_ = cx * f.hf; px_ < (cx + 1) * f.hf; ++px_) {
                            const uint8_t* p = &px[size_t(py) * step + size_t(px_) * 4];
                            const int32_t r = 255 - p[0], g = 255 - p[1], b = 255 - p[2];
                            sr += r, sg += g, sb += b;
                            const int at = ((py / 8) * f.hf + px_ / 8) * 64 + (py % 8) * 8 + px_ % 8;
                            ASSERT_EQ(y[at], (77 * r + 150 * g + 29 * b - 32640) >> 8) << f.hf << "x" << f.vf;
                            ASSERT_EQ(q[at], p[3] - 128) << f.hf << "x" << f.vf;
                        }
                    const int32_t k = 1 << (s - 1);
                    ASSERT_EQ(cb[cy * 8 + cx], (-43 * sr - 85 * sg + 128 * sb + k) >> s) << f.hf << "x" << f.vf;
                    ASSERT_EQ(cr[cy * 8 + cx], (128 * sr - 107 * sg - 21 * sb + k) >> s) << f.hf << "x" << f.vf;
                }
        }
}
