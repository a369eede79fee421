// jpeg/jpeg_fdct_simd.h - the vector forms of the encoder's accurate forward
// transform (slot 2) for processor classes 3 to 6.
//
// All three run the same 16-bit fixed-point steps: a column pass with tangent
// multipliers (saturating sums, wrapping shifts, the high half of every product,
// the lowest bit of four results set as a rounding correction), then a row pass
// that multiplies each row by the table of its row group in 32-bit sums, adds
// 2^19, shifts by 20 and saturates. Their coefficients are identical to each
// other for every block, aligned or not. For samples in -128..127 they lie
// within 0.6 of the exact DCT but for about one coefficient in 9000 of noise
// blocks, which reach 0.71 (a constant block v gives DC 8v); they may differ
// from the plain accurate transform by a unit. Away from x86-64 every name stands
// for the plain routine.
#pragma once
#include <cstdint>

namespace velmora {

void jpeg_fdct_accurate_mmx(int16_t* block);    // classes 3-4: four columns, then one row at a time
void jpeg_fdct_accurate_sse(int16_t* block);    // class 5: as the MMX form, word-shuffled rows
void jpeg_fdct_accurate_sse2(int16_t* block);   // class 6: eight columns, 128-bit row sums

// The SSE2 form on two blocks at once in 256-bit registers (jpeg/jpeg_fdct_avx2.cpp):
// each block gets exactly jpeg_fdct_accurate_sse2's coefficients. Only where
// jpeg_fdct_pair_available() (the processor reports AVX2).
bool jpeg_fdct_pair_available();
#if defined(__x86_64__)
// The SSE2 form's eight-lane row weights, [row group][2q + half][word].
const int16_t (*jpeg_fdct_row_tables())[4][8];
#endif
void jpeg_fdct_accurate_avx2_pair(int16_t* a, int16_t* b);
// The pair followed by jpeg_quantize_accurate_simd on each block with its
// table, in the same registers (the same values).
void jpeg_fdct_quantize_avx2_pair(int16_t* a, const uint16_t* qa, int16_t* b, const uint16_t* qb);

}  // namespace velmora
