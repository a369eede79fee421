// The vector forms of the accurate forward transform: each equals a scalar model
// of its 16-bit fixed-point steps on every block, the three forms agree at any
// alignment, the coefficients stay within 0.6 of the exact DCT, and the class
// fill puts the right form into the accurate-transform slot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "jpeg/jpeg_enc_kernels.h"
#include "jpeg/jpeg_fdct.h"
#include "jpeg/jpeg_fdct_simd.h"
#include "jpeg/jpeg_simd_fill.h"
#include "jpeg/jpeg_types.h"
#include "tests/jpeg/jpeg_simd_helpers.h"

using namespace velmora;

namespace {

using Block = int16_t[64];

// The fixed-point steps written out lane by lane.
struct Model {
    int16_t w[4][8][4];   // [row group][k][j]

    Model() {
        const double pi = 3.14159265358979323846;
        for (int g = 0; g < 4; ++g) {
            const double rho = g == 0 ? 1.0 : std::sqrt(2.0) * std::cos(g * pi / 16);
            for (int k = 0; k < 8; ++k)
                for (int j = 0; j < 4; ++j) {
                    const double c = k == 0 ? 1.0 : std::sqrt(2.0) * std::cos((2 * j + 1) * k * pi / 16);
                    w[g][k][j] = int16_t(std::lround(16384 * rho * c));
                }
        }
    }

    static int16_t sat(int32_t v) { return int16_t(std::clamp(v, -32768, 32767)); }
    static int16_t add(int16_t a, int16_t b) { return sat(a + b); }
    static int16_t sub(int16_t a, int16_t b) { return sat(a - b); }
    static int16_t shl(int16_t a, int n) { return int16_t(uint16_t(uint16_t(a) << n)); }
    static int16_t hi(int16_t a, int16_t k) { return int16_t((int32_t(a) * k) >> 16); }
    static int16_t odd(int16_t a) { return int16_t(a | 1); }

    void columns(int16_t* b) const {
        const int16_t tg1 = 13036, tg2 = 27146, tg3 = -21746, ocos = 23170;
        for (int c = 0; c < 8; ++c) {
            int16_t x[8];
            for (int k = 0; k < 8; ++k) x[k] = b[8 * k + c];
            const int16_t a = shl(add(x[1], x[6]), 3), bb = shl(add(x[2], x[5]), 3);
            const int16_t d = shl(add(x[0], x[7]), 3), e = shl(add(x[3], x[4]), 3);
            const int16_t tm12 = sub(a, bb), tp12 = add(a, bb), tm03 = sub(d, e), tp03 = add(d, e);
            int16_t y[8];
            y[0] = add(tp03, tp12);
            y[4] = sub(tp03, tp12);
            y[2] = odd(add(tm03, hi(tm12, tg2)));
            y[6] = odd(sub(hi(tm03, tg2), tm12));
            const int16_t p = shl(sub(x[1], x[6]), 4), q = shl(sub(x[2], x[5]), 4);
            const int16_t ps = odd(hi(add(p, q), ocos)), pd = hi(sub(p, q), ocos);
            const int16_t r = shl(sub(x[3], x[4]), 3), s = shl(sub(x[0], x[7]), 3);
            const int16_t tp = add(r, pd), tm = sub(r, pd), v = add(s, ps), u = sub(s, ps);
            y[1] = odd(add(hi(tp, tg1), v));
            y[3] = sub(u, add(hi(tm, tg3), tm));
            y[5] = add(add(hi(u, tg3), u), tm);
            y[7] = sub(hi(v, tg1), tp);
            for (int k = 0; k < 8; ++k) b[8 * k + c] = y[k];
        }
    }

    void rows(int16_t* b) const {
        static const int group[8] = {0, 1, 2, 3, 0, 3, 2, 1};
        for (int r = 0; r < 8; ++r) {
            int16_t* z = b + 8 * r;
            int16_t s[4], d[4];
            for (int j = 0; j < 4; ++j) s[j] = add(z[j], z[7 - j]), d[j] = sub(z[j], z[7 - j]);
            for (int k = 0; k < 8; ++k) {
                int64_t sum = 1 << 19;
                for (int j = 0; j < 4; ++j) sum += int64_t(k % 2 ? d[j] : s[j]) * w[group[r]][k][j];
                z[k] = sat(int32_t(uint32_t(uint64_t(sum))) >> 20);   // 32-bit sums wrap
            }
        }
    }

    void operator()(int16_t* b) const {
        columns(b);
        rows(b);
    }
};

// F(u, v) = 1/4 C(u) C(v) sum x(y, x) cos((2y + 1) u pi / 16) cos((2x + 1) v pi / 16).
struct ExactDct {
    double c[8][8];
    ExactDct() {
        for (int u = 0; u < 8; ++u)
            for (int x = 0; x < 8; ++x) c[u][x] = (u ? 0.5 : 0.5 * M_SQRT1_2) * std::cos((2 * x + 1) * u * M_PI / 16);
    }
    void operator()(const int16_t* in, double* out) const {
        double t[64];
        for (int y = 0; y < 8; ++y)
            for (int v = 0; v < 8; ++v) {
                double s = 0;
                for (int x = 0; x < 8; ++x) s += c[v][x] * in[8 * y + x];
                t[8 * y + v] = s;
            }
        for (int u = 0; u < 8; ++u)
            for (int v = 0; v < 8; ++v) {
                double s = 0;
                for (int y = 0; y < 8; ++y) s += c[u][y] * t[8 * y + v];
                out[8 * u + v] = s;
            }
    }
};

void random_block(simdtest::Rng& rng, int16_t* b, int32_t lo, int32_t hi) {
    for (int i = 0; i < 64; ++i) b[i] = int16_t(rng.range(lo, hi));
}

// A 16-byte-aligned home for a block at any word offset, with guard words around it.
struct Placed {
    alignas(16) int16_t buf[64 + 32];
    int16_t* at(int words) {
        std::fill(std::begin(buf), std::end(buf), int16_t(0x5A5A));
        return buf + 8 + words;
    }
    bool guards_intact(int words) const {
        for (int i = 0; i < 96; ++i)
            if ((i < 8 + words || i >= 72 + words) && buf[i] != 0x5A5A) return false;
        return true;
    }
};

using Fn = void (*)(int16_t*);
const struct { const char* name; Fn fn; } kForms[] = {
    {"mmx", jpeg_fdct_accurate_mmx}, {"sse", jpeg_fdct_accurate_sse}, {"sse2", jpeg_fdct_accurate_sse2}};

}  // namespace

TEST(EncFdct, RowTablesFollowTheirFormula) {
    const Model m;
    const int16_t row0[8] = {16384, 22725, 21407, 19266, 16384, 12873, 8867, 4520};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(m.w[0][k][0], row0[k]) << k;
    EXPECT_EQ(m.w[1][0][0], 22725);   // 16384 sqrt(2) cos(pi / 16)
}

TEST(EncFdct, ConstantAndTinyBlocks) {
    // A single 1 has exact coefficients of 1/8 at most: every one rounds to 0.
    const struct { const char* what; int16_t fill, at0, dc; bool rest_zero; } cases[] = {
        {"all 127", 127, 127, 1016, true},         {"all -128", -128, -128, -1024, true},
        {"all zero", 0, 0, 0, true},               {"single 1 at (0, 0)", 0, 1, 0, true},
        {"single -128 at (0, 0)", 0, -128, -16, false}};
    for (const auto& c : cases)
        for (const auto& f : kForms) {
            alignas(16) Block b;
            std::fill(std::begin(b), std::end(b), c.fill);
            b[0] = c.at0;
            f.fn(b);
            EXPECT_EQ(b[0], c.dc) << c.what << " " << f.name;
            for (int i = 1; i < 64 && c.rest_zero; ++i) EXPECT_EQ(b[i], 0) << c.what << " " << f.name << " at " << i;
        }
}

#if defined(__x86_64__)

TEST(EncFdct, EveryFormFollowsTheStepsWithinTheBoundOfTheExactDct) {
    const Model model;
    const ExactDct exact;
    simdtest::Rng rng(18);
    const int n = simdtest::rounds(1000000);
    double worst = 0, worst_even_rows = 0;
    int worst_plain = 0, mismatches = 0, plain_differs = 0;
    int64_t beyond = 0;
    Placed aligned, off8;
    for (int round = 0; round < n && mismatches < 10; ++round) {
        Block in, want, plain;
        random_block(rng, in, -128, 127);
        std::memcpy(want, in, sizeof(in));
        model(want);
        for (const auto& f : kForms)
            for (int words : {0, 4}) {
                Placed& p = words ? off8 : aligned;
                int16_t* b = p.at(words);
                std::memcpy(b, in, sizeof(in));
                f.fn(b);
                if (std::memcmp(b, want, sizeof(want)) != 0) {
                    ADD_FAILURE() << f.name << " at word offset " << words << " departs from the steps in round " << round;
                    ++mismatches;
                }
            }
        double e[64];
        exact(in, e);
        std::memcpy(plain, in, sizeof(in));
        jpeg_fdct_accurate(plain);
        for (int i = 0; i < 64; ++i) {
            const double err = std::fabs(e[i] - want[i]);
            worst = std::max(worst, err);
            if (i / 8 % 4 == 0) worst_even_rows = std::max(worst_even_rows, err);
            beyond += err >= 0.6;
            worst_plain = std::max(worst_plain, std::abs(plain[i] - want[i]));
            plain_differs += plain[i] != want[i];
        }
    }
    // Vertical frequencies 0 and 4 leave the column pass exact: only the final
    // rounding and the 16-bit row weights remain. The others carry the truncated
    // column products, which the row weights of up to 1.39 enlarge: about one
    // coefficient in 9000 of noise blocks lies beyond 0.6, none beyond 0.71.
    EXPECT_LT(worst_even_rows, 0.51);
    EXPECT_GT(worst_even_rows, 0.5);   // rounding to integers alone costs up to 0.5
    EXPECT_LT(worst, 0.75);            // 0.708 measured over two million blocks
    EXPECT_LT(beyond, int64_t(n) * 64 / 2000);
    EXPECT_LE(worst_plain, 1);        // both round the same DCT: a unit apart at most
    EXPECT_GT(plain_differs, 0);      // the vector form has its own arithmetic
}

TEST(EncFdct, FullRangeInputsStillFollowTheSteps) {
    // Far outside the sample range the saturating sums and wrapping shifts leave
    // the DCT behind; the kernels must still do exactly those steps.
    const Model model;
    simdtest::Rng rng(7);
    const int n = simdtest::rounds(100000);
    int mismatches = 0;
    for (int round = 0; round < n + 6 && mismatches < 10; ++round) {
        Block in, want;
        if (round < n) {
            const int32_t lim = round % 3 == 0 ? 32767 : round % 3 == 1 ? 4096 : 1100;
            random_block(rng, in, -lim - 1, lim);
        } else {
            const int16_t fills[6] = {32767, -32768, 16384, -16385, 2048, -2049};
            for (int i = 0; i < 64; ++i) in[i] = (i + i / 8) % 2 ? fills[round - n] : int16_t(-fills[round - n] / 2);
        }
        std::memcpy(want, in, sizeof(in));
        model(want);
        for (const auto& f : kForms) {
            alignas(16) Block b;
            std::memcpy(b, in, sizeof(in));
            f.fn(b);
            if (std::memcmp(b, want, sizeof(want)) != 0) {
                ADD_FAILURE() << f.name << " departs from the steps in round " << round;
                ++mismatches;
            }
        }
        // The two-block AVX2 form gives each of two different blocks the same steps.
        if (jpeg_fdct_pair_available()) {
            Block in2, want2, a, b;
            for (int i = 0; i < 64; ++i) in2[i] = in[63 - i];
            std::memcpy(want2, in2, sizeof(in2));
            model(want2);
            std::memcpy(a, in, sizeof(in));
            std::memcpy(b, in2, sizeof(in2));
            jpeg_fdct_accurate_avx2_pair(a, b);
            if (std::memcmp(a, want, sizeof(want)) != 0 || std::memcmp(b, want2, sizeof(want2)) != 0) {
                ADD_FAILURE() << "the AVX2 pair departs from the steps in round " << round;
                ++mismatches;
            }
        }
    }
}

TEST(EncFdct, AnyAlignmentGivesTheSameCoefficientsAndTouchesOnlyTheBlock) {
    simdtest::Rng rng(3);
    Block in, want;
    random_block(rng, in, -128, 127);
    std::memcpy(want, in, sizeof(in));
    Model()(want);
    Placed p;
    for (const auto& f : kForms)
        for (int words = 0; words < 8; ++words) {
            int16_t* b = p.at(words);
            std::memcpy(b, in, sizeof(in));
            f.fn(b);
            EXPECT_EQ(0, std::memcmp(b, want, sizeof(want))) << f.name << " offset " << words;
            EXPECT_TRUE(p.guards_intact(words)) << f.name << " offset " << words;
        }
}

TEST(EncFdct, ClassFillChoosesTheForm) {
    // Classes 3-5 take the SSE2 form where the processor has SSE2 (the forms agree, above).
    const bool sse2 = jpeg_cpu_has_sse2();
    const struct { int32_t cls; Fn fn; } cases[] = {
        {0, jpeg_fdct_accurate},
        {1, jpeg_fdct_accurate},
        {2, jpeg_fdct_accurate},
        {3, sse2 ? jpeg_fdct_accurate_sse2 : jpeg_fdct_accurate_mmx},
        {4, sse2 ? jpeg_fdct_accurate_sse2 : jpeg_fdct_accurate_mmx},
        {5, sse2 ? jpeg_fdct_accurate_sse2 : jpeg_fdct_accurate_sse},
        {6, jpeg_fdct_accurate_sse2},
        {9, jpeg_fdct_accurate}};
    for (const auto& c : cases) {
        auto env = std::make_unique<JPEG_ENVIRONMENT>();
        jpeg_kernels_encoder_fill(env.get(), c.cls);
        EXPECT_EQ(env->k.fdct_accurate, c.fn) << c.cls;
    }
}

#endif
