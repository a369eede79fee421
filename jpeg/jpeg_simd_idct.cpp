// jpeg/jpeg_simd_idct.cpp
#include "jpeg/jpeg_simd_idct.h"

#include <cmath>

#include "jpeg/jpeg_idct.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace velmora {
namespace {

// Row group of each of the eight rows: rows 0/4, 1/7, 2/6 and 3/5 share a table.
constexpr int kRowGroup[8] = {0, 1, 2, 3, 0, 3, 2, 1};

// The row tables of the accurate kernels, laid out for pairwise multiply-adds:
// for each group, (x0, x2), (x4, x6), (x1, x3), (x5, x7) against outputs 0..3.
struct SimdIdctTabellen {
    int16_t weight[4][8][8];          // [group][n][k]
    alignas(16) int16_t pair[4][4][8];
};

SimdIdctTabellen build_tables() {
    SimdIdctTabellen t{};
    const double pi = 3.14159265358979323846, r2 = std::sqrt(2.0);
    for (int g = 0; g < 4; ++g) {
        const double s = g == 0 ? 1.0 : r2 * std::cos(g * pi / 16.0);
        for (int n = 0; n < 8; ++n)
            for (int k = 0; k < 8; ++k) {
                const double w = k == 0 ? 1.0 : r2 * std::cos((2 * n + 1) * k * pi / 16.0);
                t.weight[g][n][k] = int16_t(std::lround(16384.0 * s * w));
            }
        static const int kPairs[4][2] = {{0, 2}, {4, 6}, {1, 3}, {5, 7}};
        for (int p = 0; p < 4; ++p)
            for (int n = 0; n < 4; ++n) {
                t.pair[g][p][2 * n] = t.weight[g][n][kPairs[p][0]];
                t.pair[g][p][2 * n + 1] = t.weight[g][n][kPairs[p][1]];
            }
    }
    return t;
}

const SimdIdctTabellen g = build_tables();

}  // namespace

const int16_t (*jpeg_idct_pair_tables())[4][8] { return g.pair; }

namespace {

#if defined(__x86_64__)

// One row of the accurate transform: the 32-bit sums of the row's table against
// its eight coefficients, rounded, shifted by 12 and saturated to 16 bits.
inline __m128i accurate_row(__m128i x, int group) {
    const __m128i* tab = reinterpret_cast<const __m128i*>(g.pair[group]);
    __m128i v = _mm_shufflelo_epi16(x, _MM_SHUFFLE(3, 1, 2, 0));   // x0 x2 x1 x3
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(3, 1, 2, 0));           // x4 x6 x5 x7
    const __m128i p02 = _mm_shuffle_epi32(v, 0x00), p13 = _mm_shuffle_epi32(v, 0x55);
    const __m128i p46 = _mm_shuffle_epi32(v, 0xAA), p57 = _mm_shuffle_epi32(v, 0xFF);
    __m128i even = _mm_add_epi32(_mm_madd_epi16(p02, _mm_load_si128(tab)), _mm_madd_epi16(p46, _mm_load_si128(tab + 1)));
    const __m128i odd =
        _mm_add_epi32(_mm_madd_epi16(p13, _mm_load_si128(tab + 2)), _mm_madd_epi16(p57, _mm_load_si128(tab + 3)));
    even = _mm_add_epi32(even, _mm_set1_epi32(2048));
    const __m128i lo = _mm_srai_epi32(_mm_add_epi32(even, odd), 12);
    const __m128i hi = _mm_shuffle_epi32(_mm_srai_epi32(_mm_sub_epi32(even, odd), 12), 0x1B);
    return _mm_packs_epi32(lo, hi);
}

// The same row through 64-bit halves: the even and odd sums of outputs 0-1 and
// 2-3 formed separately, as a four-lane machine does.
inline __m128i accurate_row_halves(__m128i x, int group) {
    const __m128i* tab = reinterpret_cast<const __m128i*>(g.pair[group]);
    const __m128i x0 = _mm_unpacklo_epi32(x, x);                     // (x0 x1)(x0 x1)(x2 x3)(x2 x3)
    const __m128i x4 = _mm_unpackhi_epi32(x, x);                     // (x4 x5)(x4 x5)(x6 x7)(x6 x7)
    // Regroup to (x0 x2), (x1 x3), (x4 x6), (x5 x7) pairs by 16-bit unpacks.
    const __m128i a = _mm_unpacklo_epi16(x0, _mm_srli_si128(x0, 8));   // x0 x2 x1 x3 x0 x2 x1 x3
    const __m128i b = _mm_unpacklo_epi16(x4, _mm_srli_si128(x4, 8));   // x4 x6 x5 x7 ...
    const __m128i ea = _mm_unpacklo_epi32(a, a), eb = _mm_unpacklo_epi32(b, b);   // p p q q
    const __m128i p02w = _mm_unpacklo_epi64(ea, ea), p13w = _mm_unpackhi_epi64(ea, ea);
    const __m128i p46w = _mm_unpacklo_epi64(eb, eb), p57w = _mm_unpackhi_epi64(eb, eb);
    __m128i even = _mm_add_epi32(_mm_madd_epi16(p02w, _mm_load_si128(tab)), _mm_madd_epi16(p46w, _mm_load_si128(tab + 1)));
    const __m128i odd =
        _mm_add_epi32(_mm_madd_epi16(p13w, _mm_load_si128(tab + 2)), _mm_madd_epi16(p57w, _mm_load_si128(tab + 3)));
    even = _mm_add_epi32(even, _mm_set1_epi32(2048));
    const __m128i lo = _mm_srai_epi32(_mm_add_epi32(even, odd), 12);
    const __m128i hi = _mm_shuffle_epi32(_mm_srai_epi32(_mm_sub_epi32(even, odd), 12), 0x1B);
    return _mm_packs_epi32(lo, hi);
}

// x times a fraction of 65536 that does not fit a signed word: the multiply-high
// by (constant - 65536) plus x.
inline __m128i mul_high_big(__m128i x, __m128i c_minus_65536) {
    return _mm_add_epi16(_mm_mulhi_epi16(x, c_minus_65536), x);
}

inline __m128i clamp_sample(__m128i v) {
    return _mm_min_epi16(_mm_max_epi16(v, _mm_setzero_si128()), _mm_set1_epi16(255));
}

// The column pass over the lanes of r[0..7] (rows after the row pass); all
// additions saturate; results are the samples 0..255.
inline void accurate_columns(__m128i* r) {
    const __m128i t1 = _mm_set1_epi16(13036), t2 = _mm_set1_epi16(27146);
    const __m128i t3 = _mm_set1_epi16(int16_t(43790 - 65536)), c4 = _mm_set1_epi16(int16_t(46341 - 65536));
    const __m128i one = _mm_set1_epi16(1), r16 = _mm_set1_epi16(16), r15 = _mm_set1_epi16(15);
    const __m128i level = _mm_set1_epi16(128);
    const __m128i tp17 = _mm_adds_epi16(r[1], _mm_mulhi_epi16(r[7], t1));
    const __m128i tm35 = _mm_adds_epi16(r[3], mul_high_big(r[5], t3));
    const __m128i tp765 = _mm_subs_epi16(_mm_mulhi_epi16(r[1], t1), r[7]);
    const __m128i tm53 = _mm_subs_epi16(r[5], mul_high_big(r[3], t3));
    const __m128i tp26 = _mm_adds_epi16(r[2], _mm_mulhi_epi16(r[6], t2));
    const __m128i tm26 = _mm_subs_epi16(_mm_mulhi_epi16(r[2], t2), r[6]);
    const __m128i t0 = _mm_adds_epi16(_mm_adds_epi16(tp17, tm35), one);
    const __m128i b = _mm_subs_epi16(tp17, tm35);
    const __m128i d = _mm_adds_epi16(_mm_subs_epi16(tp765, tm53), one);
    const __m128i m6 = _mm_adds_epi16(tp765, tm53);
    const __m128i u = _mm_or_si128(mul_high_big(_mm_adds_epi16(b, d), c4), one);
    const __m128i v = _mm_or_si128(mul_high_big(_mm_subs_epi16(b, d), c4), one);
    const __m128i s04 = _mm_adds_epi16(r[0], r[4]), d04 = _mm_subs_epi16(r[0], r[4]);
    const __m128i a0 = _mm_adds_epi16(_mm_adds_epi16(s04, tp26), r16);
    const __m128i a3 = _mm_adds_epi16(_mm_subs_epi16(s04, tp26), r15);
    const __m128i a1 = _mm_adds_epi16(_mm_adds_epi16(d04, tm26), r16);
    const __m128i a2 = _mm_adds_epi16(_mm_subs_epi16(d04, tm26), r15);
    auto out = [&](__m128i x) { return clamp_sample(_mm_adds_epi16(_mm_srai_epi16(x, 5), level)); };
    r[0] = out(_mm_adds_epi16(a0, t0));
    r[7] = out(_mm_subs_epi16(a0, t0));
    r[1] = out(_mm_adds_epi16(a1, u));
    r[6] = out(_mm_subs_epi16(a1, u));
    r[2] = out(_mm_adds_epi16(a2, v));
    r[5] = out(_mm_subs_epi16(a2, v));
    r[3] = out(_mm_adds_epi16(a3, m6));
    r[4] = out(_mm_subs_epi16(a3, m6));
}

// The four-column form: rows through the given row routine into the block, then
// the column pass on columns 0-3 and 4-7 in the low halves of the registers.
template <__m128i (*Row)(__m128i, int)>
void accurate_four_columns(int16_t* block) {
    for (int i = 0; i < 8; ++i) {
        __m128i* p = reinterpret_cast<__m128i*>(block + 8 * i);
        _mm_storeu_si128(p, Row(_mm_loadu_si128(p), kRowGroup[i]));
    }
    for (int half = 0; half < 2; ++half) {
        __m128i r[8];
        for (int i = 0; i < 8; ++i) r[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(block + 8 * i + 4 * half));
        accurate_columns(r);
        for (int i = 0; i < 8; ++i) _mm_storel_epi64(reinterpret_cast<__m128i*>(block + 8 * i + 4 * half), r[i]);
    }
}

// Eight 16-bit lanes transposed: row i of the result is column i of the input.
inline void transpose8(__m128i* r) {
    const __m128i a0 = _mm_unpacklo_epi16(r[0], r[1]), a1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i a2 = _mm_unpacklo_epi16(r[2], r[3]), a3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i a4 = _mm_unpacklo_epi16(r[4], r[5]), a5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i a6 = _mm_unpacklo_epi16(r[6], r[7]), a7 = _mm_unpackhi_epi16(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    r[0] = _mm_unpacklo_epi64(b0, b4);
    r[1] = _mm_unpackhi_epi64(b0, b4);
    r[2] = _mm_unpacklo_epi64(b1, b5);
    r[3] = _mm_unpackhi_epi64(b1, b5);
    r[4] = _mm_unpacklo_epi64(b2, b6);
    r[5] = _mm_unpackhi_epi64(b2, b6);
    r[6] = _mm_unpacklo_epi64(b3, b7);
    r[7] = _mm_unpackhi_epi64(b3, b7);
}

// One 1-D step of the fast transform over d[0..7] in wrapping 16-bit lanes,
// every product the high half of a 16 x 16 multiply.
inline void fast_step(__m128i* d) {
    const __m128i k23040 = _mm_set1_epi16(23040), k30272 = _mm_set1_epi16(30272);
    const __m128i k17728 = _mm_set1_epi16(17728), k21408 = _mm_set1_epi16(-21408);
    const __m128i tmp10 = _mm_add_epi16(d[0], d[4]), tmp11 = _mm_sub_epi16(d[0], d[4]);
    const __m128i tmp13 = _mm_add_epi16(d[2], d[6]);
    const __m128i tmp12 = _mm_sub_epi16(_mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(d[2], d[6]), 2), k23040), tmp13);
    const __m128i tmp0 = _mm_add_epi16(tmp10, tmp13), tmp3 = _mm_sub_epi16(tmp10, tmp13);
    const __m128i tmp1 = _mm_add_epi16(tmp11, tmp12), tmp2 = _mm_sub_epi16(tmp11, tmp12);
    const __m128i z13 = _mm_add_epi16(d[5], d[3]), z10 = _mm_sub_epi16(d[5], d[3]);
    const __m128i z11 = _mm_add_epi16(d[1], d[7]), z12 = _mm_sub_epi16(d[1], d[7]);
    const __m128i tmp7 = _mm_add_epi16(z11, z13);
    const __m128i t11 = _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(z11, z13), 2), k23040);
    const __m128i z5 = _mm_mulhi_epi16(_mm_slli_epi16(_mm_add_epi16(z10, z12), 2), k30272);
    const __m128i t10 = _mm_sub_epi16(_mm_mulhi_epi16(_mm_slli_epi16(z12, 2), k17728), z5);
    const __m128i t12 = _mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(z10, 3), k21408), z5);
    const __m128i tmp6 = _mm_sub_epi16(t12, tmp7);
    const __m128i tmp5 = _mm_sub_epi16(t11, tmp6);
    const __m128i tmp4 = _mm_add_epi16(t10, tmp5);
    d[0] = _mm_add_epi16(tmp0, tmp7);
    d[7] = _mm_sub_epi16(tmp0, tmp7);
    d[1] = _mm_add_epi16(tmp1, tmp6);
    d[6] = _mm_sub_epi16(tmp1, tmp6);
    d[2] = _mm_add_epi16(tmp2, tmp5);
    d[5] = _mm_sub_epi16(tmp2, tmp5);
    d[4] = _mm_add_epi16(tmp3, tmp4);
    d[3] = _mm_sub_epi16(tmp3, tmp4);
}

#endif

}  // namespace

int16_t jpeg_idct_row_weight(int32_t group, int32_t n, int32_t k) {
    if (group < 0 || group > 3 || n < 0 || n > 7 || k < 0 || k > 7) return 0;
    return g.weight[group][n][k];
}

#if defined(__x86_64__)

void jpeg_mmx_exit() {
    // The kernels use the XMM registers only; there is no x87 state to give back.
}

void jpeg_dequantize_mmx(int16_t* block, const uint16_t* table) {
    for (int i = 0; i < 64; i += 4) {
        __m128i* b = reinterpret_cast<__m128i*>(block + i);
        const __m128i q = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(table + i));
        _mm_storel_epi64(b, _mm_mullo_epi16(_mm_loadl_epi64(b), q));
    }
}

void jpeg_dequantize_sse2(int16_t* block, const uint16_t* table) {
    for (int i = 0; i < 64; i += 8) {
        __m128i* b = reinterpret_cast<__m128i*>(block + i);
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + i));
        _mm_storeu_si128(b, _mm_mullo_epi16(_mm_loadu_si128(b), q));
    }
}

void jpeg_idct_accurate_mmx(int16_t* block) { accurate_four_columns<accurate_row_halves>(block); }

void jpeg_idct_accurate_sse(int16_t* block) { accurate_four_columns<accurate_row>(block); }

// The row pass of a row that may be all zero: such a row gives zero (its sums
// are the rounding term 2048 alone, which the shift by 12 takes away), so it
// skips the multiplications; most rows of a quantised block are zero.
inline __m128i accurate_row_sparse(__m128i x, int group) {
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(x, _mm_setzero_si128())) == 0xFFFF) return x;
    return accurate_row(x, group);
}

void jpeg_idct_accurate_sse2(int16_t* block) {
    __m128i r[8];
    for (int i = 0; i < 8; ++i)
        r[i] = accurate_row_sparse(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * i)), kRowGroup[i]);
    accurate_columns(r);
    for (int i = 0; i < 8; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(block + 8 * i), r[i]);
}

bool jpeg_idct_accurate_dc_only(int16_t* block, const uint16_t* table) {
    const __m128i* p = reinterpret_cast<const __m128i*>(block);
    __m128i any = _mm_and_si128(_mm_loadu_si128(p), _mm_setr_epi16(0, -1, -1, -1, -1, -1, -1, -1));
    for (int i = 1; i < 8; ++i) any = _mm_or_si128(any, _mm_loadu_si128(p + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(any, _mm_setzero_si128())) != 0xFFFF) return false;
    jpeg_idct_accurate_dc_fill(block, table);
    return true;
}

void jpeg_idct_accurate_dc_fill(int16_t* block, const uint16_t* table) {
    // The row pass leaves row 0 at 16384 x DC / 4096 (saturated) in every
    // column and the other rows at zero. On such columns the column pass's
    // terms are fixed: a0 and a1 add 16, a2 and a3 add 15, and t0, u, v and m6
    // are 1, 1, -1 and 0, so output row i is one value (lane i below), taken
    // through the same saturating steps.
    const int32_t dc = int16_t(uint16_t(uint32_t(uint16_t(block[0])) * table[0]));
    const __m128i c = _mm_packs_epi32(_mm_set1_epi32(dc * 4), _mm_set1_epi32(dc * 4));
    const __m128i a = _mm_adds_epi16(c, _mm_setr_epi16(16, 16, 15, 15, 15, 15, 16, 16));
    const __m128i x = _mm_adds_epi16(a, _mm_setr_epi16(1, 1, -1, 0, 0, 1, -1, -1));
    const __m128i o = clamp_sample(_mm_adds_epi16(_mm_srai_epi16(x, 5), _mm_set1_epi16(128)));
    const __m128i lo = _mm_unpacklo_epi16(o, o), hi = _mm_unpackhi_epi16(o, o);
    __m128i* out = reinterpret_cast<__m128i*>(block);
    _mm_storeu_si128(out + 0, _mm_shuffle_epi32(lo, 0x00));
    _mm_storeu_si128(out + 1, _mm_shuffle_epi32(lo, 0x55));
    _mm_storeu_si128(out + 2, _mm_shuffle_epi32(lo, 0xAA));
    _mm_storeu_si128(out + 3, _mm_shuffle_epi32(lo, 0xFF));
    _mm_storeu_si128(out + 4, _mm_shuffle_epi32(hi, 0x00));
    _mm_storeu_si128(out + 5, _mm_shuffle_epi32(hi, 0x55));
    _mm_storeu_si128(out + 6, _mm_shuffle_epi32(hi, 0xAA));
    _mm_storeu_si128(out + 7, _mm_shuffle_epi32(hi, 0xFF));
}

void jpeg_idct_accurate_sse2_dequant(int16_t* block, const uint16_t* table) {
    if (jpeg_idct_accurate_dc_only(block, table)) return;
    // Each row is multiplied as jpeg_dequantize_sse2 multiplies it, in the
    // register the row pass reads, so the block is loaded and stored once.
    __m128i r[8];
    for (int i = 0; i < 8; ++i) {
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 8 * i));
        const __m128i x = _mm_mullo_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * i)), q);
        r[i] = accurate_row_sparse(x, kRowGroup[i]);
    }
    accurate_columns(r);
    for (int i = 0; i < 8; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(block + 8 * i), r[i]);
}

void jpeg_idct_fast_mmx(int16_t* block) {
    __m128i d[8];
    for (int i = 0; i < 8; ++i) d[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * i));
    fast_step(d);            // down the columns: lane = column
    transpose8(d);
    fast_step(d);            // along the rows: lane = row, register = position in the row
    const __m128i level = _mm_set1_epi16(128);
    for (int i = 0; i < 8; ++i) d[i] = clamp_sample(_mm_adds_epi16(_mm_srai_epi16(d[i], 4), level));
    transpose8(d);
    for (int i = 0; i < 8; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(block + 8 * i), d[i]);
}

#else

void jpeg_mmx_exit() {}
void jpeg_dequantize_mmx(int16_t* block, const uint16_t* table) { jpeg_dequantize(block, table); }
void jpeg_dequantize_sse2(int16_t* block, const uint16_t* table) { jpeg_dequantize(block, table); }
void jpeg_idct_accurate_mmx(int16_t* block) { jpeg_idct_accurate(block); }
void jpeg_idct_accurate_sse(int16_t* block) { jpeg_idct_accurate(block); }
void jpeg_idct_accurate_sse2(int16_t* block) { jpeg_idct_accurate(block); }
void jpeg_idct_fast_mmx(int16_t* block) { jpeg_idct_fast(block); }
bool jpeg_idct_accurate_dc_only(int16_t*, const uint16_t*) { return false; }
void jpeg_idct_accurate_dc_fill(int16_t* block, const uint16_t* table) { jpeg_idct_accurate_sse2_dequant(block, table); }
void jpeg_idct_accurate_sse2_dequant(int16_t* block, const uint16_t* table) {
    jpeg_dequantize(block, table);
    jpeg_idct_accurate(block);
}

#endif

}  // namespace velmora
