// jpeg/jpeg_fdct_simd.cpp
#include "jpeg/jpeg_fdct_simd.h"

#include <cmath>
#include <cstdint>

#include "jpeg/jpeg_fdct.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace velmora {
namespace {

#if defined(__x86_64__)

// Row group of each row: rows 0/4, 1/7, 2/6 and 3/5 share a table.
constexpr int kRowGroup[8] = {0, 1, 2, 3, 0, 3, 2, 1};

// The row tables in the order the pairwise multiply-adds consume them. With
// s_j = z_j + z_(7-j) and d_j = z_j - z_(7-j), output k sums s_j (k even) or d_j
// (k odd) times W[k][j]; the operands are (s0 s1 d0 d1) and (s2 s3 d2 d3).
struct FdctTabellen {
    // Four-lane form: for outputs (2p, 2p + 1), the words against (s0 s1 d0 d1),
    // then those against (s2 s3 d2 d3).
    alignas(16) int16_t quad[4][8][4];   // [group][2p + half][word]
    // Eight-lane form: outputs 0-3 against (s0 s1 d0 d1) twice, against
    // (s2 s3 d2 d3) twice, then the same for outputs 4-7.
    alignas(16) int16_t oct[4][4][8];    // [group][2q + half][word]
};

// W[k][j] = 16384 rho (k = 0) or 16384 rho sqrt(2) cos((2j + 1) k pi / 16),
// rounded; rho undoes the scale the column pass leaves in row group g.
FdctTabellen build_tables() {
    FdctTabellen t{};
    const double pi = 3.14159265358979323846, r2 = std::sqrt(2.0);
    for (int g = 0; g < 4; ++g) {
        const double rho = g == 0 ? 1.0 : r2 * std::cos(g * pi / 16.0);
        int16_t w[8][4];
        for (int k = 0; k < 8; ++k)
            for (int j = 0; j < 4; ++j)
                w[k][j] = int16_t(std::lround(16384.0 * rho * (k == 0 ? 1.0 : r2 * std::cos((2 * j + 1) * k * pi / 16.0))));
        for (int k = 0; k < 8; k += 2)
            for (int h = 0; h < 2; ++h) {
                const int16_t words[4] = {w[k][2 * h], w[k][2 * h + 1], w[k + 1][2 * h], w[k + 1][2 * h + 1]};
                for (int i = 0; i < 4; ++i) {
                    t.quad[g][k + h][i] = words[i];
                    t.oct[g][(k / 4) * 2 + h][(k % 4) * 2 + i] = words[i];
                }
            }
    }
    return t;
}

const FdctTabellen g = build_tables();

// The column pass over the lanes of x[0..7] (x[k] holds row k): sums and
// differences saturate, shifts wrap, products keep the high half.
inline void accurate_columns(__m128i* x) {
    const __m128i tg1 = _mm_set1_epi16(13036), tg2 = _mm_set1_epi16(27146);
    const __m128i tg3 = _mm_set1_epi16(-21746), ocos = _mm_set1_epi16(23170), one = _mm_set1_epi16(1);
    const __m128i a = _mm_slli_epi16(_mm_adds_epi16(x[1], x[6]), 3), b = _mm_slli_epi16(_mm_adds_epi16(x[2], x[5]), 3);
    const __m128i d = _mm_slli_epi16(_mm_adds_epi16(x[0], x[7]), 3), e = _mm_slli_epi16(_mm_adds_epi16(x[3], x[4]), 3);
    const __m128i p = _mm_slli_epi16(_mm_subs_epi16(x[1], x[6]), 4), q = _mm_slli_epi16(_mm_subs_epi16(x[2], x[5]), 4);
    const __m128i r = _mm_slli_epi16(_mm_subs_epi16(x[3], x[4]), 3), s = _mm_slli_epi16(_mm_subs_epi16(x[0], x[7]), 3);
    const __m128i tm12 = _mm_subs_epi16(a, b), tp12 = _mm_adds_epi16(a, b);
    const __m128i tm03 = _mm_subs_epi16(d, e), tp03 = _mm_adds_epi16(d, e);
    x[0] = _mm_adds_epi16(tp03, tp12);
    x[4] = _mm_subs_epi16(tp03, tp12);
    x[2] = _mm_or_si128(_mm_adds_epi16(tm03, _mm_mulhi_epi16(tm12, tg2)), one);
    x[6] = _mm_or_si128(_mm_subs_epi16(_mm_mulhi_epi16(tm03, tg2), tm12), one);
    const __m128i ps = _mm_or_si128(_mm_mulhi_epi16(_mm_adds_epi16(p, q), ocos), one);
    const __m128i pd = _mm_mulhi_epi16(_mm_subs_epi16(p, q), ocos);
    const __m128i tp = _mm_adds_epi16(r, pd), tm = _mm_subs_epi16(r, pd);
    const __m128i v = _mm_adds_epi16(s, ps), u = _mm_subs_epi16(s, ps);
    x[1] = _mm_or_si128(_mm_adds_epi16(_mm_mulhi_epi16(tp, tg1), v), one);
    x[3] = _mm_subs_epi16(u, _mm_adds_epi16(_mm_mulhi_epi16(tm, tg3), tm));
    x[5] = _mm_adds_epi16(_mm_adds_epi16(_mm_mulhi_epi16(u, tg3), u), tm);
    x[7] = _mm_subs_epi16(_mm_mulhi_epi16(v, tg1), tp);
}

// The column pass on columns 0-3, then 4-7, in the low halves of the registers,
// written back over the block.
inline void accurate_four_columns(int16_t* block) {
    for (int half = 0; half < 2; ++half) {
        __m128i x[8];
        for (int i = 0; i < 8; ++i) x[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(block + 8 * i + 4 * half));
        accurate_columns(x);
        for (int i = 0; i < 8; ++i) _mm_storel_epi64(reinterpret_cast<__m128i*>(block + 8 * i + 4 * half), x[i]);
    }
}

// z4 z5 z6 z7 -> z7 z6 z5 z4 in a 64-bit half with shifts and a dword unpack.
inline __m128i reverse_half_shifts(__m128i x) {
    const __m128i t = _mm_or_si128(_mm_slli_epi32(x, 16), _mm_srli_epi32(x, 16));   // z5 z4 z7 z6
    return _mm_unpacklo_epi32(_mm_srli_epi64(t, 32), t);
}

// The same with the word shuffle.
inline __m128i reverse_half_shuffle(__m128i x) { return _mm_shufflelo_epi16(x, _MM_SHUFFLE(0, 1, 2, 3)); }

// Rounds the 32-bit sums of two 64-bit halves (two sums each) by 2^20 and packs
// them as four saturated words: sums of a, then of b.
inline __m128i round_pack_halves(__m128i a, __m128i b) {
    const __m128i half = _mm_set1_epi32(1 << 19);
    const __m128i ra = _mm_srai_epi32(_mm_add_epi32(a, half), 20), rb = _mm_srai_epi32(_mm_add_epi32(b, half), 20);
    return _mm_packs_epi32(_mm_unpacklo_epi64(ra, rb), _mm_setzero_si128());
}

// One row through 64-bit halves, as a four-lane machine does: the multiply-adds
// give two outputs at a time.
template <__m128i (*Reverse)(__m128i)>
inline void accurate_row_halves(int16_t* row, int group) {
    const __m128i lo = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row));
    const __m128i hi = Reverse(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + 4)));
    const __m128i s = _mm_adds_epi16(lo, hi), d = _mm_subs_epi16(lo, hi);
    const __m128i sd01 = _mm_unpacklo_epi32(s, d);                                            // s0 s1 d0 d1
    const __m128i sd23 = _mm_unpacklo_epi32(_mm_srli_epi64(s, 32), _mm_srli_epi64(d, 32));    // s2 s3 d2 d3
    const int16_t(*t)[4] = g.quad[group];
    __m128i sum[4];
    for (int p = 0; p < 4; ++p)
        sum[p] = _mm_add_epi32(_mm_madd_epi16(sd01, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(t[2 * p]))),
                               _mm_madd_epi16(sd23, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(t[2 * p + 1]))));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(row), round_pack_halves(sum[0], sum[1]));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 4), round_pack_halves(sum[2], sum[3]));
}

// One row in a 128-bit register: four outputs per pair of multiply-adds.
inline __m128i accurate_row(__m128i z, int group) {
    const __m128i rev = _mm_shufflehi_epi16(z, _MM_SHUFFLE(0, 1, 2, 3));   // z0 z1 z2 z3 z7 z6 z5 z4
    const __m128i top = _mm_unpackhi_epi64(rev, rev);
    const __m128i sd = _mm_unpacklo_epi32(_mm_adds_epi16(rev, top), _mm_subs_epi16(rev, top));   // s0 s1 d0 d1 s2 s3 d2 d3
    const __m128i sd01 = _mm_unpacklo_epi64(sd, sd), sd23 = _mm_unpackhi_epi64(sd, sd);
    const __m128i* t = reinterpret_cast<const __m128i*>(g.oct[group]);
    const __m128i half = _mm_set1_epi32(1 << 19);
    const __m128i o03 = _mm_add_epi32(_mm_madd_epi16(sd01, _mm_load_si128(t)), _mm_madd_epi16(sd23, _mm_load_si128(t + 1)));
    const __m128i o47 = _mm_add_epi32(_mm_madd_epi16(sd01, _mm_load_si128(t + 2)), _mm_madd_epi16(sd23, _mm_load_si128(t + 3)));
    return _mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(o03, half), 20), _mm_srai_epi32(_mm_add_epi32(o47, half), 20));
}

template <__m128i (*Reverse)(__m128i)>
void accurate_quad(int16_t* block) {
    accurate_four_columns(block);
    for (int i = 0; i < 8; ++i) accurate_row_halves<Reverse>(block + 8 * i, kRowGroup[i]);
}

#endif

}  // namespace

#if defined(__x86_64__)

void jpeg_fdct_accurate_mmx(int16_t* block) { accurate_quad<reverse_half_shifts>(block); }

void jpeg_fdct_accurate_sse(int16_t* block) { accurate_quad<reverse_half_shuffle>(block); }

void jpeg_fdct_accurate_sse2(int16_t* block) {
    __m128i x[8];
    if (reinterpret_cast<uintptr_t>(block) & 15) {
        // Columns into an aligned work area, rows from there into the block.
        alignas(16) int16_t work[64];
        for (int i = 0; i < 8; ++i) x[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * i));
        accurate_columns(x);
        for (int i = 0; i < 8; ++i) _mm_store_si128(reinterpret_cast<__m128i*>(work + 8 * i), x[i]);
        for (int i = 0; i < 8; ++i) {
            const __m128i z = _mm_load_si128(reinterpret_cast<const __m128i*>(work + 8 * i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(block + 8 * i), accurate_row(z, kRowGroup[i]));
        }
        return;
    }
    __m128i* b = reinterpret_cast<__m128i*>(block);
    for (int i = 0; i < 8; ++i) x[i] = _mm_load_si128(b + i);
    accurate_columns(x);
    for (int i = 0; i < 8; ++i) _mm_store_si128(b + i, x[i]);
    for (int i = 0; i < 8; ++i) _mm_store_si128(b + i, accurate_row(_mm_load_si128(b + i), kRowGroup[i]));
}

const int16_t (*jpeg_fdct_row_tables())[4][8] { return g.oct; }

#else

void jpeg_fdct_accurate_mmx(int16_t* block) { jpeg_fdct_accurate(block); }
void jpeg_fdct_accurate_sse(int16_t* block) { jpeg_fdct_accurate(block); }
void jpeg_fdct_accurate_sse2(int16_t* block) { jpeg_fdct_accurate(block); }

#endif

}  // namespace velmora
