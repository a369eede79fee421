// jpeg/jpeg_avx2.cpp - the accurate forward transform of the encoder and the
// fused dequantise-and-inverse-transform of the decoder, each on two blocks at
// a time: a 256-bit register holds the same row of two blocks, one per 128-bit
// half, and every step is the SSE2 form's step on each half (the word and
// dword shuffles, unpacks, multiply-adds and packs of AVX2 stay within their
// half), so each block gets exactly the SSE2 form's results. The whole file is
// built for AVX2; the codec takes these only when the processor reports AVX2.
#include "jpeg/jpeg_enc_simd.h"
#include "jpeg/jpeg_fdct_simd.h"
#include "jpeg/jpeg_simd_idct.h"

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif
#include <immintrin.h>

#include "jpeg/jpeg_enc_convert_steps.h"

namespace velmora {
namespace {

constexpr int kRowGroup[8] = {0, 1, 2, 3, 0, 3, 2, 1};

inline __m256i set16(int16_t v) { return _mm256_set1_epi16(v); }

// Row i of two blocks: the first in the low half, the second in the high half.
inline __m256i load2(const void* lo, const void* hi) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(lo))),
                                   _mm_loadu_si128(static_cast<const __m128i*>(hi)), 1);
}

// ---- forward transform (encoder) ----


// The column pass over x[0..7] (x[k] holds row k of both blocks).
inline void fdct_columns(__m256i* x) {
    const __m256i tg1 = set16(13036), tg2 = set16(27146), tg3 = set16(-21746), ocos = set16(23170), one = set16(1);
    const __m256i a = _mm256_slli_epi16(_mm256_adds_epi16(x[1], x[6]), 3);
    const __m256i b = _mm256_slli_epi16(_mm256_adds_epi16(x[2], x[5]), 3);
    const __m256i d = _mm256_slli_epi16(_mm256_adds_epi16(x[0], x[7]), 3);
    const __m256i e = _mm256_slli_epi16(_mm256_adds_epi16(x[3], x[4]), 3);
    const __m256i p = _mm256_slli_epi16(_mm256_subs_epi16(x[1], x[6]), 4);
    const __m256i q = _mm256_slli_epi16(_mm256_subs_epi16(x[2], x[5]), 4);
    const __m256i r = _mm256_slli_epi16(_mm256_subs_epi16(x[3], x[4]), 3);
    const __m256i s = _mm256_slli_epi16(_mm256_subs_epi16(x[0], x[7]), 3);
    const __m256i tm12 = _mm256_subs_epi16(a, b), tp12 = _mm256_adds_epi16(a, b);
    const __m256i tm03 = _mm256_subs_epi16(d, e), tp03 = _mm256_adds_epi16(d, e);
    x[0] = _mm256_adds_epi16(tp03, tp12);
    x[4] = _mm256_subs_epi16(tp03, tp12);
    x[2] = _mm256_or_si256(_mm256_adds_epi16(tm03, _mm256_mulhi_epi16(tm12, tg2)), one);
    x[6] = _mm256_or_si256(_mm256_subs_epi16(_mm256_mulhi_epi16(tm03, tg2), tm12), one);
    const __m256i ps = _mm256_or_si256(_mm256_mulhi_epi16(_mm256_adds_epi16(p, q), ocos), one);
    const __m256i pd = _mm256_mulhi_epi16(_mm256_subs_epi16(p, q), ocos);
    const __m256i tp = _mm256_adds_epi16(r, pd), tm = _mm256_subs_epi16(r, pd);
    const __m256i v = _mm256_adds_epi16(s, ps), u = _mm256_subs_epi16(s, ps);
    x[1] = _mm256_or_si256(_mm256_adds_epi16(_mm256_mulhi_epi16(tp, tg1), v), one);
    x[3] = _mm256_subs_epi16(u, _mm256_adds_epi16(_mm256_mulhi_epi16(tm, tg3), tm));
    x[5] = _mm256_adds_epi16(_mm256_adds_epi16(_mm256_mulhi_epi16(u, tg3), u), tm);
    x[7] = _mm256_subs_epi16(_mm256_mulhi_epi16(v, tg1), tp);
}

// One row of both blocks: four outputs per pair of multiply-adds in each half.
// `tables` is jpeg_fdct_row_tables(), asked once per pair.
[[gnu::always_inline]] inline __m256i fdct_row(__m256i z, const int16_t (*tables)[4][8], int group) {
    const __m256i rev = _mm256_shufflehi_epi16(z, _MM_SHUFFLE(0, 1, 2, 3));   // z0 z1 z2 z3 z7 z6 z5 z4
    const __m256i top = _mm256_unpackhi_epi64(rev, rev);
    const __m256i sd = _mm256_unpacklo_epi32(_mm256_adds_epi16(rev, top), _mm256_subs_epi16(rev, top));
    const __m256i sd01 = _mm256_unpacklo_epi64(sd, sd), sd23 = _mm256_unpackhi_epi64(sd, sd);
    const __m128i* t = reinterpret_cast<const __m128i*>(tables[group]);
    const __m256i t0 = _mm256_broadcastsi128_si256(_mm_load_si128(t)), t1 = _mm256_broadcastsi128_si256(_mm_load_si128(t + 1));
    const __m256i t2 = _mm256_broadcastsi128_si256(_mm_load_si128(t + 2)), t3 = _mm256_broadcastsi128_si256(_mm_load_si128(t + 3));
    const __m256i half = _mm256_set1_epi32(1 << 19);
    const __m256i o03 = _mm256_add_epi32(_mm256_madd_epi16(sd01, t0), _mm256_madd_epi16(sd23, t1));
    const __m256i o47 = _mm256_add_epi32(_mm256_madd_epi16(sd01, t2), _mm256_madd_epi16(sd23, t3));
    return _mm256_packs_epi32(_mm256_srai_epi32(_mm256_add_epi32(o03, half), 20),
                              _mm256_srai_epi32(_mm256_add_epi32(o47, half), 20));
}


// ---- inverse transform (decoder) ----


inline __m256i table_row(const int16_t (*tab)[8], int i) {
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tab[i])));
}

// One row of both blocks (the SSE2 form's accurate_row on each half). A row
// that is zero in both gives zero, as the SSE2 form's skip gives.
inline __m256i idct_row(__m256i x, int group) {
    if (_mm256_testz_si256(x, x)) return x;
    static const int16_t (*const tables)[4][8] = jpeg_idct_pair_tables();
    const int16_t (*tab)[8] = tables[group];
    __m256i v = _mm256_shufflelo_epi16(x, _MM_SHUFFLE(3, 1, 2, 0));   // x0 x2 x1 x3
    v = _mm256_shufflehi_epi16(v, _MM_SHUFFLE(3, 1, 2, 0));           // x4 x6 x5 x7
    const __m256i p02 = _mm256_shuffle_epi32(v, 0x00), p13 = _mm256_shuffle_epi32(v, 0x55);
    const __m256i p46 = _mm256_shuffle_epi32(v, 0xAA), p57 = _mm256_shuffle_epi32(v, 0xFF);
    __m256i even = _mm256_add_epi32(_mm256_madd_epi16(p02, table_row(tab, 0)), _mm256_madd_epi16(p46, table_row(tab, 1)));
    const __m256i odd =
        _mm256_add_epi32(_mm256_madd_epi16(p13, table_row(tab, 2)), _mm256_madd_epi16(p57, table_row(tab, 3)));
    even = _mm256_add_epi32(even, _mm256_set1_epi32(2048));
    const __m256i lo = _mm256_srai_epi32(_mm256_add_epi32(even, odd), 12);
    const __m256i hi = _mm256_shuffle_epi32(_mm256_srai_epi32(_mm256_sub_epi32(even, odd), 12), 0x1B);
    return _mm256_packs_epi32(lo, hi);
}

inline __m256i mul_high_big(__m256i x, __m256i c_minus_65536) {
    return _mm256_add_epi16(_mm256_mulhi_epi16(x, c_minus_65536), x);
}

// The SSE2 form's column pass on both halves.
inline void idct_columns(__m256i* r) {
    const __m256i t1 = set16(13036), t2 = set16(27146);
    const __m256i t3 = set16(int16_t(43790 - 65536)), c4 = set16(int16_t(46341 - 65536));
    const __m256i one = set16(1), r16 = set16(16), r15 = set16(15), level = set16(128);
    const __m256i zero = _mm256_setzero_si256(), top = set16(255);
    const __m256i tp17 = _mm256_adds_epi16(r[1], _mm256_mulhi_epi16(r[7], t1));
    const __m256i tm35 = _mm256_adds_epi16(r[3], mul_high_big(r[5], t3));
    const __m256i tp765 = _mm256_subs_epi16(_mm256_mulhi_epi16(r[1], t1), r[7]);
    const __m256i tm53 = _mm256_subs_epi16(r[5], mul_high_big(r[3], t3));
    const __m256i tp26 = _mm256_adds_epi16(r[2], _mm256_mulhi_epi16(r[6], t2));
    const __m256i tm26 = _mm256_subs_epi16(_mm256_mulhi_epi16(r[2], t2), r[6]);
    const __m256i t0 = _mm256_adds_epi16(_mm256_adds_epi16(tp17, tm35), one);
    const __m256i b = _mm256_subs_epi16(tp17, tm35);
    const __m256i d = _mm256_adds_epi16(_mm256_subs_epi16(tp765, tm53), one);
    const __m256i m6 = _mm256_adds_epi16(tp765, tm53);
    const __m256i u = _mm256_or_si256(mul_high_big(_mm256_adds_epi16(b, d), c4), one);
    const __m256i v = _mm256_or_si256(mul_high_big(_mm256_subs_epi16(b, d), c4), one);
    const __m256i s04 = _mm256_adds_epi16(r[0], r[4]), d04 = _mm256_subs_epi16(r[0], r[4]);
    const __m256i a0 = _mm256_adds_epi16(_mm256_adds_epi16(s04, tp26), r16);
    const __m256i a3 = _mm256_adds_epi16(_mm256_subs_epi16(s04, tp26), r15);
    const __m256i a1 = _mm256_adds_epi16(_mm256_adds_epi16(d04, tm26), r16);
    const __m256i a2 = _mm256_adds_epi16(_mm256_subs_epi16(d04, tm26), r15);
    auto out = [&](__m256i x) {
        return _mm256_min_epi16(_mm256_max_epi16(_mm256_adds_epi16(_mm256_srai_epi16(x, 5), level), zero), top);
    };
    r[0] = out(_mm256_adds_epi16(a0, t0));
    r[7] = out(_mm256_subs_epi16(a0, t0));
    r[1] = out(_mm256_adds_epi16(a1, u));
    r[6] = out(_mm256_subs_epi16(a1, u));
    r[2] = out(_mm256_adds_epi16(a2, v));
    r[5] = out(_mm256_subs_epi16(a2, v));
    r[3] = out(_mm256_adds_epi16(a3, m6));
    r[4] = out(_mm256_subs_epi16(a3, m6));
}


// ---- colour conversion (encoder) ----

// Y of sixteen pixels (eight per half) by multiply-add: enc_madd3 on each half.
inline __m256i madd3(__m256i va, __m256i vb, __m256i vc, int16_t ka, int16_t kb, int16_t kc, int16_t round,
                     int shift) {
    const __m256i one = set16(1);
    const __m256i kab = _mm256_set1_epi32(int32_t(uint32_t(uint16_t(ka)) | uint32_t(uint16_t(kb)) << 16));
    const __m256i kcr = _mm256_set1_epi32(int32_t(uint32_t(uint16_t(kc)) | uint32_t(uint16_t(round)) << 16));
    const __m256i lo = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(va, vb), kab),
                                        _mm256_madd_epi16(_mm256_unpacklo_epi16(vc, one), kcr));
    const __m256i hi = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(va, vb), kab),
                                        _mm256_madd_epi16(_mm256_unpackhi_epi16(vc, one), kcr));
    return _mm256_packs_epi32(_mm256_srai_epi32(lo, shift), _mm256_srai_epi32(hi, shift));
}

// Channel o of sixteen pixels: the SSSE3 form's two shuffles on each half,
// which holds eight pixels' bytes 0-15 (lo) and 8-23 (hi).
template <int o>
inline __m256i channel16(__m256i lo, __m256i hi) {
    const __m256i ml = _mm256_broadcastsi128_si256(lane_shuffle(o, false));
    const __m256i mh = _mm256_broadcastsi128_si256(lane_shuffle(o, true));
    return _mm256_or_si256(_mm256_shuffle_epi8(lo, ml), _mm256_shuffle_epi8(hi, mh));
}

// The sums of horizontal pixel pairs of sixteen lanes, as enc_pair_sums gives them.
inline __m128i pair_sums16(__m256i v) {
    const __m256i m = _mm256_madd_epi16(v, set16(1));
    return _mm_packs_epi32(_mm256_castsi256_si128(m), _mm256_extracti128_si256(m, 1));
}

// enc_convert_rows for two-wide MCUs (HF 2): a source row's sixteen pixels in
// one pass, the first eight in the low halves; the chroma steps are the SSE2
// form's own, so the samples are those of every other form.
template <int RO, int BO, int VF>
void convert_wide(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr) {
    __m128i sr = _mm_setzero_si128(), sg = sr, sb = sr;
    for (int py = 0; py < 8 * VF; ++py) {
        const uint8_t* p = src + ptrdiff_t(py) * step;
        const __m256i lo = load2(p, p + 24), hi = load2(p + 8, p + 32);
        const __m256i r = channel16<RO>(lo, hi), g = channel16<1>(lo, hi), b = channel16<BO>(lo, hi);
        const __m256i v = madd3(r, g, b, 77, 150, 29, -32640, 8);
        int16_t* yrow = y + (py / 8) * 2 * 64 + (py % 8) * 8;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(yrow), _mm256_castsi256_si128(v));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(yrow + 64), _mm256_extracti128_si256(v, 1));
        enc_chroma_step<2, VF>(py, pair_sums16(r), pair_sums16(g), pair_sums16(b), sr, sg, sb, cb, cr);
    }
}

// enc_convert_rows for one-wide MCUs (HF 1, VF 1): two source rows in one
// pass, the first in the low halves; Y and both chroma rows are the SSE2
// form's multiply-adds of each pixel, stored as two block rows at once.
template <int RO, int BO>
void convert_rows2(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr) {
    for (int py = 0; py < 8; py += 2) {
        const uint8_t* p = src + ptrdiff_t(py) * step;
        const __m256i lo = load2(p, p + step), hi = load2(p + 8, p + step + 8);
        const __m256i r = channel16<RO>(lo, hi), g = channel16<1>(lo, hi), b = channel16<BO>(lo, hi);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(y + py * 8), madd3(r, g, b, 77, 150, 29, -32640, 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(cb + py * 8), madd3(r, g, b, -43, -85, 128, 128, 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(cr + py * 8), madd3(r, g, b, 128, -107, -21, 128, 8));
    }
}

}  // namespace

bool jpeg_fdct_pair_available() { return __builtin_cpu_supports("avx2"); }
bool jpeg_idct_pair_available() { return __builtin_cpu_supports("avx2"); }


// The row passes are unrolled, so each row's table rows lie at fixed offsets.
void jpeg_fdct_accurate_avx2_pair(int16_t* a, int16_t* b) {
    static const int16_t (*const tables)[4][8] = jpeg_fdct_row_tables();
    __m256i x[8];
    for (int i = 0; i < 8; ++i) x[i] = load2(a + 8 * i, b + 8 * i);
    fdct_columns(x);
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        const __m256i r = fdct_row(x[i], tables, kRowGroup[i]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 8 * i), _mm256_castsi256_si128(r));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 8 * i), _mm256_extracti128_si256(r, 1));
    }
}

void jpeg_fdct_quantize_avx2_pair(int16_t* a, const uint16_t* qa, int16_t* b, const uint16_t* qb) {
    static const int16_t (*const tables)[4][8] = jpeg_fdct_row_tables();
    __m256i x[8];
    for (int i = 0; i < 8; ++i) x[i] = load2(a + 8 * i, b + 8 * i);
    fdct_columns(x);
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        // jpeg_quantize_accurate_simd's steps on each half: the coefficient
        // times 8 by half the reciprocal, the high word, plus one, halved.
        const __m256i c = _mm256_slli_epi16(fdct_row(x[i], tables, kRowGroup[i]), 3);
        const __m256i h = _mm256_srli_epi16(load2(qa + 8 * i, qb + 8 * i), 1);
        const __m256i r = _mm256_srai_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(c, h), _mm256_set1_epi16(1)), 1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 8 * i), _mm256_castsi256_si128(r));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 8 * i), _mm256_extracti128_si256(r, 1));
    }
}



void jpeg_idct_accurate_avx2_dequant_pair(int16_t* a, const uint16_t* qa, int16_t* b, const uint16_t* qb) {
    __m256i r[8];
    for (int i = 0; i < 8; ++i) {
        const __m256i x = _mm256_mullo_epi16(load2(a + 8 * i, b + 8 * i), load2(qa + 8 * i, qb + 8 * i));
        // A row zero in both blocks gives zero (its sums are the rounding term
        // alone), as in the single-block form; most later rows are.
        r[i] = _mm256_testz_si256(x, x) ? x : idct_row(x, kRowGroup[i]);
    }
    idct_columns(r);
    for (int i = 0; i < 8; ++i) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 8 * i), _mm256_castsi256_si128(r[i]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 8 * i), _mm256_extracti128_si256(r[i], 1));
    }
}

bool jpeg_enc_avx2_available() { return __builtin_cpu_supports("avx2"); }

void jpeg_enc_rgb_h1v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_rows2<0, 2>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h1v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_rows2<2, 0>(s, st, y, cb, cr);
}
void jpeg_enc_rgb_h2v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_wide<0, 2, 1>(s, st, y, cb, cr);
}
void jpeg_enc_rgb_h2v2_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_wide<0, 2, 2>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h2v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_wide<2, 0, 1>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h2v2_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_wide<2, 0, 2>(s, st, y, cb, cr);
}

}  // namespace velmora

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else

namespace velmora {

bool jpeg_fdct_pair_available() { return false; }

void jpeg_fdct_accurate_avx2_pair(int16_t* a, int16_t* b) {
    jpeg_fdct_accurate_sse2(a);
    jpeg_fdct_accurate_sse2(b);
}

void jpeg_fdct_quantize_avx2_pair(int16_t* a, const uint16_t* qa, int16_t* b, const uint16_t* qb) {
    jpeg_fdct_accurate_avx2_pair(a, b);
    jpeg_quantize_accurate_simd(a, qa);
    jpeg_quantize_accurate_simd(b, qb);
}


bool jpeg_idct_pair_available() { return false; }

void jpeg_idct_accurate_avx2_dequant_pair(int16_t* a, const uint16_t* qa, int16_t* b, const uint16_t* qb) {
    jpeg_idct_accurate_sse2_dequant(a, qa);
    jpeg_idct_accurate_sse2_dequant(b, qb);
}

bool jpeg_enc_avx2_available() { return false; }

void jpeg_enc_rgb_h1v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_rgb_h1v1(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h1v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_bgr_h1v1(s, st, y, cb, cr, q);
}
void jpeg_enc_rgb_h2v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_rgb_h2v1_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_rgb_h2v2_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_rgb_h2v2_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h2v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_bgr_h2v1_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h2v2_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_bgr_h2v2_simd(s, st, y, cb, cr, q);
}

}  // namespace velmora
#endif
