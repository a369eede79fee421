// jpeg/jpeg_idct.cpp
#include "jpeg/jpeg_idct.h"

#include <cmath>
#include <cstring>

namespace velmora {

namespace {

// Products are formed in 64 bits: corrupt coefficients may be large, and the
// sums of a pass must not overflow before they are cut back to 16 bits.
inline int32_t mul15(int64_t x, int64_t k) { return int32_t((x * k + 16384) >> 15); }

inline int16_t clamp_sample(int64_t v) { return int16_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// AAN scale factor s(k) = sqrt(2) * cos(k pi / 16), s(0) = 1.
double aan_scale(int k) {
    return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * 3.14159265358979323846 / 16.0);
}

}  // namespace

void jpeg_dequant_prepare_aan(uint16_t* table) {
    uint16_t out[64];
    for (int k = 0; k < 64; ++k) {
        uint32_t p = jpeg_natural_order[k];
        double factor = aan_scale(int(p / 8)) * aan_scale(int(p % 8)) / 8.0;
        double t = double(table[k]) * factor * 0.0625 * 32768.0 + 0.5;
        out[p] = uint16_t(int64_t(t));
    }
    for (int i = 0; i < 64; ++i) table[i] = out[i];
    for (int i = 64; i < 80; ++i) table[i] = 0;
}

void jpeg_dequant_prepare_int(uint16_t* table) {
    uint16_t out[64];
    for (int k = 0; k < 64; ++k) out[jpeg_natural_order[k]] = table[k];
    for (int i = 0; i < 64; ++i) table[i] = out[i];
    for (int i = 64; i < 80; ++i) table[i] = 0;
}

void jpeg_dequantize_scaled(int16_t* block, const uint16_t* table) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t((int32_t(block[i]) * int32_t(table[i]) + 64) >> 7);
}

void jpeg_dequantize(int16_t* block, const uint16_t* table) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t(int32_t(block[i]) * int32_t(table[i]));
}

namespace {

// One 8-point AAN pass of family 0 over x[0], x[s], ... x[7s]; results to y[0..7].
inline void aan_pass(const int32_t* x, int32_t* y) {
    int32_t z13 = x[5] + x[3], z10 = x[5] - x[3], z11 = x[1] + x[7], z12 = x[1] - x[7];
    int32_t a = mul15(int64_t(z10) - z12, 25080);
    int32_t t7 = z11 + z13;
    int32_t t6 = mul15(z12, 35468) - a - t7;
    int32_t t5 = mul15(int64_t(z11) - z13, 46341) - t6;
    int32_t t4 = a - mul15(z10, 85627) + t5;
    int32_t t0 = x[0] + x[4], t1 = x[0] - x[4], t13 = x[2] + x[6];
    int32_t t12 = mul15(int64_t(x[2]) - x[6], 46341) - t13;
    int32_t e0 = t0 + t13, e3 = t0 - t13, e1 = t1 + t12, e2 = t1 - t12;
    y[0] = e0 + t7; y[7] = e0 - t7;
    y[1] = e1 + t6; y[6] = e1 - t6;
    y[2] = e2 + t5; y[5] = e2 - t5;
    y[4] = e3 + t4; y[3] = e3 - t4;
}

}  // namespace

void jpeg_idct_fast(int16_t* block) {
    int32_t x[8], y[8];
    for (int c = 0; c < 8; ++c) {            // columns, 16-bit results back into the block
        for (int i = 0; i < 8; ++i) x[i] = block[i * 8 + c];
        aan_pass(x, y);
        for (int i = 0; i < 8; ++i) block[i * 8 + c] = int16_t(y[i]);
    }
    for (int r = 0; r < 8; ++r) {
        for (int i = 0; i < 8; ++i) x[i] = block[r * 8 + i];
        aan_pass(x, y);
        for (int i = 0; i < 8; ++i) block[r * 8 + i] = clamp_sample(((int64_t(y[i]) + 8) >> 4) + 128);
    }
}

void jpeg_idct_fast_4x4(int16_t* block) {
    auto pass = [](const int32_t* x, int32_t* y) {
        int32_t h = mul15(int64_t(x[2]) - x[6], 46341) / 2;
        int64_t d53 = int64_t(x[5]) - x[3], d17 = int64_t(x[1]) - x[7];
        int32_t p = int32_t((d53 * -25080 + d17 * 60548 + 32768) >> 16);
        int32_t q = int32_t((d53 * 60547 + d17 * 25080 + 32768) >> 16);
        y[0] = x[0] + h + p;
        y[1] = x[0] - h + q;
        y[2] = x[0] - h - q;
        y[3] = x[0] + h - p;
    };
    int32_t x[8], y[4];
    for (int c = 0; c < 8; ++c) {
        if (c == 4) continue;                // column 4 is never read
        for (int i = 0; i < 8; ++i) x[i] = block[i * 8 + c];
        pass(x, y);
        for (int i = 0; i < 4; ++i) block[i * 8 + c] = int16_t(y[i]);
    }
    for (int r = 0; r < 4; ++r) {
        for (int i = 0; i < 8; ++i) x[i] = block[r * 8 + i];
        pass(x, y);
        for (int i = 0; i < 4; ++i) block[r * 8 + i] = clamp_sample(((int64_t(y[i]) + 8) >> 4) + 128);
    }
}

void jpeg_idct_fast_2x2(int16_t* block) {
    auto pass = [](const int32_t* x, int32_t* y) {
        int32_t o = int32_t(((int64_t(x[1]) - x[7]) * 85627 + (int64_t(x[5]) - x[3]) * 35468 + 65536) >> 17);
        y[0] = int16_t(x[0] + o);
        y[1] = int16_t(x[0] - o);
    };
    static const int cols[5] = {0, 1, 3, 5, 7};
    int32_t x[8], y[2];
    for (int c : cols) {
        for (int i = 0; i < 8; ++i) x[i] = block[i * 8 + c];
        pass(x, y);
        block[c] = int16_t(y[0]);
        block[8 + c] = int16_t(y[1]);
    }
    for (int r = 0; r < 2; ++r) {
        for (int i = 0; i < 8; ++i) x[i] = block[r * 8 + i];
        pass(x, y);
        block[r * 8] = clamp_sample(((int64_t(y[0]) + 8) >> 4) + 128);
        block[r * 8 + 1] = clamp_sample(((int64_t(y[1]) + 8) >> 4) + 128);
    }
}

void jpeg_idct_fast_1x1(int16_t* block) { block[0] = clamp_sample(((int32_t(block[0]) + 8) >> 4) + 128); }

namespace {

// One 8-point pass of family 1 on x[0..7]; 32768-scaled results before
// descaling. Inputs from N on are known to be zero (their terms vanish exactly,
// so the results are those of the full pass). T is the arithmetic's width.
//
// Range: every intermediate and result is a linear form of the inputs, or the
// sum of such a form and a floor-shifted form of the other inputs (b, d), so
// over the box |x[i]| <= M its largest magnitude lies at a corner. Over all 256
// corners of [-8192, 8191]^8 the largest magnitude of any intermediate, result,
// or result plus the column pass's rounding constant 2^20 is 2,006,824,084 <
// 2^31 - 1: with every input in [-8192, 8191] the pass in 32 bits computes
// exactly what it computes in 64 bits. Larger inputs (only damaged or extreme
// data) take the 64-bit pass.
template <class T, int N = 8>
inline void accurate_pass(const T* in, T* y) {
    T x[8];
    #pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) x[i] = i < N ? in[i] : T{};
    T o1 = 32138 * x[1] + 6393 * x[7], o2 = 6393 * x[1] - 32138 * x[7];
    T o3 = 18205 * x[5] + 27246 * x[3], o4 = 27246 * x[5] - 18205 * x[3];
    T a = o1 - o3;
    T b = ((o1 + o3 + 2048) >> 12) * 5793;
    T h = a + (o4 - o2);
    T d = ((o2 + o4 + 2048) >> 12) * 5793;
    T e = a + (o2 - o4);
    T E0 = (x[0] + x[4]) * 32768, E1 = (x[0] - x[4]) * 32768;
    T f = 42813 * x[2] + 17734 * x[6], g = 17734 * x[2] - 42813 * x[6];
    T w0 = E0 + f, w3 = E0 - f, w1 = E1 + g, w2 = E1 - g;
    y[0] = w0 + b; y[7] = w0 - b;
    y[1] = w1 + e; y[6] = w1 - e;
    y[2] = w2 + h; y[5] = w2 - h;
    y[3] = w3 + d; y[4] = w3 - d;
}

// The bound of the 32-bit passes: a value v lies in [-8192, 8191] exactly when
// v ^ (v >> 31) (|v| for v >= 0, |v| - 1 below) is below 8192, and an OR of
// such magnitudes is below 8192 exactly when every one is.
constexpr int32_t kNarrow = 8192;

inline int32_t magnitude(int32_t v) { return v ^ (v >> 31); }

// The column pass in 32 bits over all eight columns at once: each step works
// on four columns of a row as one vector value (the compiler's generic
// vectors, 16 bytes, which every x86-64 processor holds in one register at any
// optimisation level), so the columns go four to an instruction. Rows from N
// on are zero and not read. By the bound above, y plus its rounding constant
// 2^20 stays within 32 bits; the samples are clamped as clamp_sample does.
typedef int32_t FourColumns __attribute__((vector_size(16)));
typedef int16_t EightSamples __attribute__((vector_size(16)));
typedef uint16_t EightCoefficients __attribute__((vector_size(16)));   // wrapping arithmetic

// Row r's columns c .. c + 3 of the work rows; zero from row N on.
template <int N>
[[gnu::always_inline]] inline FourColumns work_row(const int32_t* work, int r, int c) {
    FourColumns v = {};
    if (r < N) std::memcpy(&v, work + r * 8 + c, sizeof v);
    return v;
}

// The work rows hold a row's results with the even columns first: places
// 0 2 4 6 1 3 5 7. Each column quad of the column pass is then one half of
// the row, and the two halves' samples interleave into the row by a mask and
// a shift.
constexpr int kPlace[8] = {0, 4, 1, 5, 2, 6, 3, 7};   // column -> place in a work row

// One column quad's eight rows of results (rows from N on are zero and not read).
template <int N>
[[gnu::always_inline]] inline void column_quad(const int32_t* work, int c, FourColumns* y) {
    const FourColumns x0 = work_row<N>(work, 0, c), x1 = work_row<N>(work, 1, c);
    const FourColumns x2 = work_row<N>(work, 2, c), x3 = work_row<N>(work, 3, c);
    const FourColumns x4 = work_row<N>(work, 4, c), x5 = work_row<N>(work, 5, c);
    const FourColumns x6 = work_row<N>(work, 6, c), x7 = work_row<N>(work, 7, c);
    const FourColumns o1 = 32138 * x1 + 6393 * x7, o2 = 6393 * x1 - 32138 * x7;
    const FourColumns o3 = 18205 * x5 + 27246 * x3, o4 = 27246 * x5 - 18205 * x3;
    const FourColumns a = o1 - o3;
    const FourColumns b = ((o1 + o3 + 2048) >> 12) * 5793;
    const FourColumns h = a + (o4 - o2);
    const FourColumns d = ((o2 + o4 + 2048) >> 12) * 5793;
    const FourColumns e = a + (o2 - o4);
    const FourColumns E0 = (x0 + x4) * 32768, E1 = (x0 - x4) * 32768;
    const FourColumns f = 42813 * x2 + 17734 * x6, g = 17734 * x2 - 42813 * x6;
    const FourColumns w0 = E0 + f, w3 = E0 - f, w1 = E1 + g, w2 = E1 - g;
    y[0] = w0 + b, y[1] = w1 + e, y[2] = w2 + h, y[3] = w3 + d;
    y[4] = w3 - d, y[5] = w2 - h, y[6] = w1 - e, y[7] = w0 - b;
}

// Both quads, descaled and clamped to 0-255 as clamp_sample does. A sample
// plus 128 lies in [-829, 1084] (see the 2048-entry table's bound), so its low
// 16 bits hold it, and the even and odd columns' halves interleave into the
// row's eight 16-bit samples, which are then clamped as 16-bit values.
template <int N>
[[gnu::always_inline]] inline void columns_narrow(const int32_t* work, int16_t* block) {
    FourColumns even[8], odd[8];
    column_quad<N>(work, 0, even);
    column_quad<N>(work, 4, odd);
    #pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        const FourColumns lo = ((even[i] + 1048576) >> 21) + 128, hi = ((odd[i] + 1048576) >> 21) + 128;
        EightSamples v = EightSamples((lo & 0xFFFF) | (hi << 16));
        v = v < 0 ? 0 : v;
        v = v > 255 ? 255 : v;
        std::memcpy(block + i * 8, &v, sizeof v);
    }
}

// Row r of the block, dequantised eight coefficients at a time with a table:
// the product of the 16-bit lanes wraps to 16 bits as the store of
// jpeg_dequantize does.
template <bool Dequant>
[[gnu::always_inline]] inline EightCoefficients block_row(const int16_t* block, const uint16_t* table, int r) {
    EightCoefficients in;
    std::memcpy(&in, block + r * 8, sizeof in);
    if (Dequant) {
        EightCoefficients q;
        std::memcpy(&q, table + r * 8, sizeof q);
        in *= q;
    }
    return in;
}

// Whether every value whose 16-bit magnitude (v ^ (v >> 15)) is ORed into mag
// lies in [-8192, 8191]: none sets one of its top three bits.
[[gnu::always_inline]] inline bool narrow16(EightCoefficients mag) {
    uint64_t low, high;
    std::memcpy(&low, &mag, 8);
    std::memcpy(&high, reinterpret_cast<const char*>(&mag) + 8, 8);
    return ((low | high) & 0xE000E000E000E000ull) == 0;
}

// The 64-bit column pass, for work rows whose magnitudes reach 8192.
[[gnu::noinline]] void columns_wide(const int32_t* work, int16_t* block) {
    #pragma GCC unroll 8
    for (int c = 0; c < 8; ++c) {
        int64_t x[8], y[8];
        #pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) x[i] = work[i * 8 + kPlace[c]];
        accurate_pass<int64_t>(x, y);
        #pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) block[i * 8 + c] = clamp_sample(((y[i] + 1048576) >> 21) + 128);
    }
}

// Lanes of 16-bit values taken apart and put together again.
[[gnu::always_inline]] inline EightSamples low16(EightSamples a, EightSamples b) {
    return __builtin_shufflevector(a, b, 0, 8, 1, 9, 2, 10, 3, 11);
}
[[gnu::always_inline]] inline EightSamples high16(EightSamples a, EightSamples b) {
    return __builtin_shufflevector(a, b, 4, 12, 5, 13, 6, 14, 7, 15);
}
[[gnu::always_inline]] inline EightSamples low32(EightSamples a, EightSamples b) {
    return __builtin_shufflevector(a, b, 0, 1, 8, 9, 2, 3, 10, 11);
}
[[gnu::always_inline]] inline EightSamples high32(EightSamples a, EightSamples b) {
    return __builtin_shufflevector(a, b, 4, 5, 12, 13, 6, 7, 14, 15);
}
// Lanes 0-3 (or 4-7) sign-extended to 32 bits: each value doubled into both
// halves of a 32-bit lane, then shifted down.
[[gnu::always_inline]] inline FourColumns widen_low(EightSamples a) {
    return FourColumns(__builtin_shufflevector(a, a, 0, 0, 1, 1, 2, 2, 3, 3)) >> 16;
}
[[gnu::always_inline]] inline FourColumns widen_high(EightSamples a) {
    return FourColumns(__builtin_shufflevector(a, a, 4, 4, 5, 5, 6, 6, 7, 7)) >> 16;
}

// The row pass over four rows at once: r[0..3] are the rows (16-bit values,
// every magnitude below 8192), x[i] becomes coefficient i of the four rows in
// four lanes, and y[kPlace[i]] the descaled result of column i.
[[gnu::always_inline]] inline void four_rows(const EightSamples* r, FourColumns* y) {
    const EightSamples a0 = low16(r[0], r[1]), a1 = high16(r[0], r[1]);
    const EightSamples a2 = low16(r[2], r[3]), a3 = high16(r[2], r[3]);
    const EightSamples b0 = low32(a0, a2), b1 = high32(a0, a2), b2 = low32(a1, a3), b3 = high32(a1, a3);
    const FourColumns x[8] = {widen_low(b0), widen_high(b0), widen_low(b1), widen_high(b1),
                              widen_low(b2), widen_high(b2), widen_low(b3), widen_high(b3)};
    FourColumns out[8];
    accurate_pass<FourColumns>(x, out);
    #pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) y[kPlace[i]] = (out[i] + 2048) >> 12;
}

// Four lanes of four vectors turned: out[j][i] = in[i][j].
[[gnu::always_inline]] inline void turn4(const FourColumns* in, FourColumns* out) {
    const FourColumns t0 = __builtin_shufflevector(in[0], in[1], 0, 4, 1, 5);
    const FourColumns t1 = __builtin_shufflevector(in[0], in[1], 2, 6, 3, 7);
    const FourColumns t2 = __builtin_shufflevector(in[2], in[3], 0, 4, 1, 5);
    const FourColumns t3 = __builtin_shufflevector(in[2], in[3], 2, 6, 3, 7);
    out[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    out[1] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    out[2] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    out[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}

// A block whose rows mostly hold more than their first coefficient: the row
// pass runs over four rows at a time (the rows turned into lanes, the results
// turned back into work rows), then the column pass as below. The same
// arithmetic in the same order as the row-by-row pass, so the same samples.
// False, with the block untouched, when a coefficient's magnitude reaches
// 8192 (the row-by-row path then takes the 64-bit pass where it must).
template <bool Dequant>
bool accurate_dense(int16_t* block, const uint16_t* table) {
    EightSamples r[8];
    EightCoefficients mag = {};
    #pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        const EightCoefficients in = block_row<Dequant>(block, table, i);
        r[i] = EightSamples(in);
        mag |= in ^ EightCoefficients(r[i] >> 15);
    }
    if (!narrow16(mag)) return false;
    FourColumns top[8], bottom[8];
    four_rows(r, top);
    four_rows(r + 4, bottom);
    FourColumns wide4 = {};
    #pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) wide4 |= (top[i] ^ (top[i] >> 31)) | (bottom[i] ^ (bottom[i] >> 31));
    alignas(16) int32_t work[64];
    FourColumns turned[4];
    turn4(top, turned);   // rows 0-3, even columns
    for (int i = 0; i < 4; ++i) std::memcpy(work + i * 8, &turned[i], sizeof turned[i]);
    turn4(top + 4, turned);   // rows 0-3, odd columns
    for (int i = 0; i < 4; ++i) std::memcpy(work + i * 8 + 4, &turned[i], sizeof turned[i]);
    turn4(bottom, turned);
    for (int i = 0; i < 4; ++i) std::memcpy(work + (i + 4) * 8, &turned[i], sizeof turned[i]);
    turn4(bottom + 4, turned);
    for (int i = 0; i < 4; ++i) std::memcpy(work + (i + 4) * 8 + 4, &turned[i], sizeof turned[i]);
    const int32_t wide = wide4[0] | wide4[1] | wide4[2] | wide4[3];
    if (wide < kNarrow) columns_narrow<8>(work, block);
    else columns_wide(work, block);
    return true;
}

// Rows that hold more than their first coefficient, from which on a block
// takes the four-row pass.
constexpr int kDenseRows = 4;

// The accurate 8x8 transform; with a table, each coefficient is dequantised as
// it is read (the product wrapped to 16 bits, exactly as jpeg_dequantize stores
// it), so the two steps in one pass give the two steps' results. Rows first;
// the column pass then knows which rows are all zero: with only row 0 set each
// column is one value everywhere, with rows 2-7 or 4-7 zero it takes a pass
// over only the first two or four; a row with columns 4-7 zero likewise.
template <bool Dequant>
void accurate_8x8(int16_t* block, const uint16_t* table) {
    int32_t work[64];
    uint32_t rows = 0;       // bit r: row r has a nonzero coefficient
    int32_t wide = 0;        // OR of the magnitudes of the column pass's inputs
    FourColumns wide4 = {};  // the same over the rows that take a pass, four lanes
    // Rows above the last one holding a coefficient give zero: they take no
    // pass, and only the rows the column pass reads are cleared below.
    int last = 7;
    for (; last > 0; --last) {
        uint64_t head, tail;
        std::memcpy(&head, block + last * 8, 8);
        std::memcpy(&tail, block + last * 8 + 4, 8);
        if ((head | tail) != 0) break;
    }
    if (last + 1 >= kDenseRows) {
        int dense = 0;   // rows holding more than their first coefficient
        #pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            uint64_t head, tail;
            std::memcpy(&head, block + r * 8, 8);
            std::memcpy(&tail, block + r * 8 + 4, 8);
            dense += ((head >> 16) | tail) != 0;
        }
        if (dense >= kDenseRows && accurate_dense<Dequant>(block, table)) return;
    }
    // Unrolled, so each row's place in the work rows is known to the compiler.
    #pragma GCC unroll 8
    for (int r = 0; r <= last; ++r) {
        int32_t* w = work + r * 8;
        // Most rows of a coded block hold nothing past their first coefficient
        // (or nothing at all): two 8-byte reads tell, before any product. Such a
        // row gives its first value times 8 everywhere, as the pass would.
        uint64_t head, tail;
        std::memcpy(&head, block + r * 8, 8);
        std::memcpy(&tail, block + r * 8 + 4, 8);
        if (((head >> 16) | tail) == 0) {
            const int32_t v =
                (Dequant ? int16_t(int32_t(block[r * 8]) * int32_t(table[r * 8])) : int32_t(block[r * 8])) * 8;
            #pragma GCC unroll 8
            for (int i = 0; i < 8; ++i) w[i] = v;
            rows |= uint32_t(v != 0) << r;
            wide |= magnitude(v);
            continue;
        }
        const EightCoefficients in = block_row<Dequant>(block, table, r);
        uint64_t low, high;
        std::memcpy(&low, &in, 8);
        std::memcpy(&high, reinterpret_cast<const char*>(&in) + 8, 8);
        // A row with only its first coefficient set gives it times 8 in every
        // place (every term but the 32768-scaled one is zero), so it needs no pass.
        if (((low >> 16) | high) == 0) {
            const int32_t v = int16_t(in[0]) * 8;
            const FourColumns same = FourColumns{} + v;
            std::memcpy(w, &same, sizeof same);
            std::memcpy(w + 4, &same, sizeof same);
            rows |= uint32_t(v != 0) << r;
            wide |= magnitude(v);
            continue;
        }
        rows |= 1u << r;
        int32_t row[8];
        #pragma GCC unroll 8
        for (int i = 0; i < 8; ++i)   // from memory again: faster than taking the lanes apart
            row[i] = Dequant ? int16_t(int32_t(block[r * 8 + i]) * int32_t(table[r * 8 + i])) : block[r * 8 + i];
        // The 16-bit magnitudes, sign-extended as the 32-bit ones.
        FourColumns out[2];
        if (narrow16(in ^ EightCoefficients(EightSamples(in) >> 15))) {
            int32_t y[8];
            if (high == 0) accurate_pass<int32_t, 4>(row, y);
            else accurate_pass<int32_t>(row, y);
            out[0] = (FourColumns{y[0], y[2], y[4], y[6]} + 2048) >> 12;
            out[1] = (FourColumns{y[1], y[3], y[5], y[7]} + 2048) >> 12;
        } else {
            int64_t x[8], y[8];
            #pragma GCC unroll 8
            for (int i = 0; i < 8; ++i) x[i] = row[i];
            accurate_pass<int64_t>(x, y);
            auto at = [&y](int i) { return int32_t((y[i] + 2048) >> 12); };
            out[0] = FourColumns{at(0), at(2), at(4), at(6)};
            out[1] = FourColumns{at(1), at(3), at(5), at(7)};
        }
        std::memcpy(w, &out[0], sizeof out[0]);   // whole vectors, as the column pass reads them
        std::memcpy(w + 4, &out[1], sizeof out[1]);
        wide4 |= (out[0] ^ (out[0] >> 31)) | (out[1] ^ (out[1] >> 31));
    }
    for (int i = 0; i < 4; ++i) wide |= wide4[i];
    const int used = rows < 4 ? 2 : rows < 16 ? 4 : 8;
    const int read = rows <= 1 ? 1 : wide < kNarrow ? used : 8;
    const FourColumns none = {};
    for (int r = last + 1; r < read; ++r) {
        std::memcpy(work + r * 8, &none, sizeof none);
        std::memcpy(work + r * 8 + 4, &none, sizeof none);
    }
    if (rows <= 1) {   // every column has only its first value: y[i] = x[0] * 32768 in all eight places
        #pragma GCC unroll 8
        for (int c = 0; c < 8; ++c) {
            const int16_t v = clamp_sample(((int64_t(work[kPlace[c]]) * 32768 + 1048576) >> 21) + 128);
            #pragma GCC unroll 8
            for (int i = 0; i < 8; ++i) block[i * 8 + c] = v;
        }
        return;
    }
    if (wide < kNarrow) {
        if (used == 2) columns_narrow<2>(work, block);
        else if (used == 4) columns_narrow<4>(work, block);
        else columns_narrow<8>(work, block);
        return;
    }
    columns_wide(work, block);
}

}  // namespace

void jpeg_idct_accurate(int16_t* block) { accurate_8x8<false>(block, nullptr); }

void jpeg_idct_accurate_dequant(int16_t* block, const uint16_t* table) { accurate_8x8<true>(block, table); }

// The reduced-size transforms of family 1: 13-bit constants, two extra bits of
// precision between the passes.
void jpeg_idct_accurate_4x4(int16_t* block) {
    int64_t ws[32];
    auto odd = [](int64_t z1, int64_t z2, int64_t z3, int64_t z4, int64_t& t0, int64_t& t2) {
        t0 = z1 * -1730 + z2 * 11893 + z3 * -17799 + z4 * 8697;
        t2 = z1 * -4176 + z2 * -4926 + z3 * 7373 + z4 * 20995;
    };
    for (int c = 0; c < 8; ++c) {
        if (c == 4) continue;
        const int16_t* in = block + c;
        int64_t t0 = int64_t(in[0]) * 16384;
        int64_t t2 = int64_t(in[16]) * 15137 + int64_t(in[48]) * -6270;
        int64_t t10 = t0 + t2, t12 = t0 - t2;
        int64_t o0, o2;
        odd(in[56], in[40], in[24], in[8], o0, o2);
        ws[0 * 8 + c] = (t10 + o2 + 2048) >> 12;
        ws[3 * 8 + c] = (t10 - o2 + 2048) >> 12;
        ws[1 * 8 + c] = (t12 + o0 + 2048) >> 12;
        ws[2 * 8 + c] = (t12 - o0 + 2048) >> 12;
    }
    for (int r = 0; r < 4; ++r) {
        const int64_t* w = ws + r * 8;
        int64_t t0 = w[0] * 16384;
        int64_t t2 = w[2] * 15137 + w[6] * -6270;
        int64_t t10 = t0 + t2, t12 = t0 - t2;
        int64_t o0, o2;
        odd(w[7], w[5], w[3], w[1], o0, o2);
        int16_t* out = block + r * 8;
        out[0] = clamp_sample(((t10 + o2 + 262144) >> 19) + 128);
        out[3] = clamp_sample(((t10 - o2 + 262144) >> 19) + 128);
        out[1] = clamp_sample(((t12 + o0 + 262144) >> 19) + 128);
        out[2] = clamp_sample(((t12 - o0 + 262144) >> 19) + 128);
    }
}

void jpeg_idct_accurate_2x2(int16_t* block) {
    int64_t ws[16];
    static const int cols[5] = {0, 1, 3, 5, 7};
    for (int c : cols) {
        const int16_t* in = block + c;
        int64_t t10 = int64_t(in[0]) * 32768;
        int64_t t0 = int64_t(in[56]) * -5906 + int64_t(in[40]) * 6967 + int64_t(in[24]) * -10426 +
                     int64_t(in[8]) * 29692;
        ws[c] = (t10 + t0 + 4096) >> 13;
        ws[8 + c] = (t10 - t0 + 4096) >> 13;
    }
    for (int r = 0; r < 2; ++r) {
        const int64_t* w = ws + r * 8;
        int64_t t10 = w[0] * 32768;
        int64_t t0 = w[7] * -5906 + w[5] * 6967 + w[3] * -10426 + w[1] * 29692;
        block[r * 8] = clamp_sample(((t10 + t0 + 524288) >> 20) + 128);
        block[r * 8 + 1] = clamp_sample(((t10 - t0 + 524288) >> 20) + 128);
    }
}

void jpeg_idct_accurate_1x1(int16_t* block) { block[0] = clamp_sample(((int32_t(block[0]) + 4) >> 3) + 128); }

}  // namespace velmora
