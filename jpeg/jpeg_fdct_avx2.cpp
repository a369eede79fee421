// jpeg/jpeg_fdct_avx2.cpp - the SSE2 accurate forward transform two blocks at
// a time: each 256-bit register holds the same row of two blocks, one per
// 128-bit half, and every step is the SSE2 form's step on each half (the
// word shuffles, unpacks and packs of AVX2 stay within their half), so each
// block gets exactly the SSE2 form's coefficients. The whole file is built for
// AVX2; the encoder takes it only when the processor reports AVX2.
#include "jpeg/jpeg_fdct_simd.h"

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif
#include <immintrin.h>

namespace velmora {
namespace {

constexpr int kRowGroup[8] = {0, 1, 2, 3, 0, 3, 2, 1};

inline __m256i set16(int16_t v) { return _mm256_set1_epi16(v); }

// The column pass over x[0..7] (x[k] holds row k of both blocks).
inline void columns(__m256i* x) {
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
inline __m256i row(__m256i z, int group) {
    const __m256i rev = _mm256_shufflehi_epi16(z, _MM_SHUFFLE(0, 1, 2, 3));   // z0 z1 z2 z3 z7 z6 z5 z4
    const __m256i top = _mm256_unpackhi_epi64(rev, rev);
    const __m256i sd = _mm256_unpacklo_epi32(_mm256_adds_epi16(rev, top), _mm256_subs_epi16(rev, top));
    const __m256i sd01 = _mm256_unpacklo_epi64(sd, sd), sd23 = _mm256_unpackhi_epi64(sd, sd);
    static const int16_t (*const tables)[4][8] = jpeg_fdct_row_tables();
    const __m128i* t = reinterpret_cast<const __m128i*>(tables[group]);
    const __m256i t0 = _mm256_broadcastsi128_si256(_mm_load_si128(t)), t1 = _mm256_broadcastsi128_si256(_mm_load_si128(t + 1));
    const __m256i t2 = _mm256_broadcastsi128_si256(_mm_load_si128(t + 2)), t3 = _mm256_broadcastsi128_si256(_mm_load_si128(t + 3));
    const __m256i half = _mm256_set1_epi32(1 << 19);
    const __m256i o03 = _mm256_add_epi32(_mm256_madd_epi16(sd01, t0), _mm256_madd_epi16(sd23, t1));
    const __m256i o47 = _mm256_add_epi32(_mm256_madd_epi16(sd01, t2), _mm256_madd_epi16(sd23, t3));
    return _mm256_packs_epi32(_mm256_srai_epi32(_mm256_add_epi32(o03, half), 20),
                              _mm256_srai_epi32(_mm256_add_epi32(o47, half), 20));
}

}  // namespace

bool jpeg_fdct_pair_available() { return __builtin_cpu_supports("avx2"); }

void jpeg_fdct_accurate_avx2_pair(int16_t* a, int16_t* b) {
    __m256i x[8];
    for (int i = 0; i < 8; ++i)
        x[i] = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * i))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i)), 1);
    columns(x);
    for (int i = 0; i < 8; ++i) {
        const __m256i r = row(x[i], kRowGroup[i]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 8 * i), _mm256_castsi256_si128(r));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 8 * i), _mm256_extracti128_si256(r, 1));
    }
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

}  // namespace velmora
#endif
