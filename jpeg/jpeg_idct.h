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

namespace velmora {

// Zig-zag position k -> natural index; entries 64 to 79 are 63 so that a run
// that overshoots the block lands on the last coefficient, never outside.
extern const uint32_t jpeg_natural_order[80];

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
void jpeg_idct_accurate_4x4(int16_t* block);  // slot 8
void jpeg_idct_accurate_2x2(int16_t* block);  // slot 9
void jpeg_idct_accurate_1x1(int16_t* block);  // slot 10

}  // namespace velmora
