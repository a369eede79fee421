// jpeg/jpeg_simd_idct.h - the vector kernels of the decoder's transform slots
// for processor classes 3 to 6: dequantisation of family 1 (slot 61), the
// accurate inverse DCT of family 1 (slot 7) in its 64-bit and 128-bit forms, the
// fast inverse DCT of family 0 (slot 3), and the end of vector use (slot 0).
//
// The kernels follow their own fixed-point steps, not the plain routines':
// dequantisation equals the plain routine exactly; the accurate transform keeps
// 16-bit column arithmetic with tangent multipliers and may differ from the
// plain 32-bit transform by a unit or two; the fast transform truncates every
// product and its final shift, so it is most often one unit below the plain one.
// The three accurate kernels give identical samples for the same block. Away
// from x86-64 every name stands for its slot's plain routine.
#pragma once
#include <cstdint>

namespace velmora {

void jpeg_mmx_exit();                                              // slot 0, classes 3-6

void jpeg_dequantize_mmx(int16_t* block, const uint16_t* table);   // slot 61, classes 3-5
void jpeg_dequantize_sse2(int16_t* block, const uint16_t* table);  // slot 61, class 6

void jpeg_idct_accurate_mmx(int16_t* block);    // slot 7, classes 3-4: four columns at a time
void jpeg_idct_accurate_sse(int16_t* block);    // slot 7, class 5: four columns, word-shuffled rows
void jpeg_idct_accurate_sse2(int16_t* block);   // slot 7, class 6: eight columns at a time

// jpeg_dequantize_sse2 followed by jpeg_idct_accurate_sse2 in one pass, with
// exactly their results. The decoder calls it in place of the two slots when
// they hold exactly these kernels (jpeg_dequant_fused), leaving the
// coefficients undequantised until the transform.
void jpeg_idct_accurate_sse2_dequant(int16_t* block, const uint16_t* table);
// The same on two blocks at once in 256-bit registers (jpeg/jpeg_idct_avx2.cpp),
// each with its own table: exactly jpeg_idct_accurate_sse2_dequant's samples.
// Only where jpeg_idct_pair_available() (the processor reports AVX2).
bool jpeg_idct_pair_available();
void jpeg_idct_accurate_avx2_dequant_pair(int16_t* a, const uint16_t* qa, int16_t* b, const uint16_t* qb);
// jpeg_idct_accurate_sse2_dequant's samples for a block whose 63 AC
// coefficients are zero, without the transform's multiplications; false, the
// block untouched, for any other block. Most blocks of smooth pictures and
// chroma planes are such blocks.
bool jpeg_idct_accurate_dc_only(int16_t* block, const uint16_t* table);
// The short form alone, for a block known to hold its DC value alone.
void jpeg_idct_accurate_dc_fill(int16_t* block, const uint16_t* table);
// The accurate row pass's pairwise weights, [row group][pair][word].
const int16_t (*jpeg_idct_pair_tables())[4][8];

void jpeg_idct_fast_mmx(int16_t* block);        // slot 3, classes 3-6

// The multiplier of input k in output n of row group g (0: rows 0 and 4, 1: rows
// 1 and 7, 2: rows 2 and 6, 3: rows 3 and 5) in the accurate kernels' row pass.
int16_t jpeg_idct_row_weight(int32_t group, int32_t n, int32_t k);

}  // namespace velmora
