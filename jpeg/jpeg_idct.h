// jpeg/jpeg_idct.h - transform kernels of the decoder: preparation of the
// quantisation tables, dequantisation and the inverse DCTs of both transform
// families at full size and at 1/2, 1/4 and 1/8 size.
//
// Family 0 is the AAN factorisation with its scale folded into the
// dequantisation table; family 1 a plain fixed-point DCT with unscaled tables.
// Every kernel works in place on 64 signed 16-bit values in natural order and
// leaves samples level-shifted back by 128 and clamped to 0..255.
#pragma once
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmora {

// Zig-zag position k -> natural index; entries 64 to 79 are 63 so that a run
// that overshoots the block lands on the last coefficient, never outside.
// Defined here so that loops over it with constant positions compile to fixed offsets.
inline constexpr uint32_t jpeg_natural_order[80] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63,
};

// Zeroes one block of 64 coefficients with eight vector stores: the library's
// memset of 128 bytes is a string store here, which costs more than the rest
// of a typical block's entry work. Written out: as a loop the compiler turns it
// back into the memset.
inline void jpeg_clear_block(int16_t* block) {
#if defined(__SSE2__)
    const __m128i z = _mm_setzero_si128();
    __m128i* b = reinterpret_cast<__m128i*>(block);
    _mm_storeu_si128(b + 0, z), _mm_storeu_si128(b + 1, z), _mm_storeu_si128(b + 2, z), _mm_storeu_si128(b + 3, z);
    _mm_storeu_si128(b + 4, z), _mm_storeu_si128(b + 5, z), _mm_storeu_si128(b + 6, z), _mm_storeu_si128(b + 7, z);
#else
    std::memset(block, 0, 64 * sizeof(int16_t));
#endif
}

// Prepares a DQT table (64 values in zig-zag order, 16 more entries of room):
// family 0 folds in the AAN scale, family 1 only reorders; both clear the 16 extra entries.
void jpeg_dequant_prepare_aan(uint16_t* table);
void jpeg_dequant_prepare_int(uint16_t* table);

void jpeg_dequantize_scaled(int16_t* block, const uint16_t* table);   // slot 60
void jpeg_dequantize(int16_t* block, const uint16_t* table);          // slot 61

void jpeg_idct_fast(int16_t* block);          // slot 3, 8x8
void jpeg_idct_fast_4x4(int16_t* block);      // slot 4
void jpeg_idct_fast_2x2(int16_t* block);      // slot 5
void jpeg_idct_fast_1x1(int16_t* block);      // slot 6
void jpeg_idct_accurate(int16_t* block);      // slot 7, 8x8
// Slot 61's jpeg_dequantize and slot 7's transform in one pass, the same results.
void jpeg_idct_accurate_dequant(int16_t* block, const uint16_t* table);
void jpeg_idct_accurate_4x4(int16_t* block);  // slot 8
void jpeg_idct_accurate_2x2(int16_t* block);  // slot 9
void jpeg_idct_accurate_1x1(int16_t* block);  // slot 10

}  // namespace velmora
