// jpeg/jpeg_simd_color_steps.h - the steps of the vector colour converters
// (chroma terms, widening, saturation, pixel interleaving), shared by the SSE2
// converters of jpeg_simd_color.cpp and the SSSE3 variants of
// jpeg_simd_color_ssse3.cpp. Included only by those two files, inside their
// x86-64 sections; each gets its own internal copy, built for its own
// instruction set. With JPEG_SIMD_COLOR_SSSE3 set to 1 the three-channel forms
// interleave their bytes with byte shuffles instead of masks and shifts; the
// bytes written are the same.
#pragma once
#include <cstddef>
#include <cstdint>

#include <emmintrin.h>
#if JPEG_SIMD_COLOR_SSSE3
#include <tmmintrin.h>
#endif

namespace velmora {
namespace {

enum class Form { Rgb, Bgr, Rgba, Ycca };

// The chroma terms of eight chroma samples in 16-bit lanes: R = Y + r,
// G = Y - g, B = Y + b. Cb and Cr times 16 keep the upper half of the product
// by 5744 (359 x 16) and 7264 (454 x 16), which is (359 Cr) >> 8 and (454 Cb) >> 8
// for samples 0..255; G comes from one multiply-add of (Cr, Cb) pairs.
struct Terms {
    __m128i r, g, b;
};

inline Terms chroma_terms(const int16_t* cb, const int16_t* cr) {
    const __m128i u = _mm_slli_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cb)), 4);
    const __m128i v = _mm_slli_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cr)), 4);
    Terms t;
    t.r = _mm_sub_epi16(_mm_mulhi_epi16(v, _mm_set1_epi16(5744)), _mm_set1_epi16(179));
    t.b = _mm_sub_epi16(_mm_mulhi_epi16(u, _mm_set1_epi16(7264)), _mm_set1_epi16(227));
    const __m128i pairs = _mm_set1_epi32((88 << 16) | 183), bias = _mm_set1_epi32(556896);
    const __m128i lo = _mm_srai_epi32(_mm_sub_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(v, u), pairs), bias), 12);
    const __m128i hi = _mm_srai_epi32(_mm_sub_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(v, u), pairs), bias), 12);
    t.g = _mm_packs_epi32(lo, hi);
    return t;
}

// Each chroma term doubled for the two pixels that share it: by unpacks in the
// four-lane forms, by word shuffles in the SSE forms of slots 37 and 40.
template <bool Shuffle>
inline void widen(__m128i t, __m128i& left, __m128i& right) {
    if constexpr (Shuffle) {
        const __m128i a = _mm_shuffle_epi32(t, _MM_SHUFFLE(1, 1, 0, 0));
        const __m128i b = _mm_shuffle_epi32(t, _MM_SHUFFLE(3, 3, 2, 2));
        left = _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, _MM_SHUFFLE(1, 1, 0, 0)), _MM_SHUFFLE(1, 1, 0, 0));
        right = _mm_shufflehi_epi16(_mm_shufflelo_epi16(b, _MM_SHUFFLE(1, 1, 0, 0)), _MM_SHUFFLE(1, 1, 0, 0));
    } else {
        left = _mm_unpacklo_epi16(t, t);
        right = _mm_unpackhi_epi16(t, t);
    }
}

inline __m128i load8(const int16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Four pixels of four bytes to twelve bytes (bytes 0..11), the fourth byte dropped.
inline __m128i pack12(__m128i p) {
    const __m128i keep = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    const __m128i next = _mm_set_epi32(0x0000FFFF, 0xFF000000, 0x0000FFFF, 0xFF000000);
    const __m128i r = _mm_or_si128(_mm_and_si128(p, keep), _mm_and_si128(_mm_srli_epi64(p, 8), next));
    return _mm_or_si128(_mm_move_epi64(r), _mm_slli_si128(_mm_unpackhi_epi64(r, _mm_setzero_si128()), 6));
}

#if JPEG_SIMD_COLOR_SSSE3
// Shuffle masks that spread 16 bytes of one channel over 48 bytes of three
// channels: mask [o][c] gives output register o its bytes of channel c, -128
// (which gives zero) elsewhere.
struct Interleave3 {
    alignas(16) int8_t m[3][3][16];
};
constexpr Interleave3 make_interleave3() {
    Interleave3 t{};
    for (int o = 0; o < 3; ++o)
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 16; ++i) {
                const int j = 16 * o + i;
                t.m[o][c][i] = j % 3 == c ? int8_t(j / 3) : int8_t(-128);
            }
    return t;
}
constexpr Interleave3 kInterleave3Table = make_interleave3();
const int8_t* const kInterleave3 = &kInterleave3Table.m[0][0][0];
#endif

// Writes n (8 or 16) pixels from the byte channels c0..c3 in the order of the form.
template <Form F, int N>
inline void write_pixels(uint8_t* out, __m128i c0, __m128i c1, __m128i c2, __m128i c3) {
    const __m128i a = _mm_unpacklo_epi8(c0, c1), b = _mm_unpacklo_epi8(c2, c3);
    __m128i px[4];
    px[0] = _mm_unpacklo_epi16(a, b);
    px[1] = _mm_unpackhi_epi16(a, b);
    if constexpr (N == 16) {
        const __m128i a2 = _mm_unpackhi_epi8(c0, c1), b2 = _mm_unpackhi_epi8(c2, c3);
        px[2] = _mm_unpacklo_epi16(a2, b2);
        px[3] = _mm_unpackhi_epi16(a2, b2);
    }
    __m128i* o = reinterpret_cast<__m128i*>(out);
    if constexpr (F == Form::Rgba || F == Form::Ycca) {
        for (int i = 0; i < N / 4; ++i) _mm_storeu_si128(o + i, px[i]);
    } else {
#if JPEG_SIMD_COLOR_SSSE3
        // Three byte shuffles per 16 output bytes, one per channel.
        const __m128i* m = reinterpret_cast<const __m128i*>(kInterleave3);
        auto part = [&](int o) {
            return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(c0, _mm_load_si128(m + 3 * o)),
                                             _mm_shuffle_epi8(c1, _mm_load_si128(m + 3 * o + 1))),
                                _mm_shuffle_epi8(c2, _mm_load_si128(m + 3 * o + 2)));
        };
        _mm_storeu_si128(o, part(0));
        if constexpr (N == 8) {
            _mm_storel_epi64(o + 1, part(1));
        } else {
            _mm_storeu_si128(o + 1, part(1));
            _mm_storeu_si128(o + 2, part(2));
        }
        (void)px;
        return;
#endif
        const __m128i q0 = pack12(px[0]), q1 = pack12(px[1]);
        _mm_storeu_si128(o, _mm_or_si128(q0, _mm_slli_si128(q1, 12)));
        if constexpr (N == 8) {
            _mm_storel_epi64(o + 1, _mm_srli_si128(q1, 4));
        } else {
            const __m128i q2 = pack12(px[2]), q3 = pack12(px[3]);
            _mm_storeu_si128(o + 1, _mm_or_si128(_mm_srli_si128(q1, 4), _mm_slli_si128(q2, 8)));
            _mm_storeu_si128(o + 2, _mm_or_si128(_mm_srli_si128(q2, 8), _mm_slli_si128(q3, 4)));
        }
    }
}

// Luminance (two registers of eight samples) plus the terms of its chroma,
// saturated to bytes and written in the form's order; k holds the fourth
// component's samples for Ycca.
template <Form F, int N>
inline void emit(uint8_t* out, __m128i y0, __m128i y1, __m128i r0, __m128i r1, __m128i g0, __m128i g1, __m128i b0,
                 __m128i b1, __m128i k0, __m128i k1) {
    __m128i R = _mm_packus_epi16(_mm_adds_epi16(y0, r0), _mm_adds_epi16(y1, r1));
    __m128i G = _mm_packus_epi16(_mm_subs_epi16(y0, g0), _mm_subs_epi16(y1, g1));
    __m128i B = _mm_packus_epi16(_mm_adds_epi16(y0, b0), _mm_adds_epi16(y1, b1));
    __m128i A = _mm_set1_epi8(-1);
    if constexpr (F == Form::Ycca) {
        R = _mm_xor_si128(R, A);
        G = _mm_xor_si128(G, A);
        B = _mm_xor_si128(B, A);
        A = _mm_packus_epi16(k0, k1);
    }
    if constexpr (F == Form::Bgr) write_pixels<F, N>(out, B, G, R, A);
    else write_pixels<F, N>(out, R, G, B, A);
}

// Converts `rows` output rows of an MCU of H x V luminance blocks; chroma row
// j serves output rows V j to V j + V - 1, and its terms are formed once.
template <int H, int V, Form F, bool Shuffle = false>
void convert(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch, int rows) {
    const int16_t* k = cr + 64;   // the fourth component's blocks follow Cr
    const __m128i zero = _mm_setzero_si128();
    Terms t{};
    __m128i rl = zero, rr = zero, gl = zero, gr = zero, bl = zero, br = zero;
    for (int yy = 0; yy < rows; ++yy, out += pitch) {
        if (yy % V == 0) {
            const int c = (yy / V) * 8;
            t = chroma_terms(cb + c, cr + c);
            if constexpr (H == 2) {
                widen<Shuffle>(t.r, rl, rr);
                widen<Shuffle>(t.g, gl, gr);
                widen<Shuffle>(t.b, bl, br);
            }
        }
        const ptrdiff_t yi = (yy >> 3) * H * 64 + (yy & 7) * 8;
        if constexpr (H == 1) {
            const __m128i kk = F == Form::Ycca ? load8(k + yi) : zero;
            emit<F, 8>(out, load8(y + yi), zero, t.r, zero, t.g, zero, t.b, zero, kk, zero);
        } else {
            const __m128i k0 = F == Form::Ycca ? load8(k + yi) : zero;
            const __m128i k1 = F == Form::Ycca ? load8(k + yi + 64) : zero;
            emit<F, 16>(out, load8(y + yi), load8(y + yi + 64), rl, rr, gl, gr, bl, br, k0, k1);
        }
    }
}

}  // namespace

}  // namespace velmora
