// jpeg/jpeg_enc_convert_steps.h - the steps of the encoder's vector colour
// converters (RGB or BGR to Y, Cb, Cr with 2x1 and 2x2 down-sampling), shared by
// the SSE2 form (jpeg/jpeg_enc_simd.cpp) and the SSSE3 form
// (jpeg/jpeg_enc_simd_ssse3.cpp). They differ only in how eight pixels' channels
// are gathered into registers, so both give the same samples.
//
// Everything here has internal linkage: each file compiles it for its own
// instruction set, and no form may be merged into the other by the linker.
#pragma once
#include <cstdint>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>

namespace velmora {
namespace {

// The shuffle that puts byte 3i + o of the 24 pixel bytes into 16-bit lane i,
// taking from the load of bytes 0-15 (high = false) or of bytes 8-23.
constexpr __m128i lane_shuffle(int o, bool high) {
    char m[16] = {};
    for (int i = 0; i < 8; ++i) {
        const int at = 3 * i + o;
        m[2 * i] = char(high ? (at >= 16 ? at - 8 : -128) : (at < 16 ? at : -128));
        m[2 * i + 1] = char(-128);
    }
    return __m128i{(long long)(uint8_t(m[0]) | uint64_t(uint8_t(m[1])) << 8 | uint64_t(uint8_t(m[2])) << 16 |
                               uint64_t(uint8_t(m[3])) << 24 | uint64_t(uint8_t(m[4])) << 32 |
                               uint64_t(uint8_t(m[5])) << 40 | uint64_t(uint8_t(m[6])) << 48 |
                               uint64_t(uint8_t(m[7])) << 56),
                   (long long)(uint8_t(m[8]) | uint64_t(uint8_t(m[9])) << 8 | uint64_t(uint8_t(m[10])) << 16 |
                               uint64_t(uint8_t(m[11])) << 24 | uint64_t(uint8_t(m[12])) << 32 |
                               uint64_t(uint8_t(m[13])) << 40 | uint64_t(uint8_t(m[14])) << 48 |
                               uint64_t(uint8_t(m[15])) << 56)};
}

// Y of eight pixels, and Cb and Cr of eight pixel sums, by multiply-add.
inline __m128i enc_madd3(__m128i va, __m128i vb, __m128i vc, int16_t ka, int16_t kb, int16_t kc, int16_t round,
                         int shift) {
    const __m128i one = _mm_set1_epi16(1);
    const __m128i kab = _mm_set_epi16(kb, ka, kb, ka, kb, ka, kb, ka), kcr = _mm_set_epi16(round, kc, round, kc, round, kc, round, kc);
    const __m128i lo = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(va, vb), kab),
                                     _mm_madd_epi16(_mm_unpacklo_epi16(vc, one), kcr));
    const __m128i hi = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(va, vb), kab),
                                     _mm_madd_epi16(_mm_unpackhi_epi16(vc, one), kcr));
    return _mm_packs_epi32(_mm_srai_epi32(lo, shift), _mm_srai_epi32(hi, shift));
}

// The sums of horizontal pixel pairs of sixteen lanes in two registers.
inline __m128i enc_pair_sums(__m128i a, __m128i b) {
    const __m128i one = _mm_set1_epi16(1);
    return _mm_packs_epi32(_mm_madd_epi16(a, one), _mm_madd_epi16(b, one));
}

// The chroma step of source row py, given the channel sums of its pixels (or
// pixel pairs): the first row of a vertical pair is kept in s*; otherwise the
// sums, with the kept row's, become chroma row py / VF.
template <int HF, int VF>
inline void enc_chroma_step(int py, __m128i rr, __m128i gg, __m128i bb, __m128i& sr, __m128i& sg, __m128i& sb,
                            int16_t* cb, int16_t* cr) {
    constexpr int shift = 8 + (HF - 1) + (VF - 1);
    constexpr int16_t round = int16_t(1 << (shift - 1));
    if (VF == 2 && py % 2 == 0) {
        sr = rr, sg = gg, sb = bb;
        return;
    }
    if constexpr (VF == 2) rr = _mm_add_epi16(rr, sr), gg = _mm_add_epi16(gg, sg), bb = _mm_add_epi16(bb, sb);
    const int cy = py / VF;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cb + cy * 8), enc_madd3(rr, gg, bb, -43, -85, 128, round, shift));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cr + cy * 8), enc_madd3(rr, gg, bb, 128, -107, -21, round, shift));
}

// Each source row once: its Y rows, and the channel sums of its pixel pairs
// (HF 2) added to the other row of the pair (VF 2) before the chroma row is
// formed from them. Gather::load(p, r, g, b) puts the channels at byte offsets
// RO, 1 and BO of the eight three-byte pixels from p into 16-bit lanes.
template <class Gather, int RO, int BO, int HF, int VF>
void enc_convert_rows(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr) {
    __m128i sr = _mm_setzero_si128(), sg = sr, sb = sr;
    for (int py = 0; py < 8 * VF; ++py) {
        __m128i r[HF], g[HF], b[HF];
        for (int gx = 0; gx < HF; ++gx) {
            const uint8_t* p = src + ptrdiff_t(py) * step + gx * 24;
            Gather::template load<RO, BO>(p, r[gx], g[gx], b[gx]);
            // Y = (77 R + 150 G + 29 B - 32640) >> 8; -32640 rides on the multiply-add as 1 x -32640.
            const __m128i v = enc_madd3(r[gx], g[gx], b[gx], 77, 150, 29, -32640, 8);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(y + ((py / 8) * HF + gx) * 64 + (py % 8) * 8), v);
        }
        __m128i rr = r[0], gg = g[0], bb = b[0];
        if constexpr (HF == 2)
            rr = enc_pair_sums(r[0], r[1]), gg = enc_pair_sums(g[0], g[1]), bb = enc_pair_sums(b[0], b[1]);
        enc_chroma_step<HF, VF>(py, rr, gg, bb, sr, sg, sb, cb, cr);
    }
}

}  // namespace
}  // namespace velmora
#endif
