// jpeg/jpeg_enc_simd_ssse3.cpp - the SSSE3 variants of the encoder's RGB and BGR
// converters. The whole file is built for SSSE3; the kernel fill takes these
// only when the processor reports SSSE3. Eight pixels' channels come out of two
// overlapping 16-byte loads through byte shuffles instead of 24 word inserts;
// the arithmetic is the SSE2 form's, so the samples are the same.
#include "jpeg/jpeg_enc_simd.h"

// Included before the target switch: its inline routines stay built for the
// baseline instruction set.
#include "jpeg/jpeg_idct.h"

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC target("ssse3")
#endif
#include <tmmintrin.h>

#include "jpeg/jpeg_enc_convert_steps.h"

namespace velmora {
namespace {

// Channel o of the eight pixels from the loads of bytes 0-15 and 8-23.
template <int o>
inline __m128i channel(__m128i lo, __m128i hi) {
    constexpr __m128i ml = lane_shuffle(o, false), mh = lane_shuffle(o, true);
    return _mm_or_si128(_mm_shuffle_epi8(lo, ml), _mm_shuffle_epi8(hi, mh));
}

struct GatherShuffles {
    // Reads exactly the eight pixels' 24 bytes.
    template <int RO, int BO>
    static void load(const uint8_t* p, __m128i& r, __m128i& g, __m128i& b) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
        r = channel<RO>(lo, hi), g = channel<1>(lo, hi), b = channel<BO>(lo, hi);
    }
};

// The zig-zag gather as shuffles: output group g (coefficients 8g..8g+7 in
// zig-zag order) is the OR of one shuffle of each block row that holds one of
// them. kZigzag[g][r] moves row r's words to their lanes in group g (-128
// elsewhere); kRowUsed[g][r] says whether row r holds any.
struct ZigzagShuffles {
    int8_t mask[8][8][16];
    bool used[8][8];
    constexpr ZigzagShuffles() : mask(), used() {
        for (int g = 0; g < 8; ++g)
            for (int r = 0; r < 8; ++r) {
                used[g][r] = false;
                for (int b = 0; b < 16; ++b) mask[g][r][b] = -128;
            }
        for (int k = 0; k < 64; ++k) {
            const int g = k / 8, lane = k % 8, r = int(jpeg_natural_order[k] / 8), w = int(jpeg_natural_order[k] % 8);
            mask[g][r][2 * lane] = int8_t(2 * w);
            mask[g][r][2 * lane + 1] = int8_t(2 * w + 1);
            used[g][r] = true;
        }
    }
};
constexpr ZigzagShuffles kZigzag;

}  // namespace

void jpeg_zigzag_ssse3(const int16_t* block, int16_t* zz) {
    __m128i row[8];
    for (int r = 0; r < 8; ++r) row[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * r));
#pragma GCC unroll 8
    for (int g = 0; g < 8; ++g) {
        __m128i acc = _mm_setzero_si128();
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r)
            if (kZigzag.used[g][r])
                acc = _mm_or_si128(acc, _mm_shuffle_epi8(row[r], _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                                                     kZigzag.mask[g][r]))));
        _mm_store_si128(reinterpret_cast<__m128i*>(zz + 8 * g), acc);
    }
}

void jpeg_enc_rgb_h1v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    enc_convert_rows<GatherShuffles, 0, 2, 1, 1>(s, st, y, cb, cr);
}
void jpeg_enc_rgb_h2v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    enc_convert_rows<GatherShuffles, 0, 2, 2, 1>(s, st, y, cb, cr);
}
void jpeg_enc_rgb_h2v2_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    enc_convert_rows<GatherShuffles, 0, 2, 2, 2>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h1v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    enc_convert_rows<GatherShuffles, 2, 0, 1, 1>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h2v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    enc_convert_rows<GatherShuffles, 2, 0, 2, 1>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h2v2_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    enc_convert_rows<GatherShuffles, 2, 0, 2, 2>(s, st, y, cb, cr);
}

}  // namespace velmora

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else

namespace velmora {

// Without SSSE3 forms the names take the SSE2 ones (never chosen by the fill).
void jpeg_zigzag_ssse3(const int16_t* block, int16_t* zz) {
    for (int k = 0; k < 64; ++k) zz[k] = block[jpeg_natural_order[k]];
}
void jpeg_enc_rgb_h1v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_rgb_h1v1_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_rgb_h2v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_rgb_h2v1_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_rgb_h2v2_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_rgb_h2v2_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h1v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_bgr_h1v1_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h2v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_bgr_h2v1_simd(s, st, y, cb, cr, q);
}
void jpeg_enc_bgr_h2v2_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q) {
    jpeg_enc_bgr_h2v2_simd(s, st, y, cb, cr, q);
}

}  // namespace velmora
#endif
