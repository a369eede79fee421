// The plain kernels: table preparation, dequantisation, the inverse DCTs of
// both families at every size, the Huffman table builder and bit reader, the
// block decoders and the colour formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "jpeg/jpeg_color.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_input.h"
#include "jpeg/jpeg_lib.h"

namespace {

using namespace velmora;

using Kernel = void (*)(int16_t*);
struct Sized {
    Kernel k;
    int n;   // output size
};
const Sized kFamily0[] = {{jpeg_idct_fast, 8}, {jpeg_idct_fast_4x4, 4}, {jpeg_idct_fast_2x2, 2}, {jpeg_idct_fast_1x1, 1}};
const Sized kFamily1[] = {{jpeg_idct_accurate, 8}, {jpeg_idct_accurate_4x4, 4}, {jpeg_idct_accurate_2x2, 2},
                          {jpeg_idct_accurate_1x1, 1}};

// The true 2-D inverse DCT of T.81 A.3.3, plus 128.
void reference_idct(const double* coef, double* out) {
    const double pi = 3.14159265358979323846;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            double s = 0;
            for (int v = 0; v < 8; ++v)
                for (int u = 0; u < 8; ++u) {
                    double cu = u ? 1 : std::sqrt(0.5), cv = v ? 1 : std::sqrt(0.5);
                    s += cu * cv * coef[v * 8 + u] * std::cos((2 * x + 1) * u * pi / 16) * std::cos((2 * y + 1) * v * pi / 16);
                }
            out[y * 8 + x] = s / 4 + 128;
        }
}

TEST(JpegIdct, ZeroBlockGivesMidGrayAtEverySize) {
    for (const auto* fam : {kFamily0, kFamily1})
        for (int i = 0; i < 4; ++i) {
            int16_t b[64] = {};
            fam[i].k(b);
            for (int y = 0; y < fam[i].n; ++y)
                for (int x = 0; x < fam[i].n; ++x) EXPECT_EQ(b[y * 8 + x], 128) << i;
        }
}

TEST(JpegIdct, SaturatesAtBothEnds) {
    for (const auto* fam : {kFamily0, kFamily1})
        for (int i = 0; i < 4; ++i)
            for (int16_t dc : {int16_t(30000), int16_t(-30000)}) {
                int16_t b[64] = {};
                b[0] = dc;
                fam[i].k(b);
                for (int y = 0; y < fam[i].n; ++y)
                    for (int x = 0; x < fam[i].n; ++x) EXPECT_EQ(b[y * 8 + x], dc > 0 ? 255 : 0);
            }
}

TEST(JpegIdct, EighthSizeDescalesByFamily) {
    for (int dc : {-100, -9, 0, 7, 80, 1000}) {
        int16_t a[64] = {}, b[64] = {};
        a[0] = b[0] = int16_t(dc);
        jpeg_idct_fast_1x1(a);
        jpeg_idct_accurate_1x1(b);
        EXPECT_EQ(a[0], std::clamp(((dc + 8) >> 4) + 128, 0, 255));
        EXPECT_EQ(b[0], std::clamp(((dc + 4) >> 3) + 128, 0, 255));
    }
}

TEST(JpegIdct, FullSizeTransformsFollowTheTrueDct) {
    uint32_t rng = 7;
    for (int round = 0; round < 200; ++round) {
        double coef[64] = {};
        int16_t acc[64] = {}, fast[64] = {};
        uint16_t ones[80];
        for (auto& q : ones) q = 1;
        jpeg_dequant_prepare_aan(ones);
        for (int i = 0; i < 64; ++i) {
            rng = rng * 1664525u + 1013904223u;
            int v = i == 0 ? int(rng >> 22) - 512 : (i < 20 ? int(rng >> 25) - 64 : int(rng >> 28) - 8);
            coef[i] = v;
            acc[i] = int16_t(v);
        }
        // Family 0 takes coefficients in natural order through its scaled table.
        std::memcpy(fast, acc, sizeof(acc));
        jpeg_dequantize_scaled(fast, ones);
        jpeg_idct_accurate(acc);
        jpeg_idct_fast(fast);
        double ref[64];
        reference_idct(coef, ref);
        for (int i = 0; i < 64; ++i) {
            double want = std::clamp(ref[i], 0.0, 255.0);
            EXPECT_NEAR(acc[i], want, 1.0) << i;
            EXPECT_NEAR(fast[i], want, 3.0) << i;   // 15-bit products, 16-bit passes
        }
    }
}

TEST(JpegIdct, ReducedSizesAverageTheFullPicture) {
    uint32_t rng = 3;
    for (int round = 0; round < 100; ++round) {
        int16_t base[64] = {};
        for (int i = 0; i < 64; ++i) {
            int v = i / 8, u = i % 8;
            rng = rng * 1664525u + 1013904223u;
            if (u < 2 && v < 2) base[i] = int16_t(int(rng >> 24) - 128);
        }
        int16_t full[64], half[64], quarter[64];
        std::memcpy(full, base, sizeof(base));
        std::memcpy(half, base, sizeof(base));
        std::memcpy(quarter, base, sizeof(base));
        jpeg_idct_accurate(full);
        jpeg_idct_accurate_4x4(half);
        jpeg_idct_accurate_2x2(quarter);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                double avg = (full[2 * y * 8 + 2 * x] + full[2 * y * 8 + 2 * x + 1] + full[(2 * y + 1) * 8 + 2 * x] +
                              full[(2 * y + 1) * 8 + 2 * x + 1]) / 4.0;
                EXPECT_NEAR(half[y * 8 + x], avg, 3.0);
            }
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                double sum = 0;
                for (int dy = 0; dy < 4; ++dy)
                    for (int dx = 0; dx < 4; ++dx) sum += full[(4 * y + dy) * 8 + 4 * x + dx];
                EXPECT_NEAR(quarter[y * 8 + x], sum / 16, 4.0);
            }
    }
}

TEST(JpegDequant, PreparationAndScaling) {
    uint16_t t[80], u[80];
    for (int i = 0; i < 80; ++i) t[i] = u[i] = uint16_t(i < 64 ? 10 + i : 999);
    jpeg_dequant_prepare_aan(t);
    jpeg_dequant_prepare_int(u);
    const double pi = 3.14159265358979323846;
    auto s = [&](int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * pi / 16); };
    for (int k = 0; k < 64; ++k) {
        uint32_t p = jpeg_natural_order[k];
        double want = (10 + k) * (s(int(p / 8)) * s(int(p % 8)) / 8) * 0.0625 * 32768 + 0.5;
        EXPECT_EQ(t[p], uint16_t(int64_t(want))) << k;
        EXPECT_EQ(u[p], 10 + k);
    }
    for (int i = 64; i < 80; ++i) EXPECT_EQ(t[i] | u[i], 0);
    EXPECT_EQ(t[0], 10 * 256);   // the DC scale is exactly 256
    int16_t b[64] = {3, -3, 300};
    uint16_t q[80] = {100, 100, 300};
    jpeg_dequantize_scaled(b, q);
    EXPECT_EQ(b[0], (300 + 64) >> 7);
    EXPECT_EQ(b[1], (-300 + 64) >> 7);
    int16_t c[64] = {300};
    jpeg_dequantize(c, q);
    EXPECT_EQ(c[0], int16_t(30000));
    int16_t w[64] = {0, 0, 300};
    jpeg_dequantize(w, q);
    EXPECT_EQ(w[2], int16_t(uint16_t(90000 & 0xFFFF)));   // low 16 bits kept
    for (int k = 64; k < 80; ++k) EXPECT_EQ(jpeg_natural_order[k], 63u);
}

// A memory stream over the given bytes.
struct Bits {
    std::unique_ptr<JPEG_STREAM> s = std::make_unique<JPEG_STREAM>();
    std::vector<uint8_t> data;
    explicit Bits(std::vector<uint8_t> d) : data(std::move(d)) {
        std::memset(s.get(), 0, sizeof(JPEG_STREAM));
        s->file = -1;
        s->start = data.data();
        s->size = uint32_t(data.size());
        jpeg_stream_reset(s.get());
    }
};

JPEG_HUFF_DECODE_TABLE table(std::vector<uint8_t> counts, std::vector<uint8_t> values, uint32_t cls) {
    JPEG_HUFF_DECODE_TABLE t;
    counts.resize(16);
    EXPECT_EQ(jpeg_build_huffman_table(counts.data(), values.data(), cls, 0, &t), 0);
    return t;
}

TEST(JpegDequant, PlainFusedTransformEqualsDequantiseThenTransform) {
    // Typical blocks, blocks of any 16-bit words with any table (wrapping
    // products), and rows whose AC products wrap to zero (256 x 256), which
    // must take the transform's zero-row path exactly as the separate steps do.
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 3000; ++round) {
        int16_t fused[64], want[64];
        uint16_t q[64];
        const int kind = round % 3;
        for (int i = 0; i < 64; ++i) {
            const uint32_t r = next();
            if (kind == 0) {
                want[i] = (r & 3) ? 0 : int16_t(int32_t(r >> 8) % 97 - 48);
                q[i] = uint16_t(1 + (r >> 20) % 99);
            } else if (kind == 1) {
                want[i] = int16_t(r >> 7);
                q[i] = uint16_t(next());
            } else {
                want[i] = (i % 8 != 0 && (r & 1)) ? 256 : int16_t(int32_t(r >> 9) % 41 - 20);
                q[i] = (i % 8 != 0) ? 256 : uint16_t(1 + (r >> 24) % 50);
            }
        }
        std::memcpy(fused, want, sizeof(want));
        jpeg_dequantize(want, q);
        jpeg_idct_accurate(want);
        jpeg_idct_accurate_dequant(fused, q);
        ASSERT_EQ(0, std::memcmp(fused, want, sizeof(want))) << "round " << round;
    }
}

// The accurate transform computed wholly in 64 bits, pass by pass as the
// kernel defines it: the kernel's 32-bit passes and shortcuts must give
// exactly these samples for every input.
void accurate_wide(int16_t* block) {
    auto pass = [](const int64_t* x, int64_t* y) {
        int64_t o1 = 32138 * x[1] + 6393 * x[7], o2 = 6393 * x[1] - 32138 * x[7];
        int64_t o3 = 18205 * x[5] + 27246 * x[3], o4 = 27246 * x[5] - 18205 * x[3];
        int64_t a = o1 - o3, b = ((o1 + o3 + 2048) >> 12) * 5793, h = a + (o4 - o2);
        int64_t d = ((o2 + o4 + 2048) >> 12) * 5793, e = a + (o2 - o4);
        int64_t E0 = (x[0] + x[4]) * 32768, E1 = (x[0] - x[4]) * 32768;
        int64_t f = 42813 * x[2] + 17734 * x[6], g = 17734 * x[2] - 42813 * x[6];
        int64_t w0 = E0 + f, w3 = E0 - f, w1 = E1 + g, w2 = E1 - g;
        y[0] = w0 + b, y[7] = w0 - b, y[1] = w1 + e, y[6] = w1 - e;
        y[2] = w2 + h, y[5] = w2 - h, y[3] = w3 + d, y[4] = w3 - d;
    };
    int64_t work[64], x[8], y[8];
    for (int r = 0; r < 8; ++r) {
        for (int i = 0; i < 8; ++i) x[i] = block[r * 8 + i];
        pass(x, y);
        for (int i = 0; i < 8; ++i) work[r * 8 + i] = (y[i] + 2048) >> 12;
    }
    for (int c = 0; c < 8; ++c) {
        for (int i = 0; i < 8; ++i) x[i] = work[i * 8 + c];
        pass(x, y);
        for (int i = 0; i < 8; ++i) block[i * 8 + c] = int16_t(std::clamp<int64_t>(((y[i] + 1048576) >> 21) + 128, 0, 255));
    }
}

// Blocks at and just past the 32-bit passes' bound [-8192, 8191]: every sign
// corner of a row and of a column at the bound, DC-only rows whose column
// inputs (eight times the coefficient) meet it, the extremes of 16 bits, and
// random blocks of every sparsity the shortcuts tell apart.
TEST(JpegIdct, AccurateTransformEqualsItsWideFormAtTheRangeEdges) {
    std::vector<std::vector<int16_t>> cases;
    for (int16_t lo : {int16_t(-8192), int16_t(-8193), int16_t(-32768)})
        for (int16_t hi : {int16_t(8191), int16_t(8192), int16_t(32767)})
            for (int corner = 0; corner < 256; ++corner) {
                std::vector<int16_t> row(64, 0), col(64, 0);
                for (int i = 0; i < 8; ++i) {
                    row[i] = (corner >> i) & 1 ? hi : lo;       // row 0: the row pass at the bound
                    col[i * 8] = (corner >> i) & 1 ? hi : lo;   // column 0: DC-only rows
                }
                cases.push_back(row), cases.push_back(col);
            }
    for (int16_t dc : {1023, 1024, -1024, -1025, 4095, -4096})
        for (int rows = 1; rows < 256; rows += 37) {
            std::vector<int16_t> b(64, 0);
            for (int r = 0; r < 8; ++r)
                if ((rows >> r) & 1) b[r * 8] = dc;
            cases.push_back(b);
        }
    uint32_t rng = 11;
    for (int round = 0; round < 4000; ++round) {
        std::vector<int16_t> b(64, 0);
        const int rows = 1 + round % 8, cols = 1 + (round / 8) % 8, shift = 17 + (round / 64) % 10;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                rng = rng * 1664525u + 1013904223u;
                b[r * 8 + c] = int16_t(int32_t(rng) >> shift);
            }
        cases.push_back(b);
    }
    uint16_t ones[64];
    for (auto& q : ones) q = 1;
    for (size_t n = 0; n < cases.size(); ++n) {
        int16_t want[64], got[64], fused[64];
        std::memcpy(want, cases[n].data(), sizeof(want));
        std::memcpy(got, want, sizeof(want));
        std::memcpy(fused, want, sizeof(want));
        accurate_wide(want);
        jpeg_idct_accurate(got);
        jpeg_idct_accurate_dequant(fused, ones);
        ASSERT_EQ(0, std::memcmp(got, want, sizeof(want))) << "case " << n;
        ASSERT_EQ(0, std::memcmp(fused, want, sizeof(want))) << "case " << n;
    }
}

TEST(JpegHuffman, TableBuilderFillsLookahead) {
    JPEG_HUFF_DECODE_TABLE t = table({1}, {0x42}, 0);
    for (int i = 0; i < 128; ++i) EXPECT_EQ(t.lookahead[i], 65536u + 0x42);
    for (int i = 128; i < 256; ++i) EXPECT_EQ(t.lookahead[i], 0u);
    EXPECT_EQ(t.maxcode[1], 0);
    for (int l = 2; l <= 17; ++l) EXPECT_EQ(t.maxcode[l], 0xFFFF);
    std::vector<uint8_t> many(16, 0), vals(300, 0);
    many[8] = 255, many[9] = 2;   // 257 codes
    EXPECT_EQ(jpeg_build_huffman_table(many.data(), vals.data(), 1, 0, &t), JPEG_ERR_BAD_HUFFMAN);
    std::vector<uint8_t> over(16, 0);
    over[0] = 3;   // three codes of one bit
    EXPECT_EQ(jpeg_build_huffman_table(over.data(), vals.data(), 1, 0, &t), JPEG_ERR_BAD_HUFFMAN);
    over[0] = 2;   // two: the second is the reserved all-ones code
    EXPECT_EQ(jpeg_build_huffman_table(over.data(), vals.data(), 1, 0, &t), JPEG_ERR_BAD_HUFFMAN);
    EXPECT_EQ(t.lookahead[0], 65536u + 0x42);   // a refused table leaves the old one
}

TEST(JpegHuffman, BitReaderRemovesStuffingAndHoldsMarkers) {
    Bits a({0xFF, 0x00, 0x12});
    ASSERT_EQ(jpeg_bits_fill(a.s.get(), 16), 0);
    EXPECT_EQ(jpeg_bits_get(a.s.get(), 8), 0xFFu);
    EXPECT_EQ(jpeg_bits_get(a.s.get(), 8), 0x12u);
    Bits b({0xA5, 0xFF, 0xFF, 0xFF, 0xD9});
    EXPECT_EQ(jpeg_bits_fill(b.s.get(), 16), JPEG_BITS_MARKER);
    EXPECT_EQ(b.s->marker, 0xD9);
    EXPECT_EQ(jpeg_bits_get(b.s.get(), 8), 0xA5u);
    uint32_t code = 0;
    ASSERT_EQ(jpeg_read_marker(b.s.get(), &code), 0);
    EXPECT_EQ(code, 0xD9u);
    // The end of a memory block, also right after an 0xFF, stands for an end
    // marker: the bits before it stay, a decoder asking for more is told.
    Bits c({0x80});
    ASSERT_EQ(jpeg_bits_fill(c.s.get(), 16), JPEG_BITS_MARKER);
    EXPECT_EQ(c.s->marker, 0xD9);
    EXPECT_EQ(c.s->data_end, 1);
    EXPECT_EQ(jpeg_bits_get(c.s.get(), 8), 0x80u);
    Bits d({0x12, 0xFF});
    EXPECT_EQ(jpeg_bits_fill(d.s.get(), 16), JPEG_BITS_MARKER);
    EXPECT_EQ(d.s->data_end, 1);
    EXPECT_EQ(jpeg_bits_get(d.s.get(), 8), 0x12u);
}

// DC: 00 cat 0, 01 cat 1, 10 cat 2. AC: 00 EOB, 01 0x01, 10 ZRL, 110 0x11, 1110 0xF1.
struct Tables {
    JPEG_HUFF_DECODE_TABLE dc = table({0, 3}, {0, 1, 2}, 0);
    JPEG_HUFF_DECODE_TABLE ac = table({0, 3, 1, 1}, {0x00, 0x01, 0xF0, 0x11, 0xF1}, 1);
};

TEST(JpegHuffman, SequentialBlocks) {
    Tables t;
    int16_t blk[64], pred = 5;
    {   // DC +1 then EOB: 01 1 00 111
        Bits b({0x67});
        ASSERT_EQ(jpeg_decode_block(b.s.get(), &t.dc, &t.ac, &pred, blk), 0);
        EXPECT_EQ(blk[0], 6);
        EXPECT_EQ(pred, 6);
        for (int i = 1; i < 64; ++i) EXPECT_EQ(blk[i], 0);
    }
    {   // DC 0, ZRL, then 0x11 (run 1, +1) at zig-zag 18, then EOB: 00 10 110 1 00 1111..
        Bits b({0x2D, 0x3F});
        ASSERT_EQ(jpeg_decode_block(b.s.get(), &t.dc, &t.ac, &pred, blk), 0);
        EXPECT_EQ(blk[0], 6);
        EXPECT_EQ(blk[jpeg_natural_order[18]], 1);
    }
    {   // a run past coefficient 63: ZRL x3 then 0xF1
        Bits b({0x2A, 0xEF});
        EXPECT_EQ(jpeg_decode_block(b.s.get(), &t.dc, &t.ac, &pred, blk), JPEG_ERR_DATA);
    }
    {   // the data end inside the block: the missing bits read as zero (cat 1, bit 0: -1; EOB)
        Bits b({0x40});
        int16_t p0 = 0;
        ASSERT_EQ(jpeg_decode_block(b.s.get(), &t.dc, &t.ac, &p0, blk), 0);
        EXPECT_EQ(blk[0], -1);
    }
    {   // the DC-only decoder keeps the block's AC values and passes over the bits
        Bits b({0x2D, 0x3F});
        int16_t keep[64];
        for (auto& v : keep) v = 9;
        int16_t p0 = 0;
        ASSERT_EQ(jpeg_huff_decode_dc(b.s.get(), &t.dc, &t.ac, &p0, keep), 0);
        EXPECT_EQ(keep[0], 0);
        EXPECT_EQ(keep[jpeg_natural_order[18]], 9);
    }
}

TEST(JpegHuffman, ProgressiveEndOfBandRuns) {
    JPEG_HUFF_DECODE_TABLE eob = table({1}, {0x30}, 1);   // "0" = EOB run class 3
    Bits b({0x5F});                                        // 0 101 1111
    int16_t blk[64] = {};
    ASSERT_EQ(jpeg_decode_ac_first(b.s.get(), blk, &eob, 1, 63, 0), 0);
    EXPECT_EQ(b.s->eob_run, 12u);   // 2^3 + 5 - 1 further bands
    ASSERT_EQ(jpeg_decode_ac_first(b.s.get(), blk, &eob, 1, 63, 0), 0);
    EXPECT_EQ(b.s->eob_run, 11u);
    Bits dc({0x80});
    int16_t c = 4;
    ASSERT_EQ(jpeg_decode_dc_refine(dc.s.get(), &c, 0), 0);
    EXPECT_EQ(c, 5);
    Tables t;
    Bits first({0x60});   // cat 1, bit 1: +1, shifted by Al 2
    int16_t pred = 0, coef = 0;
    ASSERT_EQ(jpeg_decode_dc_first(first.s.get(), &t.dc, &coef, &pred, 2), 0);
    EXPECT_EQ(coef, 4);
}

TEST(JpegColor, FormulasAtTheEdges) {
    struct Row {
        int y, cb, cr;
        uint8_t block[3], in_place[3];
    } rows[] = {
        {0, 128, 128, {0, 1, 0}, {0, 0, 0}},
        {128, 128, 128, {128, 129, 128}, {128, 128, 128}},
        {255, 128, 128, {255, 255, 255}, {255, 255, 255}},
        {128, 128, 255, {255, 38, 128}, {255, 37, 128}},
        {100, 0, 0, {0, 236, 0}, {0, 235, 0}},
    };
    for (const auto& r : rows) {
        uint8_t a[3], b[3];
        jpeg_ycc_to_rgb(r.y, r.cb, r.cr, false, a);
        jpeg_ycc_to_rgb(r.y, r.cb, r.cr, true, b);
        EXPECT_EQ(0, std::memcmp(a, r.block, 3)) << r.y << " " << r.cb << " " << r.cr;
        EXPECT_EQ(0, std::memcmp(b, r.in_place, 3)) << r.y << " " << r.cb << " " << r.cr;
        // The block converter gives the same bytes, BGR reversed, RGBA opaque.
        int16_t y[64], cb[64], cr[64], k[64];
        for (int i = 0; i < 64; ++i) y[i] = int16_t(r.y), cb[i] = int16_t(r.cb), cr[i] = int16_t(r.cr), k[i] = 77;
        uint8_t rgb[8 * 24], bgr[8 * 24], rgba[8 * 32], ycca[8 * 32];
        jpeg_cc_ycc_rgb(y, cb, cr, rgb, 24);
        jpeg_cc_ycc_bgr(y, cb, cr, bgr, 24);
        jpeg_cc_ycc_rgba(y, cb, cr, rgba, 32);
        jpeg_cc_ycca_rgba(y, cb, cr, k, ycca, 32);
        EXPECT_EQ(0, std::memcmp(rgb + 21 * 3, r.block, 3));
        EXPECT_EQ(bgr[0], r.block[2]);
        EXPECT_EQ(bgr[2], r.block[0]);
        EXPECT_EQ(rgba[3], 255);
        EXPECT_EQ(ycca[0], 255 - r.block[0]);
        EXPECT_EQ(ycca[3], 77);
    }
}

TEST(JpegColor, EdgeMcusMatchWholeBlockConversion) {
    // A 20 x 16 picture with 2x2 sampling: the second MCU column shows 4 pixel columns.
    auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_PROPERTIES* p = &params->props;
    ASSERT_EQ(jpeg_init(params.get()), 0);
    std::vector<int16_t> work(6 * 64);
    uint32_t rng = 1;
    for (auto& v : work) v = int16_t((rng = rng * 1664525u + 1013904223u) >> 24);
    p->work_blocks = work.data();
    std::vector<uint8_t> img(20 * 16 * 3 + 8, 0xEE), whole(16 * 16 * 3);
    p->image_data = img.data();
    p->image_width = 20, p->image_height = 16, p->image_channels = 3, p->image_pitch = 60;
    jpeg_out_ycc_rgb_h2v2(p, 1, 0);
    jpeg_cc_ycc_rgb_h2v2(work.data(), work.data() + 256, work.data() + 320, whole.data(), 48);
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(0, std::memcmp(img.data() + y * 60 + 16 * 3, whole.data() + y * 48, 4 * 3)) << y;
        EXPECT_EQ(img[size_t(y) * 60], 0xEE);   // the first column was not written
    }
    EXPECT_EQ(img[20 * 16 * 3], 0xEE);
    p->work_blocks = nullptr;
    jpeg_free(params.get());
}

}  // namespace
