// jpeg/jpeg_enc_mcu_avx2.cpp - the MCU encoder of the SSSE3 block encoder
// (jpeg/jpeg_enc_mcu_steps.h) built for processors with AVX2 and BMI2, whose
// shifts by a register, bit extracts and leading-zero counts shorten every
// code's step. The whole file is built for those extensions; the codec takes
// it only when the processor reports them.
#include "jpeg/jpeg_enc_simd.h"

#include <cstring>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

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

// LZCNT is asked of the processor itself (extended leaf 0x80000001, ECX bit 5):
// not every compiler's processor check knows its name, and where it is missing
// the instruction runs as BSR and counts from the other end.
bool jpeg_cpu_has_lzcnt() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __get_cpuid(0x80000001u, &a, &b, &c, &d) && (c & (1u << 5)) != 0;
}

bool jpeg_enc_mcu_avx2_available() {
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") && jpeg_cpu_has_lzcnt();
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

bool jpeg_cpu_has_lzcnt() { return false; }
bool jpeg_enc_mcu_avx2_available() { return false; }

// Never chosen without the extensions: block by block.
JPEG_RESULT jpeg_encode_mcu_avx2(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    return jpeg_encode_mcu_by_blocks(s, t, pred, blocks, jpeg_encode_block_ssse3);
}

}  // namespace velmora
#endif
