// jpeg/jpeg_enc_avx512.cpp - the block encoder's zig-zag step with the word
// permutes of AVX-512 (BW and VL, in 256-bit registers only): each group of
// sixteen coefficients in zig-zag order is two two-table permutes of the
// block's rows (rows 0-3, rows 4-7) and a blend, instead of a byte shuffle per
// row and group. The whole file is built for those extensions; the codec takes
// it only when the processor reports them.
#include "jpeg/jpeg_enc_simd.h"

#include <cstring>

// Included before the target switch: their inline routines stay built for the
// baseline instruction set.
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_idct.h"

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,avx512f,avx512bw,avx512vl,bmi,bmi2,lzcnt"))), \
                             apply_to = function)
#else
#pragma GCC target("avx2,avx512f,avx512bw,avx512vl,bmi,bmi2,lzcnt")
#endif
#include <immintrin.h>

#include "jpeg/jpeg_enc_mcu_steps.h"

namespace velmora {
namespace {

// Group g's sixteen natural positions (the permutes read their low five bits)
// and the lanes whose position lies in rows 4-7.
struct ZigzagGroups {
    alignas(32) int16_t index[4][16];
    uint16_t upper[4];
    constexpr ZigzagGroups() : index(), upper() {
        for (int k = 0; k < 64; ++k) {
            const int g = k / 16, lane = k % 16, n = int(jpeg_natural_order[k]);
            index[g][lane] = int16_t(n);
            if (n >= 32) upper[g] = uint16_t(upper[g] | 1u << lane);
        }
    }
};
constexpr ZigzagGroups kGroups;

}  // namespace

bool jpeg_enc_avx512_available() {
    return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
           __builtin_cpu_supports("bmi2") && jpeg_cpu_has_lzcnt();
}

uint64_t jpeg_zigzag_split_avx512(const int16_t* block, uint16_t* mag, uint16_t* bits) {
    const __m256i r0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
    const __m256i r1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 16));
    const __m256i r2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32));
    const __m256i r3 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 48));
    uint64_t nonzero = 0;
    for (int g = 0; g < 4; ++g) {
        const __m256i idx = _mm256_load_si256(reinterpret_cast<const __m256i*>(kGroups.index[g]));
        const __m256i v = _mm256_mask_blend_epi16(__mmask16(kGroups.upper[g]), _mm256_permutex2var_epi16(r0, idx, r1),
                                                  _mm256_permutex2var_epi16(r2, idx, r3));
        const __m256i sign = _mm256_srai_epi16(v, 15);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(mag + 16 * g), _mm256_abs_epi16(v));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(bits + 16 * g), _mm256_add_epi16(v, sign));
        nonzero |= uint64_t(_mm256_test_epi16_mask(v, v)) << (16 * g);
    }
    return nonzero;
}

JPEG_RESULT jpeg_encode_mcu_avx512(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    return mcu_encode_masked<jpeg_zigzag_split_avx512, jpeg_encode_block_avx512>(s, t, pred, blocks);
}

}  // namespace velmora

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else

#include "jpeg/jpeg_enc_mcu_steps.h"

namespace velmora {

bool jpeg_enc_avx512_available() { return false; }

// Never chosen without the extensions: the plain gather, split.
uint64_t jpeg_zigzag_split_avx512(const int16_t* block, uint16_t* mag, uint16_t* bits) {
    return split_plain(block, mag, bits);
}

JPEG_RESULT jpeg_encode_mcu_avx512(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    return jpeg_encode_mcu_by_blocks(s, t, pred, blocks, jpeg_encode_block_avx512);
}

}  // namespace velmora
#endif
