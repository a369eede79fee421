// jpeg/jpeg_enc_mcu_avx2.cpp - the MCU encoder of the SSSE3 block encoder
// (jpeg/jpeg_enc_mcu_steps.h) built for processors with AVX2 and BMI2, whose
// shifts by a register, bit extracts and leading-zero counts shorten every
// code's step. The whole file is built for those extensions; the codec takes
// it only when the processor reports them.
#include "jpeg/jpeg_enc_simd.h"

#include <cstring>

// Included before the target switch: their inline routines stay built for the
// baseline instruction set.
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_tables.h"

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,bmi,bmi2,lzcnt"))), apply_to = function)
#else
#pragma GCC target("avx2,bmi,bmi2,lzcnt")
#endif

#include "jpeg/jpeg_enc_mcu_steps.h"

namespace velmora {

bool jpeg_enc_mcu_avx2_available() {
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("lzcnt");
}

JPEG_RESULT jpeg_encode_mcu_avx2(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    return mcu_encode_masked<split_gathered<jpeg_zigzag_ssse3>, jpeg_encode_block_ssse3>(s, t, pred, blocks);
}

}  // namespace velmora

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else

namespace velmora {

bool jpeg_enc_mcu_avx2_available() { return false; }

// Never chosen without the extensions: block by block.
JPEG_RESULT jpeg_encode_mcu_avx2(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    return jpeg_encode_mcu_by_blocks(s, t, pred, blocks, jpeg_encode_block_ssse3);
}

}  // namespace velmora
#endif
